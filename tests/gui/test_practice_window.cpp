// The first-attempt window `Test1` on the shipped store: the real question
// view, the real dialog answered through its seam (and once by clicking it),
// a manual clock and an animation that does not sleep.

#include "test_practice_window_harness.h"

#include "chrome/PictureButton.h"
#include "practice/PaperSession.h"
#include "practice/ui/AnswerRow.h"
#include "practice/ui/QuestionView.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

class TestPracticeWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void opensPaperAtItsFirstQuestion();
    void titleCountsPapersWithinTheTopic_data();
    void titleCountsPapersWithinTheTopic();
    void nextStoresTypedAnswersAndReplacesTheDocument();
    void remainingQuestionsListAndJump();
    void navigationButtonsAtTheEnds();
    void saveTellsThePupil();
    void markingAsksFirstAndDeclineKeepsAnswers();
    void markingWritesResultsAndShowsMarkedView();
    void markedPaperReopensUnchanged();
    void clockAndAnsweredCount();
    void failedWriteKeepsAnswersOnScreen();
    void closeAsksAndUnloadRemovesDocument();
    void realDialogIsClicked();
    void answerSheetHandleAndWindowButtons();
    void copyGuardInTheDocument();
    void manyBlankQuestionFillsRows();
};

void TestPracticeWindow::opensPaperAtItsFirstQuestion() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    QCOMPARE(w->objectName(), QStringLiteral("Test1"));
    QCOMPARE(h.label(w, "Title")->text(),
             QStringLiteral("Addition and Subtraction within 100 - Paper 1"));
    QCOMPARE(h.label(w, "QnTitle")->text(), QStringLiteral("Question 1"));
    // The count of blanks, not of questions.
    QCOMPARE(h.label(w, "lblTotalQ")->text(), QString::number(w->session()->paper().TotalBlanks));
    QCOMPARE(h.label(w, "lblAnsweredQ")->text(), QStringLiteral("0"));
    QCOMPARE(h.label(w, "lblDate")->text(), QStringLiteral("09/03/2024"));
    QVERIFY(h.box(w, 1)->isVisible());
    QVERIFY(!h.box(w, 2)->isVisible());
    QVERIFY(!h.label(w, "QL1")->isVisible());
    QVERIFY(!h.label(w, "FR1")->isVisible());
    QVERIFY(QFile::exists(h.folder() + QStringLiteral("/temppaper25016.mht")));
    QVERIFY(h.waitForDocument(w));
    QCOMPARE(h.combo(w)->count(), 30);
    QCOMPARE(h.combo(w)->itemText(0), QStringLiteral("1"));
    QCOMPARE(h.combo(w)->currentIndex(), -1);
    // Window at a tenth of the screen, eight tenths of its size.
    const QRect screen = w->screen()->geometry();
    QCOMPARE(w->geometry(), QRect(screen.width() / 10, screen.height() / 10,
                                  screen.width() * 8 / 10, screen.height() * 8 / 10));
}

void TestPracticeWindow::titleCountsPapersWithinTheTopic_data() {
    QTest::addColumn<int>("paperNum");
    QTest::addColumn<QString>("title");
    QTest::newRow("106, first of topic 2")
        << 106 << QStringLiteral("Addition and Subtraction within 10000 - Paper 1");
    QTest::newRow("150, last of topic 10")
        << 150 << QStringLiteral("Area, Perimeter and Volume - Paper 5");
}

void TestPracticeWindow::titleCountsPapersWithinTheTopic() {
    QFETCH(int, paperNum);
    QFETCH(QString, title);
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(paperNum);
    QVERIFY(w);
    QCOMPARE(h.label(w, "Title")->text(), title);
}

