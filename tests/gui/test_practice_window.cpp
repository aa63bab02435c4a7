// The practice window on the shipped store, first attempt (`Test1`), second
// (`Test2`) and the worked solution, through the harness's seams (the real
// dialog and animation are driven in test_keyboard_access and test_contents).

#include "test_practice_window_harness.h"

#include "../core/SmallDisk.h"
#include "../core/UnreadableFile.h"

#include "chrome/Twips.h"
#include "core/PaperContent.h"
#include "practice/ui/ClockFace.h"
#include "practice/ui/DragResizer.h"
#include "practice/ui/PracticeStatusBar.h"
#include "practice/ui/PracticeToolBar.h"

#include <QAccessible>
#include <QApplication>
#include <QPdfDocument>
#include <QPrinter>

namespace {

constexpr int WorkingPaper = 101;
const QString WorkingHeading = QStringLiteral("How to work it out");
const QString WorkingAnswer = QStringLiteral("So the answer is 2.85.");
const QString QuestionText = QStringLiteral("How much is left?");

QString pageText(QuestionView* view) {
    return js(*view, QStringLiteral("document.body ? document.body.innerText : ''")).toString();
}

QString spokenName(QWidget* w) {
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(w);
    return reader ? reader->text(QAccessible::Name) : QString();
}

// The built-in store on disk in root, with the hand-made worked solution in
// the documents of questions 1 and 3 of the paper; question 2 keeps its own
// document, which has none. The harness reads from it.
std::unique_ptr<ResourceStore> workingStore(const QString& root, PracticeHarness& h) {
    const QDir builtIn(QStringLiteral(":/content/store"));
    QDir().mkpath(root + "/store");
    for (const QString& name : builtIn.entryList({QStringLiteral("*.txt")}, QDir::Files))
        QFile::copy(builtIn.filePath(name), root + "/store/" + name);
    auto store = std::make_unique<ResourceStore>(root);
    const PaperContentRead read =
        loadPaperContent(*store, h.folder(), h.state.LChose, WorkingPaper);
    if (!read.ok() || read.content.QuestionCount < 3)
        return nullptr;
    for (int q = 0; q < read.content.QuestionCount; ++q) {
        const QString source = q == 0 || q == 2 ? "with_working" : "browser_saved";
        QFile::copy(QStringLiteral(QUILLORA_TEST_DATA_DIR "/mhtml/%1.mht").arg(source),
                    root + "/store/" + read.content.QuestionIds.at(q) + ".mht");
    }
    h.services.store = store.get();
    return store;
}

// Counts the pixels of a page of the PDF near the colour c.
int pixelsNear(const QImage& page, const QColor& c) {
    int n = 0;
    for (int y = 0; y < page.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            const QColor p(line[x]);
            const int off = qMax(qMax(qAbs(p.red() - c.red()), qAbs(p.green() - c.green())),
                                 qAbs(p.blue() - c.blue()));
            n += off < 30 ? 1 : 0;
        }
    }
    return n;
}

// The shown ones of parts lie inside strip, none over another; at names the
// case.
void expectApart(QWidget* strip, const QList<QWidget*>& parts, const QString& at) {
    QList<QWidget*> shown;
    for (QWidget* part : parts) {
        if (part->isVisible())
            shown << part;
    }
    for (QWidget* a : std::as_const(shown)) {
        QVERIFY2(strip->rect().contains(a->geometry()), qPrintable(a->objectName() + at));
        for (QWidget* b : std::as_const(shown))
            QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                     qPrintable(a->objectName() + " " + b->objectName() + at));
    }
}

} // namespace

// Each test gets a fresh program folder and harness (init).
class TestPracticeWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void init() { m_h = std::make_unique<PracticeHarness>(); }
    void cleanup() { m_h.reset(); }

    void firstAttemptShowsAndStoresAnswers();
    void markingShowsTheMarkedView();
    void stripsKeepTheirPartsApartAtAnyWidth();
    void refusedAnswersFileIsNamedForAGrownUp();
    void fullDiskKeepsAnswersAndSaysWhy();
    void secondAttemptLocksCarriedRowsAndMarksOnlyItself();
    void workingFollowsTheAttemptAndTheChoice();

