#include "TrendPlot.h"
#include <QPainter>
#include <QtMath>

namespace {

constexpr qreal TwipsPerPixel = 15.0;
constexpr int MaxPoints = 20;

// Snaps a coordinate to the middle of its pixel so that one-pixel lines fall on
// whole pixels instead of smearing over two.
qreal Snap(qreal v) {
    return qFloor(v) + 0.5;
}

} // namespace

TrendPlot::TrendPlot(QWidget* parent) : QWidget(parent) {
    setObjectName("RC3TrendPlot");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TrendPlot::setValues(const QList<double>& values) {
    m_values = values.size() > MaxPoints ? values.mid(values.size() - MaxPoints) : values;
    update();
}

QPointF TrendPlot::pointAt(int i, double value) const {
    const qreal xs = qreal(width()) / Steps;
    const qreal ys = qreal(height()) / 100.0;
    return QPointF(Snap(i * xs), Snap((100.0 - value) * ys));
}

void TrendPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const qreal w = width();
    const qreal h = height();
    p.fillRect(rect(), Qt::white);

    // Grid at 10% .. 90%; the edges stand for 0% and 100% and are not drawn.
    p.setPen(QPen(gridColour(), 1));
    for (int k = 10; k <= 90; k += 10) {
        const qreal y = Snap(k * h / 100.0);
        p.drawLine(QPointF(w, y), QPointF(0, y));
    }

    const QPointF origin(0, h);
    const qreal dotRadius = DotRadiusTwips / TwipsPerPixel;
    QPointF previous = origin;
    for (int i = 1; i <= m_values.size(); ++i) {
        const QPointF pt = pointAt(i, m_values.at(i - 1));

        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(stemColour(), 1));
        p.drawLine(pt, QPointF(pt.x(), h));

        // The segment from the previous point (the bottom-left corner for the
        // first), then the dot over both ends.
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(lineColour(), 1));
        p.drawLine(pt, previous);
        p.setBrush(lineColour());
        p.drawEllipse(pt, dotRadius, dotRadius);
        p.setBrush(Qt::NoBrush);
        previous = pt;
    }
}
