#include "chrome/PictureButton.h"

#include "chrome/FocusFrame.h"
#include "chrome/PictureButtonAccessible.h"
#include "chrome/ReaderTree.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

PictureButton::PictureButton(const QString& objectName, QWidget* parent) : QLabel(parent) {
    static const bool accessible = [] {
        // Every window has picture buttons: the first one sets up what
        // screen readers are shown.
        ReaderTree::Install();
        QAccessible::installFactory(&PictureButtonAccessible::Create);
        return true;
    }();
    Q_UNUSED(accessible);
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void PictureButton::setPictures(const QPixmap& off, const QPixmap& on, const QPixmap& pressed) {
    m_off = off;
    m_on = on.isNull() ? off : on;
    m_pressed = pressed.isNull() ? m_on : pressed;
    if (!m_off.isNull())
        resize(m_off.deviceIndependentSize().toSize());
    showLook(m_look);
}

void PictureButton::showLook(Look look) {
    m_look = look;
    setPixmap(shownPicture());
}

QPixmap PictureButton::shownPicture() const {
    switch (m_look) {
    case Look::Pressed:
        return m_pressed;
    case Look::On:
        return m_on;
    case Look::Off:
        break;
    }
    return m_off;
}

QLabel* PictureButton::addCaption(const QString& objectName, const QString& text) {
    if (!m_caption) {
        m_caption = new QLabel(this);
        m_caption->setAlignment(Qt::AlignCenter);
        m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_caption->setObjectName(objectName);
    m_caption->setText(text);
    m_caption->setGeometry(m_captionArea.isNull() ? rect() : m_captionArea);
    return m_caption;
}

void PictureButton::setCaptionArea(const QRect& area) {
    m_captionArea = area;
    if (m_caption)
        m_caption->setGeometry(m_captionArea.isNull() ? rect() : m_captionArea);
}

void PictureButton::setToolTips(const QString& tip) {
    setToolTip(tip);
    if (m_caption)
        m_caption->setToolTip(tip);
}

QString PictureButton::spokenName() const {
    if (!accessibleName().isEmpty())
        return accessibleName();
    if (!toolTip().isEmpty())
        return toolTip();
    return m_caption ? m_caption->text() : QString();
}

void PictureButton::click() {
    if (isEnabled())
        Q_EMIT clicked();
}

bool PictureButton::event(QEvent* event) {
    // The tool tip says what the button does; it is also its spoken name.
    if (event->type() == QEvent::ToolTipChange)
        setAccessibleName(toolTip());
    return QLabel::event(event);
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // A held key clicks once: a repeat must not answer the dialog that
        // the first press opened.
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void PictureButton::focusInEvent(QFocusEvent* event) {
    m_focusFrame = FocusFrame::ShowsFor(event->reason(), this);
    QLabel::focusInEvent(event);
}

void PictureButton::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus() && m_focusFrame) {
        QPainter painter(this);
        FocusFrame::Paint(painter, rect());
    }
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_leftDown = true;
        Q_EMIT pressed();
    }
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_leftDown) {
        event->accept();
        return;
    }
    m_leftDown = false;
    const bool inside = rect().contains(event->position().toPoint());
    Q_EMIT released();
    if (inside)
        Q_EMIT clicked();
    event->accept();
}

void PictureButton::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    if (m_caption)
        m_caption->setGeometry(m_captionArea.isNull() ? rect() : m_captionArea);
}
