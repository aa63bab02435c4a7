#include "Bank.h"

namespace bank::svg {

QByteArray Document(int width, int height, const QString& body) {
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                          "viewBox=\"0 0 %1 %2\">%3</svg>\n")
        .arg(width)
        .arg(height)
        .arg(body)
        .toUtf8();
}
QString Clock(double cx, double cy, double r, int, int) {
    return QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\"/>").arg(cx).arg(cy).arg(r);
}
QString Ruler(double x, double y, double lengthCm, double pxPerCm) {
    return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"30\"/>")
        .arg(x)
        .arg(y)
        .arg(lengthCm * pxPerCm);
}
QString GridShape(const QList<QPair<int, int>>&, int, int, double) {
    return {};
}
QString FractionBar(int, int, double, double, double, double) {
    return {};
}
QString FractionCircle(int, int, double, double, double) {
    return {};
}
QString Coin(double, double, double, const QString&) {
    return {};
}
QString Note(double, double, double, double, const QString&) {
    return {};
}
QString Scale(double, double, double, int, int, double, const QString&) {
    return {};
}
QString CubeStack(const QList<int>&, double, double, double) {
    return {};
}
QString Text(double x, double y, const QString& text, int size, const QString& anchor) {
    return QStringLiteral("<text x=\"%1\" y=\"%2\" font-size=\"%3\" text-anchor=\"%4\">%5</text>")
        .arg(x)
        .arg(y)
        .arg(size)
        .arg(anchor, text.toHtmlEscaped());
}

} // namespace bank::svg
