#pragma once
// One open paper and everything done with it that needs no window: loading the
// paper and the answers kept so far, storing what the pupil typed, moving
// between questions, saving, marking and the second attempt's carry-over.
//
// Blank lists are 0-based (entry i is blank i + 1); questions are numbered
// from 1 as the pupil sees them. Every write reports its failure to the
// caller, and a failed write leaves the paper state as it was before it.

#include "core/AnswerChecking.h"
#include "core/Numbering.h"
#include "core/PaperContent.h"
#include "core/RecordFile.h"
#include "practice/AnswerRowContent.h"
#include "results/ResultsFiles.h"

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

struct AppState;
class ResourceStore;
class Clock;

// Where the paper lives: copied from the application state when the window
// opens, so that the session does not depend on it changing later.
struct PaperSessionSetup {
    QString programFolder; // scratch copies of the tables and questions
    int module = 0;        // LChose, 1..3
    QString programCode;   // lblCOD
    int paperCount = 0;    // TtPapersCon, P
    int paperNum = 0;      // PaperNum, 101..150
    int attempt = 1;       // TakeNum, 1 or 2
    // The pupil's results files; empty: they lie in programFolder itself.
    QString resultsFolder;

    static PaperSessionSetup fromState(const AppState& state);
    int paperIndex() const { return Numbering::paperIndexOf(paperNum); }
};

// Whether the attempt is marked; "0" or "1" in the marks file's FST and SST.
enum class PaperStatus { NotMarked, Marked };

// The paper state, named as the pupil's window names it.
struct PaperState : PaperContent {
    // The answers and results of the attempt being worked. In the second
    // attempt these are SecondAnswers and SecondResults.
    QStringList Answers;
    QList<ResultMark> Results;
    // Second attempt only: the first attempt's answers and result marks.
    QStringList FirstAnswers;
    QList<ResultMark> FirstResults;

    PaperLines AnswersFile; // "first" (attempt 1) or "second" (attempt 2)
    PaperLines ResultsFile; // "fresults" or "sresults"
    MarksRecords Marks;
    QString MarksPath;
    QString TrendPath;

    PaperStatus Status = PaperStatus::NotMarked;
    int Scoring = 0;  // score in marks, set by marking
    QString PScoring; // score percentage text ("87.5"), empty until marked
    QString LTime;    // time taken ("0:7:5"), first attempt only
    QString ETime;    // marking date, first attempt only
    int QSCount = 1;  // current question, 1..QuestionCount
    QDateTime StartTime;
    qint64 StartMsecs = 0; // StartTime in milliseconds since the epoch
    QList<int> RemQns;     // questions with an empty blank, ascending, each once

    QString DocumentPath; // the extracted document of the shown question
    int CurrentQuestionId = 0;
};

enum class LoadProblem {
    None,
    BadPaper,          // the paper number lies outside the module's papers
    ContentUnreadable, // a content table could not be extracted or read
    ContentNotWritten, // a content table could not be copied into the folder
    ResultsUnreadable, // a results file is missing or cannot be read
    TooManyBlanks,     // more blanks than a record line can hold
};

struct LoadOutcome {
    LoadProblem problem = LoadProblem::None;
    QStringList details; // plain-words lines naming what failed
    QString reason;      // ContentNotWritten: why ("the disk is full"); ResultsUnreadable:
                         // the system's reason for path, empty when it gave none
    QString path;        // ResultsUnreadable: the first file the system could not read
    int systemError = 0; // ResultsUnreadable: the system's errno for path
    bool ok() const { return problem == LoadProblem::None; }
};

struct WriteOutcome {
    RecordError error = RecordError::None;
    QString path;   // the file that could not be written
    QString reason; // why, in plain words ("the disk is full")
    bool ok() const { return error == RecordError::None; }
    void take(const RecordWrite& written, const QString& file);
};

class PaperSession {
public:
    PaperSession(PaperSessionSetup setup, const ResourceStore& store, const Clock& clock,
                 QLocale locale = QLocale());

