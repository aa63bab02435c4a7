// Reading one paper from a module's four content tables, and the numbering of
// topics, papers and blanks built on it.

#include "core/Numbering.h"
#include "core/PaperContent.h"
#include "core/ResourceStore.h"
#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestFiles;

class TestPaperContent : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsPaper() {
        const ResourceStore store(FixtureRoot);
        QTemporaryDir dir;
        PaperContentRead read = loadPaperContent(store, dir.path(), 2, 101);
        QCOMPARE(read.problems, QStringList());
        const PaperContent& paper = read.content;
        QCOMPARE(paper.QuestionIds, (QStringList{"25016", "25019", "25036"}));
        QCOMPARE(paper.QuestionCount, 3);
        QCOMPARE(paper.BlanksPerQuestion, (QList<int>{1, 2, 3}));
        QCOMPARE(paper.AnswerKeys, (QStringList{"9", "3/10", "3/5", ";2;3;5", " ", " "}));
        QCOMPARE(paper.AnswerKinds, parseAnswerKinds({"N", "F", "F", "G", "G", "G"}));
        QCOMPARE(paper.AnswerMarks, (QList<int>{2, 1, 1, 1, 1, 1}));
        QCOMPARE(paper.TotalBlanks, 6);
        QCOMPARE(paper.TotalMarks, 7);
        QVERIFY(!QFile::exists(dir.filePath("temptext.txt")));

        // Paper 102 stands after 103 in the paper table; its questions follow 101's.
        read = loadPaperContent(store, dir.path(), 2, 102);
        QVERIFY(read.ok());
        QCOMPARE(read.content.BlanksPerQuestion, (QList<int>{8, 1}));
        QCOMPARE(read.content.AnswerKinds.mid(2, 3),
                 (QList<AnswerKind>{AnswerKind::N, AnswerKind::T, AnswerKind::N}));
        QCOMPARE(read.content.AnswerKeys.last(), QString("1 2/3"));
        QCOMPARE(read.content.TotalMarks, 8 + 3);
    }

    void reportsTablesThatCannotBeUsed_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("paperNum");
        QTest::addColumn<QString>("loaded"); // q: questions, k: keys, m: marks

        QTest::newRow("paper not in the table") << 30022 << QStringList{"#101#>25016"} << 103 << "";
        QTest::newRow("paper table absent") << 30022 << QStringList{} << 101 << "";
        QTest::newRow("keys out of paper order")
            << 30023 << QStringList{"#25019#>3/10>3/5", "#25016#>9", "#25036#>;2;3;5> > "} << 101
            << "qm";
        QTest::newRow("question missing from the marks")
            << 30025 << QStringList{"#25016#>2", "#25036#>1>1>1"} << 101 << "qk";
        QTest::newRow("mark that is not a number")
            << 30025 << QStringList{"#25016#>two", "#25019#>1>1", "#25036#>1>1>1"} << 101 << "qkm";
        QTest::newRow("kinds do not line up with the keys")
            << 30024 << QStringList{"#25016#>N>N", "#25019#>F>F", "#25036#>G>G>G"} << 101 << "qkm";
        QTest::newRow("kinds table absent") << 30024 << QStringList{} << 101 << "qkm";
    }

    void reportsTablesThatCannotBeUsed() {
        QFETCH(int, id);
        QFETCH(QStringList, lines);
        QFETCH(int, paperNum);
        QFETCH(QString, loaded);
        QTemporaryDir storeDir;
        QVERIFY(copyStoreWith(storeDir.path(), id, lines));
        QTemporaryDir dir;
        const PaperContentRead read =
            loadPaperContent(ResourceStore(storeDir.path()), dir.path(), 2, paperNum);
        QCOMPARE(read.problems.size(), 1);
        QVERIFY2(read.problems.first().contains(QString::number(id)) ||
                     read.problems.first().contains(QString::number(paperNum)),
                 qPrintable(read.problems.first()));
        QCOMPARE(!read.content.QuestionIds.isEmpty(), loaded.contains('q'));
        QCOMPARE(!read.content.AnswerKeys.isEmpty(), loaded.contains('k'));
        QCOMPARE(!read.content.BlanksPerQuestion.isEmpty(), loaded.contains('k'));
        QCOMPARE(!read.content.AnswerMarks.isEmpty(), loaded.contains('m'));
        QVERIFY(!QFile::exists(dir.filePath("temptext.txt")));
    }

    void numbering() {
        // paper, topic, paper in topic, first paper index of the topic
        const QList<std::tuple<int, int, int, int>> papers{
            {101, 1, 1, 1}, {105, 1, 5, 1}, {106, 2, 1, 6}, {146, 10, 1, 46}, {150, 10, 5, 46}};
        for (const auto& [paperNum, topic, inTopic, first] : papers) {
            QCOMPARE(Numbering::topicOfPaper(paperNum), topic);
            QCOMPARE(Numbering::paperInTopic(paperNum), inTopic);
            QCOMPARE(Numbering::topicFirstIndex(topic), first);
        }
        // The shipped paper 136: 8, 8, 4, 10 and 10 blanks.
        const QList<int> blanks{8, 8, 4, 10, 10};
        const QList<QPair<int, int>> blankToQuestion{{1, 1},  {8, 1},  {9, 2},  {20, 3},
                                                     {21, 4}, {40, 5}, {41, 0}, {0, 0}};
        for (const auto& [blank, question] : blankToQuestion)
            QCOMPARE(Numbering::questionOfBlank(blanks, blank), question);
        const QList<int> firstBlanks{1, 9, 17, 21, 31};
        for (int q = 1; q <= 5; ++q)
            QCOMPARE(Numbering::firstBlankOf(blanks, q), firstBlanks.at(q - 1));
    }
};

QTEST_GUILESS_MAIN(TestPaperContent)
#include "test_paper_content.moc"
