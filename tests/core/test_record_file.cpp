// Tagged record files: lookup, field splitting, batch readers, and the
// whole-file writers with their Latin-1 bytes, CR LF line ends and atomicity.

#include "core/RecordFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(RecordError)

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestRecordFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitRecordLine_data();
    void splitRecordLine();
    void lookup_data();
    void lookup();
    void readersReportErrors();
    void readsLatin1AndAnyLineEnd();
    void paperLinesMakeOneForwardPass();
    void keyedBatchReaders();
    void rewriteRecordWritesWholeFile();
    void rewriteRecordRejectsBadInput_data();
    void rewriteRecordRejectsBadInput();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void writeSixRecords();
};

void TestRecordFile::splitRecordLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<int>("tagLength");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<RecordError>("error");

    const auto none = RecordError::None;
    QTest::newRow("three empty fields")
        << "#101#>>>" << 3 << 80 << 3 << QStringList{"", "", ""} << none;
    QTest::newRow("last field holds the rest")
        << "#101#>25016>25019>25036" << 2 << 50 << 3 << QStringList{"25016", "25019>25036"} << none;
    QTest::newRow("all fields") << "#101#>25016>25019>25036" << 3 << 50 << 3
                                << QStringList{"25016", "25019", "25036"} << none;
    QTest::newRow("empty middle and last")
        << "#FSE#>87.5>>100>" << 4 << 50 << 3 << QStringList{"87.5", "", "100", ""} << none;
    QTest::newRow("five-character tag")
        << "#25310#>12>10>Ivan" << 3 << 80 << 5 << QStringList{"12", "10", "Ivan"} << none;
    QTest::newRow("topic name keeps its comma")
        << "#TN2#>Fraction>Area, Perimeter and Volume" << 2 << 10 << 3
        << QStringList{"Fraction", "Area, Perimeter and Volume"} << none;
    QTest::newRow("first separator is not searched for")
        << "#ABC#x>y" << 1 << 10 << 3 << QStringList{">y"} << none;
    QTest::newRow("zero fields") << "#101#>a" << 0 << 10 << 3 << QStringList{} << none;
    QTest::newRow("more fields than the record holds")
        << "#101#>a>b" << 3 << 80 << 3 << QStringList{} << RecordError::TooFewFields;
    QTest::newRow("record without fields")
        << "#TRD#" << 1 << 50 << 3 << QStringList{} << RecordError::TooFewFields;
    QTest::newRow("absent record")
        << "" << 1 << 50 << 3 << QStringList{} << RecordError::TooFewFields;
    QTest::newRow("above capacity") << "#TN1#>a>b>c>d>e>f>g>h>i>j>k" << 11 << 10 << 3
                                    << QStringList{} << RecordError::CapacityExceeded;
    QTest::newRow("negative count")
        << "#101#>a" << -1 << 10 << 3 << QStringList{} << RecordError::CapacityExceeded;
}

void TestRecordFile::splitRecordLine() {
    QFETCH(QString, line);
    QFETCH(int, count);
    QFETCH(int, capacity);
    QFETCH(int, tagLength);
    QFETCH(QStringList, fields);
    QFETCH(RecordError, error);
    const Read<QStringList> split = SplitRecordLine(line, count, capacity, tagLength);
    QCOMPARE(split.error, error);
    QCOMPARE(split.value, fields);
}

void TestRecordFile::lookup_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("value");

    QTest::newRow("small letters find capitals") << "fse"
                                                 << "#FSE#>1>2"
                                                 << "1>2";
    QTest::newRow("first of two lines wins") << "SSE"
                                             << "#SSE#>first"
                                             << "first";
    QTest::newRow("tag anywhere in the line") << "CDD"
                                              << "note #CDD#>x"
                                              << "CDD#>x";
    QTest::newRow("value line with no value") << "NME"
                                              << "#NME#>"
                                              << "";
    QTest::newRow("record without fields") << "TRD"
                                           << "#TRD#"
                                           << "";
    QTest::newRow("absent tag") << "ZZZ"
                                << ""
                                << "";
}

void TestRecordFile::lookup() {
    QFETCH(QString, tag);
    QFETCH(QString, line);
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString path = dir.filePath("records.txt");
    writeBytes(path, "...\r\n\r\n-------------------------------\r\n#FSE#>1>2\r\n"
                     "#SSE#>first\r\n#sse#>second\r\nnote #CDD#>x\r\n#NME#>\r\n#TRD#\r\n...");

    const Read<QString> readLine = ReadRecordLine(path, tag);
    QCOMPARE(readLine.error, RecordError::None);
    QCOMPARE(readLine.value, line);
    const Read<QString> readValue = ReadRecordValue(path, tag);
    QCOMPARE(readValue.error, RecordError::None);
    QCOMPARE(readValue.value, value);
    QCOMPARE(LineHoldsTag(line, tag), !line.isEmpty());
}

