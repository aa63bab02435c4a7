// Crash safety: a worker that saves, marks and erases in a tight loop is
// killed with SIGKILL at random moments; after every kill each results file
// is whole and holds only what one complete write could have left.

#include "ResultsFolderCheck.h"
#include "WorkerSteps.h"
#include "core/PaperContent.h"
#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"
#include "results/PupilRoster.h"
#include "results/ResultsRepair.h"
#include "test_support.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <memory>

namespace {

// The worker writes a great deal; on a memory file system its writes cost
// no disk time, so more of them fall between two kills.
std::unique_ptr<QTemporaryDir> workFolder() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    if (shm.isDir() && shm.isWritable()) {
        auto dir = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/quillora-XXXXXX"));
        if (dir->isValid())
            return dir;
    }
    return std::make_unique<QTemporaryDir>();
}

// A store and what the checks need to know of its first module.
struct Content {
    QString root;
    std::unique_ptr<ResourceStore> store;
    ProgramDefinition definition;
    int module = 0;
    QList<PaperContent> papers;
    QMap<ResultsFile, QByteArray> templates;

    QString problem; // empty when everything loaded

    explicit Content(const QString& contentRoot)
        : root(contentRoot), store(std::make_unique<ResourceStore>(contentRoot)) {
        QTemporaryDir scratch;
        const DefinitionRead read = readProgramDefinition(*store, scratch.path());
        if (read.error != DefinitionError::None) {
            problem = read.detail;
            return;
        }
        definition = read.definition;
        module = definition.firstModule();
        for (int k = 1; k <= definition.module(module).paperCount; ++k) {
            const PaperContentRead content =
                loadPaperContent(*store, scratch.path(), module, 100 + k);
            problem += content.problems.join(QLatin1Char(' '));
            papers.append(content.content);
        }
        for (ResultsFile f : TestFiles::AllResultsFiles) {
            bool ok = false;
            templates.insert(f, store->itemBytes(resultsTemplateId(f, module), &ok));
            if (!ok)
                problem += QStringLiteral(" no template for ") + resultsFileStem(f);
        }
    }
    ResultsFolderCheck Checker(const QString& folder) const {
        return ResultsFolderCheck(folder, module, definition.programCode, papers, templates);
    }
    QString filePath(const QString& folder, ResultsFile file) const {
        return resultsFilePath(folder, file, module, definition.programCode);
    }
};

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        // The checker's own test works on the fixture store, the worker on the
        // built-in one.
        m_fixture = std::make_unique<Content>(TestFiles::FixtureRoot);
        QVERIFY2(m_fixture->problem.isEmpty(), qPrintable(m_fixture->problem));
        m_content = std::make_unique<Content>(QString::fromLatin1(ResourceStore::BuiltInRoot));
        QVERIFY2(m_content->problem.isEmpty(), qPrintable(m_content->problem));
    }

    void checkerFindsTornFiles_data() {
        QTest::addColumn<int>("file");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<int>("cutTo"); // keep this many bytes; -1 keeps all
        QTest::addColumn<QString>("fault");

        const int first = int(ResultsFile::First);
        QTest::newRow("whole files") << first << QByteArray() << QByteArray() << -1 << QString();
        QTest::newRow("answers cut short")
            << first << QByteArray() << QByteArray() << 30 << "first: not whole CR LF lines";
        QTest::newRow("answers field short")
            << first << QByteArray(">s7p1a1b2") << QByteArray() << -1
            << "first: line 1 is not the record of paper 101";
        QTest::newRow("answers of two writes in one question")
            << first << QByteArray("s7p1a1b2") << QByteArray("s9p1a1b2") << -1
            << "first: paper 101 question 2 mixes two writes";
        QTest::newRow("newer answers after older ones")
            << first << QByteArray("s7p1a1b4>s7p1a1b5>s7p1a1b6")
            << QByteArray("s9p1a1b4>s9p1a1b5>s9p1a1b6") << -1
            << "first: paper 101 question 3 is newer than the one before";
        QTest::newRow("result that is no mark")
            << int(ResultsFile::FResults) << QByteArray("#101#>") << QByteArray("#101#>x") << -1
            << "fresults: paper 101 holds the result \"x";
        QTest::newRow("marked without a score")
            << int(ResultsFile::Marks) << QByteArray("#FST#>1>0") << QByteArray("#FST#>1>1") << -1
            << "marks: paper 102 first attempt";
        QTest::newRow("trend without its line end")
            << int(ResultsFile::Trend) << QByteArray("\r\n") << QByteArray() << -1
            << "trend: not whole CR LF lines";
        QTest::newRow("trend value not a score")
            << int(ResultsFile::Trend) << QByteArray("\r\n") << QByteArray(">4x\r\n") << -1
            << "trend: holds the value \"4x\"";
    }

    void checkerFindsTornFiles() {
        QFETCH(int, file);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(int, cutTo);
        QFETCH(QString, fault);
        // The fixture's paper 101 typed whole and marked (stamp 7), paper 102
        // typed (stamp 8).
        TestFiles::ModuleFolder folder;
        QVERIFY(folder.start());
        for (int paper : {101, 102}) {
            auto session = folder.open(paper);
            QVERIFY(WorkerSteps::workPaper(*session, paper - 94, paper == 101));
        }

        const QString path = folder.file(ResultsFile(file));
        QByteArray bytes = TestFiles::bytesOf(path);
        if (!from.isEmpty()) {
            QVERIFY2(bytes.contains(from), bytes.constData());
            bytes.replace(bytes.indexOf(from), from.size(), to);
        }
        if (cutTo >= 0)
            bytes.truncate(cutTo);
        QVERIFY(TestFiles::writeBytes(path, bytes));

        const QStringList faults = m_fixture->Checker(folder.path()).Run();
        QVERIFY2(fault.isEmpty() ? faults.isEmpty()
                                 : !faults.isEmpty() && faults.first().startsWith(fault),
                 qPrintable(faults.join('\n')));
    }

    void killedWorkerLeavesWholeFiles() {
        bool roundsOk = false;
        int rounds = qEnvironmentVariableIntValue("QUILLORA_CRASH_ROUNDS", &roundsOk);
        if (!roundsOk || rounds < 1)
            rounds = 200;
        const auto dir = workFolder();
        QVERIFY(dir->isValid());
        const QString folder = dir->path();
        const Content& content = *m_content;
        ResultsFolderCheck check = content.Checker(folder);
        QRandomGenerator random(20240309);

        int changed = 0;
        QMap<ResultsFile, QByteArray> previous;
        for (int round = 0; round < rounds; ++round) {
            QProcess worker;
            worker.setProgram(QStringLiteral(QUILLORA_CRASH_WORKER));
            // Stamps grow from round to round; the offset spreads the rounds'
            // first papers over the whole module.
            const qint64 firstStamp = qint64(round) * 10000000 + random.bounded(1000);
            worker.setArguments({folder, content.root, QString::number(firstStamp)});
            worker.start();
            QVERIFY2(worker.waitForStarted(10000), qPrintable(worker.errorString()));
            // Most kills land in the working loop, after 0 to 3 finished rounds
            // of it; one in ten while the worker starts up.
            const bool duringStart = random.bounded(10) == 0;
            if (!duringStart) {
                const int marks = 1 + random.bounded(4); // the "ready" line counts as one
                QByteArray seen;
                while (seen.count('\n') + seen.count('.') < marks &&
                       worker.state() == QProcess::Running) {
                    worker.waitForReadyRead(10000);
                    seen += worker.readAllStandardOutput();
                }
            }
            QThread::usleep(random.bounded(duringStart ? 3000 : 20000));
            QVERIFY2(worker.state() == QProcess::Running,
                     qPrintable(QStringLiteral("round %1: the worker stopped by itself: %2")
                                    .arg(round)
                                    .arg(QString::fromLocal8Bit(worker.readAllStandardError()))));
            worker.kill();
            QVERIFY(worker.waitForFinished(10000));
            QCOMPARE(worker.exitStatus(), QProcess::CrashExit);

            const QStringList faults = check.Run();
            QVERIFY2(
                faults.isEmpty(),
                qPrintable(QStringLiteral("after kill %1:\n").arg(round + 1) + faults.join('\n')));
            const auto files = TestFiles::resultsSnapshot(
                [&](ResultsFile f) { return content.filePath(folder, f); });
            if (files != previous)
                ++changed;
            previous = files;
        }
        // The kills must have met the worker at work, not only starting up.
        QVERIFY2(changed >= rounds / 2, qPrintable(QString::number(changed)));

        // What the killed worker left is whole: the start-up repair finds nothing.
        const ResultsRepair::Report report =
            ResultsRepair(*content.store, folder, content.definition).Run();
        QVERIFY2(!report.damaged(), qPrintable(report.findings.join('\n')));
    }

    // The same with three pupils, the worker changing pupil every round: every
    // pupil's files stay whole and the list of pupils is never lost.
    void killedWhileChangingPupilsLeavesEveryPupilWhole() {
        const auto dir = workFolder();
        QVERIFY(dir->isValid());
        const QString folder = dir->path();
        const Content& content = *m_content;
        {
            PupilRoster roster(folder);
            roster.load();
            QVERIFY(roster.add(QStringLiteral("Zoë")).ok());
            QVERIFY(roster.add(QStringLiteral("Åsa")).ok());
            for (const Pupil& pupil : roster.pupils())
                QVERIFY(ensureResultsFiles(*content.store, roster.folderOf(pupil.id),
                                           content.definition)
                            .isEmpty());
        }
        QRandomGenerator random(20261207);
        QSet<int> chosen;
        for (int round = 0; round < 60; ++round) {
            QProcess worker;
            worker.setProgram(QStringLiteral(QUILLORA_CRASH_WORKER));
            worker.setArguments({folder, content.root,
                                 QString::number(qint64(round) * 10000000 + random.bounded(1000)),
                                 QStringLiteral("pupils")});
            worker.start();
            QVERIFY2(worker.waitForStarted(10000), qPrintable(worker.errorString()));
            const int marks = 1 + random.bounded(3);
            QByteArray seen;
            while (seen.count('\n') + seen.count('.') < marks &&
                   worker.state() == QProcess::Running) {
                worker.waitForReadyRead(10000);
                seen += worker.readAllStandardOutput();
            }
            QThread::usleep(random.bounded(20000));
            QVERIFY2(worker.state() == QProcess::Running,
                     qPrintable(QString::fromLocal8Bit(worker.readAllStandardError())));
            worker.kill();
            QVERIFY(worker.waitForFinished(10000));

            PupilRoster roster(folder);
            const PupilRoster::LoadReport report = roster.load();
            QVERIFY(!report.rebuilt && report.missing.isEmpty() && report.adopted.isEmpty());
            QCOMPARE(roster.pupils().size(), 3);
            chosen.insert(roster.lastChosen());
            for (const Pupil& pupil : roster.pupils()) {
                const QStringList faults = content.Checker(roster.folderOf(pupil.id)).Run();
                QVERIFY2(faults.isEmpty(),
                         qPrintable(
                             QStringLiteral("after kill %1, %2:\n").arg(round + 1).arg(pupil.name) +
                             faults.join('\n')));
            }
        }
        // The kills met the worker changing from pupil to pupil.
        QCOMPARE(chosen.size(), 3);
    }

private:
    std::unique_ptr<Content> m_content;
    std::unique_ptr<Content> m_fixture;
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "test_crash_safety.moc"
