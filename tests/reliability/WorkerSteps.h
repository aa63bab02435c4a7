#pragma once
// What the crash worker does to a paper, shared with the tests that build the
// same files without being killed. Each answer names the round that wrote it
// (the stamp), the paper, the attempt and the blank, so that a check can tell
// exactly which write a stored field came from.

#include "practice/PaperSession.h"

#include <QString>
#include <QStringList>

namespace WorkerSteps {

// Hands the paper its answers as the window does, question by question,
// moving on after each one (each move saves), and marks it at the end when
// asked to (otherwise the last question is saved where it is). False when a
// write failed.
inline bool walkAnswers(PaperSession& session, const QStringList& answers, bool mark) {
    const int questions = session.paper().QuestionCount;
    for (int q = 1; q <= questions; ++q) {
        const QStringList rows =
            answers.mid(session.firstBlankOfQuestion(q), session.blanksOfQuestion(q));
        const bool saved = q < questions ? session.moveToQuestion(rows, q + 1).ok()
                           : mark
                               ? session.prepareMarking(rows).ok() && session.completeMarking().ok()
                               : session.moveToQuestion(rows, q).ok();
        if (!saved)
            return false;
    }
    return true;
}

// Types the stamped answers of every blank and marks the paper at the end
// when asked to.
inline bool workPaper(PaperSession& session, qint64 stamp, bool mark) {
    QStringList answers;
    for (int blank = 1; blank <= int(session.paper().Answers.size()); ++blank)
        answers.append(QStringLiteral("s%1p%2a%3b%4")
                           .arg(stamp)
                           .arg(session.setup().paperIndex())
                           .arg(session.attempt())
                           .arg(blank));
    return walkAnswers(session, answers, mark);
}

} // namespace WorkerSteps
