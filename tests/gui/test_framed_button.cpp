// The base of the program's own buttons: the keys that click it, that a
// click neither takes the focus nor reaches the window behind nor draws the
// focus frame.

#include "chrome/FramedButton.h"
#include "main_window_harness.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>

namespace {

// Draws a white face and the frame over it, as the program's buttons do.
class PlainButton : public FramedButton {
public:
    using FramedButton::FramedButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        paintFocusFrame(painter);
    }
};

// The page behind the button: counts the mouse presses that reach it.
class Page : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
    void mouseReleaseEvent(QMouseEvent*) override { ++presses; }
};

} // namespace

class TestFramedButton : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_page = std::make_unique<Page>();
        m_page->resize(300, 100);
        m_button = new PlainButton(QStringLiteral("Button"), m_page.get());
        m_button->setGeometry(10, 10, 80, 30);
        m_typing = new QLineEdit(m_page.get());
        m_typing->setGeometry(10, 60, 100, 20);
        m_page->show();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        m_clicks = std::make_unique<QSignalSpy>(m_button, &QAbstractButton::clicked);
    }
    void cleanup() {
        m_clicks.reset();
        m_page.reset();
    }

    // Return, Space and the arrows on the program's own buttons:
    // test_keyboard_access. Here the keypad's Enter, and a held key.
    void keysThatClick() {
        m_button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(m_button, Qt::Key_Enter);
        QCOMPARE(m_clicks->count(), 1);
        // A held Enter clicks once: its repeats would answer the dialog the
        // first press opened.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(m_button, &repeat);
        QCOMPARE(m_clicks->count(), 1);
    }

    void clickLeavesTheTypingAndTheWindowBehind() {
        m_typing->setFocus(Qt::TabFocusReason);
        QTest::mouseClick(m_button, Qt::LeftButton, {}, m_button->rect().center());
        QCOMPARE(m_clicks->count(), 1);
        QCOMPARE(QApplication::focusWidget(), m_typing);
        // No button's press or release, the right one's neither, goes behind it.
        QTest::mouseClick(m_button, Qt::RightButton, {}, m_button->rect().center());
        QCOMPARE(m_page->presses, 0);
        QCOMPARE(m_clicks->count(), 1);
    }

    // The frame a Tab brings, and its going with the focus:
    // test_keyboard_access. A click's focus draws none.
    void noFrameWhereTheMouseBroughtTheFocus() {
        m_button->setFocus(Qt::MouseFocusReason);
        QVERIFY(m_button->hasFocus());
        QCOMPARE(framePixels(m_button), 0);
    }

private:
    std::unique_ptr<Page> m_page;
    PlainButton* m_button = nullptr;
    QLineEdit* m_typing = nullptr;
    std::unique_ptr<QSignalSpy> m_clicks;
};

QTEST_MAIN(TestFramedButton)
#include "test_framed_button.moc"
