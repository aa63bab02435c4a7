// Reading one paper from a module's four content tables, and the numbering of
// topics, papers and blanks built on it.

#include "core/Numbering.h"
#include "core/PaperContent.h"
#include "core/ResourceStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString FixtureRoot = QStringLiteral(QUILLORA_TEST_DATA_DIR "/fixture_store");

// A copy of the fixture store whose item id is replaced by lines (or removed
// when lines is empty).
bool copyStoreWith(const QString& root, int id, const QStringList& lines) {
    for (const QString& sub : {QStringLiteral("store"), QStringLiteral("graphics")}) {
        QDir().mkpath(root + "/" + sub);
        const QDir from(FixtureRoot + "/" + sub);
        for (const QString& name : from.entryList(QDir::Files)) {
            if (!QFile::copy(from.filePath(name), root + "/" + sub + "/" + name))
                return false;
        }
    }
    const QString item = root + "/store/" + QString::number(id) + ".txt";
    QFile::remove(item);
    if (lines.isEmpty())
        return true;
    QFile file(item);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(lines.join("\r\n").toLatin1());
    return true;
}

} // namespace

class TestPaperContent : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsPaper_data();
    void loadsPaper();
    void reportsTablesThatCannotBeUsed_data();
    void reportsTablesThatCannotBeUsed();
    void numbering_data();
    void numbering();
    void blanksAndQuestions();
};

void TestPaperContent::loadsPaper_data() {
    QTest::addColumn<int>("paperNum");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QList<int>>("blanks");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("kinds");
    QTest::addColumn<int>("totalMarks");

    QTest::newRow("paper 101: number, fractions, group")
        << 101 << QStringList{"25016", "25019", "25036"} << QList<int>{1, 2, 3}
        << QStringList{"9", "3/10", "3/5", ";2;3;5", " ", " "}
        << QStringList{"N", "F", "F", "G", "G", "G"} << 2 + 2 + 3;
    QTest::newRow("paper 102: eight blanks then a mixed number")
        << 102 << QStringList{"25310", "23554"} << QList<int>{8, 1}
        << QStringList{"12", "10", "15", "Ivan", "6", "Kevin", "14", "Kevin", "1 2/3"}
        << QStringList{"N", "N", "N", "T", "N", "T", "N", "T", "X"} << 8 + 3;
    QTest::newRow("paper 105: marks of different weights")
        << 105 << QStringList{"24410"} << QList<int>{3} << QStringList{"3/10", "3/5", "2/5"}
        << QStringList{"F", "F", "F"} << 1 + 2 + 3;
}

void TestPaperContent::loadsPaper() {
    QFETCH(int, paperNum);
    QFETCH(QStringList, questions);
    QFETCH(QList<int>, blanks);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, kinds);
    QFETCH(int, totalMarks);
    QTemporaryDir dir;
    const PaperContentRead read =
        LoadPaperContent(ResourceStore(FixtureRoot), dir.path(), 2, paperNum);
    QCOMPARE(read.problems, QStringList());
    const PaperContent& paper = read.content;
    QCOMPARE(paper.QuestionIds, questions);
    QCOMPARE(paper.QuestionCount, int(questions.size()));
    QCOMPARE(paper.BlanksPerQuestion, blanks);
    QCOMPARE(paper.AnswerKeys, keys);
    QCOMPARE(paper.AnswerKinds, kinds);
    QCOMPARE(paper.AnswerMarks.size(), keys.size());
    QCOMPARE(paper.TotalBlanks, int(keys.size()));
    QCOMPARE(paper.TotalMarks, totalMarks);
    QVERIFY(!QFile::exists(dir.filePath("temptext.txt")));
}

