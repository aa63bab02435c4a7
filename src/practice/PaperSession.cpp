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

QString PaperSession::resultsPath(ResultsFile file) const {
    return resultsFilePath(m_setup.resultsFolder.isEmpty() ? m_setup.programFolder
                                                           : m_setup.resultsFolder,
                           file, m_setup.module, m_setup.programCode);
}

namespace {

// One per-paper results file and the open paper's fields in it.
struct PaperFileRead {
    PaperLines lines;
    QStringList fields;
    RecordError error = RecordError::None;
    int systemError = 0;
};

PaperFileRead readPaperFile(const QString& path, int paperCount, int paperIndex, int blanks) {
    PaperFileRead read;
    const Read<PaperLines> lines = readPaperLines(path, paperCount);
    if (!lines.ok()) {
        read.error = lines.error;
        read.systemError = lines.systemError;
        return read;
    }
    read.lines = lines.value;
    const Read<QStringList> fields = paperFields(read.lines, paperIndex, blanks);
    if (!fields.ok()) {
        read.error = fields.error;
        return read;
    }
    read.fields = fields.value;
    return read;
}

PaperStatus statusOf(bool marked) {
    return marked ? PaperStatus::Marked : PaperStatus::NotMarked;
}

QString problemLine(const QString& path, RecordError error, int systemError) {
    return path + QStringLiteral(": ") + recordErrorText(error, systemError);
}

// The open paper's part of each results file, read in the order given, then
// the marks file. Every file that fails adds a line to the outcome; the
// first one the system could not read is named with its reason.
struct ResultsReads {
    QList<PaperFileRead> papers;
    Read<MarksRecords> marks;
    LoadOutcome outcome;
};

ResultsReads readResultsFiles(const QStringList& paths, const QString& marksPath, int paperCount,
                              int paperIndex, int blanks) {
    ResultsReads reads;
    for (const QString& path : paths)
        reads.papers << readPaperFile(path, paperCount, paperIndex, blanks);
    reads.marks = readMarksFile(marksPath, paperCount);
    LoadOutcome& outcome = reads.outcome;
    const auto fail = [&outcome](const QString& path, RecordError error, int systemError) {
        outcome.details << problemLine(path, error, systemError);
        if (systemError != 0 && outcome.path.isEmpty()) {
            outcome.path = path;
            outcome.systemError = systemError;
            outcome.reason = readFailureReason(systemError);
        }
    };
    for (int i = 0; i < paths.size(); ++i) {
        const PaperFileRead& read = reads.papers.at(i);
        if (read.error != RecordError::None)
            fail(paths.at(i), read.error, read.systemError);
    }
    if (!reads.marks.ok())
        fail(marksPath, reads.marks.error, reads.marks.systemError);
    if (!reads.outcome.details.isEmpty())
        reads.outcome.problem = LoadProblem::ResultsUnreadable;
    return reads;
}

} // namespace

LoadOutcome PaperSession::load() {
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
        loadPaperContent(m_store, m_setup.programFolder, m_setup.module, m_setup.paperNum);
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

    outcome = isSecondAttempt() ? loadSecondAttemptResults() : loadResults();
    if (!outcome.ok())
        return outcome;

    m_paper.QSCount = 1;
    refreshRemainingQuestions();
    m_paper.StartTime = m_clock.now();
    m_paper.StartMsecs = m_paper.StartTime.toMSecsSinceEpoch();
    return outcome;
}

LoadOutcome PaperSession::loadResults() {
    const int index = m_setup.paperIndex();
    m_paper.MarksPath = resultsPath(ResultsFile::Marks);
    ResultsReads reads =
        readResultsFiles({resultsPath(ResultsFile::First), resultsPath(ResultsFile::FResults)},
                         m_paper.MarksPath, m_setup.paperCount, index, m_paper.TotalBlanks);
    if (!reads.outcome.ok())
        return reads.outcome;
    PaperFileRead& first = reads.papers[0];
    PaperFileRead& fresults = reads.papers[1];
    const Read<MarksRecords>& marks = reads.marks;

    m_paper.AnswersFile = std::move(first.lines);
    m_paper.Answers = std::move(first.fields);
    m_paper.ResultsFile = std::move(fresults.lines);
    m_paper.Results = resultMarksFromTexts(fresults.fields);
    m_paper.Marks = marks.value;
    m_paper.TrendPath = resultsPath(ResultsFile::Trend);

    const PaperMarks stored = m_paper.Marks.paper(index);
    m_paper.Status = statusOf(stored.firstMarked);
    m_paper.LTime = stored.timeTaken;
    m_paper.ETime = stored.markedOn;
    m_paper.PScoring = scoreText(stored.firstTenths);
    return reads.outcome;
}

