// What the program does when the disk refuses a write (a full disk): no file
// is ever replaced by a part of itself, the pupil is told why, and marking
// stays undone.

#include "SmallDisk.h"
#include "core/AtomicWrite.h"
#include "core/ProgramFolder.h"
#include "main_window/Startup.h"
#include "results/ResultsRepair.h"
#include "test_support.h"

#include <QStandardPaths>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace TestFiles;

// Everything in a folder but the files a test expects: the temporaries a
// write leaves behind.
QStringList strays(const QString& folder, const QStringList& expected) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                               QDir::NoDotAndDotDot);
    for (const QString& name : expected)
        names.removeAll(name);
    return names;
}

QStringList resultsNames(const ModuleFolder& folder) {
    QStringList names;
    for (ResultsFile file : AllResultsFiles)
        names << QFileInfo(folder.file(file)).fileName();
    names.sort();
    return names;
}

// A program folder of the shipped module on the small disk, started.
std::unique_ptr<ModuleFolder> folderOn(const SmallDisk& disk) {
    auto folder = std::make_unique<ModuleFolder>(QString::fromLatin1(ResourceStore::BuiltInRoot));
    folder->at = disk.folder();
    if (!folder->start())
        qFatal("the results files do not fit on the small disk");
    return folder;
}

} // namespace

class TestDiskFaults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void writesOnAFullDiskLeaveTheOldFile() {
        SmallDisk disk;
        const QString path = disk.folder() + "/marks2FX.txt";
        const QByteArray old = "#FSE#>87.5\r\n" + QByteArray(6000, 'o') + "\r\n";
        QVERIFY(writeBytes(path, old));
        QVERIFY(disk.fill());

        const FileWriteOutcome atomic = writeFileAtomically(path, QByteArray(9000, 'n'));
        QVERIFY(!atomic.ok());
        QCOMPARE(atomic.reason(), disk.reason());
        QCOMPARE(atomic.diskFull(), disk.mounted());
        QCOMPARE(bytesOf(path), old);

        // A scratch copy that does not fit is not left behind in part.
        const QString scratch = disk.folder() + "/temptext.txt";
        QCOMPARE(writeScratchFile(scratch, QByteArray(9000, 's')).reason(), disk.reason());
        QVERIFY(!QFile::exists(scratch));

        // The store's copy of a template over a results file, as erasing does.
        const ResourceStore store;
        FileWriteOutcome why;
        QCOMPARE(
            store.ExtractResource(30126, "Custom", path, ResourceStore::Durability::Durable, &why),
            ResourceStore::ExtractResult::WriteFailed);
        QCOMPARE(why.reason(), disk.reason());
        QCOMPARE(bytesOf(path), old);
        QCOMPARE(strays(disk.folder(), {"marks2FX.txt"}), QStringList());

