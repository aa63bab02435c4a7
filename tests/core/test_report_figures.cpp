// The Report page's figures, the trend reading and the printed report's lines,
// computed without widgets from fixture marks and trend files.

#include "main_window/ReportFigures.h"
#include "main_window/ReportLayout.h"
#include "main_window/TrendReading.h"
#include "results/ResultsFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList Names = {"T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8", "T9", "T10"};

ModuleDefinition sampleModule(int topicCount, int paperCount, QStringList names = Names) {
    ModuleDefinition module;
    module.heading = "Practice";
    module.topicCount = topicCount;
    module.paperCount = paperCount;
    module.topicNames = names;
    return module;
}

// Scores placed at 1-based paper indexes: {index, score}.
QStringList scores(int paperCount, const QList<QPair<int, QString>>& entries) {
    QStringList list(paperCount);
    for (const auto& [index, score] : entries)
        list[index - 1] = score;
    return list;
}

class TestReportFigures : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // Each fixture is read from a private copy, as the program reads its folder.
    QString fixture(const QString& name) {
        const QString copy = m_dir.filePath(name);
        QFile::remove(copy);
        QFile::copy(QStringLiteral(QUILLORA_TEST_DATA_DIR "/report/") + name, copy);
        return copy;
    }
    MarksRecords fixtureMarks(const QString& name) {
        const Read<MarksRecords> read = readMarksFile(fixture(name), 50);
        if (!read.ok())
            qFatal("fixture %s unreadable", qPrintable(name));
        return read.value;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void figuresFromMarksFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("overall"); // OScore1, OScore2, PCNum, ST, WT
        QTest::addColumn<int>("attempted");
        QTest::addColumn<QStringList>("firstMarks");
        QTest::addColumn<QStringList>("secondMarks");

        QStringList mockNames = Names;
        mockNames[9] = "Mock Examination";
        auto marks = [](QList<QPair<int, QString>> m) { return scores(10, m); };

        QTest::newRow("nothing marked")
            << "marks_none.txt" << Names << QStringList{"-", "-", "0 / 50", "-", "-"} << 0
            << QStringList(10) << QStringList(10);
        QTest::newRow("one topic: averages shown, no strongest or weakest")
            << "marks_one_topic.txt" << Names << QStringList{"77.8%", "90%", "2 / 50", "-", "-"}
            << 1 << marks({{3, "77.8%"}}) << marks({{3, "90%"}});
        QTest::newRow("equal means of topic 2 (two papers) and 5 (one) go to topic 5")
            << "marks_tie.txt" << Names << QStringList{"70%", "-", "3 / 50", "T5 ", "T5 "} << 2
            << marks({{2, "70%"}, {5, "70%"}}) << QStringList(10);
        QTest::newRow("mock examination counted but never shown")
            << "marks_mock.txt" << mockNames << QStringList{"83.4%", "-", "4 / 50", "T4 ", "T1 "}
            << 3 << marks({{1, "60%"}, {4, "75%"}, {10, "99.2%"}}) << QStringList(10);
        // (Papers beyond the topic count left out: test_report_page's seven topics.)
    }
    void figuresFromMarksFiles() {
        QFETCH(QString, file);
        QFETCH(QStringList, names);
        QFETCH(QStringList, overall);
        QFETCH(int, attempted);
        QFETCH(QStringList, firstMarks);
        QFETCH(QStringList, secondMarks);

        const ReportFigures f =
            ReportFigures::compute(sampleModule(10, 50, names), fixtureMarks(file));
        QCOMPARE((QStringList{f.OScore1, f.OScore2, f.PCNum, f.ST, f.WT}), overall);
        QCOMPARE(f.attemptedTopics, attempted);
        QStringList first, second;
        for (const TopicFigures& t : f.topics) {
            first << t.firstMark;
            second << t.secondMark;
            // An empty mark goes with an empty bar.
            QCOMPARE(t.firstMark.isEmpty(), t.firstFraction == 0.0);
            QCOMPARE(t.secondMark.isEmpty(), t.secondFraction == 0.0);
        }
        QCOMPARE(first, firstMarks);
        QCOMPARE(second, secondMarks);
    }

    // Averages are rounded once, exactly, halves to even; bars use the
    // unrounded average.
    void averageRounding() {
        const QList<std::tuple<const char*, QStringList, QString, double, QString>> rows{
            {"72.75 goes up to 72.8", {"72.7", "72.8"}, "72.8%", 0.7275, "2 / 5"},
            {"66.65 in exact tenths goes to 66.6", {"66.6", "66.7"}, "66.6%", 0.6665, "2 / 5"},
            {"thirds", {"33.3", "33.3", "33.4"}, "33.3%", 1.0 / 3, "3 / 5"},
            {"full marks", {"100", "100", "100", "100", "100"}, "100%", 1.0, "5 / 5"},
            {"a damaged entry is not counted", {"abc", "70", "", "12.34"}, "70%", 0.7, "1 / 5"}};
        for (const auto& [name, scores, text, fraction, completed] : rows) {
            MarksRecords marks;
            marks.FSE = marks.SSE = scores + QStringList(5 - scores.size());
            const ReportFigures f = ReportFigures::compute(sampleModule(1, 5, {"Numbers"}), marks);
            const TopicFigures& t = f.topics[0];
            QVERIFY2((QStringList{t.firstMark, t.secondMark, f.OScore1, f.OScore2}) ==
                         QStringList(4, text),
                     name);
            QVERIFY2(qAbs(t.firstFraction - fraction) < 1e-12, name);
            QVERIFY2(qAbs(t.secondFraction - fraction) < 1e-12, name);
            QVERIFY2(f.PCNum == completed, name);
        }
    }

    void strongestAndWeakest_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("fse");
        QTest::addColumn<QStringList>("sse");
        QTest::addColumn<QStringList>("expected"); // strongest, weakest

        const QStringList abc = {"Alpha", "Beta", "Gamma"};
        QTest::newRow("both attempted topics are mock examinations")
            << QStringList{"Mock Examination", "Mock Examination", "Gamma"}
            << scores(15, {{1, "50"}, {6, "60"}}) << QStringList(15) << QStringList{"-", "-"};
        QTest::newRow("mock examination and one topic: that topic is both")
            << QStringList{"Mock Examination", "Beta", "Gamma"}
            << scores(15, {{1, "50"}, {6, "60"}}) << QStringList(15)
            << QStringList{"Beta ", "Beta "};
        QTest::newRow("a second attempt lifts its topic")
            << abc << scores(15, {{1, "80"}, {6, "70"}}) << scores(15, {{6, "100"}})
            << QStringList{"Beta ", "Alpha "};
        // A topic's score is the mean of all its attempts, not of its two averages.
        QTest::newRow("every attempt counts once")
            << abc << scores(15, {{1, "80"}, {2, "90"}, {6, "91"}}) << scores(15, {{1, "100"}})
            << QStringList{"Beta ", "Alpha "};
        QTest::newRow("a second attempt alone does not make a topic attempted")
            << abc << scores(15, {{1, "40"}, {11, "90"}}) << scores(15, {{6, "100"}})
            << QStringList{"Gamma ", "Alpha "};
    }
    void strongestAndWeakest() {
        QFETCH(QStringList, names);
        QFETCH(QStringList, fse);
        QFETCH(QStringList, sse);
        QFETCH(QStringList, expected);

        MarksRecords marks;
        marks.FSE = fse;
        marks.SSE = sse;
        const ReportFigures f = ReportFigures::compute(sampleModule(3, 15, names), marks);
        QCOMPARE((QStringList{f.ST, f.WT}), expected);
    }

    void trendReading() {
        QList<double> last20;
        for (int k = 6; k <= 25; ++k)
            last20 << 4.0 * k;
        const QList<std::tuple<const char*, QList<double>>> files{
            {"trend_25.txt", last20},         // entries 6 to 25 of 25
            {"trend_trailing.txt", {60, 70}}, // a trailing ">" is not a value
            {"trend_single50.txt", {50}},     {"trend_template.txt", {}},
            {"trend_no_record.txt", {}},      {"trend_missing.txt", {}}};
        for (const auto& [file, values] : files)
            QVERIFY2(TrendReading::fromFile(fixture(file)) == values, file);
    }

    void printedLines() {
        // What each paper's line holds, and where it falls, is read back from
        // the printed PDF of ten topics in test_report_page.
        const QString caption = "Quillora Maths Practice";
        for (int topicCount : {0, 1, 10}) {
            const QList<QStringList> lines = ReportLayout::reportLines(
                caption, sampleModule(topicCount, 50), fixtureMarks("marks_one_topic.txt"));
            QCOMPARE(lines.size(), 5 + 12 * topicCount);
            QCOMPARE(lines.at(2), (QStringList{" ", caption}));
        }
    }

    void zoneStarts() {
        const QList<std::tuple<const char*, QList<qreal>, QList<qreal>>> rows{
            {"short items take one zone each", {1, 5, 1, 10}, {0, 14, 28, 42}},
            {"an empty item still takes its zone", {1, 0, 0, 3}, {0, 14, 28, 42}},
            {"a long item pushes the rest on by whole zones", {1, 20, 1}, {0, 14, 42}},
            {"an item filling its zone exactly does not touch the next", {14, 1}, {0, 28}},
            {"rule across many zones", {1, 100}, {0, 14}},
            {"nothing", {}, {}}};
        for (const auto& [name, widths, starts] : rows)
            QVERIFY2(ReportLayout::zoneStartsFor(widths, 14) == starts, name);
    }
};

} // namespace

QTEST_GUILESS_MAIN(TestReportFigures)
#include "test_report_figures.moc"
