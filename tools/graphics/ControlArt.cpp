#include "ControlArt.h"

#include "ArtKit.h"
#include "Look.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

void faceColours(ControlArt::State state, QColor* top, QColor* bottom, QColor* border) {
    switch (state) {
    case ControlArt::State::Off:
        *top = Look::ButtonTop;
        *bottom = Look::ButtonBottom;
        *border = Look::ButtonBorder;
        break;
    case ControlArt::State::On:
        *top = Look::HoverTop;
        *bottom = Look::HoverBottom;
        *border = Look::HoverBorder;
        break;
    case ControlArt::State::Pressed:
        *top = Look::PressedTop;
        *bottom = Look::PressedBottom;
        *border = Look::PressedBorder;
        break;
    case ControlArt::State::Disabled:
        *top = Look::DisabledFace;
        *bottom = Look::DisabledFace;
        *border = Look::DisabledBorder;
        break;
    }
}

// A face in one of the four states on a background, with a soft top shine
// (off, on) or an inner shadow (pressed).
void stateFace(QPainter& p, const QRectF& box, double radius, ControlArt::State state) {
    QColor top, bottom, border;
    faceColours(state, &top, &bottom, &border);
    ArtKit::roundedBox(p, box, radius, top, bottom, border);
    p.setBrush(Qt::NoBrush);
    if (state == ControlArt::State::Off || state == ControlArt::State::On) {
        p.setPen(QPen(QColor(255, 255, 255, 200), 1));
        p.drawLine(QPointF(box.left() + radius, box.top() + 1.5),
                   QPointF(box.right() - radius, box.top() + 1.5));
    } else if (state == ControlArt::State::Pressed) {
        p.setPen(QPen(QColor(60, 80, 110, 70), 1.5));
        p.drawLine(QPointF(box.left() + radius * 0.7, box.top() + 2),
                   QPointF(box.right() - radius * 0.7, box.top() + 2));
    }
}

void barGradient(QPainter& p, const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(243, 246, 250));
    g.setColorAt(1, QColor(220, 228, 238));
    p.fillRect(r, g);
    p.setPen(QColor(185, 198, 214));
    p.drawLine(QPointF(r.left(), r.top() + 0.5), QPointF(r.right(), r.top() + 0.5));
}

void insetPanel(QPainter& p, const QRectF& r, const QColor& fill) {
    p.setPen(QPen(QColor(170, 185, 204), 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    p.setPen(QPen(QColor(120, 140, 165, 60), 1));
    p.drawLine(QPointF(r.left() + 3, r.top() + 1.5), QPointF(r.right() - 3, r.top() + 1.5));
}

} // namespace

QImage ControlArt::toolButton(const QString& icon, State state) const {
    QImage image = ArtKit::canvas(ToolWidth, ToolHeight, Look::Strip);
    QPainter p(&image);
    ArtKit::prepare(p);
    stateFace(p, QRectF(1, 1, ToolWidth - 2, ToolHeight - 2), 8, state);
    const double shift = state == State::Pressed ? 1 : 0;
    const QRectF iconBox((ToolWidth - ToolIconSize) / 2.0 + shift, ToolIconTop + shift,
                         ToolIconSize, ToolIconSize);
    if (state == State::Disabled) {
        const QImage grey =
            ArtKit::greyed(m_icons.picture(icon, ToolIconSize), Look::DisabledFace, 0.55);
        p.drawImage(iconBox.topLeft(), grey);
    } else {
        m_icons.draw(p, icon, iconBox);
    }
    return image;
}

QImage ControlArt::tab(bool front, bool hover) {
    QImage image = ArtKit::canvas(TabWidth, TabHeight, Look::Page);
    QPainter p(&image);
    ArtKit::prepare(p);
    const QRectF shape(0.5, 0.5, TabWidth - 1, TabHeight + 10);
    QLinearGradient g(0, 0, 0, TabHeight);
    QColor border;
    if (front) {
        g.setColorAt(0, Look::PaperWhite);
        g.setColorAt(0.7, Look::Strip);
        g.setColorAt(1, Look::Strip);
        border = QColor(91, 143, 208);
    } else if (hover) {
        g.setColorAt(0, QColor(246, 250, 255));
        g.setColorAt(1, QColor(214, 229, 246));
        border = QColor(109, 155, 211);
    } else {
        g.setColorAt(0, QColor(232, 238, 245));
        g.setColorAt(1, QColor(204, 216, 230));
        border = QColor(159, 178, 200);
    }
    p.setPen(QPen(border, 1));
    p.setBrush(g);
    p.drawRoundedRect(shape, 7, 7);
    if (front && hover) {
        // A warm stripe along the top marks the chosen tab under the mouse.
        p.setClipPath(ArtKit::roundedRect(shape.adjusted(1, 1, -1, 0), 6));
        p.fillRect(QRectF(0, 0, TabWidth, 3.5), QColor(245, 185, 66));
    }
    return image;
}

QImage ControlArt::loadButton(bool hover) {
    QImage image = ArtKit::canvas(LoadWidth, LoadHeight, Look::Page);
    QPainter p(&image);
    ArtKit::prepare(p);
    if (hover)
        ArtKit::roundedBox(p, QRectF(0, 0, LoadWidth, LoadHeight), 6, QColor(150, 232, 168),
                           QColor(55, 190, 95), Look::DarkGreen);
    else
        ArtKit::roundedBox(p, QRectF(0, 0, LoadWidth, LoadHeight), 6, QColor(100, 205, 128),
                           QColor(40, 150, 72), Look::DarkGreen);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.drawLine(QPointF(5, 1.5), QPointF(LoadWidth - 5, 1.5));
    QPainterPath play;
    play.moveTo(11, 6);
    play.lineTo(19, 11);
    play.lineTo(11, 16);
    play.closeSubpath();
    QPen pen(Look::PaperWhite, 1.5);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Look::PaperWhite);
    p.drawPath(play);
    return image;
}

