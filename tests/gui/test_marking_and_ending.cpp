// The main window while a paper is being marked or is open: clicks during the
// marking animation, erasing with a paper open, and a termination signal under
// each of the program's dialogs. Real windows; the animation on a quicker timer.

#include "main_window_harness.h"

#include "chrome/frmPopUp.h"
#include "core/FolderLock.h"
#include "practice/PaperSession.h"
#include "practice/ui/MarkingProgress.h"
#include "practice/ui/PracticeWindow.h"
#include "results/ResultsRepair.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <csignal>
#include <functional>

namespace {

// The program's dialog now showing, when its message holds text.
frmPopUp* dialogSaying(const QString& text) {
    auto* dialog = qobject_cast<frmPopUp*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible())
        return nullptr;
    const auto* message = dialog->findChild<QLabel*>(QStringLiteral("lblMessage"));
    return message && message->text().contains(text) ? dialog : nullptr;
}

// Steps run one after another from a timer, in whichever event loop is
// running (a modal dialog's too). A step returns false to be tried again.
// Clicks are posted, so that a dialog they open does not hold up the timer.
class Script : public QObject {
public:
    explicit Script(QList<std::function<bool()>> steps) : m_steps(std::move(steps)) {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_next < m_steps.size() && m_steps.at(m_next)())
                ++m_next;
        });
        m_timer.start(10);
    }
    int done() const { return int(m_next); }
    static void post(std::function<void()> action) {
        QMetaObject::invokeMethod(qApp, std::move(action), Qt::QueuedConnection);
    }

private:
    QTimer m_timer;
    QList<std::function<bool()>> m_steps;
    qsizetype m_next = 0;
};

} // namespace

class TestMarkingAndEnding : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { REQUIRE_CONTENT(); }
    void init() { m_main = std::make_unique<MainWindow>(); }
    void cleanup() { m_main.reset(); }

    void mainWindowDuringMarking_data();
    void mainWindowDuringMarking();
    void eraseClosesTheOpenPaper();
    void terminationUnderEachDialog_data();
    void terminationUnderEachDialog();

private:
    // A started main window, its marking animation on its own (quicker) timer.
    Contents* start() {
        Contents* contents = m_main->start();
        if (contents)
            contents->services().animationStep = 20;
        return contents;
    }
    QString path(ResultsFile file) const { return m_main->path(file); }
    MarksRecords marks() const { return ReadMarksFile(path(ResultsFile::Marks), 50).value; }
    // The start-up repair would find nothing to mend.
    QStringList damage() const {
        const ResourceStore store;
        ResultsRepair repair(store, m_main->dir.path(), m_main->contents->state().definition);
        const ResultsRepair::Report report = repair.Run();
        return report.findings + report.folders + report.unreadable;
    }
    bool allTemplates() const {
        for (ResultsFile file : AllFiles) {
            if (fileBytes(path(file)) != templateBytes(file))
                return false;
        }
        return true;
    }

    std::unique_ptr<MainWindow> m_main;
};

void TestMarkingAndEnding::mainWindowDuringMarking_data() {
    QTest::addColumn<QString>("control"); // empty: the window manager's close
    QTest::addColumn<bool>("programEnds");
    QTest::newRow("title bar close") << "imgProgClose" << true;
    QTest::newRow("tool bar Close") << "ToolBar04" << true;
    QTest::newRow("window manager close") << QString() << true;
    QTest::newRow("a paper button") << "P2a" << false;
    QTest::newRow("erase") << "ButTrash_Yes" << false;
}

