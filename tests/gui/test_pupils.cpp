// Several children on one login, through the main window: a family of one
// sees the program as it always was; two pupils marking papers in turn never
// see each other's scores, trend or answers; Trash and removal take one
// pupil's results only; names of any text go through the real list; and the
// question "Who is practising?" is answered with the keyboard alone.

#include "main_window_harness.h"

#include "chrome/PictureButton.h"
#include "main_window/ui/PupilList.h"
#include "main_window/ui/PupilPicker.h"
#include "main_window/ui/PupilsPage.h"
#include "practice/ui/PracticeWindow.h"
#include "results/PupilRoster.h"
#include "results/TrendLog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

using TestFiles::bytesOf;

class TestPupils : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_main = std::make_unique<MainWindow>();
        m_asked = 0;
    }
    void cleanup() { m_main.reset(); }
    void onePupilLooksAsBefore();
    void twoPupilsMarkInTurn();
    void pupilListByKeyboard();
    void pickerByKeyboard();
    void badPupilFolderIsToldOthersGoOn();

private:
    // The main window started with who-is-practising answered by chooser
    // (null: the real picker), the pop-up dialogs through the seam.
    Contents* start(Contents::PupilChooser chooser);
    QString results(int pupil, ResultsFile file) const {
        return resultsFilePath(m_main->dir.filePath(PupilRoster::folderName(pupil)), file, 2,
                               m_main->code);
    }
    MarksRecords marksOf(int pupil) const {
        return readMarksFile(results(pupil, ResultsFile::Marks), 50).value;
    }
    QMap<ResultsFile, QByteArray> snapshotOf(int pupil) const {
        return TestFiles::resultsSnapshot(
            [this, pupil](ResultsFile f) { return results(pupil, f); });
    }
    // Opens paper row (1..5) of topic 1 for a first attempt, types answer in
    // its first box and, when mark, has it marked.
    PracticeWindow* work(int row, const QString& answer, bool mark);
    // The Pupils page of the Help tab.
    PupilsPage* pupilsPage();
    bool selectPupil(const QString& name);
    // Zoë (pupil 2) and Åsa (3) added before the start; Zoë chosen last when
    // chooseZoe.
    bool addZoeAndAsa(bool chooseZoe) const {
        PupilRoster roster(m_main->dir.path());
        roster.load();
        return roster.add(QStringLiteral("Zoë")).ok() && roster.add(QStringLiteral("Åsa")).ok() &&
               (!chooseZoe || roster.choose(2).ok());
    }

    std::unique_ptr<MainWindow> m_main;
    int m_asked = 0;
};

Contents* TestPupils::start(Contents::PupilChooser chooser) {
    Contents* contents = m_main->make();
    contents->popUp().setAnswerer([this](const QString&, const QString& message, PopUpButtons) {
        m_main->told << message;
        return true;
    });
    if (chooser) {
        contents->setPupilChooser([this, chooser](const QList<Pupil>& order) {
            ++m_asked;
            return chooser(order);
        });
    }
    contents->services().animationDelay = [](int) {};
    if (!contents->startUp())
        return nullptr;
    m_main->code = contents->state().lblCOD;
    return contents;
}

PracticeWindow* TestPupils::work(int row, const QString& answer, bool mark) {
    Contents* contents = m_main->contents.get();
    click(child(contents, "Tab02"));
    if (!click(child(contents, QStringLiteral("P%1a").arg(row))))
        return nullptr;
    QPointer<PracticeWindow> practice = contents->practiceWindow();
    if (!practice)
        return nullptr;
    QTest::keyClicks(child<QLineEdit>(practice, "FA1"), answer);
    if (mark) {
        QTest::mouseClick(child(practice, "ToolBar02"), Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return practice && !practice->isMarking(); }))
            return nullptr;
    }
    return practice;
}

PupilsPage* TestPupils::pupilsPage() {
    Contents* contents = m_main->contents.get();
    click(child(contents, "Tab04"));
    click(child(contents, "ToolBar03"));
    auto* page = child<PupilsPage>(contents, "Body_Pupils");
    return page && page->isVisible() ? page : nullptr;
}

bool TestPupils::selectPupil(const QString& name) {
    auto* list = child<QListWidget>(m_main->contents.get(), "lstPupils");
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    if (found.size() != 1)
        return false;
    list->setCurrentItem(found.first());
    return true;
}