void TestPracticeWindow::nextStoresTypedAnswersAndReplacesTheDocument() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    h.box(w, 1)->setFocus();
    QTest::keyClicks(h.box(w, 1), QStringLiteral("  42"));
    QTest::mouseClick(h.button(w, "ToolBar06"), Qt::LeftButton);
    QCOMPARE(h.label(w, "QnTitle")->text(), QStringLiteral("Question 2"));
    QCOMPARE(h.fileLines(ResultsFile::First).size(), 50);
    const int blanks = w->session()->paper().TotalBlanks;
    QCOMPARE(h.fileLines(ResultsFile::First).first(),
             QByteArray("#101#>  42") + QByteArray(blanks - 1, '>'));
    QVERIFY(!QFile::exists(h.folder() + QStringLiteral("/temppaper25016.mht")));
    QVERIFY(QFile::exists(h.folder() + QStringLiteral("/temppaper25019.mht")));
    QCOMPARE(h.box(w, 1)->text(), QString());
    QVERIFY(h.box(w, 1)->hasFocus());
    QCOMPARE(h.label(w, "lblAnsweredQ")->text(), QStringLiteral("1"));
    QCOMPARE(h.combo(w)->itemText(0), QStringLiteral("2"));
    QVERIFY(h.waitForDocument(w));

    // Back again: the stored answer is in the box.
    QTest::mouseClick(h.button(w, "ToolBar05"), Qt::LeftButton);
    QCOMPARE(h.box(w, 1)->text(), QStringLiteral("  42"));
}

void TestPracticeWindow::remainingQuestionsListAndJump() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    const PaperSession* session = w->session();
    QStringList answers(session->paper().TotalBlanks, QStringLiteral("1"));
    answers[4] = QStringLiteral("   "); // spaces count as empty
    answers[9] = QString();
    QVERIFY(h.typeAnswers(w, answers));
    const int q5 = session->QuestionOfBlank(4);
    const int q10 = session->QuestionOfBlank(9);
    QCOMPARE(h.comboItems(w), QStringList({QString::number(q5), QString::number(q10)}));

    // Typed text is stored before the jump; the list is rebuilt after it.
    h.box(w, 1)->setText(QStringLiteral("7"));
    Q_EMIT h.combo(w)->activated(1);
    QCOMPARE(session->paper().QSCount, q10);
    QCOMPARE(session->paper().Answers.first(), QStringLiteral("7"));
    QCOMPARE(h.label(w, "QnTitle")->text(), QStringLiteral("Question %1").arg(q10));
    h.box(w, 1)->setText(QStringLiteral("8"));
    Q_EMIT h.combo(w)->activated(0);
    QCOMPARE(session->paper().QSCount, q5);
    QCOMPARE(h.comboItems(w), QStringList({QString::number(q5)}));
    QCOMPARE(h.box(w, 1)->text(), QStringLiteral("   "));
}

void TestPracticeWindow::navigationButtonsAtTheEnds() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(136); // five questions
    QVERIFY(w);
    PictureButton* back = h.button(w, "ToolBar05");
    PictureButton* next = h.button(w, "ToolBar06");
    QVERIFY(!back->isEnabled());
    QCOMPARE(back->shownPicture().toImage(), h.picture("back_disabled.bmp"));
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(w->session()->paper().QSCount, 1);
    for (int q = 2; q <= 5; ++q)
        QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(w->session()->paper().QSCount, 5);
    QVERIFY(!next->isEnabled());
    QCOMPARE(next->shownPicture().toImage(), h.picture("forward_disabled.bmp"));
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(w->session()->paper().QSCount, 5);
    QVERIFY(back->isEnabled());
    QCOMPARE(back->shownPicture().toImage(), h.picture("back_off.bmp"));
}

void TestPracticeWindow::saveTellsThePupil() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    h.box(w, 1)->setText(QStringLiteral("9 "));
    QTest::mouseClick(h.button(w, "ToolBar01"), Qt::LeftButton);
    QCOMPARE(h.asked(), QStringList({"Quillora|Paper saved|1"}));
    QCOMPARE(h.fileLines(ResultsFile::First).first(),
             QByteArray("#101#>9 ") + QByteArray(w->session()->paper().TotalBlanks - 1, '>'));
    QCOMPARE(h.label(w, "lblAnsweredQ")->text(), QStringLiteral("1"));
}