LoadOutcome PaperSession::loadSecondAttemptResults() {
    const int index = m_setup.paperIndex();
    const int blanks = m_paper.TotalBlanks;
    m_paper.MarksPath = resultsPath(ResultsFile::Marks);
    // Read in a fixed order (fresults, second, sresults, first) so that the
    // first failure reported is always the same one.
    ResultsReads reads =
        readResultsFiles({resultsPath(ResultsFile::FResults), resultsPath(ResultsFile::Second),
                          resultsPath(ResultsFile::SResults), resultsPath(ResultsFile::First)},
                         m_paper.MarksPath, m_setup.paperCount, index, blanks);
    if (!reads.outcome.ok())
        return reads.outcome;
    PaperFileRead& fresults = reads.papers[0];
    PaperFileRead& second = reads.papers[1];
    PaperFileRead& sresults = reads.papers[2];
    PaperFileRead& first = reads.papers[3];
    const Read<MarksRecords>& marks = reads.marks;

    m_paper.FirstResults = resultMarksFromTexts(fresults.fields);
    m_paper.AnswersFile = std::move(second.lines);
    m_paper.Answers = std::move(second.fields);
    m_paper.ResultsFile = std::move(sresults.lines);
    m_paper.Results = resultMarksFromTexts(sresults.fields);
    m_paper.FirstAnswers = std::move(first.fields);
    m_paper.Marks = marks.value;
    m_paper.TrendPath = resultsPath(ResultsFile::Trend);

    for (int i = 0; i < blanks; ++i) {
        if (isCarriedOver(i)) {
            m_paper.Answers[i] = m_paper.FirstAnswers.at(i);
            m_paper.Results[i] = ResultMark::Correct;
        }
    }

    const PaperMarks stored = m_paper.Marks.paper(index);
    m_paper.Status = statusOf(stored.secondMarked);
    m_paper.PScoring = scoreText(stored.secondTenths);
    return reads.outcome;
}