void TestPaperContent::reportsTablesThatCannotBeUsed_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("paperNum");
    QTest::addColumn<bool>("questionsLoaded");
    QTest::addColumn<bool>("keysLoaded");
    QTest::addColumn<bool>("marksLoaded");

    QTest::newRow("paper not in the table")
        << 30022 << QStringList{"#101#>25016"} << 103 << false << false << false;
    QTest::newRow("paper table absent") << 30022 << QStringList{} << 101 << false << false << false;
    QTest::newRow("keys out of paper order")
        << 30023 << QStringList{"#25019#>3/10>3/5", "#25016#>9", "#25036#>;2;3;5> > "} << 101
        << true << false << true;
    QTest::newRow("question missing from the marks")
        << 30025 << QStringList{"#25016#>2", "#25036#>1>1>1"} << 101 << true << true << false;
    QTest::newRow("mark that is not a number")
        << 30025 << QStringList{"#25016#>two", "#25019#>1>1", "#25036#>1>1>1"} << 101 << true
        << true << true;
    QTest::newRow("kinds do not line up with the keys")
        << 30024 << QStringList{"#25016#>N>N", "#25019#>F>F", "#25036#>G>G>G"} << 101 << true
        << true << true;
    QTest::newRow("kinds table absent") << 30024 << QStringList{} << 101 << true << true << true;
}

void TestPaperContent::reportsTablesThatCannotBeUsed() {
    QFETCH(int, id);
    QFETCH(QStringList, lines);
    QFETCH(int, paperNum);
    QFETCH(bool, questionsLoaded);
    QFETCH(bool, keysLoaded);
    QFETCH(bool, marksLoaded);
    QTemporaryDir storeDir;
    QVERIFY(copyStoreWith(storeDir.path(), id, lines));
    QTemporaryDir dir;
    const PaperContentRead read =
        LoadPaperContent(ResourceStore(storeDir.path()), dir.path(), 2, paperNum);
    QVERIFY(!read.ok());
    QCOMPARE(read.problems.size(), 1);
    QVERIFY2(read.problems.first().contains(QString::number(id)) ||
                 read.problems.first().contains(QString::number(paperNum)),
             qPrintable(read.problems.first()));
    QCOMPARE(!read.content.QuestionIds.isEmpty(), questionsLoaded);
    QCOMPARE(!read.content.AnswerKeys.isEmpty(), keysLoaded);
    QCOMPARE(!read.content.BlanksPerQuestion.isEmpty(), keysLoaded);
    QCOMPARE(!read.content.AnswerMarks.isEmpty(), marksLoaded);
    QVERIFY(!QFile::exists(dir.filePath("temptext.txt")));
}

void TestPaperContent::numbering_data() {
    QTest::addColumn<int>("paperNum");
    QTest::addColumn<int>("topic");
    QTest::addColumn<int>("inTopic");
    QTest::addColumn<int>("topicFirst");
    QTest::newRow("first paper") << 101 << 1 << 1 << 1;
    QTest::newRow("fifth paper of topic 1") << 105 << 1 << 5 << 1;
    QTest::newRow("first paper of topic 2") << 106 << 2 << 1 << 6;
    QTest::newRow("paper 146 opens topic 10") << 146 << 10 << 1 << 46;
    QTest::newRow("last paper") << 150 << 10 << 5 << 46;
}

void TestPaperContent::numbering() {
    QFETCH(int, paperNum);
    QFETCH(int, topic);
    QFETCH(int, inTopic);
    QFETCH(int, topicFirst);
    QCOMPARE(Numbering::TopicOfPaper(paperNum), topic);
    QCOMPARE(Numbering::PaperInTopic(paperNum), inTopic);
    QCOMPARE(Numbering::TopicFirstIndex(topic), topicFirst);
    QCOMPARE(Numbering::PaperIndex(paperNum) - topicFirst + 1, inTopic);
}

void TestPaperContent::blanksAndQuestions() {
    // Paper 136 of the shipped shape: 8, 8, 4, 10 and 10 blanks.
    const QList<int> blanks{8, 8, 4, 10, 10};
    const QList<QPair<int, int>> blankToQuestion{{1, 1},  {8, 1},  {9, 2},  {16, 2},
                                                 {17, 3}, {20, 3}, {21, 4}, {30, 4},
                                                 {31, 5}, {40, 5}, {41, 0}, {0, 0}};
    for (const auto& [blank, question] : blankToQuestion)
        QCOMPARE(Numbering::QuestionOfBlank(blanks, blank), question);
    const QList<int> firstBlanks{1, 9, 17, 21, 31};
    for (int q = 1; q <= 5; ++q)
        QCOMPARE(Numbering::FirstBlankOf(blanks, q), firstBlanks.at(q - 1));
}

QTEST_GUILESS_MAIN(TestPaperContent)
#include "test_paper_content.moc"
