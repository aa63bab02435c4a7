#pragma once
// The "paper" command: a paper's questions and, per blank, its kind, key and
// mark, read through the same loader the practice window uses.

#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"

#include <QString>
#include <QStringList>

class PaperLister {
public:
    // Lines to print; false with *errors when the paper cannot be read.
    static bool list(const ResourceStore& store, const ProgramDefinition& definition, int module,
                     int paperNum, const QString& scratchFolder, QStringList* lines,
                     QStringList* errors);
};
