#include "practice/PaperSession.h"

#include "core/AnswerChecking.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/Numbering.h"
#include "core/ProgramFolder.h"
#include "core/ResourceStore.h"
#include "core/Scoring.h"
#include "results/TrendLog.h"

#include <QFile>

PaperSessionSetup PaperSessionSetup::fromState(const AppState& state) {
    PaperSessionSetup setup;
    setup.programFolder = state.programFolder;
    setup.resultsFolder = state.resultsFolder;
    setup.module = state.LChose;
    setup.programCode = state.lblCOD;
    setup.paperCount = state.TtPapersCon;
    setup.paperNum = state.PaperNum;
    setup.attempt = state.TakeNum == 2 ? 2 : 1;
    return setup;
}

PaperSession::PaperSession(PaperSessionSetup setup, const ResourceStore& store, const Clock& clock,
                           QLocale locale)
    : m_setup(std::move(setup)), m_store(store), m_clock(clock), m_locale(std::move(locale)) {}

QString PaperSession::ResultsPath(ResultsFile file) const {
    return ResultsFilePath(m_setup.resultsFolder.isEmpty() ? m_setup.programFolder
                                                           : m_setup.resultsFolder,
                           file, m_setup.module, m_setup.programCode);
}

namespace {

// One per-paper results file and the open paper's fields in it.
struct PaperFileRead {
    PaperLines lines;
    QStringList fields;
    RecordError error = RecordError::None;
};

PaperFileRead ReadPaperFile(const QString& path, int paperCount, int paperIndex, int blanks) {
    PaperFileRead read;
    const Read<PaperLines> lines = ReadPaperLines(path, paperCount);
    if (!lines.ok()) {
        read.error = lines.error;
        return read;
    }
    read.lines = lines.value;
    const Read<QStringList> fields = PaperFields(read.lines, paperIndex, blanks);
    if (!fields.ok()) {
        read.error = fields.error;
        return read;
    }
    read.fields = fields.value;
    return read;
}

PaperStatus StatusOf(bool marked) {
    return marked ? PaperStatus::Marked : PaperStatus::NotMarked;
}

QString ProblemLine(const QString& path, RecordError error) {
    return path + QStringLiteral(": ") + RecordErrorText(error);
}

// The open paper's part of each results file, read in the order given, then
// the marks file. Every file that fails adds a line to the outcome.
struct ResultsReads {
    QList<PaperFileRead> papers;
    Read<MarksRecords> marks;
    LoadOutcome outcome;
};

ResultsReads ReadResultsFiles(const QStringList& paths, const QString& marksPath, int paperCount,
                              int paperIndex, int blanks) {
    ResultsReads reads;
    for (const QString& path : paths)
        reads.papers << ReadPaperFile(path, paperCount, paperIndex, blanks);
    reads.marks = ReadMarksFile(marksPath, paperCount);
    for (int i = 0; i < paths.size(); ++i) {
        if (reads.papers.at(i).error != RecordError::None)
            reads.outcome.details << ProblemLine(paths.at(i), reads.papers.at(i).error);
    }
    if (!reads.marks.ok())
        reads.outcome.details << ProblemLine(marksPath, reads.marks.error);
    if (!reads.outcome.details.isEmpty())
        reads.outcome.problem = LoadProblem::ResultsUnreadable;
    return reads;
}

} // namespace

LoadOutcome PaperSession::Load() {
    LoadOutcome outcome;
    m_paper = PaperState();
    if (m_setup.module < 1 || m_setup.module > 3 || m_setup.paperIndex() < 1 ||
        m_setup.paperIndex() > m_setup.paperCount) {
        outcome.problem = LoadProblem::BadPaper;
        outcome.details
            << QStringLiteral("Paper %1 is not one of this module's papers.").arg(m_setup.paperNum);
        return outcome;
    }

    const PaperContentRead content =
        LoadPaperContent(m_store, m_setup.programFolder, m_setup.module, m_setup.paperNum);
    if (!content.ok() || content.content.QuestionCount < 1) {
        // A folder that cannot take the tables' copies is not the content's
        // fault, and the pupil is told what is wrong with the folder.
        outcome.problem = content.notWritten.isEmpty() ? LoadProblem::ContentUnreadable
                                                       : LoadProblem::ContentNotWritten;
        outcome.reason = content.notWritten;
        outcome.details = content.problems;
        if (outcome.details.isEmpty())
            outcome.details << QStringLiteral("The paper lists no questions.");
        return outcome;
    }
    static_cast<PaperContent&>(m_paper) = content.content;
    if (m_paper.TotalBlanks > RecordCapacity::Blanks) {
        outcome.problem = LoadProblem::TooManyBlanks;
        outcome.details << QStringLiteral("The paper has %1 answer blanks; at most %2 fit.")
                               .arg(m_paper.TotalBlanks)
                               .arg(RecordCapacity::Blanks);
        return outcome;
    }

    outcome = isSecondAttempt() ? LoadSecondAttemptResults() : LoadResults();
    if (!outcome.ok())
        return outcome;

    m_paper.QSCount = 1;
    RefreshRemainingQuestions();
    m_paper.StartTime = m_clock.now();
    m_paper.StartMsecs = m_paper.StartTime.toMSecsSinceEpoch();
    return outcome;
}

