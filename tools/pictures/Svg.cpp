#include "Svg.h"

#include <QStringList>
#include <cmath>

namespace bank::pictures {

namespace {

constexpr double Pi = 3.14159265358979323846;

QString attributes(const Style& s) {
    QString out = QStringLiteral(" fill=\"%1\" stroke=\"%2\"").arg(s.fill, s.stroke);
    if (s.stroke != QLatin1String("none"))
        out += QStringLiteral(" stroke-width=\"%1\"").arg(num(s.width));
    if (!s.extra.isEmpty())
        out += QLatin1Char(' ') + s.extra;
    return out;
}

QString pointsAttribute(const QList<QPointF>& points) {
    QStringList coords;
    for (const QPointF& p : points)
        coords << num(p.x()) + QLatin1Char(',') + num(p.y());
    return coords.join(QLatin1Char(' '));
}

QString anchorName(Anchor anchor) {
    switch (anchor) {
    case Anchor::Start:
        return QStringLiteral("start");
    case Anchor::End:
        return QStringLiteral("end");
    case Anchor::Middle:
        break;
    }
    return QStringLiteral("middle");
}

} // namespace

namespace {

// Fill and edge of each soft colour, in the order pictures take them.
struct Tint {
    const char* fill;
    const char* edge;
};
constexpr Tint Tints[] = {{"#dbe8fb", "#2a6fdb"}, {"#fdebc8", "#c98a12"}, {"#d8f1e0", "#2f9a5c"},
                          {"#fbdde8", "#c8467a"}, {"#e6e0fa", "#6f55c9"}, {"#fde3cf", "#d4702a"},
                          {"#d4f0f4", "#1f96a8"}};
constexpr int TintCount = int(sizeof(Tints) / sizeof(Tints[0]));

const Tint& tintAt(int index) {
    return Tints[((index % TintCount) + TintCount) % TintCount];
}

} // namespace

QString soft(int index) {
    return QString::fromLatin1(tintAt(index).fill);
}

QString Edge(int index) {
    return QString::fromLatin1(tintAt(index).edge);
}

QString num(double value) {
    // Thousandths at most; "-0" would differ from "0" for no reason.
    const double thousandths = std::round(value * 1000.0);
    QString text = QString::number(thousandths == 0 ? 0.0 : thousandths / 1000.0, 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString shown(const QString& text) {
    if (text.startsWith(QLatin1Char('-')))
        return QChar(0x2212) + text.mid(1);
    return text;
}

double textWidth(const QString& text, double size, bool bold) {
    double em = 0;
    for (const QChar c : text) {
        if (QStringLiteral("iljI.,:;'!|").contains(c))
            em += 0.34;
        else if (QStringLiteral("frt()[] -").contains(c))
            em += 0.46;
        else if (QStringLiteral("mwMW@%").contains(c))
            em += 1.0;
        else if (c.isUpper() || c == QChar(0x00A3) || c == QChar(0x2212))
            em += 0.78;
        else
            em += 0.66;
    }
    return em * size * (bold ? 1.1 : 1.0);
}

QString line(QPointF a, QPointF b, const QString& stroke, double width, const QString& extra) {
    return QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" "
                          "stroke-width=\"%6\"%7/>\n")
        .arg(num(a.x()), num(a.y()), num(b.x()), num(b.y()), stroke, num(width),
             extra.isEmpty() ? QString() : QLatin1Char(' ') + extra);
}

QString rect(double x, double y, double w, double h, const Style& style, double radius) {
    const QString round = radius > 0 ? QStringLiteral(" rx=\"%1\"").arg(num(radius)) : QString();
    return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"%5%6/>\n")
        .arg(num(x), num(y), num(w), num(h), round, attributes(style));
}

QString circle(QPointF centre, double r, const Style& style) {
    return QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\"%4/>\n")
        .arg(num(centre.x()), num(centre.y()), num(r), attributes(style));
}

QString ellipse(QPointF centre, double rx, double ry, const Style& style) {
    return QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\"%5/>\n")
        .arg(num(centre.x()), num(centre.y()), num(rx), num(ry), attributes(style));
}

QString polygon(const QList<QPointF>& points, const Style& style) {
    return QStringLiteral("<polygon points=\"%1\" stroke-linejoin=\"round\"%2/>\n")
        .arg(pointsAttribute(points), attributes(style));
}

QString polyline(const QList<QPointF>& points, const Style& style) {
    return QStringLiteral("<polyline points=\"%1\" stroke-linejoin=\"round\"%2/>\n")
        .arg(pointsAttribute(points), attributes(style));
}

QString path(const QString& d, const Style& style) {
    return QStringLiteral("<path d=\"%1\"%2/>\n").arg(d, attributes(style));
}

QString textAt(double x, double y, const QString& text, double size, Anchor anchor, bool bold,
               const QString& fill) {
    return QStringLiteral("<text x=\"%1\" y=\"%2\" font-size=\"%3\"%4 text-anchor=\"%5\" "
                          "fill=\"%6\">%7</text>\n")
        .arg(num(x), num(y), num(size), bold ? QStringLiteral(" font-weight=\"bold\"") : QString(),
             anchorName(anchor), fill, text.toHtmlEscaped());
}

QString centredText(QPointF centre, const QString& text, double size, bool bold,
                    const QString& fill) {
    // Capitals and digits stand about 0.72 of the size above the baseline.
    return textAt(centre.x(), centre.y() + size * 0.36, text, size, Anchor::Middle, bold, fill);
}

QString grouped(const QString& body, const QString& attributes) {
    return QStringLiteral("<g %1>\n%2</g>\n").arg(attributes, body);
}

QString translate(double x, double y, const QString& body) {
    return grouped(body, QStringLiteral("transform=\"translate(%1 %2)\"").arg(num(x), num(y)));
}

QString arrowHead(QPointF from, QPointF tip, double size, const QString& fill) {
    const double dx = tip.x() - from.x(), dy = tip.y() - from.y();
    const double len = std::hypot(dx, dy);
    if (len <= 0)
        return QString();
    const double ux = dx / len, uy = dy / len;
    const QPointF base(tip.x() - ux * size, tip.y() - uy * size);
    const QPointF side(-uy * size * 0.5, ux * size * 0.5);
    return polygon({tip, base + side, base - side}, {fill, fill, 1});
}

QPointF polar(QPointF centre, double length, double degrees) {
    const double a = degrees * Pi / 180.0;
    return {centre.x() + length * std::sin(a), centre.y() - length * std::cos(a)};
}

QList<QPointF> regularPolygon(QPointF centre, double r, int sides, double startDegrees) {
    QList<QPointF> points;
    for (int i = 0; i < sides; ++i)
        points << polar(centre, r, startDegrees + 360.0 * i / sides);
    return points;
}

QByteArray Document(double width, double height, const QString& body) {
    const QString w = QString::number(int(std::ceil(width)));
    const QString h = QString::number(int(std::ceil(height)));
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                          "viewBox=\"0 0 %1 %2\" font-family=\"'DejaVu Sans', Verdana, Arial, "
                          "sans-serif\">\n%3</svg>\n")
        .arg(w, h, body)
        .toUtf8();
}

} // namespace bank::pictures
