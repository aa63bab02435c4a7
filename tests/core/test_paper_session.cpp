// The paper session without windows: loading, storing, moving, saving,
// marking and the second attempt, against the shipped store and a small
// fixture store whose keys exercise the group rules.

#include "../reliability/WorkerSteps.h"
#include "UnreadableFile.h"
#include "core/Scoring.h"
#include "test_support.h"

#include <QtTest>

Q_DECLARE_METATYPE(ResultsFile)

namespace {

constexpr ResultMark Tick = ResultMark::Correct;
constexpr ResultMark Cross = ResultMark::Wrong;

using namespace TestFiles;

QList<QByteArray> fileLines(const QString& path) {
    QList<QByteArray> lines = bytesOf(path).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::unique_ptr<ModuleFolder> shippedFolder() {
    auto folder = std::make_unique<ModuleFolder>(QString::fromLatin1(ResourceStore::BuiltInRoot));
    if (!folder->start())
        qFatal("the shipped store's results templates do not write");
    return folder;
}

std::unique_ptr<ModuleFolder> fixtureFolder() {
    auto folder =
        std::make_unique<ModuleFolder>(QStringLiteral(QUILLORA_TEST_DATA_DIR "/session_store"));
    ModuleDefinition& module = folder->definition.modules[1];
    module.heading = QStringLiteral("Practice");
    module.paperCount = 5;
    folder->definition.programCode = QStringLiteral("TST");
    if (!ResetAllResults(*folder->store, folder->path(), folder->definition).isEmpty())
        qFatal("the fixture's results templates do not write");
    return folder;
}

// Types answers question by question, as the window's rows would hand them
// over, and comes back to question 1.
bool typeAllAnswers(PaperSession& session, const QStringList& answers) {
    return WorkerSteps::walkAnswers(session, answers, false) && session.moveToQuestion({}, 1).ok();
}

} // namespace

class TestPaperSession : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void movesStoreTheRowsOfTheQuestionLeft() {
        auto folder = fixtureFolder();
        auto session = folder->open(101);
        QCOMPARE(session->currentBlankCount(), 1);
        // Question 1 has one blank: a second row is not read.
        QVERIFY(session->moveToQuestion({"9", "ignored"}, 2).ok());
        QCOMPARE(session->currentFirstBlank(), 1);
        QCOMPARE(session->currentBlankCount(), 2);
        QCOMPARE(session->paper().Answers.at(1), QString());
        QVERIFY(session->moveToQuestion({"Sixteen", "24.8"}, 5).ok());
        QCOMPARE(session->currentFirstBlank(), 7);
        QVERIFY(session->currentQuestionHasFractions());
        QVERIFY(session->moveToQuestion({"1/2", "1 1/2"}, 4).ok());
        QVERIFY(!session->currentQuestionHasFractions());
        QCOMPARE(session->paper().RemQns, QList<int>({3, 4, 6}));
        QCOMPARE(fileLines(folder->file(ResultsFile::First)).first(),
                 QByteArray("#101#>9>Sixteen>24.8>>>>>1/2>1 1/2>\r"));
        // A question number outside the paper stores and saves but does not move.
        QVERIFY(session->moveToQuestion({"dog"}, 7).ok());
        QCOMPARE(session->paper().QSCount, 4);
        QCOMPARE(session->paper().Answers.at(6), QStringLiteral("dog"));
    }

    void answersCountedAndMarked_data() {
        // Fixture paper 101: keys 9 | Sixteen, 24.80 | G ;2;3;5 x3 | M ;cat;dog |
        // F 3/10, X 1 2/3 | Q 2; marks 2 | 1, 2 | 1, 1, 1 | 1 | 1, 1 | 1 (12).
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QList<int>>("remaining"); // questions still to do
        QTest::addColumn<bool>("complete");        // every blank answered for marking
        QTest::addColumn<QString>("results");
        QTest::addColumn<QString>("percent");
        const QStringList right{"9.0", " sixteen ", "24.8",   "5",      "2",
                                "3",   "DOG",       "3 / 10", "1  2/3", "2"};
        QTest::newRow("all correct in other forms") << right << QList<int>() << true << "++++++++++"
                                                    << "100";
        QTest::newRow("nothing answered") << QStringList(QList<QString>(10))
                                          << QList<int>({1, 2, 3, 4, 5, 6}) << false << "----------"
                                          << "0";
        QStringList q3Empty = right;
        q3Empty[3] = QString();
        q3Empty[5] = QString();
        QTest::newRow("two empty blanks of question 3 list it once")
            << q3Empty << QList<int>({3}) << false << "+++-+-++++"
            << "83.3";
        QStringList spaces = right;
        spaces[0] = QStringLiteral("   ");
        spaces[9] = QStringLiteral(" ");
        QTest::newRow("spaces: still to do, but answered for marking")
            << spaces << QList<int>({1, 6}) << true << "-++++++++-"
            << "75";
    }

