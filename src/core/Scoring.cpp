#include "core/Scoring.h"

#include "core/RecordFile.h"

qint64 roundHalfEvenRatio(qint64 numerator, qint64 denominator) {
    if (denominator <= 0)
        return 0;
    // Floor division, so that the remainder is 0 <= r < denominator for any sign.
    qint64 quotient = numerator / denominator;
    qint64 remainder = numerator % denominator;
    if (remainder < 0) {
        remainder += denominator;
        --quotient;
    }
    const qint64 twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

QString tenthsText(qint64 tenths) {
    const bool negative = tenths < 0;
    const qint64 magnitude = negative ? -tenths : tenths;
    QString text = QString::number(magnitude / 10);
    if (magnitude % 10 != 0)
        text += QLatin1Char('.') + QString::number(magnitude % 10);
    return negative ? QLatin1Char('-') + text : text;
}

QString scorePercentText(int score, int totalMarks) {
    // A paper without marks has no percentage; the content tool rejects such a paper.
    if (totalMarks <= 0)
        return QStringLiteral("0");
    return tenthsText(roundHalfEvenRatio(qint64(score) * 1000, totalMarks));
}

bool parsePercentTenths(const QString& text, qint64* tenths) {
    qsizetype i = 0;
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        ++i;
    const qsizetype digitsStart = i;
    qint64 whole = 0;
    while (i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9') {
        if (i - digitsStart >= 15)
            return false;
        whole = whole * 10 + (text.at(i).unicode() - '0');
        ++i;
    }
    if (i == digitsStart)
        return false;
    qint64 fraction = 0;
    if (i < text.size() && text.at(i) == u'.') {
        ++i;
        if (i + 1 != text.size() || text.at(i) < u'0' || text.at(i) > u'9')
            return false;
        fraction = text.at(i).unicode() - '0';
        ++i;
    }
    if (i != text.size())
        return false;
    const qint64 value = whole * 10 + fraction;
    *tenths = negative ? -value : value;
    return true;
}

QString elapsedText(qint64 seconds) {
    // A clock set back while a paper was open would give a negative span.
    if (seconds < 0)
        seconds = 0;
    const qint64 ofDay = seconds % 86400;
    return QStringLiteral("%1:%2:%3").arg(ofDay / 3600).arg((ofDay / 60) % 60).arg(ofDay % 60);
}

QString shortDateText(const QDate& date, const QLocale& locale) {
    const QString own = locale.toString(date, QLocale::ShortFormat);
    if (isStorableText(own))
        return own;
    // The results files are single-byte: the locale's own digits become
    // 0 to 9, and its invisible direction marks go, which keeps the form of
    // most scripts' dates ("6/12/2026"). A date holding letters of another
    // script (Bulgarian "6.12.26" and a Cyrillic abbreviation of "year") is written in the one form
    // every reader understands instead.
    QString plain;
    for (const QChar c : own) {
        if (c.category() == QChar::Other_Format)
            continue;
        const int digit = c.digitValue();
        plain += digit >= 0 ? QChar(char16_t(u'0' + digit)) : c;
    }
    if (isStorableText(plain))
        return plain.trimmed();
    return date.toString(Qt::ISODate);
}
