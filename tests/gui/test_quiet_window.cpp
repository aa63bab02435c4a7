// What an idle practice window does each second: the clock's tick and the
// answer box's caret. Both run for as long as a pupil sits over a question,
// so they are kept cheap without changing what the pupil sees.

#include "chrome/CaretRest.h"
#include "practice/ui/ClockFace.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>

namespace {
// A widget that counts its paints.
template <class Widget> class Counting : public Widget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        Widget::paintEvent(event);
    }
};
using CountingClock = Counting<ClockFace>;
using CountingField = Counting<QLabel>;

// A field's picture whose every pixel differs from its neighbours, so that a
// backdrop taken from the wrong place shows.
QPixmap fieldPicture(qreal ratio, bool alpha) {
    QImage image(QSize(96, 26) * ratio, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 5 % 256, y * 9 % 256, (x * y) % 256, alpha ? 200 : 255));
    }
    QPixmap picture = QPixmap::fromImage(image);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

QImage Picture(QWidget& widget) {
    widget.setAutoFillBackground(true);
    widget.setPalette(QPalette(Qt::black, QColor(250, 251, 245)));
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}
} // namespace

class TestQuietWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clockLooksLikeALabel_data();
    void clockLooksLikeALabel();
    void clockTicksWithoutPostedUpdates();
    void clockOverItsFieldPaintsAlone_data();
    void clockOverItsFieldPaintsAlone();
    void caretRestsAndWakes();
};

void TestQuietWindow::clockLooksLikeALabel_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("widest") << QStringLiteral("23:59:59") << false << 0;
    QTest::newRow("bold and large") << QStringLiteral("10:47:38") << true << 17;
    // Not the clock's own characters: drawn as ordinary text.
    QTest::newRow("other text") << QStringLiteral("1 h 2 m") << false << 0;
}

// The clock draws its glyphs itself; a pupil must not see the difference from
// the centred plain label it replaced, whatever the font.
void TestQuietWindow::clockLooksLikeALabel() {
    QFETCH(QString, text);
    QFETCH(bool, bold);
    QFETCH(int, pointSize);
    QFont font = QApplication::font();
    font.setBold(bold);
    if (pointSize > 0)
        font.setPointSize(pointSize);

    ClockFace clock;
    clock.setFont(font);
    clock.setText(text);
    QLabel label(text);
    label.setFont(font);
    label.setTextFormat(Qt::PlainText);
    label.setAlignment(Qt::AlignCenter);
    label.setFixedSize(clock.size());
    // The size fits the widest time, and the text stays inside it.
    QVERIFY(clock.width() >= QFontMetrics(font).horizontalAdvance(QStringLiteral("88:88:88")));
    QCOMPARE(clock.minimumSize(), clock.maximumSize());
    QCOMPARE(Picture(clock), Picture(label));
}

// A tick paints at once: a posted update would wake the event loop a second
// time every second. The same text again paints nothing.
void TestQuietWindow::clockTicksWithoutPostedUpdates() {
    CountingClock clock;
    clock.setText(QStringLiteral("0:0:1"));
    clock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clock));
    QTRY_VERIFY(clock.paints > 0);
    QCoreApplication::processEvents();
    const int before = clock.paints;
    const QSize size = clock.size();
    clock.setText(QStringLiteral("0:0:2"));
    QCOMPARE(clock.paints, before + 1);
    clock.setText(QStringLiteral("0:0:2"));
    QCOMPARE(clock.paints, before + 1);
    QCOMPARE(clock.size(), size);

    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&clock);
    QVERIFY(reader);
    QCOMPARE(reader->role(), QAccessible::StaticText);
    QCOMPARE(reader->text(QAccessible::Name), QStringLiteral("0:0:2"));
}

void TestQuietWindow::clockOverItsFieldPaintsAlone_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("alpha");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("alone");
    QTest::newRow("inside the field") << 1.0 << false << QPoint(13, 3) << true << true;
    QTest::newRow("high-DPI picture") << 2.0 << false << QPoint(13, 3) << true << true;
    // The parent paints what is under the clock whenever the picture does
    // not cover it opaquely, or is drawn greyed.
    QTest::newRow("picture with alpha") << 1.0 << true << QPoint(13, 3) << true << false;
    QTest::newRow("past the picture's edge") << 1.0 << false << QPoint(60, 3) << true << false;
    QTest::newRow("field disabled") << 1.0 << false << QPoint(13, 3) << false << false;
}

// Over its field's picture the clock paints that picture itself, so that a
// tick paints the clock alone; the pupil sees the same pixels as before.
void TestQuietWindow::clockOverItsFieldPaintsAlone() {
    QFETCH(qreal, ratio);
    QFETCH(bool, alpha);
    QFETCH(QPoint, at);
    QFETCH(bool, enabled);
    QFETCH(bool, alone);
    const QPixmap picture = fieldPicture(ratio, alpha);
    const QString text = QStringLiteral("0:12:47");

    CountingField field;
    field.setPixmap(picture);
    field.resize(picture.deviceIndependentSize().toSize());
    auto* clock = new ClockFace(&field);
    clock->setText(text);
    clock->move(at);
    clock->setBackdrop(picture);
    field.setEnabled(enabled);
    QCOMPARE(clock->paintsBackdrop(), alone);

    QLabel before;
    before.setPixmap(picture);
    before.resize(field.size());
    before.setEnabled(enabled);
    auto* label = new QLabel(text, &before);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(clock->geometry());
    QCOMPARE(Picture(field), Picture(before));

    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));
    QTRY_VERIFY(field.paints > 0);
    QCoreApplication::processEvents();
    const int paints = field.paints;
    clock->setText(QStringLiteral("0:12:48"));
    QCOMPARE(field.paints, alone ? paints : paints + 1);
    // Moved off the picture, the clock leaves the backdrop to its field again.
    clock->move(picture.deviceIndependentSize().width(), 0);
    QVERIFY(!clock->paintsBackdrop());
}

// The caret blinks while the pupil is busy, rests shown after a pause, and
// blinks again at the next key, click or change of box. The platform's blink
// comes back when the rest goes. The real pause of five seconds is used.
void TestQuietWindow::caretRestsAndWakes() {
    QStyleHints* hints = QGuiApplication::styleHints();
    hints->setCursorFlashTime(1000);
    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    second->move(0, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    first->setFocus();
    {
        CaretRest rest(nullptr);
        rest.watch(first);
        rest.watch(second);
        QVERIFY(!rest.resting());
        QTRY_VERIFY_WITH_TIMEOUT(rest.resting(), 8000);
        QCOMPARE(hints->cursorFlashTime(), 0);

        QTest::keyClick(first, Qt::Key_7);
        QVERIFY(!rest.resting());
        QCOMPARE(hints->cursorFlashTime(), 1000);
        QCOMPARE(first->text(), QStringLiteral("7"));
        QTRY_VERIFY_WITH_TIMEOUT(rest.resting(), 8000);

        second->setFocus();
        QVERIFY(!rest.resting());
        QCOMPARE(hints->cursorFlashTime(), 1000);
        QTRY_VERIFY_WITH_TIMEOUT(rest.resting(), 8000);
        QTest::mouseClick(first, Qt::LeftButton);
        QVERIFY(!rest.resting());
        QTRY_VERIFY_WITH_TIMEOUT(rest.resting(), 8000);
    }
    QCOMPARE(hints->cursorFlashTime(), 1000);
}

QTEST_MAIN(TestQuietWindow)
#include "test_quiet_window.moc"