    void answersCountedAndMarked() {
        QFETCH(QStringList, answers);
        QFETCH(QList<int>, remaining);
        QFETCH(bool, complete);
        QFETCH(QString, results);
        QFETCH(QString, percent);
        auto folder = fixtureFolder();
        auto session = folder->open(101);
        QVERIFY(typeAllAnswers(*session, answers));
        QCOMPARE(session->paper().RemQns, remaining);
        QCOMPARE(folder->open(101)->paper().RemQns, remaining);
        // (The question it asks is the second-attempt window's test.)
        QCOMPARE(session->hasUnansweredBlank(), !complete);

        folder->clock.advanceSeconds(65);
        QVERIFY(session->prepareMarking(answers.mid(0, 1)).ok());
        QVERIFY(session->completeMarking().ok());
        QByteArray resultsLine = "#101#";
        for (QChar c : results)
            resultsLine += c == QLatin1Char('+') ? QByteArray(">\xFC") : QByteArray(">\xFB");
        QCOMPARE(fileLines(folder->file(ResultsFile::FResults)).first(), resultsLine + "\r");
        QCOMPARE(bytesOf(folder->file(ResultsFile::Marks)),
                 "#FSE#>" + percent.toLatin1() +
                     ">>>>\r\n#SSE#>>>>>\r\n#LTM#>0:1:5>>>>\r\n#CDD#>09/03/2024>>>>\r\n"
                     "#FST#>1>0>0>0>0\r\n#SST#>0>0>0>0>0\r\n");
        QCOMPARE(bytesOf(folder->file(ResultsFile::Trend)), "#TRD#>" + percent.toLatin1() + "\r\n");
    }

    void declinedOrFailedMarkingLeavesPaperUnmarked_data() {
        QTest::addColumn<ResultsFile>("broken");
        QTest::newRow("fresults") << ResultsFile::FResults;
        QTest::newRow("marks") << ResultsFile::Marks;
        QTest::newRow("trend") << ResultsFile::Trend;
    }

    void declinedOrFailedMarkingLeavesPaperUnmarked() {
        QFETCH(ResultsFile, broken);
        auto folder = fixtureFolder();
        auto session = folder->open(105);
        const auto before = folder->snapshot();
        // Prepared, as when the pupil says No: only the answers are saved.
        QVERIFY(session->prepareMarking({"  5"}).ok());
        QCOMPARE(fileLines(folder->file(ResultsFile::First)).at(4), QByteArray("#105#>  5\r"));
        for (ResultsFile f : {ResultsFile::Marks, ResultsFile::FResults, ResultsFile::Trend})
            QCOMPARE(bytesOf(folder->file(f)), before.value(f));
        const auto marksBefore = readMarksFile(folder->file(ResultsFile::Marks), 5).value.asArray();
        QVERIFY(QFile::remove(folder->file(broken)));
        QVERIFY(QDir().mkdir(folder->file(broken)));

        const WriteOutcome outcome = session->completeMarking();
        QVERIFY(!outcome.ok());
        QCOMPARE(outcome.path, folder->file(broken));
        QCOMPARE(session->paper().Status, PaperStatus::NotMarked);
        QCOMPARE(session->paper().Results, QList<ResultMark>({ResultMark::None}));
        QCOMPARE(session->paper().PScoring, QString());
        // Its records, not its bytes: a rewrite may drop the template's framing.
        if (broken != ResultsFile::Marks)
            QCOMPARE(readMarksFile(folder->file(ResultsFile::Marks), 5).value.asArray(),
                     marksBefore);

        QVERIFY(QDir().rmdir(folder->file(broken)));
        if (broken == ResultsFile::Trend)
            QVERIFY(writeBytes(folder->file(broken), "#TRD#"));
        QVERIFY(session->completeMarking().ok());
        QCOMPARE(session->paper().Status, PaperStatus::Marked);
        QCOMPARE(fileLines(folder->file(ResultsFile::Marks)).at(4),
                 QByteArray("#FST#>0>0>0>0>1\r"));
    }

