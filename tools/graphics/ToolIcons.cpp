#include "ToolIcons.h"

#include "ArtKit.h"
#include "Look.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

namespace {

QLinearGradient vertical(double top, double bottom, const QColor& a, const QColor& b) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

QPen outline(const QColor& c, double width = 1.0) {
    QPen pen(c, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

} // namespace

QStringList ToolIcons::names() {
    return {QStringLiteral("about"),   QStringLiteral("back"),   QStringLiteral("close"),
            QStringLiteral("forward"), QStringLiteral("home"),   QStringLiteral("mark"),
            QStringLiteral("print"),   QStringLiteral("report"), QStringLiteral("save"),
            QStringLiteral("setup"),   QStringLiteral("trash")};
}

bool ToolIcons::draw(QPainter& p, const QString& name, const QRectF& box) const {
    if (!names().contains(name))
        return false;
    p.save();
    ArtKit::prepare(p);
    p.translate(box.topLeft());
    p.scale(box.width() / 24.0, box.height() / 24.0);
    if (name == QLatin1String("save"))
        save(p);
    else if (name == QLatin1String("mark"))
        mark(p);
    else if (name == QLatin1String("print"))
        print(p);
    else if (name == QLatin1String("close"))
        close(p);
    else if (name == QLatin1String("back"))
        arrow(p, false);
    else if (name == QLatin1String("forward"))
        arrow(p, true);
    else if (name == QLatin1String("home"))
        home(p);
    else if (name == QLatin1String("report"))
        report(p);
    else if (name == QLatin1String("setup"))
        setup(p);
    else if (name == QLatin1String("trash"))
        trash(p);
    else
        about(p);
    p.restore();
    return true;
}

QImage ToolIcons::picture(const QString& name, int size) const {
    QImage image = ArtKit::canvas(size, size, Qt::transparent);
    QPainter p(&image);
    draw(p, name, QRectF(0, 0, size, size));
    p.end();
    return image;
}

void ToolIcons::save(QPainter& p) const {
    p.setPen(outline(Look::DarkBlue));
    p.setBrush(vertical(2, 22, Look::Blue.lighter(120), Look::Blue));
    QPainterPath body;
    body.moveTo(2.5, 4);
    body.quadTo(2.5, 2.5, 4, 2.5);
    body.lineTo(18.5, 2.5);
    body.lineTo(21.5, 5.5);
    body.lineTo(21.5, 20);
    body.quadTo(21.5, 21.5, 20, 21.5);
    body.lineTo(4, 21.5);
    body.quadTo(2.5, 21.5, 2.5, 20);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(221, 230, 240));
    p.drawRect(QRectF(6.5, 3, 10, 6.5));
    p.setBrush(Look::DarkBlue);
    p.drawRect(QRectF(13, 4, 2.2, 4.5));
    p.setPen(outline(Look::PaperLine, 0.8));
    p.setBrush(Look::PaperWhite);
    p.drawRoundedRect(QRectF(5.5, 12.5, 13, 8), 1, 1);
    p.setPen(outline(Look::PaperLine, 1));
    p.drawLine(QPointF(8, 15.5), QPointF(16, 15.5));
    p.drawLine(QPointF(8, 18), QPointF(14, 18));
}

void ToolIcons::mark(QPainter& p) const {
    p.setPen(outline(Look::PaperLine));
    p.setBrush(Look::PaperWhite);
    p.drawRoundedRect(QRectF(3.5, 1.5, 14, 20.5), 1.5, 1.5);
    p.setPen(outline(Look::PaperLine, 1.2));
    for (double y : {6.0, 10.0, 14.0, 18.0})
        p.drawLine(QPointF(6.5, y), QPointF(14.5, y));
    QPainterPath tick;
    tick.moveTo(7, 12.5);
    tick.lineTo(11.5, 18);
    tick.lineTo(21.5, 4.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(outline(Look::PaperWhite, 6));
    p.drawPath(tick);
    p.setPen(outline(Look::Green, 3.4));
    p.drawPath(tick);
}

void ToolIcons::print(QPainter& p) const {
    p.setPen(outline(Look::PaperLine));
    p.setBrush(Look::PaperWhite);
    p.drawRect(QRectF(6.5, 2.5, 11, 7));
    p.setPen(outline(Look::Ink.lighter(150)));
    p.setBrush(vertical(8, 17, Look::Slate.lighter(140), Look::Slate));
    p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Look::Green.lighter(130));
    p.drawEllipse(QPointF(18.3, 11.3), 1.2, 1.2);
    p.setPen(outline(Look::PaperLine));
    p.setBrush(Look::PaperWhite);
    p.drawRect(QRectF(6.5, 14.5, 11, 7.5));
    p.setPen(outline(Look::Blue, 1));
    p.drawLine(QPointF(8.5, 17.5), QPointF(15.5, 17.5));
    p.drawLine(QPointF(8.5, 19.7), QPointF(13.5, 19.7));
}

void ToolIcons::close(QPainter& p) const {
    QRadialGradient g(QPointF(9, 8), 13);
    g.setColorAt(0, Look::CloseRed.lighter(125));
    g.setColorAt(1, Look::CloseRed.darker(115));
    p.setPen(outline(Look::CloseRed.darker(140)));
    p.setBrush(g);
    p.drawEllipse(QPointF(12, 12), 10, 10);
    p.setPen(outline(Look::PaperWhite, 3));
    p.drawLine(QPointF(8, 8), QPointF(16, 16));
    p.drawLine(QPointF(16, 8), QPointF(8, 16));
}

void ToolIcons::arrow(QPainter& p, bool forward) const {
    if (forward) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    QPainterPath shape;
    shape.moveTo(1.8, 12);
    shape.lineTo(11.5, 2.5);
    shape.lineTo(11.5, 8);
    shape.lineTo(21, 8);
    shape.quadTo(22.2, 8, 22.2, 9.2);
    shape.lineTo(22.2, 14.8);
    shape.quadTo(22.2, 16, 21, 16);
    shape.lineTo(11.5, 16);
    shape.lineTo(11.5, 21.5);
    shape.closeSubpath();
    p.setPen(outline(Look::DarkGreen, 1.2));
    p.setBrush(vertical(3, 21, Look::Green.lighter(135), Look::Green));
    p.drawPath(shape);
}

void ToolIcons::home(QPainter& p) const {
    p.setPen(outline(Look::Red.darker(140)));
    p.setBrush(Look::Red.darker(110));
    p.drawRect(QRectF(15.5, 3.5, 3, 5));
    p.setPen(outline(Look::Brown));
    p.setBrush(vertical(10, 22, Look::Yellow.lighter(115), Look::Yellow));
    p.drawRect(QRectF(4.5, 10.5, 15, 11));
    p.setBrush(Look::Brown);
    p.drawRoundedRect(QRectF(9.5, 14.5, 5, 7), 1, 1);
    p.setPen(outline(Look::Blue.darker(120), 0.8));
    p.setBrush(Look::Sky);
    p.drawRect(QRectF(15.8, 13.3, 2.6, 2.6));
    QPainterPath roof;
    roof.moveTo(1.5, 12.5);
    roof.lineTo(12, 2);
    roof.lineTo(22.5, 12.5);
    roof.lineTo(20.5, 12.5);
    roof.lineTo(12, 4.8);
    roof.lineTo(3.5, 12.5);
    roof.closeSubpath();
    p.setPen(outline(Look::Red.darker(150)));
    p.setBrush(Look::Red);
    p.drawPath(roof);
}

void ToolIcons::report(QPainter& p) const {
    p.setPen(outline(Look::PaperLine));
    p.setBrush(Look::PaperWhite);
    p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(Look::Blue);
    p.drawRect(QRectF(5.5, 12, 3.5, 7));
    p.setBrush(Look::Green);
    p.drawRect(QRectF(10.3, 8, 3.5, 11));
    p.setBrush(Look::Orange);
    p.drawRect(QRectF(15.1, 5, 3.5, 14));
    p.setPen(outline(Look::Ink, 1));
    p.drawLine(QPointF(4.5, 19.5), QPointF(19.5, 19.5));
}

void ToolIcons::setup(QPainter& p) const {
    QPainterPath gear;
    gear.addEllipse(QPointF(12, 12), 7.2, 7.2);
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-2.2, -10.8, 4.4, 5), 1, 1);
        QTransform t;
        t.translate(12, 12);
        t.rotate(45.0 * i);
        gear = gear.united(t.map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(QPointF(12, 12), 3, 3);
    gear = gear.subtracted(hole);
    p.setPen(outline(Look::Slate.darker(140)));
    p.setBrush(vertical(1, 23, Look::Slate.lighter(150), Look::Slate));
    p.drawPath(gear);
}