void TestRecordFile::readersReportErrors() {
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.txt");
    QCOMPARE(ReadRecordLine(missing, "FSE").error, RecordError::FileMissing);
    QCOMPARE(ReadRecordFields50(missing, "FSE", 1).error, RecordError::FileMissing);
    QCOMPARE(ReadPaperRecordLines(missing, 3).error, RecordError::FileMissing);
    QCOMPARE(ReadRecordLine(dir.path(), "FSE").error, RecordError::FileMissing);

    const QString path = dir.filePath("t.txt");
    writeBytes(path, "#TN1#>a>b>c\r\n#101#>25016>25019\r\n");
    QCOMPARE(ReadRecordFields10(path, "TN1", 4).error, RecordError::TooFewFields);
    QCOMPARE(ReadRecordFields10(path, "TN1", 11).error, RecordError::CapacityExceeded);
    QCOMPARE(ReadRecordFields10(path, "TN2", 1).error, RecordError::KeyMissing);
    QCOMPARE(ReadPaperRecordLines(path, 51).error, RecordError::CapacityExceeded);

    const Read<QStringList> all = ReadRecordAllFields(path, "101");
    QCOMPARE(all.error, RecordError::None);
    QCOMPARE(all.value, (QStringList{"25016", "25019"}));
    QCOMPARE(ReadRecordAllFields(path, "102").error, RecordError::KeyMissing);
}

void TestRecordFile::readsLatin1AndAnyLineEnd() {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.txt");
    // CR LF, a lone LF, a lone CR, and a last line without a line end.
    writeBytes(path, "#101#>\xFC>\xFB\r\n#102#>a\n#103#>b\r#104#>c");
    const Read<QStringList> lines = ReadPaperRecordLines(path, 4);
    QCOMPARE(lines.error, RecordError::None);
    QCOMPARE(lines.value,
             (QStringList{QStringLiteral("#101#>\u00FC>\u00FB"), "#102#>a", "#103#>b", "#104#>c"}));
}

void TestRecordFile::paperLinesMakeOneForwardPass() {
    QTemporaryDir dir;
    const QString path = dir.filePath("first.txt");
    writeBytes(path, "...\r\n#101#>a\r\n#103#>c\r\n#102#>b\r\n...\r\n");
    const Read<QStringList> lines = ReadPaperRecordLines(path, 3);
    QCOMPARE(lines.error, RecordError::None);
    // 102 is found after 103, so the pass is past 103 when it looks for it.
    QCOMPARE(lines.value, (QStringList{"#101#>a", "#102#>b", ""}));

    // A missing key consumes the rest of the file: later keys stay empty.
    writeBytes(path, "#101#>a\r\n#103#>c\r\n#104#>d\r\n");
    QCOMPARE(ReadPaperRecordLines(path, 4).value, (QStringList{"#101#>a", "", "", ""}));
}

void TestRecordFile::keyedBatchReaders() {
    QTemporaryDir dir;
    const QString path = dir.filePath("keys.txt");
    writeBytes(path, "...\r\n#25016#>9\r\n#25310#>12>10>Ivan\r\n#25036#>;2;3;5> > \r\n...");

    const QStringList inOrder{"25016", "25310", "25036"};
    const Read<QStringList> fields = ReadFieldsForKeys(path, inOrder);
    QCOMPARE(fields.error, RecordError::None);
    QCOMPARE(fields.value, (QStringList{"9", "12", "10", "Ivan", ";2;3;5", " ", " "}));
    const Read<QList<int>> counts = CountFieldsPerKey(path, inOrder);
    QCOMPARE(counts.error, RecordError::None);
    QCOMPARE(counts.value, (QList<int>{1, 3, 3}));

    // Keys out of file order cannot be found in one pass.
    const QStringList outOfOrder{"25310", "25016"};
    QCOMPARE(ReadFieldsForKeys(path, outOfOrder).error, RecordError::KeyMissing);
    QCOMPARE(CountFieldsPerKey(path, outOfOrder).error, RecordError::KeyMissing);
    QCOMPARE(ReadFieldsForKeys(path, {"25016", "99999"}).error, RecordError::KeyMissing);
}

void TestRecordFile::rewriteRecordWritesWholeFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("first2FX.txt");
    writeBytes(path, "...\r\n#101#>>>\r\n#102#>>\r\n#103#>\r\n...");
    Read<QStringList> lines = ReadPaperRecordLines(path, 3);
    QVERIFY(lines.ok());

    const QString tick = QStringLiteral("\u00FC");
    const RecordError error =
        RewriteRecord(lines.value, {" 12 ", tick, "", "unused"}, 1, "101", 3, 3, path);
    QCOMPARE(error, RecordError::None);
    QCOMPARE(bytesOf(path), QByteArray("#101#> 12 >\xFC>\r\n#102#>>\r\n#103#>\r\n"));
    QCOMPARE(lines.value.at(0), "#101#> 12 >" + tick + ">");

    // The list carries the first record along; a missing line becomes empty.
    QStringList shortList{lines.value.at(0)};
    QCOMPARE(RewriteRecord(shortList, {"x"}, 3, "103", 3, 1, path), RecordError::None);
    QCOMPARE(bytesOf(path), QByteArray("#101#> 12 >\xFC>\r\n\r\n#103#>x\r\n"));
}

