// The measuring side: what is read from /proc, how samples become figures and
// how a figure is judged against its budget. (Medians and the printed numbers
// are seen through the judged lines.)

#include "probe/ProcTree.h"
#include "probe/Verdict.h"

#include <QtTest>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <sstream>

namespace {

// A /proc/<pid>/stat line with the fields that matter placed where the
// kernel puts them.
std::string statLine(int pid, const std::string& name, int ppid, long utime, long stime) {
    std::ostringstream line;
    line << pid << " (" << name << ") S " << ppid << " 100 100 0 -1 4194560 2000 0 3 0 " << utime
         << ' ' << stime << " 0 0 20 0 4 0 12345 300000000 9000";
    return line.str();
}

// One sample a round: "SAMPLE <round> <name> <value>" for rounds 1, 2, ...
QString rounds(const char* name, const QStringList& values) {
    QString text;
    for (int r = 0; r < values.size(); ++r)
        text += QStringLiteral("SAMPLE %1 %2 %3\n").arg(r + 1).arg(name, values.at(r));
    return text;
}

double cpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

} // namespace

class TestBenchProbe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parseStat() {
        std::string noParent = statLine(5, "a", 1, 2, 3);
        noParent.replace(noParent.find(" S 1 "), 5, " S x ");
        // The parent and the CPU ticks read; a parent of 0: not a stat line.
        const std::tuple<const char*, std::string, int, long long> cases[] = {
            {"plain", statLine(1234, "quillora", 1, 7, 5), 1, 12},
            {"name with spaces and parentheses", statLine(99, "Web (Content) 2) S 5", 42, 300, 25),
             42, 325},
            {"large counters", statLine(7, "x", 3, 4000000000L, 1), 3, 4000000001LL},
            {"cut short", "5 (a) S 1 2 3 4", 0, 0},
            {"no name", "5 a S 1 2 3 4 5 6 7 8 9 10 11 12 13", 0, 0},
            {"parent not a number", noParent, 0, 0}};
        for (const auto& [name, text, ppid, ticks] : cases) {
            const auto fields = ProcTree::parseStatLine(text);
            QVERIFY2(fields.has_value() == (ppid != 0), name);
            QVERIFY2(!fields || (fields->ppid == ppid && fields->cpuTicks == ticks), name);
        }
    }

    void parsePss() {
        // As in smaps_rollup, the kinds of Pss may stand near it; only "Pss:"
        // counts. -1: no figure (no Pss, the process gone, another unit).
        const std::pair<const char*, long long> cases[] = {
            {"Rss: 30720 kB\nPss_Anon: 8 kB\nPss_File: 9 kB\nPss:   17 kB\nPss_Dirty: 3 kB\n", 17},
            {"Rss: 100 kB\nPss_Anon: 3 kB\n", -1},
            {"Pss: 12 MB\n", -1}};
        for (const auto& [text, kb] : cases)
            QVERIFY2(ProcTree::parsePssKb(text).value_or(-1) == kb, text);
    }

    void descendants() {
        // The program (10) starts the engine's helper (11), whose zygote (12)
        // forks the renderers (13, 14); 20 and 21 belong to someone else.
        const std::map<int, int> engine{{10, 1},  {11, 10}, {12, 11}, {13, 12},
                                        {14, 12}, {20, 1},  {21, 20}};
        const std::map<int, int> loop{{30, 31}, {31, 30}, {32, 31}}; // parents that loop
        const std::tuple<std::map<int, int>, int, std::vector<int>> cases[] = {
            {engine, 10, {10, 11, 12, 13, 14}},
            {engine, 12, {12, 13, 14}},
            {loop, 30, {30, 31, 32}}};
        for (const auto& [parents, root, expected] : cases) {
            std::vector<int> tree = ProcTree::descendantsOf(root, parents);
            QCOMPARE(tree.front(), root);
            std::sort(tree.begin(), tree.end());
            QCOMPARE(tree, expected);
        }
    }

    // The live readings on this very process: a child shows up in the tree,
    // memory is counted and CPU time spent is seen.
    void liveTree() {
        const pid_t child = fork();
        if (child == 0) {
            pause();
            _exit(0);
        }
        QVERIFY(child > 0);
        const std::vector<int> tree = ProcTree::liveTreeOf(getpid());
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        QCOMPARE(tree.front(), int(getpid()));
        QVERIFY(std::find(tree.begin(), tree.end(), child) != tree.end());

        const std::vector<int> self{int(getpid())};
        QVERIFY(ProcTree::treePssKb(self) > 1000);
        const long long before = ProcTree::treeCpuTicks(self);
        const long long beforeNs = ProcTree::treeCpuNs(self);
        const double start = cpuSeconds();
        volatile unsigned spin = 0;
        while (cpuSeconds() - start < 0.2)
            spin = spin + 1;
        const double spentMs =
            static_cast<double>(ProcTree::treeCpuTicks(self) - before) * ProcTree::msPerTick();
        const double spentNsMs = static_cast<double>(ProcTree::treeCpuNs(self) - beforeNs) / 1e6;
        const double clockMs = (cpuSeconds() - start) * 1000;
        // Tick accounting samples; 200 ms of work shows as roughly that.
        QVERIFY2(spentMs >= 100 && spentMs <= 400, qPrintable(QString::number(spentMs)));
        // The per-thread reading is the process's own CPU clock, give or
        // take the time it takes to read /proc.
        QVERIFY2(spentNsMs >= clockMs * 0.9 && spentNsMs <= clockMs * 1.25,
                 qPrintable(QStringLiteral("%1 against %2").arg(spentNsMs).arg(clockMs)));
        QCOMPARE(ProcTree::parseSchedstatNs("123456789 2000 7\n"),
                 std::optional<long long>(123456789));
        QVERIFY(!ProcTree::parseSchedstatNs("").has_value());
        QVERIFY(ProcTree::liveTreeOf(999999999).empty());
    }

    void judge_data() {
        QTest::addColumn<QString>("samples");
        QTest::addColumn<QString>("figure");
        QTest::addColumn<QString>("line"); // its last word the verdict
        const auto row = [](const char* name, const QString& samples, const char* figure,
                            const char* line) { QTest::newRow(name) << samples << figure << line; };
        const QString floors = rounds("floor_window_shown_ms", {"40", "60", "50"});
        row("ratio within budget", floors + rounds("startup_fresh_ms", {"50", "84", "70"}),
            "startup_fresh", "BENCH startup_fresh 70.0 ms ratio=1.40 budget=1.5 ok");
        // Ratios are taken round by round (1.6, 1.2, 1.6): the medians alone,
        // 72 / 50 = 1.44, would hide that two rounds of three were over.
        row("ratio paired round by round",
            floors + rounds("startup_existing_ms", {"64", "72", "80"}), "startup_existing",
            "BENCH startup_existing 72.0 ms ratio=1.60 budget=1.5 over");
        row("a round without its floor is left out of the ratio",
            "SAMPLE 1 floor_window_shown_ms 40\n" + rounds("startup_fresh_ms", {"50", "500"}),
            "startup_fresh", "BENCH startup_fresh 275 ms ratio=1.25 budget=1.5 ok");
        row("floor as a difference: page load less window start",
            floors + rounds("floor_webview_loaded_ms", {"290", "310", "300"}) +
                rounds("paper_open_second_ms", {"100", "150", "120"}),
            "paper_open_second", "BENCH paper_open_second 120 ms ratio=0.48 budget=0.5 ok");
        // Lines that are not whole samples are left out, not read as round 0 or 4.
        row("absolute budget, many samples a round, noise",
            "SAMPLE 1 next_question_ms 30\nnoise from a program\nSAMPLE 1 next_question_ms 90\n"
            "SAMPLE 2 broken\nSAMPLE 4 next_question_ms nan\nSAMPLE x next_question_ms 4\n" +
                rounds("next_question_ms", {"31", "52", "45"}),
            "next_question", "BENCH next_question 45.0 ms ratio=- budget=50 ok");
        row("exactly on budget is ok", rounds("marking_ms", {"2"}), "marking",
            "BENCH marking 2.00 ms ratio=- budget=2 ok");
        row("over an absolute budget", rounds("marking_ms", {"2.5", "2.1"}), "marking",
            "BENCH marking 2.30 ms ratio=- budget=2 over");
        row("memory in MB, ratio to the bare web view",
            rounds("floor_webview_pss_kb", {"240640"}) + rounds("pss_practice_kb", {"276480"}),
            "pss_practice_window", "BENCH pss_practice_window 270 MB ratio=1.15 budget=1.2 ok");
        row("not measured is over", floors, "report", "BENCH report - ms ratio=- budget=100 over");
        row("measured but its floor not", rounds("pss_main_kb", {"30000"}), "pss_main_window",
            "BENCH pss_main_window 29.3 MB ratio=- budget=1.5 over");
        row("a floor of nothing is no floor",
            rounds("floor_window_shown_ms", {"80"}) + rounds("floor_webview_loaded_ms", {"80"}) +
                rounds("paper_open_first_ms", {"100"}),
            "paper_open_first", "BENCH paper_open_first 100 ms ratio=- budget=1.2 over");
    }
    void judge() {
        QFETCH(QString, samples);
        QFETCH(QString, figure);
        QFETCH(QString, line);
        const auto& budgets = Verdict::budgetFigures();
        const auto found = std::find_if(budgets.begin(), budgets.end(), [&](const auto& f) {
            return f.name == figure.toStdString();
        });
        QVERIFY(found != budgets.end());
        std::istringstream in(samples.toStdString());
        const Verdict::Judgement judgement =
            Verdict::judgeFigure(*found, Verdict::parseSamples(in));
        QCOMPARE(QString::fromStdString(judgement.line), line);
        QCOMPARE(judgement.ok, line.endsWith(QLatin1String(" ok")));
    }
};

QTEST_APPLESS_MAIN(TestBenchProbe)
#include "test_bench_probe.moc"
