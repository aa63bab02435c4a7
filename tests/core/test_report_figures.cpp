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

QStringList Blank(int n) {
    return QStringList(n);
}

// Scores placed at 1-based paper indexes: {index, score}.
QStringList scores(int paperCount, const QList<QPair<int, QString>>& entries) {
    QStringList list = Blank(paperCount);
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
    MarksRecords fixtureMarks(const QString& name, int paperCount = 50) {
        const Read<MarksRecords> read = readMarksFile(fixture(name), paperCount);
        if (!read.ok())
            qFatal("fixture %s unreadable", qPrintable(name));
        return read.value;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void figuresFromMarksFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("topicCount");
        QTest::addColumn<int>("paperCount");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("overall"); // OScore1, OScore2, PCNum, ST, WT
        QTest::addColumn<int>("attempted");
        QTest::addColumn<QStringList>("firstMarks");
        QTest::addColumn<QStringList>("secondMarks");

        QStringList mockNames = Names;
        mockNames[9] = "Mock Examination";
        auto marks = [](QList<QPair<int, QString>> m) { return scores(10, m); };

        QTest::newRow("nothing marked")
            << "marks_none.txt" << 10 << 50 << Names << QStringList{"-", "-", "0 / 50", "-", "-"}
            << 0 << Blank(10) << Blank(10);
        QTest::newRow("one topic: averages shown, no strongest or weakest")
            << "marks_one_topic.txt" << 10 << 50 << Names
            << QStringList{"77.8%", "90%", "2 / 50", "-", "-"} << 1 << marks({{3, "77.8%"}})
            << marks({{3, "90%"}});
        QTest::newRow("equal scores on topics 2 and 5 both go to topic 5")
            << "marks_tie.txt" << 10 << 50 << Names
            << QStringList{"70%", "-", "3 / 50", "T5 ", "T5 "} << 2
            << marks({{2, "70%"}, {5, "70%"}}) << Blank(10);
        QTest::newRow("mock examination counted but never shown")
            << "marks_mock.txt" << 10 << 50 << mockNames
            << QStringList{"83.4%", "-", "4 / 50", "T4 ", "T1 "} << 3
            << marks({{1, "60%"}, {4, "75%"}, {10, "99.2%"}}) << Blank(10);
        QTest::newRow("80 and 90 first, 100 second")
            << "marks_two_attempts.txt" << 10 << 50 << Names
            << QStringList{"85%", "100%", "2 / 50", "-", "-"} << 1 << marks({{1, "85%"}})
            << marks({{1, "100%"}});
        QTest::newRow("papers beyond the topic count are left out")
            << "marks_dozen.txt" << 3 << 15 << Names
            << QStringList{"76.1%", "84%", "8 / 15", "T1 ", "T3 "} << 3
            << marks({{1, "86.9%"}, {2, "72.4%"}, {3, "58.2%"}})
            << marks({{1, "90%"}, {2, "83.3%"}, {3, "72.5%"}});
    }
    void figuresFromMarksFiles() {
        QFETCH(QString, file);
        QFETCH(int, topicCount);
        QFETCH(int, paperCount);
        QFETCH(QStringList, names);
        QFETCH(QStringList, overall);
        QFETCH(int, attempted);
        QFETCH(QStringList, firstMarks);
        QFETCH(QStringList, secondMarks);

        const ReportFigures f = ReportFigures::compute(sampleModule(topicCount, paperCount, names),
                                                       fixtureMarks(file, paperCount));
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
    void averageRounding_data() {
        QTest::addColumn<QStringList>("scores");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("fraction");
        QTest::addColumn<QString>("completed");

        const QList<std::tuple<const char*, QStringList, const char*, double, const char*>> rows{
            {"72.25 goes down to 72.2", {"72.2", "72.3"}, "72.2%", 0.7225, "2 / 5"},
            {"72.75 goes up to 72.8", {"72.7", "72.8"}, "72.8%", 0.7275, "2 / 5"},
            {"66.65 in exact tenths goes to 66.6", {"66.6", "66.7"}, "66.6%", 0.6665, "2 / 5"},
            {"thirds", {"33.3", "33.3", "33.4"}, "33.3%", 1.0 / 3, "3 / 5"},
            {"80.0 shows as 80", {"79.5", "80.5"}, "80%", 0.8, "2 / 5"},
            {"full marks", {"100", "100", "100", "100", "100"}, "100%", 1.0, "5 / 5"},
            {"a damaged entry is not counted", {"abc", "70", "", "12.34"}, "70%", 0.7, "1 / 5"}};
        for (const auto& [name, scores, text, fraction, completed] : rows)
            QTest::newRow(name) << scores << QString(text) << fraction << QString(completed);
    }
    void averageRounding() {
        QFETCH(QStringList, scores);
        QFETCH(QString, text);
        QFETCH(double, fraction);
        QFETCH(QString, completed);

        MarksRecords marks;
        marks.FSE = Blank(5);
        marks.SSE = Blank(5);
        for (int i = 0; i < scores.size(); ++i)
            marks.FSE[i] = marks.SSE[i] = scores.at(i);
        const ReportFigures f = ReportFigures::compute(sampleModule(1, 5, {"Numbers"}), marks);
        QCOMPARE((QStringList{f.topics[0].firstMark, f.topics[0].secondMark, f.OScore1, f.OScore2}),
                 QStringList(4, text));
        QVERIFY(qAbs(f.topics[0].firstFraction - fraction) < 1e-12);
        QVERIFY(qAbs(f.topics[0].secondFraction - fraction) < 1e-12);
        QCOMPARE(f.PCNum, completed);
    }

    void strongestAndWeakest_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("fse");
        QTest::addColumn<QStringList>("sse");
        QTest::addColumn<QStringList>("expected"); // strongest, weakest

        const QStringList abc = {"Alpha", "Beta", "Gamma"};
        QTest::newRow("both attempted topics are mock examinations")
            << QStringList{"Mock Examination", "Mock Examination", "Gamma"}
            << scores(15, {{1, "50"}, {6, "60"}}) << Blank(15) << QStringList{"-", "-"};
        QTest::newRow("mock examination and one topic: that topic is both")
            << QStringList{"Mock Examination", "Beta", "Gamma"}
            << scores(15, {{1, "50"}, {6, "60"}}) << Blank(15) << QStringList{"Beta ", "Beta "};
        QTest::newRow("a second attempt lifts its topic")
            << abc << scores(15, {{1, "80"}, {6, "70"}}) << scores(15, {{6, "100"}})
            << QStringList{"Beta ", "Alpha "};
        QTest::newRow("equal means from different counts tie to the later topic")
            << abc << scores(15, {{1, "70"}, {2, "80"}, {6, "75"}}) << Blank(15)
            << QStringList{"Beta ", "Beta "};
        QTest::newRow("three topics, the middle one unattempted")
            << abc << scores(15, {{1, "40"}, {11, "90"}}) << Blank(15)
            << QStringList{"Gamma ", "Alpha "};
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

    void trendReading_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<double>>("values");

        QList<double> last20;
        for (int k = 6; k <= 25; ++k)
            last20 << 4.0 * k;
        QTest::newRow("25 entries keep entries 6 to 25") << "trend_25.txt" << last20;
        QTest::newRow("a trailing > is not a value")
            << "trend_trailing.txt" << QList<double>{60, 70};
        QTest::newRow("single value") << "trend_single50.txt" << QList<double>{50};
        QTest::newRow("fresh template") << "trend_template.txt" << QList<double>{};
        QTest::newRow("no TRD record") << "trend_no_record.txt" << QList<double>{};
        QTest::newRow("no file") << "trend_missing.txt" << QList<double>{};
    }
    void trendReading() {
        QFETCH(QString, file);
        QFETCH(QList<double>, values);
        QCOMPARE(TrendReading::fromFile(fixture(file)), values);
    }

    void printedLines() {
        const QString caption = "Quillora Maths Practice";
        QList<QStringList> lines;
        for (int topicCount : {0, 1, 10}) {
            lines = ReportLayout::reportLines(caption, sampleModule(topicCount, 50),
                                              fixtureMarks("marks_one_topic.txt"));
            QCOMPARE(lines.size(), 5 + 12 * topicCount);
            QCOMPARE(lines.at(2), (QStringList{" ", caption}));
        }
        // Paper lines of the ten-topic report: both attempts marked, the
        // first only, and an unmarked paper that prints "%" alone. (Where each
        // topic's and paper's line falls is read back from the printed PDF in
        // test_report_page.)
        const auto paperLine = [&lines](int topic, int paper) {
            return lines.at(5 + 12 * (topic - 1) + 6 + paper);
        };
        QCOMPARE(paperLine(3, 1),
                 (QStringList{" ", "Paper 1", " ", "70%", "0:12:5", "03/02/2025", " ", "90%"}));
        QCOMPARE(paperLine(3, 2),
                 (QStringList{" ", "Paper 2", " ", "85.5%", "0:9:41", "04/02/2025", " ", "%"}));
        QCOMPARE(paperLine(1, 5), (QStringList{" ", "Paper 5", " ", "%", "", "", " ", "%"}));
    }

    void zoneStarts_data() {
        QTest::addColumn<QList<qreal>>("widths");
        QTest::addColumn<QList<qreal>>("starts");
        QTest::newRow("short items take one zone each")
            << QList<qreal>{1, 5, 1, 10} << QList<qreal>{0, 14, 28, 42};
        QTest::newRow("an empty item still takes its zone")
            << QList<qreal>{1, 0, 0, 3} << QList<qreal>{0, 14, 28, 42};
        QTest::newRow("a long item pushes the rest on by whole zones")
            << QList<qreal>{1, 20, 1} << QList<qreal>{0, 14, 42};
        QTest::newRow("an item filling its zone exactly does not touch the next")
            << QList<qreal>{14, 1} << QList<qreal>{0, 28};
        QTest::newRow("rule across many zones") << QList<qreal>{1, 100} << QList<qreal>{0, 14};
        QTest::newRow("nothing") << QList<qreal>{} << QList<qreal>{};
    }
    void zoneStarts() {
        QFETCH(QList<qreal>, widths);
        QFETCH(QList<qreal>, starts);
        QCOMPARE(ReportLayout::zoneStartsFor(widths, 14), starts);
    }
};

} // namespace

QTEST_GUILESS_MAIN(TestReportFigures)
#include "test_report_figures.moc"
