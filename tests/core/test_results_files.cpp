// The six results files of a module: creation from the templates, the marks
// file, the per-paper files and the trend log.

#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"
#include "results/ResultsFiles.h"
#include "results/TrendLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(RecordError)

namespace {

const QString FixtureRoot = QStringLiteral(QUILLORA_TEST_DATA_DIR "/fixture_store");

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

ProgramDefinition fixtureDefinition() {
    ProgramDefinition def;
    def.programCode = "FX";
    def.modules[1].heading = "Practice";
    def.modules[1].topicCount = 1;
    def.modules[1].paperCount = 5;
    return def;
}

} // namespace

class TestResultsFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesAndTemplates();
    void startupCreatesMissingFiles();
    void marksFileRoundTrip();
    void perPaperRecords();
    void paperFieldsOfDamagedRecords_data();
    void paperFieldsOfDamagedRecords();
    void trendAppend_data();
    void trendAppend();
    void trendValues_data();
    void trendValues();
};

void TestResultsFiles::namesAndTemplates() {
    QCOMPARE(ResultsFilePath("/p", ResultsFile::Marks, 2, "QMP"), QString("/p/marks2QMP.txt"));
    QCOMPARE(ResultsFilePath("/p", ResultsFile::SResults, 3, "X"), QString("/p/sresults3X.txt"));
    QCOMPARE(ResultsFilePath("/p", ResultsFile::Trend, 1, "X"), QString("/p/trend1X.txt"));
    QCOMPARE(ResultsTemplateId(ResultsFile::Marks, 1), 30111);
    QCOMPARE(ResultsTemplateId(ResultsFile::First, 2), 30122);
    QCOMPARE(ResultsTemplateId(ResultsFile::Trend, 2), 30126);
    QCOMPARE(ResultsTemplateId(ResultsFile::SResults, 3), 30135);
}

void TestResultsFiles::startupCreatesMissingFiles() {
    const ResourceStore store(FixtureRoot);
    const ProgramDefinition def = fixtureDefinition();
    QTemporaryDir dir;
    QVERIFY(!AllResultsFilesExist(dir.path(), def));

    bool reset = false;
    QCOMPARE(EnsureResultsFiles(store, dir.path(), def, &reset), QStringList());
    QVERIFY(reset);
    QVERIFY(AllResultsFilesExist(dir.path(), def));
    const QString trend = ResultsFilePath(dir.path(), ResultsFile::Trend, 2, "FX");
    const QString first = ResultsFilePath(dir.path(), ResultsFile::First, 2, "FX");
    QCOMPARE(bytesOf(trend), QByteArray("#TRD#"));
    QCOMPARE(bytesOf(first), store.itemBytes(30122));
    // Module 1 and 3 do not exist, so none of their files is written.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 6);

    // All present: nothing is touched.
    writeBytes(trend, "#TRD#>50\r\n");
    QCOMPARE(EnsureResultsFiles(store, dir.path(), def, &reset), QStringList());
    QVERIFY(!reset);
    QCOMPARE(bytesOf(trend), QByteArray("#TRD#>50\r\n"));

    // One file missing: all six go back to their templates.
    QVERIFY(QFile::remove(first));
    EnsureResultsFiles(store, dir.path(), def, &reset);
    QVERIFY(reset);
    QCOMPARE(bytesOf(trend), QByteArray("#TRD#"));
    QVERIFY(QFile::exists(first));

    // A module whose templates are absent reports every file it could not write.
    ProgramDefinition withModule1 = def;
    withModule1.modules[0].heading = "Starter";
    const QStringList failed = ResetAllResults(store, dir.path(), withModule1);
    QCOMPARE(failed.size(), 6);
    QVERIFY(failed.contains(ResultsFilePath(dir.path(), ResultsFile::Marks, 1, "FX")));
}

void TestResultsFiles::marksFileRoundTrip() {
    const ResourceStore store(FixtureRoot);
    QTemporaryDir dir;
    const QString path = dir.filePath("marks2FX.txt");
    QCOMPARE(store.ExtractResource(30121, "Custom", path), 0);

    Read<MarksRecords> marks = ReadMarksFile(path, 5);
    QCOMPARE(marks.error, RecordError::None);
    QCOMPARE(marks.value.FSE, QStringList(5, QString()));
    QCOMPARE(marks.value.FST, QStringList(5, "0"));

    marks.value.FSE[2] = "87.5";
    marks.value.LTM[2] = "0:7:5";
    marks.value.CDD[2] = "09/03/2024";
    marks.value.FST[2] = "1";
    QCOMPARE(WriteMarksFile(path, marks.value, 5), RecordError::None);
    QCOMPARE(bytesOf(path), QByteArray("#FSE#>>>87.5>>\r\n#SSE#>>>>>\r\n#LTM#>>>0:7:5>>\r\n"
                                       "#CDD#>>>09/03/2024>>\r\n#FST#>0>0>1>0>0\r\n"
                                       "#SST#>0>0>0>0>0\r\n"));
    const Read<MarksRecords> again = ReadMarksFile(path, 5);
    QCOMPARE(again.value.CDD.at(2), QString("09/03/2024"));
    QCOMPARE(again.value.SST, QStringList(5, "0"));

    QCOMPARE(ReadMarksFile(dir.filePath("none.txt"), 5).error, RecordError::FileMissing);
    QCOMPARE(ReadMarksFile(path, 6).error, RecordError::TooFewFields);
}

