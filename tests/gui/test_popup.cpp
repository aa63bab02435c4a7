// The pop-up dialog, the skinned frame it shares with every window, the
// picture buttons and the picture cache.

#include "chrome/FocusFrame.h"
#include "chrome/HoverGroup.h"
#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "chrome/PopUpService.h"
#include "chrome/SkinnedFrame.h"
#include "chrome/frmPopUp.h"
#include "core/AppState.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// Plain coloured test pictures of known sizes; each colour tells the
// pictures apart.
void writePicture(const QString& folder, const QString& name, QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(QDir(folder).filePath(name), "BMP"));
}

void writeDialogPictures(const QString& folder) {
    QDir().mkpath(folder);
    writePicture(folder, "border_top_left.bmp", {6, 28}, Qt::blue);
    writePicture(folder, "border_top_center.bmp", {2, 28}, Qt::darkBlue);
    writePicture(folder, "border_top_right.bmp", {6, 28}, Qt::blue);
    writePicture(folder, "border_white_top_left.bmp", {6, 28}, Qt::white);
    writePicture(folder, "border_white_top_center.bmp", {2, 28}, Qt::lightGray);
    writePicture(folder, "border_white_top_right.bmp", {6, 28}, Qt::white);
    writePicture(folder, "border_left.bmp", {4, 2}, Qt::blue);
    writePicture(folder, "border_right.bmp", {4, 2}, Qt::blue);
    writePicture(folder, "border_bot.bmp", {2, 4}, Qt::blue);
    writePicture(folder, "border_left_corners.bmp", {4, 4}, Qt::blue);
    writePicture(folder, "border_right_corners.bmp", {4, 4}, Qt::blue);
    writePicture(folder, "button_off.bmp", {80, 26}, Qt::gray);
    writePicture(folder, "button_on.bmp", {80, 26}, Qt::yellow);
    for (const char* state : {"blueoff", "blue", "white"}) {
        for (const char* kind : {"close", "min", "max", "norm"})
            writePicture(folder, QStringLiteral("prog_%1_%2.bmp").arg(state, kind), {21, 21},
                         Qt::red);
    }
}

QString longMessage() {
    return QStringLiteral("You have not answered all the questions.  Do you still want to "
                          "mark your practice?");
}

} // namespace

class TestPopUp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void buttonSets_data();
    void buttonSets();
    void shortMessagesAreLowered_data();
    void shortMessagesAreLowered();
    void longMessageFitsAboveTheButtons();
    void centredOverItsOwner_data();
    void centredOverItsOwner();
    void answerThroughTheSeam();
    void realDialogAnswersByClick_data();
    void realDialogAnswersByClick();
    void realDialogAnswersByKey_data();
    void realDialogAnswersByKey();
    void outlineCutsTheRightCorners_data();
    void outlineCutsTheRightCorners();
    void titleBarFollowsActivation();
    void dragByTheTitleBar_data();
    void dragByTheTitleBar();
    void frameFitsAMinimisedWindow();
    void pressTrackFollowsTheCursor();
    void pictureCacheReadsOnceAndIgnoresCase();
    void focusFrameOnlyFromTheKeyboard_data();
    void focusFrameOnlyFromTheKeyboard();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PictureCache> m_pictures;
};

void TestPopUp::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    const QString graphics = m_dir->filePath("Graphics");
    writeDialogPictures(graphics);
    m_pictures = std::make_unique<PictureCache>(graphics);
}

void TestPopUp::buttonSets_data() {
    QTest::addColumn<PopUpButtons>("set");
    QTest::addColumn<bool>("secondShown");
    QTest::addColumn<QString>("firstCaption");
    QTest::addColumn<QString>("secondCaption");
    QTest::newRow("OK alone") << PopUpButtons::Ok << false << "OK"
                              << "";
    QTest::newRow("Yes and No") << PopUpButtons::YesNo << true << "Yes"
                                << "No";
}

