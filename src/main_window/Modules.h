#pragma once
// The teachers' modules loaded beside the built-in one. A loaded module is a
// copy of its file in the data folder (the one holding the pupils' list):
// "module1.qmodule" or "module3.qmodule"; slot 2 is the built-in bank and is
// never touched. At start-up every such file is attached to the store, so the
// definition shows the module and each pupil's six results files of it are
// made from its templates like any other module's.
//
// Every change is checked whole before anything is written and leaves the
// folder as it was when it is refused:
// - Add: the file passes ModuleCheck, then is copied (whole or not at all)
//   into the first free slot, 3 before 1. Results files of that slot left
//   over from an earlier module are set aside first.
// - Replace: a newer version (same identity, higher version) of a loaded
//   module; every pupil's answers to papers whose stamp changed are cleared
//   by the edition upgrade, the rest kept.
// - Remove: every pupil's files of the module and the module file go into a
//   dated folder under "removed/", as a removed pupil's folder does.

#include "core/ModuleFile.h"
#include "core/ProgramDefinition.h"

#include <QList>
#include <QString>
#include <QStringList>

class ResourceStore;

class Modules {
public:
    static constexpr const char* FileFilter = "Quillora module (*.qmodule)";
    static constexpr const char* RemovedFolderName = "removed";
    // The slots a teacher's module can take, in the order they are filled.
    static constexpr int FreeOrder[2] = {3, 1};
    static QString slotFileName(int slot) { return QStringLiteral("module%1.qmodule").arg(slot); }

    struct Loaded {
        int slot = 0;
        QString path;
        QString id; // "MID": the same for every version of one module
        int version = 0;
        QString heading;
        QString author; // may be empty
    };

    enum class Problem {
        None,
        Invalid,        // the file fails the check: messages say what and where
        NoFreeSlot,     // two modules are loaded already
        AlreadyLoaded,  // a version of this module is loaded: it is replaced, not added
        NotLoaded,      // no module in that slot
        OtherModule,    // a replacement whose identity differs
        NotNewer,       // a replacement whose version is not higher
        NotCopied,      // the copy into the data folder could not be written
        NotAttached,    // the store could not open the copy
        NotSetAside,    // a file could not be moved into "removed/"
        ResultsNotMade, // a pupil's results files of the module could not be made
    };
    struct Outcome {
        Problem problem = Problem::None;
        QStringList messages;         // Invalid: the check's messages, in the teacher's words
        QString file;                 // the file concerned, where one is
        QString reason;               // what the system refused, when known
        int slot = 0;                 // the slot the change concerned
        ProgramDefinition definition; // after a change that was made
        QList<int> clearedPapers;     // Replace: papers whose answers were cleared
        QString removedFolder;        // Remove: where the files were set aside
        bool ok() const { return problem == Problem::None; }
    };

    // dataFolder: where "pupils.json" lives. pupilFolders: every pupil's
    // results folder (their files are changed with the module).
    Modules(QString dataFolder, QStringList pupilFolders = {});
    void setPupilFolders(QStringList folders) { m_pupils = std::move(folders); }

    // Start-up, before the definition is read: attaches every module file of
    // the folder. Returns a message for each file left out (broken, vanished).
    QStringList attachAll(ResourceStore& store);

    const QList<Loaded>& loaded() const { return m_loaded; }
    const Loaded* find(int slot) const;
    // The slot the next module would take (3, then 1); 0 when both are taken.
    int freeSlot() const;

    // The changes; store is the program's, the definition is read again from
    // it after a change made.
    Outcome add(const QString& file, ResourceStore& store);
    Outcome replace(int slot, const QString& file, ResourceStore& store);
    Outcome remove(int slot, ResourceStore& store);

    // Marked papers of the module in slot, over every pupil (for the question
    // before Remove).
    int markedPapers(int slot, const ProgramDefinition& definition) const;
    // Where Remove would set the files aside today.
    QString removedFolderFor(int slot) const;

    // Plain words for the parent about a refused change.
    static QString problemText(const Outcome& outcome);

private:
    static Outcome refused(Outcome outcome, Problem problem, const QString& file = QString(),
                           const QString& reason = QString(), const QStringList& messages = {});
    Outcome finish(Outcome outcome, ResourceStore& store, bool upgrade) const;
    // Opens the file and attaches it at slot; *why: what was wrong.
    bool attach(int slot, const QString& path, ResourceStore& store, QString* why);
    // The file read whole and checked: Invalid with the problems, else the
    // bytes and what module.txt says.
    static Outcome check(const QString& path, QByteArray* bytes, ModuleInfo* info);
    // Every pupil's results files of the slot (and its edition mark) that exist.
    QStringList pupilFilesOf(int slot, const QString& code) const;
    QString programCode(const ResourceStore& store) const;

    QString m_folder;
    QStringList m_pupils;
    QList<Loaded> m_loaded;
};
