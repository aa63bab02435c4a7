// Damaged results files: the start-up repair keeps every record it can read,
// rebuilds the rest, tells the user once, and afterwards every paper opens,
// saves and marks. Also the readers meeting damage while the program runs.

#include "../reliability/WorkerSteps.h"
#include "core/AtomicWrite.h"
#include "main_window/ReportFigures.h"
#include "main_window/TrendReading.h"
#include "results/ResultsRepair.h"
#include "results/TrendLog.h"
#include "test_support.h"

#include <QRegularExpression>
#include <QtTest>

using namespace TestFiles;

namespace {

const QList<int> Shapes = {6, 9, 2, 1, 3}; // blanks of the fixture's papers 101..105
constexpr int Papers = 5;

struct Kinds {
    Q_GADGET
public:
    enum class Damage {
        Empty,
        Garbage,         // binary bytes, no record in them
        GarbageAppended, // the records, then binary bytes
        LfOnly,
        TenMegabytes,  // the records, then 10 MB of junk lines
        OutOfOrder,    // the first two records swapped
        RecordMissing, // paper 102 / the SSE record
        FewerFields,   // paper 101 / every marks record one short (P - 1)
        MoreFields,    // paper 101 / every marks record five long (P + 5)
        BadState,      // FST of paper 101 is "7"
        BadScore,      // FSE of paper 103 is "abc"; a trend value "abc"
    };
    Q_ENUM(Damage)
};
using Damage = Kinds::Damage;

// What the readers give for one file: per-paper fields, the six marks
// records, or the trend values.
using Records = QList<QStringList>;

// A file of the worked folder (CR LF records, as the program writes them)
// with the damage done.
QByteArray damaged(QByteArray bytes, ResultsFile file, Damage damage) {
    QList<QByteArray> lines = QByteArray(bytes).replace("\r\n", "\n").chopped(1).split('\n');
    const bool marks = file == ResultsFile::Marks;
    switch (damage) {
    case Damage::Empty:
        return QByteArray();
    case Damage::Garbage:
        return noiseBytes(4096, 7);
    case Damage::GarbageAppended:
        return bytes + noiseBytes(4096, 11);
    case Damage::LfOnly:
        return bytes.replace("\r\n", "\n");
    case Damage::TenMegabytes:
        return bytes + QByteArray("0123456789abcdefghijklmnopqrstuvwxyz\r\n").repeated(276000);
    case Damage::BadState:
        return bytes.replace("#FST#>1>", "#FST#>7>");
    case Damage::BadScore:
        return bytes.replace("#FSE#>71.4>>100>", "#FSE#>71.4>>abc>")
            .replace("#TRD#>71.4>", "#TRD#>71.4>abc>");
    case Damage::OutOfOrder:
        lines.swapItemsAt(0, 1);
        break;
    case Damage::RecordMissing:
        lines.removeIf(
            [marks](const QByteArray& l) { return l.startsWith(marks ? "#SSE#" : "#102#"); });
        break;
    case Damage::FewerFields:
    case Damage::MoreFields:
        for (QByteArray& line : lines) {
            if (!line.startsWith(marks ? "#" : "#101#"))
                continue;
            if (damage == Damage::MoreFields)
                line += ">9>9>9>9>9";
            else
                line.truncate(line.lastIndexOf('>'));
        }
        break;
    }
    return lines.join("\r\n") + "\r\n";
}

struct ProgramFolder : ModuleFolder {
    using ModuleFolder::ModuleFolder;
    ResultsRepair repair() const { return ResultsRepair(*store, path(), definition); }
    Records read(ResultsFile which) const {
        Records records;
        if (which == ResultsFile::Marks) {
            const Read<MarksRecords> marks = readMarksFile(file(which), Papers);
            const auto six = marks.value.asArray();
            return marks.ok() ? Records(six.begin(), six.end()) : Records();
        }
        if (which == ResultsFile::Trend) {
            const Read<QString> line = readTrendLine(file(which));
            return line.ok() && !line.value.isEmpty() ? Records{line.value.split('>').mid(1)}
                                                      : Records();
        }
        const Read<PaperLines> lines = readPaperLines(file(which), Papers);
        if (!lines.ok())
            return records;
        for (int k = 1; k <= Papers; ++k) {
            // Every record must be there with its own fields, not only padded.
            const QString line = lines.value.lines.at(k - 1);
            if (!line.startsWith(QStringLiteral("#%1#").arg(100 + k)) ||
                line.count('>') != Shapes.at(k - 1))
                return Records();
            records.append(paperFields(lines.value, k, Shapes.at(k - 1)).value);
        }
        return records;
    }
};

// The start-up check of missing files finds none and makes none.
bool startupMakesNoFile(const ProgramFolder& folder) {
    QStringList created{"not asked yet"};
    return ensureResultsFiles(*folder.store, folder.path(), folder.definition, &created)
               .isEmpty() &&
           created.isEmpty();
}

// Marks every paper in its first attempt not marked yet (before a repair, in
// its first attempt only). Every paper opens, or before a repair says why;
// every paper that opens has its blanks, and saves and marks.
void markEveryPaper(const ProgramFolder& folder, bool repaired) {
    for (int paper = 101; paper <= 105; ++paper) {
        for (int attempt = 1; attempt <= (repaired ? 2 : 1); ++attempt) {
            auto session = folder.session(paper, attempt);
            const LoadOutcome loaded = session->load();
            QVERIFY2(loaded.ok() || (!repaired && !loaded.details.isEmpty()),
                     qPrintable(loaded.details.join('\n')));
            if (!loaded.ok())
                break;
            QCOMPARE(session->paper().Answers.size(), Shapes.at(paper - 101));
            if (session->isMarked())
                continue;
            QVERIFY(session->prepareMarking({"1"}).ok());
            const WriteOutcome marked = session->completeMarking();
            QVERIFY2(marked.ok() && session->isMarked(),
                     qPrintable(QStringLiteral("paper %1: ").arg(paper) + marked.path));
            break;
        }
    }
}

// A folder holding a child's work: papers 101, 103 and 105 marked, 101 also
// in its second attempt, 102 answered but not marked.
std::unique_ptr<ProgramFolder> workedFolder() {
    auto folder = std::make_unique<ProgramFolder>();
    if (!folder->start())
        return nullptr;
    // paper, attempt, answers, marked
    const QList<std::tuple<int, int, QStringList, bool>> steps = {
        {101, 1, {"9", "3/10", "1/2", "2", "3", "4"}, true},
        {101, 2, {"9", "3/10", "3/5", "2", "3", "5"}, true},
        {102, 1, {"12", "10", "15", "Ivan", "", "Kevin", "14", "kevin", "1 2/3"}, false},
        {103, 1, {"sixteen", "24.8"}, true},
        {105, 1, {"3/10", "3/5", "1/5"}, true},
    };
    for (const auto& [paper, attempt, answers, mark] : steps) {
        auto session = folder->session(paper, attempt);
        if (!session->load().ok() || !WorkerSteps::walkAnswers(*session, answers, mark))
            return nullptr;
        folder->clock.advanceSeconds(95);
    }
    return folder;
}

// A copy of a worked folder's results files in a folder of its own.
std::unique_ptr<ProgramFolder> copyOf(const ProgramFolder& worked) {
    auto folder = std::make_unique<ProgramFolder>();
    folder->definition = worked.definition;
    for (ResultsFile f : AllResultsFiles) {
        if (!QFile::copy(worked.file(f), folder->file(f)))
            qFatal("cannot copy %s", qPrintable(worked.file(f)));
    }
    return folder;
}

// Records written as in the files: records parted by "|", fields by ">".
Records r(const QString& text) {
    Records records;
    for (const QString& record : text.split('|'))
        records << record.split('>');
    return records;
}

// What the readers give of the worked folder's files.
Records worked(ResultsFile file) {
    static const QMap<ResultsFile, QString> records = {
        {ResultsFile::Marks, "71.4>>100>>50|100>>>>|0:0:0>>0:0:0>>0:0:0|"
                             "09/03/2024>>09/03/2024>>09/03/2024|1>0>1>0>1|1>0>0>0>0"},
        {ResultsFile::First,
         "9>3/10>1/2>2>3>4|12>10>15>Ivan>>Kevin>14>kevin>1 2/3|sixteen>24.8||3/10>3/5>1/5"},
        {ResultsFile::Second, "9>3/10>3/5>2>3>5|>>>>>>>>|>||>>"},
        {ResultsFile::FResults, "ü>ü>û>ü>ü>û|>>>>>>>>|ü>ü||ü>ü>û"},
        {ResultsFile::SResults, "ü>ü>ü>ü>ü>ü|>>>>>>>>|>||>>"},
        {ResultsFile::Trend, "71.4>100>50"}};
    return r(records.value(file));
}

// What the readers give once the repair has rebuilt the damaged file: all the
// worked folder held, but for what the damage took.
Records expectedAfter(ResultsFile file, Damage damage) {
    const bool marks = file == ResultsFile::Marks;
    Records records = worked(file);
    if (damage == Damage::Empty || damage == Damage::Garbage)
        return file == ResultsFile::Trend ? Records{QStringList()}
               : marks                    ? r(">>>>|>>>>|>>>>|>>>>|0>0>0>0>0|0>0>0>0>0")
                                          : r(">>>>>|>>>>>>>>|>||>>");
    if (file == ResultsFile::Trend)
        return records;
    switch (damage) {
    case Damage::RecordMissing: // paper 102's record, or the SSE record
        records[1].fill(QString());
        break;
    case Damage::FewerFields: // paper 101's last field, or paper 105 of every record
        for (int k = 0; k < (marks ? MarksRecordCount : 1); ++k)
            records[k].last() = k == int(MarksRecord::FST) || k == int(MarksRecord::SST) ? "0" : "";
        break;
    case Damage::BadState: // paper 101 no longer marked
        records[int(MarksRecord::FST)][0] = "0";
        break;
    case Damage::BadScore: // paper 103 no longer marked
        records[int(MarksRecord::FSE)][2].clear();
        records[int(MarksRecord::FST)][2] = "0";
        break;
    default:
        break;
    }
    return records;
}

} // namespace

