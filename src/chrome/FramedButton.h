#pragma once
// The base of the program's own buttons (picture buttons, clickable text):
// a QAbstractButton, so clicking, Space, auto-repeat and what screen readers
// are told come from Qt, drawn by the subclass. On top of Qt's button it
// clicks on Enter as well as Space (a held Enter clicks once), leaves the
// arrow keys to its page, takes the focus by Tab only (a mouse click leaves
// the typing where it was), and draws the keyboard focus frame while the
// focus came in a way that shows it.

#include <QAbstractButton>

class FramedButton : public QAbstractButton {
    Q_OBJECT
public:
    FramedButton(const QString& objectName, QWidget* parent);

protected:
    // Draws the focus frame over what the subclass has drawn, while it shows.
    void paintFocusFrame(QPainter& painter) const;

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_focusFrame = false; // the focus came in a way that shows the frame
};
