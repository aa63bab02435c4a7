// The skinned frame every window wears: its outline, its active and inactive
// title bar (also on a minimised window), dragging by the title bar, and the
// picture cache it is drawn from.

#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "chrome/SkinnedFrame.h"
#include "core/ResourceStore.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QtTest>

class TestSkinnedFrame : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void outlineCutsTheRightCorners_data() {
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("inside");
        QTest::newRow("dialog: middle") << true << QPoint(200, 150) << true;
        QTest::newRow("dialog: top left corner cut") << true << QPoint(0, 0) << false;
        QTest::newRow("dialog: top right corner cut") << true << QPoint(399, 1) << false;
        QTest::newRow("dialog: bottom left corner cut") << true << QPoint(0, 298) << false;
        QTest::newRow("dialog: bottom right corner cut") << true << QPoint(398, 298) << false;
        QTest::newRow("dialog: left edge above the cut") << true << QPoint(1, 290) << true;
        QTest::newRow("dialog: bottom edge beside the cut") << true << QPoint(10, 299) << true;
        QTest::newRow("window: bottom left stays square") << false << QPoint(0, 299) << true;
        QTest::newRow("window: bottom right stays square") << false << QPoint(399, 299) << true;
        QTest::newRow("window: top edge beside the cut") << false << QPoint(6, 0) << true;
    }

    void outlineCutsTheRightCorners() {
        QFETCH(bool, dialog);
        QFETCH(QPoint, point);
        QFETCH(bool, inside);
        QWidget window;
        SkinnedFrame frame(&window, m_pictures,
                           dialog ? FrameOptions::dialog() : FrameOptions::MainWindow());
        window.resize(400, 300);
        frame.pRoundCorners();
        QCOMPARE(window.mask().contains(point), inside);
    }

    void titleBarFollowsActivation() {
        QWidget window;
        window.resize(500, 300);
        SkinnedFrame frame(&window, m_pictures, FrameOptions::MainWindow());
        frame.layout();
        QList<bool> changes;
        connect(&frame, &SkinnedFrame::activeChanged, this,
                [&](bool active) { changes << active; });

        // The window is not the active one, so the activation change turns the
        // title bar white with a grey title.
        QEvent change(QEvent::ActivationChange);
        QApplication::sendEvent(&window, &change);
        QCOMPARE(changes, QList<bool>{false});
        QCOMPARE(frame.BTopLeft()->pixmap().cacheKey(),
                 m_pictures.get("border_white_top_left.bmp").cacheKey());
        QCOMPARE(frame.BTopCentre()->pixmap().cacheKey(),
                 m_pictures.get("border_white_top_center.bmp").cacheKey());
        QCOMPARE(frame.Title()->palette().color(QPalette::WindowText), QColor(128, 128, 128));
        QCOMPARE(frame.imgProgClose()->shownPicture().cacheKey(),
                 m_pictures.get("prog_white_close.bmp").cacheKey());

        frame.paintCaptionActive();
        QCOMPARE(frame.BTopRight()->pixmap().cacheKey(),
                 m_pictures.get("border_top_right.bmp").cacheKey());
        QCOMPARE(frame.Title()->palette().color(QPalette::WindowText), QColor(255, 255, 255));
        QCOMPARE(frame.imgProgClose()->shownPicture().cacheKey(),
                 m_pictures.get("prog_blueoff_close.bmp").cacheKey());

        // The pieces close the edges; the caption buttons sit at the right end
        // of the title bar, minimise before close.
        QCOMPARE(frame.BTopRight()->geometry().right(), window.width() - 1);
        QCOMPARE(frame.BRight()->geometry().right(), window.width() - 1);
        QCOMPARE(frame.BBot()->geometry().bottom(), window.height() - 1);
        QCOMPARE(frame.BTopCentre()->x(), frame.BTopLeft()->geometry().right() + 1);
        QCOMPARE(frame.BTopCentre()->geometry().right() + 1, frame.BTopRight()->x());
        QVERIFY(frame.imgProgMin()->geometry().right() < frame.imgProgClose()->x());
        QVERIFY(frame.imgProgClose()->geometry().right() < window.width() - 1);
        QVERIFY(frame.imgProgClose()->geometry().bottom() < frame.BTopLeft()->height());
        QCOMPARE(frame.clientRect(),
                 QRect(QPoint(frame.BLeft()->width(), frame.BTopLeft()->height()),
                       QPoint(frame.BRight()->x() - 1, frame.BBot()->y() - 1)));

        // A minimised window is smaller than its frame: nothing is left inside.
        window.resize(3, 2);
        frame.layout();
        QCOMPARE(frame.clientRect().size(), QSize(0, 0));
    }

    void dragByTheTitleBar_data() {
        QTest::addColumn<QString>("piece");
        QTest::newRow("title text") << "Title";
        QTest::newRow("left corner") << "BTopLeft";
        QTest::newRow("middle") << "BTopCentre";
        QTest::newRow("right corner") << "BTopRight";
    }

    void dragByTheTitleBar() {
        QFETCH(QString, piece);
        QWidget window;
        SkinnedFrame frame(&window, m_pictures, FrameOptions::MainWindow());
        window.setGeometry(100, 100, 400, 300);
        frame.setTitle("Quillora Maths Practice");
        frame.raise();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* handle = window.findChild<QWidget*>(piece);
        const QPoint start = window.pos();
        const QPoint grip = handle->rect().center();

        QTest::mousePress(handle, Qt::LeftButton, {}, grip);
        // The offscreen platform the tests run on cannot move windows itself,
        // so the frame follows the mouse.
        QVERIFY(frame.manualMoveActive());
        QTest::mouseMove(handle, grip + QPoint(37, 21));
        QTRY_COMPARE(window.pos(), start + QPoint(37, 21));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->mapFromGlobal(QCursor::pos()));
        QVERIFY(!frame.manualMoveActive());
    }

    void pictureCacheReadsOnceAndIgnoresCase() {
        QTemporaryDir dir;
        const QString folder = dir.path();
        auto write = [&](const char* name, int side) {
            QImage image(side, side, QImage::Format_RGB32);
            image.fill(Qt::green);
            return image.save(QDir(folder).filePath(name), "BMP");
        };
        QVERIFY(write("pencil.bmp", 16) && write("late.bmp", 5));
        PictureCache cache(folder);
        QCOMPARE(cache.get("Pencil.BMP").size(), QSize(16, 16));
        QVERIFY(cache.missing().isEmpty());

        // Read once: removing the file afterwards changes nothing.
        QCOMPARE(cache.get("late.bmp").size(), QSize(5, 5));
        QVERIFY(QFile::remove(QDir(folder).filePath("late.bmp")));
        QCOMPARE(cache.get("late.bmp").size(), QSize(5, 5));

        QVERIFY(cache.get("nothing_here.bmp").isNull());
        QVERIFY(cache.get("nothing_here.bmp").isNull());
        QCOMPARE(cache.missing(), QStringList{"nothing_here.bmp"});
    }

private:
    // Read straight from the built-in store.
    PictureCache m_pictures{ResourceStore().root() + "/graphics"};
};

QTEST_MAIN(TestSkinnedFrame)
#include "test_skinned_frame.moc"
