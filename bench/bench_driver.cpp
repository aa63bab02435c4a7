// Drives the real main window the way a pupil does and times, inside the
// process, what the pupil waits for:
//   paper_open_first_ms  click on `P1a` -> first question loaded, the first view of
//                        the run (after the engine's warm-up, as for a pupil
//                        who reads the Home page first)
//   paper_open_second_ms the same click again after closing the paper
//   next_question_ms     click on Next -> question loaded, 29 moves of paper 101
//   marking_ms           the checking, scoring and writes of marking paper 141
//                        (60 blanks), without the animation and the dialog
//   report_ms            click on Report -> page painted, 50 papers marked
// It starts the main window as the program does, on a fresh program folder;
// the web engine starts, as in the program, with its warm-up after the first
// frame. Prints "SAMPLE <round> <name> <value>" lines, and "CLICK <x> <y>", where `P1a` lies in the
// main window, for the launcher.
//
//   bench_driver <round> [--marking-only | --idle-only MS | --pupils FOLDER]
//
// --pupils fills FOLDER as a family of three leaves it: three pupils, each
// with all 50 papers marked (for the launcher's startup_pupils).
//
// --idle-only opens the first paper and leaves it open and untouched for MS
// milliseconds; under `valgrind --tool=callgrind --instr-atstart=no` only that
// span is counted, which gives the instructions of the idle window whatever
// else the machine is doing.

#include "core/Clock.h"
#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"
#include "main_window/ui/Contents.h"
#include "main_window/ui/StartupEnvironment.h"
#include "practice/PaperSession.h"
#include "practice/ui/PracticeWindow.h"
#include "practice/ui/QuestionViewModule.h"
#include "results/ResultsFiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

