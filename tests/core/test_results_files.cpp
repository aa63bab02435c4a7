// The six results files of a module: creation from the templates, the marks
// file, the per-paper files and the trend log.

#include "results/TrendLog.h"
#include "test_support.h"

#include <QtTest>

Q_DECLARE_METATYPE(RecordError)

using namespace TestFiles;

namespace {

// A definition in which only module 2 exists, as in the fixture store.
ProgramDefinition moduleTwoOnly() {
    ProgramDefinition def;
    def.programCode = "FX";
    def.modules[1].heading = "Practice";
    return def;
}

const QList<QStringList> SixRecords{{"87.5", "", "100"},    {"", "", "90"},
                                    {"0:7:5", "", "0:3:1"}, {"09/03/2024", "", "10/03/2024"},
                                    {"1", "0", "1"},        {"0", "0", "1"}};

} // namespace

class TestResultsFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startupCreatesMissingFiles() {
        const ResourceStore store(FixtureRoot);
        ProgramDefinition def = moduleTwoOnly();
        QTemporaryDir dir;
        QStringList created;
        QCOMPARE(ensureResultsFiles(store, dir.path(), def, &created), QStringList());
        QCOMPARE(created.size(), 6);
        const QString trend = resultsFilePath(dir.path(), ResultsFile::Trend, 2, "FX");
        const QString first = resultsFilePath(dir.path(), ResultsFile::First, 2, "FX");
        QCOMPARE(bytesOf(dir.filePath("sresults2FX.txt")), store.itemBytes(30125));
        QCOMPARE(bytesOf(dir.filePath("marks2FX.txt")), store.itemBytes(30121));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 6); // only module 2 exists

        // One file missing: that one comes back from its template, the child's
        // other results stay.
        const QString marks = dir.filePath("marks2FX.txt");
        QVERIFY(writeBytes(first, "#101#>7\r\n"));
        QVERIFY(writeBytes(marks, "#FSE#>85\r\n"));
        QVERIFY(QFile::remove(trend));
        QCOMPARE(ensureResultsFiles(store, dir.path(), def, &created), QStringList());
        QCOMPARE(created, QStringList{trend});
        QCOMPARE(bytesOf(trend), store.itemBytes(30126));
        QCOMPARE(bytesOf(first), QByteArray("#101#>7\r\n"));
        QCOMPARE(bytesOf(marks), QByteArray("#FSE#>85\r\n"));

        // A module whose templates are absent stops the whole erase before any
        // file is replaced: the other module keeps its results.
        def.modules[0].heading = "Starter";
        const QStringList failed = ResetAllResults(store, dir.path(), def);
        QCOMPARE(failed.size(), 12);
        QVERIFY(failed.contains(dir.path() + "/marks1FX.txt"));
        QCOMPARE(bytesOf(marks), QByteArray("#FSE#>85\r\n"));
    }

    void eraseIsAllOrNothing_data() {
        QTest::addColumn<int>("blocked"); // the file with a folder in its place
        QTest::addColumn<bool>("whilePreparing");
        for (int k = 0; k < ResultsFileCount; ++k) {
            const QByteArray stem = resultsFileStem(ResultsFile(k)).toLatin1();
            QTest::newRow(QByteArray(stem + " blocked from the start").constData()) << k << true;
            QTest::newRow(QByteArray(stem + " blocked before its replace").constData())
                << k << false;
        }
    }

    void eraseIsAllOrNothing() {
        QFETCH(int, blocked);
        QFETCH(bool, whilePreparing);
        const ResourceStore store(FixtureRoot);
        ProgramDefinition def = moduleTwoOnly();
        QTemporaryDir dir;
        QStringList paths;
        for (int k = 0; k < ResultsFileCount; ++k) {
            paths << resultsFilePath(dir.path(), ResultsFile(k), 2, "FX");
            QVERIFY(writeBytes(paths.last(), "#TRD#>old" + QByteArray::number(k) + "\r\n"));
        }
        auto block = [&] {
            return QFile::remove(paths.at(blocked)) && QDir().mkpath(paths.at(blocked) + "/x");
        };
        if (whilePreparing)
            QVERIFY(block());

        ResultsErase erase(store, dir.path(), def);
        const bool prepared = erase.prepare();
        QCOMPARE(prepared, !whilePreparing);
        if (prepared) {
            // Something takes a file's place after every template was written.
            QVERIFY(block());
            erase.replace();
        }
        const EraseOutcome& outcome = erase.outcome();
        // Prepared: the files before the blocked one are replaced, in order;
        // not prepared: none are.
        const int replaced = whilePreparing ? 0 : blocked;
        QCOMPARE(outcome.erased, paths.mid(0, replaced));
        QCOMPARE(outcome.notErased, paths.mid(replaced));
        QCOMPARE(outcome.failedPath, paths.at(blocked));
        QVERIFY(!outcome.ok());
        for (int k = 0; k < ResultsFileCount; ++k) {
            if (k == blocked)
                QVERIFY(QFileInfo(paths.at(k)).isDir());
            else if (k < replaced)
                QCOMPARE(bytesOf(paths.at(k)),
                         store.itemBytes(resultsTemplateId(ResultsFile(k), 2)));
            else
                QCOMPARE(bytesOf(paths.at(k)), "#TRD#>old" + QByteArray::number(k) + "\r\n");
        }
        // No temporary is left behind, whatever happened.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(),
                 ResultsFileCount);

        // The pupil is told what is true: nothing erased, or which files were.
        const QString text = eraseProblemText(outcome);
        QVERIFY2(text.contains(QDir::toNativeSeparators(paths.at(blocked))), qPrintable(text));
        QCOMPARE(text.contains("Nothing has been erased"), replaced == 0);
        if (replaced > 0) {
            const QString erased = text.section("Erased: ", 1).section(". Not erased", 0, 0);
            QCOMPARE(
                erased.split(", "),
                QStringList(paths.mid(0, replaced)).replaceInStrings(dir.path() + "/", QString()));
            QVERIFY(text.endsWith(QFileInfo(paths.last()).fileName() + "."));
        }

        QVERIFY(QDir(paths.at(blocked)).removeRecursively());
        const EraseOutcome again = eraseAllResults(store, dir.path(), def);
        QVERIFY(again.ok());
        QCOMPARE(again.erased, paths);
        QCOMPARE(bytesOf(paths.at(blocked)),
                 store.itemBytes(resultsTemplateId(ResultsFile(blocked), 2)));
    }

    void damagedMarksRecordStandsAlone_data() {
        QTest::addColumn<int>("damaged");
        QTest::addColumn<QString>("line"); // the damaged record's line; null: none
        QTest::addColumn<RecordError>("error");
        for (int r = 0; r < 6; ++r) {
            const QString tag = marksTags().at(r);
            QTest::addRow("%s missing", qPrintable(tag))
                << r << QString() << RecordError::KeyMissing;
            QTest::addRow("%s short", qPrintable(tag))
                << r << buildRecordLine(tag, SixRecords.at(r).mid(0, 1))
                << RecordError::TooFewFields;
        }
        // Found by fuzzing: fields that do not start right after the tag once
        // split into a field holding ">", which no marking could write back.
        QTest::newRow("LTM fields not after the tag")
            << 2 << QStringLiteral("#LTM#CDD#>>>") << RecordError::TooFewFields;
    }

    void damagedMarksRecordStandsAlone() {
        QFETCH(int, damaged);
        QFETCH(QString, line);
        QFETCH(RecordError, error);
        QTemporaryDir dir;
        const QString path = dir.filePath("marks2FX.txt");
        QStringList lines;
        for (int r = 0; r < 6; ++r) {
            if (r != damaged)
                lines << buildRecordLine(marksTags().at(r), SixRecords.at(r));
            else if (!line.isNull())
                lines << line;
        }
        QCOMPARE(writeRecordLines(path, lines), RecordError::None);
        const Read<MarksRecords> read = readMarksFile(path, 3);
        QCOMPARE(read.error, error);
        // Only the damaged record reads empty (but for a short one's first
        // field), and only where it is.
        const auto six = read.value.asArray();
        for (int r = 0; r < 6; ++r) {
            QStringList expected = SixRecords.at(r);
            if (r != damaged && line.contains('#' + marksTags().at(r) + '#'))
                continue; // the lookup takes the first line holding a tag
            if (r == damaged)
                expected = QStringList{line.count('>') == 1 ? expected.at(0) : QString(), "", ""};
            QCOMPARE(six[r], expected);
        }
    }

    void marksReadAsOneRecordPerPaper() {
        MarksRecords marks;
        for (int r = 0; r < MarksRecordCount; ++r)
            marks[MarksRecord(r)] = SixRecords.at(r);

        const PaperMarks first = marks.paper(1);
        QCOMPARE(first.firstTenths, std::optional<qint64>(875));
        QCOMPARE(first.secondTenths, std::optional<qint64>());
        QCOMPARE(first.timeTaken, QString("0:7:5"));
        QCOMPARE(first.markedOn, QString("09/03/2024"));
        QVERIFY(first.firstMarked);
        QVERIFY(!first.secondMarked);
        QCOMPARE(marks.paper(3).secondTenths, std::optional<qint64>(900));
        QVERIFY(marks.paper(3).secondMarked);
        // A paper beyond the records reads as not attempted.
        const PaperMarks beyond = marks.paper(4);
        QVERIFY(!beyond.firstTenths && !beyond.firstMarked && beyond.markedOn.isEmpty());

        // Scores are percentages of at most one decimal, 0 to 100, and read
        // back as they were written; anything else is no score.
        for (const char* text : {"0", "33.3", "100", "87.5"})
            QCOMPARE(scoreText(scoreFromText(text)), QString(text));
        for (const char* text : {"", "100.1", "-1", "87.50", "87,5", "abc", " 50"})
            QCOMPARE(scoreFromText(text), std::optional<qint64>());
        QVERIFY(markedFromText("1") && markedFromText(" 1 "));
        QVERIFY(!markedFromText("0") && !markedFromText("") && !markedFromText("11"));
    }

    void damagedPaperRecordsGiveFieldsByPosition() {
        // Never a field holding ">", which no marking could write back, and
        // however long the record, no more than one field past the paper's.
        PaperLines damaged;
        damaged.paperCount = 4;
        damaged.lines =
            QStringList{"#101#>a>b", "#102#>a>b>c>d", "", "#104#>a" + QString(1 << 22, '>')};
        QCOMPARE(paperFields(damaged, 1, 3).value, (QStringList{"a", "b", ""}));
        QCOMPARE(paperFields(damaged, 2, 2).value, (QStringList{"a", "b"}));
        QCOMPARE(paperFields(damaged, 3, 2).value, (QStringList{"", ""}));
        QCOMPARE(paperFields(damaged, 4, 6).value, (QStringList{"a", "", "", "", "", ""}));
        QCOMPARE(paperFields(damaged, 5, 1).error, RecordError::CapacityExceeded);
        QCOMPARE(paperFields(damaged, 1, 81).error, RecordError::CapacityExceeded);
    }

    void trendAppend_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("third value")
            << QByteArray("#TRD#>87.5>100\r\n") << "66.7" << QByteArray("#TRD#>87.5>100>66.7\r\n");
        QTest::newRow("extra lines are dropped")
            << QByteArray("...\r\n#trd#>50\r\n#TRD#>1\r\nx\r\n") << "0"
            << QByteArray("#trd#>50>0\r\n");
        QTest::newRow("no trend line starts a fresh one")
            << QByteArray("75>80\r\nrubbish\r\n") << "100" << QByteArray("#TRD#>100\r\n");
    }

    void trendAppend() {
        QFETCH(QByteArray, before);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath("trend2FX.txt");
        QVERIFY(writeBytes(path, before));
        QCOMPARE(appendTrendValue(path, value), RecordError::None);
        QCOMPARE(bytesOf(path), after);
        QCOMPARE(readTrendLine(path).value, QString::fromLatin1(after.chopped(2)));

        // A value that would break the record is refused, and the log kept.
        QCOMPARE(appendTrendValue(path, "5>6"), RecordError::Unencodable);
        QCOMPARE(bytesOf(path), after);
        QVERIFY(QDir().mkpath(dir.filePath("blocked/x")));
        QCOMPARE(appendTrendValue(dir.filePath("blocked"), "1"), RecordError::WriteFailed);
    }
};

QTEST_GUILESS_MAIN(TestResultsFiles)
#include "test_results_files.moc"
