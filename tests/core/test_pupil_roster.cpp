// The pupils sharing one login: results of before become the first pupil's,
// names are kept as data whatever they hold, and removing, renaming and
// choosing touch the pupils file and one pupil's folder only.

#include "core/ProgramFolder.h"
#include "main_window/Startup.h"
#include "test_support.h"

#include <QDirIterator>
#include <QtTest>

using namespace TestFiles;

namespace {

constexpr int Zoe = 2;
constexpr int Sam = 3;

// The bytes of the six files of module 2 in folder: moved or copied whole.
QMap<ResultsFile, QByteArray> filesIn(const QString& folder, const ProgramDefinition& definition) {
    return resultsSnapshot(
        [&](ResultsFile f) { return resultsFilePath(folder, f, 2, definition.programCode); });
}

// Marks paperNum's first attempt with wrong answers, then its second with
// the first question right, and leaves typed answers on paper 102.
void workIn(ModuleFolder& folder, int paperNum) {
    QVERIFY(folder.start());
    auto first = folder.open(paperNum);
    folder.clock.advanceSeconds(75);
    QVERIFY(first->prepareMarking(QStringList(first->currentBlankCount(), "0")).ok());
    QVERIFY(first->completeMarking().ok());
    auto second = folder.open(paperNum, 2);
    const QStringList keys = correctAnswers(second->paper().AnswerKeys);
    QVERIFY(second->prepareMarking(keys.mid(0, second->currentBlankCount())).ok());
    QVERIFY(second->completeMarking().ok());
    auto typed = folder.open(102);
    typed->storeQuestionAnswers({" 7 ", "x y"});
    QVERIFY(typed->saveAnswers().ok());
}

// Every path under folder, relative to it.
QStringList tree(const QString& folder) {
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << QDir(folder).relativeFilePath(it.next());
    paths.sort();
    return paths;
}

// The roster of folder with Pupil 1, Zoë and Sam.
PupilRoster family(const QString& folder) {
    PupilRoster roster(folder);
    roster.load();
    if (!roster.add(QStringLiteral("Zoë")).ok() || !roster.add(QStringLiteral("Sam")).ok())
        qFatal("Zoë and Sam cannot be added");
    return roster;
}

} // namespace

