#pragma once
// A paper's questions and, per answer blank, its key, kind and mark, read from
// the four content tables of a module. Lists are 0-based: entry i is blank i+1.

#include "core/AnswerChecking.h"

#include <QList>
#include <QString>
#include <QStringList>

class ResourceStore;

struct PaperContent {
    QStringList QuestionIds;
    int QuestionCount = 0;
    QStringList AnswerKeys;
    QList<int> BlanksPerQuestion;
    QList<AnswerKind> AnswerKinds;
    QList<int> AnswerMarks; // whole numbers, 0 or more
    int TotalBlanks = 0;
    int TotalMarks = 0;
};

struct PaperContentRead {
    PaperContent content;
    // One plain-words line per table that could not be extracted or read;
    // empty when everything loaded.
    QStringList problems;
    // Why a table could not be copied into the program folder ("the disk is
    // full"), when that is what failed; the content itself is then sound.
    QString notWritten;
    bool ok() const { return problems.isEmpty(); }
};

// Store ids of module m's tables.
inline int papersTableId(int module) {
    return 30002 + 10 * module;
}
inline int keysTableId(int module) {
    return 30003 + 10 * module;
}
inline int kindsTableId(int module) {
    return 30004 + 10 * module;
}
inline int marksTableId(int module) {
    return 30005 + 10 * module;
}

// Reads paper paperNum (101..150) of module m through the scratch file
// programFolder + "/temptext.txt", which is deleted after each table.
PaperContentRead loadPaperContent(const ResourceStore& store, const QString& programFolder,
                                  int module, int paperNum);
