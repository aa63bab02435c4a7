#include "main_window/ui/TrendPlot.h"

#include "chrome/Twips.h"
#include "main_window/TrendReading.h"

#include <QPainter>
#include <QtMath>

namespace {

// Thin lines are as many device pixels wide as the scale rounds to (1 at
// 100 %, 2 at 150 % and 200 %), so that they stay solid at any scale.
int lineDevicePixels(qreal dpr) {
    return qMax(1, qRound(dpr));
}

// Snaps a coordinate to the middle of a thin line that starts on a whole device
// pixel, so that the line covers whole pixels instead of smearing over the
// next ones (at 100 %: the middle of the pixel).
qreal snap(qreal v, qreal dpr) {
    return (qFloor(v * dpr) + lineDevicePixels(dpr) / 2.0) / dpr;
}

} // namespace

TrendPlot::TrendPlot(QWidget* parent) : QWidget(parent) {
    setObjectName("RC3TrendPlot");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TrendPlot::setValues(const QList<double>& values) {
    m_values = values.size() > TrendReading::MaxPoints
                   ? values.mid(values.size() - TrendReading::MaxPoints)
                   : values;
    update();
}

QPointF TrendPlot::pointAt(int i, double value) const {
    const qreal xs = qreal(width()) / Steps;
    const qreal ys = qreal(height()) / 100.0;
    const qreal dpr = devicePixelRatioF();
    return QPointF(snap(i * xs, dpr), snap((100.0 - value) * ys, dpr));
}

void TrendPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const qreal w = width();
    const qreal h = height();
    p.fillRect(rect(), Qt::white);
    const qreal dpr = devicePixelRatioF();
    const qreal thin = lineDevicePixels(dpr) / dpr; // logical width of a thin line

    // Grid at 10% .. 90%; the edges stand for 0% and 100% and are not drawn.
    p.setPen(QPen(gridColour(), thin));
    for (int k = 10; k <= 90; k += 10) {
        const qreal y = snap(k * h / 100.0, dpr);
        p.drawLine(QPointF(w, y), QPointF(0, y));
    }

    const QPointF origin(0, h);
    const qreal dotRadius = DotRadiusTwips / qreal(Twips::PerPixel);
    QPointF previous = origin;
    for (int i = 1; i <= m_values.size(); ++i) {
        const QPointF pt = pointAt(i, m_values.at(i - 1));

        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(stemColour(), thin));
        p.drawLine(pt, QPointF(pt.x(), h));

        // The segment from the previous point (the bottom-left corner for the
        // first), then the dot over both ends.
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(lineColour(), thin));
        p.drawLine(pt, previous);
        p.setBrush(lineColour());
        p.drawEllipse(pt, dotRadius, dotRadius);
        p.setBrush(Qt::NoBrush);
        previous = pt;
    }
}
