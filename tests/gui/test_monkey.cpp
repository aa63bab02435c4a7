// A seeded random user (clicks, keys, typing that a results file cannot
// hold, pastes, closes, page switches) over the real program run, started
// again on the same folder after each close. After every run the folder must
// be whole: no scratch file, every results file read and passed by the
// start-up repair untouched, every marked paper's score what its answers earn.
// QUILLORA_MONKEY_SEED and QUILLORA_MONKEY_EVENTS (by hand: 50000) choose it.

#include "main_window_harness.h"

#include "chrome/frmPopUp.h"
#include "core/PaperContent.h"
#include "core/Scoring.h"
#include "practice/ui/PracticeWindow.h"
#include "results/ResultsRepair.h"
#include "results/TrendLog.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QInputMethodEvent>

namespace {

constexpr quint32 DefaultSeed = 20;
constexpr int DefaultEvents = 2500;

int envNumber(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value >= 0 ? value : fallback;
}

// Whether w is (within) the control named name. The print and printer
// controls open the system's dialogs: slow, and nothing of the results behind
// them (one reached by a key is still shut). Ending the program costs a restart.
bool within(const QWidget* w, const char* name) {
    for (; w && !w->isWindow(); w = w->parentWidget()) {
        if (w->objectName() == QLatin1String(name))
            return true;
    }
    return false;
}

QtMessageHandler g_previousHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    // Keys nobody takes and the offscreen platform's lack of window masks are
    // the monkey's daily bread, not findings.
    if (message.startsWith(QLatin1String("Keyboard event not accepted")) ||
        message.contains(QLatin1String("does not support setting window masks")) ||
        message.contains(QLatin1String("setBackend() request ignored")))
        return;
    g_previousHandler(type, context, message);
}

class Monkey : public QObject {
    Q_OBJECT
public:
    Monkey(quint32 seed, int events) : m_rng(seed), m_remaining(events) {
        m_tick.setInterval(0);
        // Each tick only posts the action: an action that opens a modal
        // dialog does not hold up the ticks that must answer it.
        connect(&m_tick, &QTimer::timeout, this,
                [this] { QMetaObject::invokeMethod(this, &Monkey::act, Qt::QueuedConnection); });
    }

    void attach(Contents* contents) {
        m_contents = contents;
        m_tick.start();
    }
    void detach() {
        m_tick.stop();
        m_contents = nullptr;
    }
    int remaining() const { return m_remaining; }
    // What the run reached.
    int done = 0;
    int foreignDialogs = 0;
    int papersOpened = 0;
    int dialogsAnswered = 0;
    int marked = 0;

public Q_SLOTS:
    void noteUrl(const QUrl&) {}

private:
    quint32 pick(quint32 n) { return m_rng.bounded(n); }
    bool chance(int percent) { return int(pick(100)) < percent; }

    void act() {
        if (!m_contents)
            return;
        if (m_remaining <= 0) {
            if (!m_ending) {
                m_ending = true;
                m_contents->endRun();
            }
            return;
        }
        --m_remaining;
        ++done;
        m_ending = false;

        if (QWidget* popup = QApplication::activePopupWidget()) {
            actOnPopup(popup);
            return;
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (auto* dialog = qobject_cast<frmPopUp*>(modal)) {
                actOnDialog(dialog);
            } else {
                ++foreignDialogs;
                if (auto* other = qobject_cast<QDialog*>(modal))
                    other->reject();
                else
                    modal->close();
            }
            return;
        }
        PracticeWindow* practice = m_contents->practiceWindow();
        if (practice && practice != m_watched) {
            m_watched = practice;
            connect(practice, &PracticeWindow::paperMarked, this, [this] { ++marked; });
        }
        const bool onPractice = practice && practice->isVisible() && chance(50);
        QWidget* window = onPractice ? static_cast<QWidget*>(practice) : m_contents;
        const int kind = int(pick(100));
        if (kind < 42)
            clickSomewhere(window, onPractice);
        else if (kind < 60)
            pressKey(window);
        else if (kind < 78)
            type(window);
        else if (kind < 90)
            switchPage(onPractice ? static_cast<QWidget*>(practice) : nullptr);
        else if (kind < 93)
            window->activateWindow();
        else if (kind < 95)
            QGuiApplication::clipboard()->setText(randomText());
        else if (kind < 99 || onPractice || !chance(25))
            closeWindow(practice && practice->isVisible() ? practice : nullptr);
        else
            closeWindow(m_contents);
    }

