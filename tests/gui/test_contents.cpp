// The main window on the built-in content: start-up, the Home page, tabs and
// tool bar, the Trash and About pages, opening papers and quitting, also while
// a paper is being marked, and a termination signal under each dialog.

#include "main_window_harness.h"

#include "chrome/ClickLabel.h"
#include "chrome/PictureButton.h"
#include "chrome/frmPopUp.h"
#include "core/FolderLock.h"
#include "main_window/ui/ProductWebPage.h"
#include "practice/PaperSession.h"
#include "practice/ui/MarkingProgress.h"
#include "practice/ui/PracticeWindow.h"
#include "results/ResultsRepair.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <csignal>
#include <functional>

namespace {

using TestFiles::bytesOf;

// A copy of the built-in content whose program definition is changed by edit
// (the definition's lines, CR LF removed); module 1's templates are module 2's.
QString customStore(const QString& root, const std::function<void(QStringList&)>& edit) {
    QDir().mkpath(root + "/store");
    QDir().mkpath(root + "/graphics");
    for (const GraphicsItem& item : graphicsItems())
        QFile::copy(":/content/graphics/" + QString::fromLatin1(item.fileName),
                    root + "/graphics/" + QString::fromLatin1(item.fileName));
    const ResourceStore builtIn;
    for (int id : builtIn.ids()) {
        const QString path = builtIn.itemPath(id);
        if (id > 30000)
            QFile::copy(path, root + "/store/" + QFileInfo(path).fileName());
    }
    for (ResultsFile file : TestFiles::AllResultsFiles)
        QFile::copy(builtIn.itemPath(resultsTemplateId(file, 2)),
                    QStringLiteral("%1/store/%2.txt").arg(root).arg(resultsTemplateId(file, 1)));
    QStringList lines =
        QString::fromLatin1(builtIn.itemBytes(30000)).split("\r\n", Qt::SkipEmptyParts);
    edit(lines);
    TestFiles::writeBytes(root + "/store/30000.txt", lines.join("\r\n").toLatin1() + "\r\n");
    return root;
}

// The topics drawn unlike all the others: the chosen one.
QList<int> topicsLookingChosen(QWidget* contents) {
    QList<QColor> colours;
    for (int k = 1; k <= 10; ++k)
        colours << child<ClickLabel>(contents, QStringLiteral("Topic%1").arg(k))
                       ->palette()
                       .color(QPalette::Window);
    QList<int> chosen;
    for (int k = 1; k <= 10; ++k) {
        if (colours.count(colours.at(k - 1)) == 1)
            chosen << k;
    }
    return chosen;
}

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

class TestContents : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { REQUIRE_CONTENT(); }
    void init() {
        m_main = std::make_unique<MainWindow>();
        m_opened.clear();
    }
    void cleanup() {
        m_main.reset();
        QDesktopServices::unsetUrlHandler("https");
    }