void TestPracticeWindow::markingAsksFirstAndDeclineKeepsAnswers() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    QStringList answers(w->session()->paper().TotalBlanks, QStringLiteral("5"));
    answers.last() = QString();
    QVERIFY(h.typeAnswers(w, answers));
    const auto before = h.snapshot();
    h.box(w, 1)->setText(QStringLiteral("6"));
    h.answers = {false};
    QTest::mouseClick(h.button(w, "ToolBar02"), Qt::LeftButton);
    QCOMPARE(h.asked().last(),
             QStringLiteral("Marking|You have not answered all the questions.  Do you still want "
                            "to mark your practice?|2"));
    QCOMPARE(w->session()->paper().Status, 0);
    QVERIFY(h.delays.isEmpty());
    QVERIFY(h.button(w, "ToolBar02")->isEnabled());
    QVERIFY(!h.box(w, 1)->isReadOnly());
    QVERIFY(h.fileLines(ResultsFile::First).first().startsWith("#101#>6>5>"));
    const auto after = h.snapshot();
    for (ResultsFile f : {ResultsFile::Marks, ResultsFile::FResults, ResultsFile::Trend})
        QCOMPARE(after.value(f), before.value(f));

    // Every blank answered (one with a space only): the other question.
    answers.last() = QStringLiteral(" ");
    QVERIFY(h.typeAnswers(w, answers));
    h.answers = {false};
    w->MarkPaper();
    QCOMPARE(h.asked().last(), QStringLiteral("Marking|Do you want to mark your practice now?|2"));
}

void TestPracticeWindow::markingWritesResultsAndShowsMarkedView() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    QStringList answers = h.correctAnswers(w);
    answers[1] = QStringLiteral("wrong");
    QVERIFY(h.typeAnswers(w, answers));
    h.clock.advanceSeconds(65);
    QSignalSpy marked(w, &PracticeWindow::paperMarked);
    QTest::mouseClick(h.button(w, "ToolBar02"), Qt::LeftButton);
    QCOMPARE(marked.count(), 1);
    QCOMPARE(h.delays, QList<int>(15, 200));

    const PaperState& paper = w->session()->paper();
    const int total = paper.TotalMarks;
    const int score = total - paper.AnswerMarks.at(1).toInt();
    QCOMPARE(paper.Scoring, score);
    const QString percent = ScorePercentText(score, total);
    QCOMPARE(paper.PScoring, percent);
    QCOMPARE(paper.Status, 1);

    // The marked view.
    QVERIFY(h.box(w, 1)->isReadOnly());
    QVERIFY(h.label(w, "FR1")->isVisible());
    QCOMPARE(h.label(w, "FR1")->text(), QStringLiteral("\u2714"));
    QVERIFY(!h.button(w, "ToolBar01")->isEnabled());
    QVERIFY(!h.button(w, "ToolBar02")->isEnabled());
    QCOMPARE(h.button(w, "ToolBar02")->shownPicture().toImage(), h.picture("mark_disabled.bmp"));
    QVERIFY(!h.label(w, "lblClock")->isVisible());
    QVERIFY(h.label(w, "LTime")->isVisible());
    QCOMPARE(h.label(w, "LTime")->text(), QStringLiteral("0:1:5"));
    QVERIFY(!h.label(w, "lblDate")->isVisible());
    QCOMPARE(h.label(w, "ETime")->text(), QStringLiteral("09/03/2024"));
    QCOMPARE(h.label(w, "PScoring")->text(), percent + QStringLiteral("%"));
    QVERIFY(!h.child<QWidget>(w, "TxtRem")->isVisible());
    QTest::mouseClick(h.button(w, "ToolBar06"), Qt::LeftButton);
    QCOMPARE(h.label(w, "FR1")->text(), QStringLiteral("\u2718"));
    QVERIFY(h.label(w, "FR1")->isVisible());

    // The files: results with bytes FC/FB, the summary and the trend.
    QByteArray results = "#101#";
    for (int i = 0; i < paper.TotalBlanks; ++i)
        results += i == 1 ? QByteArray(">\xFB") : QByteArray(">\xFC");
    QCOMPARE(h.fileLines(ResultsFile::FResults).first(), results);
    const QList<QByteArray> marks = h.fileLines(ResultsFile::Marks);
    QCOMPARE(marks.size(), 6);
    QVERIFY(marks.at(0).startsWith(QByteArray("#FSE#>" + percent.toLatin1() + ">>")));
    QVERIFY(marks.at(2).startsWith("#LTM#>0:1:5>>"));
    QVERIFY(marks.at(3).startsWith("#CDD#>09/03/2024>>"));
    QVERIFY(marks.at(4).startsWith("#FST#>1>0>0"));
    QCOMPARE(h.fileBytes(ResultsFile::Trend), QByteArray("#TRD#>" + percent.toLatin1() + "\r\n"));
}

