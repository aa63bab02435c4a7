#pragma once
// Small drawing helpers shared by the picture makers.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

class ArtKit {
public:
    // An opaque (or, for transparent, fully clear) ARGB canvas.
    static QImage canvas(int width, int height, const QColor& fill);
    static QColor mix(const QColor& a, const QColor& b, double t);
    static void prepare(QPainter& p);
    // A rounded box with a vertical gradient and a one-pixel border.
    static void roundedBox(QPainter& p, const QRectF& box, double radius, const QColor& top,
                           const QColor& bottom, const QColor& border);
    // Greys a picture out: desaturated and faded towards the background.
    static QImage greyed(const QImage& picture, const QColor& background, double fade);
    // Pixels whose centre lies outside shape take the outline colour, and so
    // do inside pixels next to the outside: a crisp one-pixel rim that follows
    // the window outline exactly.
    static void rimOutside(QImage& image, const QPolygonF& shape, const QColor& outline);
    static QPainterPath roundedRect(const QRectF& r, double radius);

    // Exact conversions between premultiplied and straight alpha, rounded to
    // the nearest level. QImage's own conversion from premultiplied divides by
    // an approximate reciprocal on processors with SSE4.1 or AVX2, which gives
    // results one level apart on different processors; the files written must
    // be the same everywhere, so every straight-alpha pixel comes from here.
    static QRgb straight(QRgb premultiplied);
    static QRgb premultiplied(QRgb straight);
    // The picture in Format_ARGB32 (straight alpha), converted exactly.
    static QImage straightAlpha(const QImage& picture);
};
