// The practice window on a real X server at the scale a laptop is set to
// (QT_SCALE_FACTOR, chosen by the test's caller): what the screen shows of
// the status strip, read back from the screen rather than from the widgets,
// is what a plain label over the same field would show. The offscreen
// platform's backing store is not the one a pupil's screen uses, and a
// fractional scale exists only on a real one.

#include "../gui/test_practice_window_harness.h"

#include "practice/ui/ClockFace.h"
#include "practice/ui/PracticeStatusBar.h"

#include <QApplication>
#include <QScreen>

namespace {

// What the screen shows of the widget's rectangle, at the screen's pixels.
QImage FromScreen(QWidget* widget) {
    QGuiApplication::sync();
    const QRect area(widget->mapToGlobal(QPoint()), widget->size());
    return widget->screen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

int BlackPixels(const QImage& image) {
    int black = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            black += qGray(image.pixel(x, y)) < 16;
    }
    return black;
}

// The share of pixels whose colour differs by more than a glyph's edge
// rounding would.
double Differing(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return 1;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            differing +=
                qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q)) >
                96;
        }
    }
    return double(differing) / (a.width() * a.height());
}

} // namespace

class TestScreenScales : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    }

    // The clock over its field, as the paper opens, after a tick, after the
    // window is resized and after it is moved: against the same field with a
    // plain, transparent label in the clock's place.
    void clockShowsItsTimeOnItsField() {
        PracticeHarness h;
        PracticeWindow* w = h.open(101);
        QVERIFY(w);
        QCOMPARE(w->devicePixelRatioF(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        QVERIFY(h.waitForDocument(w));
        auto* strip = child<PracticeStatusBar>(w, "RemQnsBG");
        auto* clock = child<ClockFace>(strip, "lblClock");
        QWidget* field = clock->parentWidget();
        QVERIFY(clock->isVisible());
        // Still painting its field itself, so that a tick paints the clock alone.
        QVERIFY(clock->paintsBackdrop());

        QLabel plain(field);
        plain.setTextFormat(Qt::PlainText);
        plain.setAlignment(Qt::AlignCenter);
        plain.setFont(clock->font());
        plain.setPalette(clock->palette());
        plain.hide();

        const auto compare = [&](const QString& text, const char* when) {
            clock->setText(text);
            plain.setGeometry(clock->geometry());
            plain.setText(text);
            clock->show();
            plain.hide();
            clock->repaint();
            const QImage shown = FromScreen(field);
            clock->hide();
            plain.show();
            plain.repaint();
            const QImage expected = FromScreen(field);
            plain.hide();
            clock->show();
            const QString what =
                QStringLiteral("%1 at %2: %3 black pixels, %4 expected; %5 % differ")
                    .arg(QLatin1String(when), qEnvironmentVariable("QT_SCALE_FACTOR"))
                    .arg(BlackPixels(shown))
                    .arg(BlackPixels(expected))
                    .arg(100 * Differing(shown, expected), 0, 'f', 1);
            if (!qEnvironmentVariableIsEmpty("QUILLORA_SCALES_DUMP")) {
                shown.save(qEnvironmentVariable("QUILLORA_SCALES_DUMP") + QLatin1String(when) +
                           QStringLiteral("-shown.png"));
                expected.save(qEnvironmentVariable("QUILLORA_SCALES_DUMP") + QLatin1String(when) +
                              QStringLiteral("-expected.png"));
            }
            QVERIFY2(BlackPixels(shown) <= BlackPixels(expected) * 11 / 10 + 4, qPrintable(what));
            QVERIFY2(Differing(shown, expected) < 0.01, qPrintable(what));
        };
        compare(QStringLiteral("0:0:0"), "opened");
        if (QTest::currentTestFailed())
            return;
        // A tick: the old digits must not stay behind.
        compare(QStringLiteral("0:18:47"), "after a tick");
        if (QTest::currentTestFailed())
            return;
        const QSize smaller = w->size() - QSize(37, 21);
        w->resize(smaller);
        QTRY_COMPARE(w->size(), smaller);
        compare(QStringLiteral("0:18:48"), "after a resize");
        if (QTest::currentTestFailed())
            return;
        const QPoint moved = w->pos() + QPoint(13, 7);
        w->move(moved);
        QTRY_COMPARE(w->pos(), moved);
        compare(QStringLiteral("1:02:09"), "after a move");
    }
};

int main(int argc, char** argv) {
    RegisterQuestionScheme();
    QApplication app(argc, argv);
    TestScreenScales test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_screen_scales.moc"