private:
    static constexpr int Graphs = 140;
    const QList<int> WrongFirst = {2, 7, 13, 21, 27}; // blanks missed in the first attempt
    std::unique_ptr<PracticeHarness> m_h;
};

// Paper 101 as it opens, then typed into and moved through by the buttons
// and the list of questions left; a failed save stops the marking.
void TestPracticeWindow::firstAttemptShowsAndStoresAnswers() {
    PracticeHarness& h = *m_h;
    // The title counts the papers within their topic.
    PracticeWindow* w = h.open(150);
    QVERIFY(w);
    QCOMPARE(h.label(w, "Title")->text(), QStringLiteral("Area, Perimeter and Volume - Paper 5"));
    w = h.open(101);
    QVERIFY(w);
    QCOMPARE(w->objectName(), QStringLiteral("Test1"));
    QCOMPARE(h.label(w, "Title")->text(),
             QStringLiteral("Addition and Subtraction within 100 - Paper 1"));
    QCOMPARE(h.label(w, "QnTitle")->text(), QStringLiteral("Question 1"));
    // The count of blanks, not of questions.
    const PaperSession* session = w->session();
    const int blanks = session->paper().TotalBlanks;
    QCOMPARE(h.label(w, "lblTotalQ")->text(), QString::number(blanks));
    QCOMPARE(h.label(w, "lblAnsweredQ")->text(), QStringLiteral("0"));
    QCOMPARE(h.label(w, "lblDate")->text(), QStringLiteral("09/03/2024"));
    QVERIFY(h.box(w, 1)->isVisible());
    QVERIFY(!h.box(w, 2)->isVisible());
    QVERIFY(!h.label(w, "FR1")->isVisible());
    QVERIFY(QFile::exists(h.folder() + QStringLiteral("/temppaper25016.mht")));
    QVERIFY(h.waitForDocument(w));
    QCOMPARE(h.combo(w)->count(), 30);
    QCOMPARE(h.combo(w)->currentIndex(), -1);
    QVERIFY(w->screen()->geometry().contains(w->geometry()));
    PictureButton* back = h.button(w, "ToolBar05");
    PictureButton* next = h.button(w, "ToolBar06");
    QVERIFY(!back->isEnabled());
    QCOMPARE(back->shownPicture().toImage(), h.picture("back_disabled.bmp"));

    // The clock counts from the opening (its text: test_scoring).
    h.clock.advanceSeconds(65);
    QTRY_COMPARE_WITH_TIMEOUT(child<ClockFace>(w, "lblClock")->text(), QStringLiteral("0:1:5"),
                              3000);

    // Typed text counts once stored, by Next, untrimmed.
    h.box(w, 1)->setFocus();
    QTest::keyClicks(h.box(w, 1), QStringLiteral("  42"));
    w->Timer1_Timer();
    QCOMPARE(h.label(w, "lblAnsweredQ")->text(), QStringLiteral("0"));
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(h.label(w, "QnTitle")->text(), QStringLiteral("Question 2"));
    QCOMPARE(h.label(w, "lblAnsweredQ")->text(), QStringLiteral("1"));
    QCOMPARE(h.fileLines(ResultsFile::First).first(),
             QByteArray("#101#>  42") + QByteArray(blanks - 1, '>'));
    QCOMPARE(h.asked(), QStringList());
    QVERIFY(!QFile::exists(h.folder() + QStringLiteral("/temppaper25016.mht")));
    QVERIFY(QFile::exists(h.folder() + QStringLiteral("/temppaper25019.mht")));
    QCOMPARE(h.box(w, 1)->text(), QString());
    QVERIFY(h.box(w, 1)->hasFocus());
    QVERIFY(h.waitForDocument(w));

    // Question 2's first blank is the paper's second.
    h.box(w, 1)->setText(QStringLiteral("9 "));
    QTest::mouseClick(h.button(w, "ToolBar01"), Qt::LeftButton);
    QCOMPARE(h.asked(), QStringList({"Quillora|Paper saved|1"}));
    QCOMPARE(h.fileLines(ResultsFile::First).first(),
             QByteArray("#101#>  42>9 ") + QByteArray(blanks - 2, '>'));
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(h.box(w, 1)->text(), QStringLiteral("  42"));

    // A blank of spaces counts as answered, yet stays in the list of
    // questions left.
    QStringList answers(blanks, QStringLiteral("1"));
    answers[4] = QStringLiteral(" ");
    answers[9] = QString();
    QVERIFY(h.typeAnswers(w, answers));
    QCOMPARE(h.label(w, "lblAnsweredQ")->text(), QString::number(blanks - 1));
    const int q5 = session->questionOfBlank(4);
    const int q10 = session->questionOfBlank(9);
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
    QCOMPARE(h.box(w, 1)->text(), QStringLiteral(" "));

    // Next stops at the last question.
    const int last = session->paper().QuestionCount;
    w->RemQns_Click(last - 1);
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(session->paper().QSCount, last);
    QVERIFY(!next->isEnabled());
    QCOMPARE(next->shownPicture().toImage(), h.picture("forward_disabled.bmp"));
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(session->paper().QSCount, last);
    QVERIFY(back->isEnabled());
    QCOMPARE(back->shownPicture().toImage(), h.picture("back_off.bmp"));

    // A folder in the answers file's place: the marking stops before its
    // question (a failed move or save: fullDiskKeepsAnswersAndSaysWhy).
    const QString first = h.path(ResultsFile::First);
    QVERIFY(QFile::remove(first) && QDir().mkdir(first));
    h.box(w, 1)->setText(QStringLiteral("12"));
    w->MarkPaper();
    QVERIFY(h.asked().last().contains(
        QStringLiteral("Your answers were not saved, so the paper was not marked.")));
    QCOMPARE(session->paper().Status, PaperStatus::NotMarked);
    QVERIFY(!h.box(w, 1)->isReadOnly());

    // Nor does another paper open, and the message names the file it could
    // not read.
    QVERIFY(!h.open(102));
    QVERIFY(
        h.asked().last().contains(QStringLiteral("your saved answers could not be read (%1: %2).")
                                      .arg(first, recordErrorText(RecordError::FileMissing))));
}

