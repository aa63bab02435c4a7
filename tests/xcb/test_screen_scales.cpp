// The windows on a real X server at the scale a laptop is set to
// (QT_SCALE_FACTOR, chosen by the test's caller): what the screen shows of
// the status strip, read back from the screen rather than from the widgets,
// is what a plain label over the same field would show; no window shows a
// black box; the trend plot's thin lines lie on whole device pixels; and the
// bottom strip's fields fit a window as small as 80 % of a 200 % screen. The
// offscreen platform's backing store is not the one a pupil's screen uses,
// and a fractional scale exists only on a real one.

#include "../gui/test_practice_window_harness.h"

#include "chrome/Twips.h"
#include "main_window/ui/TrendPlot.h"
#include "practice/ui/ClockFace.h"
#include "practice/ui/DragResizer.h"
#include "practice/ui/PracticeStatusBar.h"

#include <QApplication>
#include <QScreen>
#include <QtMath>

namespace {

// What the screen shows of the widget's rectangle, at the screen's pixels.
QImage fromScreen(QWidget* widget) {
    QGuiApplication::sync();
    const QRect area(widget->mapToGlobal(QPoint()), widget->size());
    return widget->screen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

int blackPixels(const QImage& image) {
    int black = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            black += qGray(image.pixel(x, y)) < 16;
    }
    return black;
}

// The share of pixels whose colour differs by more than a glyph's edge
// rounding would.
double differing(const QImage& a, const QImage& b) {
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

// The side of the largest square of pure black in the image, up to limit: a
// window drawn right holds thin black text and lines, never a black box.
int blackSquare(const QImage& image, int limit) {
    QList<int> above(image.width() + 1, 0);
    int best = 0;
    for (int y = 0; y < image.height(); ++y) {
        QList<int> row(image.width() + 1, 0);
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 16) {
                row[x + 1] = 1 + qMin(row.at(x), qMin(above.at(x), above.at(x + 1)));
                best = qMax(best, row.at(x + 1));
                if (best >= limit)
                    return best;
            }
        }
        above = row;
    }
    return best;
}

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

// Saved for a person to look at when QUILLORA_SCALES_DUMP names a folder.
void keep(const QImage& image, const QString& name) {
    const QString folder = qEnvironmentVariable("QUILLORA_SCALES_DUMP");
    if (!folder.isEmpty())
        image.save(QStringLiteral("%1/%2-%3.png")
                       .arg(folder, qEnvironmentVariable("QT_SCALE_FACTOR"), name));
}

} // namespace

class TestScreenScales : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
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
        QTRY_COMPARE(w->size(), QSize(768, 480));
        QCoreApplication::processEvents();
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

        // Once a step has failed, the next would only say so again.
        const auto compare = [&](const QString& text, const char* when) {
            if (QTest::currentTestFailed())
                return;
            // A resize lays the strip out again through posted events, which
            // the screen grab would otherwise let in between the two pictures.
            std::pair<QRect, QRect> placed;
            for (int round = 0; round < 10; ++round) {
                QGuiApplication::sync();
                const std::pair<QRect, QRect> now{
                    QRect(field->mapToGlobal(QPoint()), field->size()), clock->geometry()};
                if (now == placed)
                    break;
                placed = now;
            }
            clock->setText(text);
            plain.setGeometry(clock->geometry());
            plain.setText(text);
            clock->show();
            plain.hide();
            clock->repaint();
            const QImage shown = fromScreen(field);
            clock->hide();
            plain.show();
            plain.repaint();
            const QImage expected = fromScreen(field);
            plain.hide();
            clock->show();
            const QString what =
                QStringLiteral("%1 at %2: %3 black pixels, %4 expected; %5 % differ")
                    .arg(QLatin1String(when), qEnvironmentVariable("QT_SCALE_FACTOR"))
                    .arg(blackPixels(shown))
                    .arg(blackPixels(expected))
                    .arg(100 * differing(shown, expected), 0, 'f', 1);
            keep(shown, QLatin1String(when) + QStringLiteral("-clock"));
            keep(expected, QLatin1String(when) + QStringLiteral("-label"));
            QVERIFY2(blackPixels(shown) <= blackPixels(expected) * 11 / 10 + 4, qPrintable(what));
            QVERIFY2(differing(shown, expected) < 0.01, qPrintable(what));
        };
        compare(QStringLiteral("0:0:0"), "opened");
        // A tick: the old digits must not stay behind.
        compare(QStringLiteral("0:18:47"), "after a tick");
        const QSize smaller = w->size() - QSize(37, 21);
        w->resize(smaller);
        QTRY_COMPARE(w->size(), smaller);
        compare(QStringLiteral("0:18:48"), "after a resize");
        const QPoint moved = w->pos() + QPoint(13, 7);
        w->move(moved);
        QTRY_COMPARE(w->pos(), moved);
        compare(QStringLiteral("1:02:09"), "after a move");
    }

    // Every window and page as the screen shows it: no black box anywhere,
    // on the practice window before and after marking either.
    void everyWindowWithoutABlackBox() {
        const int box = qCeil(12 * qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        const auto look = [box](QWidget* window, const QString& name) {
            QTest::qWait(0);
            const QImage shown = fromScreen(window);
            keep(shown, name);
            QVERIFY2(blackSquare(shown, box) < box,
                     qPrintable(name + QStringLiteral(" has a black box")));
        };
        MainWindow main;
        Contents* contents = main.start();
        QVERIFY(contents);
        contents->show();
        QVERIFY(QTest::qWaitForWindowExposed(contents));
        QVERIFY(click(main.child("Topic1")));
        look(contents, QStringLiteral("home"));
        QVERIFY(click(main.child("ToolBar02")));
        look(contents, QStringLiteral("report"));
        QVERIFY(click(main.child("Tab04")));
        look(contents, QStringLiteral("help"));
        QVERIFY(click(main.child("ToolBar02")));
        look(contents, QStringLiteral("trash"));
        main.stop();

        PracticeHarness h;
        PracticeWindow* w = h.open(102);
        QVERIFY(w);
        QVERIFY(h.waitForDocument(w));
        look(w, QStringLiteral("practice"));
        // At the smallest width a drag allows, as well (wider where the tool
        // bar's buttons need more).
        const QSize opened = w->size();
        const QSize narrowest(qMax(Twips::toPx(DragResizer::MinWidthTwips), w->minimumWidth()),
                              opened.height());
        w->resize(narrowest);
        QTRY_COMPARE(w->size(), narrowest);
        look(w, QStringLiteral("practice-narrowest"));
        w->resize(opened);
        QTRY_COMPARE(w->size(), opened);
        w->MarkPaper();
        QVERIFY(w->session()->isMarked());
        look(w, QStringLiteral("practice-marked"));
        w->resize(narrowest);
        QTRY_COMPARE(w->size(), narrowest);
        look(w, QStringLiteral("practice-marked-narrowest"));
        PracticeWindow* second = h.open(102, 2);
        QVERIFY(second);
        QVERIFY(h.waitForDocument(second));
        look(second, QStringLiteral("second-attempt"));
    }
};

int main(int argc, char** argv) {
    registerQuestionScheme();
    QApplication app(argc, argv);
    TestScreenScales test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_screen_scales.moc"