    QString randomText() {
        static const QStringList parts = {
            "0", "1", "2", "7", "12", "3.5", "0.25", "1/2", "3 1/4", "-4", " ", "  ", "cm", "kg",
            "Ten", "apple", "A", "b", "x", "\u00e9", "\u00fc", "\u00fb", "\u00a3",
            // Nothing a Latin-1 results file can hold, nor the record marks.
            "\u20ac", "\u4e2d", "\u0105", "\U0001F600", "\u2212", ">", "#", "\t", "5>6#"};
        QString text;
        const int n = 1 + int(pick(4));
        for (int i = 0; i < n; ++i)
            text += parts.at(int(pick(quint32(parts.size()))));
        return text;
    }

    void click(QWidget* w, bool doubleClick = false) {
        if (!w || w->width() <= 0 || w->height() <= 0)
            return;
        const QPoint at(int(pick(quint32(w->width()))), int(pick(quint32(w->height()))));
        const Qt::MouseButton button = chance(90) ? Qt::LeftButton : Qt::RightButton;
        if (doubleClick)
            QTest::mouseDClick(w, button, {}, at);
        else
            QTest::mouseClick(w, button, {}, at);
    }

    void clickSomewhere(QWidget* window, bool practice) {
        const int tab = m_contents->state().txtTabPos;
        const char* print = !practice && tab == 4 ? "ToolBar04" : "ToolBar03";
        QList<QWidget*> controls;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (w->isVisible() && w->width() > 0 && w->height() > 0 && !within(w, print))
                controls << w;
        }
        if (controls.isEmpty())
            return;
        QPointer<QWidget> target = controls.at(int(pick(quint32(controls.size()))));
        const bool ends =
            within(target, "imgProgClose") || (tab != 4 && within(target, "ToolBar04"));
        if (!practice && ends && !chance(20))
            return;
        if (target->objectName().startsWith(QLatin1Char('P')) && target->objectName().size() == 3)
            ++papersOpened;
        click(target, chance(5));
    }

    QWidget* keyTarget(QWidget* window) {
        QWidget* focus = window->focusWidget();
        return focus && focus->isVisible() ? focus : window;
    }

    void pressKey(QWidget* window) {
        static const QStringList keys = {
            "Tab",    "Shift+Backtab", "Return",    "Num+Enter", "Esc",    "Space",
            "Up",     "Down",          "Left",      "Right",     "PgUp",   "PgDown",
            "Home",   "End",           "Backspace", "Del",       "Ctrl+S", "Ctrl+M",
            "Ctrl+A", "Ctrl+C",        "Ctrl+V",    "Ctrl+X",    "Ctrl+Z", "Alt+F4"};
        const QKeyCombination key = QKeySequence::fromString(
            keys.at(int(pick(quint32(keys.size())))), QKeySequence::PortableText)[0];
        QTest::keyClick(keyTarget(window), key.key(), key.keyboardModifiers());
    }

    void type(QWidget* window) {
        QWidget* target = keyTarget(window);
        const QString text = randomText();
        if (chance(20)) {
            // As an input method commits it.
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QCoreApplication::sendEvent(target, &commit);
            return;
        }
        for (const QChar c : text) {
            if (!target)
                return;
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    void switchPage(QWidget* practice) {
        QStringList names;
        if (practice) {
            names = {"ToolBar01", "ToolBar02", "ToolBar02", "ToolBar04",  "ToolBar05",
                     "ToolBar06", "ImgHandle", "RemQns",    "imgProgMax", "FA1"};
        } else {
            names = {"Tab01",     "Tab02",    "Tab03",        "Tab04",      "ToolBar01",
                     "ToolBar02", "Topic1",   "Topic2",       "Topic3",     "Topic7",
                     "Topic10",   "P1a",      "P2a",          "P3a",        "P1b",
                     "P4b",       "ButTrash", "ButTrash_Yes", "ButTrash_No"};
        }
        QWidget* window = practice ? practice : m_contents;
        auto* target = window->findChild<QWidget*>(names.at(int(pick(quint32(names.size())))));
        if (!target || !target->isVisible())
            return;
        if (target->objectName().startsWith(QLatin1Char('P')))
            ++papersOpened;
        click(target);
    }

    void closeWindow(QWidget* window) {
        if (!window)
            return;
        // The window manager's close, as the platform delivers it.
        QCloseEvent close;
        QCoreApplication::sendEvent(window->windowHandle(), &close);
    }

    void actOnPopup(QWidget* popup) {
        static const Qt::Key keys[] = {Qt::Key_Escape, Qt::Key_Down, Qt::Key_Return};
        const quint32 r = pick(4);
        if (r < 3)
            QTest::keyClick(popup, keys[r]);
        else
            click(popup);
    }

    void actOnDialog(frmPopUp* dialog) {
        const int r = int(pick(10));
        QPointer<frmPopUp> guard(dialog);
        if (r < 5) {
            auto* button = dialog->findChild<QWidget*>(chance(60) ? "But1" : "But2");
            if (button && button->isVisible()) {
                ++dialogsAnswered;
                click(button);
            }
        } else if (r < 8) {
            static const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab,
                                           Qt::Key_Space,  Qt::Key_Y,      Qt::Key_N};
            QTest::keyClick(keyTarget(dialog), keys[pick(6)]);
        } else {
            const QList<QWidget*> parts = dialog->findChildren<QWidget*>();
            if (!parts.isEmpty())
                click(parts.at(int(pick(quint32(parts.size())))));
        }
    }

    QRandomGenerator m_rng;
    QTimer m_tick;
    Contents* m_contents = nullptr;
    int m_remaining = 0;
    QPointer<PracticeWindow> m_watched;
    bool m_ending = false;
};

