#include "FrameArt.h"

#include "ArtKit.h"
#include "Look.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <cmath>

namespace {

// Row colour y (0 at the top) of the title bar.
QColor titleRow(bool active, int y) {
    const int h = Look::TitleHeight;
    if (y <= 0)
        return Look::FrameOutline;
    if (active) {
        if (y == 1)
            return QColor(168, 210, 251);
        if (y >= h - 1)
            return Look::FrameOutline;
        if (y == h - 2)
            return QColor(31, 92, 176);
        const double mid = (h - 2) / 2.0;
        if (y < mid)
            return ArtKit::mix(Look::TitleTop, Look::TitleMiddle, (y - 2) / (mid - 2));
        return ArtKit::mix(Look::TitleMiddle, Look::TitleBottom, (y - mid) / (h - 3 - mid));
    }
    if (y >= h - 1)
        return QColor(181, 192, 206);
    if (y == h - 2)
        return Look::WhiteLine;
    return ArtKit::mix(Look::WhiteTop, Look::WhiteBottom, (y - 1) / double(h - 4));
}

QImage titleGradient(int width, bool active, int firstRow, int rows) {
    QImage image = ArtKit::canvas(width, rows, Qt::white);
    QPainter p(&image);
    for (int y = 0; y < rows; ++y) {
        p.setPen(titleRow(active, firstRow + y));
        p.drawLine(0, y, width - 1, y);
    }
    return image;
}

// Edge colours from the outside in.
const QColor& band(int i) {
    static const QColor bands[] = {Look::FrameOutline, Look::FrameMid, Look::FrameMid,
                                   Look::FrameInner};
    return bands[std::clamp(i, 0, 3)];
}

void drawGlyph(QPainter& p, const QString& glyph, const QColor& colour) {
    QPen pen(colour, 2);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setBrush(Qt::NoBrush);
    if (glyph == QLatin1String("close")) {
        pen.setWidthF(2.2);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        p.drawLine(QPointF(6.5, 6.5), QPointF(14.5, 14.5));
        p.drawLine(QPointF(14.5, 6.5), QPointF(6.5, 14.5));
    } else if (glyph == QLatin1String("max")) {
        pen.setWidthF(1.4);
        p.setPen(pen);
        p.drawRect(QRectF(6, 6.5, 9, 8));
        pen.setWidthF(2.2);
        p.setPen(pen);
        p.drawLine(QPointF(6, 6.6), QPointF(15, 6.6));
    } else if (glyph == QLatin1String("min")) {
        pen.setWidthF(2.4);
        p.setPen(pen);
        p.drawLine(QPointF(6.2, 14.5), QPointF(14.8, 14.5));
    } else {
        pen.setWidthF(1.3);
        p.setPen(pen);
        p.drawLine(QPointF(8.5, 5.5), QPointF(15.5, 5.5));
        p.drawLine(QPointF(15.5, 5.5), QPointF(15.5, 11.5));
        p.drawRect(QRectF(5.5, 8.5, 7, 7));
        pen.setWidthF(2.0);
        p.setPen(pen);
        p.drawLine(QPointF(5.5, 8.8), QPointF(12.5, 8.8));
        p.drawLine(QPointF(8.5, 5.8), QPointF(15.5, 5.8));
    }
}

} // namespace

QImage FrameArt::title(TitlePiece piece, bool active) {
    const int h = Look::TitleHeight;
    if (piece == TitlePiece::Centre)
        return titleGradient(TitleCentreWidth, active, 0, h);
    const int w = piece == TitlePiece::Left ? TitleLeftWidth : TitleRightWidth;
    QImage image = titleGradient(w, active, 0, h);
    // The window outline cuts the two top corners (five pixels each).
    QPolygonF shape;
    if (piece == TitlePiece::Left) {
        shape << QPointF(0, 5) << QPointF(1, 3) << QPointF(2, 2) << QPointF(3, 1) << QPointF(5, 0)
              << QPointF(w + 100, 0) << QPointF(w + 100, h + 100) << QPointF(0, h + 100);
    } else {
        shape << QPointF(-100, 0) << QPointF(w - 5, 0) << QPointF(w - 3, 1) << QPointF(w - 2, 2)
              << QPointF(w - 2, 3) << QPointF(w, 5) << QPointF(w, h + 100)
              << QPointF(-100, h + 100);
    }
    ArtKit::rimOutside(image, shape, Look::FrameOutline);
    return image;
}