LoadOutcome PaperSession::LoadResults() {
    const int index = m_setup.paperIndex();
    m_paper.MarksPath = ResultsPath(ResultsFile::Marks);
    ResultsReads reads =
        ReadResultsFiles({ResultsPath(ResultsFile::First), ResultsPath(ResultsFile::FResults)},
                         m_paper.MarksPath, m_setup.paperCount, index, m_paper.TotalBlanks);
    if (!reads.outcome.ok())
        return reads.outcome;
    PaperFileRead& first = reads.papers[0];
    PaperFileRead& fresults = reads.papers[1];
    const Read<MarksRecords>& marks = reads.marks;

    m_paper.AnswersFile = std::move(first.lines);
    m_paper.Answers = std::move(first.fields);
    m_paper.ResultsFile = std::move(fresults.lines);
    m_paper.Results = ResultMarksFromTexts(fresults.fields);
    m_paper.Marks = marks.value;
    m_paper.TrendPath = ResultsPath(ResultsFile::Trend);

    const PaperMarks stored = m_paper.Marks.paper(index);
    m_paper.Status = StatusOf(stored.firstMarked);
    m_paper.LTime = stored.timeTaken;
    m_paper.ETime = stored.markedOn;
    m_paper.PScoring = ScoreText(stored.firstTenths);
    return reads.outcome;
}

LoadOutcome PaperSession::LoadSecondAttemptResults() {
    const int index = m_setup.paperIndex();
    const int blanks = m_paper.TotalBlanks;
    m_paper.MarksPath = ResultsPath(ResultsFile::Marks);
    // Read in a fixed order (fresults, second, sresults, first) so that the
    // first failure reported is always the same one.
    ResultsReads reads =
        ReadResultsFiles({ResultsPath(ResultsFile::FResults), ResultsPath(ResultsFile::Second),
                          ResultsPath(ResultsFile::SResults), ResultsPath(ResultsFile::First)},
                         m_paper.MarksPath, m_setup.paperCount, index, blanks);
    if (!reads.outcome.ok())
        return reads.outcome;
    PaperFileRead& fresults = reads.papers[0];
    PaperFileRead& second = reads.papers[1];
    PaperFileRead& sresults = reads.papers[2];
    PaperFileRead& first = reads.papers[3];
    const Read<MarksRecords>& marks = reads.marks;

    m_paper.FirstResults = ResultMarksFromTexts(fresults.fields);
    m_paper.AnswersFile = std::move(second.lines);
    m_paper.Answers = std::move(second.fields);
    m_paper.ResultsFile = std::move(sresults.lines);
    m_paper.Results = ResultMarksFromTexts(sresults.fields);
    m_paper.FirstAnswers = std::move(first.fields);
    m_paper.Marks = marks.value;
    m_paper.TrendPath = ResultsPath(ResultsFile::Trend);

    for (int i = 0; i < blanks; ++i) {
        if (IsCarriedOver(i)) {
            m_paper.Answers[i] = m_paper.FirstAnswers.at(i);
            m_paper.Results[i] = ResultMark::Correct;
        }
    }

    const PaperMarks stored = m_paper.Marks.paper(index);
    m_paper.Status = StatusOf(stored.secondMarked);
    m_paper.PScoring = ScoreText(stored.secondTenths);
    return reads.outcome;
}

bool PaperSession::ExtractQuestionDocument() {
    RemoveQuestionDocument();
    m_documentNotWritten.clear();
    const int q = m_paper.QSCount;
    if (q < 1 || q > m_paper.QuestionIds.size())
        return false;
    const QString id = m_paper.QuestionIds.at(q - 1);
    m_paper.CurrentQuestionId = id.toInt();
    m_paper.DocumentPath = m_setup.programFolder + QLatin1Char('/') + QuestionScratchName(id);
    if (m_paper.CurrentQuestionId <= 0)
        return false;
    FileWriteOutcome written;
    const ResourceStore::ExtractResult extracted =
        m_store.ExtractResource(m_paper.CurrentQuestionId, QStringLiteral("Custom"),
                                m_paper.DocumentPath, ResourceStore::Durability::Scratch, &written);
    if (extracted == ResourceStore::ExtractResult::WriteFailed)
        m_documentNotWritten = written.reason();
    return extracted == ResourceStore::ExtractResult::Done;
}

