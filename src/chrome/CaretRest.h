#pragma once
// Lets the caret of the watched text boxes blink only while the pupil is
// busy in them: a few seconds after the last key, click or change of box the
// caret stops blinking and stays shown. A blinking caret repaints the window
// twice a second, which on an old laptop costs more than everything else an
// idle practice window does; desktops stop a caret blinking after a pause for
// the same reason. The next key, click or change of box starts it again.
//
// Qt's line edits blink with the application's cursor flash time, so resting
// sets that to 0 and waking puts back the platform's value; the value is put
// back too when this object goes. Only one CaretRest should exist at a time.

#include <QObject>
#include <QTimer>

class QWidget;

class CaretRest : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultRestMs = 5000;

    explicit CaretRest(QObject* parent = nullptr, int restMs = DefaultRestMs);
    ~CaretRest() override;

    void watch(QWidget* box);
    bool resting() const { return m_resting; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wake();
    void rest();

    QTimer m_timer;
    int m_flashTime;
    bool m_resting = false;
};