// The disk fills while a paper is open: a move, a save and a marking each
// name the file and say why they failed (in the dialog and once in the
// log), and the paper is not shown as marked. (What reaches the disk each
// time: test_disk_faults.)
void TestPracticeWindow::fullDiskKeepsAnswersAndSaysWhy() {
    SmallDisk disk("size=8m");
    // A folder of its own on the small disk, not the fixture's.
    PracticeHarness h(disk.folder());
    PracticeWindow* w = h.open(102);
    QVERIFY(w);
    QVERIFY(h.typeAnswers(w, h.correctAnswers(w)));
    QVERIFY(disk.fill());

    h.box(w, 1)->setText(QStringLiteral("12"));
    const QString answers = QDir::toNativeSeparators(w->session()->paper().AnswersFile.path);
    QTest::ignoreMessage(QtWarningMsg, QStringLiteral("answers not saved: %1: %2")
                                           .arg(answers, disk.reason())
                                           .toUtf8()
                                           .constData());
    w->nextQuestion();
    QCOMPARE(w->session()->paper().QSCount, 1);
    QCOMPARE(h.box(w, 1)->text(), QStringLiteral("12"));
    QVERIFY(h.asked().last().contains(QStringLiteral("Your answers were not saved.")));
    QVERIFY(h.asked().last().contains(QStringLiteral("The results file %1 could not be written, "
                                                     "because %2.")
                                          .arg(answers, disk.reason())));
    w->savePaper();
    QVERIFY(h.asked().last().contains(disk.reason()));

    // Room for the answers, none for the marking: the disk fills again while
    // the pupil confirms.
    disk.release();
    h.box(w, 1)->setText(h.correctAnswers(w).first());
    bool filled = false;
    QStringList told;
    h.popUp.setAnswerer([&](const QString& title, const QString& message, PopUpButtons) {
        if (title == PaperSession::markingTitle() && !filled)
            filled = disk.fill();
        told << message;
        return true;
    });
    QSignalSpy marked(w, &PracticeWindow::paperMarked);
    w->MarkPaper();
    QVERIFY(filled);
    QCOMPARE(marked.count(), 0);
    QVERIFY(told.last().startsWith(QStringLiteral("Your paper was not marked")));
    QVERIFY(told.last().contains(QStringLiteral("The results file ") +
                                 QDir::toNativeSeparators(disk.folder())));
    QVERIFY(told.last().contains(disk.reason()));
    QCOMPARE(w->session()->paper().Status, PaperStatus::NotMarked);
    QVERIFY(!h.box(w, 1)->isReadOnly());
    QVERIFY(!h.label(w, "FR1")->isVisible());

    // With room again the same window marks the paper.
    disk.release();
    w->MarkPaper();
    QCOMPARE(marked.count(), 1);

    // A paper opened on a full disk says why it cannot open.
    QVERIFY(disk.fill());
    QVERIFY(!h.open(103));
    QVERIFY(told.last().startsWith(QStringLiteral("This paper could not be opened: the program "
                                                  "could not copy its questions")));
    QVERIFY(told.last().endsWith(QStringLiteral("because ") + disk.reason() + "."));
}

