#include "practice/QuestionWorking.h"

#include <QHash>
#include <QRegularExpression>

namespace {

constexpr auto Caseless = QRegularExpression::CaseInsensitiveOption;
constexpr auto AcrossLines = QRegularExpression::DotMatchesEverythingOption;

// Start and end of what lies inside the document's <body> element; the
// whole text after any head when it has no body tag.
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

} // namespace

namespace QuestionWorking {

QString Section(const QString& workingHtml) {
    qsizetype from = 0;
    qsizetype to = 0;
    bodyRange(workingHtml, &from, &to);
    static const QRegularExpression style(QStringLiteral("<style\\b[^>]*>.*?</style\\s*>"),
                                          Caseless | AcrossLines);
    QString styles;
    const QString head = workingHtml.left(from);
    for (auto it = style.globalMatch(head); it.hasNext();) {
        styles += it.next().captured(0);
        styles += QLatin1Char('\n');
    }
    return styles + workingHtml.mid(from, to - from).trimmed();
}

QString PageWithWorking(const QString& pageHtml, const QString& workingHtml) {
    const QString block =
        QStringLiteral("\n<div id=\"%1\" style=\"clear: both; margin-top: 28px; padding-top: 12px; "
                       "border-top: 3px dashed #9db7e0;\">\n"
                       // A heading no larger than the question's text unless the
                       // working's own style says otherwise (:where adds no weight).
                       "<style>:where(#%1) h2 { font-size: 1.1em; margin: 0 0 0.6em 0; }</style>\n"
                       "%2\n</div>\n")
            .arg(QLatin1String(Anchor), Section(workingHtml));
    qsizetype at = pageHtml.lastIndexOf(QLatin1String("</body"), -1, Qt::CaseInsensitive);
    if (at < 0) {
        at = pageHtml.lastIndexOf(QLatin1String("</html"), -1, Qt::CaseInsensitive);
    }
    if (at < 0) {
        return pageHtml + block;
    }
    QString page = pageHtml;
    page.insert(at, block);
    return page;
}

QStringList PlainText(const QString& workingHtml) {
    qsizetype from = 0;
    qsizetype to = 0;
    bodyRange(workingHtml, &from, &to);
    QString text = workingHtml.mid(from, to - from);

    static const QRegularExpression hidden(
        QStringLiteral("<!--.*?-->|<(style|script)\\b[^>]*>.*?</\\1\\s*>"), Caseless | AcrossLines);
    text.remove(hidden);
    // Line ends in the source are spaces; lines come from the elements only.
    static const QRegularExpression sourceBreaks(QStringLiteral("[\\r\\n]+"));
    text.replace(sourceBreaks, QStringLiteral(" "));
    static const QRegularExpression picture(QStringLiteral("<img\\b[^>]*>"), Caseless);
    static const QRegularExpression alt(
        QStringLiteral("\\balt\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s\"'>]+))"), Caseless);
    QString withPictures;
    qsizetype last = 0;
    for (auto it = picture.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        withPictures += QStringView(text).mid(last, m.capturedStart() - last);
        const QRegularExpressionMatch a = alt.match(m.captured(0));
        QString words;
        for (int g = 1; g <= 3 && a.hasMatch(); ++g) {
            words += a.captured(g);
        }
        words = words.simplified();
        // Set apart from the text around it as a line of its own.
        withPictures += QStringLiteral("\n[picture%1]\n")
                            .arg(words.isEmpty() ? QString() : QStringLiteral(": ") + words);
        last = m.capturedEnd();
    }
    withPictures += QStringView(text).mid(last);

    static const QRegularExpression breaks(
        QStringLiteral("<(?:br|/?(?:p|h[1-6]|li|ul|ol|div|section|table|tr|blockquote))\\b[^>]*>"),
        Caseless);
    withPictures.replace(breaks, QStringLiteral("\n"));
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    withPictures.remove(tag);

    QStringList lines;
    for (const QString& line : withPictures.split(QLatin1Char('\n'))) {
        const QString clean = decodeEntities(line.simplified()).trimmed();
        if (!clean.isEmpty()) {
            lines << clean;
        }
    }
    return lines;
}

} // namespace QuestionWorking
