#include "Bank.h"

namespace bank::html {

QString Escape(const QString& text) {
    return text.toHtmlEscaped();
}

QString Img(const QString& name, const QString& alt) {
    return QStringLiteral("<img src=\"%1\" alt=\"%2\">").arg(Escape(name), Escape(alt));
}

QString PartLabel(int index) {
    return QStringLiteral("(%1)").arg(QChar(u'a' + index));
}

QString Parts(const QStringList& items) {
    // Labelled by hand: a list's own markers would read "a." where the answer
    // sheet says "(a)".
    QString out = QStringLiteral("<table class=\"parts\">\n");
    for (int i = 0; i < items.size(); ++i) {
        out += QStringLiteral("<tr><td class=\"label\">%1</td><td>%2</td></tr>\n")
                   .arg(PartLabel(i), items.at(i));
    }
    return out + QStringLiteral("</table>\n");
}

QString Options(const QStringList& items) {
    QString out = QStringLiteral("<table class=\"options\">\n");
    for (int i = 0; i < items.size(); ++i) {
        out += QStringLiteral("<tr><td class=\"number\"><span class=\"badge\">%1</span></td>"
                              "<td>%2</td></tr>\n")
                   .arg(i + 1)
                   .arg(items.at(i));
    }
    return out + QStringLiteral("</table>\n");
}

QString Box() {
    return QStringLiteral("<span class=\"box\"></span>");
}

QString Fraction(int numerator, int denominator, int whole) {
    const QString stacked = QStringLiteral("<span class=\"frac\"><span class=\"num\">%1</span>"
                                           "<span class=\"den\">%2</span></span>")
                                .arg(numerator)
                                .arg(denominator);
    if (whole > 0)
        return QStringLiteral("<span class=\"mixed\">%1%2</span>").arg(whole).arg(stacked);
    return stacked;
}

} // namespace bank::html
