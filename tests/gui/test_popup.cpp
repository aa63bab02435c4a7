// The skinned frame every window wears (its outline, its active and inactive
// title bar, also on a minimised window, dragging by the title bar, and the
// picture cache it is drawn from), then the pop-up dialog `frmPopUp` in it:
// its button sets, where its message and buttons stand, where it is placed,
// and the real dialog answered by mouse and by keys through PopUpService.

#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "chrome/PopUpService.h"
#include "chrome/SkinnedFrame.h"
#include "chrome/frmPopUp.h"
#include "core/AppState.h"
#include "core/ResourceStore.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QtTest>

class TestPopUp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void outlineCutsTheRightCorners_data() {
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("inside");
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

    void layout_data() {
        const QString marking = QStringLiteral("You have not answered all the questions.  Do you "
                                               "still want to mark your practice?");
        QTest::addColumn<PopUpButtons>("set");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("lowered");
        QTest::newRow("OK alone") << PopUpButtons::Ok << QStringLiteral("Paper saved") << true;
        QTest::newRow("exactly 32") << PopUpButtons::YesNo << QString(32, 'b') << true;
        QTest::newRow("33 characters") << PopUpButtons::YesNo << QString(33, 'c') << false;
        QTest::newRow("the long marking question") << PopUpButtons::YesNo << marking << false;
        QTest::newRow("three times as long: the dialog grows")
            << PopUpButtons::Ok << marking + ' ' + marking + ' ' + marking << false;
    }

    // A one-line message stands level with the middle of the information
    // picture, a longer one from its top; all of it above the buttons, which lie
    // whole inside the dialog.
    void layout() {
        QFETCH(PopUpButtons, set);
        QFETCH(QString, message);
        QFETCH(bool, lowered);
        frmPopUp dialog(m_pictures);
        dialog.CallPop("Close Practice", message, set, nullptr);
        dialog.show();
        auto* info = dialog.findChild<QLabel*>("ImgInfo");
        auto* label = dialog.findChild<QLabel*>("lblMessage");
        auto* but1 = dialog.findChild<PictureButton*>("But1");
        auto* but2 = dialog.findChild<PictureButton*>("But2");
        QCOMPARE(dialog.findChild<QLabel*>("lblTitle")->text(), QStringLiteral("Close Practice"));
        QCOMPARE(label->text(), message);
        QCOMPARE(label->y() > info->y(), lowered);
        QVERIFY(label->y() >= info->y() && label->y() < info->geometry().center().y());
        QVERIFY(label->x() > info->geometry().right());
        QVERIFY(label->height() >= label->heightForWidth(label->width()));
        QVERIFY(dialog.height() >= frmPopUp::DesignHeight);
        // The outline follows a grown dialog.
        QVERIFY(dialog.mask().contains(QPoint(dialog.width() / 2, dialog.height() - 2)));

        const bool yesNo = set == PopUpButtons::YesNo;
        QCOMPARE(dialog.findChild<QLabel*>("But1_lbl")->text(),
                 yesNo ? QStringLiteral("Yes") : QStringLiteral("OK"));
        QCOMPARE(but2->isVisible(), yesNo);
        for (PictureButton* button : {but1, but2}) {
            if (button->isVisible()) {
                QVERIFY(dialog.rect().contains(button->geometry()));
                QVERIFY2(button->y() > label->geometry().bottom(), "message runs into the buttons");
            }
        }
        if (yesNo) {
            // Side by side from under the message's left edge, apart.
            QCOMPARE(dialog.findChild<QLabel*>("But2_lbl")->text(), QStringLiteral("No"));
            QCOMPARE(but1->x(), label->x());
            QCOMPARE(but2->y(), but1->y());
            QVERIFY(but2->x() > but1->geometry().right() + 1);
        } else {
            QVERIFY(qAbs(but1->x() - (dialog.width() - but1->geometry().right() - 1)) <= 1);
        }
    }

    void centredOverItsOwner_data() {
        QTest::addColumn<QRect>("ownerGeometry");
        QTest::newRow("off centre") << QRect(417, 233, 700, 520);
        QTest::newRow("smaller than the dialog") << QRect(300, 300, 200, 100);
    }