void PaperSession::RemoveQuestionDocument() {
    if (!m_paper.DocumentPath.isEmpty() && QFile::exists(m_paper.DocumentPath))
        QFile::remove(m_paper.DocumentPath);
}

int PaperSession::FirstBlankOfQuestion(int question) const {
    return Numbering::FirstBlankOf(m_paper.BlanksPerQuestion, question) - 1;
}

int PaperSession::BlanksOfQuestion(int question) const {
    return m_paper.BlanksPerQuestion.value(question - 1, 0);
}

int PaperSession::QuestionOfBlank(int blank) const {
    return Numbering::QuestionOfBlank(m_paper.BlanksPerQuestion, blank + 1);
}

bool PaperSession::CurrentQuestionHasFractions() const {
    const int first = CurrentFirstBlank();
    for (int i = first; i < first + CurrentBlankCount(); ++i) {
        const AnswerKind kind = m_paper.AnswerKinds.value(i, AnswerKind::Unknown);
        if (kind == AnswerKind::X || kind == AnswerKind::F)
            return true;
    }
    return false;
}

void PaperSession::StoreQuestionAnswers(const QStringList& rowTexts) {
    const int first = CurrentFirstBlank();
    const int rows = qMin(CurrentBlankCount(), int(rowTexts.size()));
    for (int k = 0; k < rows; ++k) {
        const int blank = first + k;
        if (blank >= 0 && blank < m_paper.Answers.size())
            m_paper.Answers[blank] = rowTexts.at(k);
    }
}

void WriteOutcome::take(const RecordWrite& written, const QString& file) {
    error = written.error;
    path = written.ok() ? QString() : file;
    reason = written.ok() ? QString() : written.reason();
}

WriteOutcome PaperSession::SaveAnswers() {
    WriteOutcome outcome;
    outcome.take(WritePaperRecord(m_paper.AnswersFile, m_setup.paperIndex(), m_paper.Answers),
                 m_paper.AnswersFile.path);
    return outcome;
}

WriteOutcome PaperSession::MoveToQuestion(const QStringList& rowTexts, int question) {
    WriteOutcome saved;
    // A marked paper's answers are final and already in the file: reviewing
    // it writes nothing, so it works where the file cannot be written.
    if (!isMarked()) {
        StoreQuestionAnswers(rowTexts);
        saved = SaveAnswers();
        if (!saved.ok())
            return saved;
    }
    if (question >= 1 && question <= m_paper.QuestionCount)
        m_paper.QSCount = question;
    RefreshRemainingQuestions();
    return saved;
}

void PaperSession::RefreshRemainingQuestions() {
    m_paper.RemQns.clear();
    for (int i = 0; i < m_paper.Answers.size(); ++i) {
        if (!m_paper.Answers.at(i).trimmed().isEmpty())
            continue;
        const int q = QuestionOfBlank(i);
        if (q > 0 && (m_paper.RemQns.isEmpty() || m_paper.RemQns.last() != q))
            m_paper.RemQns.append(q);
    }
}

WriteOutcome PaperSession::PrepareMarking(const QStringList& rowTexts) {
    StoreQuestionAnswers(rowTexts);
    return SaveAnswers();
}

bool PaperSession::HasUnansweredBlank() const {
    for (int i = 0; i < m_paper.Answers.size(); ++i) {
        if (isSecondAttempt() && IsCarriedOver(i))
            continue;
        if (m_paper.Answers.at(i).isEmpty())
            return true;
    }
    return false;
}

QString PaperSession::MarkingQuestion() const {
    if (HasUnansweredBlank())
        return QStringLiteral("You have not answered all the questions.  Do you still want to "
                              "mark your practice?");
    return QStringLiteral("Do you want to mark your practice now?");
}

