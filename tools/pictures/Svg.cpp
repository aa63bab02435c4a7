#include "Svg.h"

#include <QStringList>
#include <cmath>

namespace bank::pictures {

namespace {

constexpr double kPi = 3.14159265358979323846;

QString Attributes(const Style& s) {
    QString out = QStringLiteral(" fill=\"%1\" stroke=\"%2\"").arg(s.fill, s.stroke);
    if (s.stroke != QLatin1String("none"))
        out += QStringLiteral(" stroke-width=\"%1\"").arg(Num(s.width));
    if (!s.extra.isEmpty())
        out += QLatin1Char(' ') + s.extra;
    return out;
}

QString Points(const QList<QPointF>& points) {
    QStringList coords;
    for (const QPointF& p : points)
        coords << Num(p.x()) + QLatin1Char(',') + Num(p.y());
    return coords.join(QLatin1Char(' '));
}

QString AnchorName(Anchor anchor) {
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
constexpr Tint kTints[] = {{"#dbe8fb", "#2a6fdb"}, {"#fdebc8", "#c98a12"}, {"#d8f1e0", "#2f9a5c"},
                           {"#fbdde8", "#c8467a"}, {"#e6e0fa", "#6f55c9"}, {"#fde3cf", "#d4702a"},
                           {"#d4f0f4", "#1f96a8"}};
constexpr int kTintCount = int(sizeof(kTints) / sizeof(kTints[0]));

const Tint& TintAt(int index) {
    return kTints[((index % kTintCount) + kTintCount) % kTintCount];
}

} // namespace

QString Soft(int index) {
    return QString::fromLatin1(TintAt(index).fill);
}

QString Edge(int index) {
    return QString::fromLatin1(TintAt(index).edge);
}

QString Num(double value) {
    // Thousandths at most; "-0" would differ from "0" for no reason.
    const double thousandths = std::round(value * 1000.0);
    QString text = QString::number(thousandths == 0 ? 0.0 : thousandths / 1000.0, 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString Shown(const QString& text) {
    if (text.startsWith(QLatin1Char('-')))
        return QChar(0x2212) + text.mid(1);
    return text;
}

double TextWidth(const QString& text, double size, bool bold) {
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

QString Line(QPointF a, QPointF b, const QString& stroke, double width, const QString& extra) {
    return QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" "
                          "stroke-width=\"%6\"%7/>\n")
        .arg(Num(a.x()), Num(a.y()), Num(b.x()), Num(b.y()), stroke, Num(width),
             extra.isEmpty() ? QString() : QLatin1Char(' ') + extra);
}

QString Rect(double x, double y, double w, double h, const Style& style, double radius) {
    const QString round = radius > 0 ? QStringLiteral(" rx=\"%1\"").arg(Num(radius)) : QString();
    return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"%5%6/>\n")
        .arg(Num(x), Num(y), Num(w), Num(h), round, Attributes(style));
}

QString Circle(QPointF centre, double r, const Style& style) {
    return QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\"%4/>\n")
        .arg(Num(centre.x()), Num(centre.y()), Num(r), Attributes(style));
}

QString Ellipse(QPointF centre, double rx, double ry, const Style& style) {
    return QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\"%5/>\n")
        .arg(Num(centre.x()), Num(centre.y()), Num(rx), Num(ry), Attributes(style));
}

QString Polygon(const QList<QPointF>& points, const Style& style) {
    return QStringLiteral("<polygon points=\"%1\" stroke-linejoin=\"round\"%2/>\n")
        .arg(Points(points), Attributes(style));
}

QString Polyline(const QList<QPointF>& points, const Style& style) {
    return QStringLiteral("<polyline points=\"%1\" stroke-linejoin=\"round\"%2/>\n")
        .arg(Points(points), Attributes(style));
}

QString Path(const QString& d, const Style& style) {
    return QStringLiteral("<path d=\"%1\"%2/>\n").arg(d, Attributes(style));
}

QString Text(double x, double y, const QString& text, double size, Anchor anchor, bool bold,
             const QString& fill) {
    return QStringLiteral("<text x=\"%1\" y=\"%2\" font-size=\"%3\"%4 text-anchor=\"%5\" "
                          "fill=\"%6\">%7</text>\n")
        .arg(Num(x), Num(y), Num(size), bold ? QStringLiteral(" font-weight=\"bold\"") : QString(),
             AnchorName(anchor), fill, text.toHtmlEscaped());
}

QString CentredText(QPointF centre, const QString& text, double size, bool bold,
                    const QString& fill) {
    // Capitals and digits stand about 0.72 of the size above the baseline.
    return Text(centre.x(), centre.y() + size * 0.36, text, size, Anchor::Middle, bold, fill);
}

QString Group(const QString& body, const QString& attributes) {
    return QStringLiteral("<g %1>\n%2</g>\n").arg(attributes, body);
}

QString Translate(double x, double y, const QString& body) {
    return Group(body, QStringLiteral("transform=\"translate(%1 %2)\"").arg(Num(x), Num(y)));
}

QString ArrowHead(QPointF from, QPointF tip, double size, const QString& fill) {
    const double dx = tip.x() - from.x(), dy = tip.y() - from.y();
    const double len = std::hypot(dx, dy);
    if (len <= 0)
        return QString();
    const double ux = dx / len, uy = dy / len;
    const QPointF base(tip.x() - ux * size, tip.y() - uy * size);
    const QPointF side(-uy * size * 0.5, ux * size * 0.5);
    return Polygon({tip, base + side, base - side}, {fill, fill, 1});
}

QPointF Polar(QPointF centre, double length, double degrees) {
    const double a = degrees * kPi / 180.0;
    return {centre.x() + length * std::sin(a), centre.y() - length * std::cos(a)};
}

QList<QPointF> RegularPolygon(QPointF centre, double r, int sides, double startDegrees) {
    QList<QPointF> points;
    for (int i = 0; i < sides; ++i)
        points << Polar(centre, r, startDegrees + 360.0 * i / sides);
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
