#include "Markup.h"

#include "../bank/Bank.h"

#include <QRegularExpression>

namespace bank::source {

namespace {

const QChar Minus(0x2212);
const QChar Times(0x00d7);
const QChar Divide(0x00f7);

bool endsLikeNumber(const QString& token) {
    if (token.isEmpty())
        return false;
    for (QChar c : token) {
        if (c.isDigit())
            return true;
    }
    return QStringLiteral(")]}?").contains(token.back());
}

bool startsLikeNumber(const QString& token) {
    if (token.isEmpty())
        return false;
    const QChar c = token.front();
    return c.isDigit() || QStringLiteral("([{?\u00a3").contains(c);
}

QString entities(const QString& escaped) {
    QString out = escaped;
    out.replace(Minus, QLatin1String("&minus;"));
    out.replace(Times, QLatin1String("&times;"));
    out.replace(Divide, QLatin1String("&divide;"));
    return out;
}

// Boxes, bold and fractions; the text between them escaped.
const QRegularExpression& inlineTokens() {
    static const QRegularExpression tokens(
        QStringLiteral("\\[ \\]|\\*\\*(.+?)\\*\\*|\\{([0-9]+) ([0-9]+)/([0-9]+)\\}|"
                       "\\{([0-9]+)/([0-9]+)\\}"));
    return tokens;
}

const QRegularExpression& pictureToken() {
    static const QRegularExpression pic(QStringLiteral("\\[pic ([A-Za-z0-9_-]+)\\]"));
    return pic;
}

QString stacked(const QString& numerator, const QString& denominator) {
    return QStringLiteral("<span class=\"frac\"><span class=\"num\">%1</span>"
                          "<span class=\"den\">%2</span></span>")
        .arg(numerator, denominator);
}

QString inlineOf(const QString& signedText, BoxCounter* boxes) {
    QString out;
    qsizetype at = 0;
    auto it = inlineTokens().globalMatch(signedText);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += entities(signedText.mid(at, m.capturedStart() - at).toHtmlEscaped());
        at = m.capturedEnd();
        if (m.captured(0) == QLatin1String("[ ]")) {
            if (boxes && boxes->label)
                out += QStringLiteral("<b>%1</b>&nbsp;").arg(html::partLabel(boxes->next));
            if (boxes)
                ++boxes->next;
            out += html::Box();
        } else if (m.capturedLength(1) > 0) {
            out += QStringLiteral("<b>") + inlineOf(m.captured(1), boxes) + QStringLiteral("</b>");
        } else if (m.capturedLength(2) > 0) {
            out += QStringLiteral("<span class=\"mixed\">%1%2</span>")
                       .arg(m.captured(2), stacked(m.captured(3), m.captured(4)));
        } else {
            out += stacked(m.captured(5), m.captured(6));
        }
    }
    out += entities(signedText.mid(at).toHtmlEscaped());
    return out;
}

} // namespace

QString withSigns(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        QStringList tokens = line.split(QLatin1Char(' '));
        for (int i = 1; i + 1 < tokens.size(); ++i) {
            const QString& t = tokens.at(i);
            if (t.size() != 1 || !endsLikeNumber(tokens.at(i - 1)) ||
                !startsLikeNumber(tokens.at(i + 1)))
                continue;
            if (t == QLatin1String("-"))
                tokens[i] = Minus;
            else if (t == QLatin1String("x"))
                tokens[i] = Times;
            else if (t == QLatin1String("/"))
                tokens[i] = Divide;
        }
        line = tokens.join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('\n'));
}

QString inlineHtml(const QString& text, BoxCounter* boxes) {
    return inlineOf(withSigns(text.simplified()), boxes);
}

QString blockHtml(const QString& text, BoxCounter* boxes,
                  const std::function<QString(const QString&)>& picture) {
    QString out;
    QStringList paragraph;
    const auto flush = [&]() {
        const QString joined = paragraph.join(QLatin1Char(' ')).simplified();
        if (!joined.isEmpty())
            out += QStringLiteral("<p>") + inlineHtml(joined, boxes) + QStringLiteral("</p>\n");
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
        auto it = pictureToken().globalMatch(line);
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

int countBoxes(const QString& text) {
    return int(text.count(QLatin1String("[ ]")));
}

QStringList pictureRefs(const QString& text) {
    QStringList names;
    auto it = pictureToken().globalMatch(text);
    while (it.hasNext())
        names << it.next().captured(1);
    return names;
}

QString plainTextOf(const QString& text) {
    QString plain = text;
    plain.remove(pictureToken());
    static const QRegularExpression bold(QStringLiteral("\\*\\*(.+?)\\*\\*"));
    plain.replace(bold, QStringLiteral("\\1"));
    static const QRegularExpression fraction(QStringLiteral("\\{([0-9 /]+)\\}"));
    plain.replace(fraction, QStringLiteral("\\1"));
    return withSigns(plain.simplified());
}

} // namespace bank::source
