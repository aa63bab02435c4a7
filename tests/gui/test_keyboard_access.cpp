// Working without a mouse: a whole paper by keys, the keys of both windows,
// focus frames, and what a screen reader is told.

#include "test_practice_window_harness.h"

#include "chrome/ClickLabel.h"
#include "chrome/frmPopUp.h"
#include "practice/ui/AnswerRow.h"
#include "practice/ui/MarkingProgress.h"

#include <QAccessible>
#include <QApplication>
#include <QTimer>

namespace {

QWidget* focused() {
    return QApplication::focusWidget();
}

QString focusName() {
    return focused() ? focused()->objectName() : QStringLiteral("<none>");
}

// A key as the pupil presses it: to whatever has the focus.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool repeat = false) {
    QWidget* target = focused() ? focused() : QApplication::activeWindow();
    QVERIFY(target);
    if (!repeat) {
        QTest::keyClick(target, Qt::Key(key), modifiers);
        return;
    }
    QKeyEvent held(QEvent::KeyPress, key, modifiers, QString(), true);
    QApplication::sendEvent(target, &held);
}

// Presses Tab until the control named name has the focus.
bool tabTo(const QString& name, int limit = 60) {
    for (int i = 0; i < limit && focusName() != name; ++i)
        press(Qt::Key_Tab);
    return focusName() == name;
}

// Answers the next program dialog with keys once it has taken the focus, and
// keeps its title and what had the focus; a dialog that never takes the focus
// is answered No.
struct DialogKeys {
    QString title;
    QString focus;
};

std::shared_ptr<DialogKeys> answerNextDialog(const QList<int>& keys) {
    auto shown = std::make_shared<DialogKeys>();
    QTimer::singleShot(0, [shown, keys] {
        auto* dialog = qobject_cast<frmPopUp*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (!QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }) ||
            !focused() || focused()->window() != dialog) {
            dialog->But2_Click();
            return;
        }
        shown->title = dialog->findChild<QLabel*>("lblTitle")->text();
        shown->focus = focusName();
        for (int key : keys)
            press(key);
    });
    return shown;
}

QAccessibleInterface* spoken(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w);
}

} // namespace

class TestKeyboardAccess : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void wholePaperByKeys();
    void mainWindowByKeys();
    void answerSheetMarkingAndLockedBoxesByKeys();
    void practiceKeys_data();
    void practiceKeys();
    void focusFrameShows();
    void namesForScreenReaders_data();
    void namesForScreenReaders();
};