    const PaperSessionSetup& setup() const { return m_setup; }
    const PaperState& paper() const { return m_paper; }
    int attempt() const { return m_setup.attempt; }
    bool isSecondAttempt() const { return m_setup.attempt == 2; }
    bool isMarked() const { return m_paper.Status == PaperStatus::Marked; }

    // Reads the content tables, the answers and results so far and the
    // paper's summary; sets QSCount to 1, fills RemQns and starts the clock.
    // In the second attempt the blanks correct in the first are carried over
    // (in memory only; the files change at the next save or marking).
    LoadOutcome load();

    // Extracts the current question's document to DocumentPath, deleting the
    // previously shown one first. False when it could not be extracted.
    bool extractQuestionDocument();
    // Why the last extraction could not write the document ("the disk is
    // full"); empty when it did, or when the store lacks the document.
    const QString& documentNotWritten() const { return m_documentNotWritten; }
    // Deletes the shown document file (the window is closing).
    void removeQuestionDocument();

    int firstBlankOfQuestion(int question) const; // 0-based blank index
    int blanksOfQuestion(int question) const;
    int questionOfBlank(int blank) const; // blank 0-based, question 1-based
    int currentFirstBlank() const { return firstBlankOfQuestion(m_paper.QSCount); }
    int currentBlankCount() const { return blanksOfQuestion(m_paper.QSCount); }
    // Whether any blank of the current question has kind "F" or "X".
    bool currentQuestionHasFractions() const;

    // Copies the row texts of the current question (row 1 first) into the
    // answers, exactly as typed. Rows beyond the question's blanks are ignored.
    void storeQuestionAnswers(const QStringList& rowTexts);
    // Rewrites the paper's record in the answers file.
    WriteOutcome saveAnswers();
    // Stores the rows, saves, then makes question the current one and
    // refreshes RemQns. When the save fails nothing moves. A marked paper
    // only moves: nothing is stored or written.
    WriteOutcome moveToQuestion(const QStringList& rowTexts, int question);
    void refreshRemainingQuestions();

    // Marking, first half: store the rows and save them (the answers stay
    // saved even when the pupil then declines).
    WriteOutcome prepareMarking(const QStringList& rowTexts);
    // Whether some blank still needs an answer, by the attempt's rule.
    bool hasUnansweredBlank() const;
    // The confirmation the pupil is asked before marking.
    QString markingQuestion() const;
    static QString markingTitle() { return QStringLiteral("Marking"); }
    // Marking, second half: times, checking, score and every write. The
    // results, marks and trend files are written beside their places first
    // and replaced only when all three are written, so a full disk leaves
    // all three as they were. On a failed write the paper stays not marked.
    WriteOutcome completeMarking();

    // Blanks whose stored answer is not the empty text (spaces count).
    int answeredCount() const;
    // Time since loading, as the clock shows it ("0:1:5").
    QString clockText() const;
    // Second attempt: the blank was correct in the first attempt.
    bool isCarriedOver(int blank) const;
    // The answer revealed beside a wrong blank in the second attempt.
    QString modelAnswerFor(int blank) const;
    // How the answer row of a blank is filled, by the attempt and the state.
    AnswerRowContent rowContent(int blank) const;

    // Whether a question's worked solution may be shown: only once no further
    // try of the paper is open, so that a second attempt stays a real try.
    bool workingMayBeShown() const;
    static bool workingMayBeShown(int attempt, bool marked, const QString& score);
    // Whether a first attempt marked with this score (PScoring text) leaves a
    // second attempt open: 99 % or less, or a score that does not read as a
    // number, as the Home page decides when it offers the second attempt.
    static bool leavesSecondAttempt(const QString& firstScore);

private:
    LoadOutcome loadResults();
    LoadOutcome loadSecondAttemptResults();
    QString resultsPath(ResultsFile file) const;

    PaperSessionSetup m_setup;
    const ResourceStore& m_store;
    const Clock& m_clock;
    QLocale m_locale;
    PaperState m_paper;
    QString m_documentNotWritten;
};