        disk.release();
        QVERIFY(writeFileAtomically(path, "new\r\n").ok());
        QCOMPARE(bytesOf(path), QByteArray("new\r\n"));
        QCOMPARE(strays(disk.folder(), {"marks2FX.txt"}), QStringList());
    }

    void savingAndMarkingOnAFullDiskChangeNothing() {
        SmallDisk disk;
        auto folder = folderOn(disk);
        auto session = folder->open(102);
        const PaperState& paper = session->paper();
        const QStringList correct = correctAnswers(paper.AnswerKeys);
        const int last = paper.QuestionCount;
        auto rows = [&] {
            return correct.mid(session->currentFirstBlank(), session->currentBlankCount());
        };
        for (int q = 1; q <= last; ++q)
            QVERIFY(session->moveToQuestion(rows(), qMin(q + 1, last)).ok());
        const QList<ResultMark> unmarked = paper.Results;
        const auto before = folder->snapshot();
        QVERIFY(disk.fill());

        // A move keeps the pupil on the question and says why.
        const WriteOutcome moved = session->moveToQuestion(rows(), 1);
        QVERIFY(!moved.ok());
        QCOMPARE(moved.error, RecordError::WriteFailed);
        QCOMPARE(moved.reason, disk.reason());
        QCOMPARE(moved.path, folder->file(ResultsFile::First));
        QCOMPARE(session->paper().QSCount, last);
        QCOMPARE(session->saveAnswers().reason, disk.reason());
        QCOMPARE(session->prepareMarking(rows()).reason, disk.reason());
        QCOMPARE(folder->snapshot(), before);

        // Marking on a full disk: every answer right, yet not marked, and
        // not one of the three files it writes has changed.
        const WriteOutcome marked = session->completeMarking();
        QVERIFY(!marked.ok());
        QCOMPARE(marked.reason, disk.reason());
        QVERIFY(!session->isMarked());
        QCOMPARE(session->paper().PScoring, QString());
        QCOMPARE(session->paper().Results, unmarked);
        QCOMPARE(folder->snapshot(), before);
        QCOMPARE(strays(disk.folder(), resultsNames(*folder)), QStringList());

        // Room again: the same session marks in full.
        disk.release();
        QVERIFY(session->completeMarking().ok());
        QCOMPARE(session->paper().PScoring, QStringLiteral("100"));
        const Read<MarksRecords> marks = readMarksFile(folder->file(ResultsFile::Marks), 50);
        QCOMPARE(marks.value.FST.at(1), QStringLiteral("1"));
        QCOMPARE(marks.value.FSE.at(1), QStringLiteral("100"));
        QVERIFY(bytesOf(folder->file(ResultsFile::Trend)).startsWith("#TRD#>100"));
        QCOMPARE(strays(disk.folder(), resultsNames(*folder)), QStringList());
    }

    void openingAPaperOnAFullDiskSaysSo() {
        SmallDisk disk;
        auto folder = folderOn(disk);
        QVERIFY(disk.fill());
        auto session = folder->session(101);
        const LoadOutcome loaded = session->load();
        QCOMPARE(loaded.problem, LoadProblem::ContentNotWritten);
        QCOMPARE(loaded.reason, disk.reason());
        QVERIFY(loaded.details.first().contains(disk.reason()));
        QVERIFY(!QFile::exists(folder->path() + "/temptext.txt"));
        disk.release();
        auto opened = folder->open(101);
        // A question document that does not fit says so too.
        QVERIFY(disk.fill());
        QVERIFY(!opened->extractQuestionDocument());
        QCOMPARE(opened->documentNotWritten(), disk.reason());
        QVERIFY(!QFile::exists(opened->paper().DocumentPath));
        disk.release();
        QVERIFY(opened->extractQuestionDocument());
        QCOMPARE(opened->documentNotWritten(), QString());
    }

    void startingOnAFullDiskSaysWhy() {
        SmallDisk disk;
        QVERIFY(disk.fill());
        const ResourceStore store;
        const Startup::Outcome outcome = Startup(store, disk.folder()).run();
        QCOMPARE(outcome.problem, Startup::Problem::DefinitionNotWritten);
        QCOMPARE(outcome.reason, disk.reason());
        QCOMPARE(resultsFilesIn(disk.folder()), QStringList());
        QVERIFY(!QFile::exists(disk.folder() + "/temptext30000.txt"));
    }

    void repairAndEraseOnAFullDiskChangeNothing() {
        SmallDisk disk;
        auto folder = folderOn(disk);
        auto session = folder->open(101);
        QVERIFY(session->prepareMarking({"1"}).ok() && session->completeMarking().ok());
        const QString marks = folder->file(ResultsFile::Marks);
        // Cut off before the state records, as a write that ran out of room
        // used to leave it: paper 1's score is there, its state is not.
        QByteArray cut = bytesOf(marks);
        cut.truncate(cut.indexOf("#FST#"));
        QVERIFY(writeBytes(marks, cut));
        const auto before = folder->snapshot();
        QVERIFY(disk.fill());

        const ResultsRepair::Report stuck =
            ResultsRepair(*folder->store, folder->path(), folder->definition).Run();
        QCOMPARE(stuck.repaired, QStringList());
        QCOMPARE(stuck.unwritten, QStringList{marks});
        QCOMPARE(stuck.unwrittenReason, disk.reason());
        QVERIFY(!stuck.message().contains(ResultsRepair::repairedSentence()));
        QVERIFY(stuck.message().contains(disk.reason()));
        QCOMPARE(folder->snapshot(), before);

        const EraseOutcome erase =
            eraseAllResults(*folder->store, folder->path(), folder->definition);
        QVERIFY(!erase.ok());
        QCOMPARE(erase.erased, QStringList());
        QCOMPARE(erase.reason, disk.reason());
        QVERIFY(eraseProblemText(erase).contains(disk.reason()));
        QCOMPARE(folder->snapshot(), before);
        QCOMPARE(strays(disk.folder(), resultsNames(*folder)), QStringList());

        // With room the repair goes through and names the mark it lost.
        disk.release();
        const ResultsRepair::Report repaired =
            ResultsRepair(*folder->store, folder->path(), folder->definition).Run();
        QCOMPARE(repaired.repaired, QStringList{marks});
        QCOMPARE(repaired.lost.size(), 1);
        const QString topic = folder->definition.module(2).topicNames.first();
        QVERIFY2(repaired.lost.first().contains("paper 1 of " + topic),
                 qPrintable(repaired.lost.first()));
        QVERIFY(!repaired.lost.first().contains("paper 2 "));
        QVERIFY(repaired.message().contains(repaired.lost.first()));
    }

    void resultsInAFolderThatCannotBeWrittenAreNamed() {
        if (::geteuid() != 0 || SmallDisk().mounted()) {
            strandedResultsAreNamed();
            return;
        }
        // Root without a file system to mount writes anywhere: an ordinary
        // user meets the unwritable folder instead, in a child process.
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            bool passed = false;
            if (::setgid(Nobody) == 0 && ::setuid(Nobody) == 0) {
                QTemporaryDir home;
                qputenv("HOME", QFile::encodeName(home.path()));
                strandedResultsAreNamed();
                passed = home.isValid() && !QTest::currentTestFailed();
            }
            ::_exit(passed ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0,
                 "the unwritable folder, met by an ordinary user");
    }

private:
    static constexpr uid_t Nobody = 65534;

    void strandedResultsAreNamed() {
        QStandardPaths::setTestModeEnabled(true);
        SmallDisk disk;
        auto folder = folderOn(disk);
        // Without results the folder is simply not used.
        SmallDisk empty;
        QVERIFY(empty.makeReadOnly());
        const ProgramFolderChoice bare = chooseProgramFolder(empty.folder());
        QCOMPARE(bare.folder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QCOMPARE(bare.strandedFolder, QString());

        QVERIFY(disk.makeReadOnly());
        const ProgramFolderChoice choice = chooseProgramFolder(disk.folder());
        QCOMPARE(choice.folder, bare.folder);
        QCOMPARE(choice.strandedFolder, disk.folder());
        QCOMPARE(choice.strandedReason,
                 disk.mounted() ? QStringLiteral("the disk can only be read, not written")
                                : QStringLiteral("the program is not allowed to write there"));
        QCOMPARE(resultsFilesIn(disk.folder()), resultsNames(*folder));
    }
};

QTEST_GUILESS_MAIN(TestDiskFaults)
#include "test_disk_faults.moc"
