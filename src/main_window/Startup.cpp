#include "main_window/Startup.h"

#include "core/ProgramFolder.h"
#include "core/ResourceStore.h"
#include "results/ResultsFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A module lost results when files of it had to be made although some of
// its files were kept, or although its edition mark shows the folder was
// prepared for it before. A module the folder never had (a pupil set aside
// before a teacher's module came, a module file copied in by hand) has
// neither, and loses nothing.
QList<int> modulesWithLostResults(const QString& pupilFolder, const ProgramDefinition& definition,
                                  const QStringList& created) {
    QList<int> lost;
    for (int m : definition.existingModules()) {
        int made = 0;
        for (int k = 0; k < ResultsFileCount; ++k) {
            const QString path = resultsFilePath(pupilFolder, static_cast<ResultsFile>(k), m,
                                                 definition.programCode);
            made += created.contains(path) ? 1 : 0;
        }
        const bool hadModule =
            made < ResultsFileCount ||
            QFileInfo::exists(EditionUpgrade::markFilePath(pupilFolder, m, definition.programCode));
        if (made > 0 && hadModule)
            lost << m;
    }
    return lost;
}

} // namespace

Startup::Startup(const ResourceStore& store, QString programFolder)
    : m_store(store), m_folder(std::move(programFolder)) {}

void Startup::setStrandedResults(QString folder, QString reason,
                                 std::function<bool(const QString&)> ask) {
    m_strandedFolder = std::move(folder);
    m_strandedReason = std::move(reason);
    m_ask = std::move(ask);
}

QString Startup::takeStrandedResults() const {
    if (m_strandedFolder.isEmpty())
        return QString();
    const QString old = QDir::toNativeSeparators(m_strandedFolder);
    const QString here = QDir::toNativeSeparators(m_folder);
    // Results of its own here are never overwritten: the pupil may have
    // worked here since.
    if (!resultsFilesIn(m_folder).isEmpty())
        return QStringLiteral("Older results are kept in the folder %1, but the program can no "
                              "longer write there, because %2. It goes on with the results in "
                              "%3 instead. To go on with the older ones, ask a grown-up to make "
                              "%1 writable again, or to copy the results files from it into %3 "
                              "while the program is closed.")
            .arg(old, m_strandedReason, here);
    const QString question =
        QStringLiteral("Your results are kept in the folder %1, but the program can no longer "
                       "write there, because %2. It will keep your results in %3 instead. Copy "
                       "your results there now, to go on with them? If you answer No, the "
                       "program starts with empty results and leaves the old ones where they "
                       "are.")
            .arg(old, m_strandedReason, here);
    if (!m_ask || !m_ask(question))
        return QString();
    QString reason;
    const QStringList failed = copyResultsFiles(m_strandedFolder, m_folder, &reason);
    if (failed.isEmpty())
        return QString();
    // A part copied would mix old and new files: none is kept.
    for (const QString& name : resultsFilesIn(m_folder))
        QFile::remove(QDir(m_folder).filePath(name));
    return QStringLiteral("Your results could not be copied from %1 to %2, because %3. The "
                          "program starts with empty results; the old ones are still in %1.")
        .arg(old, here, reason);
}

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
        outcome.reason = outcome.lock->refusal();
        return outcome;
    case FolderLock::Result::NotAFile:
        outcome.problem = Problem::LockNotAFile;
        return outcome;
    }

    // A run that was cut off (killed, a power cut) left its scratch copies.
    removeLeftoverScratchFiles(m_folder);
    // Before any results file is made here from its template.
    outcome.strandedNote = takeStrandedResults();

    // The display name, the program code and the modules with their topics
    // and papers.
    const DefinitionRead read = readProgramDefinition(m_store, m_folder);
    if (read.error != DefinitionError::None) {
        // Content that is there but cannot be copied out is the folder's
        // fault; anything else is the content's.
        outcome.problem =
            read.error == DefinitionError::NotExtracted && m_store.contains(DefinitionItemId)
                ? Problem::DefinitionNotWritten
                : Problem::NoContent;
        outcome.reason = read.notWritten;
        outcome.detail = read.detail;
        return outcome;
    }
    outcome.definition = read.definition;

    // Who practises: results of before become the first pupil's.
    outcome.roster = PupilRoster(m_folder);
    outcome.rosterReport = outcome.roster.load();
    if (outcome.roster.pupils().size() > 1)
        return outcome;
    outcome.pupil = outcome.roster.pupils().first().id;
    static_cast<PupilOutcome&>(outcome) =
        preparePupil(m_store, outcome.roster.folderOf(outcome.pupil), outcome.definition);
    return outcome;
}

Startup::PupilOutcome Startup::preparePupil(const ResourceStore& store, const QString& pupilFolder,
                                            const ProgramDefinition& definition) {
    PupilOutcome outcome;
    QDir().mkpath(pupilFolder);
    // What a run cut off while it wrote this pupil's files left behind.
    removeLeftoverScratchFiles(pupilFolder);
    // Every results file of every existing module, so that no reader meets
    // a missing one; a file that exists is left as it is.
    outcome.notWritten = ensureResultsFiles(store, pupilFolder, definition, &outcome.createdResults,
                                            &outcome.reason);
    if (!outcome.notWritten.isEmpty()) {
        outcome.problem = Problem::ResultsNotWritable;
        return outcome;
    }
    // Before the edition upgrade writes the marks of new modules.
    outcome.lostModules = modulesWithLostResults(pupilFolder, definition, outcome.createdResults);

    // Answers saved against the questions of an earlier edition go before
    // anything reads them; if they cannot, the program does not start, and
    // the next start tries again.
    outcome.upgrade = EditionUpgrade(store, pupilFolder, definition).Run();
    if (!outcome.upgrade.ok()) {
        outcome.problem = Problem::ResultsNotWritable;
        outcome.notWritten = outcome.upgrade.unwritten;
        return outcome;
    }

    // The Home page reads the marks files as soon as it shows: they are
    // repaired now. The other results files are checked once the window is
    // up, before a paper or the Report page reads them.
    outcome.marksRepair = ResultsRepair(store, pupilFolder, definition).runMarks();
    return outcome;
}
