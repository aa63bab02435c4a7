#include "main_window/ui/PercentColumn.h"

#include <QPainter>

PercentColumn::PercentColumn(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Percent1a"));
    setAccessibleName(QStringLiteral("%"));
}

void PercentColumn::setLineCentres(const QList<int>& centres) {
    m_centres = centres;
    update();
}

QSize PercentColumn::sizeHint() const {
    return QSize(fontMetrics().horizontalAdvance(QLatin1Char('%')) + 2,
                 m_centres.isEmpty() ? fontMetrics().height()
                                     : m_centres.last() + fontMetrics().height());
}

void PercentColumn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int lineHeight = fontMetrics().height();
    for (int centre : std::as_const(m_centres)) {
        painter.drawText(QRect(0, centre - lineHeight / 2, width(), lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%"));
    }
}