void ToolIcons::trash(QPainter& p) const {
    p.setPen(outline(Look::Slate.darker(150)));
    p.setBrush(Look::Slate);
    p.drawRoundedRect(QRectF(9, 1.8, 6, 3), 1, 1);
    p.drawRoundedRect(QRectF(3.5, 4.5, 17, 3), 1.2, 1.2);
    QPainterPath bin;
    bin.moveTo(5.2, 8.5);
    bin.lineTo(18.8, 8.5);
    bin.lineTo(17.2, 21.5);
    bin.quadTo(17, 22.5, 16, 22.5);
    bin.lineTo(8, 22.5);
    bin.quadTo(7, 22.5, 6.8, 21.5);
    bin.closeSubpath();
    p.setBrush(vertical(8, 22, Look::Slate.lighter(160), Look::Slate.lighter(115)));
    p.drawPath(bin);
    p.setPen(outline(Look::Slate.darker(120), 1.3));
    for (double x : {9.5, 12.0, 14.5})
        p.drawLine(QPointF(x, 11), QPointF(x, 20));
}

void ToolIcons::about(QPainter& p) const {
    QRadialGradient g(QPointF(9, 8), 14);
    g.setColorAt(0, Look::Sky);
    g.setColorAt(1, Look::Blue);
    p.setPen(outline(Look::DarkBlue));
    p.setBrush(g);
    p.drawEllipse(QPointF(12, 12), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(Look::PaperWhite);
    p.drawPath(m_fonts.bold.centred(QStringLiteral("?"), 16, 12, 12));
}