void TestRecordFile::rewriteRecordRejectsBadInput_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("lineIndex");
    QTest::addColumn<int>("fieldCount");
    QTest::addColumn<RecordError>("error");

    QTest::newRow("separator in an answer")
        << QStringList{"a>b"} << 1 << 1 << RecordError::Unencodable;
    QTest::newRow("tag mark in an answer")
        << QStringList{"#102#"} << 1 << 1 << RecordError::Unencodable;
    QTest::newRow("line break in an answer")
        << QStringList{"a\r\n#FSE#"} << 1 << 1 << RecordError::Unencodable;
    QTest::newRow("outside Latin-1")
        << QStringList{QStringLiteral("\u20AC5")} << 1 << 1 << RecordError::Unencodable;
    QTest::newRow("fewer fields than counted")
        << QStringList{"a"} << 1 << 2 << RecordError::TooFewFields;
    QTest::newRow("line index beyond line count")
        << QStringList{"a"} << 3 << 1 << RecordError::CapacityExceeded;
    QTest::newRow("line index zero") << QStringList{"a"} << 0 << 1 << RecordError::CapacityExceeded;
    QTest::newRow("more than 80 fields")
        << QStringList(81, "a") << 1 << 81 << RecordError::CapacityExceeded;
}

void TestRecordFile::rewriteRecordRejectsBadInput() {
    QFETCH(QStringList, fields);
    QFETCH(int, lineIndex);
    QFETCH(int, fieldCount);
    QFETCH(RecordError, error);
    QTemporaryDir dir;
    const QString path = dir.filePath("first.txt");
    const QByteArray before("#101#>old\r\n#102#>\r\n");
    writeBytes(path, before);
    QStringList lines{"#101#>old", "#102#>"};
    QCOMPARE(RewriteRecord(lines, fields, lineIndex, "101", 2, fieldCount, path), error);
    QCOMPARE(bytesOf(path), before);
    QCOMPARE(lines, (QStringList{"#101#>old", "#102#>"}));
}

void TestRecordFile::failedWriteKeepsOldFile_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("target is a folder") << "folder";
    QTest::newRow("parent is a file") << "parent";
}

void TestRecordFile::failedWriteKeepsOldFile() {
    QFETCH(QString, how);
    QTemporaryDir dir;
    const QString blocker = dir.filePath("blocker");
    QString path;
    if (how == "folder") {
        QVERIFY(QDir().mkpath(blocker + "/inside"));
        path = blocker;
    } else {
        writeBytes(blocker, "keep me\r\n");
        path = blocker + "/first.txt";
    }
    QStringList lines{"#101#>old"};
    QCOMPARE(RewriteRecord(lines, {"new"}, 1, "101", 1, 1, path), RecordError::WriteFailed);
    QCOMPARE(lines, QStringList{"#101#>old"});
    const std::array<QStringList, 6> six{};
    QCOMPARE(WriteSixRecords(six, {"A", "B", "C", "D", "E", "F"}, 0, path),
             RecordError::WriteFailed);
    if (how == "folder")
        QVERIFY(QFileInfo(blocker + "/inside").isDir());
    else
        QCOMPARE(bytesOf(blocker), QByteArray("keep me\r\n"));

    // No half-written temporary file is left behind either.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{"blocker"});
}

void TestRecordFile::writeSixRecords() {
    QTemporaryDir dir;
    const QString path = dir.filePath("marks2FX.txt");
    writeBytes(path, "...\r\n#FSE#>>\r\n...\r\n");
    const std::array<QStringList, 6> fields{
        QStringList{"87.5", "", "ignored"}, QStringList{"", ""},   QStringList{"0:7:5", ""},
        QStringList{"09/03/2024", ""},      QStringList{"1", "0"}, QStringList{"0", "0"}};
    const QStringList tags{"FSE", "SSE", "LTM", "CDD", "FST", "SST"};
    QCOMPARE(WriteSixRecords(fields, tags, 2, path), RecordError::None);
    QCOMPARE(bytesOf(path), QByteArray("#FSE#>87.5>\r\n#SSE#>>\r\n#LTM#>0:7:5>\r\n"
                                       "#CDD#>09/03/2024>\r\n#FST#>1>0\r\n#SST#>0>0\r\n"));
    QCOMPARE(ReadRecordFields50(path, "fst", 2).value, (QStringList{"1", "0"}));

    std::array<QStringList, 6> shortOne = fields;
    shortOne[3] = QStringList{"x"};
    QCOMPARE(WriteSixRecords(shortOne, tags, 2, path), RecordError::TooFewFields);
    QCOMPARE(WriteSixRecords(fields, tags, 51, path), RecordError::CapacityExceeded);
}

QTEST_GUILESS_MAIN(TestRecordFile)
#include "test_record_file.moc"
