#pragma once
// What the crash worker does to a paper, shared with the tests that build the
// same files without being killed. Each answer names the round that wrote it
// (the stamp), the paper, the attempt and the blank, so that a check can tell
// exactly which write a stored field came from.

#include "practice/PaperSession.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace WorkerSteps {

inline QString stampedAnswer(qint64 stamp, int paperIndex, int attempt, int blank) {
    return QStringLiteral("s%1p%2a%3b%4").arg(stamp).arg(paperIndex).arg(attempt).arg(blank);
}

// Hands the paper the rows of each question as the window does, moving on
// after each one (each move saves), and marks it at the end when asked to
// (otherwise the last question is saved where it is). rowsOf(firstBlank,
// blanks) gives a question's rows. False when a write failed.
inline bool walkPaper(PaperSession& session,
                      const std::function<QStringList(int firstBlank, int blanks)>& rowsOf,
                      bool mark) {
    const int questions = session.paper().QuestionCount;
    for (int q = 1; q <= questions; ++q) {
        const QStringList rows =
            rowsOf(session.firstBlankOfQuestion(q), session.blanksOfQuestion(q));
        if (q < questions) {
            if (!session.moveToQuestion(rows, q + 1).ok())
                return false;
        } else if (mark) {
            if (!session.prepareMarking(rows).ok() || !session.completeMarking().ok())
                return false;
        } else if (!session.moveToQuestion(rows, q).ok()) {
            return false;
        }
    }
    return true;
}

// Hands over a whole paper's answers, question by question.
inline bool walkAnswers(PaperSession& session, const QStringList& answers, bool mark) {
    return walkPaper(
        session, [&](int first, int blanks) { return answers.mid(first, blanks); }, mark);
}

// Types the stamped answers of every question and marks the paper at the end
// when asked to.
inline bool workPaper(PaperSession& session, qint64 stamp, bool mark) {
    const int paperIndex = session.setup().paperIndex();
    return walkPaper(
        session,
        [&](int first, int blanks) {
            QStringList rows;
            for (int b = 0; b < blanks; ++b)
                rows.append(stampedAnswer(stamp, paperIndex, session.attempt(), first + b + 1));
            return rows;
        },
        mark);
}

} // namespace WorkerSteps