// The folder after a run, and the results of the pupil who practised in it:
// one line per fault.
QStringList folderFaults(const QString& folder, const QString& results,
                         const ProgramDefinition& definition) {
    QStringList faults;
    const QStringList scratch = QDir(folder).entryList({"temp*"}, QDir::Files);
    if (!scratch.isEmpty())
        faults << "scratch files left: " + scratch.join(' ');

    const ResourceStore store;
    const ResultsRepair::Report repair = ResultsRepair(store, results, definition).Run();
    if (repair.damaged() || !repair.findings.isEmpty())
        faults << "the start-up repair was needed: " + repair.findings.join("; ");

    const int module = definition.firstModule();
    const QString code = definition.programCode;
    const int papers = definition.module(module).paperCount;
    auto path = [&](ResultsFile file) { return resultsFilePath(results, file, module, code); };
    const Read<MarksRecords> marks = readMarksFile(path(ResultsFile::Marks), papers);
    const Read<QString> trend = readTrendLine(path(ResultsFile::Trend));
    if (!marks.ok() || !trend.ok())
        return faults << "the marks or trend file does not read";
    QList<PaperLines> files; // answers and results of each attempt
    for (ResultsFile file :
         {ResultsFile::First, ResultsFile::FResults, ResultsFile::Second, ResultsFile::SResults})
        files << readPaperLines(path(file), papers).value;

    int firstMarked = 0;
    for (int k = 1; k <= papers; ++k) {
        const bool marked[2] = {marks.value.FST.value(k - 1) == QLatin1String("1"),
                                marks.value.SST.value(k - 1) == QLatin1String("1")};
        if (!marked[0] && !marked[1])
            continue;
        const PaperContentRead paper = loadPaperContent(store, folder, module, 100 + k);
        if (!paper.ok())
            return faults << QStringLiteral("paper %1 does not load").arg(100 + k);
        const PaperContent& content = paper.content;
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (!marked[attempt])
                continue;
            firstMarked += attempt == 0 ? 1 : 0;
            const QStringList answers =
                paperFields(files.at(2 * attempt), k, content.TotalBlanks).value;
            const QStringList results =
                paperFields(files.at(2 * attempt + 1), k, content.TotalBlanks).value;
            int score = 0;
            QStringList expected;
            for (int i = 0; i < content.TotalBlanks; ++i) {
                const ResultMark mark =
                    markBlank(answers, content.AnswerKeys, content.AnswerKinds, i);
                expected << resultMarkText(mark);
                if (mark == ResultMark::Correct)
                    score += content.AnswerMarks.value(i);
            }
            const QString percent = scorePercentText(score, content.TotalMarks);
            const QString stored =
                attempt == 0 ? marks.value.FSE.value(k - 1) : marks.value.SSE.value(k - 1);
            if (stored != percent || results != expected)
                faults << QStringLiteral("paper %1 attempt %2: stored %3, its answers earn %4")
                              .arg(100 + k)
                              .arg(attempt + 1)
                              .arg(stored, percent);
        }
    }
    // One trend value per first-attempt marking since the last erase.
    const int trendValues = int(trend.value.count(QLatin1Char('>')));
    if (trendValues != firstMarked)
        faults << QStringLiteral("%1 trend values for %2 marked papers")
                      .arg(trendValues)
                      .arg(firstMarked);
    return faults;
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void randomUserLeavesWholeResults();
};