// The first paper opened, answered, marked and closed with keys alone.
void TestKeyboardAccess::wholePaperByKeys() {
    MainWindow main;
    QVERIFY(main.startForKeys());
    Contents& c = *main.contents;
    QVERIFY2(tabTo("P1a"), qPrintable(focusName()));
    press(Qt::Key_Return);
    PracticeWindow* w = c.practiceWindow();
    QVERIFY(w && QTest::qWaitForWindowActive(w));
    QCOMPARE(c.state().PaperNum, 101);
    QCOMPARE(focusName(), QStringLiteral("FA1"));

    // Every answer typed, each followed by Enter and nothing else: box after
    // box (a question has two), question after question, then Mark.
    const PaperSession* s = w->session();
    const QStringList answers = PracticeHarness::correctAnswers(w);
    const int total = s->paper().TotalBlanks;
    int typed = 0;
    bool secondBox = false;
    while (focusName() != QStringLiteral("ToolBar02") && typed < total) {
        const QString name = focusName();
        QVERIFY2(name.startsWith(QStringLiteral("FA")), qPrintable(name));
        secondBox = secondBox || name == QLatin1String("FA2");
        const int blank = s->currentFirstBlank() + name.mid(2).toInt() - 1;
        QTest::keyClicks(focused(), answers.at(blank));
        ++typed;
        press(Qt::Key_Return);
    }
    QCOMPARE(typed, total);
    QVERIFY(secondBox);
    QCOMPARE(s->paper().QSCount, s->paper().QuestionCount);
    QCOMPARE(focusName(), QStringLiteral("ToolBar02"));

    auto marking = answerNextDialog({Qt::Key_Return});
    press(Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(marking->focus, QStringLiteral("But1"));
    QCOMPARE(marking->title, QStringLiteral("Marking"));
    QCOMPARE(s->paper().PScoring, QStringLiteral("100"));

    // Esc, then Enter on "Confirm?": the Home page shows the new score. (The
    // offscreen platform has no window manager to reactivate the window.)
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto closing = answerNextDialog({Qt::Key_Return});
    press(Qt::Key_Escape);
    QCOMPARE(closing->title, QStringLiteral("Close Practice"));
    QVERIFY(!w->isVisible());
    QCOMPARE(main.child<QLabel>("MSA1")->text(), QStringLiteral("100"));
}

// Ctrl+1..4 are the tabs, a tab of a missing module does nothing; then the
// Trash, Report and Home pages by keys.
void TestKeyboardAccess::mainWindowByKeys() {
    MainWindow main;
    QVERIFY(main.startForKeys());
    const AppState& state = main.contents->state();
    press(Qt::Key_4, Qt::ControlModifier);
    QCOMPARE(state.txtTabPos, 4);
    QVERIFY(main.child("Body_About")->isVisible());
    // The free module tab (3 here) leads to the Modules page.
    press(Qt::Key_3, Qt::ControlModifier);
    QCOMPARE(state.txtTabPos, 3);
    QVERIFY(main.child("Body_Modules")->isVisible());
    press(Qt::Key_4, Qt::ControlModifier);
    for (int m = 1; m <= 2; ++m) {
        if (!state.definition.module(m).exists()) {
            press(Qt::Key(Qt::Key_1 + m - 1), Qt::ControlModifier);
            QCOMPARE(state.txtTabPos, 4);
            QCOMPARE(main.child<PictureButton>(qPrintable(QStringLiteral("Tab0%1").arg(m)))
                         ->focusPolicy(),
                     Qt::NoFocus);
        }
    }
    const int module = state.definition.firstModule();
    press(Qt::Key(Qt::Key_1 + module - 1), Qt::ControlModifier);
    QCOMPARE(state.txtTabPos, module);
    QVERIFY(main.child("Body_Home")->isVisible());

    // Trash: the focus goes to "No" and back to "Trash".
    press(Qt::Key_4, Qt::ControlModifier);
    QVERIFY(tabTo("ToolBar02"));
    press(Qt::Key_Space);
    QVERIFY(main.child("Body_Trash")->isVisible());
    QVERIFY(tabTo("ButTrash"));
    press(Qt::Key_Return);
    QCOMPARE(focusName(), QStringLiteral("ButTrash_No"));
    press(Qt::Key_Return);
    QCOMPARE(focusName(), QStringLiteral("ButTrash"));
    QVERIFY(main.child("Trashlbl1")->isVisible());

    // The module's Report page: its bars open their panels.
    press(Qt::Key(Qt::Key_1 + module - 1), Qt::ControlModifier);
    QVERIFY(tabTo("ToolBar02"));
    press(Qt::Key_Return);
    QVERIFY(main.child("Body_Report")->isVisible());
    QVERIFY(tabTo("RCBar3"));
    press(Qt::Key_Space);
    QCOMPARE(state.txtReportPos, 3);

    // Home again: the arrows move among the topics and stop at the ends.
    QVERIFY(tabTo("ToolBar01"));
    press(Qt::Key_Return);
    QVERIFY2(tabTo("Topic1"), qPrintable(focusName()));
    press(Qt::Key_Up);
    QCOMPARE(focusName(), QStringLiteral("Topic1"));
    press(Qt::Key_Down);
    QCOMPARE(state.TopicCount, 6);
    QCOMPARE(focusName(), QStringLiteral("Topic2"));
    press(Qt::Key_Up);
    QCOMPARE(state.TopicCount, 1);
    const int topics = state.chosenModule().topicCount;
    for (int k = 1; k < topics + 2; ++k)
        press(Qt::Key_Down);
    QCOMPARE(focusName(), QStringLiteral("Topic%1").arg(topics));
    QCOMPARE(state.TopicCount, 5 * topics - 4);
    // Among the paper buttons they skip the hidden second-attempt ones.
    QVERIFY(tabTo("P1a"));
    press(Qt::Key_Down);
    QCOMPARE(focusName(), QStringLiteral("P2a"));
    press(Qt::Key_Up);
    QCOMPARE(focusName(), QStringLiteral("P1a"));
}

// On paper 102's first question q of two blanks or more: the answer sheet by
// keys; then the marking as a screen reader hears it, and the second
// attempt's locked boxes: everything right except the second blank of q.
void TestKeyboardAccess::answerSheetMarkingAndLockedBoxesByKeys() {
    PracticeHarness h;
    PracticeWindow* w = h.open(102);
    QVERIFY(w && QTest::qWaitForWindowActive(w));
    QCOMPARE(focusName(), QStringLiteral("FA1"));
    const PaperSession* s = w->session();
    int q = 2;
    while (q < s->paper().QuestionCount && s->blanksOfQuestion(q) < 2)
        ++q;
    const int n = s->blanksOfQuestion(q);
    QVERIFY2(n >= 2 && q < s->paper().QuestionCount, "no question of two blanks");
    w->RemQns_Click(q);
    h.box(w, 1)->setFocus();
    // Tab and Shift+Tab in row order, and a held Enter moves no further
    // (Enter itself: wholePaperByKeys). Tab from the last box leaves the
    // sheet instead of landing in a hidden row.
    press(Qt::Key_Tab);
    QCOMPARE(focusName(), QStringLiteral("FA2"));
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focusName(), QStringLiteral("FA1"));
    press(Qt::Key_Return, Qt::NoModifier, true);
    QCOMPARE(focusName(), QStringLiteral("FA1"));
    h.box(w, n)->setFocus();
    press(Qt::Key_Tab);
    QVERIFY2(focused() && focused()->isVisible() && focused() != h.box(w, n + 1),
             qPrintable(focusName()));

    // Shift+Tab from the first box reaches the handle; Enter hides the sheet,
    // and the boxes off the window's edge are out of reach of Tab and of a move.
    w->RemQns_Click(1);
    h.box(w, 1)->setFocus();
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focusName(), QStringLiteral("ImgHandle"));
    press(Qt::Key_Return);
    QVERIFY(!w->answerSheetShown());
    for (int i = 0; i < 12; ++i) {
        press(Qt::Key_Tab);
        QVERIFY2(!focusName().startsWith(QStringLiteral("FA")), qPrintable(focusName()));
    }
    press(Qt::Key_PageDown);
    QCOMPARE(w->session()->paper().QSCount, 2);
    QVERIFY(!focusName().startsWith(QStringLiteral("FA")));
    child<PictureButton>(w, "ImgHandle")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    QVERIFY(w->answerSheetShown());
    press(Qt::Key_Tab);
    QCOMPARE(focusName(), QStringLiteral("FA1"));

    const int wrong = s->firstBlankOfQuestion(q) + 1;
    QVERIFY(h.typeAnswers(w, h.answersWrongAt(w, {wrong})));

    auto* progress = child<MarkingProgress>(w, "fmeMark");
    QAccessibleInterface* reader = spoken(progress);
    QCOMPARE(reader->role(), QAccessible::ProgressBar);
    QCOMPARE(reader->valueInterface()->maximumValue().toInt(), int(MarkingProgress::BarCount));
    QStringList heard;
    connect(progress, &MarkingProgress::barShown, this, [&](int bars) {
        QCOMPARE(reader->valueInterface()->currentValue().toInt(), bars);
        heard << reader->text(QAccessible::Description);
        int visible = 0;
        for (int b = 1; b <= MarkingProgress::BarCount; ++b)
            visible += progress->bar(b)->isVisible() && !progress->bar(b)->pixmap().isNull();
        QCOMPARE(visible, bars);
    });
    w->MarkPaper();
    QVERIFY(s->isMarked());
    QVERIFY(!progress->isVisible());
    QCOMPARE(heard.size(), int(MarkingProgress::BarCount));
    QCOMPARE(heard.at(6), QStringLiteral("Marking 7 of 15"));
    w->RemQns_Click(1);
    QCOMPARE(spoken(h.label(w, "FR1"))->text(QAccessible::Name), QStringLiteral("correct"));
    w->RemQns_Click(q);
    QCOMPARE(spoken(h.label(w, "FR2"))->text(QAccessible::Name), QStringLiteral("wrong"));

    w = h.open(102, 2);
    QVERIFY(w && QTest::qWaitForWindowActive(w));
    s = w->session();
    w->RemQns_Click(q - 1);
    w->nextQuestion();
    QCOMPARE(s->paper().QSCount, q);
    // Row 1 is carried over and locked: the focus goes to the first box
    // that can still be answered, and Shift+Tab does not enter the lock.
    QCOMPARE(focusName(), QStringLiteral("FA2"));
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(focused() != h.box(w, 1));
    h.box(w, 2)->setFocus();
    QTest::keyClicks(focused(), QStringLiteral("5"));
    for (int k = 3; k <= s->blanksOfQuestion(q); ++k)
        press(Qt::Key_Return);
    press(Qt::Key_Return);
    QCOMPARE(s->paper().QSCount, q + 1);
    QCOMPARE(s->paper().Answers.at(wrong), QStringLiteral("5"));
}

