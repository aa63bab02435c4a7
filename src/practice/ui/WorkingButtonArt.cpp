#include "practice/ui/WorkingButtonArt.h"

#include "chrome/PictureCache.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

// The tool-bar pictures are 60 x 46 with a 24-unit icon 4 from the top,
// pressed ones moved down and right by one; other sizes scale alike.
constexpr double DesignHeight = 46;
constexpr double IconUnits = 24;
constexpr double IconTop = 4;

const QColor Strip(244, 245, 235);
const QColor PaperWhite(255, 255, 255);
const QColor PaperLine(176, 190, 205);
const QColor Blue(52, 120, 214);
const QColor Green(46, 170, 79);
const QColor Ink(40, 48, 60);
const QColor Yellow(246, 196, 83);
const QColor Orange(243, 156, 43);
const QColor Wood(232, 196, 150);
const QColor Rubber(233, 120, 130);
const QColor DisabledFace(238, 239, 234);

QRectF iconBox(const QSize& size, bool pressed) {
    const double scale = size.height() / DesignHeight;
    const double shift = pressed ? scale : 0;
    return QRectF((size.width() - IconUnits * scale) / 2 + shift, IconTop * scale + shift,
                  IconUnits * scale, IconUnits * scale);
}

// The button's face without its icon: each row of the icon's area painted
// in the colour the face has just left of it (the faces shade from top to
// bottom only).
QImage emptyFace(const QPixmap& base, bool pressed) {
    QImage face = base.toImage().convertToFormat(QImage::Format_ARGB32);
    if (face.isNull()) {
        face = QImage(60, 46, QImage::Format_ARGB32);
        face.fill(Strip);
        QPainter p(&face);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 0, 46);
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(1, QColor(222, 233, 246));
        p.setPen(QColor(150, 176, 208));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(1.5, 1.5, 57, 43), 8, 8);
        return face;
    }
    const QRect area = iconBox(face.size(), pressed).toAlignedRect().adjusted(-2, -2, 2, 2);
    const QRect inside = area.intersected(face.rect());
    const int sample = qMax(0, inside.left() - 2);
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(face.scanLine(y));
        for (int x = inside.left(); x <= inside.right(); ++x)
            line[x] = line[sample];
    }
    return face;
}

QPen outline(const QColor& colour, double width = 1) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

using IconPainter = void (*)(QPainter&);

// A sheet with a sum worked on it and a pencil, on the 24-unit grid.
void drawWorkingIcon(QPainter& p) {
    p.setPen(outline(PaperLine));
    p.setBrush(PaperWhite);
    p.drawRoundedRect(QRectF(2.5, 1.5, 14, 20.5), 1.5, 1.5);
    // two numbers and a plus, the line under them and the answer in green
    p.setPen(outline(Blue, 1.6));
    p.drawLine(QPointF(8, 5.5), QPointF(13.5, 5.5));
    p.drawLine(QPointF(8, 9.5), QPointF(13.5, 9.5));
    p.drawLine(QPointF(4.3, 9.5), QPointF(6.7, 9.5));
    p.drawLine(QPointF(5.5, 8.3), QPointF(5.5, 10.7));
    p.setPen(outline(Ink, 1.2));
    p.drawLine(QPointF(4.5, 12.8), QPointF(14.5, 12.8));
    p.setPen(outline(Green, 2));
    p.drawLine(QPointF(7.5, 16.3), QPointF(13.5, 16.3));

    p.save();
    p.translate(18.2, 13.2);
    p.rotate(30);
    const QRectF body(-2.2, -10, 4.4, 13);
    p.setPen(outline(Orange.darker(140), 0.9));
    p.setBrush(Yellow);
    p.drawRect(body);
    p.setBrush(Rubber);
    p.drawRoundedRect(QRectF(-2.2, -12.6, 4.4, 2.6), 0.8, 0.8);
    QPainterPath tip;
    tip.moveTo(-2.2, 3);
    tip.lineTo(2.2, 3);
    tip.lineTo(0, 7.6);
    tip.closeSubpath();
    p.setBrush(Wood);
    p.drawPath(tip);
    QPainterPath lead;
    lead.moveTo(-0.9, 5.7);
    lead.lineTo(0.9, 5.7);
    lead.lineTo(0, 7.6);
    lead.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawPath(lead);
    p.restore();
}

// A speaker with the sound coming from it, on the 24-unit grid.
void drawReadIcon(QPainter& p) {
    QPainterPath speaker;
    speaker.moveTo(1.5, 8.5);
    speaker.lineTo(6.5, 8.5);
    speaker.lineTo(12.5, 3);
    speaker.lineTo(12.5, 21);
    speaker.lineTo(6.5, 15.5);
    speaker.lineTo(1.5, 15.5);
    speaker.closeSubpath();
    p.setPen(outline(Blue.darker(140), 1));
    p.setBrush(Blue);
    p.drawPath(speaker);
    p.setBrush(Qt::NoBrush);
    p.setPen(outline(Green, 2.2));
    for (double r : {4.5, 8.5})
        p.drawArc(QRectF(12.5 - r, 12 - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
}

QImage iconImage(int size, IconPainter drawIcon) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / IconUnits, size / IconUnits);
    drawIcon(p);
    return icon;
}

// Grey and faded towards the disabled face, as the other disabled pictures.
QImage greyed(const QImage& icon) {
    QImage out = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int grey = qGray(line[x]);
            const auto fade = [grey](int face) { return int(grey * 0.45 + face * 0.55); };
            line[x] = qRgba(fade(DisabledFace.red()), fade(DisabledFace.green()),
                            fade(DisabledFace.blue()), qAlpha(line[x]));
        }
    }
    return out;
}

QPixmap picture(const QPixmap& base, IconPainter drawIcon, bool pressed, bool disabled) {
    QImage face = emptyFace(base, pressed);
    const QRectF box = iconBox(face.size(), pressed);
    QImage icon = iconImage(qRound(box.width()), drawIcon);
    if (disabled)
        icon = greyed(icon);
    {
        QPainter p(&face);
        p.drawImage(box.topLeft().toPoint(), icon);
    }
    QPixmap result = QPixmap::fromImage(face);
    result.setDevicePixelRatio(base.isNull() ? 1.0 : base.devicePixelRatio());
    return result;
}

MadeButtonPictures makePictures(PictureCache& pictures, IconPainter drawIcon) {
    // Print's faces are those of a button that is never disabled; the
    // disabled face comes from Mark.
    return {picture(pictures.get(QStringLiteral("print_off.bmp")), drawIcon, false, false),
            picture(pictures.get(QStringLiteral("print_on.bmp")), drawIcon, false, false),
            picture(pictures.get(QStringLiteral("print_pressed.bmp")), drawIcon, true, false),
            picture(pictures.get(QStringLiteral("mark_disabled.bmp")), drawIcon, false, true)};
}

} // namespace

MadeButtonPictures makeWorkingButtonPictures(PictureCache& pictures) {
    return makePictures(pictures, drawWorkingIcon);
}

MadeButtonPictures makeReadButtonPictures(PictureCache& pictures) {
    return makePictures(pictures, drawReadIcon);
}