void TestMonkey::randomUserLeavesWholeResults() {
    REQUIRE_CONTENT();
    const quint32 seed = quint32(envNumber("QUILLORA_MONKEY_SEED", DefaultSeed));
    const int events = envNumber("QUILLORA_MONKEY_EVENTS", DefaultEvents);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Monkey monkey(seed, events);
    // The product web page opens nowhere.
    QDesktopServices::setUrlHandler("https", &monkey, "noteUrl");
    QDesktopServices::setUrlHandler("http", &monkey, "noteUrl");
    g_previousHandler = qInstallMessageHandler(quietHandler);

    QElapsedTimer clock;
    clock.start();
    int runs = 0;
    while (monkey.remaining() > 0) {
        ++runs;
        ProgramServices program(dir.path());
        Contents contents(program);
        // The animation's own timer, with a shorter step.
        contents.services().animationStep = 1;
        monkey.attach(&contents);
        const int status = contents.Run();
        monkey.detach();
        const QString where =
            QStringLiteral("seed %1, run %2, after %3 events").arg(seed).arg(runs).arg(monkey.done);
        QVERIFY2(status == 0, qPrintable(where));
        QVERIFY2(!QApplication::activeModalWidget(), qPrintable(where));
        const QStringList faults =
            folderFaults(dir.path(), contents.state().resultsFolder, contents.state().definition);
        QVERIFY2(faults.isEmpty(), qPrintable(where + ":\n" + faults.join('\n')));
    }
    qInstallMessageHandler(g_previousHandler);
    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("http");
    qInfo("seed %u: %d events, %d runs, %d paper clicks, %d papers marked, %d dialog answers, "
          "%d other dialogs shut, %lld ms",
          seed, monkey.done, runs, monkey.papersOpened, monkey.marked, monkey.dialogsAnswered,
          monkey.foreignDialogs, clock.elapsed());
    // The run must have reached the practice window and the dialog.
    QVERIFY(events < 500 || monkey.papersOpened > 0);
    QVERIFY(events < 500 || monkey.dialogsAnswered > 0);
}

int main(int argc, char** argv) {
    // A long run by hand outlasts the test library's five minutes per test
    // function; under ctest its own time limit still applies.
    if (qEnvironmentVariableIsEmpty("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "86400000");
    QApplication app(argc, argv);
    TestMonkey test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_monkey.moc"