bool PaperSession::extractQuestionDocument() {
    removeQuestionDocument();
    m_documentNotWritten.clear();
    const int q = m_paper.QSCount;
    if (q < 1 || q > m_paper.QuestionIds.size())
        return false;
    const QString id = m_paper.QuestionIds.at(q - 1);
    m_paper.CurrentQuestionId = id.toInt();
    m_paper.DocumentPath = m_setup.programFolder + QLatin1Char('/') + questionScratchName(id);
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

void PaperSession::removeQuestionDocument() {
    if (!m_paper.DocumentPath.isEmpty() && QFile::exists(m_paper.DocumentPath))
        QFile::remove(m_paper.DocumentPath);
}

int PaperSession::firstBlankOfQuestion(int question) const {
    return Numbering::firstBlankOf(m_paper.BlanksPerQuestion, question) - 1;
}

int PaperSession::blanksOfQuestion(int question) const {
    return m_paper.BlanksPerQuestion.value(question - 1, 0);
}

int PaperSession::questionOfBlank(int blank) const {
    return Numbering::questionOfBlank(m_paper.BlanksPerQuestion, blank + 1);
}

bool PaperSession::currentQuestionHasFractions() const {
    const int first = currentFirstBlank();
    for (int i = first; i < first + currentBlankCount(); ++i) {
        const AnswerKind kind = m_paper.AnswerKinds.value(i, AnswerKind::Unknown);
        if (kind == AnswerKind::X || kind == AnswerKind::F)
            return true;
    }
    return false;
}

void PaperSession::storeQuestionAnswers(const QStringList& rowTexts) {
    const int first = currentFirstBlank();
    const int rows = qMin(currentBlankCount(), int(rowTexts.size()));
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

WriteOutcome PaperSession::saveAnswers() {
    WriteOutcome outcome;
    outcome.take(writePaperRecord(m_paper.AnswersFile, m_setup.paperIndex(), m_paper.Answers),
                 m_paper.AnswersFile.path);
    return outcome;
}

WriteOutcome PaperSession::moveToQuestion(const QStringList& rowTexts, int question) {
    WriteOutcome saved;
    // A marked paper's answers are final and already in the file: reviewing
    // it writes nothing, so it works where the file cannot be written.
    if (!isMarked()) {
        storeQuestionAnswers(rowTexts);
        saved = saveAnswers();
        if (!saved.ok())
            return saved;
    }
    if (question >= 1 && question <= m_paper.QuestionCount)
        m_paper.QSCount = question;
    refreshRemainingQuestions();
    return saved;
}

void PaperSession::refreshRemainingQuestions() {
    m_paper.RemQns.clear();
    for (int i = 0; i < m_paper.Answers.size(); ++i) {
        if (!m_paper.Answers.at(i).trimmed().isEmpty())
            continue;
        const int q = questionOfBlank(i);
        if (q > 0 && (m_paper.RemQns.isEmpty() || m_paper.RemQns.last() != q))
            m_paper.RemQns.append(q);
    }
}

WriteOutcome PaperSession::prepareMarking(const QStringList& rowTexts) {
    storeQuestionAnswers(rowTexts);
    return saveAnswers();
}

bool PaperSession::hasUnansweredBlank() const {
    for (int i = 0; i < m_paper.Answers.size(); ++i) {
        if (isSecondAttempt() && isCarriedOver(i))
            continue;
        if (m_paper.Answers.at(i).isEmpty())
            return true;
    }
    return false;
}

QString PaperSession::markingQuestion() const {
    if (hasUnansweredBlank())
        return QStringLiteral("You have not answered all the questions.  Do you still want to "
                              "mark your practice?");
    return QStringLiteral("Do you want to mark your practice now?");
}

WriteOutcome PaperSession::completeMarking() {
    WriteOutcome outcome;
    if (isMarked())
        return outcome;

    const PaperState before = m_paper;
    const QDateTime now = m_clock.now();
    if (!isSecondAttempt()) {
        m_paper.ETime = shortDateText(now.date(), m_locale);
        m_paper.LTime = elapsedText(m_paper.StartTime.secsTo(now));
    }

    int score = 0;
    for (int i = 0; i < m_paper.TotalBlanks; ++i) {
        m_paper.Results[i] =
            markBlank(m_paper.Answers, m_paper.AnswerKeys, m_paper.AnswerKinds, i, m_locale);
        if (m_paper.Results.at(i) == ResultMark::Correct)
            score += m_paper.AnswerMarks.value(i);
    }

    auto fail = [&](const RecordWrite& written, const QString& path) {
        m_paper = before;
        outcome.take(written, path);
        return outcome;
    };

    FileWriteBatch batch;
    const RecordWrite results = writePaperRecord(m_paper.ResultsFile, m_setup.paperIndex(),
                                                 resultMarkTexts(m_paper.Results), &batch);
    if (!results.ok())
        return fail(results, m_paper.ResultsFile.path);

    m_paper.Scoring = score;
    m_paper.PScoring = scorePercentText(score, m_paper.TotalMarks);
    m_paper.Status = PaperStatus::Marked;

    const int k = m_setup.paperIndex() - 1;
    const QString status = markedText(m_paper.Status == PaperStatus::Marked);
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
        writeMarksFile(m_paper.MarksPath, m_paper.Marks, m_setup.paperCount, &batch);
    if (!marks.ok())
        return fail(marks, m_paper.MarksPath);
    if (!isSecondAttempt()) {
        // A paper marked without its trend value would be lost to the plot.
        const RecordWrite trend = appendTrendValue(m_paper.TrendPath, m_paper.PScoring, &batch);
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
        writeMarksFile(before.MarksPath, before.Marks, m_setup.paperCount);
    return fail(RecordWrite(committed), failedPath);
}

int PaperSession::answeredCount() const {
    int count = 0;
    for (const QString& answer : m_paper.Answers) {
        if (!answer.isEmpty())
            ++count;
    }
    return count;
}

QString PaperSession::clockText() const {
    if (!m_paper.StartTime.isValid())
        return elapsedText(0);
    return elapsedText((m_clock.msecsSinceEpoch() - m_paper.StartMsecs) / 1000);
}

bool PaperSession::isCarriedOver(int blank) const {
    return isSecondAttempt() &&
           m_paper.FirstResults.value(blank, ResultMark::None) == ResultMark::Correct;
}

QString PaperSession::modelAnswerFor(int blank) const {
    if (blank < 0 || blank >= m_paper.TotalBlanks)
        return QString();
    return modelAnswer(m_paper.Answers, m_paper.AnswerKeys, m_paper.AnswerKinds, blank);
}

AnswerRowContent PaperSession::rowContent(int blank) const {
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
    row.model = modelAnswerFor(blank);
    row.firstMark = m_paper.FirstResults.value(blank, ResultMark::None);
    row.secondMark = m_paper.Results.value(blank, ResultMark::None);
    row.locked = isCarriedOver(blank);
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

bool PaperSession::leavesSecondAttempt(const QString& firstScore) {
    bool ok = false;
    const double value = firstScore.trimmed().toDouble(&ok);
    return !ok || value <= 99.0;
}

bool PaperSession::workingMayBeShown(int attempt, bool marked, const QString& score) {
    if (!marked) {
        return false;
    }
    if (attempt == 2) {
        return true;
    }
    return attempt == 1 && !leavesSecondAttempt(score);
}

bool PaperSession::workingMayBeShown() const {
    return workingMayBeShown(m_setup.attempt, isMarked(), m_paper.PScoring);
}