void TestKeyboardAccess::practiceKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<int>("question");
    QTest::addColumn<int>("prints");
    auto row = [](const char* name, int key, int modifiers, QList<bool> answers,
                  const QString& asked, int question, int prints) {
        QTest::newRow(name) << key << modifiers << answers << asked << question << prints;
    };
    const int ctrl = Qt::ControlModifier;
    row("Ctrl+S saves and tells", Qt::Key_S, ctrl, {}, "Quillora|Paper saved|1", 1, 0);
    row("Ctrl+M asks first; No leaves it unmarked", Qt::Key_M, ctrl, {false},
        "Marking|You have not answered all the questions.  "
        "Do you still want to mark your practice?|2",
        1, 0);
    row("Ctrl+P opens the print dialog", Qt::Key_P, ctrl, {}, "", 1, 1);
    // The only check that No to the close question keeps the paper open
    // (Yes: wholePaperByKeys).
    row("Esc asks; No keeps the window", Qt::Key_Escape, 0, {false}, "Close Practice|Confirm?|2", 1,
        0);
    row("PageDown: next question", Qt::Key_PageDown, 0, {}, "", 2, 0);
    row("PageUp on question 1 stays", Qt::Key_PageUp, 0, {}, "", 1, 0);
}

void TestKeyboardAccess::practiceKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QList<bool>, answers);
    QFETCH(QString, asked);
    QFETCH(int, question);
    QFETCH(int, prints);
    PracticeHarness h;
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    int printed = 0;
    child<QuestionView>(w, "brwWebBrowser")->setPrintDialogHook([&printed](QPrinter*, QWidget*) {
        ++printed;
        return false;
    });
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(focusName(), QStringLiteral("FA1"));
    h.answers = answers;

    press(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(h.asked().join(QLatin1Char('/')), asked);
    QCOMPARE(w->session()->paper().QSCount, question);
    QVERIFY(w->isVisible());
    QCOMPARE(printed, prints);
    QVERIFY(!w->session()->isMarked());
}

