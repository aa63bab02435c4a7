#include "results/TrendLog.h"

QString trendTag() {
    return QStringLiteral("TRD");
}

namespace {

// The number at the start of a text, as a stored score is read back: leading
// spaces, a sign, digits and one decimal point; 0 when there is none.
double leadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        ++i;
    bool point = false;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            ++i;
        } else if (c == u'.' && !point) {
            point = true;
            ++i;
        } else {
            break;
        }
    }
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok ? value : 0.0;
}

} // namespace

Read<QString> readTrendLine(const QString& path) {
    return ReadRecordLine(path, trendTag());
}

RecordWrite appendTrendValue(const QString& path, const QString& value, FileWriteBatch* batch) {
    if (!isStorableText(value))
        return RecordError::Unencodable;
    const Read<QString> read = readTrendLine(path);
    // A missing file starts a new log; one that exists but cannot be read is
    // left alone rather than overwritten with a log that lost its values.
    if (!read.ok() && read.error != RecordError::FileMissing) {
        RecordWrite refused(read.error);
        refused.readSystemError = read.systemError;
        return refused;
    }
    QString line = read.value;
    if (line.isEmpty())
        line = buildRecordLine(trendTag(), {});
    line += QLatin1Char('>') + value;
    return writeRecordLines(path, {line}, batch);
}

QList<double> trendValues(const QString& trendLine, int maxCount) {
    QList<double> values;
    if (trendLine.isEmpty() || maxCount <= 0)
        return values;
    const int count = int(trendLine.left(trendLine.size() - 1).count(QLatin1Char('>')));
    if (count == 0)
        return values;
    const Read<QStringList> fields = splitRecordFields(trendLine, count, count);
    if (!fields.ok())
        return values;
    const int first = std::max(0, count - maxCount);
    for (int i = first; i < count; ++i)
        values.append(leadingNumber(fields.value.at(i)));
    return values;
}
