#pragma once
// The one validator of a module file: the program runs it before it accepts a
// file, and the content tool's validate command reports what it finds. Every
// problem is one line in a teacher's words that says where: topic (number and
// name), paper 1..5 of the topic and question 1.. of the paper.

#include "core/AnswerChecking.h"

#include <QString>
#include <QStringList>

class ModuleFile;

struct ModuleCheckResult {
    QStringList problems; // at most the cap given
    int notShown = 0;     // problems found beyond the cap
    bool ok() const { return problems.isEmpty(); }
    // The problems one a line, then "... and N more problems." when some
    // were left out.
    QString text() const;
};

ModuleCheckResult checkModule(const ModuleFile& file, int cap = 50);

// Whether an MHTML document is safe to show: it parses, holds no script,
// event handler, javascript: or data: link, nothing that leaves the archive,
// no iframe, object, embed, form, base or meta refresh. The problems in plain
// words (empty when it is safe).
QStringList documentProblems(const QByteArray& mhtml);

// Whether one of the answers a blank's check gives (candidates) is marked
// correct against its key, the other blanks answered as `answers` holds.
bool checkGivesKey(const QStringList& answers, const QStringList& candidates,
                   const QStringList& keys, const QList<AnswerKind>& kinds, int blank);
