#include "chrome/ClickLabel.h"

#include "chrome/FocusFrame.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ClickLabel::ClickLabel(const QString& objectName, QWidget* parent) : QLabel(parent) {
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        if (!event->isAutoRepeat())
            Q_EMIT clicked();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickLabel::focusInEvent(QFocusEvent* event) {
    m_focusFrame = FocusFrame::ShowsFor(event->reason(), this);
    QLabel::focusInEvent(event);
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus() && m_focusFrame) {
        QPainter painter(this);
        FocusFrame::Paint(painter, rect());
    }
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    m_leftDown = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_leftDown && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_leftDown = false;
    event->accept();
    if (click)
        Q_EMIT clicked();
}
