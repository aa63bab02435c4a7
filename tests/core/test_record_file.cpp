// Tagged record files: lookup, field splitting, batch readers, and the
// whole-file writers with their Latin-1 bytes, CR LF line ends and atomicity.

#include "UnreadableFile.h"
#include "core/RecordFile.h"
#include "results/TrendLog.h"
#include "test_support.h"

#include <QtTest>

#include <cerrno>

Q_DECLARE_METATYPE(RecordError)

using namespace TestFiles;

static void splitRow(const char* name, const QString& line, int count, int capacity,
                     const QStringList& fields, RecordError error = RecordError::None,
                     int tagLength = 3) {
    QTest::newRow(name) << line << count << capacity << tagLength << fields << error;
}

class TestRecordFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitRecordLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("tagLength");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<RecordError>("error");

        const QString paper = "#101#>25016>25019>25036";
        splitRow("three empty fields", "#101#>>>", 3, 80, {"", "", ""});
        splitRow("last field holds the rest", paper, 2, 50, {"25016", "25019>25036"});
        splitRow("all fields", paper, 3, 50, {"25016", "25019", "25036"});
        splitRow("empty middle and last", "#FSE#>87.5>>100>", 4, 50, {"87.5", "", "100", ""});
        splitRow("five-character tag", "#25310#>12>10>Ivan", 3, 80, {"12", "10", "Ivan"},
                 RecordError::None, 5);
        splitRow("first separator is not searched for", "#ABC#x>y", 1, 10, {">y"});
        splitRow("zero fields", "#101#>a", 0, 10, {});
        splitRow("more fields than held", "#101#>a>b", 3, 80, {}, RecordError::TooFewFields);
        splitRow("record without fields", "#TRD#", 1, 50, {}, RecordError::TooFewFields);
        splitRow("absent record", "", 1, 50, {}, RecordError::TooFewFields);
        splitRow("above capacity", "#TN1#" + QString(">a").repeated(11), 11, 10, {},
                 RecordError::CapacityExceeded);
        splitRow("negative count", "#101#>a", -1, 10, {}, RecordError::CapacityExceeded);
    }

    void splitRecordLine() {
        QFETCH(QString, line);
        QFETCH(int, count);
        QFETCH(int, capacity);
        QFETCH(int, tagLength);
        QFETCH(QStringList, fields);
        QFETCH(RecordError, error);
        const Read<QStringList> split = splitRecordFields(line, count, capacity, tagLength);
        QCOMPARE(split.error, error);
        QCOMPARE(split.value, fields);
    }

    void readers() {
        QTemporaryDir dir;
        const QString path = dir.filePath("records.txt");
        QVERIFY(writeBytes(path, "...\r\n\r\n-------------------------------\r\n#FSE#>1>2\r\n"
                                 "#SSE#>first\r\n#sse#>second\r\nnote #CDD#>x\r\n#NME#>\r\n"
                                 "#TRD#\r\n#TN1#>a>b>c\r\n#101#>25016>25019\r\n..."));
        // tag, whole line, value after the six-character prefix
        const QList<std::tuple<const char*, const char*, const char*>> rows{
            {"fse", "#FSE#>1>2", "1>2"},       // small letters find capitals
            {"SSE", "#SSE#>first", "first"},   // the first of two lines wins
            {"CDD", "note #CDD#>x", "CDD#>x"}, // the tag may stand anywhere
            {"NME", "#NME#>", ""},             // a value line without a value
            {"TRD", "#TRD#", ""},              // a record without fields
            {"ZZZ", "", ""}};                  // an absent tag is not an error
        for (const auto& [tag, line, value] : rows) {
            QCOMPARE(ReadRecordLine(path, tag).value, QString(line));
            const Read<QString> read = ReadRecordValue(path, tag);
            QCOMPARE(read.error, RecordError::None);
            QCOMPARE(read.value, QString(value));
        }
        QCOMPARE(ReadRecordFields10(path, "TN1", 4).error, RecordError::TooFewFields);
        QCOMPARE(ReadRecordFields10(path, "TN1", 11).error, RecordError::CapacityExceeded);
        QCOMPARE(ReadRecordFields10(path, "TN2", 1).error, RecordError::KeyMissing);
        QCOMPARE(ReadPaperRecordLines(path, 51).error, RecordError::CapacityExceeded);
        QCOMPARE(ReadRecordAllFields(path, "101").value, (QStringList{"25016", "25019"}));
        QCOMPARE(ReadRecordAllFields(path, "102").error, RecordError::KeyMissing);

        // A missing file: the system gave no reason.
        const QString missing = dir.filePath("missing.txt");
        QCOMPARE(ReadRecordLine(missing, "FSE").error, RecordError::FileMissing);
        QCOMPARE(ReadRecordLine(missing, "FSE").systemError, 0);
        QCOMPARE(ReadPaperRecordLines(missing, 3).error, RecordError::FileMissing);
        QCOMPARE(ReadRecordLine(dir.path(), "FSE").error, RecordError::FileMissing);
    }

    // A file the system refuses to read: every reader says it cannot be
    // read and carries the system's reason.
    void unreadableFileCarriesTheSystemsReason() {
        const QString refused = UnreadableFile::refusedToAll();
        QVERIFY2(QFileInfo(refused).isFile() && !QFile(refused).open(QIODevice::ReadOnly),
                 "this system reads the file every user should be refused");
        QStringList lines{"stale"};
        int systemError = 0;
        QCOMPARE(readRecordFileLines(refused, &lines, nullptr, -1, &systemError),
                 RecordError::FileUnreadable);
        QCOMPARE(systemError, EACCES);
        QCOMPARE(lines, QStringList());
        const QList<std::pair<const char*, Read<QStringList>>> reads{
            {"ReadRecordFields10", ReadRecordFields10(refused, "TN1", 1)},
            {"ReadRecordAllFields", ReadRecordAllFields(refused, "101")},
            {"ReadPaperRecordLines", ReadPaperRecordLines(refused, 3)},
            {"ReadFieldsForKeys", ReadFieldsForKeys(refused, {"101"})}};
        for (const auto& [reader, read] : reads) {
            QCOMPARE(read.error, RecordError::FileUnreadable);
            QVERIFY2(read.systemError == EACCES, reader);
        }
        QCOMPARE(CountFieldsPerKey(refused, {"101"}).systemError, EACCES);
        QCOMPARE(ReadRecordValue(refused, "FSE").systemError, EACCES);
        const Read<QString> line = ReadRecordLine(refused, "FSE");
        QCOMPARE(line.error, RecordError::FileUnreadable);
        QCOMPARE(line.reason(), QStringLiteral("the program is not allowed to read it"));
        QCOMPARE(recordErrorText(line.error, line.systemError),
                 QStringLiteral("the file cannot be read (the program is not allowed to read it)"));
        // Marking reads the trend log before it adds a value: the read's
        // reason reaches the message that marking failed.
        const RecordWrite trend = appendTrendValue(refused, QStringLiteral("50"));
        QCOMPARE(trend.error, RecordError::FileUnreadable);
        QCOMPARE(trend.reason(),
                 QStringLiteral("the file cannot be read (the program is not allowed to read it)"));
        QVERIFY(!readWasRefused(EIO));
        QCOMPARE(readFailureReason(EIO), QStringLiteral("the disk reported an error"));
    }

    void tagIndexFindsWhatFindTagLineFinds() {
        // Tags at the start, inside a line, in other cases, repeated, and a
        // "#" with no closing one.
        const QStringList lines{"#101#>a>b", "x#102#>c", "#Abc#>1",      "#101#>again",
                                "#abc#",     "#103",     "#104##105#>d", ""};
        const TagIndex index(lines);
        for (const QString& tag :
             QStringList{"101", "102", "abc", "ABC", "103", "104", "105", "106", ""}) {
            for (qsizetype from = 0; from <= lines.size(); ++from)
                QCOMPARE(index.find(tag, from), findTagLine(lines, tag, from));
        }
        QCOMPARE(index.find("abc", 3), qsizetype(4));

        // The lenient reader keeps what the strict splitter would refuse.
        QCOMPARE(recordFieldsAfterTag("#TRD#", "TRD"), QStringList());
        QCOMPARE(recordFieldsAfterTag("#trd#>1>2", "TRD"), (QStringList{"1", "2"}));
        QCOMPARE(recordFieldsAfterTag("#FSE#87.5>", "FSE"), (QStringList{"87.5", ""}));
        QCOMPARE(recordFieldsAfterTag("junk #101#>a", "101"), QStringList{"a"});
        QCOMPARE(recordFieldsAfterTag("#102#>a", "101"), QStringList());
    }

    void batchReadersMakeOneForwardPass() {
        QTemporaryDir dir;
        const QString path = dir.filePath("first.txt");
        // Latin-1 bytes; CR LF, a lone LF, a lone CR, and no line end at the end.
        QVERIFY(writeBytes(path, "...\r\n#101#>\xFC>\xFB\r\n#103#>c\n#102#>b\r#104#>d"));
        const Read<QStringList> lines = ReadPaperRecordLines(path, 4);
        QCOMPARE(lines.error, RecordError::None);
        // 102 stands after 103, so the pass is past 103 when it looks for it; the
        // key not found leaves only its own entry empty.
        QCOMPARE(lines.value,
                 (QStringList{QStringLiteral("#101#>\u00FC>\u00FB"), "#102#>b", "", "#104#>d"}));

        QVERIFY(
            writeBytes(path, "...\r\n#25016#>9\r\n#25310#>12>10>Ivan\r\n#25036#>;2;3;5> > \r\n"));
        const QStringList inOrder{"25016", "25310", "25036"};
        QCOMPARE(ReadFieldsForKeys(path, inOrder).value,
                 (QStringList{"9", "12", "10", "Ivan", ";2;3;5", " ", " "}));
        QCOMPARE(CountFieldsPerKey(path, inOrder).value, (QList<int>{1, 3, 3}));
        const QStringList outOfOrder{"25310", "25016"};
        QCOMPARE(ReadFieldsForKeys(path, outOfOrder).error, RecordError::KeyMissing);
        QCOMPARE(CountFieldsPerKey(path, outOfOrder).error, RecordError::KeyMissing);
    }

    void rewriteRecordWritesWholeFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("first2FX.txt");
        QVERIFY(writeBytes(path, "...\r\n#101#>>>\r\n#102#>>\r\n#103#>\r\n..."));
        Read<QStringList> lines = ReadPaperRecordLines(path, 3);
        const QString tick = QStringLiteral("\u00FC");
        QCOMPARE(RewriteRecord(lines.value, {" 12 ", tick, "", "unused"}, 1, "101", 3, 3, path),
                 RecordError::None);
        QCOMPARE(bytesOf(path), QByteArray("#101#> 12 >\xFC>\r\n#102#>>\r\n#103#>\r\n"));
        QCOMPARE(lines.value.at(0), "#101#> 12 >" + tick + ">");

        // The list carries the first record along; a missing line is written empty.
        QStringList shortList{lines.value.at(0)};
        QCOMPARE(RewriteRecord(shortList, {"x"}, 3, "103", 3, 1, path), RecordError::None);
        QCOMPARE(bytesOf(path), QByteArray("#101#> 12 >\xFC>\r\n\r\n#103#>x\r\n"));

        const std::array<QStringList, 6> six{QStringList{"87.5", "", "unused"},
                                             {"", ""},
                                             {"0:7:5", ""},
                                             {"09/03/2024", ""},
                                             {"1", "0"},
                                             {"0", "0"}};
        const QStringList tags{"FSE", "SSE", "LTM", "CDD", "FST", "SST"};
        QCOMPARE(WriteSixRecords(six, tags, 2, path), RecordError::None);
        QCOMPARE(bytesOf(path), QByteArray("#FSE#>87.5>\r\n#SSE#>>\r\n#LTM#>0:7:5>\r\n"
                                           "#CDD#>09/03/2024>\r\n#FST#>1>0\r\n#SST#>0>0\r\n"));
        QCOMPARE(WriteSixRecords(six, tags, 3, path), RecordError::TooFewFields);
    }

    void rewriteRecordRejectsBadInput_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<int>("lineIndex");
        QTest::addColumn<int>("fieldCount");
        QTest::addColumn<RecordError>("error");
        const auto bad = RecordError::Unencodable;
        QTest::newRow("separator in an answer") << QStringList{"a>b"} << 1 << 1 << bad;
        QTest::newRow("tag mark in an answer") << QStringList{"#102#"} << 1 << 1 << bad;
        QTest::newRow("line break in an answer") << QStringList{"a\r\n#FSE#"} << 1 << 1 << bad;
        QTest::newRow("outside Latin-1") << QStringList{QStringLiteral("\u20AC5")} << 1 << 1 << bad;
        QTest::newRow("fewer fields than counted")
            << QStringList{"a"} << 1 << 2 << RecordError::TooFewFields;
        QTest::newRow("line beyond line count")
            << QStringList{"a"} << 3 << 1 << RecordError::CapacityExceeded;
        QTest::newRow("more than 80 fields")
            << QStringList(81, "a") << 1 << 81 << RecordError::CapacityExceeded;
    }

    void rewriteRecordRejectsBadInput() {
        QFETCH(QStringList, fields);
        QFETCH(int, lineIndex);
        QFETCH(int, fieldCount);
        QFETCH(RecordError, error);
        QTemporaryDir dir;
        const QString path = dir.filePath("first.txt");
        QVERIFY(writeBytes(path, "#101#>old\r\n#102#>\r\n"));
        QStringList lines{"#101#>old", "#102#>"};
        QCOMPARE(RewriteRecord(lines, fields, lineIndex, "101", 2, fieldCount, path), error);
        QCOMPARE(bytesOf(path), QByteArray("#101#>old\r\n#102#>\r\n"));
        QCOMPARE(lines, (QStringList{"#101#>old", "#102#>"}));
    }

    void failedWriteKeepsOldFile() {
        QTemporaryDir dir;
        const QString blocker = dir.filePath("blocker");
        QVERIFY(writeBytes(blocker, "keep me\r\n"));
        const QString path = blocker + "/first.txt";
        QStringList lines{"#101#>old"};
        QCOMPARE(RewriteRecord(lines, {"new"}, 1, "101", 1, 1, path), RecordError::WriteFailed);
        QCOMPARE(lines, QStringList{"#101#>old"});
        QCOMPARE(WriteSixRecords({}, {"A", "B", "C", "D", "E", "F"}, 0, path),
                 RecordError::WriteFailed);
        QCOMPARE(bytesOf(blocker), QByteArray("keep me\r\n"));
        // No half-written temporary file is left behind either.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"blocker"});
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "test_record_file.moc"