// Marking and the marked view; then, on the marked paper, the answer sheet,
// the window's buttons and the ways the window closes.
void TestPracticeWindow::markingShowsTheMarkedView() {
    PracticeHarness& h = *m_h;
    // Paper 101 marked with its second blank wrong, 65 seconds after it
    // opened. The score and what the marking writes are the session's.
    PracticeWindow* w = h.open(101);
    QVERIFY(w && h.typeAnswers(w, h.answersWrongAt(w, {1})));
    h.clock.advanceSeconds(65);
    QSignalSpy marked(w, &PracticeWindow::paperMarked);
    QTest::mouseClick(h.button(w, "ToolBar02"), Qt::LeftButton);
    QCOMPARE(marked.count(), 1);
    QCOMPARE(h.delays, QList<int>(15, 200));
    QCOMPARE(w->session()->paper().Status, PaperStatus::Marked);
    const QString percent = w->session()->paper().PScoring;

    QVERIFY(h.box(w, 1)->isReadOnly());
    QVERIFY(h.label(w, "FR1")->isVisible());
    QCOMPARE(h.label(w, "FR1")->text(), QStringLiteral("\u2714"));
    QVERIFY(!h.button(w, "ToolBar01")->isEnabled());
    QVERIFY(!h.button(w, "ToolBar02")->isEnabled());
    QCOMPARE(h.button(w, "ToolBar02")->shownPicture().toImage(), h.picture("mark_disabled.bmp"));
    QVERIFY(!child<ClockFace>(w, "lblClock")->isVisible());
    QVERIFY(h.label(w, "LTime")->isVisible());
    QCOMPARE(h.label(w, "LTime")->text(), QStringLiteral("0:1:5"));
    QVERIFY(!h.label(w, "lblDate")->isVisible());
    QCOMPARE(h.label(w, "ETime")->text(), QStringLiteral("09/03/2024"));
    QCOMPARE(h.label(w, "PScoring")->text(), percent + QStringLiteral("%"));
    QVERIFY(!child<QWidget>(w, "TxtRem")->isVisible());
    QTest::mouseClick(h.button(w, "ToolBar06"), Qt::LeftButton);
    QCOMPARE(h.label(w, "FR1")->text(), QStringLiteral("\u2718"));
    QVERIFY(h.label(w, "FR1")->isVisible());

    // The answer sheet slides out of the way and back.
    QWidget* sheet = child<QWidget>(w, "AnsBox");
    QWidget* view = child<QWidget>(w, "brwWebBrowser");
    PictureButton* handle = h.button(w, "ImgHandle");
    const int shownView = view->width();
    QCOMPARE(sheet->geometry().right(), w->width() - 1 - child<QWidget>(w, "BRight")->width());
    QCOMPARE(handle->toolTip(), QStringLiteral("Hide answer sheet"));
    QTest::mouseClick(handle, Qt::LeftButton);
    QVERIFY(!w->answerSheetShown());
    // Laid out, the hidden sheet is taken out of the row rather than pushed
    // past the window's edge: its width goes to the view all the same.
    QVERIFY(!sheet->isVisible());
    QCOMPARE(view->width(), shownView + sheet->width());
    QCOMPARE(child<QWidget>(w, "RemQnsBG")->width(), view->width());
    QCOMPARE(handle->toolTip(), QStringLiteral("Show answer sheet"));
    QTest::mouseClick(handle, Qt::LeftButton);
    QVERIFY(w->answerSheetShown());
    QCOMPARE(view->width(), shownView);

    // A resize lays the window out again, the sheet shown and said so.
    QTest::mouseClick(handle, Qt::LeftButton);
    w->resize(w->width() - 40, w->height() - 30);
    QVERIFY(w->answerSheetShown());
    QCOMPARE(handle->toolTip(), QStringLiteral("Hide answer sheet"));
    QCOMPARE(sheet->geometry().right(), w->width() - 1 - child<QWidget>(w, "BRight")->width());
    // The navigation buttons keep to the strip's right end, as far in as Save
    // is from its left end.
    QCOMPARE(child<QWidget>(w, "ScnTabBG")->width() - 1 -
                 h.button(w, "ToolBar06")->geometry().right(),
             h.button(w, "ToolBar01")->x());

    QTest::mouseClick(h.button(w, "imgProgMax"), Qt::LeftButton);
    QTRY_VERIFY(w->isMaximized());
    w->imgProgMax_Click();
    QTRY_VERIFY(!w->isMaximized());
    w->imgProgMin_Click();
    QTRY_VERIFY(w->isMinimized());
    w->imgProgMax_Click(); // a minimised window stays minimised
    QVERIFY(w->isMinimized());

    // Each way out unloads once and takes the question's document with it.
    // The title bar's close asks as Close and Esc do (answered No:
    // test_keyboard_access), and Yes closes; closing through the platform
    // asks nothing, nor does deleting the window (as another paper opens).
    h.answers = {true};
    for (const QString way : {"title bar", "platform", "deleted"}) {
        PracticeWindow* open = way == "title bar" ? w : h.open(way == "platform" ? 102 : 103);
        QVERIFY(open);
        QSignalSpy unloaded(open, &PracticeWindow::unloaded);
        const QStringList asked = h.asked();
        QCOMPARE(QDir(h.folder()).entryList({"temppaper*"}, QDir::Files).size(), 1);
        if (way == "title bar") {
            QTest::mouseClick(h.button(open, "imgProgClose"), Qt::LeftButton);
            QCOMPARE(h.asked(), asked + QStringList{"Close Practice|Confirm?|2"});
            QVERIFY(!open->isVisible());
        } else if (way == "platform") {
            QVERIFY(open->close());
        } else {
            h.deleteWindow();
        }
        QCOMPARE(h.asked().size(), asked.size() + (way == "title bar" ? 1 : 0));
        QVERIFY2(unloaded.count() == 1, qPrintable(way));
        QCOMPARE(QDir(h.folder()).entryList({"temppaper*"}, QDir::Files), QStringList());
    }
}

