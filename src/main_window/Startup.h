#pragma once
// What the program does with its folder and its content before the main
// window is built: take the folder's lock (one copy per folder), clear what
// a cut-off run left behind, read the program definition and the list of
// pupils, then, for the pupil who practises, make every missing results file
// and repair damaged marks files (preparePupil; with several pupils the
// window asks who practises first). The window only shows the outcome: a
// message for a problem, else the modules the definition holds.

#include "core/FolderLock.h"
#include "core/ProgramDefinition.h"
#include "results/EditionUpgrade.h"
#include "results/PupilRoster.h"
#include "results/ResultsRepair.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class ResourceStore;

class Startup {
public:
    // Why the program cannot start; None when it can.
    enum class Problem {
        None,
        FolderInUse,          // another copy of the program holds the folder
        FolderNotWritable,    // the folder's lock file cannot be made
        LockNotAFile,         // a link or a folder stands where the lock file should be
        DefinitionNotWritten, // the definition is in the store but cannot be copied out
        NoContent,            // the store has no usable definition, or it names no module
        ResultsNotWritable,   // a missing results file cannot be made, or old answers cleared
    };

    // What preparing one pupil's results folder found and did.
    struct PupilOutcome {
        Problem problem = Problem::None; // None or ResultsNotWritable
        // Results files made from their templates at this start.
        QStringList createdResults;
        // The modules whose files were made again although the pupil had
        // results of them.
        QList<int> lostModules;
        // The papers whose answers, saved against questions of an earlier
        // edition, were cleared.
        EditionUpgrade::Report upgrade;
        // What the marks files' check found and did.
        ResultsRepair::Report marksRepair;
        // FolderNotWritable, DefinitionNotWritten, ResultsNotWritable: what
        // the system refused
        // ("the disk is full").
        QString reason;
        // ResultsNotWritable: the files that could not be written.
        QStringList notWritten;

        bool ok() const { return problem == Problem::None; }
        // Something removed results files, and with them results the
        // pupil had. (A first start, or a module new to the folder, makes
        // every file of it, and nothing is lost.)
        bool resultsLost() const { return !lostModules.isEmpty(); }
    };

    struct Outcome : PupilOutcome {
        // Held for the whole run, also after a later problem: the folder
        // stays this copy's until the program ends.
        std::unique_ptr<FolderLock> lock;
        ProgramDefinition definition;
        // For the pupil, when results were left in a folder the program can
        // no longer write: where they are and what became of them.
        QString strandedNote;
        // NoContent: what is wrong with the content, for the log.
        QString detail;
        PupilRoster roster;
        PupilRoster::LoadReport rosterReport;
        // The pupil whose folder was prepared (the only one); 0 when there
        // are several and the pupil is still to be asked.
        int pupil = 0;
    };

    static constexpr char LockFileName[] = "quillora.lock";

    Startup(const ResourceStore& store, QString programFolder);
    // Results that stay behind in a folder the program can no longer write
    // (chooseProgramFolder): when this folder holds no results of its own,
    // ask(question) is asked whether to copy them here (true: yes) once the
    // folder is locked; otherwise the note only says where they are.
    void setStrandedResults(QString folder, QString reason,
                            std::function<bool(const QString& question)> ask);
    // Runs the steps in order and stops at the first problem.
    Outcome run() const;
    // Every missing results file of the pupil's folder made, its marks files
    // repaired: what the Home page needs before it shows that pupil.
    static PupilOutcome preparePupil(const ResourceStore& store, const QString& pupilFolder,
                                     const ProgramDefinition& definition);

private:
    QString takeStrandedResults() const;

    const ResourceStore& m_store;
    QString m_folder;
    QString m_strandedFolder;
    QString m_strandedReason;
    std::function<bool(const QString&)> m_ask;
};