// The focus frame round each kind of control the keyboard reaches.
void TestKeyboardAccess::focusFrameShows() {
    QWidget window;
    window.resize(320, 160);
    auto* button = new PictureButton(QStringLiteral("ToolBar01"), &window);
    button->setGeometry(10, 10, 76, 40);
    auto* topic = new ClickLabel(QStringLiteral("Topic1"), &window);
    topic->setText(QStringLiteral("Money"));
    topic->setGeometry(100, 10, 150, 30);
    auto* row = new AnswerRow(1, false, &window);
    row->move(10, 60);
    auto* elsewhere = new QLineEdit(&window);
    elsewhere->setGeometry(10, 130, 100, 20);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // A window hands its first control the focus when it is activated: a
    // mouse user never chose it. (Before any key: a Tab would change that.)
    elsewhere->setFocus();
    button->setFocus(Qt::ActiveWindowFocusReason);
    QVERIFY(button->hasFocus());
    QCOMPARE(framePixels(button), 0);

    const QList<QPair<QWidget*, QWidget*>> drawnAndFocused = {
        {button, button}, {topic, topic}, {row, row->FA()}};
    for (const auto& [drawn, focusable] : drawnAndFocused) {
        elsewhere->setFocus();
        QCOMPARE(framePixels(drawn), 0);
        focusable->setFocus(Qt::TabFocusReason);
        QVERIFY(focusable->hasFocus());
        // A closed outline round the control: at least its four sides' worth.
        QVERIFY2(framePixels(drawn) >= focusable->width() + focusable->height(),
                 drawn->metaObject()->className());
    }
}