void TestPupils::onePupilLooksAsBefore() {
    REQUIRE_CONTENT();
    Contents* contents = start([](const QList<Pupil>&) { return 1; });
    QVERIFY(contents);
    QCOMPARE(m_asked, 0);
    QVERIFY(m_main->told.isEmpty());
    QVERIFY(!child(contents, "lblPupil")->isVisible());
    QVERIFY(!child(contents, "ButChangePupil")->isVisible());
    PracticeWindow* practice = work(1, "3", false);
    QVERIFY(practice);
    QCOMPARE(practice->windowTitle(), contents->state().SubH1 + " - Paper 1");
    click(child(contents, "Tab02"));
    click(child(contents, "ToolBar02"));
    QCOMPARE(child<QLabel>(contents, "lblRCBar1")->text(), QStringLiteral("Overall Results"));
    click(child(contents, "Tab04"));
    click(child(contents, "ToolBar02"));
    QVERIFY(!child<QLabel>(contents, "Trashlbl1")->text().contains("Pupil"));

    // A single pupil given a name is named, with nobody to change to. The
    // name again is refused, the pupil told why, the list left as it was.
    QVERIFY(pupilsPage());
    QVERIFY(selectPupil("Pupil 1"));
    auto* box = child<QLineEdit>(contents, "txtPupilName");
    box->setText("Zoë");
    click(child(contents, "ButPupilRename"));
    box->setText("zoë");
    click(child(contents, "ButPupilAdd"));
    QCOMPARE(m_main->told,
             QStringList{PupilRoster::problemText(PupilRoster::Problem::DuplicateName, "zoë")});
    QCOMPARE(box->text(), QStringLiteral("zoë"));
    QCOMPARE(child<QListWidget>(contents, "lstPupils")->count(), 1);
    click(child(contents, "Tab02"));
    QVERIFY(child(contents, "lblPupil")->isVisible());
    QCOMPARE(child<QLabel>(contents, "lblPupil")->text(), QStringLiteral("Results of Zoë"));
    QVERIFY(!child(contents, "ButChangePupil")->isVisible());
    QCOMPARE(QDir(m_main->dir.path()).entryList({"pupil*"}, QDir::Dirs), QStringList{"pupil1"});
}

