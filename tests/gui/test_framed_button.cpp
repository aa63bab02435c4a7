// The base of the program's own buttons: which keys click it and which go on
// to its page, that a click neither takes the focus nor reaches the window
// behind, and when its focus frame is drawn.

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

// The page behind the button: counts what reaches it.
class Page : public QWidget {
public:
    QList<int> keys;
    int presses = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys << event->key(); }
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

    void keysThatClickAndKeysForThePage() {
        m_button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(m_button, Qt::Key_Return);
        QTest::keyClick(m_button, Qt::Key_Enter);
        QTest::keyClick(m_button, Qt::Key_Space);
        QCOMPARE(m_clicks->count(), 3);
        // A held Enter clicks once: its repeats would answer the dialog the
        // first press opened.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(m_button, &repeat);
        QCOMPARE(m_clicks->count(), 3);
        // The arrows move between the page's controls.
        for (int key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right})
            QTest::keyClick(m_button, Qt::Key(key));
        QCOMPARE(m_page->keys, QList<int>({Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}));
        QCOMPARE(m_clicks->count(), 3);
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

    void frameOnlyWhereTheKeyboardBroughtTheFocus() {
        QCOMPARE(framePixels(m_button), 0);
        m_button->setFocus(Qt::MouseFocusReason);
        QVERIFY(m_button->hasFocus());
        QCOMPARE(framePixels(m_button), 0);
        m_typing->setFocus(Qt::TabFocusReason);
        m_button->setFocus(Qt::TabFocusReason);
        // A closed outline: at least the four sides' worth.
        QVERIFY(framePixels(m_button) >= m_button->width() + m_button->height());
        // Gone with the focus.
        m_typing->setFocus(Qt::TabFocusReason);
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
