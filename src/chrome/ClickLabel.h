#pragma once
// A text label that can be clicked (topic names, the web address). Tab
// reaches it, Enter or Space clicks it, and it draws the focus frame while
// focused.

#include <QLabel>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    ClickLabel(const QString& objectName, QWidget* parent);

public Q_SLOTS:
    // Acts as a left click would (keyboard, screen reader).
    void click() { Q_EMIT clicked(); }

Q_SIGNALS:
    // Left button pressed and released over the label.
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_leftDown = false;
    bool m_focusFrame = false; // the focus came in a way that shows the frame
};
