#include "main_window/logic/Startup.h"

#include "core/ProgramFolder.h"
#include "core/ResourceStore.h"
#include "results/ResultsFiles.h"

#include <QDir>

namespace {
// The store item that holds the program definition.
constexpr int DefinitionItem = 30000;
} // namespace

Startup::Startup(const ResourceStore& store, QString programFolder)
    : m_store(store), m_folder(std::move(programFolder)) {}

Startup::Outcome Startup::run() const {
    Outcome outcome;
    QDir().mkpath(m_folder);

    // One copy per folder: a second one would write the same results files.
    outcome.lock = std::make_unique<FolderLock>(QDir(m_folder).filePath(LockFileName));
    switch (outcome.lock->tryLock()) {
    case FolderLock::Result::Locked:
        break;
    case FolderLock::Result::HeldElsewhere:
        outcome.problem = Problem::FolderInUse;
        return outcome;
    case FolderLock::Result::CannotWrite:
        outcome.problem = Problem::FolderNotWritable;
        return outcome;
    }

    // A run that was cut off (killed, a power cut) left its scratch copies.
    RemoveLeftoverScratchFiles(m_folder);

    // The display name, the program code and the modules with their topics
    // and papers.
    const DefinitionRead read = ReadProgramDefinition(m_store, m_folder);
    if (read.error != DefinitionError::None) {
        // Content that is there but cannot be copied out is the folder's
        // fault; anything else is the content's.
        outcome.problem =
            read.error == DefinitionError::NotExtracted && m_store.contains(DefinitionItem)
                ? Problem::DefinitionNotWritten
                : Problem::NoContent;
        return outcome;
    }
    outcome.definition = read.definition;

    // Who practises: results of before become the first pupil's.
    outcome.roster = PupilRoster(m_folder);
    outcome.rosterReport = outcome.roster.Load();
    if (outcome.roster.pupils().size() > 1)
        return outcome;
    outcome.pupil = outcome.roster.pupils().first().id;
    static_cast<PupilOutcome&>(outcome) =
        PreparePupil(m_store, outcome.roster.folderOf(outcome.pupil), outcome.definition);
    return outcome;
}

Startup::PupilOutcome Startup::PreparePupil(const ResourceStore& store, const QString& pupilFolder,
                                            const ProgramDefinition& definition) {
    PupilOutcome outcome;
    QDir().mkpath(pupilFolder);
    // Every results file of every existing module, so that no reader meets
    // a missing one; a file that exists is left as it is.
    if (!EnsureResultsFiles(store, pupilFolder, definition, &outcome.createdResults).isEmpty()) {
        outcome.problem = Problem::ResultsNotWritable;
        return outcome;
    }
    outcome.expectedResults = ResultsFilesExpected(definition);

    // Answers saved against the questions of an earlier edition go before
    // anything reads them; if they cannot, the program does not start, and
    // the next start tries again.
    outcome.upgrade = EditionUpgrade(store, pupilFolder, definition).Run();
    if (!outcome.upgrade.ok()) {
        outcome.problem = Problem::ResultsNotWritable;
        return outcome;
    }

    // The Home page reads the marks files as soon as it shows: they are
    // repaired now. The other results files are checked once the window is
    // up, before a paper or the Report page reads them.
    outcome.marksRepair = ResultsRepair(store, pupilFolder, definition).RunMarks();
    return outcome;
}