QImage FrameArt::captionButton(const QString& glyph, CaptionLook look) {
    const int s = Look::CaptionButton;
    const bool active = look != CaptionLook::Inactive;
    QImage image = titleGradient(s, active, Look::CaptionButtonTop, s);
    QPainter p(&image);
    ArtKit::prepare(p);
    const QRectF face(0.5, 0.5, s - 1, s - 1);
    QColor glyphColour = Look::PaperWhite;
    switch (look) {
    case CaptionLook::ActiveOff:
        p.setPen(QColor(255, 255, 255, 110));
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawRoundedRect(face, 4, 4);
        break;
    case CaptionLook::ActiveHover:
        if (glyph == QLatin1String("close"))
            ArtKit::roundedBox(p, QRectF(0, 0, s, s), 4, Look::CloseRed.lighter(118),
                               Look::CloseRed.darker(108), QColor(150, 36, 44));
        else
            ArtKit::roundedBox(p, QRectF(0, 0, s, s), 4, QColor(150, 205, 255),
                               Look::Sky.darker(112), QColor(255, 255, 255, 220));
        break;
    case CaptionLook::Inactive:
        ArtKit::roundedBox(p, QRectF(0, 0, s, s), 4, Look::WhiteTop, QColor(236, 240, 245),
                           Look::WhiteLine);
        glyphColour = Look::GreyGlyph;
        break;
    }
    drawGlyph(p, glyph, glyphColour);
    return image;
}

QImage FrameArt::edge(Edge which) {
    const int e = Look::EdgeWidth;
    int w = e, h = e;
    if (which == Edge::Left || which == Edge::Right)
        h = EdgeLength;
    if (which == Edge::Bottom)
        w = EdgeLength;
    QImage image = ArtKit::canvas(w, h, Qt::white);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int i = 0;
            switch (which) {
            case Edge::Left:
                i = x;
                break;
            case Edge::Right:
                i = e - 1 - x;
                break;
            case Edge::Bottom:
                i = e - 1 - y;
                break;
            case Edge::LowerLeft:
                i = std::min(x, e - 1 - y);
                break;
            case Edge::LowerRight:
                i = std::min(e - 1 - x, e - 1 - y);
                break;
            }
            image.setPixel(x, y, band(i).rgb());
        }
    }
    return image;
}

QImage FrameArt::dialogCorner(bool left) {
    const int s = DialogCorner;
    // The dialog's outline near its lower left corner, in the piece's own
    // pixels (the piece's top is the dialog's height minus s).
    const QPointF outline[] = {QPointF(0, -100),  QPointF(0, s - 7), QPointF(2, s - 3),
                               QPointF(3, s - 2), QPointF(7, s),     QPointF(100, s)};
    const auto distance = [&](QPointF c) {
        double best = 1e9;
        for (int i = 0; i + 1 < int(std::size(outline)); ++i) {
            const QPointF a = outline[i], b = outline[i + 1];
            const QPointF ab = b - a, ac = c - a;
            const double len2 = QPointF::dotProduct(ab, ab);
            const double t = std::clamp(QPointF::dotProduct(ac, ab) / len2, 0.0, 1.0);
            const QPointF d = c - (a + ab * t);
            best = std::min(best, std::hypot(d.x(), d.y()));
        }
        return best;
    };
    QPolygonF inside;
    for (const QPointF& q : outline)
        inside << q;
    inside << QPointF(100, -100);

    QImage image = ArtKit::canvas(s, s, Qt::transparent);
    for (int y = 0; y < s; ++y) {
        for (int x = 0; x < s; ++x) {
            const QPointF c(x + 0.5, y + 0.5);
            const int i = inside.containsPoint(c, Qt::OddEvenFill) ? int(distance(c)) : 0;
            if (i < Look::EdgeWidth)
                image.setPixel(left ? x : s - 1 - x, y, band(i).rgba());
        }
    }
    return image;
}