WriteOutcome PaperSession::CompleteMarking() {
    WriteOutcome outcome;
    if (isMarked())
        return outcome;

    const PaperState before = m_paper;
    const QDateTime now = m_clock.now();
    if (!isSecondAttempt()) {
        m_paper.ETime = ShortDateText(now.date(), m_locale);
        m_paper.LTime = ElapsedText(m_paper.StartTime.secsTo(now));
    }

    int score = 0;
    for (int i = 0; i < m_paper.TotalBlanks; ++i) {
        m_paper.Results[i] =
            MarkBlank(m_paper.Answers, m_paper.AnswerKeys, m_paper.AnswerKinds, i, m_locale);
        if (m_paper.Results.at(i) == ResultMark::Correct)
            score += m_paper.AnswerMarks.value(i);
    }

    auto fail = [&](const RecordWrite& written, const QString& path) {
        m_paper = before;
        outcome.take(written, path);
        return outcome;
    };

    FileWriteBatch batch;
    const RecordWrite results = WritePaperRecord(m_paper.ResultsFile, m_setup.paperIndex(),
                                                 ResultMarkTexts(m_paper.Results), &batch);
    if (!results.ok())
        return fail(results, m_paper.ResultsFile.path);

    m_paper.Scoring = score;
    m_paper.PScoring = ScorePercentText(score, m_paper.TotalMarks);
    m_paper.Status = PaperStatus::Marked;

    const int k = m_setup.paperIndex() - 1;
    const QString status = MarkedText(m_paper.Status == PaperStatus::Marked);
    if (isSecondAttempt()) {
        m_paper.Marks.SSE[k] = m_paper.PScoring;
        m_paper.Marks.SST[k] = status;
    } else {
        m_paper.Marks.FSE[k] = m_paper.PScoring;
        m_paper.Marks.LTM[k] = m_paper.LTime;
        m_paper.Marks.CDD[k] = m_paper.ETime;
        m_paper.Marks.FST[k] = status;
    }
    const RecordWrite marks =
        WriteMarksFile(m_paper.MarksPath, m_paper.Marks, m_setup.paperCount, &batch);
    if (!marks.ok())
        return fail(marks, m_paper.MarksPath);
    if (!isSecondAttempt()) {
        // A paper marked without its trend value would be lost to the plot.
        const RecordWrite trend = AppendTrendValue(m_paper.TrendPath, m_paper.PScoring, &batch);
        if (!trend.ok())
            return fail(trend, m_paper.TrendPath);
    }

    // Every file is written; only renames are left, which need no room on
    // the disk.
    QString failedPath;
    int replaced = 0;
    const FileWriteOutcome committed = batch.commit(&failedPath, &replaced);
    if (committed.ok())
        return outcome;
    // The results file alone changes nothing the pupil sees while the summary
    // says not marked; a summary put in place without its trend value is
    // undone, so that the paper can be marked again in full.
    if (replaced >= 2)
        WriteMarksFile(before.MarksPath, before.Marks, m_setup.paperCount);
    return fail(RecordWrite(committed), failedPath);
}

int PaperSession::AnsweredCount() const {
    int count = 0;
    for (const QString& answer : m_paper.Answers) {
        if (!answer.isEmpty())
            ++count;
    }
    return count;
}

QString PaperSession::ClockText() const {
    if (!m_paper.StartTime.isValid())
        return ElapsedText(0);
    return ElapsedText((m_clock.msecsSinceEpoch() - m_paper.StartMsecs) / 1000);
}

bool PaperSession::IsCarriedOver(int blank) const {
    return isSecondAttempt() &&
           m_paper.FirstResults.value(blank, ResultMark::None) == ResultMark::Correct;
}

QString PaperSession::ModelAnswerFor(int blank) const {
    if (blank < 0 || blank >= m_paper.TotalBlanks)
        return QString();
    return ModelAnswer(m_paper.Answers, m_paper.AnswerKeys, m_paper.AnswerKinds, blank);
}

AnswerRowContent PaperSession::RowContent(int blank) const {
    AnswerRowContent row;
    row.answer = m_paper.Answers.value(blank);
    row.singleCharacter = m_paper.AnswerKinds.value(blank) == AnswerKind::Q;
    row.readOnly = isMarked();
    if (!isSecondAttempt()) {
        row.model = m_paper.AnswerKeys.value(blank);
        row.firstMark = m_paper.Results.value(blank, ResultMark::None);
        row.showFirstMark = isMarked();
        return row;
    }
    row.model = ModelAnswerFor(blank);
    row.firstMark = m_paper.FirstResults.value(blank, ResultMark::None);
    row.secondMark = m_paper.Results.value(blank, ResultMark::None);
    row.locked = IsCarriedOver(blank);
    if (isMarked()) {
        row.showSecondMark = true;
        row.showModel = row.secondMark == ResultMark::Wrong;
    } else {
        row.readOnly = row.locked;
        row.showFirstMark = row.locked;
        row.firstMarkBesideBox = row.locked;
    }
    return row;
}

bool PaperSession::LeavesSecondAttempt(const QString& firstScore) {
    bool ok = false;
    const double value = firstScore.trimmed().toDouble(&ok);
    return !ok || value <= 99.0;
}

bool PaperSession::WorkingMayBeShown(int attempt, bool marked, const QString& score) {
    if (!marked) {
        return false;
    }
    if (attempt == 2) {
        return true;
    }
    return attempt == 1 && !LeavesSecondAttempt(score);
}

bool PaperSession::WorkingMayBeShown() const {
    return WorkingMayBeShown(m_setup.attempt, isMarked(), m_paper.PScoring);
}