void TestPracticeWindow::markedPaperReopensUnchanged() {
    PracticeHarness h;
    QVERIFY(h.ready());
    {
        PracticeWindow* w = h.open(101);
        QVERIFY(w);
        QVERIFY(h.typeAnswers(w, h.correctAnswers(w)));
        w->MarkPaper();
        QVERIFY(w->session()->isMarked());
        h.closeWindow();
    }
    const auto before = h.snapshot();
    const int asks = h.asked().size();
    h.delays.clear();
    h.clock.advanceSeconds(600);
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    QCOMPARE(h.asked().size(), asks);
    QVERIFY(h.delays.isEmpty());
    QVERIFY(h.box(w, 1)->isReadOnly());
    QCOMPARE(h.label(w, "FR1")->text(), QStringLiteral("\u2714"));
    QCOMPARE(h.label(w, "LTime")->text(), QStringLiteral("0:0:0"));
    QCOMPARE(h.label(w, "PScoring")->text(), QStringLiteral("100%"));
    QTest::mouseClick(h.button(w, "ToolBar06"), Qt::LeftButton);
    QCOMPARE(h.label(w, "QnTitle")->text(), QStringLiteral("Question 2"));
    h.closeWindow();
    QCOMPARE(h.snapshot(), before);
}

void TestPracticeWindow::clockAndAnsweredCount() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    h.clock.advanceSeconds(65);
    QTRY_COMPARE_WITH_TIMEOUT(h.label(w, "lblClock")->text(), QStringLiteral("0:1:5"), 3000);
    h.clock.advanceSeconds(3600 * 25);
    w->Timer1_Timer();
    QCOMPARE(h.label(w, "lblClock")->text(), QStringLiteral("1:1:5"));
    // The widest time shows whole in a label whose size never follows its
    // text (a label that may grow lays its field out again every second).
    h.clock.advanceSeconds(86399 - 3665);
    w->Timer1_Timer();
    QLabel* clock = h.label(w, "lblClock");
    QCOMPARE(clock->text(), QStringLiteral("23:59:59"));
    QVERIFY(clock->sizeHint().width() <= clock->width());
    QCOMPARE(clock->minimumSize(), clock->maximumSize());
    // Typed text counts once stored; a blank of spaces counts as answered.
    h.box(w, 1)->setText(QStringLiteral(" "));
    w->Timer1_Timer();
    QCOMPARE(h.label(w, "lblAnsweredQ")->text(), QStringLiteral("0"));
    w->NextQuestion();
    QCOMPARE(h.label(w, "lblAnsweredQ")->text(), QStringLiteral("1"));
}

