#pragma once
// The pupils who share one login, each with a results folder of their own
// inside the results folder: "pupil<id>", where id is a number given once and
// never again. A name is data only: it lives in the pupils file
// "pupils.json" (UTF-8 JSON, replaced atomically) and never in a path, so no
// name can lead a read or a write out of the results folder, and renaming a
// pupil moves no file. A removed pupil's folder is set aside, not deleted, as
// "removed/pupil<id>", and the pupils file keeps its name in "removed".
//
// Results kept from before there were pupils (the six files of each module
// lying directly in the results folder) become the first pupil's, "Pupil 1".
// Every step is ordered so that a run cut off anywhere leaves each file in
// exactly one place and the next Load finishes the step.

#include <QList>
#include <QString>
#include <QStringList>

struct Pupil {
    int id = 0;
    QString name;
};

class PupilRoster {
public:
    enum class Problem {
        None,
        EmptyName,     // nothing but spaces
        NameTooLong,   // over MaxNameLength characters
        NameHasBreaks, // line breaks, tabs or other control characters
        DuplicateName, // another pupil has it (case and accents' coding ignored)
        UnknownPupil,
        OnlyPupil,      // the last pupil cannot be removed
        FolderNotMade,  // the new pupil's folder could not be made
        FolderNotMoved, // the removed pupil's folder could not be set aside
        NotWritten,     // the pupils file could not be written
    };
    struct Outcome {
        Problem problem = Problem::None;
        bool ok() const { return problem == Problem::None; }
    };

    // What Load found and did.
    struct LoadReport {
        int migratedFiles = 0; // results files moved from the results folder into "pupil1"
        bool rebuilt = false;  // the pupils file was damaged: the list was made from the folders
        QStringList adopted;   // names of pupils found as folders the file did not list
        QStringList missing;   // names of pupils whose folder has gone (it is made again)
        bool written = true;   // the pupils file could be written where it had to be
    };

    static constexpr int MaxNameLength = 200;
    static constexpr const char* FileName = "pupils.json";
    static constexpr const char* RemovedFolderName = "removed";
    static QString defaultName(int id) { return QStringLiteral("Pupil %1").arg(id); }
    static QString folderName(int id) { return QStringLiteral("pupil%1").arg(id); }

    explicit PupilRoster(QString resultsFolder = QString());

    // Reads the pupils file; moves results of before into "pupil1"; takes up
    // what a cut-off step left half done. There is at least one pupil after.
    LoadReport load();

    const QString& resultsFolder() const { return m_folder; }
    const QList<Pupil>& pupils() const { return m_pupils; }
    const Pupil* find(int id) const;
    // The pupil chosen last (kept between runs); 0 when none was.
    int lastChosen() const { return m_last; }
    // The list the pupil picks from: the one chosen last first, then the
    // others in the order they were added.
    QList<Pupil> pickerOrder() const;
    // The folder of pupil id's results (whether or not it exists).
    QString folderOf(int id) const;
    // Where removed pupil id's folder was set aside.
    QString removedFolderOf(int id) const;
    // The name where the program names whose results it shows: with more than
    // one pupil, or a single one who has been given a name; empty otherwise,
    // so a family that never adds a pupil sees the program as it always was.
    QString shownName(int id) const;

    // typed is trimmed at both ends. *newId: the added pupil's id.
    Outcome add(const QString& typed, int* newId = nullptr);
    Outcome rename(int id, const QString& typed);
    // Sets the pupil's folder aside and drops the pupil from the list.
    Outcome remove(int id);
    // Remembers id as the pupil chosen last.
    Outcome choose(int id);

    // Whether typed would do as the name of pupil exceptId (0: a new pupil).
    Outcome checkName(const QString& typed, int exceptId = 0) const;
    // Plain words for the parent about a refused change.
    static QString problemText(Problem problem, const QString& name);

private:
    struct Removed {
        int id = 0;
        QString name;
        QString on; // date it was removed, ISO form
    };
    bool readFile(bool* damaged);
    bool save();
    int takeId();
    QString uniqueDefaultName(int id) const;

    QString m_folder;
    QList<Pupil> m_pupils;
    QList<Removed> m_removed;
    int m_last = 0;
    int m_nextId = 1;
};