void TestPopUp::buttonSets() {
    QFETCH(PopUpButtons, set);
    QFETCH(bool, secondShown);
    QFETCH(QString, firstCaption);
    QFETCH(QString, secondCaption);

    frmPopUp dialog(*m_pictures);
    dialog.CallPop("Close Practice", "Confirm?", set, nullptr);
    dialog.show();
    auto* but1 = dialog.findChild<PictureButton*>("But1");
    auto* but2 = dialog.findChild<PictureButton*>("But2");
    auto* message = dialog.findChild<QLabel*>("lblMessage");
    QVERIFY(but1 && but2 && message);
    QCOMPARE(but1->size(), QSize(80, 26));
    QVERIFY(but1->isVisible());
    QCOMPARE(but2->isVisible(), secondShown);
    QCOMPARE(dialog.findChild<QLabel*>("But1_lbl")->text(), firstCaption);
    if (secondShown) {
        QCOMPARE(dialog.findChild<QLabel*>("But2_lbl")->text(), secondCaption);
        QCOMPARE(but1->x(), message->x());
        QCOMPARE(but2->x(), but1->x() + but1->width() + 10);
        QCOMPARE(but2->y(), but1->y());
    } else {
        QCOMPARE(but1->x(), (dialog.width() - but1->width()) / 2);
    }
    QCOMPARE(but1->y() + but1->height(), dialog.height() - 16);
    QCOMPARE(dialog.findChild<QLabel*>("lblTitle")->text(), QStringLiteral("Close Practice"));
}

void TestPopUp::shortMessagesAreLowered_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("drop");
    QTest::newRow("31 characters") << QString(31, 'a') << 7;
    QTest::newRow("exactly 32") << QString(32, 'b') << 7;
    QTest::newRow("33 characters") << QString(33, 'c') << 0;
    QTest::newRow("Paper saved") << QStringLiteral("Paper saved") << 7;
    QTest::newRow("the long marking question") << longMessage() << 0;
}

void TestPopUp::shortMessagesAreLowered() {
    QFETCH(QString, message);
    QFETCH(int, drop);
    frmPopUp dialog(*m_pictures);
    dialog.CallPop("Marking", message, PopUpButtons::YesNo, nullptr);
    auto* info = dialog.findChild<QLabel*>("ImgInfo");
    auto* label = dialog.findChild<QLabel*>("lblMessage");
    QCOMPARE(label->y(), info->y() + drop);
    QCOMPARE(label->text(), message);
    // 240 twips below the title bar, message 150 twips right of the picture.
    QCOMPARE(info->y(), 28 + 16);
    QCOMPARE(label->x(), info->x() + info->width() + 10);
}

void TestPopUp::longMessageFitsAboveTheButtons() {
    frmPopUp dialog(*m_pictures);
    const QString text = longMessage() + ' ' + longMessage() + ' ' + longMessage();
    dialog.CallPop("Marking", text, PopUpButtons::YesNo, nullptr);
    auto* label = dialog.findChild<QLabel*>("lblMessage");
    auto* but1 = dialog.findChild<PictureButton*>("But1");
    QVERIFY(label->height() >= label->heightForWidth(label->width()));
    QVERIFY2(label->y() + label->height() <= but1->y(), "message runs into the buttons");
    QVERIFY(dialog.height() >= frmPopUp::DesignHeight);
    // The outline follows the grown dialog.
    QVERIFY(dialog.mask().contains(QPoint(dialog.width() / 2, dialog.height() - 2)));
}

void TestPopUp::centredOverItsOwner_data() {
    QTest::addColumn<QRect>("ownerGeometry");
    QTest::newRow("top left of the screen") << QRect(0, 0, 600, 400);
    QTest::newRow("off centre") << QRect(417, 233, 700, 520);
    QTest::newRow("smaller than the dialog") << QRect(300, 300, 200, 100);
}

void TestPopUp::centredOverItsOwner() {
    QFETCH(QRect, ownerGeometry);
    QWidget owner(nullptr, Qt::Window | Qt::FramelessWindowHint);
    owner.setGeometry(ownerGeometry);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    auto* child = new QWidget(&owner);

    frmPopUp dialog(*m_pictures, &owner);
    // The owner may be any widget of the window: the window is what counts.
    dialog.CallPop("Quillora", "Paper saved", PopUpButtons::Ok, child);
    const QRect frame = owner.frameGeometry();
    QCOMPARE(dialog.x(), (frame.width() - dialog.width()) / 2 + frame.left());
    QCOMPARE(dialog.y(), (frame.height() - dialog.height()) / 2 + frame.top());
}