    void centredOverItsOwner() {
        QFETCH(QRect, ownerGeometry);
        QWidget owner(nullptr, Qt::Window | Qt::FramelessWindowHint);
        owner.setGeometry(ownerGeometry);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        auto* child = new QWidget(&owner);

        frmPopUp dialog(m_pictures, &owner);
        // The owner may be any widget of the window: the window is what counts.
        dialog.CallPop("Quillora", "Paper saved", PopUpButtons::Ok, child);
        const QRect frame = owner.frameGeometry();
        QCOMPARE(dialog.x(), (frame.width() - dialog.width()) / 2 + frame.left());
        QCOMPARE(dialog.y(), (frame.height() - dialog.height()) / 2 + frame.top());
    }

    void realDialogAnswers_data() {
        QTest::addColumn<PopUpButtons>("set");
        // "click:" a control, "key:" a key, "held:" a key auto-repeated.
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<bool>("answer");
        QTest::newRow("Yes clicked") << PopUpButtons::YesNo << QStringList{"click:But1"} << true;
        QTest::newRow("the caption of No clicked")
            << PopUpButtons::YesNo << QStringList{"click:But2_lbl"} << false;
        QTest::newRow("Esc on Yes/No") << PopUpButtons::YesNo << QStringList{"key:Esc"} << false;
        QTest::newRow("Esc closes a notice as OK")
            << PopUpButtons::Ok << QStringList{"key:Esc"} << true;
        QTest::newRow("Tab to No, Enter")
            << PopUpButtons::YesNo << QStringList{"key:Tab", "key:Return"} << false;
        QTest::newRow("a held Esc does not answer")
            << PopUpButtons::YesNo << QStringList{"held:Esc", "key:Enter"} << true;
    }

    // The dialog shown modally by PopUpService, answered as a pupil would; every
    // action but the last leaves it open. Enter, held or not, reaches the
    // focused button first (test_framed_button, test_keyboard_access).
    void realDialogAnswers() {
        QFETCH(PopUpButtons, set);
        QFETCH(QStringList, actions);
        QFETCH(bool, answer);
        PopUpService service(m_pictures);
        QString seenMessage;
        QString firstFocus;
        QList<bool> openBefore;
        bool leftOpen = false;
        QTimer::singleShot(0, this, [&] {
            QPointer<QWidget> dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), QStringLiteral("frmPopUp"));
            QVERIFY(QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog; }));
            auto focused = [&] {
                return QApplication::focusWidget() ? QApplication::focusWidget() : dialog.data();
            };
            seenMessage = dialog->findChild<QLabel*>("lblMessage")->text();
            firstFocus = focused()->objectName();
            for (const QString& action : actions) {
                openBefore << (dialog && dialog->isVisible());
                if (!openBefore.last())
                    return;
                const QString what = action.section(':', 1);
                const Qt::Key key =
                    QKeySequence::fromString(what, QKeySequence::PortableText)[0].key();
                if (action.startsWith("click:")) {
                    auto* target = dialog->findChild<QWidget*>(what);
                    QVERIFY(target && target->isVisible());
                    QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
                } else if (action.startsWith("key:")) {
                    QTest::keyClick(focused(), key);
                } else {
                    QKeyEvent held(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
                    QApplication::sendEvent(focused(), &held);
                }
            }
            // A dialog the last action did not close is left here, answered No.
            QCoreApplication::processEvents();
            if (dialog && dialog->isVisible()) {
                leftOpen = true;
                static_cast<frmPopUp*>(dialog.data())->dismiss();
            }
        });
        QCOMPARE(service.ask("Marking", "Confirm?", set, nullptr), answer);
        QCOMPARE(seenMessage, QStringLiteral("Confirm?"));
        QCOMPARE(firstFocus, QStringLiteral("But1"));
        QCOMPARE(openBefore, QList<bool>(actions.size(), true));
        QVERIFY2(!leftOpen, "the last action did not close the dialog");
        QVERIFY(!QApplication::activeModalWidget());
    }

private:
    // Read straight from the built-in store.
    PictureCache m_pictures{ResourceStore().root() + "/graphics"};
};

QTEST_MAIN(TestPopUp)
#include "test_popup.moc"