namespace {

int g_round = 0;
int g_failures = 0;

void sample(const char* name, double value) {
    std::printf("SAMPLE %d %s %.4f\n", g_round, name, value);
    std::fflush(stdout);
}

void fail(const QString& why) {
    std::fprintf(stderr, "bench_driver: %s\n", qPrintable(why));
    ++g_failures;
}

// Lets the event loop run for a while, as the time a pupil takes between
// two clicks.
void pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename T = QWidget> T* child(QObject* parent, const char* name) {
    T* found = parent ? parent->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    if (!found)
        fail(QStringLiteral("no control named %1").arg(QLatin1String(name)));
    return found;
}

void click(QWidget* widget) {
    if (widget)
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

} // namespace

// Waits for the question view's documentLoaded(bool). The view's class lives
// in the module the program loads with the first paper, so it is reached
// through its signal's name.
class LoadWait : public QObject {
    Q_OBJECT
public:
    bool wait(QObject* view) {
        m_loaded = false;
        if (!connect(view, SIGNAL(documentLoaded(bool)), this, SLOT(loaded(bool))))
            return false;
        QTimer::singleShot(60000, &m_loop, &QEventLoop::quit);
        m_loop.exec();
        disconnect(view, nullptr, this, nullptr);
        return m_loaded;
    }
private Q_SLOTS:
    void loaded(bool ok) {
        m_loaded = ok;
        m_loop.quit();
    }

private:
    QEventLoop m_loop;
    bool m_loaded = false;
};

namespace {

// Runs action, then waits for the practice window's view to report the
// document loaded. Milliseconds from the start of action, or -1.
double timeToLoad(Contents& contents, const std::function<void()>& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    PracticeWindow* window = contents.practiceWindow();
    QObject* view = window ? child(window, "brwWebBrowser") : nullptr;
    LoadWait wait;
    if (!view || !wait.wait(view)) {
        fail(QStringLiteral("a question did not load"));
        return -1;
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void closePaper(Contents& contents) {
    if (PracticeWindow* window = contents.practiceWindow())
        window->close();
    pause(300);
}

// Answers every blank of the paper (every other one right) and leaves the
// last question current, ready to be marked.
QStringList answerPaper(PaperSession& session) {
    const PaperState& paper = session.paper();
    QStringList rows;
    for (int q = 1; q <= paper.QuestionCount; ++q) {
        rows.clear();
        const int first = session.firstBlankOfQuestion(q);
        for (int k = 0; k < session.blanksOfQuestion(q); ++k) {
            const int blank = first + k;
            rows << (blank % 2 == 0 ? paper.AnswerKeys.value(blank) : QStringLiteral("7"));
        }
        if (q < paper.QuestionCount && !session.moveToQuestion(rows, q + 1).ok())
            fail(QStringLiteral("answers of paper %1 not saved").arg(session.setup().paperNum));
    }
    return rows;
}

PaperSessionSetup setupFor(Contents& contents, int paperNum) {
    PaperSessionSetup setup;
    const AppState& state = contents.state();
    setup.programFolder = state.programFolder;
    setup.resultsFolder = state.resultsFolder;
    setup.module = state.LChose;
    setup.programCode = state.lblCOD;
    setup.paperCount = state.chosenModule().paperCount;
    setup.paperNum = paperNum;
    setup.attempt = 1;
    return setup;
}

// Every paper of the chosen pupil answered and marked.
void markEveryPaper(Contents& contents, const ResourceStore& store, const Clock& clock) {
    const int papers = contents.state().chosenModule().paperCount;
    for (int paper = 101; paper < 101 + papers; ++paper) {
        PaperSession session(setupFor(contents, paper), store, clock);
        if (!session.load().ok()) {
            fail(QStringLiteral("paper %1 did not load").arg(paper));
            continue;
        }
        const QStringList lastRows = answerPaper(session);
        if (!session.prepareMarking(lastRows).ok() || !session.completeMarking().ok())
            fail(QStringLiteral("paper %1 was not marked").arg(paper));
    }
}

void fillThreePupils(const QString& folder, const ResourceStore& store, const Clock& clock) {
    ProgramServices program(folder);
    Contents contents(program);
    if (!contents.startUp()) {
        fail(QStringLiteral("the program did not start on %1").arg(folder));
        return;
    }
    contents.popUp().setAnswerer([](const QString&, const QString&, PopUpButtons) { return true; });
    if (!contents.addPupil(QStringLiteral("Zoë")) || !contents.addPupil(QStringLiteral("Åsa")))
        fail(QStringLiteral("pupils could not be added"));
    for (const Pupil& pupil : contents.roster().pupils()) {
        if (!contents.switchPupil(pupil.id))
            fail(QStringLiteral("pupil %1 could not be chosen").arg(pupil.id));
        markEveryPaper(contents, store, clock);
    }
    contents.QuitProgram();
}

void measureOpening(Contents& contents) {
    QWidget* p1a = child(&contents, "P1a");
    if (!p1a)
        return;
    const QPoint centre = p1a->mapTo(&contents, p1a->rect().center());
    std::printf("CLICK %d %d\n", centre.x(), centre.y());

    // The pupil reads the Home page before picking a paper: long enough for
    // the engine's warm-up to have run.
    QElapsedTimer waited;
    waited.start();
    while ((!questionViewEngineStarted() || questionViewWarmingUp()) && waited.elapsed() < 60000)
        pause(50);
    if (!questionViewEngineStarted() || questionViewWarmingUp())
        fail(QStringLiteral("the engine's warm-up did not end"));
    pause(300);
    const double first = timeToLoad(contents, [&] { click(p1a); });
    if (first >= 0)
        sample("paper_open_first_ms", first);
    closePaper(contents);
    const double second = timeToLoad(contents, [&] { click(p1a); });
    if (second >= 0)
        sample("paper_open_second_ms", second);
    pause(300);

    // Paper 101 has 30 questions: 29 moves forward.
    PracticeWindow* window = contents.practiceWindow();
    QWidget* next = window ? child(window, "ToolBar06") : nullptr;
    const int questions =
        window && window->session() ? window->session()->paper().QuestionCount : 0;
    for (int q = 1; next && q < questions; ++q) {
        const double ms = timeToLoad(contents, [&] { click(next); });
        if (ms >= 0)
            sample("next_question_ms", ms);
        pause(50);
    }
    if (questions != 30)
        fail(QStringLiteral("paper 101 has %1 questions, not 30").arg(questions));
    closePaper(contents);
}

void measureMarking(Contents& contents, const ResourceStore& store, const Clock& clock) {
    const AppState& state = contents.state();
    for (int i = 0; i < 5; ++i) {
        if (!ResetAllResults(store, state.programFolder, state.definition).isEmpty()) {
            fail(QStringLiteral("results could not be reset"));
            return;
        }
        PaperSession session(setupFor(contents, 141), store, clock);
        if (!session.load().ok()) {
            fail(QStringLiteral("paper 141 did not load"));
            return;
        }
        if (session.paper().TotalBlanks != 60)
            fail(
                QStringLiteral("paper 141 has %1 blanks, not 60").arg(session.paper().TotalBlanks));
        const QStringList lastRows = answerPaper(session);
        QElapsedTimer timer;
        timer.start();
        const bool saved = session.prepareMarking(lastRows).ok();
        const bool marked = saved && session.completeMarking().ok();
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (!marked || !session.isMarked())
            fail(QStringLiteral("paper 141 was not marked"));
        else
            sample("marking_ms", ms);
    }
}

void measureReport(Contents& contents, const ResourceStore& store, const Clock& clock) {
    const AppState& state = contents.state();
    if (!ResetAllResults(store, state.programFolder, state.definition).isEmpty()) {
        fail(QStringLiteral("results could not be reset"));
        return;
    }
    markEveryPaper(contents, store, clock);
    // As when a practice window closes after marking.
    contents.RefreshContents();
    pause(200);

    QWidget* reportButton = child(&contents, "ToolBar02");
    QWidget* homeButton = child(&contents, "ToolBar01");
    if (!reportButton || !homeButton)
        return;
    // The page is made on its first visit, so it is watched for by name.
    struct PaintSpy : QObject {
        bool painted = false;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint &&
                watched->objectName() == QLatin1String("Body_Report"))
                painted = true;
            return false;
        }
    } spy;
    qApp->installEventFilter(&spy);
    // The first visit, the slowest: the page is made, laid out and styled
    // for the first time. Later visits only recompute the figures.
    QElapsedTimer timer;
    timer.start();
    click(reportButton);
    while (!spy.painted && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (!spy.painted)
        fail(QStringLiteral("the Report page was not painted"));
    else
        sample("report_ms", ms);
    pause(200);
    click(homeButton);
    qApp->removeEventFilter(&spy);
}

// The first paper, left open and untouched.
void measureIdle(Contents& contents, int ms) {
    QWidget* p1a = child(&contents, "P1a");
    if (!p1a)
        return;
    const QPoint centre = p1a->mapTo(&contents, p1a->rect().center());
    std::printf("CLICK %d %d\n", centre.x(), centre.y());
    std::fflush(stdout);
    if (timeToLoad(contents, [&] { click(p1a); }) < 0)
        return;
    pause(2000);
    // QUILLORA_BENCH_GRAB=PREFIX keeps pictures of the window before and
    // after the span, to see the clock move.
    const QString grab = qEnvironmentVariable("QUILLORA_BENCH_GRAB");
    PracticeWindow* window = contents.practiceWindow();
    if (!grab.isEmpty() && window)
        window->grab().save(grab + QStringLiteral("-before.png"));
    CALLGRIND_START_INSTRUMENTATION;
    pause(ms);
    CALLGRIND_STOP_INSTRUMENTATION;
    if (!grab.isEmpty() && window)
        window->grab().save(grab + QStringLiteral("-after.png"));
    closePaper(contents);
}

} // namespace

int main(int argc, char** argv) {
    g_round = argc > 1 ? std::atoi(argv[1]) : 0;
    StartupEnvironment::prepareWebEngine();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillora"));

    if (argc > 3 && QByteArray(argv[2]) == "--pupils") {
        fillThreePupils(QString::fromLocal8Bit(argv[3]), ResourceStore(), Clock());
        return g_failures == 0 ? 0 : 1;
    }
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "bench_driver: no temporary folder\n");
        return 2;
    }
    ResourceStore store;
    Clock clock;
    ProgramServices program(folder.path());
    Contents contents(program);
    if (!contents.startUp())
        return 2;
    // No dialog is shown: the marking's confirmation is answered at once and
    // its animation does not wait.
    contents.popUp().setAnswerer([](const QString&, const QString&, PopUpButtons) { return true; });
    contents.services().animationDelay = [](int) {};
    pause(500);

    if (argc > 3 && QByteArray(argv[2]) == "--idle-only") {
        measureIdle(contents, std::atoi(argv[3]));
    } else if (argc > 2 && QByteArray(argv[2]) == "--marking-only") {
        measureMarking(contents, store, clock);
    } else {
        measureOpening(contents);
        measureMarking(contents, store, clock);
        measureReport(contents, store, clock);
    }
    contents.QuitProgram();
    return g_failures == 0 ? 0 : 1;
}

#include "bench_driver.moc"
