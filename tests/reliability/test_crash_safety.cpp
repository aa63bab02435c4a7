// Crash safety: a worker that saves, marks and erases in a tight loop is
// killed with SIGKILL at random moments; after every kill each results file
// is whole and holds only what one complete write could have left.

#include "WorkerSteps.h"
#include "core/PaperContent.h"
#include "results/PupilRoster.h"
#include "results/ResultsRepair.h"
#include "test_support.h"

#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

namespace {

// The worker writes a great deal; on a memory file system its writes cost
// no disk time, so more of them fall between two kills.
std::unique_ptr<QTemporaryDir> workFolder() {
    auto dir = std::make_unique<QTemporaryDir>("/dev/shm/quillora-XXXXXX");
    return dir->isValid() ? std::move(dir) : std::make_unique<QTemporaryDir>();
}

// Runs the worker with args until it has given marks signs of life (its
// "ready" line and one dot per finished round; 0: while it starts up), then
// for delay microseconds more, and kills it. Empty, or what went wrong.
QString killWorker(const QStringList& args, int marks, int delay) {
    QProcess worker;
    worker.start(QStringLiteral(QUILLORA_CRASH_WORKER), args);
    if (!worker.waitForStarted(10000))
        return worker.errorString();
    QByteArray seen;
    while (seen.count('\n') + seen.count('.') < marks && worker.state() == QProcess::Running) {
        worker.waitForReadyRead(10000);
        seen += worker.readAllStandardOutput();
    }
    QThread::usleep(delay);
    if (worker.state() != QProcess::Running)
        return "the worker stopped by itself: " +
               QString::fromLocal8Bit(worker.readAllStandardError());
    worker.kill();
    if (!worker.waitForFinished(10000) || worker.exitStatus() != QProcess::CrashExit)
        return "the worker did not die";
    return QString();
}

// A store and what the checks need to know of its first module.
struct Content {
    QString root;
    std::unique_ptr<ResourceStore> store;
    ProgramDefinition definition;
    int module = 0;
    QList<PaperContent> papers;

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
            problem += content.problems.join(' ');
            papers.append(content.content);
        }
    }
    QString filePath(const QString& folder, ResultsFile file) const {
        return resultsFilePath(folder, file, module, definition.programCode);
    }

    // One line per fault of the folder's results files: a file that is not
    // whole (what the start-up repair finds, and rebuilds: so it is asked
    // last), or a value no single complete write could have left, never a
    // torn or mixed one.
    QStringList faults(const QString& folder) const {
        QStringList faults;
        const int count = int(papers.size());
        for (ResultsFile f : {ResultsFile::First, ResultsFile::Second, ResultsFile::FResults,
                              ResultsFile::SResults}) {
            const Read<PaperLines> file = readPaperLines(filePath(folder, f), count);
            if (!file.ok())
                faults.append(resultsFileStem(f) + ": does not read");
            for (int k = 1; k <= count && file.ok(); ++k) {
                const QStringList fields =
                    paperFields(file.value, k, papers.at(k - 1).TotalBlanks).value;
                const QString what = f == ResultsFile::First    ? answersFault(k, 1, fields)
                                     : f == ResultsFile::Second ? answersFault(k, 2, fields)
                                                                : resultsFault(k, fields);
                if (!what.isEmpty())
                    faults.append(resultsFileStem(f) + ": " + what);
            }
        }
        const QString marks = marksFault(filePath(folder, ResultsFile::Marks));
        if (!marks.isEmpty())
            faults.append("marks: " + marks);
        return faults + ResultsRepair(*store, folder, definition).Run().findings;
    }

