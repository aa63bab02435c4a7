#pragma once
// The "paper" command: a paper's questions and, per blank, its kind, key and
// mark, read through the same loader the practice window uses; on request
// each question's worked solution as plain text.

#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"

#include <QString>
#include <QStringList>

class PaperLister {
public:
    // Lines to print; false with *errors when the paper cannot be read.
    // withWorking: each question's worked solution follows its blanks.
    static bool list(const ResourceStore& store, const ProgramDefinition& definition, int module,
                     int paperNum, const QString& scratchFolder, QStringList* lines,
                     QStringList* errors, bool withWorking = false);

    // A question document's worked solution as indented lines under a
    // "Working:" heading; one line saying so when there is none or the
    // document cannot be read.
    static QStringList workingLines(const ResourceStore& store, int questionId);
};
