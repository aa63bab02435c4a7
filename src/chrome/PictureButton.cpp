#include "chrome/PictureButton.h"

#include "chrome/ReaderTree.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

PictureButton::PictureButton(const QString& objectName, QWidget* parent)
    : FramedButton(objectName, parent) {
    // Every window has picture buttons: the first one sets up what screen
    // readers are shown.
    ReaderTree::install();
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
    update();
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
    m_caption->setGeometry(m_captionArea.isNull() ? rect() : m_captionArea);
    setCaptionText(text);
    return m_caption;
}

void PictureButton::setCaptionText(const QString& text) {
    if (m_caption)
        m_caption->setText(text);
    // The button's own text is what a screen reader says when there is no
    // tool tip; it is not a shortcut.
    setText(text);
    setShortcut(QKeySequence());
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

bool PictureButton::event(QEvent* event) {
    // The tool tip says what the button does; it is also its spoken name.
    if (event->type() == QEvent::ToolTipChange)
        setAccessibleName(toolTip());
    return FramedButton::event(event);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPixmap picture = shownPicture();
    if (!picture.isNull()) {
        // Drawn as a label draws its picture: centred, greyed while disabled.
        if (!isEnabled()) {
            QStyleOption option;
            option.initFrom(this);
            picture = style()->generatedIconPixmap(QIcon::Disabled, picture, &option);
        }
        style()->drawItemPixmap(&painter, contentsRect(), Qt::AlignCenter, picture);
    }
    paintFocusFrame(painter);
}

void PictureButton::resizeEvent(QResizeEvent* event) {
    FramedButton::resizeEvent(event);
    if (m_caption)
        m_caption->setGeometry(m_captionArea.isNull() ? rect() : m_captionArea);
}
