#include "Markup.h"

#include "../bank/Bank.h"

#include <QRegularExpression>

namespace bank::source {

namespace {

const QChar kMinus(0x2212);
const QChar kTimes(0x00d7);
const QChar kDivide(0x00f7);

bool EndsLikeNumber(const QString& token) {
    if (token.isEmpty())
        return false;
    for (QChar c : token) {
        if (c.isDigit())
            return true;
    }
    return QStringLiteral(")]}?").contains(token.back());
}

bool StartsLikeNumber(const QString& token) {
    if (token.isEmpty())
        return false;
    const QChar c = token.front();
    return c.isDigit() || QStringLiteral("([{?\u00a3").contains(c);
}

QString Entities(const QString& escaped) {
    QString out = escaped;
    out.replace(kMinus, QLatin1String("&minus;"));
    out.replace(kTimes, QLatin1String("&times;"));
    out.replace(kDivide, QLatin1String("&divide;"));
    return out;
}

// Boxes, bold and fractions; the text between them escaped.
const QRegularExpression& InlineTokens() {
    static const QRegularExpression tokens(
        QStringLiteral("\\[ \\]|\\*\\*(.+?)\\*\\*|\\{([0-9]+) ([0-9]+)/([0-9]+)\\}|"
                       "\\{([0-9]+)/([0-9]+)\\}"));
    return tokens;
}

const QRegularExpression& PictureToken() {
    static const QRegularExpression pic(QStringLiteral("\\[pic ([A-Za-z0-9_-]+)\\]"));
    return pic;
}

QString Stacked(const QString& numerator, const QString& denominator) {
    return QStringLiteral("<span class=\"frac\"><span class=\"num\">%1</span>"
                          "<span class=\"den\">%2</span></span>")
        .arg(numerator, denominator);
}

QString InlineOf(const QString& signedText, BoxCounter* boxes) {
    QString out;
    qsizetype at = 0;
    auto it = InlineTokens().globalMatch(signedText);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += Entities(signedText.mid(at, m.capturedStart() - at).toHtmlEscaped());
        at = m.capturedEnd();
        if (m.captured(0) == QLatin1String("[ ]")) {
            if (boxes && boxes->label)
                out += QStringLiteral("<b>%1</b>&nbsp;").arg(html::PartLabel(boxes->next));
            if (boxes)
                ++boxes->next;
            out += html::Box();
        } else if (m.capturedLength(1) > 0) {
            out += QStringLiteral("<b>") + InlineOf(m.captured(1), boxes) + QStringLiteral("</b>");
        } else if (m.capturedLength(2) > 0) {
            out += QStringLiteral("<span class=\"mixed\">%1%2</span>")
                       .arg(m.captured(2), Stacked(m.captured(3), m.captured(4)));
        } else {
            out += Stacked(m.captured(5), m.captured(6));
        }
    }
    out += Entities(signedText.mid(at).toHtmlEscaped());
    return out;
}

} // namespace

QString WithSigns(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        QStringList tokens = line.split(QLatin1Char(' '));
        for (int i = 1; i + 1 < tokens.size(); ++i) {
            const QString& t = tokens.at(i);
            if (t.size() != 1 || !EndsLikeNumber(tokens.at(i - 1)) ||
                !StartsLikeNumber(tokens.at(i + 1)))
                continue;
            if (t == QLatin1String("-"))
                tokens[i] = kMinus;
            else if (t == QLatin1String("x"))
                tokens[i] = kTimes;
            else if (t == QLatin1String("/"))
                tokens[i] = kDivide;
        }
        line = tokens.join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('\n'));
}

QString InlineHtml(const QString& text, BoxCounter* boxes) {
    return InlineOf(WithSigns(text.simplified()), boxes);
}

QString BlockHtml(const QString& text, BoxCounter* boxes,
                  const std::function<QString(const QString&)>& picture) {
    QString out;
    QStringList paragraph;
    const auto flush = [&]() {
        const QString joined = paragraph.join(QLatin1Char(' ')).simplified();
        if (!joined.isEmpty())
            out += QStringLiteral("<p>") + InlineHtml(joined, boxes) + QStringLiteral("</p>\n");
        paragraph.clear();
    };
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty()) {
            flush();
            continue;
        }
        // A picture stands on a line of its own, even when written inside one.
        qsizetype at = 0;
        auto it = PictureToken().globalMatch(line);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            paragraph << line.mid(at, m.capturedStart() - at);
            flush();
            out += picture(m.captured(1)) + QLatin1Char('\n');
            at = m.capturedEnd();
        }
        paragraph << line.mid(at);
    }
    flush();
    return out;
}

int CountBoxes(const QString& text) {
    return int(text.count(QLatin1String("[ ]")));
}

QStringList PictureRefs(const QString& text) {
    QStringList names;
    auto it = PictureToken().globalMatch(text);
    while (it.hasNext())
        names << it.next().captured(1);
    return names;
}

QString PlainText(const QString& text) {
    QString plain = text;
    plain.remove(PictureToken());
    static const QRegularExpression bold(QStringLiteral("\\*\\*(.+?)\\*\\*"));
    plain.replace(bold, QStringLiteral("\\1"));
    static const QRegularExpression fraction(QStringLiteral("\\{([0-9 /]+)\\}"));
    plain.replace(fraction, QStringLiteral("\\1"));
    return WithSigns(plain.simplified());
}

} // namespace bank::source