// The tool bar and the strip under the question, from the smallest width a
// drag allows to a wide one, before and after marking (above 99 %: the
// Working button shows too): no part over another or outside its strip, the
// clock's field (the time taken once marked) whole; with room, the paper
// summary and the strip's fields where they always stood.
void TestPracticeWindow::stripsKeepTheirPartsApartAtAnyWidth() {
    PracticeHarness& h = *m_h;
    PracticeWindow* w = h.open(101);
    QVERIFY(w);
    QWidget* summary = child<QWidget>(w, "PaperSum");
    QList<QWidget*> tools = {summary};
    for (int n = 1; n <= PracticeToolBar::ButtonCount; ++n)
        tools << h.button(w, QStringLiteral("ToolBar%1").arg(n, 2, 10, QLatin1Char('0')));
    auto* strip = child<PracticeStatusBar>(w, "RemQnsBG");
    QList<QWidget*> fields;
    for (const char* name : {"TxtRem", "Bot1", "Bot2", "Bot3"})
        fields << child<QWidget>(strip, name);
    for (bool marked : {false, true}) {
        if (marked) {
            QVERIFY(h.markWith(w, h.correctAnswers(w)));
            QVERIFY(h.button(w, "ToolBar07")->isVisible());
        }
        const int least = Twips::toPx(DragResizer::MinWidthTwips);
        for (int width : {least, least + 1, 520, 600, 800, 1200}) {
            w->resize(width, 700);
            QCoreApplication::sendPostedEvents();
            const QString at =
                QStringLiteral(" at %1%2").arg(w->width()).arg(marked ? ", marked" : "");
            expectApart(child<QWidget>(w, "ScnTabBG"), tools, at);
            expectApart(strip, fields, at);
            QWidget* time = marked ? static_cast<QWidget*>(h.label(w, "LTime"))
                                   : child<QWidget>(strip, "lblClock");
            QVERIFY2(fields.at(1)->isVisible() && time->isVisible(), qPrintable(at));
            QVERIFY2(fields.at(1)->rect().contains(time->geometry()), qPrintable(at));
            QVERIFY2(time->width() >= time->minimumSizeHint().width(), qPrintable(at));
        }
    }
    // With room (the last, wide width), the summary 4095 twips in from the
    // window's outer width, in the strip's own coordinates; the fields from
    // the strip's left end, six pixels apart, the list's field whole and
    // keeping its place while it is hidden.
    QVERIFY(summary->isVisible());
    QCOMPARE(summary->x(), w->width() - Twips::toPx(4095));
    int left = 2;
    for (QWidget* field : std::as_const(fields)) {
        QCOMPARE(field->x(), left);
        QCOMPARE(field->y(), (strip->height() - field->height()) / 2);
        left += field->width() + 6;
    }
    const QLabel* list = child<QLabel>(strip, "TxtRem");
    QCOMPARE(list->width(), qRound(list->pixmap().deviceIndependentSize().width()));
    QVERIFY(h.label(w, "PScoring")->isVisible());
}