    void markingTimeAndDateInEveryLocale_data() {
        QTest::addColumn<QString>("locale");
        for (const char* name : {"bg_BG", "ar_EG", "fa_IR", "ja_JP", "zh_CN", "de_DE", "en_GB"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void markingTimeAndDateInEveryLocale() {
        QFETCH(QString, locale);
        const auto restore = qScopeGuard(
            [] { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); });
        // The window's session takes the pupil's locale, the default one.
        QLocale::setDefault(QLocale(locale));
        auto folder = fixtureFolder();
        {
            auto earlier = folder->open(105);
            folder->clock.advanceSeconds(4000);
            QVERIFY(earlier->saveAnswers().ok());
        }
        PaperSession session(folder->setup(105), *folder->store, folder->clock);
        QVERIFY(session.load().ok());
        // Time taken counts from the latest opening.
        folder->clock.advanceSeconds(3600 + 7 * 60 + 5);
        QCOMPARE(session.clockText(), QStringLiteral("1:7:5"));
        QVERIFY(session.prepareMarking({"5"}).ok());
        const WriteOutcome marked = session.completeMarking();
        QVERIFY2(marked.ok(), qPrintable(recordErrorText(marked.error)));

        const PaperState& paper = session.paper();
        QCOMPARE(paper.LTime, QStringLiteral("1:7:5"));
        // 9 March 2024 in the locale's own form where the file can hold it, and
        // read back unchanged.
        QVERIFY2(paper.ETime.contains("24") && paper.ETime.contains('3') &&
                     paper.ETime.contains('9'),
                 qPrintable(paper.ETime));
        const QString own = QLocale().toString(QDate(2024, 3, 9), QLocale::ShortFormat);
        if (QString::fromLatin1(own.toLatin1()) == own)
            QCOMPARE(paper.ETime, own);
        QCOMPARE(readMarksFile(folder->file(ResultsFile::Marks), 5).value.CDD.at(4), paper.ETime);
    }

    void missingRecordTakesNoOtherWithIt_data() {
        QTest::addColumn<QByteArray>("damage"); // what becomes of paper 102's line
        QTest::newRow("102 missing") << QByteArray();
        QTest::newRow("102 moved to the end") << QByteArray("end");
    }

    void missingRecordTakesNoOtherWithIt() {
        QFETCH(QByteArray, damage);
        auto folder = fixtureFolder();
        QMap<int, QStringList> saved;
        for (int paperNum : {102, 103, 104, 105}) {
            auto session = folder->open(paperNum);
            QStringList answers;
            for (int i = 0; i < session->paper().TotalBlanks; ++i)
                answers << QStringLiteral("p%1a%2").arg(paperNum).arg(i + 1);
            QVERIFY(typeAllAnswers(*session, answers));
            saved.insert(paperNum, answers);
        }
        const QString first = folder->file(ResultsFile::First);
        QList<QByteArray> lines = fileLines(first);
        const QByteArray line102 = lines.takeAt(1);
        if (damage == "end")
            lines.append(line102);
        QVERIFY(writeBytes(first, lines.join('\n') + '\n'));

        // Paper 101 opens and saves while 102 stands out of place or not at all.
        auto session = folder->open(101);
        QVERIFY(session->moveToQuestion({"new"}, 2).ok());

        if (damage.isEmpty())
            saved.remove(102);
        for (auto it = saved.cbegin(); it != saved.cend(); ++it)
            QCOMPARE(folder->open(it.key())->paper().Answers, it.value());
        QCOMPARE(folder->open(101)->paper().Answers.at(0), QStringLiteral("new"));
    }

    void reviewingMarkedPaperWritesNothing() {
        auto folder = fixtureFolder();
        const QString first = folder->file(ResultsFile::First);
        for (const bool reopened : {false, true}) {
            auto session = folder->open(103);
            if (!reopened) {
                QVERIFY(typeAllAnswers(*session, {"seven", "4"}));
                QVERIFY(session->prepareMarking({"seven"}).ok());
                QVERIFY(session->completeMarking().ok());
            }
            QVERIFY(session->isMarked());
            const QStringList answers = session->paper().Answers;
            // The answers file cannot be written (a folder in its place).
            QVERIFY(QFile::rename(first, first + ".away"));
            QVERIFY(QDir().mkdir(first));
            QVERIFY(session->moveToQuestion({"typed"}, 2).ok());
            QCOMPARE(session->paper().QSCount, 2);
            QCOMPARE(session->paper().Answers, answers);
            QVERIFY(QDir().rmdir(first));
            QVERIFY(QFile::rename(first + ".away", first));
        }
    }

    void loadFailuresAreReported() {
        auto folder = fixtureFolder();
        QCOMPARE(folder->session(106)->load().problem, LoadProblem::BadPaper);

        // (The first attempt's reads meet damage in the repair's tests.)
        QVERIFY(QFile::remove(folder->file(ResultsFile::SResults)));
        const LoadOutcome results = folder->session(101, 2)->load();
        QCOMPARE(results.problem, LoadProblem::ResultsUnreadable);
        QVERIFY(results.details.join(' ').contains(folder->file(ResultsFile::SResults)));
        QCOMPARE(results.systemError, 0); // missing: the system gave no reason

        // A file the system refuses to read is named, with the system's reason.
        for (ResultsFile file : {ResultsFile::FResults, ResultsFile::Marks}) {
            const QString path = folder->file(file);
            QVERIFY(QFileInfo(path).isFile());
            UnreadableFile refused(path);
            if (!refused.works() && ::geteuid() == 0)
                QSKIP("root may not bind a refused file over another here");
            QVERIFY(refused.works());
            const LoadOutcome loaded = folder->session(101)->load();
            QCOMPARE(loaded.problem, LoadProblem::ResultsUnreadable);
            QCOMPARE(loaded.path, path);
            QCOMPARE(loaded.systemError, EACCES);
            QCOMPARE(loaded.reason, readFailureReason(EACCES));
            QVERIFY(loaded.details.join(' ').contains(
                path + ": " + recordErrorText(RecordError::FileUnreadable, EACCES)));
        }
    }

    // Which bytes a first and a second marking write. (Which blanks are
    // carried over and locked, the marking question and the model answers
    // shown are the second-attempt window's test.)
    void secondAttemptCarriesOverCorrectBlanks() {
        const int paperNum = 141; // 60 fields, more than a paper line count
        auto folder = shippedFolder();
        QVERIFY(bytesOf(folder->file(ResultsFile::First)).startsWith("..."));
        QStringList answers;
        int last = 0;
        {
            auto first = folder->open(paperNum);
            answers = correctAnswers(first->paper().AnswerKeys);
            last = int(answers.size()) - 1;
            QCOMPARE(last, 59);
            for (int i : {3, 8, 15, 22, last})
                answers[i] = QStringLiteral("wrong");
            QVERIFY(typeAllAnswers(*first, answers));
            QVERIFY(first->completeMarking().ok());
        }
        // The first write turns the template into fifty paper lines.
        const QList<QByteArray> lines = fileLines(folder->file(ResultsFile::First));
        QCOMPARE(lines.size(), 50);
        for (int k = 0; k < 50; ++k)
            QVERIFY(lines.at(k).startsWith(QByteArray("#" + QByteArray::number(101 + k) + "#")) &&
                    lines.at(k).endsWith('\r'));
        QCOMPARE(lines.at(paperNum - 101), "#141#>" + answers.join('>').toLatin1() + "\r");
        const auto before = folder->snapshot();

        auto second = folder->open(paperNum, 2);
        const PaperState& paper = second->paper();
        QCOMPARE(second->answeredCount(), last + 1 - 5);
        const QStringList correct = correctAnswers(paper.AnswerKeys);
        for (int i : {3, 8, 15, 22})
            answers[i] = correct.at(i);
        answers[last] = QStringLiteral("still wrong");
        QVERIFY(typeAllAnswers(*second, answers));
        QVERIFY(second->completeMarking().ok());

        const auto after = folder->snapshot();
        for (ResultsFile f : {ResultsFile::Trend, ResultsFile::First, ResultsFile::FResults})
            QCOMPARE(after.value(f), before.value(f));
        const QList<QByteArray> oldMarks = before.value(ResultsFile::Marks).split('\n');
        const QList<QByteArray> newMarks = after.value(ResultsFile::Marks).split('\n');
        QCOMPARE(newMarks.size(), oldMarks.size());
        for (int line : {0, 2, 3, 4})
            QCOMPARE(newMarks.at(line), oldMarks.at(line));
        QCOMPARE(paper.Scoring, paper.TotalMarks - paper.AnswerMarks.at(last));
        QCOMPARE(paper.PScoring, scorePercentText(paper.Scoring, paper.TotalMarks));
        // Field 41 of SSE and SST, the paper's, and nothing else.
        for (const auto& [line, value] :
             {std::pair{1, paper.PScoring.toLatin1()}, std::pair{5, QByteArray("1")}}) {
            QList<QByteArray> fields = oldMarks.at(line).chopped(1).split('>');
            fields[paperNum - 100] = value;
            QCOMPARE(newMarks.at(line), fields.join('>') + "\r");
        }
        QCOMPARE(fileLines(folder->file(ResultsFile::Second)).at(paperNum - 101),
                 "#141#>" + answers.join('>').toLatin1() + "\r");

        auto reopened = folder->open(paperNum, 2);
        QVERIFY(reopened->isMarked());
        QCOMPARE(reopened->paper().PScoring, paper.PScoring);
        QCOMPARE(reopened->paper().Results, paper.Results);
    }

    void rowContentByAttemptAndState() {
        auto folder = fixtureFolder();
        // First attempt, fixture paper 101: blank 1 is "N" key 9, blank 10 "Q" key 2.
        auto first = folder->open(101);
        const QStringList answers = {"9", "x", "24.80", "2", "7", "9", "cow", "3/10", "1 2/3", "3"};
        QVERIFY(typeAllAnswers(*first, answers));
        AnswerRowContent row = first->rowContent(0);
        QCOMPARE(row.answer, QStringLiteral("9"));
        QCOMPARE(row.model, QStringLiteral("9"));
        QVERIFY(!row.readOnly && !row.showFirstMark && !row.locked && !row.showModel &&
                !row.singleCharacter);
        QVERIFY(first->rowContent(9).singleCharacter);
        QVERIFY(first->completeMarking().ok());
        row = first->rowContent(1);
        QVERIFY(row.readOnly && row.showFirstMark && !row.showModel && !row.showSecondMark);
        QCOMPARE(row.firstMark, Cross);
        QCOMPARE(first->rowContent(0).firstMark, Tick);

        // Second attempt: a carried-over blank locked with its tick beside the
        // box, the others open. (How they look is the second-attempt window's test.)
        auto second = folder->open(101, 2);
        row = second->rowContent(0);
        QVERIFY(row.locked && row.readOnly && row.showFirstMark && row.firstMarkBesideBox);
        row = second->rowContent(1);
        QVERIFY(!row.locked && !row.readOnly && !row.showFirstMark && !row.firstMarkBesideBox);

        // The same wrong answers again: a wrong blank shows its key (an M key
        // its first alternative), a group's the alternatives no blank found.
        const QMap<int, QString> models{{1, "Sixteen"}, {4, "3"}, {5, "5"}, {6, "cat"}, {9, "2"}};
        QStringList again = second->paper().Answers;
        for (int i : models.keys())
            again[i] = answers.at(i);
        QVERIFY(typeAllAnswers(*second, again));
        QVERIFY(second->completeMarking().ok());
        for (int i = 0; i < again.size(); ++i) {
            QCOMPARE(second->paper().Results.at(i) == Cross, models.contains(i));
            if (models.contains(i))
                QCOMPARE(second->modelAnswerFor(i), models.value(i));
        }
    }
};

QTEST_GUILESS_MAIN(TestPaperSession)
#include "test_paper_session.moc"