void TestPracticeWindow::failedWriteKeepsAnswersOnScreen() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    const QString first = h.path(ResultsFile::First);
    QVERIFY(QFile::remove(first));
    QVERIFY(QDir().mkdir(first)); // a folder cannot be written as a file
    h.box(w, 1)->setText(QStringLiteral("12"));
    w->NextQuestion();
    QCOMPARE(w->session()->paper().QSCount, 1);
    QCOMPARE(h.box(w, 1)->text(), QStringLiteral("12"));
    QVERIFY(h.asked().last().contains(QStringLiteral("Your answers were not saved.")));
    w->SavePaper();
    QVERIFY(h.asked().last().contains(QStringLiteral("not saved")));
    QVERIFY(!h.asked().contains(QStringLiteral("Quillora|Paper saved|1")));
    w->MarkPaper();
    QVERIFY(h.asked().last().contains(QStringLiteral("not marked")));
    QCOMPARE(w->session()->paper().Status, 0);
    QVERIFY(!h.box(w, 1)->isReadOnly());
}

void TestPracticeWindow::closeAsksAndUnloadRemovesDocument() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    QSignalSpy unloaded(w, &PracticeWindow::unloaded);
    const QString doc = h.folder() + QStringLiteral("/temppaper25016.mht");
    h.answers = {false};
    QTest::mouseClick(h.button(w, "ToolBar04"), Qt::LeftButton);
    QCOMPARE(h.asked().last(), QStringLiteral("Close Practice|Confirm?|2"));
    QVERIFY(w->isVisible());
    QVERIFY(QFile::exists(doc));
    QCOMPARE(unloaded.count(), 0);
    h.answers = {true};
    QTest::mouseClick(h.button(w, "imgProgClose"), Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!QFile::exists(doc));

    // Closing through the platform asks nothing and still unloads.
    PracticeWindow* other = h.open(102);
    QVERIFY(other);
    QSignalSpy otherUnloaded(other, &PracticeWindow::unloaded);
    const int asks = h.asked().size();
    QVERIFY(other->close());
    QCOMPARE(h.asked().size(), asks);
    QCOMPARE(otherUnloaded.count(), 1);
    QCOMPARE(QDir(h.folder()).entryList({"temppaper*"}, QDir::Files), QStringList());

    // Deleted while open (another paper opens): the unload runs once.
    PracticeWindow* third = h.open(103);
    QVERIFY(third);
    int thirdUnloads = 0;
    connect(third, &PracticeWindow::unloaded, this, [&] { ++thirdUnloads; });
    QCOMPARE(QDir(h.folder()).entryList({"temppaper*"}, QDir::Files).size(), 1);
    h.deleteWindow();
    QCOMPARE(thirdUnloads, 1);
    QCOMPARE(QDir(h.folder()).entryList({"temppaper*"}, QDir::Files), QStringList());
}

void TestPracticeWindow::realDialogIsClicked() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    h.popUp.setAnswerer(nullptr);
    QString seen;
    auto clickOnModal = [&](const char* buttonName) {
        QTimer::singleShot(50, this, [&, buttonName] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            auto* message = dialog->findChild<QLabel*>(QStringLiteral("lblMessage"));
            seen = message ? message->text() : QString();
            auto* button = dialog->findChild<PictureButton*>(QString::fromLatin1(buttonName));
            QVERIFY(button);
            QTest::mouseClick(button, Qt::LeftButton);
        });
    };
    clickOnModal("But2"); // No
    w->ClosePractice();
    QCOMPARE(seen, QStringLiteral("Confirm?"));
    QVERIFY(w->isVisible());
    clickOnModal("But1"); // OK
    w->SavePaper();
    QCOMPARE(seen, QStringLiteral("Paper saved"));
}