void TestResultsFiles::perPaperRecords() {
    const ResourceStore store(FixtureRoot);
    QTemporaryDir dir;
    const QString path = dir.filePath("first2FX.txt");
    QCOMPARE(store.ExtractResource(30122, "Custom", path), 0);

    Read<PaperLines> file = ReadPaperLines(path, 5);
    QCOMPARE(file.error, RecordError::None);
    QCOMPARE(file.value.lines.size(), 5);
    QCOMPARE(PaperFields(file.value, 2, 9).value, QStringList(9, QString()));

    const QStringList answers{" 9 ", "3/10", "", "2", "3", "five"};
    QCOMPARE(WritePaperRecord(file.value, 1, answers), RecordError::None);
    // The framing "..." lines are gone; exactly five records remain.
    QCOMPARE(bytesOf(path), QByteArray("#101#> 9 >3/10>>2>3>five\r\n#102#>>>>>>>>>\r\n"
                                       "#103#>>\r\n#104#>\r\n#105#>>>\r\n"));
    QCOMPARE(PaperFields(file.value, 1, 6).value, answers);

    // Results marks are stored as the single bytes FC and FB.
    const Read<PaperLines> results = ReadPaperLines(path, 5);
    PaperLines copy = results.value;
    const QString tick = QStringLiteral("\u00FC");
    const QString cross = QStringLiteral("\u00FB");
    QCOMPARE(WritePaperRecord(copy, 4, {tick}), RecordError::None);
    QCOMPARE(WritePaperRecord(copy, 5, {cross, "", tick}), RecordError::None);
    QVERIFY(bytesOf(path).endsWith("#104#>\xFC\r\n#105#>\xFB>>\xFC\r\n"));
    QCOMPARE(PaperFields(ReadPaperLines(path, 5).value, 5, 3).value,
             (QStringList{cross, "", tick}));

    QCOMPARE(PaperFields(file.value, 6, 1).error, RecordError::CapacityExceeded);
    QCOMPARE(PaperFields(file.value, 1, 81).error, RecordError::CapacityExceeded);
}

void TestResultsFiles::paperFieldsOfDamagedRecords_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("blanks");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("missing record") << "" << 3 << QStringList{"", "", ""};
    QTest::newRow("short record keeps what it has")
        << "#101#>a>b" << 3 << QStringList{"a", "b", ""};
    QTest::newRow("long record never yields a separator")
        << "#101#>a>b>c>d" << 2 << QStringList{"a", "b"};
    QTest::newRow("record without fields") << "#101#" << 2 << QStringList{"", ""};
}

void TestResultsFiles::paperFieldsOfDamagedRecords() {
    QFETCH(QString, line);
    QFETCH(int, blanks);
    QFETCH(QStringList, fields);
    PaperLines file;
    file.lines = QStringList{line};
    file.paperCount = 1;
    const Read<QStringList> read = PaperFields(file, 1, blanks);
    QCOMPARE(read.error, RecordError::None);
    QCOMPARE(read.value, fields);
}

void TestResultsFiles::trendAppend_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("template without line end")
        << QByteArray("#TRD#") << "87.5" << QByteArray("#TRD#>87.5\r\n");
    QTest::newRow("third value") << QByteArray("#TRD#>87.5>100\r\n") << "66.7"
                                 << QByteArray("#TRD#>87.5>100>66.7\r\n");
    QTest::newRow("extra lines are dropped")
        << QByteArray("...\r\n#trd#>50\r\n#TRD#>1\r\nstray\r\n") << "0"
        << QByteArray("#trd#>50>0\r\n");
    QTest::newRow("no trend line starts a fresh one")
        << QByteArray("75>80\r\nrubbish\r\n") << "100" << QByteArray("#TRD#>100\r\n");
    QTest::newRow("empty file") << QByteArray() << "40" << QByteArray("#TRD#>40\r\n");
}

void TestResultsFiles::trendAppend() {
    QFETCH(QByteArray, before);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath("trend2FX.txt");
    writeBytes(path, before);
    QCOMPARE(AppendTrendValue(path, value), RecordError::None);
    QCOMPARE(bytesOf(path), after);
    QCOMPARE(ReadTrendLine(path).value, QString::fromLatin1(after.chopped(2)));

    // A value that would break the record is refused and the log kept.
    QCOMPARE(AppendTrendValue(path, "5>6"), RecordError::Unencodable);
    QCOMPARE(bytesOf(path), after);
    // A log that cannot be written is reported and kept whole.
    QVERIFY(QDir().mkpath(dir.filePath("blocked/x")));
    QCOMPARE(AppendTrendValue(dir.filePath("blocked"), "1"), RecordError::WriteFailed);
}

void TestResultsFiles::trendValues_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QList<double>>("values");
    QList<double> twenty;
    QString many = "#TRD#";
    for (int i = 1; i <= 25; ++i) {
        many += ">" + QString::number(i);
        if (i > 5)
            twenty.append(i);
    }
    QTest::newRow("empty log") << "#TRD#" << QList<double>{};
    QTest::newRow("no record") << "" << QList<double>{};
    QTest::newRow("one value") << "#TRD#>50" << QList<double>{50};
    QTest::newRow("three values") << "#TRD#>87.5>100>66.7" << QList<double>{87.5, 100, 66.7};
    QTest::newRow("trailing separator is not an entry") << "#TRD#>50>" << QList<double>{50};
    QTest::newRow("last twenty of twenty-five") << many << twenty;
}

void TestResultsFiles::trendValues() {
    QFETCH(QString, line);
    QFETCH(QList<double>, values);
    QCOMPARE(TrendValues(line), values);
}

QTEST_GUILESS_MAIN(TestResultsFiles)
#include "test_results_files.moc"
