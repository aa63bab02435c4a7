#include "practice/HtmlText.h"

#include <QHash>
#include <QRegularExpression>

namespace HtmlText {

namespace {
constexpr auto Caseless = QRegularExpression::CaseInsensitiveOption;
}

void bodyRange(const QString& html, qsizetype* from, qsizetype* to) {
    static const QRegularExpression bodyOpen(QStringLiteral("<body\\b[^>]*>"), Caseless);
    static const QRegularExpression headClose(QStringLiteral("</head\\s*>"), Caseless);
    const QRegularExpressionMatch open = bodyOpen.match(html);
    if (open.hasMatch()) {
        *from = open.capturedEnd();
    } else {
        const QRegularExpressionMatch head = headClose.match(html);
        *from = head.hasMatch() ? head.capturedEnd() : 0;
    }
    *to = html.lastIndexOf(QLatin1String("</body"), -1, Qt::CaseInsensitive);
    if (*to < *from) {
        *to = html.lastIndexOf(QLatin1String("</html"), -1, Qt::CaseInsensitive);
    }
    if (*to < *from) {
        *to = html.size();
    }
}

QString decodeEntities(const QString& text) {
    static const QHash<QString, QString> named{
        {QStringLiteral("amp"), QStringLiteral("&")},
        {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},
        {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")},
        {QStringLiteral("nbsp"), QStringLiteral(" ")},
        {QStringLiteral("pound"), QStringLiteral("\u00a3")},
        {QStringLiteral("euro"), QStringLiteral("\u20ac")},
        {QStringLiteral("times"), QStringLiteral("\u00d7")},
        {QStringLiteral("divide"), QStringLiteral("\u00f7")},
        {QStringLiteral("minus"), QStringLiteral("\u2212")},
        {QStringLiteral("frac12"), QStringLiteral("\u00bd")},
        {QStringLiteral("frac14"), QStringLiteral("\u00bc")},
        {QStringLiteral("frac34"), QStringLiteral("\u00be")},
        {QStringLiteral("deg"), QStringLiteral("\u00b0")},
        {QStringLiteral("middot"), QStringLiteral("\u00b7")},
        {QStringLiteral("ndash"), QStringLiteral("\u2013")},
        {QStringLiteral("mdash"), QStringLiteral("\u2014")},
        {QStringLiteral("hellip"), QStringLiteral("\u2026")},
        {QStringLiteral("lsquo"), QStringLiteral("\u2018")},
        {QStringLiteral("rsquo"), QStringLiteral("\u2019")},
        {QStringLiteral("ldquo"), QStringLiteral("\u201c")},
        {QStringLiteral("rdquo"), QStringLiteral("\u201d")},
    };
    static const QRegularExpression entity(
        QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|[a-zA-Z][a-zA-Z0-9]{1,9});"));
    QString out;
    qsizetype last = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString name = m.captured(1);
        QString replacement;
        if (name.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            const bool hex =
                name.size() > 1 && (name[1] == QLatin1Char('x') || name[1] == QLatin1Char('X'));
            const uint code = hex ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
            // Only characters that can be text: no NUL, no surrogates.
            if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
                const char32_t c = code;
                replacement = QString::fromUcs4(&c, 1);
            }
        } else {
            replacement = named.value(name);
        }
        if (replacement.isNull()) {
            continue; // unknown: kept as written
        }
        out += QStringView(text).mid(last, m.capturedStart() - last);
        out += replacement;
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

} // namespace HtmlText
