#pragma once
// The windows' plain backgrounds: the pages and the dialog are white; the tab
// strip, the tool bars and the practice window's panels share one pale colour.

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace Backgrounds {

inline QColor panel() {
    return QColor(244, 245, 235);
}

// Fills widget's background with colour; its children are drawn over it.
inline void fill(QWidget* widget, const QColor& colour) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

} // namespace Backgrounds
