#pragma once
// The keyboard focus frame: a 2 px rounded outline in a strong orange that a
// child can spot at a glance on the blue and white of the windows. Every
// focusable picture control, label and answer box draws it the same way, in
// its own paintEvent, while it has the focus.

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QWidget>

namespace FocusFrame {

inline QColor colour() {
    return QColor(232, 96, 0);
}
constexpr int Width = 2; // logical pixels

// Draws the frame inside outer (the stroke does not spill over its edge).
inline void paint(QPainter& painter, const QRectF& outer) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colour(), Width));
    painter.setBrush(Qt::NoBrush);
    const qreal half = Width / 2.0;
    painter.drawRoundedRect(outer.adjusted(half, half, -half, -half), 3, 3);
    painter.restore();
}

// Whether focus that arrived for reason should show the frame. Focus that a
// window hands to its first control when it is activated shows none until the
// keyboard has been used in that window: a mouse user would otherwise see an
// orange outline on a control they never chose (a tab behind the strip).
inline bool showsFor(Qt::FocusReason reason, const QWidget* widget) {
    if (reason == Qt::MouseFocusReason || reason == Qt::PopupFocusReason)
        return false;
    if (reason == Qt::ActiveWindowFocusReason)
        return widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
    return true;
}

} // namespace FocusFrame
