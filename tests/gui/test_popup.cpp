// The pop-up dialog `frmPopUp`: its button sets, where its message and
// buttons stand, where it is placed, and the real dialog answered by mouse
// and by keys through PopUpService.

#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "chrome/PopUpService.h"
#include "chrome/frmPopUp.h"
#include "core/AppState.h"
#include "core/ResourceStore.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

class TestPopUp : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        QTest::newRow("Enter on Yes/No")
            << PopUpButtons::YesNo << QStringList{"key:Return"} << true;
        QTest::newRow("Esc on Yes/No") << PopUpButtons::YesNo << QStringList{"key:Esc"} << false;
        QTest::newRow("Esc closes a notice as OK")
            << PopUpButtons::Ok << QStringList{"key:Esc"} << true;
        QTest::newRow("Tab to No, Enter")
            << PopUpButtons::YesNo << QStringList{"key:Tab", "key:Return"} << false;
        QTest::newRow("a held Enter does not answer")
            << PopUpButtons::YesNo << QStringList{"held:Return", "key:Esc"} << false;
        QTest::newRow("a held Esc does not answer")
            << PopUpButtons::YesNo << QStringList{"held:Esc", "key:Enter"} << true;
    }

    // The dialog shown modally by PopUpService, answered as a pupil would; every
    // action but the last leaves it open.
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