// Saved answers the system refuses to read: the paper does not open, the
// message names the file and who can put it right, and the log keeps the
// system's reason beside the file.
void TestPracticeWindow::refusedAnswersFileIsNamedForAGrownUp() {
    PracticeHarness& h = *m_h;
    const QString first = h.path(ResultsFile::First);
    QVERIFY(QFileInfo(first).isFile());
    UnreadableFile refused(first);
    if (!refused.works() && ::geteuid() == 0)
        QSKIP("root may not bind a refused file over another here");
    QVERIFY(refused.works());
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("paper 101 not opened: %1: %2")
                                                      .arg(QDir::toNativeSeparators(first),
                                                           readFailureReason(EACCES))));
    QVERIFY(!h.open(101));
    QVERIFY2(h.asked().last().contains(
                 QStringLiteral("the program is not allowed to read your saved answers in %1. "
                                "Please ask a grown-up")
                     .arg(QDir::toNativeSeparators(first))),
             qPrintable(h.asked().last()));
}

// The second attempt (`Test2`): carried-over rows locked with their tick, the
// rest reworked, and after marking the answers of the blanks still wrong
// revealed.
void TestPracticeWindow::secondAttemptLocksCarriedRowsAndMarksOnlyItself() {
    // Paper 140 (eight picture-graph questions, 28 blanks of kinds N, T and
    // M) marked in its first attempt with the blanks WrongFirst left empty.
    PracticeHarness& h = *m_h;
    PracticeWindow* w = h.open(Graphs);
    QVERIFY(w);
    QStringList first = h.correctAnswers(w);
    for (int i : WrongFirst)
        first[i] = QString();
    QVERIFY(h.markWith(w, first));

    w = h.open(Graphs, 2);
    QVERIFY(w);
    QCOMPARE(w->objectName(), QStringLiteral("Test2"));
    for (const char* absent : {"lblClock", "lblDate", "LTime", "ETime", "Bot2", "PScoringL"})
        QVERIFY2(!w->findChild<QWidget*>(QString::fromLatin1(absent)), absent);
    for (const char* present : {"PastSc", "TScore", "TQn", "Label3", "SR1", "SR20"})
        QVERIFY2(w->findChild<QWidget*>(QString::fromLatin1(present)), present);
    // (Which rows are carried, and what the marking writes: test_paper_session.)
    const PaperSession* session = w->session();
    QStringList remaining;
    for (int i : WrongFirst) {
        const QString q = QString::number(session->questionOfBlank(i));
        if (!remaining.contains(q))
            remaining << q;
    }
    QCOMPARE(h.comboItems(w), remaining);

    QSet<QRgb> carriedLook;
    QSet<QRgb> openLook;
    for (int q = 1; q <= session->paper().QuestionCount; ++q) {
        if (q > 1)
            w->nextQuestion();
        const int base = session->currentFirstBlank();
        for (int k = 1; k <= session->currentBlankCount(); ++k) {
            const QString n = QString::number(k);
            QLineEdit* box = h.box(w, k);
            QLabel* mark = h.label(w, "FR" + n);
            const bool carried = !WrongFirst.contains(base + k - 1);
            QCOMPARE(box->isReadOnly(), carried);
            (carried ? carriedLook : openLook) << box->palette().color(QPalette::Base).rgb();
            QCOMPARE(mark->isVisible(), carried);
            QCOMPARE(box->text(), carried ? first.at(base + k - 1) : QString());
            if (carried) {
                QCOMPARE(mark->text(), QStringLiteral("\u2714"));
                QVERIFY(mark->x() > box->geometry().right()); // beside the box
            }
            QVERIFY(!h.label(w, "SR" + n)->isVisible());
            QVERIFY(!child<QWidget>(w, "M" + n)->isVisible());
        }
    }
    // Locked boxes are told apart from the open ones by their colour.
    QCOMPARE(carriedLook.size(), 1);
    QCOMPARE(openLook.size(), 1);
    QVERIFY(carriedLook != openLook);

    const PaperState& paper = session->paper();
    const QStringList correct = PracticeHarness::correctAnswers(w);

    // Four of the five reworked: the pupil is asked about the empty one.
    QStringList answers = paper.Answers;
    for (int i : WrongFirst.mid(0, 4))
        answers[i] = correct.at(i);
    QVERIFY(h.typeAnswers(w, answers));
    h.answers = {false};
    w->MarkPaper();
    QCOMPARE(h.asked().last(),
             QStringLiteral("Marking|You have not answered all the questions.  Do you still want "
                            "to mark your practice?|2"));
    QVERIFY(!session->isMarked());

    // The fifth answered wrongly: the carried-over blanks count as answered.
    answers[WrongFirst.last()] = QStringLiteral("999999");
    QVERIFY(h.typeAnswers(w, answers));
    w->MarkPaper();
    QCOMPARE(h.asked().last(), QStringLiteral("Marking|Do you want to mark your practice now?|2"));
    QVERIFY(session->isMarked());
    QCOMPARE(h.label(w, "PScoring")->text(), paper.PScoring + QStringLiteral("%"));

    // Marked view: second marks shown, first hidden; the answer beside the
    // wrong blank. (The score and the answer shown are the session's.)
    for (int blank : {0, WrongFirst.first(), WrongFirst.last()}) {
        w->RemQns_Click(session->questionOfBlank(blank));
        const QString n = QString::number(blank - session->currentFirstBlank() + 1);
        const bool wrong = blank == WrongFirst.last();
        QVERIFY(h.box(w, n.toInt())->isReadOnly());
        QVERIFY(!h.label(w, "FR" + n)->isVisible());
        QLabel* mark = h.label(w, "SR" + n);
        QVERIFY(mark->isVisible());
        QCOMPARE(mark->text(), wrong ? QStringLiteral("\u2718") : QStringLiteral("\u2714"));
        auto* model = child<QLineEdit>(w, "M" + n);
        QCOMPARE(model->isVisible(), wrong);
        if (wrong)
            QCOMPARE(model->text(), session->modelAnswerFor(blank));
    }
    QVERIFY(!h.button(w, "ToolBar02")->isEnabled());
    QVERIFY(!child<QWidget>(w, "TxtRem")->isVisible());

    // Reopened: the marked second attempt, read-only, without a question.
    const int asks = h.asked().size();
    const auto marked = h.snapshot();
    w = h.open(Graphs, 2);
    QVERIFY(w);
    QCOMPARE(h.asked().size(), asks);
    QVERIFY(w->session()->isMarked());
    QVERIFY(h.box(w, 1)->isReadOnly());
    QVERIFY(h.label(w, "SR1")->isVisible());
    h.closeWindow();
    QCOMPARE(h.snapshot(), marked);
}