void TestPupils::twoPupilsMarkInTurn() {
    REQUIRE_CONTENT();
    // Whoever is asked, Pupil 1 is chosen.
    Contents* contents = start([](const QList<Pupil>&) { return 1; });
    QVERIFY(contents);
    QVERIFY(pupilsPage());
    child<QLineEdit>(contents, "txtPupilName")->setText(QStringLiteral("Zoë"));
    click(child(contents, "ButPupilAdd"));
    QCOMPARE(contents->roster().pupils().size(), 2);

    // Pupil 1 marks paper 1 and leaves paper 2 typed, open.
    QVERIFY(work(1, "3", true));
    QCOMPARE(marksOf(1).FST.first(), QStringLiteral("1"));
    QPointer<PracticeWindow> open = work(2, "12", false);
    QVERIFY(open);
    click(child(contents, "Tab02"));
    QCOMPARE(child<QLabel>(contents, "lblPupil")->text(), QStringLiteral("Results of Pupil 1"));
    QVERIFY(child(contents, "ButChangePupil")->isVisible());
    const QString firstScore = child<QLabel>(contents, "MSA1")->text();
    QVERIFY(!firstScore.isEmpty());

    // Zoë takes over from the Pupils page: the open paper is saved and closed.
    QVERIFY(pupilsPage());
    QVERIFY(selectPupil("Zoë"));
    click(child(contents, "ButPupilChoose"));
    QCOMPARE(contents->pupil(), 2);
    QCOMPARE(contents->roster().lastChosen(), 2);
    QVERIFY(!open);
    QVERIFY(bytesOf(results(1, ResultsFile::First)).contains("#102#>12>"));
    click(child(contents, "Tab02"));
    QCOMPARE(child<QLabel>(contents, "lblPupil")->text(), QStringLiteral("Results of Zoë"));
    QCOMPARE(child<QLabel>(contents, "MSA1")->text(), QString());
    QPointer<PracticeWindow> zoe = work(2, "", false);
    QVERIFY(zoe);
    QCOMPARE(child<QLineEdit>(zoe, "FA1")->text(), QString());
    QCOMPARE(zoe->windowTitle(), "Zoë \u2013 " + contents->state().SubH1 + " \u2013 Paper 2");
    QVERIFY(work(1, "5", true));
    QCOMPARE(readTrendLine(results(2, ResultsFile::Trend)).value.count('>'), 1);
    QCOMPARE(readTrendLine(results(1, ResultsFile::Trend)).value.count('>'), 1);
    QCOMPARE(marksOf(2).FST.count("1"), 1);
    click(child(contents, "ToolBar02"));
    QVERIFY(child<QLabel>(contents, "lblRCBar1")->text().contains("Zoë"));
    QCOMPARE(contents->reportCaption(), contents->windowTitle() + " \u2013 Zoë");
    click(child(contents, "ToolBar01"));

    // Back to Pupil 1 by the Home page's button: the first score again.
    const int askedBefore = m_asked;
    click(child(contents, "ButChangePupil"));
    QCOMPARE(m_asked, askedBefore + 1);
    QCOMPARE(contents->pupil(), 1);
    QCOMPARE(child<QLabel>(contents, "MSA1")->text(), firstScore);

    // Trash says whose results it erases and takes only those.
    const auto zoesFiles = snapshotOf(2);
    QVERIFY(askToErase(contents));
    QVERIFY(child<QLabel>(contents, "Trashlbl2")->isVisible());
    click(child(contents, "ButTrash_Yes"));
    QVERIFY(child<QLabel>(contents, "Trashlbl3")->text().contains("Pupil 1"));
    QCOMPARE(bytesOf(results(1, ResultsFile::Marks)), templateBytes(ResultsFile::Marks));
    QCOMPARE(snapshotOf(2), zoesFiles);

    // Removing Zoë asks, naming her and her marked paper (where her files go
    // is the roster's test), and a family of one is back to the look of before.
    m_main->told.clear();
    QVERIFY(pupilsPage());
    QVERIFY(selectPupil("Zoë"));
    click(child(contents, "ButPupilRemove"));
    QCOMPARE(m_main->told.size(), 1);
    QVERIFY2(m_main->told.first().contains("Zoë") &&
                 m_main->told.first().contains("1 marked paper") &&
                 m_main->told.first().contains("removed"),
             qPrintable(m_main->told.first()));
    QCOMPARE(contents->roster().pupils().size(), 1);
    click(child(contents, "Tab02"));
    QVERIFY(!child(contents, "lblPupil")->isVisible());
}

// The list of pupils with the keyboard alone: Ctrl+4 to the Help tab, Tab
// to the Pupils button, then the list, the name box and the buttons. The
// name is markup, which the window shows as typed (what it does on disk is
// the roster's test).
void TestPupils::pupilListByKeyboard() {
    REQUIRE_CONTENT();
    Contents* contents = start([](const QList<Pupil>&) { return 1; });
    QVERIFY(contents);
    contents->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(contents));
    const auto key = [contents](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : contents, key, modifiers);
    };
    const auto focusIs = [](const char* name) {
        QWidget* focused = QApplication::focusWidget();
        return focused && focused->objectName() == QLatin1String(name);
    };
    // Tab until name has the focus, at most tabs times.
    const auto tabTo = [&](const char* name, int tabs) {
        for (int k = 0; k < tabs && !focusIs(name); ++k)
            key(Qt::Key_Tab);
        return focusIs(name);
    };
    key(Qt::Key_4, Qt::ControlModifier);
    QVERIFY(tabTo("ToolBar03", 12));
    key(Qt::Key_Space);
    QVERIFY(child(contents, "Body_Pupils")->isVisible());

    const QString name = QStringLiteral("<b>Ada</b>");
    auto* list = child<QListWidget>(contents, "lstPupils");
    QVERIFY(tabTo("lstPupils", 12));
    key(Qt::Key_Tab);
    QVERIFY(focusIs("txtPupilName"));
    QTest::keyClicks(QApplication::focusWidget(), name);
    key(Qt::Key_Tab);
    QVERIFY(focusIs("ButPupilAdd"));
    key(Qt::Key_Space);
    QCOMPARE(contents->roster().pupils().size(), 2);
    QCOMPARE(list->item(1)->text(), name);
    QCOMPARE(child<QLineEdit>(contents, "txtPupilName")->text(), QString());

    // Down to Ada in the list, then on to Practise.
    list->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Down);
    QCOMPARE(PupilList::currentId(list), 2);
    QVERIFY(tabTo("ButPupilChoose", 6));
    key(Qt::Key_Space);
    QCOMPARE(contents->pupil(), 2);
    click(child(contents, "Tab02"));
    QCOMPARE(child<QLabel>(contents, "lblPupil")->accessibleName(), "Results of " + name);
    QCOMPARE(child<QLabel>(contents, "lblPupil")->textFormat(), Qt::PlainText);
    // The chosen pupil's results are made where the roster keeps them.
    QVERIFY(QFile::exists(results(2, ResultsFile::Marks)));
}