void TestPopUp::answerThroughTheSeam() {
    PopUpService service(*m_pictures);
    QList<PopUpButtons> sets;
    service.setAnswerer([&](const QString&, const QString&, PopUpButtons buttons) {
        sets << buttons;
        return false;
    });
    QCOMPARE(service.Ask("Close Practice", "Confirm?", PopUpButtons::YesNo, nullptr), false);
    QCOMPARE(service.lastTitle(), QStringLiteral("Close Practice"));
    QCOMPARE(service.lastMessage(), QStringLiteral("Confirm?"));
    service.Tell("Quillora", "Paper saved", nullptr);
    QCOMPARE(sets, QList<PopUpButtons>({PopUpButtons::YesNo, PopUpButtons::Ok}));
    QCOMPARE(service.askCount(), 2);
    QCOMPARE(service.lastMessage(), QStringLiteral("Paper saved"));
}

void TestPopUp::realDialogAnswersByClick_data() {
    QTest::addColumn<PopUpButtons>("set");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("answer");
    QTest::newRow("OK") << PopUpButtons::Ok << "But1" << true;
    QTest::newRow("Yes") << PopUpButtons::YesNo << "But1" << true;
    QTest::newRow("No") << PopUpButtons::YesNo << "But2" << false;
    QTest::newRow("click on the caption of No") << PopUpButtons::YesNo << "But2_lbl" << false;
}

void TestPopUp::realDialogAnswersByClick() {
    QFETCH(PopUpButtons, set);
    QFETCH(QString, button);
    QFETCH(bool, answer);
    PopUpService service(*m_pictures);

    QWidget owner;
    owner.setGeometry(100, 100, 500, 400);
    owner.show();
    bool clicked = false;
    QString seenMessage;
    QTimer::singleShot(0, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        QCOMPARE(modal->objectName(), QStringLiteral("frmPopUp"));
        seenMessage = modal->findChild<QLabel*>("lblMessage")->text();
        auto* target = modal->findChild<QWidget*>(button);
        QVERIFY(target && target->isVisible());
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        clicked = true;
    });
    QCOMPARE(service.Ask("Close Practice", "Confirm?", set, &owner), answer);
    QVERIFY(clicked);
    QCOMPARE(seenMessage, QStringLiteral("Confirm?"));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestPopUp::realDialogAnswersByKey_data() {
    QTest::addColumn<PopUpButtons>("set");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<bool>("answer");
    QTest::newRow("Enter on Yes/No") << PopUpButtons::YesNo << QList<int>{Qt::Key_Return} << true;
    QTest::newRow("Esc on Yes/No") << PopUpButtons::YesNo << QList<int>{Qt::Key_Escape} << false;
    // Esc on an OK notice just closes it, answering OK.
    QTest::newRow("Esc on OK") << PopUpButtons::Ok << QList<int>{Qt::Key_Escape} << true;
}

void TestPopUp::realDialogAnswersByKey() {
    QFETCH(PopUpButtons, set);
    QFETCH(QList<int>, keys);
    QFETCH(bool, answer);
    PopUpService service(*m_pictures);
    QList<bool> openAfterKey;
    QTimer::singleShot(0, this, [&] {
        for (int key : keys) {
            QPointer<QWidget> modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            QTest::keyClick(modal, Qt::Key(key));
            QCoreApplication::processEvents();
            openAfterKey << (modal && modal->isVisible());
        }
    });
    QCOMPARE(service.Ask("Marking", "Do you want to mark your practice now?", set, nullptr),
             answer);
    QCOMPARE(openAfterKey.size(), keys.size());
    QCOMPARE(openAfterKey.last(), false);
    for (int i = 0; i + 1 < openAfterKey.size(); ++i)
        QVERIFY2(openAfterKey[i], "a key other than the last closed the dialog");
}

void TestPopUp::outlineCutsTheRightCorners_data() {
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
    QTest::newRow("window: top left corner cut") << false << QPoint(1, 1) << false;
    QTest::newRow("window: top edge beside the cut") << false << QPoint(6, 0) << true;
}