void TestMarkingAndEnding::mainWindowDuringMarking() {
    QFETCH(QString, control);
    QFETCH(bool, programEnds);
    Contents* contents = start();
    QVERIFY(contents);
    QVERIFY(click(child(contents, "P1a")));
    QPointer<PracticeWindow> practice = contents->practiceWindow();
    QVERIFY(practice);
    if (control == QLatin1String("ButTrash_Yes"))
        QVERIFY(askToErase(contents));
    QLineEdit* box = child<QLineEdit>(practice, "FA1");
    QVERIFY(box);
    box->setFocus();
    QTest::keyClicks(box, "7");

    // Once the second bar shows, the event loop running the animation gets
    // the pupil's typing and the click on the main window.
    auto* progress = child<MarkingProgress>(practice, "fmeMark");
    QVERIFY(progress);
    int barsAtClick = -1;
    QString textAfterTyping;
    connect(progress, &MarkingProgress::barShown, practice, [&](int n) {
        if (n != 2)
            return;
        QTimer::singleShot(0, contents, [&] {
            barsAtClick = progress->shownBars();
            QTest::keyClicks(box, "5");
            textAfterTyping = box->text();
            if (control.isEmpty()) {
                QCloseEvent close;
                QCoreApplication::sendEvent(contents->windowHandle(), &close);
            } else {
                click(child(contents, control));
            }
        });
    });
    QTest::mouseClick(child(practice, "ToolBar02"), Qt::LeftButton);
    QTRY_VERIFY(barsAtClick >= 0);
    QVERIFY(barsAtClick < MarkingProgress::BarCount);
    // What is typed now would be lost: the boxes take nothing.
    QCOMPARE(textAfterTyping, QStringLiteral("7"));

    if (programEnds) {
        // The marking is finished first, then the paper and the program go.
        QVERIFY(!practice);
        QVERIFY(!contents->isVisible());
        QCOMPARE(QDir(m_main->dir.path()).entryList({"temppaper*"}, QDir::Files), QStringList());
        QCOMPARE(marks().FST.first(), QStringLiteral("1"));
        QCOMPARE(marks().FSE.first().isEmpty(), false);
        QVERIFY(fileBytes(path(ResultsFile::First)).contains("#101#>7>"));
        QCOMPARE(fileBytes(path(ResultsFile::Trend)).count('>'), 1);
    } else if (control == QLatin1String("P2a")) {
        // Nothing unloads the paper being marked; it ends its marking.
        QCOMPARE(contents->practiceWindow(), practice.data());
        QCOMPARE(contents->state().PaperNum, 101);
        QTRY_VERIFY(practice && !practice->isMarking());
        QCOMPARE(practice->session()->paper().Status, PaperStatus::Marked);
        QCOMPARE(marks().FST.first(), QStringLiteral("1"));
        // Now the click opens the other paper.
        QVERIFY(click(child(contents, "P2a")));
        QVERIFY(!practice);
        QCOMPARE(contents->state().PaperNum, 102);
    } else {
        // The erase closed the paper (after its marking) and erased everything.
        QVERIFY(!practice);
        QVERIFY(contents->isVisible());
        QVERIFY(child(contents, "Trashlbl3")->isVisible());
        QVERIFY(allTemplates());
    }
    QCOMPARE(damage(), QStringList());
}

void TestMarkingAndEnding::eraseClosesTheOpenPaper() {
    Contents* contents = start();
    QVERIFY(contents);
    // Paper 1 marked.
    QVERIFY(click(child(contents, "P1a")));
    QPointer<PracticeWindow> practice = contents->practiceWindow();
    QVERIFY(practice);
    QTest::keyClicks(child<QLineEdit>(practice, "FA1"), "3");
    QTest::mouseClick(child(practice, "ToolBar02"), Qt::LeftButton);
    QTRY_VERIFY(practice && !practice->isMarking());
    QCOMPARE(marks().FST.first(), QStringLiteral("1"));

    // Paper 2 open, an answer typed and moved past.
    QVERIFY(click(child(contents, "P2a")));
    practice = contents->practiceWindow();
    QVERIFY(practice);
    QCOMPARE(contents->state().PaperNum, 102);
    QTest::keyClicks(child<QLineEdit>(practice, "FA1"), "12");
    QTest::mouseClick(child(practice, "ToolBar06"), Qt::LeftButton);
    QVERIFY(fileBytes(path(ResultsFile::First)).contains("#102#>12>"));

    // Help, Trash, Trash: the question says the open paper will be closed.
    QVERIFY(askToErase(contents));
    QVERIFY(child(contents, "TrashPaperNote")->isVisible());
    QVERIFY(click(child(contents, "ButTrash_Yes")));
    QVERIFY(!practice);
    QVERIFY(allTemplates());

    // Nothing is left to write the old lists back: Paper 2 opens empty.
    QVERIFY(click(child(contents, "Tab02")));
    QCOMPARE(child<QLabel>(contents, "MSA1")->text(), QString());
    QVERIFY(click(child(contents, "P2a")));
    practice = contents->practiceWindow();
    QVERIFY(practice);
    QCOMPARE(child<QLineEdit>(practice, "FA1")->text(), QString());
    QTest::mouseClick(child(practice, "ToolBar06"), Qt::LeftButton);
    QTest::mouseClick(child(practice, "ToolBar02"), Qt::LeftButton);
    QTRY_VERIFY(practice && !practice->isMarking());
    // One value in the trend, one paper marked: no earlier one came back.
    QCOMPARE(fileBytes(path(ResultsFile::Trend)).count('>'), 1);
    QCOMPARE(marks().FST.count(QStringLiteral("1")), 1);
    QCOMPARE(marks().FST.at(1), QStringLiteral("1"));
    QVERIFY(!fileBytes(path(ResultsFile::First)).contains("#101#>3>"));

    // With no paper open the question does not mention one.
    practice->close();
    QVERIFY(askToErase(contents));
    QVERIFY(!child(contents, "TrashPaperNote")->isVisible());
}

