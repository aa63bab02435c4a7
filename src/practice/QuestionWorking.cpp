#include "practice/QuestionWorking.h"

#include "practice/HtmlText.h"

#include <QRegularExpression>

namespace {

constexpr auto Caseless = QRegularExpression::CaseInsensitiveOption;
constexpr auto AcrossLines = QRegularExpression::DotMatchesEverythingOption;

} // namespace

namespace QuestionWorking {

QString section(const QString& workingHtml) {
    qsizetype from = 0;
    qsizetype to = 0;
    HtmlText::bodyRange(workingHtml, &from, &to);
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

QString pageWithWorkingShown(const QString& pageHtml, const QString& workingHtml) {
    const QString block =
        QStringLiteral("\n<div id=\"%1\" style=\"clear: both; margin-top: 28px; padding-top: 12px; "
                       "border-top: 3px dashed #9db7e0;\">\n"
                       // A heading no larger than the question's text unless the
                       // working's own style says otherwise (:where adds no weight).
                       "<style>:where(#%1) h2 { font-size: 1.1em; margin: 0 0 0.6em 0; }</style>\n"
                       "%2\n</div>\n")
            .arg(QLatin1String(Anchor), section(workingHtml));
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

QStringList plainTextLines(const QString& workingHtml) {
    qsizetype from = 0;
    qsizetype to = 0;
    HtmlText::bodyRange(workingHtml, &from, &to);
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
        const QString clean = HtmlText::decodeEntities(line.simplified()).trimmed();
        if (!clean.isEmpty()) {
            lines << clean;
        }
    }
    return lines;
}

} // namespace QuestionWorking
