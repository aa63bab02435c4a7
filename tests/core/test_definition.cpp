// The program definition: which modules exist, their counts and topic names,
// and how a definition that cannot be used is reported.

#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(DefinitionError)

namespace {

const QString FixtureRoot = QStringLiteral(QUILLORA_TEST_DATA_DIR "/fixture_store");

const QString TenNames = QStringLiteral(
    "#TN2#>Addition and Subtraction within 100>Addition and Subtraction within 10000>"
    "Multiplication and Division>Money>Weight>Length>Time>Picture Graphs>Fraction>"
    "Area, Perimeter and Volume");

void writeLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(lines.join("\r\n").toLatin1() + "\r\n");
}

} // namespace

class TestDefinition : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsDefinitionFile_data();
    void readsDefinitionFile();
    void readsFromStoreAndRemovesTemporaryFile();
    void reportsDefinitionThatCannotBeExtracted();
};

void TestDefinition::readsDefinitionFile_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<DefinitionError>("error");
    QTest::addColumn<int>("firstModule");
    QTest::addColumn<QStringList>("names2");

    const QStringList head{"...", "#NME#>Quillora Maths Practice", QString(31, '-'), "#COD#>QMP"};
    const auto ok = DefinitionError::None;
    const auto bad = DefinitionError::BadModule;
    const QStringList ten{"Addition and Subtraction within 100",
                          "Addition and Subtraction within 10000",
                          "Multiplication and Division",
                          "Money",
                          "Weight",
                          "Length",
                          "Time",
                          "Picture Graphs",
                          "Fraction",
                          "Area, Perimeter and Volume"};

    QTest::newRow("module 2 alone, ten names")
        << head + QStringList{"#LBH#>Practice", "#TT2#>10", "#TP2#>50", TenNames, "..."} << ok << 2
        << ten;
    QTest::newRow("keys in any order, lower-case tag")
        << QStringList{"#tn2#>A>B", "#TP2#>10", "#LBH#>Practice", "#TT2#>2"} + head << ok << 2
        << QStringList{"A", "B"};
    QTest::newRow("more names than topics: last holds the rest")
        << head + QStringList{"#LBH#>Practice", "#TT2#>2", "#TP2#>10", "#TN2#>A>B>C"} << ok << 2
        << QStringList{"A", "B>C"};
    QTest::newRow("empty heading: module absent")
        << head + QStringList{"#LAH#>", "#LBH#>Practice", "#TT2#>1", "#TP2#>5", "#TN2#>A"} << ok
        << 2 << QStringList{"A"};
    QTest::newRow("module 1 and module 2")
        << head + QStringList{"#LAH#>Starter",  "#TT1#>1", "#TP1#>5", "#TN1#>S",
                              "#LBH#>Practice", "#TT2#>1", "#TP2#>5", "#TN2#>P"}
        << ok << 1 << QStringList{"P"};
    QTest::newRow("fewer names than topics")
        << head + QStringList{"#LBH#>Practice", "#TT2#>3", "#TP2#>15", "#TN2#>A>B"} << bad << 0
        << QStringList{};
    QTest::newRow("topic count missing")
        << head + QStringList{"#LBH#>Practice", "#TP2#>15", "#TN2#>A"} << bad << 0 << QStringList{};
    QTest::newRow("topic count not a number")
        << head + QStringList{"#LBH#>Practice", "#TT2#>ten", "#TP2#>50", TenNames} << bad << 0
        << QStringList{};
    QTest::newRow("topic count above ten")
        << head + QStringList{"#LBH#>Practice", "#TT2#>11", "#TP2#>50", TenNames} << bad << 0
        << QStringList{};
    QTest::newRow("paper count above fifty")
        << head + QStringList{"#LBH#>Practice", "#TT2#>10", "#TP2#>55", TenNames} << bad << 0
        << QStringList{};
    QTest::newRow("no heading at all") << head << DefinitionError::NoModule << 0 << QStringList{};
}

void TestDefinition::readsDefinitionFile() {
    QFETCH(QStringList, lines);
    QFETCH(DefinitionError, error);
    QFETCH(int, firstModule);
    QFETCH(QStringList, names2);
    QTemporaryDir dir;
    const QString path = dir.filePath("definition.txt");
    writeLines(path, lines);

    const DefinitionRead read = ReadProgramDefinitionFile(path);
    QCOMPARE(read.error, error);
    QCOMPARE(read.detail.isEmpty(), error == DefinitionError::None);
    QCOMPARE(read.definition.displayName, QString("Quillora Maths Practice"));
    QCOMPARE(read.definition.programCode, QString("QMP"));
    if (error != DefinitionError::None)
        return;
    QCOMPARE(read.definition.firstModule(), firstModule);
    QVERIFY(read.definition.moduleExists(2));
    QVERIFY(!read.definition.moduleExists(3));
    QVERIFY(!read.definition.moduleExists(0));
    QCOMPARE(read.definition.module(2).topicNames, names2);
    QCOMPARE(read.definition.module(2).topicCount, int(names2.size()));
}

void TestDefinition::readsFromStoreAndRemovesTemporaryFile() {
    const ResourceStore store(FixtureRoot);
    QTemporaryDir dir;
    const DefinitionRead read = ReadProgramDefinition(store, dir.path());
    QCOMPARE(read.error, DefinitionError::None);
    const ProgramDefinition& def = read.definition;
    QCOMPARE(def.displayName, QString("Fixture Maths"));
    QCOMPARE(def.programCode, QString("FX"));
    QCOMPARE(def.firstModule(), 2);
    QCOMPARE(def.module(2).heading, QString("Practice"));
    QCOMPARE(def.module(2).topicCount, 1);
    QCOMPARE(def.module(2).paperCount, 5);
    QCOMPARE(def.module(2).topicNames, QStringList{"Sums and Shapes"});
    QVERIFY(!def.module(1).exists());
    QVERIFY(!QFile::exists(dir.filePath("temptext30000.txt")));
}

void TestDefinition::reportsDefinitionThatCannotBeExtracted() {
    QTemporaryDir empty;
    QVERIFY(QDir().mkpath(empty.filePath("store")));
    QTemporaryDir dir;
    DefinitionRead read = ReadProgramDefinition(ResourceStore(empty.path()), dir.path());
    QCOMPARE(read.error, DefinitionError::NotExtracted);
    QVERIFY(read.detail.contains("30000"));
    QCOMPARE(read.definition.firstModule(), 0);

    read = ReadProgramDefinition(ResourceStore(FixtureRoot), dir.filePath("no/such/folder"));
    QCOMPARE(read.error, DefinitionError::NotExtracted);

    read = ReadProgramDefinitionFile(dir.filePath("missing.txt"));
    QCOMPARE(read.error, DefinitionError::NotExtracted);
}

QTEST_GUILESS_MAIN(TestDefinition)
#include "test_definition.moc"