private:
    QString answersFault(int k, int attempt, const QStringList& fields) const {
        static const QRegularExpression stamped("^s(\\d+)p(\\d+)a(\\d)b(\\d+)$");
        const QList<int>& questions = papers.at(k - 1).BlanksPerQuestion;
        // A question is typed whole, and the questions are typed in order, so
        // along the record the stamps of the questions never go up, and an
        // empty question (-1) is followed by empty ones only.
        qint64 previous = std::numeric_limits<qint64>::max();
        int blank = 0;
        for (int q = 0; q < questions.size(); ++q) {
            qint64 questionStamp = -2;
            for (int b = 0; b < questions.at(q); ++b, ++blank) {
                const QString& field = fields.at(blank);
                const QRegularExpressionMatch match = stamped.match(field);
                if (!field.isEmpty() && (!match.hasMatch() || match.captured(2).toInt() != k ||
                                         match.captured(3).toInt() != attempt ||
                                         match.captured(4).toInt() != blank + 1))
                    return QStringLiteral("paper %1 blank %2 holds \"%3\"")
                        .arg(100 + k)
                        .arg(blank + 1)
                        .arg(field.left(40));
                const qint64 stamp = field.isEmpty() ? -1 : match.captured(1).toLongLong();
                if (questionStamp != -2 && stamp != questionStamp)
                    return QStringLiteral("paper %1 question %2 mixes two writes")
                        .arg(100 + k)
                        .arg(q + 1);
                questionStamp = stamp;
            }
            if (questionStamp > previous)
                return QStringLiteral("paper %1 question %2 is newer than the one before")
                    .arg(100 + k)
                    .arg(q + 1);
            if (questionStamp != -2)
                previous = questionStamp;
        }
        return QString();
    }

    static QString resultsFault(int k, const QStringList& fields) {
        for (const QString& field : fields) {
            if (!field.isEmpty() && resultMarkFromText(field) == ResultMark::None)
                return QStringLiteral("paper %1 holds the result \"%2\"")
                    .arg(100 + k)
                    .arg(field.left(20));
        }
        return QString();
    }

    // Marking writes score, state, time and date in one write; so does
    // erasing. (Which values the marks file may hold at all, the repair knows.)
    QString marksFault(const QString& path) const {
        const Read<MarksRecords> read = readMarksFile(path, int(papers.size()));
        if (!read.ok())
            return "does not read: " + recordErrorText(read.error);
        static const QRegularExpression elapsed("^\\d+:\\d+:\\d+$");
        const MarksRecords& marks = read.value;
        for (int k = 0; k < papers.size(); ++k) {
            const QString paper = QString::number(101 + k);
            for (const auto& [state, score, name] :
                 {std::tuple{marks.FST.at(k), marks.FSE.at(k), "first"},
                  std::tuple{marks.SST.at(k), marks.SSE.at(k), "second"}}) {
                if ((state == QLatin1String("1")) == score.isEmpty())
                    return QStringLiteral("paper %1 %2 attempt: state %3 with score \"%4\"")
                        .arg(paper, name, state, score);
            }
            const bool firstMarked = marks.FST.at(k) == QLatin1String("1");
            if (firstMarked != elapsed.match(marks.LTM.at(k)).hasMatch() ||
                firstMarked == marks.CDD.at(k).isEmpty())
                return QStringLiteral("paper %1: state %2 with time \"%3\" and date \"%4\"")
                    .arg(paper, marks.FST.at(k), marks.LTM.at(k), marks.CDD.at(k));
        }
        return QString();
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

    void checkerFindsTornFiles() {
        // In one file of the fixture's paper 101 typed whole and marked (stamp
        // 7) and paper 102 typed (stamp 8), `from` is replaced by `to`, or the
        // file is cut to `cutTo` bytes: the checker's fault, or none.
        const ResultsFile first = ResultsFile::First;
        const struct {
            const char* name;
            ResultsFile file;
            const char *from, *to, *fault;
            int cutTo = -1;
        } cases[] = {
            {"whole files", first, "", "", ""},
            {"answers cut short", first, "", "", "paper 101 has 3 fields instead of 6", 30},
            {"answers of two writes in one question", first, "s7p1a1b2", "s9p1a1b2",
             "first: paper 101 question 2 mixes two writes"},
            {"newer answers after older ones", first, "s7p1a1b4>s7p1a1b5>s7p1a1b6",
             "s9p1a1b4>s9p1a1b5>s9p1a1b6",
             "first: paper 101 question 3 is newer than the one before"},
            {"result that is no mark", ResultsFile::FResults, "#101#>", "#101#>x",
             "fresults: paper 101 holds the result \"x"},
            {"marked without a score", ResultsFile::Marks, "#FST#>1>0", "#FST#>1>1",
             "marks: paper 102 first attempt"},
            {"trend value not a score", ResultsFile::Trend, "\r\n", ">4x\r\n",
             "1 values that are not percentages dropped"},
        };
        for (const auto& c : cases) {
            TestFiles::ModuleFolder folder;
            QVERIFY(folder.start());
            for (int paper : {101, 102}) {
                auto session = folder.open(paper);
                QVERIFY(WorkerSteps::workPaper(*session, paper - 94, paper == 101));
            }
            const QString path = folder.file(c.file);
            QByteArray bytes = TestFiles::bytesOf(path);
            if (*c.from) {
                QVERIFY2(bytes.contains(c.from), c.name);
                bytes.replace(bytes.indexOf(c.from), qstrlen(c.from), c.to);
            }
            if (c.cutTo >= 0)
                bytes.truncate(c.cutTo);
            QVERIFY(TestFiles::writeBytes(path, bytes));
            const QString faults = m_fixture->faults(folder.path()).join('\n');
            QVERIFY2(*c.fault ? faults.contains(c.fault) : faults.isEmpty(),
                     qPrintable(QString(c.name) + ": " + faults));
        }
    }

    void killedWorkerLeavesWholeFiles_data() {
        QTest::addColumn<bool>("pupils");
        QTest::newRow("one pupil") << false;
        // The worker changes pupil every round: every pupil's files stay whole
        // and the list of pupils is never lost.
        QTest::newRow("three pupils") << true;
    }

    void killedWorkerLeavesWholeFiles() {
        QFETCH(bool, pupils);
        const int asked = qEnvironmentVariableIntValue("QUILLORA_CRASH_ROUNDS");
        const int rounds = pupils ? 60 : asked > 0 ? asked : 200;
        const auto dir = workFolder();
        QVERIFY(dir->isValid());
        const Content& content = *m_content;
        QStringList folders{dir->path()};
        if (pupils) {
            PupilRoster roster(dir->path());
            roster.load();
            QVERIFY(roster.add("Zoë").ok());
            QVERIFY(roster.add("Åsa").ok());
            folders.clear();
            for (const Pupil& pupil : roster.pupils()) {
                folders.append(roster.folderOf(pupil.id));
                QVERIFY(ensureResultsFiles(*content.store, folders.last(), content.definition)
                            .isEmpty());
            }
        }
        QRandomGenerator random(pupils ? 20261207 : 20240309);
        QSet<int> chosen;
        int changed = 0;
        QList<QMap<ResultsFile, QByteArray>> previous;
        for (int round = 0; round < rounds; ++round) {
            // Stamps grow from round to round; the offset spreads the rounds'
            // first papers over the whole module.
            QStringList args{dir->path(), content.root,
                             QString::number(qint64(round) * 10000000 + random.bounded(1000))};
            if (pupils)
                args.append("pupils");
            // Most kills land in the working loop, after 0 to 3 finished rounds
            // of it; one in ten, with one pupil, while the worker starts up.
            const bool duringStart = !pupils && random.bounded(10) == 0;
            const int marks = duringStart ? 0 : 1 + random.bounded(pupils ? 3 : 4);
            const QString killed =
                killWorker(args, marks, random.bounded(duringStart ? 3000 : 20000));
            QVERIFY2(killed.isEmpty(),
                     qPrintable(QStringLiteral("round %1: ").arg(round) + killed));

            if (pupils) {
                PupilRoster roster(dir->path());
                const PupilRoster::LoadReport report = roster.load();
                QVERIFY(!report.rebuilt && report.missing.isEmpty() && report.adopted.isEmpty());
                QCOMPARE(roster.pupils().size(), 3);
                chosen.insert(roster.lastChosen());
            }
            QList<QMap<ResultsFile, QByteArray>> files;
            for (const QString& folder : folders) {
                const QStringList faults = content.faults(folder);
                QVERIFY2(
                    faults.isEmpty(),
                    qPrintable(QStringLiteral("after kill %1, %2:\n").arg(round + 1).arg(folder) +
                               faults.join('\n')));
                files.append(TestFiles::resultsSnapshot(
                    [&](ResultsFile f) { return content.filePath(folder, f); }));
            }
            changed += files != previous ? 1 : 0;
            previous = files;
        }
        // The kills must have met the worker at work, not only starting up,
        // and with pupils, changing from pupil to pupil.
        QVERIFY2(changed >= rounds / 2, qPrintable(QString::number(changed)));
        QCOMPARE(chosen.size(), pupils ? 3 : 0);
    }

private:
    std::unique_ptr<Content> m_content;
    std::unique_ptr<Content> m_fixture;
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "test_crash_safety.moc"
