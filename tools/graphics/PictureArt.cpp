#include "PictureArt.h"

#include "ArtKit.h"
#include "Look.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

QPainterPath star(QPointF centre, double outer, double inner) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? outer : inner;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

// A stacked fraction: numerator over a bar over denominator, centred on x.
void stackedFraction(QPainter& p, const GlyphFont& font, const QString& top, const QString& bottom,
                     double x, double middle, double size) {
    p.setPen(Qt::NoPen);
    p.setBrush(Look::Ink);
    p.drawPath(font.centred(top, size, x, middle - size * 0.62));
    p.drawPath(font.centred(bottom, size, x, middle + size * 0.62));
    const double half = std::max(font.advance(top, size), font.advance(bottom, size)) / 2 + 2;
    p.setPen(QPen(Look::Ink, 1.6));
    p.drawLine(QPointF(x - half, middle), QPointF(x + half, middle));
}

void typedBox(QPainter& p, const GlyphFont& font, const QString& text, const QRectF& box,
              double size) {
    p.setPen(QPen(Look::Blue, 1.2));
    p.setBrush(Look::PaperWhite);
    p.drawRoundedRect(box, 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(Look::DarkBlue);
    QPainterPath t = font.path(text, size);
    t.translate(box.left() + 8, box.center().y() + size * 0.36);
    p.drawPath(t);
}

void rightArrow(QPainter& p, double x1, double x2, double y) {
    QPen pen(Look::Orange.darker(110), 2.2);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
    p.drawLine(QPointF(x2 - 5, y - 4.5), QPointF(x2, y));
    p.drawLine(QPointF(x2 - 5, y + 4.5), QPointF(x2, y));
}

} // namespace

QImage PictureArt::programIcon(int size) const {
    QImage image = ArtKit::canvas(size, size, Qt::transparent);
    QPainter p(&image);
    ArtKit::prepare(p);
    p.scale(size / 64.0, size / 64.0);
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, QColor(120, 190, 255));
    g.setColorAt(0.5, Look::Blue);
    g.setColorAt(1, Look::DarkBlue);
    const double pen = size <= 16 ? 0 : 64.0 / size;
    p.setPen(pen > 0 ? QPen(Look::DarkBlue.darker(120), pen) : Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1, 1, 62, 62), 14, 14);
    // Shine on the upper half.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 45));
    p.drawRoundedRect(QRectF(4, 3, 56, 26), 11, 11);
    p.setBrush(Look::PaperWhite);
    const double letter = size <= 16 ? 58 : 50;
    p.drawPath(m_fonts.bold.centred(QStringLiteral("Q"), letter, size <= 16 ? 31 : 29,
                                    size <= 16 ? 31 : 33));
    if (size >= 24) {
        p.setPen(QPen(Look::Orange.darker(130), 1.2));
        p.setBrush(Look::Yellow);
        p.drawPath(star(QPointF(49.5, 15), 11, 5));
    }
    return image;
}

QImage PictureArt::pencilIcon(int size) {
    QImage image = ArtKit::canvas(size, size, Qt::transparent);
    QPainter p(&image);
    ArtKit::prepare(p);
    p.scale(size / 32.0, size / 32.0);
    p.translate(16, 16);
    p.rotate(-45);
    const double line = size <= 16 ? 1.4 : 1.0;
    QPen edge(Look::Brown.darker(120), line);
    edge.setJoinStyle(Qt::RoundJoin);
    p.setPen(edge);
    p.setBrush(QColor(240, 130, 150));
    p.drawRoundedRect(QRectF(-17, -4.5, 6, 9), 2.5, 2.5);
    p.setBrush(QColor(180, 186, 196));
    p.drawRect(QRectF(-12, -4.5, 3.5, 9));
    QLinearGradient g(0, -4.5, 0, 4.5);
    g.setColorAt(0, Look::Yellow.lighter(120));
    g.setColorAt(1, Look::Orange);
    p.setBrush(g);
    p.drawRect(QRectF(-8.5, -4.5, 16, 9));
    QPainterPath wood;
    wood.moveTo(7.5, -4.5);
    wood.lineTo(16, 0);
    wood.lineTo(7.5, 4.5);
    wood.closeSubpath();
    p.setBrush(QColor(245, 214, 165));
    p.drawPath(wood);
    QPainterPath lead;
    lead.moveTo(13, -1.6);
    lead.lineTo(16.5, 0);
    lead.lineTo(13, 1.6);
    lead.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Look::Ink);
    p.drawPath(lead);
    return image;
}

QImage PictureArt::handIcon(int size) {
    QImage image = ArtKit::canvas(size, size, Qt::transparent);
    QPainter p(&image);
    ArtKit::prepare(p);
    p.scale(size / 32.0, size / 32.0);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(10.5, 1.5, 5, 17), 2.5, 2.5); // pointing finger
    hand.addRoundedRect(QRectF(15, 10, 4.5, 9), 2.2, 2.2);   // folded fingers
    hand.addRoundedRect(QRectF(19, 11, 4.5, 9), 2.2, 2.2);
    hand.addRoundedRect(QRectF(23, 12.5, 4.5, 8.5), 2.2, 2.2);
    hand.addRoundedRect(QRectF(9.5, 15, 18, 14.5), 5, 5); // palm
    QPainterPath thumb;
    thumb.moveTo(11, 19);
    thumb.lineTo(6.5, 14.5);
    thumb.quadTo(3.5, 13, 3.2, 16.5);
    thumb.lineTo(9.5, 25);
    thumb.closeSubpath();
    hand.addPath(thumb);
    hand = hand.simplified();
    QPen pen(Look::Ink, size <= 16 ? 2.0 : 1.5);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Look::PaperWhite);
    p.drawPath(hand);
    p.setPen(QPen(Look::Ink, size <= 16 ? 1.4 : 1.0));
    p.drawLine(QPointF(15.2, 15), QPointF(15.2, 19));
    p.drawLine(QPointF(19.2, 15), QPointF(19.2, 19.5));
    p.drawLine(QPointF(23.3, 16), QPointF(23.3, 20.5));
    return image;
}

