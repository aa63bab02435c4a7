// The program definition: which modules exist, their counts and topic names,
// and how a definition that cannot be used is reported.

#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"
#include "test_support.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(DefinitionError)

namespace {

const QString TenNames = QStringLiteral("#TN2#>A, B>C>D>E>F>G>H>I>J>K");

} // namespace

class TestDefinition : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsDefinitionFile_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<DefinitionError>("error");
        QTest::addColumn<int>("firstModule");
        QTest::addColumn<QStringList>("names2");

        const QStringList head{"...", "#NME#>Quillora Maths Practice", QString(31, '-'),
                               "#COD#>QMP"};
        auto row = [&head](const char* name, const QStringList& lines, DefinitionError error,
                           int first = 0, const QStringList& names = {}) {
            QTest::newRow(name) << head + lines << error << first << names;
        };
        const auto ok = DefinitionError::None;
        const auto bad = DefinitionError::BadModule;
        const QString practice = "#LBH#>Practice";

        row("module 2 alone, ten names", {practice, "#TT2#>10", "#TP2#>50", TenNames, "..."}, ok, 2,
            TenNames.mid(6).split('>'));
        row("keys in any order, small letters", {"#tn2#>A>B", "#TP2#>10", practice, "#tt2#>2"}, ok,
            2, {"A", "B"});
        row("more names than topics: last holds the rest",
            {practice, "#TT2#>2", "#TP2#>10", "#TN2#>A>B>C"}, ok, 2, {"A", "B>C"});
        row("empty heading: module absent", {"#LAH#>", practice, "#TT2#>1", "#TP2#>5", "#TN2#>A"},
            ok, 2, {"A"});
        row("modules 1 and 2",
            {"#LAH#>Starter", "#TT1#>1", "#TP1#>5", "#TN1#>S", practice, "#TT2#>1", "#TP2#>5",
             "#TN2#>P"},
            ok, 1, {"P"});
        row("fewer names than topics", {practice, "#TT2#>3", "#TP2#>15", "#TN2#>A>B"}, bad);
        row("topic count missing", {practice, "#TP2#>15", "#TN2#>A"}, bad);
        row("topic count not a number", {practice, "#TT2#>ten", "#TP2#>50", TenNames}, bad);
        row("topic count above ten", {practice, "#TT2#>11", "#TP2#>50", TenNames}, bad);
        row("paper count above fifty", {practice, "#TT2#>10", "#TP2#>55", TenNames}, bad);
        row("no heading at all", {}, DefinitionError::NoModule);
    }

    void readsDefinitionFile() {
        QFETCH(QStringList, lines);
        QFETCH(DefinitionError, error);
        QFETCH(int, firstModule);
        QFETCH(QStringList, names2);
        QTemporaryDir dir;
        const QString path = dir.filePath("definition.txt");
        QVERIFY(TestFiles::writeBytes(path, lines.join("\r\n").toLatin1()));

        const DefinitionRead read = readProgramDefinitionFile(path);
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

    void reportsDefinitionThatCannotBeExtracted() {
        QTemporaryDir empty;
        QTemporaryDir dir;
        DefinitionRead read = readProgramDefinition(ResourceStore(empty.path()), dir.path());
        QCOMPARE(read.error, DefinitionError::NotExtracted);
        QVERIFY(read.detail.contains("30000"));
        QCOMPARE(read.definition.firstModule(), 0);

        read = readProgramDefinitionFile(dir.filePath("missing.txt"));
        QCOMPARE(read.error, DefinitionError::NotExtracted);
    }
};

QTEST_GUILESS_MAIN(TestDefinition)
#include "test_definition.moc"