void TestMarkingAndEnding::terminationUnderEachDialog_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<int>("status");
    QTest::newRow("second copy: already open") << "already open" << 1;
    QTest::newRow("repaired results at start") << "repaired" << 0;
    QTest::newRow("paper not marked") << "was not marked" << 0;
    QTest::newRow("marking question") << "mark your practice" << 0;
    QTest::newRow("close question") << "Confirm?" << 0;
    // No dialog: the bars of a confirmed marking are running.
    QTest::newRow("marking animation") << QString() << 0;
}

void TestMarkingAndEnding::terminationUnderEachDialog() {
    QFETCH(QString, dialog);
    QFETCH(int, status);
    const QString folder = m_main->dir.path();
    // The files made by a first run.
    QVERIFY(start());
    m_main->stop();
    const QString fresults = path(ResultsFile::FResults);

    std::unique_ptr<FolderLock> otherCopy;
    if (dialog == QLatin1String("already open")) {
        otherCopy = std::make_unique<FolderLock>(QDir(folder).filePath(Contents::LockFileName));
        QCOMPARE(otherCopy->tryLock(), FolderLock::Result::Locked);
    } else if (dialog == QLatin1String("repaired")) {
        QVERIFY(unixLineEnds(path(ResultsFile::First)));
    }

    m_main->contents = std::make_unique<Contents>(folder);
    Contents* contents = m_main->contents.get();
    const bool marking = dialog.isEmpty();
    contents->services().animationStep = marking ? 100 : 5;
    QPointer<PracticeWindow> practice;
    auto practiceButton = [&](const char* name) {
        return [&, name] {
            if (!practice)
                return false;
            QWidget* button = child(practice, QString::fromLatin1(name));
            Script::post([button] { click(button); });
            return true;
        };
    };
    QList<std::function<bool()>> steps;
    if (marking || dialog == QLatin1String("was not marked") ||
        dialog == QLatin1String("mark your practice") || dialog == QLatin1String("Confirm?")) {
        steps << [&] {
            if (!contents->isVisible())
                return false;
            Script::post([&] {
                click(child(contents, "P1a"));
                practice = contents->practiceWindow();
            });
            return true;
        };
        steps << practiceButton(dialog == QLatin1String("Confirm?") ? "ToolBar04" : "ToolBar02");
        if (marking || dialog == QLatin1String("was not marked")) {
            steps << [&] {
                frmPopUp* question = dialogSaying(QStringLiteral("mark your practice"));
                if (!question)
                    return false;
                // The results cannot be written: a folder in the file's place.
                if (!marking) {
                    QFile::remove(fresults);
                    QDir().mkpath(fresults + "/x");
                }
                Script::post([question] { click(child(question, "But1")); });
                return true;
            };
        }
    }
    bool signalled = false;
    steps << [&] {
        if (marking ? !(practice && practice->isMarking()) : !dialogSaying(dialog))
            return false;
        signalled = true;
        ::raise(SIGTERM);
        return true;
    };
    Script script(steps);
    // A lost request leaves the dialog open: the watchdog answers it.
    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [&] {
        timedOut = true;
        if (auto* open = qobject_cast<frmPopUp*>(QApplication::activeModalWidget()))
            open->Dismiss();
        QCoreApplication::exit(3);
    });
    watchdog.start(20000);

    const int ended = contents->Run();
    watchdog.stop();
    QVERIFY2(signalled, qPrintable(QStringLiteral("steps done: %1").arg(script.done())));
    QVERIFY2(!timedOut, "the termination request was lost");
    QCOMPARE(ended, status);
    // Ended the ordinary way: no window, no scratch file left.
    QVERIFY(!practice);
    QVERIFY(!contents->isVisible());
    QCOMPARE(QDir(folder).entryList({"temp*"}, QDir::Files), QStringList());
    QVERIFY(!QApplication::activeModalWidget());

    // A dialog's answer counted as No: nothing was marked or closed by it.
    if (dialog == QLatin1String("was not marked"))
        QVERIFY(QDir(fresults).removeRecursively() &&
                TestFiles::writeBytes(fresults, templateBytes(ResultsFile::FResults)));
    // A marking under way when the signal came was finished: the files are
    // from after it, never between.
    QCOMPARE(marks().FST.first(), marking ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(fileBytes(path(ResultsFile::Trend)).count('>'), marking ? 1 : 0);
    QCOMPARE(damage(), QStringList());
}

QTEST_MAIN(TestMarkingAndEnding)
#include "test_marking_and_ending.moc"