QImage PictureArt::infoMark() const {
    QImage image = ArtKit::canvas(32, 32, Qt::transparent);
    QPainter p(&image);
    ArtKit::prepare(p);
    QRadialGradient g(QPointF(11, 9), 22);
    g.setColorAt(0, QColor(140, 200, 255));
    g.setColorAt(1, Look::Blue);
    p.setPen(QPen(Look::DarkBlue, 1.2));
    p.setBrush(g);
    p.drawEllipse(QPointF(16, 16), 14.5, 14.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Look::PaperWhite);
    p.drawEllipse(QPointF(16, 9), 2.7, 2.7);
    p.drawRoundedRect(QRectF(13.6, 13, 4.8, 12.5), 1.8, 1.8);
    p.end();
    return flatten(image, Look::Page);
}

QImage PictureArt::logo() const {
    const int w = 250, h = 80;
    QImage image = ArtKit::canvas(w, h, Qt::transparent);
    QPainter p(&image);
    ArtKit::prepare(p);
    p.drawImage(QPointF(4, 8), programIcon(64));
    const QString title = QStringLiteral("Quillora");
    const double size = std::min(38.0, (w - 84) / m_fonts.bold.advance(title, 1));
    QPainterPath name = m_fonts.bold.path(title, size);
    name.translate(78, 46);
    QLinearGradient g(0, 16, 0, 48);
    g.setColorAt(0, Look::Blue.lighter(115));
    g.setColorAt(1, Look::DarkBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(name);
    QPainterPath line = m_fonts.regular.path(QStringLiteral("Maths Practice"), 17);
    line.translate(80, 70);
    p.setBrush(Look::Orange.darker(115));
    p.drawPath(line);
    p.end();
    return flatten(image, Look::Page);
}

QImage PictureArt::instruction() const {
    const int w = 250, h = 112;
    QImage image = ArtKit::canvas(w, h, Look::Strip);
    QPainter p(&image);
    ArtKit::prepare(p);
    p.setPen(QPen(QColor(230, 200, 110), 1));
    p.setBrush(QColor(255, 249, 219));
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 8, 8);

    p.setPen(Qt::NoPen);
    p.setBrush(Look::Ink);
    QPainterPath heading = m_fonts.bold.path(QStringLiteral("How to type fractions"), 13);
    heading.translate(10, 19);
    p.drawPath(heading);

    const GlyphFont& regular = m_fonts.regular;
    const GlyphFont& bold = m_fonts.bold;
    // Row 1: three quarters.
    const double row1 = 47;
    stackedFraction(p, bold, QStringLiteral("3"), QStringLiteral("4"), 30, row1, 14);
    rightArrow(p, 50, 76, row1);
    typedBox(p, regular, QStringLiteral("3/4"), QRectF(84, row1 - 12, 70, 24), 15);
    p.setPen(Qt::NoPen);
    p.setBrush(Look::Slate);
    QPainterPath c1 = regular.path(QStringLiteral("fraction"), 11);
    c1.translate(w - 10 - regular.advance(QStringLiteral("fraction"), 11), row1 + 4);
    p.drawPath(c1);

    // Row 2: one and two thirds, with the space marked.
    const double row2 = 84;
    p.setBrush(Look::Ink);
    p.drawPath(bold.centred(QStringLiteral("1"), 20, 20, row2));
    stackedFraction(p, bold, QStringLiteral("2"), QStringLiteral("3"), 36, row2, 14);
    rightArrow(p, 50, 76, row2);
    const QRectF box(84, row2 - 12, 70, 24);
    typedBox(p, regular, QStringLiteral("1 2/3"), box, 15);
    const double gapLeft = box.left() + 8 + regular.advance(QStringLiteral("1"), 15);
    const double gapRight = box.left() + 8 + regular.advance(QStringLiteral("1 "), 15);
    p.setPen(QPen(Look::Orange.darker(110), 1.3));
    p.setBrush(Qt::NoBrush);
    QPainterPath bracket;
    bracket.moveTo(gapLeft + 0.5, box.bottom() - 6);
    bracket.lineTo(gapLeft + 0.5, box.bottom() - 3);
    bracket.lineTo(gapRight - 0.5, box.bottom() - 3);
    bracket.lineTo(gapRight - 0.5, box.bottom() - 6);
    p.drawPath(bracket);
    p.setPen(Qt::NoPen);
    p.setBrush(Look::Orange.darker(115));
    QPainterPath space = regular.path(QStringLiteral("space"), 10);
    space.translate(box.left() + 4, box.bottom() + 11);
    p.drawPath(space);
    p.setBrush(Look::Slate);
    QPainterPath c2 = regular.path(QStringLiteral("mixed number"), 11);
    c2.translate(w - 10 - regular.advance(QStringLiteral("mixed number"), 11), row2 + 4);
    p.drawPath(c2);
    p.end();
    return image;
}

QImage PictureArt::flatten(const QImage& picture, const QColor& background) {
    const QImage argb = ArtKit::straightAlpha(picture);
    QImage out(argb.size(), QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const int a = qAlpha(in[x]);
            if (a == 0) {
                line[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            const auto over = [&](int c, int bg) { return (c * a + bg * (255 - a) + 127) / 255; };
            line[x] =
                qRgb(over(qRed(in[x]), background.red()), over(qGreen(in[x]), background.green()),
                     over(qBlue(in[x]), background.blue()));
        }
    }
    return out;
}
