#pragma once
// What the crash worker does to a paper, shared with the tests that build the
// same files without being killed. Each answer names the round that wrote it
// (the stamp), the paper, the attempt and the blank, so that a check can tell
// exactly which write a stored field came from.

#include "practice/PaperSession.h"

#include <QString>
#include <QStringList>

namespace WorkerSteps {

inline QString StampedAnswer(qint64 stamp, int paperIndex, int attempt, int blank) {
    return QStringLiteral("s%1p%2a%3b%4").arg(stamp).arg(paperIndex).arg(attempt).arg(blank);
}

// Types the stamped answers of every question, moving on after each one (each
// move saves), and marks the paper at the end when asked to. False when a
// write failed.
inline bool WorkPaper(PaperSession& session, qint64 stamp, bool mark) {
    const int paperIndex = session.setup().paperIndex();
    const int questions = session.paper().QuestionCount;
    for (int q = 1; q <= questions; ++q) {
        QStringList rows;
        const int first = session.FirstBlankOfQuestion(q);
        for (int b = 0; b < session.BlanksOfQuestion(q); ++b)
            rows.append(StampedAnswer(stamp, paperIndex, session.attempt(), first + b + 1));
        if (q < questions) {
            if (!session.MoveToQuestion(rows, q + 1).ok())
                return false;
        } else if (mark) {
            if (!session.PrepareMarking(rows).ok() || !session.CompleteMarking().ok())
                return false;
        } else if (!session.MoveToQuestion(rows, q).ok()) {
            return false;
        }
    }
    return true;
}

} // namespace WorkerSteps
