#include "Bank.h"

namespace bank::html {

QString escape(const QString& text) {
    return text.toHtmlEscaped();
}

QString Img(const QString& name, const QString& alt) {
    return QStringLiteral("<img src=\"%1\" alt=\"%2\">").arg(escape(name), escape(alt));
}

QString partLabel(int index) {
    return QStringLiteral("(%1)").arg(QChar(u'a' + index));
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

} // namespace bank::html
