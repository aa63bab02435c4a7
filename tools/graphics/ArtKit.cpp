#include "ArtKit.h"

#include <QLinearGradient>

#include <algorithm>

QImage ArtKit::canvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QColor ArtKit::mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

void ArtKit::prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
}

void ArtKit::roundedBox(QPainter& p, const QRectF& box, double radius, const QColor& top,
                        const QColor& bottom, const QColor& border) {
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(QPen(border, 1));
    p.setBrush(g);
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

QImage ArtKit::greyed(const QImage& picture, const QColor& background, double fade) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb colour = straight(line[x]);
            const int grey = qGray(colour);
            const auto blend = [&](int bg) { return int(grey + (bg - grey) * fade + 0.5); };
            line[x] = premultiplied(qRgba(blend(background.red()), blend(background.green()),
                                          blend(background.blue()), qAlpha(colour)));
        }
    }
    return out;
}

void ArtKit::rimOutside(QImage& image, const QPolygonF& shape, const QColor& outline) {
    const auto inside = [&](int x, int y) {
        return shape.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::WindingFill);
    };
    const QRgb rim = outline.rgba();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool edge = !inside(x, y) || !inside(x - 1, y) || !inside(x + 1, y) ||
                              !inside(x, y - 1) || !inside(x, y + 1);
            if (edge)
                image.setPixel(x, y, rim);
        }
    }
}

QPainterPath ArtKit::roundedRect(const QRectF& r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QRgb ArtKit::straight(QRgb p) {
    const int a = qAlpha(p);
    if (a == 255)
        return p;
    if (a == 0)
        return 0;
    const auto channel = [a](int c) { return std::min(255, (c * 255 + a / 2) / a); };
    return qRgba(channel(qRed(p)), channel(qGreen(p)), channel(qBlue(p)), a);
}

QRgb ArtKit::premultiplied(QRgb p) {
    const int a = qAlpha(p);
    if (a == 255)
        return p;
    const auto channel = [a](int c) { return (c * a + 127) / 255; };
    return qRgba(channel(qRed(p)), channel(qGreen(p)), channel(qBlue(p)), a);
}

QImage ArtKit::straightAlpha(const QImage& picture) {
    if (picture.format() == QImage::Format_ARGB32)
        return picture;
    // To premultiplied first: from any format that is exact (it only ever
    // multiplies), and a no-op for the canvases the pictures are drawn on.
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(source.size(), QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x)
            line[x] = straight(in[x]);
    }
    return out;
}
