// What the start-up makes of the folder and the content, one row per way it
// can fail: which problem it names (each has its own message for the pupil),
// that the folder stays locked once it was taken, and when a start says that
// results were lost.

#include "core/AtomicWrite.h"
#include "core/FolderLock.h"
#include "core/ResourceStore.h"
#include "main_window/Startup.h"
#include "results/ResultsFiles.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

Q_DECLARE_METATYPE(Startup::Problem)

using namespace TestFiles;

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void outcome_data() {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<Startup::Problem>("problem");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("resultsLost");
        QTest::newRow("first start") << "" << Startup::Problem::None << true << false;
        QTest::newRow("one results file removed since")
            << "remove trend" << Startup::Problem::None << true << true;
        // (Every file of a module removed since: test_modules' brokenFileIsLeftOutAtStart.)
        QTest::newRow("another copy holds the folder")
            << "other copy" << Startup::Problem::FolderInUse << false << false;
        QTest::newRow("folder under a file")
            << "file folder" << Startup::Problem::FolderNotWritable << false << false;
        // (A definition that cannot be copied out: test_disk_faults.)
        QTest::newRow("store without definition")
            << "no definition" << Startup::Problem::NoContent << true << false;
        // (A definition without a module: test_contents' noModuleEndsCleanly.)
        QTest::newRow("results templates missing")
            << "no templates" << Startup::Problem::ResultsNotWritable << true << false;
    }

    void outcome() {
        QFETCH(QString, setUp);
        QFETCH(Startup::Problem, problem);
        QFETCH(bool, locked);
        QFETCH(bool, resultsLost);
        QTemporaryDir dir;
        QString folder = dir.filePath("program");
        QString root = FixtureRoot;
        std::unique_ptr<FolderLock> other;

        if (setUp == QLatin1String("remove trend")) {
            // A start before, then a file goes.
            ResourceStore store(root);
            const Startup::Outcome before = Startup(store, folder).run();
            QVERIFY(before.ok());
            QCOMPARE(before.createdResults.size(), ResultsFileCount);
            QVERIFY(QFile::remove(resultsFilePath(folder + "/pupil1", ResultsFile::Trend, 2,
                                                  before.definition.programCode)));
        } else if (setUp == QLatin1String("other copy")) {
            QVERIFY(QDir().mkpath(folder));
            other = std::make_unique<FolderLock>(QDir(folder).filePath(Startup::LockFileName));
            QCOMPARE(other->tryLock(), FolderLock::Result::Locked);
        } else if (setUp == QLatin1String("file folder")) {
            QVERIFY(writeBytes(dir.filePath("file"), ""));
            folder = dir.filePath("file/program");
        } else if (setUp == QLatin1String("no definition")) {
            root = dir.filePath("store");
            QVERIFY(copyStoreWith(root, 30000));
        } else if (setUp == QLatin1String("no templates")) {
            root = dir.filePath("store");
            QVERIFY(copyStoreWith(root, resultsTemplateId(ResultsFile::Trend, 2)));
        }

        ResourceStore store(root);
        const Startup::Outcome outcome = Startup(store, folder).run();
        QCOMPARE(outcome.problem, problem);
        QCOMPARE(outcome.ok(), problem == Startup::Problem::None);
        QCOMPARE(outcome.lock && outcome.lock->isLocked(), locked);
        QCOMPARE(outcome.resultsLost(), resultsLost);
        // What the window tells and logs: the system's reason for a folder
        // it refused, the files not made, what is wrong with the content.
        if (problem == Startup::Problem::FolderNotWritable)
            QCOMPARE(outcome.reason, FileWriteOutcome::fromErrno(ENOTDIR).reason());
        if (problem == Startup::Problem::ResultsNotWritable)
            QVERIFY(!outcome.notWritten.isEmpty());
        if (problem == Startup::Problem::NoContent)
            QVERIFY(!outcome.detail.isEmpty());
        if (outcome.ok()) {
            QVERIFY(outcome.definition.moduleExists(2));
            QVERIFY(!outcome.marksRepair.damaged());
            for (ResultsFile file : {ResultsFile::Marks, ResultsFile::Trend})
                QVERIFY(QFile::exists(
                    resultsFilePath(folder + "/pupil1", file, 2, outcome.definition.programCode)));
        }
        // A start that found no content writes no results file.
        if (problem == Startup::Problem::NoContent)
            QCOMPARE(QDir(folder).entryList({"*.txt"}, QDir::Files), QStringList());
        // Whatever happened, the definition's scratch copy is not left behind.
        QVERIFY(!QFileInfo(folder + "/temptext30000.txt").isFile());
    }

    void resultsLeftInAnUnwritableFolder() {
        QTemporaryDir dir;
        const QString old = dir.filePath("old");
        const ResourceStore store(FixtureRoot);
        const Startup::Outcome before = Startup(store, old).run();
        QVERIFY(before.ok());
        const QString code = before.definition.programCode;
        QVERIFY(writeBytes(resultsFilePath(old, ResultsFile::Trend, 2, code), "#TRD#>71.5\r\n"));
        auto snapshotOf = [&](const QString& folder) {
            return resultsSnapshot(
                [&](ResultsFile f) { return resultsFilePath(folder, f, 2, code); });
        };
        const auto oldFiles = snapshotOf(old);
        QStringList asked;
        const auto startIn = [&](const QString& here, bool yes) {
            Startup startup(store, here);
            startup.setStrandedResults(old, "the disk can only be read",
                                       [&, yes](const QString& q) {
                                           asked << q;
                                           return yes;
                                       });
            return startup.run();
        };

        for (const bool yes : {true, false}) {
            const QString here = dir.filePath(yes ? "yes" : "no");
            asked.clear();
            Startup::Outcome outcome = startIn(here, yes);
            QVERIFY(outcome.ok());
            QCOMPARE(asked.size(), 1);
            QVERIFY(asked.first().contains(QDir::toNativeSeparators(old)));
            QVERIFY(asked.first().contains("because the disk can only be read"));
            QVERIFY(asked.first().contains(QDir::toNativeSeparators(here)));
            QCOMPARE(outcome.strandedNote, QString());
            // Yes: the pupil goes on with the old results here; No: starts
            // afresh. The old folder is never changed.
            QCOMPARE(snapshotOf(here) == oldFiles, yes);
            QCOMPARE(outcome.createdResults.size(), yes ? 0 : ResultsFileCount);
            QCOMPARE(snapshotOf(old), oldFiles);

            // Once there are results here, they are never overwritten: the
            // start only says where the old ones are.
            QVERIFY(writeBytes(resultsFilePath(here, ResultsFile::Trend, 2, code), "#TRD#\r\n"));
            const auto ownFiles = snapshotOf(here);
            outcome.lock.reset();
            const Startup::Outcome second = startIn(here, true);
            QVERIFY(second.ok());
            QCOMPARE(asked.size(), 1);
            QVERIFY(second.strandedNote.contains(QDir::toNativeSeparators(old)));
            QVERIFY(second.strandedNote.contains("because the disk can only be read"));
            QCOMPARE(snapshotOf(here), ownFiles);
        }
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
