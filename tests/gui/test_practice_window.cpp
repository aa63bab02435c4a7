// The first-attempt window `Test1` on the shipped store, through the
// harness's seams (the real dialog and animation are driven through the main
// window in test_keyboard_access and test_marking_and_ending).

#include "test_practice_window_harness.h"

class TestPracticeWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void opensPaperAtItsFirstQuestion();
    void nextAndSaveStoreTypedAnswersOrTell();
    void clockAnsweredCountAndQuestionsLeft();
    void navigationButtonsAtTheEnds();
    void markingWritesResultsAndShowsMarkedView();
    void closeAsksAndUnloadRemovesDocument();
    void answerSheetHandleAndWindowButtons();
};

void TestPracticeWindow::opensPaperAtItsFirstQuestion() {
    PracticeHarness h;
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
    QVERIFY(w->screen()->geometry().contains(w->geometry()));

    // The title counts the papers within their topic.
    w = h.open(106);
    QCOMPARE(h.label(w, "Title")->text(),
             QStringLiteral("Addition and Subtraction within 10000 - Paper 1"));
    w = h.open(150);
    QCOMPARE(h.label(w, "Title")->text(), QStringLiteral("Area, Perimeter and Volume - Paper 5"));
}

void TestPracticeWindow::nextAndSaveStoreTypedAnswersOrTell() {
    PracticeHarness h;
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
    QCOMPARE(h.asked(), QStringList());
    QVERIFY(!QFile::exists(h.folder() + QStringLiteral("/temppaper25016.mht")));
    QVERIFY(QFile::exists(h.folder() + QStringLiteral("/temppaper25019.mht")));
    QCOMPARE(h.box(w, 1)->text(), QString());
    QVERIFY(h.box(w, 1)->hasFocus());
    QCOMPARE(h.label(w, "lblAnsweredQ")->text(), QStringLiteral("1"));
    QCOMPARE(h.combo(w)->itemText(0), QStringLiteral("2"));
    QVERIFY(h.waitForDocument(w));

    // Question 2's first blank is the paper's second.
    h.box(w, 1)->setText(QStringLiteral("9 "));
    QTest::mouseClick(h.button(w, "ToolBar01"), Qt::LeftButton);
    QCOMPARE(h.asked(), QStringList({"Quillora|Paper saved|1"}));
    QCOMPARE(h.fileLines(ResultsFile::First).first(),
             QByteArray("#101#>  42>9 ") + QByteArray(blanks - 2, '>'));
    QCOMPARE(h.label(w, "lblAnsweredQ")->text(), QStringLiteral("2"));

    // Back again: the stored answer is in the box.
    QTest::mouseClick(h.button(w, "ToolBar05"), Qt::LeftButton);
    QCOMPARE(h.box(w, 1)->text(), QStringLiteral("  42"));

    // When the answers cannot be written (a folder cannot be written as a
    // file), they stay on screen and the pupil is told.
    const QString first = h.path(ResultsFile::First);
    QVERIFY(QFile::remove(first) && QDir().mkdir(first));
    h.box(w, 1)->setText(QStringLiteral("12"));
    w->NextQuestion();
    QCOMPARE(w->session()->paper().QSCount, 1);
    QCOMPARE(h.box(w, 1)->text(), QStringLiteral("12"));
    QVERIFY(h.asked().last().contains(QStringLiteral("Your answers were not saved.")));
    w->SavePaper();
    QVERIFY(h.asked().last().contains(QStringLiteral("not saved")));
    QCOMPARE(h.asked().count(QStringLiteral("Quillora|Paper saved|1")), 1);
    w->MarkPaper();
    QVERIFY(h.asked().last().contains(QStringLiteral("not marked")));
    QCOMPARE(w->session()->paper().Status, PaperStatus::NotMarked);
    QVERIFY(!h.box(w, 1)->isReadOnly());
}

void TestPracticeWindow::clockAnsweredCountAndQuestionsLeft() {
    PracticeHarness h;
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

    // The list of questions left takes spaces for empty.
    const PaperSession* session = w->session();
    QStringList answers(session->paper().TotalBlanks, QStringLiteral("1"));
    answers[4] = QStringLiteral("   ");
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

void TestPracticeWindow::markingWritesResultsAndShowsMarkedView() {
    PracticeHarness h;
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    QVERIFY(h.typeAnswers(w, h.answersWrongAt(w, {1})));
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
    QCOMPARE(paper.Status, PaperStatus::Marked);

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
    // The marking reached the files (what it writes is the session's, tested
    // with it).
    QVERIFY(h.fileLines(ResultsFile::Marks)
                .at(0)
                .startsWith(QByteArray("#FSE#>" + percent.toLatin1() + ">>")));
}

void TestPracticeWindow::closeAsksAndUnloadRemovesDocument() {
    PracticeHarness h;
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

void TestPracticeWindow::answerSheetHandleAndWindowButtons() {
    PracticeHarness h;
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
    // The navigation buttons keep to the strip's right end, as far in as Save
    // is from its left end.
    QCOMPARE(h.child<QWidget>(w, "ScnTabBG")->width() - 1 -
                 h.button(w, "ToolBar06")->geometry().right(),
             h.button(w, "ToolBar01")->x());

    w->imgProgMax_Click();
    QTRY_VERIFY(w->isMaximized());
    w->imgProgMax_Click();
    QTRY_VERIFY(!w->isMaximized());
    w->imgProgMin_Click();
    QTRY_VERIFY(w->isMinimized());
    w->imgProgMax_Click(); // a minimised window stays minimised
    QVERIFY(w->isMinimized());
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
