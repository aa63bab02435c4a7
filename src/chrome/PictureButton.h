#pragma once
// A picture control that acts as a button: it shows its "off" picture, its
// "on" picture while the mouse is over it and its "pressed" picture while the
// mouse button is held over it. Which look is shown is decided by the
// HoverGroup the button belongs to; the button itself only reports clicks.
//
// A caption lying on the button (`lblTB01` on `ToolBar01`, `But1_lbl` on
// `But1`) lets the mouse through, so a click on the caption is a click on the
// button.
//
// Screen readers hear a push button named by its tool tip, or by its caption
// when it has none.

#include "chrome/FramedButton.h"

#include <QPixmap>

class QLabel;

class PictureButton : public FramedButton {
    Q_OBJECT
public:
    enum class Look { Off, On, Pressed };

    PictureButton(const QString& objectName, QWidget* parent);

    // The button takes the size of the off picture; a null picture keeps the
    // current size (the fallback size given by the window). A null on or
    // pressed picture falls back to the one below it.
    void setPictures(const QPixmap& off, const QPixmap& on = QPixmap(),
                     const QPixmap& pressed = QPixmap());
    void showLook(Look look);
    Look look() const { return m_look; }
    // The picture now shown (null when the file was missing).
    QPixmap shownPicture() const;

    // Creates the caption label that lies centred on the button.
    QLabel* addCaption(const QString& objectName, const QString& text);
    QLabel* caption() const { return m_caption; }
    void setCaptionText(const QString& text);
    // Where the caption lies on the button; a null rectangle (the default)
    // means the whole button.
    void setCaptionArea(const QRect& area);
    // Tool tip on the button and on its caption.
    void setToolTips(const QString& tip);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap m_off;
    QPixmap m_on;
    QPixmap m_pressed;
    Look m_look = Look::Off;
    QLabel* m_caption = nullptr;
    QRect m_captionArea;
};
