#pragma once
// The program definition (store item 30000): display name, program code and,
// per module 1..3, its heading, topic count, paper count and topic names.

#include "RecordFile.h"
#include <QString>
#include <QStringList>
#include <array>

class ResourceStore;

struct ModuleDefinition {
    QString heading;    // empty when the module does not exist
    int topicCount = 0; // 1..10
    int paperCount = 0; // up to 50
    QStringList topicNames;
    // "PS" + m: one stamp per paper of the content it has in this edition, so
    // that answers saved against other questions are found ("2": as in the
    // second edition). Empty when the definition gives none, or not one per
    // paper.
    QStringList paperStamps;
    bool exists() const { return !heading.isEmpty(); }
};

struct ProgramDefinition {
    QString displayName;                     // "NME"
    QString programCode;                     // "COD"
    QString edition;                         // "EDN", empty before the third
    std::array<ModuleDefinition, 3> modules; // modules[m - 1]

    const ModuleDefinition& module(int m) const { return modules.at(m - 1); }
    bool moduleExists(int m) const { return m >= 1 && m <= 3 && module(m).exists(); }
    // The numbers of the existing modules, lowest first.
    QList<int> existingModules() const;
    // Lowest existing module number, or 0 when none exists.
    int firstModule() const;
};

// Store item of the program definition.
constexpr int DefinitionItemId = 30000;

enum class DefinitionError {
    None,
    NotExtracted, // item 30000 could not be written to its temporary file
    BadModule,    // a module with a heading lacks a valid TT, TP or TN record
    NoModule,     // no heading set at all
};

struct DefinitionRead {
    ProgramDefinition definition;
    DefinitionError error = DefinitionError::None;
    QString detail;     // plain words for the user when error != None
    QString notWritten; // NotExtracted: why the copy could not be written
};

// Start-up step 4: extracts item 30000 to programFolder + "/temptext30000.txt",
// reads it and deletes the file again.
DefinitionRead readProgramDefinition(const ResourceStore& store, const QString& programFolder);
// Reads a definition file already on disk (also used by the content tool).
DefinitionRead readProgramDefinitionFile(const QString& path);
