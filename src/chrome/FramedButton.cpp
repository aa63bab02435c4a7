#include "chrome/FramedButton.h"

#include "chrome/FocusFrame.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

FramedButton::FramedButton(const QString& objectName, QWidget* parent) : QAbstractButton(parent) {
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    // Drawn on the window's colours, like a label, not a push button's.
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
}

void FramedButton::paintFocusFrame(QPainter& painter) const {
    if (hasFocus() && m_focusFrame)
        FocusFrame::paint(painter, rect());
}

void FramedButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A held key clicks once: a repeat must not answer the dialog that
        // the first press opened.
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        // The page moves between its controls (the topics, the paper rows).
        event->ignore();
        return;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

void FramedButton::focusInEvent(QFocusEvent* event) {
    m_focusFrame = FocusFrame::showsFor(event->reason(), this);
    QAbstractButton::focusInEvent(event);
}

// Every press and release on the button ends at the button, whichever mouse
// button it was: none reaches the window behind it.
void FramedButton::mousePressEvent(QMouseEvent* event) {
    QAbstractButton::mousePressEvent(event);
    event->accept();
}

void FramedButton::mouseReleaseEvent(QMouseEvent* event) {
    QAbstractButton::mouseReleaseEvent(event);
    event->accept();
}