void TestKeyboardAccess::namesForScreenReaders_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("names"); // "control=name"
    QTest::newRow("main window, module tab")
        << "main"
        << QStringList{"ToolBar01=Load Home page", "ToolBar04=Close program", "lblTB02=Report",
                       "P3a=Load paper 3", "P3b=Try paper 3 again"};
    QTest::newRow("main window, help tab")
        << "help"
        << QStringList{"ToolBar01=About Quillora", "ToolBar04=Printer Setup", "Tab04=Help",
                       "Tab04lbl=Help"};
    // Question 1 of the paper has one blank: no part letters.
    QTest::newRow("practice window")
        << "practice"
        << QStringList{
               "ToolBar01=Save paper",         "ToolBar08=Read to me", "lblTB02=Mark",
               "ImgHandle=Hide answer sheet",  "imgProgClose=Close",   "FA1=Question 1, answer",
               "M3=Question 1, correct answer"};
    QTest::newRow("second attempt tool bar")
        << "second"
        << QStringList{"ToolBar02=Mark paper", "ToolBar06=Next question", "lblTB01=Save"};
}

void TestKeyboardAccess::namesForScreenReaders() {
    QFETCH(QString, window);
    QFETCH(QStringList, names);
    MainWindow main;
    PracticeHarness h;
    QWidget* shown = nullptr;
    if (window == QLatin1String("main") || window == QLatin1String("help")) {
        QVERIFY(main.startForKeys());
        if (window == QLatin1String("help"))
            main.contents->Tab_Click(4);
        shown = main.contents.get();
        const QString module = main.contents->state().chosenModule().heading;
        QCOMPARE(spoken(main.child<PictureButton>(qPrintable(QStringLiteral("Tab0%1").arg(
                            main.contents->state().definition.firstModule()))))
                     ->text(QAccessible::Name),
                 QStringLiteral("Load %1 Module").arg(module));
    } else {
        shown = h.open(101, window == QLatin1String("second") ? 2 : 1);
        QVERIFY(shown);
    }
    for (const QString& pair : names) {
        const QString name = pair.section(QLatin1Char('='), 0, 0);
        QWidget* control = shown->findChild<QWidget*>(name);
        QVERIFY2(control && spoken(control), qPrintable(name));
        QCOMPARE(spoken(control)->text(QAccessible::Name), pair.section(QLatin1Char('='), 1));
    }
    // Every picture button of the window is a named button that can be pressed.
    for (PictureButton* button : shown->findChildren<PictureButton*>()) {
        QAccessibleInterface* reader = spoken(button);
        QVERIFY2(!reader->text(QAccessible::Name).isEmpty(), qPrintable(button->objectName()));
        QCOMPARE(reader->role(), QAccessible::Button);
        QCOMPARE(reader->actionInterface() && reader->actionInterface()->actionNames().contains(
                                                  QAccessibleActionInterface::pressAction()),
                 button->isEnabled());
    }
}

QUESTION_VIEW_TEST_MAIN(TestKeyboardAccess)
#include "test_keyboard_access.moc"