    void firstStartShowsTheHomePage() {
        // A run cut off earlier left its scratch copies: the start removes them.
        QVERIFY(QFile(m_main->dir.filePath("temppaper25016.mht")).open(QIODevice::WriteOnly));
        QVERIFY(QFile(m_main->dir.filePath("temptext.txt")).open(QIODevice::WriteOnly));
        Contents* contents = start();
        QVERIFY(contents);
        QVERIFY(told().isEmpty());
        const AppState& state = contents->state();

        // The Graphics folder is written once the window has been drawn.
        QTRY_COMPARE(QDir(m_main->dir.filePath("Graphics")).entryList(QDir::Files).size(),
                     int(graphicsItems().size()));
        QVERIFY(allTemplates());
        QCOMPARE(QDir(folder()).entryList({"temp*"}, QDir::Files), QStringList());
        QCOMPARE(contents->windowTitle(), state.definition.displayName);

        // The Home page of the first module, topic 1 chosen; the other pages are
        // made when they are first shown.
        QVERIFY(child(contents, "Body_Home")->isVisible());
        for (const char* page : {"Body_Report", "Body_About", "Body_Trash"})
            QVERIFY2(!contents->findChild<QWidget*>(page), page);
        QCOMPARE(state.TopicCount, 1);
        QCOMPARE(state.txtTabPos, 2);
        // The free tab (which one, and the missing module's off the window:
        // test_module_window) after the module's, Help below them.
        QVERIFY(child(contents, "Tab03")->x() > child(contents, "Tab02")->x());
        QVERIFY(child(contents, "Tab04")->x() > child(contents, "Tab03")->x());
        QVERIFY(child(contents, "Tab04")->y() > child(contents, "Tab02")->y());
        QCOMPARE(child<QLabel>(contents, "Tab02lbl")->text(), state.definition.module(2).heading);
        for (int k = 1; k <= 10; ++k) {
            auto* topic = child<ClickLabel>(contents, QStringLiteral("Topic%1").arg(k));
            QCOMPARE(topic->text(), state.definition.module(2).topicNames.value(k - 1));
            QVERIFY(topic->isVisible());
        }
        QCOMPARE(topicsLookingChosen(contents), QList<int>{1});
        // Nothing marked yet: empty marks, no second-attempt button.
        for (int row = 1; row <= 5; ++row) {
            QCOMPARE(child<QLabel>(contents, QStringLiteral("MSA%1").arg(row))->text(), QString());
            QVERIFY(!child(contents, QStringLiteral("P%1b").arg(row))->isVisible());
        }
    }
    void topicSevenShowsItsMarksAndOpensItsPapers() {
        Contents* contents = start();
        QVERIFY(contents);
        const AppState& state = contents->state();
        click(child(contents, "Topic7"));
        // Rows 1 to 5 of topic 7 (papers 131 to 135): a second attempt is offered
        // up to a first mark of 99.
        const QStringList first = {"99", "99.5", "0", "100", "72.5"};
        const QStringList second = {"", "", "64", "", "90"};
        const QList<bool> secondButton = {true, false, true, false, true};
        for (int k = 1; k <= 5; ++k)
            QVERIFY(m_main->setMarks(30 + k, first.at(k - 1), second.at(k - 1)));
        // A practice window unloading refreshes the page: the topic stays.
        contents->RefreshContents();
        QCOMPARE(state.TopicCount, 31);
        QCOMPARE(child<QLabel>(contents, "SubH1")->text(),
                 state.definition.module(2).topicNames.value(6));
        QCOMPARE(topicsLookingChosen(contents), QList<int>{7});
        for (int k = 1; k <= 5; ++k) {
            QCOMPARE(child<QLabel>(contents, QStringLiteral("MSA%1").arg(k))->text(), first[k - 1]);
            QCOMPARE(child<QLabel>(contents, QStringLiteral("MSB%1").arg(k))->text(),
                     second[k - 1]);
            QCOMPARE(child(contents, QStringLiteral("P%1b").arg(k))->isVisible(),
                     secondButton[k - 1]);
        }

        click(child(contents, "P3a"));
        QCOMPARE(state.PaperNum, 133);
        QCOMPARE(state.TakeNum, 1);
        QPointer<PracticeWindow> opened = contents->practiceWindow();
        QVERIFY2(opened && opened->isVisible(), "no practice window opened for paper 133");

        // The second attempt of the same row replaces the first window.
        click(child(contents, "P3b"));
        QCOMPARE(state.TakeNum, 2);
        QVERIFY(!opened);
        QVERIFY(contents->practiceWindow());
        QCOMPARE(contents->practiceWindow()->objectName(), QStringLiteral("Test2"));

        // Coming back to the Home page through the tool bar starts at topic 1.
        click(child(contents, "ToolBar01"));
        QCOMPARE(state.TopicCount, 1);
        QCOMPARE(child<QLabel>(contents, "MSA1")->text(), QString());
    }
    // With a module 1 it is chosen, and its tab and topics are shown.
    void moduleOneFirst() {
        QTemporaryDir storeDir;
        const QString root = customStore(storeDir.path(), [](QStringList& lines) {
            lines.insert(1, "#LAH#>Warm-up");
            lines.insert(2, "#TT1#>2");
            lines.insert(3, "#TP1#>10");
            lines.insert(4, "#TN1#>Counting>Shapes");
        });
        Contents* contents = start(ResourceStore(root));
        QVERIFY(contents);
        const AppState& state = contents->state();
        QCOMPARE(state.LChose, 1);
        QCOMPARE(state.txtTabPos, 1);
        QCOMPARE(child<QLabel>(contents, "Tab03lbl")->text(), QStringLiteral("Add a module\u2026"));
        QVERIFY(child(contents, "Tab01")->x() >= 0 && child(contents, "Tab02")->x() >= 0);
        QVERIFY(child(contents, "Tab04")->y() > child(contents, "Tab01")->y());
        QCOMPARE(child<ClickLabel>(contents, "Topic2")->text(), QStringLiteral("Shapes"));
        QVERIFY(!child(contents, "Topic3")->isVisible());
        QVERIFY(!child(contents, "Bullet3")->isVisible());
        QVERIFY(QFile::exists(m_main->path(ResultsFile::Trend, 1)));
    }
    void trashSteps() {
        Contents* contents = start();
        QVERIFY(contents);
        QVERIFY(m_main->setMarks(1, "75"));
        click(child(contents, "Tab04"));
        click(child(contents, "ToolBar02"));
        auto shown = [&](const char* name) { return child(contents, name)->isVisible(); };
        QVERIFY(shown("ButTrash") && !shown("ButTrash_Yes"));

        // A folder where the answers file should be: the pupil is told which
        // file stood in the way (what is left as it was: test_results_files;
        // "No": test_keyboard_access).
        const QString answers = path(ResultsFile::First);
        QVERIFY(QFile::remove(answers));
        QVERIFY(QDir().mkpath(answers + "/x"));
        click(child(contents, "ButTrash"));
        QVERIFY(shown("ButTrash_Yes") && shown("ButTrash_No") && !shown("ButTrash"));
        QVERIFY(!shown("TrashPaperNote")); // no paper is open
        click(child(contents, "ButTrash_Yes"));
        QCOMPARE(told().size(), 1);
        QVERIFY2(told().first().contains("Nothing has been erased") &&
                     told().first().contains(QDir::toNativeSeparators(answers)),
                 qPrintable(told().first()));
        QVERIFY(shown("ButTrash") && !shown("Trashlbl3"));
        QVERIFY(QDir(answers).removeRecursively());

        click(child(contents, "ButTrash"));
        click(child(contents, "ButTrash_Yes"));
        QVERIFY(shown("Trashlbl3") && !shown("ButTrash_Yes"));
        QVERIFY(allTemplates());

        // Brought up again, the page starts from its first step.
        click(child(contents, "ToolBar01"));
        click(child(contents, "ToolBar02"));
        QVERIFY(shown("ButTrash") && !shown("Trashlbl3"));
        click(child(contents, "Tab02"));
        QCOMPARE(child<QLabel>(contents, "MSA1")->text(), QString());
    }
    void toolBarFollowsTheTab_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("captions"); // also the pictures' names
        QTest::newRow("module tab") << 2 << QStringList{"Home", "Report", "Print", "Close"};
        QTest::newRow("help tab") << 4 << QStringList{"About", "Trash", "Pupils", "Setup"};
    }
    // The tool bar and the tabs' pictures after a tab is chosen; on the module
    // tab, a button pressed and dragged.
    void toolBarFollowsTheTab() {
        QFETCH(int, tab);
        QFETCH(QStringList, captions);
        Contents* contents = start();
        QVERIFY(contents);
        // Start from another page of the other kind of tab.
        click(child(contents, tab == 4 ? "ToolBar02" : "Tab04"));
        click(child(contents, QStringLiteral("Tab0%1").arg(tab)));

        QCOMPARE(contents->state().txtTabPos, tab);
        QCOMPARE(contents->state().txtToolBarPos, 1);
        QVERIFY(child(contents, tab == 4 ? "Body_About" : "Body_Home")->isVisible());
        QVERIFY(!child(contents, tab == 4 ? "Body_Home" : "Body_About")->isVisible());
        const auto* reportPage = contents->findChild<QWidget*>("Body_Report");
        QVERIFY(!reportPage || !reportPage->isVisible());
        // The mouse goes off to the page: every button shows its normal picture.
        for (auto* button : contents->findChildren<PictureButton*>()) {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(button, &leave);
        }
        PictureCache cache(ResourceStore().root() + "/graphics");
        for (int n = 1; n <= 4; ++n) {
            auto* button = child<PictureButton>(contents, QStringLiteral("ToolBar0%1").arg(n));
            const QString caption = captions.at(n - 1);
            QVERIFY(button->isVisible());
            QCOMPARE(child<QLabel>(contents, QStringLiteral("lblTB0%1").arg(n))->text(), caption);
            // The tips themselves are the spoken names (test_keyboard_access).
            QCOMPARE(button->caption()->toolTip(), button->toolTip());
            if (caption == QLatin1String("Pupils")) {
                // Its figures are drawn on the About button's face.
                const QImage face = cache.get("about_off.bmp").toImage();
                QCOMPARE(button->shownPicture().toImage().size(), face.size());
                QVERIFY(button->shownPicture().toImage() != face);
                continue;
            }
            QCOMPARE(button->shownPicture().toImage(),
                     cache.get(caption.toLower() + "_off.bmp").toImage());
        }
        auto* chosen = child<PictureButton>(contents, QStringLiteral("Tab0%1").arg(tab));
        QCOMPARE(chosen->shownPicture().toImage(), cache.get("tabs_front_off.bmp").toImage());
        auto* other = child<PictureButton>(contents, tab == 4 ? "Tab02" : "Tab04");
        QCOMPARE(other->shownPicture().toImage(), cache.get("tabs_back_off.bmp").toImage());
        if (tab == 4)
            return;

        // A button pressed and held shows its pressed picture while the mouse
        // is over it, and a button it is dragged to shows its own.
        auto* report = child<PictureButton>(contents, "ToolBar02");
        auto* home = child<PictureButton>(contents, "ToolBar01");
        const QPoint inside = report->rect().center();
        QTest::mousePress(report, Qt::LeftButton, {}, inside);
        QCOMPARE(report->shownPicture().toImage(), cache.get("report_pressed.bmp").toImage());
        QTest::mouseMove(report, inside + QPoint(0, 200));
        QTRY_COMPARE(report->shownPicture().toImage(), cache.get("report_off.bmp").toImage());
        const QPoint overHome = report->mapFromGlobal(home->mapToGlobal(home->rect().center()));
        QTest::mouseMove(report, overHome);
        QTRY_COMPARE(home->shownPicture().toImage(), cache.get("home_pressed.bmp").toImage());
        QTest::mouseRelease(report, Qt::LeftButton, {}, overHome);
        QCOMPARE(home->shownPicture().toImage(), cache.get("home_on.bmp").toImage());
        // Released away from where it was pressed: no click, the page stays.
        QCOMPARE(contents->state().txtToolBarPos, 1);
        QVERIFY(child(contents, "Body_Home")->isVisible());
    }
    void productWebPage() {
        Contents* contents = start();
        QVERIFY(contents);
        const QStringList filesBefore = QDir(folder()).entryList(QDir::Files);
        contents->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(contents));
        child(contents, "Topic3")->setFocus(Qt::ActiveWindowFocusReason);
        // The Home page goes away: the focus goes to the About page's link, not
        // to a tab behind the strip, and unframed, since the mouse did it.
        click(child(contents, "Tab04"));
        auto* link = child<ClickLabel>(contents, "lbl_QzURL");
        QCOMPARE(QApplication::focusWidget(), link);
        QCOMPARE(framePixels(link), 0);
        QStringList boxes;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes << box->windowTitle() << box->text();
                QCOMPARE(box->icon(), QMessageBox::Warning);
                box->accept();
            }
        });
        answer.start(10);
        QDesktopServices::setUrlHandler("https", this, "openedUrl");
        click(link);
        QCOMPARE(m_opened, QList<QUrl>{QUrl(QStringLiteral("https://") + ProductWebPage::Host +
                                            "/eduprog.html")});
        QCOMPARE(boxes, QStringList());
        // The offscreen platform has no browser to start: the pupil is told.
        QDesktopServices::unsetUrlHandler("https");
        click(link);
        QCOMPARE(boxes, QStringList({"Browser Not Found", "Could not find associated Browser"}));
        QCOMPARE(QDir(folder()).entryList(QDir::Files), filesBefore);
        QVERIFY(told().isEmpty());
    }
    void secondCopyLeavesTheFolderThenLostMarksAreTold() {
        QVERIFY(start());
        QVERIFY(m_main->setMarks(1, "66"));
        const QByteArray marks = bytesOf(path(ResultsFile::Marks));
        const QString logo = m_main->dir.filePath("Graphics/Logo.gif");
        QTRY_VERIFY(QFile::exists(logo)); // written once the window has been drawn
        QVERIFY(QFile::remove(logo));

        ProgramServices secondProgram(folder());
        Contents second(secondProgram);
        QStringList told;
        second.popUp().setAnswerer(
            [&](const QString&, const QString& message, PopUpButtons buttons) {
                told << message;
                return buttons != PopUpButtons::YesNo;
            });
        QVERIFY(!second.startUp());
        QCOMPARE(told.size(), 1);
        QVERIFY2(told.first().contains("already open"), qPrintable(told.first()));
        QVERIFY(!second.isVisible());
        QCOMPARE(bytesOf(path(ResultsFile::Marks)), marks);
        // Whatever the second copy left queued (a paint, and the start-up step a
        // paint schedules) has run once two turns of the event loop are over.
        bool settled = false;
        QTimer::singleShot(0, &second,
                           [&] { QTimer::singleShot(0, &second, [&] { settled = true; }); });
        QTRY_VERIFY(settled);
        QVERIFY2(!QFile::exists(logo), "the second copy wrote into the Graphics folder");

        // Once the first copy has ended, the folder is free again. A marks file
        // lost meanwhile comes back from its template (which file does is the
        // start-up's, tested with it): the pupil is told, the page shows no mark.
        m_main->stop();
        QVERIFY(QFile::remove(path(ResultsFile::Marks)));
        QVERIFY(start());
        QTRY_VERIFY(QFile::exists(logo));
        QCOMPARE(m_main->told.size(), 1);
        QVERIFY2(m_main->told.first().contains("could not be found"),
                 qPrintable(m_main->told.first()));
        QCOMPARE(child<QLabel>(m_main->contents.get(), "MSA1")->text(), QString());
    }
    // (A store without a definition meets the same end in the start-up's test.)
    void noModuleEndsCleanly() {
        QTemporaryDir storeDir;
        const QString root = customStore(storeDir.path(), [](QStringList& lines) {
            lines.removeIf([](const QString& line) { return line.startsWith("#LBH#"); });
        });
        QVERIFY(!start(ResourceStore(root)));
        QCOMPARE(told().size(), 1);
        QVERIFY2(told().first().contains("no practice papers"), qPrintable(told().first()));
        QVERIFY(!m_main->contents->isVisible());
        QCOMPARE(QDir(folder()).entryList({"*.txt"}, QDir::Files), QStringList());
    }
    void unwritableGraphicsIsToldOnce();
    void damagedResultsAreRepairedBeforeTheyAreRead() {
        QVERIFY(start());
        QVERIFY(m_main->setMarks(1, "85"));
        const QString first = path(ResultsFile::First);
        const QString marks = path(ResultsFile::Marks);
        m_main->stop();
        // Restored by the last start-up step, so its return marks that step's end.
        const QString logo = m_main->dir.filePath("Graphics/Logo.gif");
        QFile::remove(logo);
        QVERIFY(unixLineEnds(first) && unixLineEnds(marks));

        // The marks are repaired before the Home page shows them; the answers at
        // the latest when a paper opens, even before the window has been drawn.
        Contents* contents = start();
        QVERIFY(contents);
        QVERIFY(bytesOf(marks).contains("\r\n"));
        QCOMPARE(child<QLabel>(contents, "MSA1")->text(), QStringLiteral("85"));
        QVERIFY(told().isEmpty());
        click(child(contents, "P2a"));
        QVERIFY(contents->practiceWindow());
        QVERIFY(bytesOf(first).contains("\r\n"));
        // Told once, for both files.
        QCOMPARE(told().size(), 1);
        QVERIFY2(told().first().contains("repaired"), qPrintable(told().first()));
        // Not told again by the start-up step that checks the remaining files.
        QTRY_VERIFY(QFile::exists(logo));
        QCOMPARE(told().size(), 1);
    }
    void mainWindowDuringMarking_data() {
        QTest::addColumn<QString>("control"); // empty: the window manager's close
        QTest::addColumn<bool>("programEnds");
        QTest::newRow("title bar close") << "imgProgClose" << true;
        QTest::newRow("tool bar Close") << "ToolBar04" << true;
        QTest::newRow("window manager close") << QString() << true;
        QTest::newRow("a paper button") << "P2a" << false;
        QTest::newRow("erase") << "ButTrash_Yes" << false;
    }
    void mainWindowDuringMarking() {
        QFETCH(QString, control);
        QFETCH(bool, programEnds);
        Contents* contents = start();
        QVERIFY(contents);
        QVERIFY(click(child(contents, "P1a")));
        QPointer<PracticeWindow> practice = contents->practiceWindow();
        QVERIFY(practice);
        if (control == QLatin1String("ButTrash_Yes")) {
            QVERIFY(askToErase(contents));
            QVERIFY(child(contents, "TrashPaperNote")->isVisible());
        }
        QLineEdit* box = child<QLineEdit>(practice, "FA1");
        box->setFocus();
        QTest::keyClicks(box, "7");

        // Once the second bar shows, the event loop running the animation gets
        // the pupil's typing and the click on the main window.
        auto* progress = child<MarkingProgress>(practice, "fmeMark");
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
            QCOMPARE(QDir(folder()).entryList({"temppaper*"}, QDir::Files), QStringList());
            QCOMPARE(marks().FST.first(), QStringLiteral("1"));
            QCOMPARE(marks().FSE.first().isEmpty(), false);
            QVERIFY(bytesOf(path(ResultsFile::First)).contains("#101#>7>"));
            QCOMPARE(bytesOf(path(ResultsFile::Trend)).count('>'), 1);
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
            // Nothing is left to write the old lists back: once another paper is
            // marked, only it is.
            QVERIFY(click(child(contents, "Tab02")));
            QVERIFY(click(child(contents, "P2a")));
            practice = contents->practiceWindow();
            QVERIFY(practice);
            QTest::mouseClick(child(practice, "ToolBar02"), Qt::LeftButton);
            QTRY_VERIFY(practice && !practice->isMarking());
            QCOMPARE(bytesOf(path(ResultsFile::Trend)).count('>'), 1);
            QCOMPARE(marks().FST.count(QStringLiteral("1")), 1);
            QCOMPARE(marks().FST.at(1), QStringLiteral("1"));
            QVERIFY(!bytesOf(path(ResultsFile::First)).contains("#101#>7>"));
        }
        QCOMPARE(damage(), QStringList());
    }
    void terminationUnderEachDialog_data() {
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
    void terminationUnderEachDialog() {
        QFETCH(QString, dialog);
        QFETCH(int, status);
        QVERIFY(start()); // the files of a first run
        m_main->stop();
        const QString fresults = path(ResultsFile::FResults);

        std::unique_ptr<FolderLock> otherCopy;
        if (dialog == QLatin1String("already open")) {
            otherCopy =
                std::make_unique<FolderLock>(QDir(folder()).filePath(Contents::LockFileName));
            QCOMPARE(otherCopy->tryLock(), FolderLock::Result::Locked);
        } else if (dialog == QLatin1String("repaired")) {
            QVERIFY(unixLineEnds(path(ResultsFile::First)));
        }

        Contents* contents = m_main->make();
        const bool marking = dialog.isEmpty();
        contents->services().animationStep = marking ? 100 : 5;
        QPointer<PracticeWindow> practice;
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
            steps << [&] {
                if (!practice)
                    return false;
                QWidget* button = child(practice, dialog == "Confirm?" ? "ToolBar04" : "ToolBar02");
                Script::post([button] { click(button); });
                return true;
            };
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
        QObject watchdog;
        QTimer::singleShot(20000, &watchdog, [&] {
            timedOut = true;
            if (auto* open = qobject_cast<frmPopUp*>(QApplication::activeModalWidget()))
                open->dismiss();
            QCoreApplication::exit(3);
        });
        const int ended = contents->Run();
        QVERIFY2(signalled, qPrintable(QStringLiteral("steps done: %1").arg(script.done())));
        QVERIFY2(!timedOut, "the termination request was lost");
        QCOMPARE(ended, status);
        // Ended the ordinary way: no window, no scratch file left.
        QVERIFY(!practice);
        QVERIFY(!contents->isVisible());
        QCOMPARE(QDir(folder()).entryList({"temp*"}, QDir::Files), QStringList());
        QVERIFY(!QApplication::activeModalWidget());

        // A dialog's answer counted as No: nothing was marked or closed by it.
        if (dialog == QLatin1String("was not marked"))
            QVERIFY(QDir(fresults).removeRecursively() &&
                    TestFiles::writeBytes(fresults, templateBytes(ResultsFile::FResults)));
        // A marking under way when the signal came was finished: the files are
        // from after it, never between.
        QCOMPARE(marks().FST.first(), marking ? QStringLiteral("1") : QStringLiteral("0"));
        QCOMPARE(bytesOf(path(ResultsFile::Trend)).count('>'), marking ? 1 : 0);
        QCOMPARE(damage(), QStringList());
    }
    // The window tree goes the ordinary way: a main window destroyed while it
    // is shown and active, a paper open, takes its pages, frame and practice
    // window down with the services still alive (the sanitizer run sees any
    // read of freed memory), and leaves the folder to the next copy.
    void destroyedWhileShownWithAPaperOpen() {
        Contents* contents = start();
        QVERIFY(contents);
        QVERIFY(QTest::qWaitForWindowExposed(contents));
        QVERIFY(click(child(contents, "P1a")));
        QPointer<PracticeWindow> practice = contents->practiceWindow();
        QVERIFY(practice);
        QTest::keyClicks(child<QLineEdit>(practice, "FA1"), "3");
        contents->activateWindow();
        QPointer<QWidget> page = child(contents, "Body_Home");
        QVERIFY(page);

        m_main->contents.reset(); // not closed first
        QVERIFY(!practice);
        QVERIFY(!page);
        FolderLock next(QDir(folder()).filePath(Contents::LockFileName));
        QCOMPARE(next.tryLock(), FolderLock::Result::Locked);
    }

public Q_SLOTS:
    void openedUrl(const QUrl& url) { m_opened << url; }

private:
    Contents* start(const ResourceStore& store = ResourceStore()) {
        Contents* contents = m_main->start(store);
        if (contents)
            contents->services().animationStep = 20;
        return contents;
    }
    QString path(ResultsFile file) const { return m_main->path(file); }
    MarksRecords marks() const { return readMarksFile(path(ResultsFile::Marks), 50).value; }
    // The start-up repair would find nothing to mend.
    QStringList damage() const {
        const ResourceStore store;
        ResultsRepair repair(store, m_main->resultsFolder(), m_main->contents->state().definition);
        const ResultsRepair::Report report = repair.Run();
        return report.findings + report.folders + report.unreadable;
    }
    bool allTemplates() const {
        for (ResultsFile file : TestFiles::AllResultsFiles) {
            if (bytesOf(path(file)) != templateBytes(file))
                return false;
        }
        return true;
    }
    QString folder() const { return m_main->dir.path(); }
    const QStringList& told() const { return m_main->told; }

    std::unique_ptr<MainWindow> m_main;
    QList<QUrl> m_opened;
};

void TestContents::unwritableGraphicsIsToldOnce() {
    // A file where the Graphics folder should be: no picture can be written.
    QVERIFY(TestFiles::writeBytes(m_main->dir.filePath("Graphics"), ""));
    Contents* contents = start();
    QVERIFY(contents);
    QTRY_COMPARE(told().size(), 1);
    QVERIFY2(told().first().contains("pictures"), qPrintable(told().first()));
    // The window still works, and still shows its pictures: they come from
    // the program's own store.
    QVERIFY(!child<PictureButton>(contents, "ToolBar01")->shownPicture().isNull());
    click(child(contents, "Tab04"));
    QCOMPARE(child<QLabel>(contents, "ProgramName")->text(),
             contents->state().definition.displayName);
#ifdef Q_OS_LINUX
    QCOMPARE(child<QLabel>(contents, "lblPlatform")->text(), QStringLiteral("For Linux"));
#endif
    QCOMPARE(told().size(), 1);
}

QTEST_MAIN(TestContents)
#include "test_contents.moc"
