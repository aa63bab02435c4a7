#pragma once
// Where the program keeps its results, Graphics folder and temporary files: the
// executable's folder when it is writable, else the per-user data folder (an
// installed program lives in a read-only place).

#include "core/AtomicWrite.h"

#include <QString>
#include <QStringList>

struct ProgramFolderChoice {
    QString folder; // where this run keeps its results
    // The executable's folder when it holds results but can no longer be
    // written (made read-only, a read-only or full disk), and why; empty when
    // it holds none or is used.
    QString strandedFolder;
    QString strandedReason;
};

ProgramFolderChoice chooseProgramFolder(const QString& executableFolder);
QString resolveProgramFolder(const QString& executableFolder);
// Whether a file can be created in folder (tried, then removed); *why says
// what the system refused.
bool folderIsWritable(const QString& folder, FileWriteOutcome* why = nullptr);
// The results files of any module and program code that folder holds
// ("marks2QMP.txt", ...), as names; with pupils, those of every pupil's
// folder ("pupil2/marks2QMP.txt", ...) and last the list of pupils.
QStringList resultsFilesIn(const QString& folder);
// Copies every results file of from into to, each whole or not at all. The
// names not copied; *reason says why the first of them was not.
QStringList copyResultsFiles(const QString& from, const QString& to, QString* reason = nullptr);
// The scratch copies a run writes into the program folder and deletes again:
// each content table in turn, the program definition, the question shown.
QString tablesScratchName();                    // "temptext.txt"
QString definitionScratchName();                // "temptext30000.txt"
QString questionScratchName(const QString& id); // "temppaper<id>.mht"
// Removes the scratch copies a run leaves in the program folder while it works
// (question documents "temppaper<id>.mht", the tables' "temptext.txt" and the
// definition's "temptext30000.txt", and the hidden new copies of files being
// replaced), left behind when a run was cut off.
// Only for the copy that holds the folder's lock. Returns how many went.
int removeLeftoverScratchFiles(const QString& programFolder);
