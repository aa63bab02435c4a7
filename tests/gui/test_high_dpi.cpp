// The windows at 150 % scaling (QT_SCALE_FACTOR 1.5, set before the
// application starts unless the caller chose another): the trend plot's thin
// lines on whole device pixels, and the bottom strip's fields within the
// strip in a window as small as 80 % of a 200 % screen.

#include "test_practice_window_harness.h"

#include "main_window/ui/TrendPlot.h"
#include "practice/ui/PracticeStatusBar.h"

#include <QApplication>

namespace {

// The lengths, in device pixels, of the runs of colour along column x
// (down) or, when x is negative, along row y (across).
QList<int> runs(const QImage& image, int x, int y, QRgb colour) {
    QList<int> runs;
    int run = 0;
    const int length = x >= 0 ? image.height() : image.width();
    for (int i = 0; i <= length; ++i) {
        if (i < length && image.pixel(x >= 0 ? x : i, x >= 0 ? i : y) == colour) {
            ++run;
        } else if (run > 0) {
            runs << run;
            run = 0;
        }
    }
    return runs;
}

} // namespace

class TestHighDpi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        QWidget probe;
        probe.show();
        QVERIFY(QTest::qWaitForWindowExposed(&probe));
        QCOMPARE(probe.devicePixelRatioF(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }

    void trendLinesOnWholeDevicePixels_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("the Report page's plot") << QSize(320, 230);
        QTest::newRow("an odd size") << QSize(333, 211);
    }

    void trendLinesOnWholeDevicePixels() {
        QFETCH(QSize, size);
        TrendPlot plot;
        plot.resize(size);
        plot.setValues({55, 70, 62.5, 80, 90, 45, 100, 30});
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        const QImage image = plot.grab().toImage();
        const qreal dpr = plot.devicePixelRatioF();
        QCOMPARE(image.width(), qRound(size.width() * dpr));
        const int thin = qMax(1, qRound(dpr));

        // Down the right edge (clear of points and stems): nine grid lines, each
        // exactly one thin line high in full grey, none smeared into a paler row.
        const QRgb grid = TrendPlot::gridColour().rgb();
        QCOMPARE(runs(image, image.width() - 2, 0, grid), QList<int>(9, thin));
        for (int y = 0; y < image.height(); ++y) {
            const QRgb c = image.pixel(image.width() - 2, y);
            QVERIFY2(c == grid || c == qRgb(255, 255, 255), qPrintable(QString::number(y)));
        }
        // Across the bottom row: eight black stems of the same width.
        QCOMPARE(runs(image, -1, image.height() - 1, TrendPlot::stemColour().rgb()),
                 QList<int>(8, thin));
    }

    void bottomStripFitsASmallWindow_data() {
        QTest::addColumn<int>("take");
        QTest::addColumn<bool>("marked");
        QTest::newRow("first attempt") << 1 << false;
        QTest::newRow("first attempt, marked: the score shows") << 1 << true;
        QTest::newRow("second attempt") << 2 << false;
    }

    void bottomStripFitsASmallWindow() {
        QFETCH(int, take);
        QFETCH(bool, marked);
        PracticeHarness h;
        if (take == 2) {
            PracticeWindow* first = h.open(101);
            QVERIFY(first);
            first->MarkPaper();
        }
        PracticeWindow* w = h.open(101, take);
        QVERIFY(w);
        if (marked)
            w->MarkPaper();
        // 80 % of a 1920 x 1200 screen at 200 %.
        w->resize(768, 480);
        auto* strip = child<PracticeStatusBar>(w, "RemQnsBG");
        for (const char* name : {"TxtRem", "Bot1", "Bot2", "Bot3"}) {
            QWidget* field = strip->findChild<QWidget*>(name);
            if (!field)
                continue; // the second attempt has no Bot2
            QVERIFY2(field->geometry().right() < strip->width(), name);
            // Every caption of the field is shown whole.
            for (QLabel* text : field->findChildren<QLabel*>()) {
                if (text->isVisibleTo(field) && !text->text().isEmpty())
                    QVERIFY2(text->width() >= text->minimumSizeHint().width(),
                             qPrintable(text->objectName()));
            }
        }
        if (marked)
            QVERIFY(h.label(w, "PScoring")->isVisible());
        QWidget* list = child<QWidget>(w, "RemQns");
        QVERIFY(list->width() >= list->minimumSizeHint().width());
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "1.5");
    registerQuestionScheme();
    QApplication app(argc, argv);
    TestHighDpi test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_high_dpi.moc"
