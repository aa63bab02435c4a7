#pragma once
// SVG elements as text, with numbers written the same way on every machine,
// and the palette every picture shares.

#include <QList>
#include <QPointF>
#include <QString>

namespace bank::pictures {

// Navy lettering, blue accents, soft fills.
constexpr char kNavy[] = "#1f2a44";
constexpr char kBlue[] = "#2a6fdb";
constexpr char kPaleBlue[] = "#dbe8fb";
constexpr char kMidBlue[] = "#9fc0f2";
constexpr char kLine[] = "#b8c4d6"; // grid lines, faint marks
constexpr char kRed[] = "#d63a3a";  // pointers, liquid
constexpr char kWhite[] = "#ffffff";
constexpr char kCream[] = "#fff8e6";

inline QString Navy() {
    return QString::fromLatin1(kNavy);
}
inline QString Blue() {
    return QString::fromLatin1(kBlue);
}

// A soft fill and its stronger edge, by index (cycling).
QString Soft(int index);
QString Edge(int index);

// A number as short, stable text: at most three decimals, no trailing zeros,
// never "-0".
QString Num(double value);

// A number or label as a pupil reads it: a leading "-" becomes a minus sign.
QString Shown(const QString& text);
inline QString Shown(double value) {
    return Shown(Num(value));
}

enum class Anchor { Start, Middle, End };

// The width lettering takes, from fixed letter widths (no font is measured,
// so the layout is the same everywhere; generous, so real fonts fit).
double TextWidth(const QString& text, double size, bool bold = true);

struct Style {
    Style(const QString& fill, const QString& stroke, double width,
          const QString& extra = QString())
        : fill(fill), stroke(stroke), width(width), extra(extra) {}
    QString fill;
    QString stroke;
    double width;
    QString extra; // further attributes, e.g. class="..."
};

QString Line(QPointF a, QPointF b, const QString& stroke, double width,
             const QString& extra = QString());
QString Rect(double x, double y, double w, double h, const Style& style, double radius = 0);
QString Circle(QPointF centre, double r, const Style& style);
QString Ellipse(QPointF centre, double rx, double ry, const Style& style);
QString Polygon(const QList<QPointF>& points, const Style& style);
QString Polyline(const QList<QPointF>& points, const Style& style);
QString Path(const QString& d, const Style& style);
// Lettering with its baseline at y.
QString Text(double x, double y, const QString& text, double size, Anchor anchor = Anchor::Middle,
             bool bold = true, const QString& fill = QString::fromLatin1(kNavy));
// Lettering centred on (x, y) as a whole, for labels inside shapes.
QString CentredText(QPointF centre, const QString& text, double size, bool bold = true,
                    const QString& fill = QString::fromLatin1(kNavy));
QString Group(const QString& body, const QString& attributes);
QString Translate(double x, double y, const QString& body);
// A solid arrow head whose tip is at `tip`, pointing along from -> tip.
QString ArrowHead(QPointF from, QPointF tip, double size, const QString& fill);

// The point at `length` from centre in the direction `degrees` clockwise from up.
QPointF Polar(QPointF centre, double length, double degrees);
QList<QPointF> RegularPolygon(QPointF centre, double r, int sides, double startDegrees = 0);

// The whole document around a body of width x height.
QByteArray Document(double width, double height, const QString& body);

} // namespace bank::pictures