QImage ControlArt::button(State state) {
    QImage image = ArtKit::canvas(ButtonWidth, ButtonHeight, Look::Page);
    QPainter p(&image);
    ArtKit::prepare(p);
    stateFace(p, QRectF(0, 0, ButtonWidth, ButtonHeight), 7, state);
    return image;
}

QImage ControlArt::bottomBar(int which) {
    static const int widths[] = {8, 190, 96, 206};
    const int w = widths[std::clamp(which, 1, 4) - 1];
    QImage image = ArtKit::canvas(w, BarHeight, Look::Strip);
    QPainter p(&image);
    barGradient(p, QRectF(0, 0, w, BarHeight));
    ArtKit::prepare(p);
    if (which == 2 || which == 3)
        insetPanel(p, QRectF(3, 3, w - 6, BarHeight - 6), QColor(252, 253, 255));
    else if (which == 4)
        insetPanel(p, QRectF(3, 3, w - 6, BarHeight - 6), Look::PaperWhite);
    return image;
}

QImage ControlArt::columnHead(int which) {
    const int w = which == 1 ? 214 : 164;
    const int h = 22;
    QImage image = ArtKit::canvas(w, h, Look::Page);
    QPainter p(&image);
    ArtKit::prepare(p);
    ArtKit::roundedBox(p, QRectF(0, 0, w, h), 5, QColor(232, 243, 254), QColor(194, 219, 246),
                       QColor(127, 168, 218));
    p.setPen(Qt::NoPen);
    p.setBrush(Look::Orange);
    p.drawRoundedRect(QRectF(3, 4, 4, h - 8), 2, 2);
    return image;
}

QImage ControlArt::progressPiece() {
    QImage image = ArtKit::canvas(ProgressWidth, ProgressHeight, Look::PaperWhite);
    QPainter p(&image);
    ArtKit::prepare(p);
    ArtKit::roundedBox(p, QRectF(0, 0, ProgressWidth, ProgressHeight), 2.5, QColor(140, 220, 150),
                       QColor(40, 150, 72), Look::DarkGreen);
    p.setPen(QPen(QColor(255, 255, 255, 140), 1));
    p.drawLine(QPointF(2.5, 2), QPointF(ProgressWidth - 2.5, 2));
    return image;
}

QImage ControlArt::sizeGrip() {
    QImage image = ArtKit::canvas(14, 14, Look::Strip);
    QPainter p(&image);
    ArtKit::prepare(p);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            if (row + col < 2)
                continue;
            const QPointF c(3 + 4 * col, 3 + 4 * row);
            p.setPen(Qt::NoPen);
            p.setBrush(Look::PaperWhite);
            p.drawRect(QRectF(c.x() + 0.5, c.y() + 0.5, 2, 2));
            p.setBrush(Look::Slate);
            p.drawRect(QRectF(c.x() - 0.5, c.y() - 0.5, 2, 2));
        }
    }
    return image;
}