void TestPupils::pickerByKeyboard() {
    REQUIRE_CONTENT();
    // The order of the list, Zoë first, is heard in tests/a11y.
    QVERIFY(addZoeAndAsa(true));
    bool answered = false;
    bool focusedList = false;
    QTimer answer;
    int waits = 0;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto* picker = qobject_cast<PupilPicker*>(QApplication::activeModalWidget());
        if (!picker || answered)
            return;
        QListWidget* list = picker->list();
        // The focus follows the dialog's activation, which a slow run (the
        // sanitizers) delivers a few ticks later; five seconds at most.
        if (QApplication::focusWidget() != list && ++waits < 250)
            return;
        answered = true;
        focusedList = QApplication::focusWidget() == list;
        // Down to the second pupil, Pupil 1; Enter takes it.
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    answer.start(20);
    Contents* contents = start(nullptr);
    answer.stop();
    QVERIFY(contents);
    QVERIFY(answered && focusedList);
    QCOMPARE(contents->pupil(), 1);
    QCOMPARE(contents->roster().lastChosen(), 1);

    // Asked again from the Home page, Esc leaves things as they were.
    QTimer escape;
    connect(&escape, &QTimer::timeout, this, [&] {
        if (auto* picker = qobject_cast<PupilPicker*>(QApplication::activeModalWidget()))
            QTest::keyClick(picker->list(), Qt::Key_Escape);
    });
    escape.start(20);
    click(child(contents, "Tab02"));
    child(contents, "ButChangePupil")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(child(contents, "ButChangePupil"), Qt::Key_Space);
    escape.stop();
    QCOMPARE(contents->pupil(), 1);
}

void TestPupils::badPupilFolderIsToldOthersGoOn() {
    REQUIRE_CONTENT();
    QVERIFY(addZoeAndAsa(false));
    // Zoë's folder is a file now; Åsa's marks file is noise.
    QVERIFY(QDir(m_main->dir.filePath("pupil2")).removeRecursively());
    QVERIFY(TestFiles::writeBytes(m_main->dir.filePath("pupil2"), "not a folder"));
    QList<int> answers = {2, 1};
    Contents* contents = start(
        [&answers](const QList<Pupil>&) { return answers.isEmpty() ? 0 : answers.takeFirst(); });
    QVERIFY(contents);
    QCOMPARE(m_asked, 2);
    QCOMPARE(contents->pupil(), 1);
    QVERIFY2(m_main->told.join('\n').contains("The results of Zoë cannot be kept"),
             qPrintable(m_main->told.join('\n')));
    QVERIFY(m_main->told.join('\n').contains("The results folder of Zoë could not be found"));

    // Pupil 1 goes on practising; changing to Zoë is refused, to Åsa repaired.
    QVERIFY(work(1, "3", true));
    m_main->told.clear();
    QVERIFY(!contents->switchPupil(2));
    QCOMPARE(contents->pupil(), 1);
    QCOMPARE(m_main->told.size(), 1);
    QVERIFY(contents->switchPupil(3));
    QVERIFY(contents->switchPupil(1));
    QVERIFY(TestFiles::writeBytes(results(3, ResultsFile::Marks), TestFiles::noiseBytes(300, 7)));
    m_main->told.clear();
    QVERIFY(contents->switchPupil(3));
    QCOMPARE(m_main->told.size(), 1);
    QVERIFY2(m_main->told.first().startsWith("Åsa: ") && m_main->told.first().contains("repaired"),
             qPrintable(m_main->told.first()));
    QCOMPARE(marksOf(1).FST.first(), QStringLiteral("1"));
}

QTEST_MAIN(TestPupils)
#include "test_pupils.moc"