Q_DECLARE_METATYPE(ResultsFile)

class TestResultsRepair : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        m_worked = workedFolder();
        const ProgramFolder* folder = m_worked.get();
        QVERIFY(folder);
        // The worked folder is what the rows below expect.
        for (ResultsFile file : AllResultsFiles)
            QCOMPARE(folder->read(file), worked(file));
    }

    void freshTemplatesAreNotDamage() {
        // Framed by "...", fifty-paper lines beyond the module's five. (Files
        // the program wrote stand untouched beside every damaged one below.)
        ProgramFolder fresh;
        QVERIFY(fresh.start());
        QVERIFY(writeBytes(fresh.file(ResultsFile::First),
                           bytesOf(fresh.file(ResultsFile::First)) + "#106#>>\r\n#107#>\r\n..."));
        const auto before = fresh.snapshot();
        const ResultsRepair::Report report = fresh.repair().Run();
        QVERIFY2(!report.damaged(), qPrintable(report.findings.join('\n')));
        QCOMPARE(fresh.snapshot(), before);
    }

    void damagedFileIsReadThenRepaired_data() {
        QTest::addColumn<ResultsFile>("file");
        QTest::addColumn<Damage>("damage");
        const QList<Damage> common{Damage::Empty, Damage::Garbage, Damage::GarbageAppended,
                                   Damage::LfOnly, Damage::TenMegabytes};
        const QList<Damage> perPaper{Damage::OutOfOrder, Damage::RecordMissing, Damage::FewerFields,
                                     Damage::MoreFields};
        const QList<Damage> marks{Damage::RecordMissing, Damage::FewerFields, Damage::MoreFields,
                                  Damage::BadState, Damage::BadScore};
        for (ResultsFile file : AllResultsFiles) {
            const QList<Damage> own = file == ResultsFile::Marks   ? marks
                                      : file == ResultsFile::Trend ? QList{Damage::BadScore}
                                                                   : perPaper;
            for (Damage damage : common + own)
                QTest::addRow("%s: %s", qPrintable(resultsFileStem(file)),
                              QMetaEnum::fromType<Damage>().valueToKey(int(damage)))
                    << file << damage;
        }
    }

    void damagedFileIsReadThenRepaired() {
        QFETCH(ResultsFile, file);
        QFETCH(Damage, damage);

        auto folder = copyOf(*m_worked);
        const QString path = folder->file(file);
        const QByteArray original = bytesOf(path);
        const Records before = folder->read(file);
        QMap<ResultsFile, QByteArray> others = folder->snapshot();
        QVERIFY(writeBytes(path, damaged(original, file, damage)));

        // Before any repair (in a copy), as the Home page and the report meet
        // it: readable marks are P clean fields each.
        auto unrepaired = copyOf(*folder);
        const Read<MarksRecords> readable =
            readMarksFile(unrepaired->file(ResultsFile::Marks), Papers);
        if (readable.ok()) {
            for (const QStringList& record : readable.value.asArray()) {
                QCOMPARE(record.size(), Papers);
                QVERIFY(!record.join("").contains('>'));
            }
            ReportFigures::compute(unrepaired->definition.module(2), readable.value);
        }
        for (double value : TrendReading::fromFile(unrepaired->file(ResultsFile::Trend)))
            QVERIFY(value >= 0 && value <= 100);

        // Each paper opens or says why; one that opens saves and marks.
        markEveryPaper(*unrepaired, false);
        if (QTest::currentTestFailed())
            return;

        // Start-up: the missing-file check leaves a damaged file alone, the
        // repair finds it.
        QVERIFY(startupMakesNoFile(*folder));
        const ResultsRepair::Report report = folder->repair().Run();
        QCOMPARE(report.repaired, QStringList{path});
        // A marks file that lost a paper's score or state says so; every
        // other repair brings back all that was there.
        const bool marksLost = file == ResultsFile::Marks &&
                               QList{Damage::Empty,       Damage::Garbage,  Damage::RecordMissing,
                                     Damage::FewerFields, Damage::BadState, Damage::BadScore}
                                   .contains(damage);
        QCOMPARE(report.lost.size(), marksLost ? 1 : 0);
        QCOMPARE(report.message(), ResultsRepair::repairedSentence() +
                                       (marksLost ? " " + report.lost.first() : QString()));

        const Records expected = expectedAfter(file, damage);
        QCOMPARE(folder->read(file), expected);
        if (expected == before)
            QCOMPARE(bytesOf(path), original);
        QVERIFY(!bytesOf(path).contains("\n\n") && !bytesOf(path).contains("abc"));
        others.insert(file, bytesOf(path));
        QCOMPARE(folder->snapshot(), others);
        // Repaired once: the next start finds nothing.
        QVERIFY(!folder->repair().Run().damaged());

        markEveryPaper(*folder, true);
        QCOMPARE(readMarksFile(folder->file(ResultsFile::Marks), Papers).value.FST.join(""),
                 QString("11111"));
    }

    void notAFileInPlaceIsLeftAlone_data() {
        QTest::addColumn<ResultsFile>("file");
        QTest::addColumn<bool>("link"); // else a folder
        for (ResultsFile f : AllResultsFiles) {
            QTest::addRow("%s: a folder", qPrintable(resultsFileStem(f))) << f << false;
            QTest::addRow("%s: a link", qPrintable(resultsFileStem(f))) << f << true;
        }
    }

    void notAFileInPlaceIsLeftAlone() {
        QFETCH(ResultsFile, file);
        QFETCH(bool, link);
        auto folder = copyOf(*m_worked);
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.filePath("victim.txt");
        QVERIFY(writeBytes(victim, "not the program's\n"));
        const QString path = folder->file(file);
        QVERIFY(QFile::remove(path));
        QVERIFY(link ? QFile::link(victim, path) : QDir().mkpath(path + "/kept"));
        auto inPlace = [&] {
            return link ? QFileInfo(path).isSymLink() && bytesOf(victim) == "not the program's\n"
                        : QFileInfo(path + "/kept").isDir();
        };
        const auto others = folder->snapshot();

        // The start-up check makes no file through it, nor erases everything
        // for a file it could not write anyway; the repair reports it and
        // touches nothing.
        QVERIFY(startupMakesNoFile(*folder));
        const ResultsRepair::Report report = folder->repair().Run();
        QCOMPARE(link ? report.notFiles : report.folders, QStringList{path});
        QVERIFY(report.repaired.isEmpty());
        QVERIFY(report.message().contains(QDir::toNativeSeparators(path)));
        QVERIFY(report.message().contains(link ? "link" : "move that folder"));
        QVERIFY(inPlace());
        QCOMPARE(folder->snapshot(), others);

        // The program goes on: what needs that file says so, the rest works
        // and writes nothing through it.
        auto first = folder->session(102, 1);
        const LoadOutcome loaded = first->load();
        const bool needed = file == ResultsFile::Marks || file == ResultsFile::First ||
                            file == ResultsFile::FResults;
        QCOMPARE(loaded.problem, needed ? LoadProblem::ResultsUnreadable : LoadProblem::None);
        if (needed) {
            QVERIFY(loaded.details.join(' ').contains(path));
        } else {
            QVERIFY(first->prepareMarking({"12"}).ok());
            const WriteOutcome marked = first->completeMarking();
            QCOMPARE(marked.ok(), file != ResultsFile::Trend);
            QCOMPARE(first->isMarked(), file != ResultsFile::Trend);
            if (!marked.ok())
                QCOMPARE(marked.path, path);
            if (!marked.ok() && link)
                QVERIFY(marked.reason.contains("link"));
        }
        QVERIFY(inPlace());

        // Erasing leaves it, and every file after it, alone.
        const EraseOutcome erase =
            eraseAllResults(*folder->store, folder->path(), folder->definition);
        QCOMPARE(erase.failedPath, path);
        QCOMPARE(erase.erased, QStringList());
        QVERIFY(inPlace());
        if (!link)
            return;

        // A link to nothing is not followed to make a file there either.
        const QString missing = elsewhere.filePath("never made.txt");
        QVERIFY(QFile::remove(path) && QFile::link(missing, path));
        QVERIFY(startupMakesNoFile(*folder));
        QVERIFY(!writeFileAtomically(path, "x").ok());
        QVERIFY(!writeScratchFile(path, "x").ok());
        QCOMPARE(folder->repair().Run().notFiles, QStringList{path});
        QVERIFY(!QFileInfo::exists(missing));
    }

    void markingRewritesOverlongMarksRecords() {
        // The last paper's fields stay clean, so the next marking can write the
        // file whole again.
        auto folder = copyOf(*m_worked);
        const QString marks = folder->file(ResultsFile::Marks);
        QVERIFY(writeBytes(marks, damaged(bytesOf(marks), ResultsFile::Marks, Damage::MoreFields)));
        auto session = folder->open(104);
        QVERIFY(session->prepareMarking({"2"}).ok());
        QVERIFY(session->completeMarking().ok());
        QCOMPARE(readMarksFile(marks, Papers).value.FSE,
                 (QStringList{"71.4", "", "100", "100", "50"}));
    }

    void shapesComeFromTheContentTables() {
        // A paper the tables do not know takes its template's shape; one that
        // neither knows keeps what its record holds.
        QTemporaryDir storeDir;
        QVERIFY(copyFixtureStore(storeDir.path()));
        QVERIFY(writeBytes(storeDir.path() + "/store/30022.txt", "#101#>25016\r\n#102#>99999\r\n"));
        QVERIFY(
            writeBytes(storeDir.path() + "/store/30122.txt", "#101#>>\r\n#102#>>>\r\n#103#>\r\n"));
        ProgramFolder folder(storeDir.path());
        folder.definition = readProgramDefinition(*folder.store, folder.path()).definition;
        QCOMPARE(folder.repair().paperShapes(2), (QList<int>{1, 3, 1, -1, -1}));

        QVERIFY(writeBytes(folder.file(ResultsFile::First), "#101#>x>y\r\n#104#>a>b>c\r\n"));
        folder.repair().Run();
        QCOMPARE(bytesOf(folder.file(ResultsFile::First)),
                 QByteArray("#101#>x\r\n#102#>>>\r\n#103#>\r\n#104#>a>b>c\r\n#105#\r\n"));
        QVERIFY(!QFile::exists(folder.path() + "/temptext.txt"));
    }

    void marksFirstThenTheRest() {
        // The start repairs the marks files before the Home page reads them, and
        // the other files once the window is up: each part touches only its own.
        auto folder = copyOf(*m_worked);
        const QString marks = folder->file(ResultsFile::Marks);
        const QString first = folder->file(ResultsFile::First);
        const QString trend = folder->file(ResultsFile::Trend);
        QVERIFY(writeBytes(marks, bytesOf(marks).replace("\r\n", "\n")));
        QVERIFY(writeBytes(first, bytesOf(first).replace("\r\n", "\n")));
        QVERIFY(writeBytes(trend, QByteArray("#TRD#>71.4>x\r\n")));
        const QByteArray firstBefore = bytesOf(first);

        // Each finding is logged with its file and what was done.
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression("^Results repair: .*marks2.*: line ends without CR LF; "
                               "the file was rebuilt$"));
        ResultsRepair repair = folder->repair();
        ResultsRepair::Report report = repair.runMarks();
        QCOMPARE(report.repaired, QStringList{marks});
        QCOMPARE(bytesOf(first), firstBefore);

        report.add(repair.runRest());
        QCOMPARE(report.repaired, (QStringList{marks, first, trend}));
    }

private:
    std::unique_ptr<ProgramFolder> m_worked;
};

QTEST_GUILESS_MAIN(TestResultsRepair)
#include "test_results_repair.moc"