void TestPopUp::outlineCutsTheRightCorners() {
    QFETCH(bool, dialog);
    QFETCH(QPoint, point);
    QFETCH(bool, inside);
    QWidget window;
    SkinnedFrame frame(&window, *m_pictures,
                       dialog ? FrameOptions::Dialog() : FrameOptions::MainWindow());
    window.resize(400, 300);
    frame.pRoundCorners();
    QCOMPARE(frame.OutlinePolygon(400, 300, dialog).size(), dialog ? 18 : 12);
    QCOMPARE(window.mask().contains(point), inside);
}

void TestPopUp::titleBarFollowsActivation() {
    QWidget window;
    window.resize(500, 300);
    SkinnedFrame frame(&window, *m_pictures, FrameOptions::MainWindow());
    frame.layout();
    QList<bool> changes;
    connect(&frame, &SkinnedFrame::activeChanged, this, [&](bool active) { changes << active; });

    // The window is not the active one, so the activation change turns the
    // title bar white with a grey title.
    QEvent change(QEvent::ActivationChange);
    QApplication::sendEvent(&window, &change);
    QCOMPARE(changes, QList<bool>{false});
    QCOMPARE(frame.BTopLeft()->pixmap().cacheKey(),
             m_pictures->get("border_white_top_left.bmp").cacheKey());
    QCOMPARE(frame.BTopCentre()->pixmap().cacheKey(),
             m_pictures->get("border_white_top_center.bmp").cacheKey());
    QCOMPARE(frame.Title()->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    QCOMPARE(frame.imgProgClose()->shownPicture().cacheKey(),
             m_pictures->get("prog_white_close.bmp").cacheKey());

    frame.PaintCaptionActive();
    QCOMPARE(frame.BTopRight()->pixmap().cacheKey(),
             m_pictures->get("border_top_right.bmp").cacheKey());
    QCOMPARE(frame.Title()->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    QCOMPARE(frame.imgProgClose()->shownPicture().cacheKey(),
             m_pictures->get("prog_blueoff_close.bmp").cacheKey());

    // Pieces along the edges; caption buttons right-aligned, 120 and 60
    // himetric apart.
    QCOMPARE(frame.BTopRight()->x(), 500 - 6);
    QCOMPARE(frame.BTopCentre()->geometry(), QRect(6, 0, 500 - 12, 28));
    QCOMPARE(frame.BBot()->geometry(), QRect(4, 296, 492, 4));
    QCOMPARE(frame.BRight()->geometry(), QRect(496, 28, 4, 268));
    QCOMPARE(frame.imgProgClose()->x(), 500 - 21 - 5);
    QCOMPARE(frame.imgProgMin()->x(), frame.imgProgClose()->x() - 21 - 2);
    QCOMPARE(frame.clientRect(), QRect(4, 28, 492, 268));
}

void TestPopUp::dragByTheTitleBar_data() {
    QTest::addColumn<QString>("piece");
    QTest::newRow("title text") << "Title";
    QTest::newRow("left corner") << "BTopLeft";
    QTest::newRow("middle") << "BTopCentre";
    QTest::newRow("right corner") << "BTopRight";
}

void TestPopUp::dragByTheTitleBar() {
    QFETCH(QString, piece);
    QWidget window;
    SkinnedFrame frame(&window, *m_pictures, FrameOptions::MainWindow());
    window.setGeometry(100, 100, 400, 300);
    frame.setTitle("Quillora Maths Practice");
    frame.raise();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* handle = window.findChild<QWidget*>(piece);
    QVERIFY(handle);
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

void TestPopUp::frameFitsAMinimisedWindow() {
    QWidget window;
    SkinnedFrame frame(&window, *m_pictures, FrameOptions::PracticeWindow());
    window.resize(3, 2);
    frame.layout();
    for (QWidget* piece :
         {static_cast<QWidget*>(frame.BTopCentre()), static_cast<QWidget*>(frame.BLeft()),
          static_cast<QWidget*>(frame.BRight()), static_cast<QWidget*>(frame.BBot()),
          static_cast<QWidget*>(frame.Title())}) {
        QVERIFY2(piece->width() >= 0 && piece->height() >= 0, qPrintable(piece->objectName()));
    }
    QCOMPARE(frame.clientRect().size(), QSize(0, 0));
    QVERIFY(frame.imgProgMax());
}

void TestPopUp::pressTrackFollowsTheCursor() {
    QWidget window;
    window.setGeometry(50, 50, 300, 100);
    HoverGroup group;
    group.setTracksPress(true);
    QList<PictureButton*> buttons;
    for (int i = 0; i < 2; ++i) {
        auto* button = new PictureButton(QStringLiteral("ToolBar0%1").arg(i + 1), &window);
        button->setPictures(m_pictures->get("button_off.bmp"), m_pictures->get("button_on.bmp"),
                            m_pictures->get("border_top_left.bmp"));
        button->move(10 + 100 * i, 10);
        group.add(button);
        buttons << button;
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicks(buttons[0], &PictureButton::clicked);

    QTest::mousePress(buttons[0], Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(buttons[0]->look(), PictureButton::Look::Pressed);
    QVERIFY(group.pressTrack());
    // Held and moved off: the off picture.
    QTest::mouseMove(buttons[0], QPoint(5, 60));
    QTRY_COMPARE(buttons[0]->look(), PictureButton::Look::Off);
    // Held over the neighbour: its pressed picture (one flag for the group).
    QTest::mouseMove(buttons[0], QPoint(105, 5));
    QTRY_COMPARE(buttons[1]->look(), PictureButton::Look::Pressed);
    QCOMPARE(buttons[0]->look(), PictureButton::Look::Off);
    QTest::mouseRelease(buttons[0], Qt::LeftButton, {}, QPoint(105, 5));
    QVERIFY(!group.pressTrack());
    QCOMPARE(buttons[1]->look(), PictureButton::Look::On);
    QCOMPARE(clicks.count(), 0); // released elsewhere: no click

    QTest::mouseClick(buttons[0], Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(clicks.count(), 1);
}

void TestPopUp::pictureCacheReadsOnceAndIgnoresCase() {
    const QString folder = m_dir->filePath("Graphics");
    writePicture(folder, "pencil.bmp", {16, 16}, Qt::green);
    PictureCache cache(folder);
    const QPixmap first = cache.get("Pencil.BMP");
    QCOMPARE(first.size(), QSize(16, 16));
    QVERIFY(cache.missing().isEmpty());

    // Read once: removing the file afterwards changes nothing.
    writePicture(folder, "late.bmp", {5, 5}, Qt::red);
    QCOMPARE(cache.get("late.bmp").size(), QSize(5, 5));
    QVERIFY(QFile::remove(QDir(folder).filePath("late.bmp")));
    QCOMPARE(cache.get("late.bmp").size(), QSize(5, 5));

    QVERIFY(cache.get("nothing_here.bmp").isNull());
    QVERIFY(cache.get("nothing_here.bmp").isNull());
    QCOMPARE(cache.missing(), QStringList{"nothing_here.bmp"});
}

void TestPopUp::focusFrameOnlyFromTheKeyboard_data() {
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("frame");
    QTest::newRow("Tab key") << int(Qt::TabFocusReason) << true;
    QTest::newRow("given by the program") << int(Qt::OtherFocusReason) << true;
    // A window hands its first control the focus when it is activated: a
    // mouse user never chose it.
    QTest::newRow("window activated") << int(Qt::ActiveWindowFocusReason) << false;
    QTest::newRow("mouse") << int(Qt::MouseFocusReason) << false;
}

void TestPopUp::focusFrameOnlyFromTheKeyboard() {
    QFETCH(int, reason);
    QFETCH(bool, frame);
    QWidget window;
    window.resize(200, 100);
    auto* button = new PictureButton("Tab02", &window);
    button->setPictures(m_pictures->get("button_off.bmp"));
    auto* elsewhere = new PictureButton("Tab04", &window);
    elsewhere->move(100, 0);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    elsewhere->setFocus(Qt::OtherFocusReason);
    button->setFocus(Qt::FocusReason(reason));
    QVERIFY(button->hasFocus());
    const QImage image = button->grab().toImage();
    int dots = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            dots += QColor(image.pixel(x, y)) == FocusFrame::Colour() ? 1 : 0;
    }
    QCOMPARE(dots > 0, frame);
}

QTEST_MAIN(TestPopUp)
#include "test_popup.moc"