QImage ControlArt::bullet() {
    QImage image = ArtKit::canvas(12, 12, Look::Page);
    QPainter p(&image);
    ArtKit::prepare(p);
    QRadialGradient g(QPointF(4.5, 4), 7);
    g.setColorAt(0, QColor(255, 222, 160));
    g.setColorAt(0.5, Look::Orange);
    g.setColorAt(1, Look::Orange.darker(125));
    p.setPen(QPen(Look::Orange.darker(150), 1));
    p.setBrush(g);
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    return image;
}

QImage ControlArt::handle() {
    const int w = 12, h = 60;
    QImage image = ArtKit::canvas(w, h, Look::Strip);
    QPainter p(&image);
    ArtKit::prepare(p);
    QLinearGradient g(0, 0, w, 0);
    g.setColorAt(0, Look::PaperWhite);
    g.setColorAt(1, QColor(214, 225, 238));
    p.setPen(QPen(QColor(150, 170, 195), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1.5, 0.5, w - 3, h - 1), 4.5, 4.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Look::Slate);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(w / 2.0, 23 + 4.5 * i), 1.1, 1.1);
    // Small arrows: the sheet slides out to the right and back in.
    QPainterPath right;
    right.moveTo(4.5, 6);
    right.lineTo(8, 9.5);
    right.lineTo(4.5, 13);
    right.closeSubpath();
    QPainterPath left;
    left.moveTo(7.5, 47);
    left.lineTo(4, 50.5);
    left.lineTo(7.5, 54);
    left.closeSubpath();
    p.setBrush(Look::Blue);
    p.drawPath(right);
    p.drawPath(left);
    return image;
}

QImage ControlArt::penPanel() {
    const int w = 96, h = ToolHeight;
    QImage image = ArtKit::canvas(w, h, Look::Strip);
    QPainter p(&image);
    ArtKit::prepare(p);
    ArtKit::roundedBox(p, QRectF(1, 1, w - 2, h - 2), 8, Look::PaperWhite, QColor(246, 247, 238),
                       QColor(201, 207, 190));
    // Ruled lines of a writing pad, and a pencil resting on it.
    p.setPen(QPen(QColor(190, 212, 236), 1));
    for (double y : {14.5, 22.5, 30.5})
        p.drawLine(QPointF(38, y), QPointF(w - 8, y));
    p.setPen(QPen(QColor(235, 150, 150), 1));
    p.drawLine(QPointF(34.5, 7), QPointF(34.5, h - 7));
    p.save();
    p.translate(18, 23);
    p.rotate(-45);
    QPainterPath body;
    body.addRect(QRectF(-9, -3.5, 18, 7));
    p.setPen(QPen(Look::Brown, 0.8));
    p.setBrush(Look::Yellow);
    p.drawPath(body);
    p.setBrush(QColor(240, 140, 160));
    p.drawRoundedRect(QRectF(-14, -3.5, 4, 7), 1.5, 1.5);
    p.setBrush(QColor(170, 176, 186));
    p.drawRect(QRectF(-10.5, -3.5, 1.8, 7));
    QPainterPath tip;
    tip.moveTo(9, -3.5);
    tip.lineTo(15, 0);
    tip.lineTo(9, 3.5);
    tip.closeSubpath();
    p.setBrush(QColor(240, 210, 160));
    p.drawPath(tip);
    p.setPen(Qt::NoPen);
    p.setBrush(Look::Ink);
    QPainterPath lead;
    lead.moveTo(13, -1.2);
    lead.lineTo(15, 0);
    lead.lineTo(13, 1.2);
    lead.closeSubpath();
    p.drawPath(lead);
    p.restore();
    return image;
}

QImage ControlArt::reportBar() {
    const int w = 390, h = 22;
    QImage image = ArtKit::canvas(w, h, Look::Page);
    QPainter p(&image);
    ArtKit::prepare(p);
    ArtKit::roundedBox(p, QRectF(0, 0, w, h), 5, Look::TitleTop, Look::TitleBottom,
                       Look::FrameOutline);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawLine(QPointF(5, 1.5), QPointF(w - 5, 1.5));
    QPainterPath chevron;
    chevron.moveTo(w - 20, 9);
    chevron.lineTo(w - 15, 14);
    chevron.lineTo(w - 10, 9);
    QPen pen(Look::PaperWhite, 2);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);
    return image;
}
