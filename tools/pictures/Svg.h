#pragma once
// SVG elements as text, with numbers written the same way on every machine,
// and the palette every picture shares.

#include <QList>
#include <QPointF>
#include <QString>

namespace bank::pictures {

// Navy lettering, blue accents, soft fills.
constexpr char Navy[] = "#1f2a44";
constexpr char Blue[] = "#2a6fdb";
constexpr char PaleBlue[] = "#dbe8fb";
constexpr char MidBlue[] = "#9fc0f2";
constexpr char Line[] = "#b8c4d6"; // grid lines, faint marks
constexpr char Red[] = "#d63a3a";  // pointers, liquid
constexpr char White[] = "#ffffff";
constexpr char Cream[] = "#fff8e6";

inline QString navy() {
    return QString::fromLatin1(Navy);
}
inline QString blue() {
    return QString::fromLatin1(Blue);
}

// A soft fill and its stronger edge, by index (cycling).
QString soft(int index);
QString Edge(int index);

// A number as short, stable text: at most three decimals, no trailing zeros,
// never "-0".
QString num(double value);

// A number or label as a pupil reads it: a leading "-" becomes a minus sign.
QString shown(const QString& text);
inline QString shown(double value) {
    return shown(num(value));
}

enum class Anchor { Start, Middle, End };

// The width lettering takes, from fixed letter widths (no font is measured,
// so the layout is the same everywhere; generous, so real fonts fit).
double textWidth(const QString& text, double size, bool bold = true);

struct Style {
    Style(const QString& fill, const QString& stroke, double width,
          const QString& extra = QString())
        : fill(fill), stroke(stroke), width(width), extra(extra) {}
    QString fill;
    QString stroke;
    double width;
    QString extra; // further attributes, e.g. class="..."
};

QString line(QPointF a, QPointF b, const QString& stroke, double width,
             const QString& extra = QString());
QString rect(double x, double y, double w, double h, const Style& style, double radius = 0);
QString circle(QPointF centre, double r, const Style& style);
QString ellipse(QPointF centre, double rx, double ry, const Style& style);
QString polygon(const QList<QPointF>& points, const Style& style);
QString polyline(const QList<QPointF>& points, const Style& style);
QString path(const QString& d, const Style& style);
// Lettering with its baseline at y.
QString textAt(double x, double y, const QString& text, double size, Anchor anchor = Anchor::Middle,
               bool bold = true, const QString& fill = QString::fromLatin1(Navy));
// Lettering centred on (x, y) as a whole, for labels inside shapes.
QString centredText(QPointF centre, const QString& text, double size, bool bold = true,
                    const QString& fill = QString::fromLatin1(Navy));
QString grouped(const QString& body, const QString& attributes);
QString translate(double x, double y, const QString& body);
// A solid arrow head whose tip is at `tip`, pointing along from -> tip.
QString arrowHead(QPointF from, QPointF tip, double size, const QString& fill);

// The point at `length` from centre in the direction `degrees` clockwise from up.
QPointF polar(QPointF centre, double length, double degrees);
QList<QPointF> regularPolygon(QPointF centre, double r, int sides, double startDegrees = 0);

// The whole document around a body of width x height.
QByteArray Document(double width, double height, const QString& body);

} // namespace bank::pictures
