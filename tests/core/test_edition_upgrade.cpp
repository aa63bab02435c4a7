// A results folder of an earlier edition meets content whose papers have
// changed: the saved answers of the changed papers go, everything else stays.

#include "core/ResourceStore.h"
#include "main_window/Startup.h"
#include "results/EditionUpgrade.h"
#include "results/PupilRoster.h"
#include "results/ResultsFiles.h"
#include "results/TrendLog.h"
#include "test_support.h"

#include <QtTest>

using namespace TestFiles;

namespace {

// The stamps of content whose later edition changed paper 103 alone.
const QStringList Changed103 = {"2", "2", "3.ee", "2", "2"};

// A copy of the fixture store whose definition stamps its papers so.
struct StampedStore {
    QTemporaryDir root;
    std::unique_ptr<ResourceStore> store;
    explicit StampedStore(const QStringList& stamps) {
        const QStringList definition =
            QStringLiteral("...|#NME#>Fixture Maths|#COD#>FX|#LBH#>Practice|#EDN#>3|#TT2#>1|"
                           "#TP2#>5|#TN2#>Sums and Shapes|#PS2#>%1|...")
                .arg(stamps.join('>'))
                .split('|');
        if (!copyStoreWith(root.path(), 30000, definition))
            qFatal("the stamped store cannot be made");
        store = std::make_unique<ResourceStore>(root.path());
    }
};

void setRecord(ModuleFolder& folder, ResultsFile file, int paper, const QStringList& fields) {
    Read<PaperLines> lines = readPaperLines(folder.file(file), 5);
    QVERIFY(lines.ok());
    QCOMPARE(writePaperRecord(lines.value, paper - 100, fields), RecordError::None);
}

QString Record(ModuleFolder& folder, ResultsFile file, int paper) {
    const Read<PaperLines> lines = readPaperLines(folder.file(file), 5);
    return lines.value.lines.value(paper - 101);
}

// One run of the program: its start, then its end, which frees the folder.
Startup::Outcome startOnce(const ResourceStore& store, const QString& folder) {
    Startup::Outcome outcome = Startup(store, folder).run();
    outcome.lock.reset();
    return outcome;
}

QString empty(int paper, int blanks) {
    return QStringLiteral("#%1#").arg(paper) + QString(blanks, QLatin1Char('>'));
}

// The first pupil's results, paper 103 half answered.
void answer103(ModuleFolder& folder) {
    QVERIFY(folder.start());
    // A start first makes the results the first pupil's.
    QVERIFY(startOnce(*folder.store, folder.path()).ok());
    setRecord(folder, ResultsFile::First, 103, {"1", "2"});
}

} // namespace

class TestEditionUpgrade : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void secondEditionFolderUpgraded() {
        // A folder the second edition wrote: no edition mark.
        ModuleFolder folder;
        QVERIFY(folder.start());
        const QStringList half101 = {"4", "", "7", "", "", ""};
        setRecord(folder, ResultsFile::First, 101, half101); // unchanged, half answered
        setRecord(folder, ResultsFile::First, 102, {"3", "", "", "", "", "", "", "", "9"});
        // Paper 104: first attempt marked, second begun.
        setRecord(folder, ResultsFile::First, 104, {"12"});
        setRecord(folder, ResultsFile::FResults, 104, {resultMarkText(ResultMark::Wrong)});
        setRecord(folder, ResultsFile::Second, 104, {"13"});
        Read<MarksRecords> marks = readMarksFile(folder.file(ResultsFile::Marks), 5);
        QVERIFY(marks.ok());
        marks.value.FSE[3] = "0";
        marks.value.FST[3] = "1";
        QCOMPARE(writeMarksFile(folder.file(ResultsFile::Marks), marks.value, 5),
                 RecordError::None);
        QCOMPARE(appendTrendValue(folder.file(ResultsFile::Trend), "0"), RecordError::None);
        const auto before = folder.snapshot();

        // The third edition changed papers 102, 104 and 105.
        StampedStore root({"2", "3.aa", "2", "3.bb", "3.cc"});
        const Startup::Outcome outcome = startOnce(*root.store, folder.path());
        QVERIFY(outcome.ok());
        QCOMPARE(outcome.upgrade.clearedPapers, (QList<int>{102, 104}));
        QVERIFY(!EditionUpgrade::message(outcome.upgrade).isEmpty());

        // Scores, states and the trend as they were.
        const auto after = folder.snapshot();
        for (ResultsFile f : {ResultsFile::Marks, ResultsFile::Trend, ResultsFile::SResults})
            QCOMPARE(after.value(f), before.value(f));
        // The unchanged paper keeps its answers; the changed ones have none.
        QCOMPARE(Record(folder, ResultsFile::First, 101), buildRecordLine("101", half101));
        QCOMPARE(Record(folder, ResultsFile::First, 102), empty(102, 9));
        for (ResultsFile f : {ResultsFile::First, ResultsFile::FResults, ResultsFile::Second})
            QCOMPARE(Record(folder, f, 104), empty(104, 1));

        // Answers saved in the new edition stay at the next start...
        setRecord(folder, ResultsFile::First, 102, {"5", "", "", "", "", "", "", "", ""});
        const auto saved = folder.snapshot();
        const Startup::Outcome again = startOnce(*root.store, folder.path());
        QVERIFY(again.ok());
        QVERIFY(again.upgrade.clearedPapers.isEmpty());
        QVERIFY(EditionUpgrade::message(again.upgrade).isEmpty());
        QCOMPARE(folder.snapshot(), saved);

