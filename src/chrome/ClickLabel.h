#pragma once
// A text label that can be clicked (topic names, the web address).

#include <QLabel>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    ClickLabel(const QString& objectName, QWidget* parent);

Q_SIGNALS:
    // Left button pressed and released over the label.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_leftDown = false;
};