void TestPracticeWindow::answerSheetHandleAndWindowButtons() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    QWidget* sheet = h.child<QWidget>(w, "AnsBox");
    QWidget* view = h.child<QWidget>(w, "brwWebBrowser");
    PictureButton* handle = h.button(w, "ImgHandle");
    const int shownView = view->width();
    QCOMPARE(sheet->geometry().right(), w->width() - 1 - h.child<QWidget>(w, "BRight")->width());
    QCOMPARE(handle->toolTip(), QStringLiteral("Hide answer sheet"));
    QTest::mouseClick(handle, Qt::LeftButton);
    QVERIFY(!w->AnswerSheetShown());
    QCOMPARE(sheet->x(), w->width());
    QCOMPARE(view->width(), shownView + sheet->width());
    QCOMPARE(h.child<QWidget>(w, "RemQnsBG")->width(), view->width());
    QCOMPARE(handle->toolTip(), QStringLiteral("Show answer sheet"));
    QTest::mouseClick(handle, Qt::LeftButton);
    QVERIFY(w->AnswerSheetShown());
    QCOMPARE(view->width(), shownView);

    // A resize lays the window out again, the sheet shown and said so.
    QTest::mouseClick(handle, Qt::LeftButton);
    w->resize(w->width() - 40, w->height() - 30);
    QVERIFY(w->AnswerSheetShown());
    QCOMPARE(handle->toolTip(), QStringLiteral("Hide answer sheet"));
    QCOMPARE(sheet->geometry().right(), w->width() - 1 - h.child<QWidget>(w, "BRight")->width());
    QCOMPARE(h.button(w, "ToolBar06")->geometry().right(),
             h.child<QWidget>(w, "ScnTabBG")->width() - 1 - 8);

    w->imgProgMax_Click();
    QTRY_VERIFY(w->isMaximized());
    w->imgProgMax_Click();
    QTRY_VERIFY(!w->isMaximized());
    w->imgProgMin_Click();
    QTRY_VERIFY(w->isMinimized());
    w->imgProgMax_Click(); // a minimised window stays minimised
    QVERIFY(w->isMinimized());
}

void TestPracticeWindow::copyGuardInTheDocument() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    QVERIFY(h.waitForDocument(w));
    auto* view = h.child<QuestionView>(w, "brwWebBrowser");
    QStringList messages;
    view->setMessageHook([&](QWidget*, const QString& title, const QString& text) {
        messages << title + QLatin1Char('|') + text;
    });
    QTRY_VERIFY(view->focusProxy());
    QTest::keyClick(view->focusProxy(), Qt::Key_C, Qt::ControlModifier);
    QTRY_COMPARE(messages, QStringList({"Error|Invalid operation"}));

    // Print opens the print dialog for the shown question, over this window.
    QList<QWidget*> owners;
    view->setPrintDialogHook([&](QPrinter*, QWidget* owner) {
        owners << owner;
        return false; // the pupil cancels
    });
    QTest::mouseClick(h.button(w, "ToolBar03"), Qt::LeftButton);
    QCOMPARE(owners, QList<QWidget*>({w}));
}

void TestPracticeWindow::manyBlankQuestionFillsRows() {
    PracticeHarness h;
    QVERIFY(h.ready());
    PracticeWindow* w = h.open(136);
    QVERIFY(w);
    QCOMPARE(h.label(w, "lblTotalQ")->text(), QStringLiteral("40"));
    const int blanks = w->session()->CurrentBlankCount();
    QCOMPARE(blanks, 8);
    for (int k = 1; k <= 20; ++k)
        QCOMPARE(h.box(w, k)->isVisible(), k <= blanks);
    QVERIFY(h.label(w, "QL1")->isVisible());
    QCOMPARE(h.child<QWidget>(w, "Frame2")->y() - h.child<QWidget>(w, "Frame1")->y(), 32);
    QStringList rows;
    for (int k = 1; k <= blanks; ++k) {
        h.box(w, k)->setText(QStringLiteral("r%1").arg(k));
        rows << QStringLiteral("r%1").arg(k);
    }
    w->NextQuestion();
    QCOMPARE(w->session()->paper().Answers.mid(0, 8), rows);
    QCOMPARE(h.box(w, 1)->text(), QString());
}

int main(int argc, char** argv) {
    // The question view's scheme must be known before the application exists.
    RegisterQuestionScheme();
    QApplication app(argc, argv);
    TestPracticeWindow test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_practice_window.moc"