class TestPupilRoster : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Also cut off after three files were moved, before the pupils file.
    void resultsOfBeforeBecomePupilOne() {
        for (const bool cutOff : {false, true}) {
            const auto row = qScopeGuard([&] {
                if (QTest::currentTestFailed())
                    qWarning("in the start %s", cutOff ? "cut off" : "not cut off");
            });
            ModuleFolder folder;
            workIn(folder, cutOff ? 103 : 101);
            const auto before = filesIn(folder.path(), folder.definition);
            QVERIFY(!before.values().contains("<missing>"));
            const QString pupil1 = folder.path() + "/pupil1";
            for (ResultsFile file : {ResultsFile::Marks, ResultsFile::First, ResultsFile::Trend}) {
                const QString name = QFileInfo(folder.file(file)).fileName();
                QVERIFY(!cutOff || (QDir().mkpath(pupil1) &&
                                    QFile::rename(folder.file(file), pupil1 + "/" + name)));
            }

            // The start does the move, then finds all six files: nothing made anew.
            Startup::Outcome outcome = Startup(*folder.store, folder.path()).run();
            QVERIFY(outcome.ok());
            QCOMPARE(outcome.pupil, 1);
            const PupilRoster::LoadReport& report = outcome.rosterReport;
            QCOMPARE(report.migratedFiles, cutOff ? 3 : 6);
            QVERIFY(report.adopted.isEmpty() && report.missing.isEmpty() && !report.rebuilt);
            QCOMPARE(outcome.createdResults, QStringList());
            QCOMPARE(filesIn(pupil1, folder.definition), before);
            QCOMPARE(QDir(folder.path()).entryList({"*.txt"}, QDir::Files), QStringList());

            // The next start moves nothing and changes nothing.
            const QByteArray pupilsFile = bytesOf(folder.path() + "/pupils.json");
            outcome.lock.reset();
            Startup::Outcome again = Startup(*folder.store, folder.path()).run();
            QVERIFY(again.ok());
            QCOMPARE(again.rosterReport.migratedFiles, 0);
            QCOMPARE(again.roster.pupils().size(), 1);
            QCOMPARE(again.roster.remove(1).problem, PupilRoster::Problem::OnlyPupil);
            QCOMPARE(bytesOf(folder.path() + "/pupils.json"), pupilsFile);
            QCOMPARE(filesIn(pupil1, folder.definition), before);
        }
    }

    void names_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("accents") << QStringLiteral("Zoë");
        QTest::newRow("arabic") << QStringLiteral("ليلى");
        QTest::newRow("emoji") << QStringLiteral("Sam 🦊");
        // Any name stays out of every path: one that would lead out of the folder.
        QTest::newRow("dots and slashes") << QStringLiteral("../..");
        QTest::newRow("backslash and quotes") << QStringLiteral("\\\"x\"\\");
        QTest::newRow("200 letters") << QString(PupilRoster::MaxNameLength, QLatin1Char('n'));
    }

    void names() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString results = dir.filePath("results");
        QVERIFY(QDir().mkpath(results));
        PupilRoster roster(results);
        roster.load();
        int id = 0;
        QVERIFY(roster.add(name, &id).ok());
        QCOMPARE(roster.shownName(id), name);
        // Something in the new pupil's folder, to see that renaming keeps it.
        QVERIFY(writeBytes(roster.folderOf(id) + "/marks2QMP.txt", "#FSE#>90\r\n"));

        // Only the pupils file and the two folders, all inside the results folder.
        QCOMPARE(tree(dir.path()),
                 QStringList({"results", "results/pupil1", "results/pupil2",
                              "results/pupil2/marks2QMP.txt", "results/pupils.json"}));
        PupilRoster read(results);
        read.load();
        QCOMPARE(read.pupils().size(), 2);
        QCOMPARE(read.find(id)->name, name);

        // Renaming to it and back moves no file.
        QVERIFY(read.rename(1, QStringLiteral("Kim")).ok());
        QVERIFY(read.rename(id, QStringLiteral("Bea")).ok());
        QVERIFY(read.rename(id, QStringLiteral("  ") + name + QStringLiteral(" ")).ok());
        PupilRoster reread(results);
        reread.load();
        QCOMPARE(reread.find(id)->name, name);
        QCOMPARE(reread.find(1)->name, QStringLiteral("Kim"));
        QCOMPARE(bytesOf(reread.folderOf(id) + "/marks2QMP.txt"), QByteArray("#FSE#>90\r\n"));
        QCOMPARE(tree(dir.path()).size(), 5);
    }

    void refusedNames() {
        QTemporaryDir dir;
        PupilRoster roster = family(dir.path());
        const QByteArray file = bytesOf(dir.filePath("pupils.json"));
        using P = PupilRoster::Problem;
        const QList<QPair<QString, P>> refused = {
            {QString(), P::EmptyName},
            {QStringLiteral(" \t "), P::EmptyName},
            {QString(PupilRoster::MaxNameLength + 1, QLatin1Char('n')), P::NameTooLong},
            {QStringLiteral("Ann\nBo"), P::NameHasBreaks},
            {QStringLiteral("zoë"), P::DuplicateName},
            // The same letters, the accent coded as a letter of its own.
            {QStringLiteral("Zoe\u0308"), P::DuplicateName},
            {QStringLiteral(" ZOË "), P::DuplicateName},
            {QStringLiteral("pupil 1"), P::DuplicateName},
        };
        for (const auto& [name, problem] : refused) {
            QCOMPARE(roster.add(name).problem, problem);
            QVERIFY(!PupilRoster::problemText(problem, name).isEmpty());
        }
        QCOMPARE(roster.rename(1, QStringLiteral("ZOË")).problem, P::DuplicateName);
        QCOMPARE(roster.rename(1, QStringLiteral("")).problem, P::EmptyName);
        QCOMPARE(roster.rename(9, QStringLiteral("Bea")).problem, P::UnknownPupil);
        QCOMPARE(roster.choose(42).problem, P::UnknownPupil);
        QCOMPARE(bytesOf(dir.filePath("pupils.json")), file);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList({"pupil1", "pupil2", "pupil3"}));
    }

    void removeSetsAsideOnePupil() {
        QTemporaryDir dir;
        PupilRoster roster = family(dir.path());
        QVERIFY(writeBytes(roster.folderOf(Zoe) + "/trend2QMP.txt", "#TRD#>50\r\n"));
        QVERIFY(writeBytes(roster.folderOf(Sam) + "/trend2QMP.txt", "#TRD#>80\r\n"));
        QVERIFY(roster.choose(Zoe).ok());
        const QByteArray listed = bytesOf(dir.filePath("pupils.json"));

        QVERIFY(roster.remove(Zoe).ok());
        QVERIFY(!roster.find(Zoe));
        // The one chosen last goes with the pupil; another takes the place.
        QVERIFY(roster.find(roster.lastChosen()));
        QVERIFY(!QFileInfo::exists(roster.folderOf(Zoe)));
        QCOMPARE(bytesOf(roster.folderOf(Sam) + "/trend2QMP.txt"), "#TRD#>80\r\n");
        const QString json = QString::fromUtf8(bytesOf(dir.filePath("pupils.json")));
        QVERIFY2(json.contains("removed/pupil2"), qPrintable(json));

        // Cut off after the folder was set aside, before the list was written:
        // the next load finishes it, and a new pupil gets a new number.
        QVERIFY(writeBytes(dir.filePath("pupils.json"), listed));
        PupilRoster next(dir.path());
        PupilRoster::LoadReport report = next.load();
        QCOMPARE(next.pupils().size(), 2);
        QVERIFY(!next.find(Zoe));
        QVERIFY(report.missing.isEmpty());
        int ann = 0;
        QVERIFY(next.add(QStringLiteral("Ann"), &ann).ok());
        QCOMPARE(ann, 4);

        // A parent puts the folder back: Zoë is listed again under her name.
        QVERIFY(QDir().rename(next.removedFolderOf(Zoe), next.folderOf(Zoe)));
        PupilRoster back(dir.path());
        report = back.load();
        QVERIFY(back.find(Zoe));
        QCOMPARE(back.find(Zoe)->name, QStringLiteral("Zoë"));
        QCOMPARE(report.adopted, QStringList{QStringLiteral("Zoë")});
        QCOMPARE(bytesOf(back.folderOf(Zoe) + "/trend2QMP.txt"), "#TRD#>50\r\n");

        // A listed pupil whose folder went some other way is told, not dropped.
        QVERIFY(QDir(back.folderOf(Zoe)).removeRecursively());
        PupilRoster lost(dir.path());
        report = lost.load();
        QCOMPARE(report.missing, QStringList{QStringLiteral("Zoë")});
        QVERIFY(lost.find(Zoe));
    }

    void damagedPupilsFileKeepsEveryFolder() {
        QTemporaryDir dir;
        PupilRoster roster = family(dir.path());
        for (int id : {1, Zoe, Sam})
            QVERIFY(writeBytes(roster.folderOf(id) + "/first2QMP.txt", "#101#>a\r\n"));
        const QByteArray damaged = bytesOf(dir.filePath("pupils.json")).left(40);
        QVERIFY(writeBytes(dir.filePath("pupils.json"), damaged));

        PupilRoster read(dir.path());
        QVERIFY(read.load().rebuilt);
        QCOMPARE(read.pupils().size(), 3);
        QCOMPARE(bytesOf(dir.filePath("pupils.json.damaged")), damaged);
        for (int id : {1, Zoe, Sam})
            QCOMPARE(bytesOf(read.folderOf(id) + "/first2QMP.txt"), "#101#>a\r\n");
        // The names that could still be read are kept; the others are numbered.
        QStringList names;
        for (const Pupil& pupil : read.pupils())
            names << pupil.name;
        QVERIFY2(names.contains("Pupil 2") || names.contains("Zoë"), qPrintable(names.join(',')));
        QVERIFY(names.contains("Pupil 3"));
    }

    // Results left in a folder the program can no longer write are copied with
    // every pupil's folder, the list last.
    void strandedPupilsAreCopiedWhole() {
        ModuleFolder folder;
        workIn(folder, 104);
        QVERIFY(Startup(*folder.store, folder.path()).run().ok());
        PupilRoster roster(folder.path());
        roster.load();
        QVERIFY(roster.add(QStringLiteral("Zoë")).ok());
        QVERIFY(
            ensureResultsFiles(*folder.store, roster.folderOf(Zoe), folder.definition).isEmpty());
        const QStringList names = resultsFilesIn(folder.path());
        QCOMPARE(names.size(), 13);
        QCOMPARE(names.last(), QStringLiteral("pupils.json"));
        QVERIFY(names.contains("pupil2/trend2" + folder.definition.programCode + ".txt"));

        QTemporaryDir elsewhere;
        QCOMPARE(copyResultsFiles(folder.path(), elsewhere.path()), QStringList());
        PupilRoster copied(elsewhere.path());
        copied.load();
        QCOMPARE(copied.pupils().size(), 2);
        QCOMPARE(copied.find(Zoe)->name, QStringLiteral("Zoë"));
        for (int id : {1, Zoe})
            QCOMPARE(filesIn(copied.folderOf(id), folder.definition),
                     filesIn(roster.folderOf(id), folder.definition));
    }
};

QTEST_GUILESS_MAIN(TestPupilRoster)
#include "test_pupil_roster.moc"