        // ...until a later edition changes that paper too.
        StampedStore later({"2", "3.dd", "2", "3.bb", "3.cc"});
        const Startup::Outcome third = startOnce(*later.store, folder.path());
        QVERIFY(third.ok());
        QCOMPARE(third.upgrade.clearedPapers, QList<int>{102});
        QCOMPARE(Record(folder, ResultsFile::First, 101), buildRecordLine("101", half101));
    }

    // What cannot be read or written does not keep the changed paper's
    // answers; the next start finishes what was left.
    void markNotWrittenStopsAndRetries() {
        ModuleFolder folder;
        answer103(folder);
        StampedStore root(Changed103);
        const QString mark = EditionUpgrade::markFilePath(folder.results(), 2, "FX");
        // A folder where the second attempt's answers should be: the start goes
        // on, but without the mark, so the next start looks at that file again.
        const QString second = folder.file(ResultsFile::Second);
        QVERIFY(QFile::remove(second));
        QVERIFY(QDir().mkpath(second));
        const Startup::Outcome unread = startOnce(*root.store, folder.path());
        QVERIFY(unread.ok());
        QCOMPARE(unread.upgrade.unreadable, QStringList{second});
        QCOMPARE(unread.upgrade.clearedPapers, QList<int>{103});
        QCOMPARE(Record(folder, ResultsFile::First, 103), empty(103, 2));
        QVERIFY(!QFile::exists(mark));

        // A folder where the mark should go: it cannot be written.
        QVERIFY(QDir(second).removeRecursively());
        setRecord(folder, ResultsFile::First, 103, {"1", "2"});
        QVERIFY(QDir().mkpath(mark));
        const Startup::Outcome blocked = startOnce(*root.store, folder.path());
        QCOMPARE(blocked.problem, Startup::Problem::ResultsNotWritable);
        QCOMPARE(blocked.upgrade.unwritten, QStringList{mark});
        // The old answers are gone already; the next start writes the mark.
        QCOMPARE(Record(folder, ResultsFile::First, 103), empty(103, 2));
        QVERIFY(QDir(mark).removeRecursively());
        QVERIFY(startOnce(*root.store, folder.path()).ok());
        QCOMPARE(ReadRecordAllFields(mark, "PST").value, Changed103);
        QCOMPARE(ReadRecordValue(mark, "EDN").value, QStringLiteral("3"));
    }

    // With several pupils each one's answers are upgraded when that pupil is
    // chosen, in that pupil's folder alone.
    void everyPupilUpgradedWhenChosen() {
        ModuleFolder folder;
        answer103(folder);
        PupilRoster roster(folder.path());
        roster.load();
        int zoe = 0;
        QVERIFY(roster.add(QStringLiteral("Zoë"), &zoe).ok());
        QVERIFY(
            ensureResultsFiles(*folder.store, roster.folderOf(zoe), folder.definition).isEmpty());
        const QString zoesFirst = resultsFilePath(roster.folderOf(zoe), ResultsFile::First, 2,
                                                  folder.definition.programCode);
        Read<PaperLines> lines = readPaperLines(zoesFirst, 5);
        QCOMPARE(writePaperRecord(lines.value, 3, {"5", "6"}), RecordError::None);

        StampedStore root(Changed103);
        const Startup::Outcome outcome = startOnce(*root.store, folder.path());
        QVERIFY(outcome.ok());
        QCOMPARE(outcome.pupil, 0); // to be asked
        const auto choose = [&](int id) {
            return Startup::preparePupil(*root.store, roster.folderOf(id), outcome.definition);
        };
        QCOMPARE(choose(zoe).upgrade.clearedPapers, QList<int>{103});
        QCOMPARE(readPaperLines(zoesFirst, 5).value.lines.value(2), empty(103, 2));
        QCOMPARE(Record(folder, ResultsFile::First, 103), buildRecordLine("103", {"1", "2"}));
        QCOMPARE(choose(1).upgrade.clearedPapers, QList<int>{103});
        QCOMPARE(Record(folder, ResultsFile::First, 103), empty(103, 2));
    }

    void definitionWithoutStampsChangesNothing() {
        ModuleFolder folder;
        QVERIFY(folder.start());
        setRecord(folder, ResultsFile::First, 103, {"1", "2"});
        const auto before = folder.snapshot();
        const Startup::Outcome outcome = startOnce(*folder.store, folder.path());
        QVERIFY(outcome.ok());
        QVERIFY(outcome.upgrade.clearedPapers.isEmpty());
        QCOMPARE(folder.snapshot(), before);
        QVERIFY(!QFile::exists(EditionUpgrade::markFilePath(folder.results(), 2, "FX")));
        // Stamps that do not give one per paper are not believed.
        StampedStore root({"2", "3.aa"});
        const DefinitionRead read = readProgramDefinition(*root.store, folder.path());
        QCOMPARE(read.error, DefinitionError::None);
        QCOMPARE(read.definition.edition, QStringLiteral("3"));
        QVERIFY(read.definition.module(2).paperStamps.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestEditionUpgrade)
#include "test_edition_upgrade.moc"