// The worked solution: the Working button in each attempt, marked below
// 99 % (which may show it: test_working; above 99 %, the first attempt's
// too: stripsKeepTheirPartsApartAtAnyWidth), its key and spoken name; then,
// in the second attempt, showing and hiding the working in the real web
// view, a question without working, and printing a question with its working.
void TestPracticeWindow::workingFollowsTheAttemptAndTheChoice() {
    PracticeHarness& h = *m_h;
    const QTemporaryDir root;
    const auto store = workingStore(root.path(), h);
    QVERIFY(store);
    PracticeWindow* w = nullptr;
    QuestionView* view = nullptr;
    PictureButton* button = nullptr;
    for (int take : {1, 2}) {
        w = h.open(WorkingPaper, take);
        QVERIFY(w);
        QVERIFY(h.waitForDocument(w));
        view = child<QuestionView>(w, "brwWebBrowser");
        button = h.button(w, "ToolBar07");
        // Never offered while a try is open, whatever the question holds.
        QVERIFY(view->hasWorking());
        QVERIFY(!button->isVisible());
        // Blank 1 wrong in either attempt: the score alone would not offer it.
        QVERIFY(h.markWith(w, h.answersWrongAt(w, {0})));
        const bool offered = take == 2;
        QCOMPARE(button->isVisible(), offered);
        QCOMPARE(button->isEnabled(), offered);
        QCOMPARE(button->caption()->text(), QStringLiteral("Working"));
        QCOMPARE(spokenName(button), QStringLiteral("Show working"));

        // The key works where the button does, and only there.
        QSignalSpy loads(view, &QuestionView::documentLoaded);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_W,
                        Qt::AltModifier);
        QCOMPARE(w->workingWanted(), offered);
        QCOMPARE(view->workingShown(), offered);
        if (offered)
            QVERIFY(loads.wait(20000) && loads.last().first().toBool());
        QCOMPARE(pageText(view).contains(WorkingHeading), offered);
    }

    // Shown by the key: the question stays, with the working under it.
    QVERIFY(h.waitForDocument(w));
    const auto before = h.snapshot();
    const QString text = pageText(view);
    QVERIFY2(text.contains(WorkingAnswer), qPrintable(text));
    QVERIFY(text.contains(QuestionText) &&
            text.indexOf(QuestionText) < text.indexOf(WorkingHeading));
    QCOMPARE(spokenName(button), QStringLiteral("Hide working"));

    // Question 2 has no working: nothing to show, no error, the choice kept.
    const int askedBefore = h.asked().size();
    w->nextQuestion();
    QVERIFY(h.waitForDocument(w));
    QVERIFY(!view->hasWorking());
    QVERIFY(button->isVisible());
    QVERIFY(!button->isEnabled());
    QVERIFY(w->workingWanted());
    QVERIFY(!pageText(view).contains(WorkingHeading));
    QCOMPARE(h.asked().size(), askedBefore);

    // Question 3 shows its working at once.
    w->nextQuestion();
    QVERIFY(h.waitForDocument(w));
    QVERIFY(button->isEnabled());
    QCOMPARE(spokenName(button), QStringLiteral("Hide working"));
    QVERIFY(pageText(view).contains(WorkingAnswer));

    // Printing prints the question (its blue picture) and the working (its
    // green one); the engine prints pages as pictures.
    const QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("question.pdf"));
    view->setPrintDialogHook([&](QPrinter* printer, QWidget*) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return true;
    });
    QSignalSpy done(view, &QuestionView::printDone);
    w->printQuestion();
    QVERIFY(done.wait(150000));
    QCOMPARE(done.first().first().toBool(), true);
    QPdfDocument doc;
    QCOMPARE(doc.load(pdf), QPdfDocument::Error::None);
    int question = 0;
    int working = 0;
    for (int i = 0; i < doc.pageCount(); ++i) {
        const QImage page = doc.render(i, (doc.pagePointSize(i) * 2).toSize())
                                .convertToFormat(QImage::Format_RGB32);
        question += pixelsNear(page, QColor(40, 80, 220));
        working += pixelsNear(page, QColor(20, 170, 60));
    }
    QVERIFY2(question > 500, qPrintable(QString::number(question)));
    QVERIFY2(working > 500, qPrintable(QString::number(working)));

    // Hidden again; looking at the working wrote nothing.
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(h.waitForDocument(w));
    QVERIFY(!pageText(view).contains(WorkingHeading));
    QCOMPARE(spokenName(button), QStringLiteral("Show working"));
    QCOMPARE(h.snapshot(), before);
}

QUESTION_VIEW_TEST_MAIN(TestPracticeWindow)
#include "test_practice_window.moc"
