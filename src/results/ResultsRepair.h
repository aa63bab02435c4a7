#pragma once
// Start-up check of the results files against the shapes of the papers.
//
// Every results file of every existing module is read once and compared with
// what the writers produce: P paper records of the right number of fields in
// the per-paper files, six records of P fields in the marks file, one "#TRD#"
// record in the trend log, CR LF line ends. A file that differs is rebuilt
// from what can still be read in it (nothing readable is dropped) and written
// back atomically. A folder standing where a file should be is left alone and
// reported, since repairing it would mean deleting the user's folder.

#include <QList>
#include <QString>
#include <QStringList>

class ResourceStore;
struct ProgramDefinition;

class ResultsRepair {
public:
    // What was found and done. The paths are those of the results files.
    struct Report {
        QStringList repaired;    // damaged, rebuilt and written back
        QStringList folders;     // a folder stands where the file should be
        QStringList notFiles;    // a link (or a device) stands there: never written through
        QStringList unreadable;  // exists but cannot be opened
        QStringList unwritten;   // damaged, but the repair could not be written
        QString unwrittenReason; // why the first of them could not ("the disk is full")
        // What a repaired marks file could not bring back, one plain-words
        // sentence per file ("The marks of papers 1 and 2 ...").
        QStringList lost;
        QStringList findings; // one line per damage, for the record

        bool damaged() const {
            return !repaired.isEmpty() || !folders.isEmpty() || !notFiles.isEmpty() ||
                   !unreadable.isEmpty() || !unwritten.isEmpty();
        }
        // Plain words for the pupil or a parent; empty when nothing was damaged.
        QString message() const;
        // Takes in what another run found.
        void add(const Report& other);
    };

    static QString repairedSentence() {
        return QStringLiteral("Some of your saved results were damaged and have been repaired.");
    }

    // The largest part of a results file that is read; anything beyond is
    // dropped by the repair (the writers never come near it).
    static constexpr qint64 MaxReadBytes = 32 * 1024 * 1024;

    ResultsRepair(const ResourceStore& store, QString programFolder,
                  const ProgramDefinition& definition);

    // Every results file of every existing module: runMarks, then runRest.
    Report Run();
    // The marks files only: what the Home page reads as the window comes up.
    Report runMarks();
    // The per-paper files and the trend logs, read when a paper opens or the
    // Report page is shown: checked once the window is up.
    Report runRest();

    // Blank count of every paper 1..P of module m, from the module's paper and
    // answer-key tables, else from its per-paper template; -1 when neither
    // knows the paper.
    QList<int> paperShapes(int module) const;

private:
    // The lines of a store item (a content table or template); none when absent.
    QStringList storeLines(int id) const;
    void repairPaperFile(const QString& path, const QList<int>& shapes, int paperCount);
    void repairMarksFile(const QString& path, int paperCount, int module);
    // What the pupil is told about the papers of module whose marks a repair
    // could not bring back (paper indexes, 1-based).
    QString lostMarksSentence(int module, const QList<int>& papers, int paperCount) const;
    void repairTrendFile(const QString& path);

    // Reads the file for repair; false (and the report updated) when it is a
    // folder or cannot be read. *lines gets every line, *looseEnds whether a
    // line ends in a lone LF or CR; *findings starts with "empty" for a file
    // without lines when emptyIsDamage.
    bool readForRepair(const QString& path, QStringList* lines, bool* looseEnds,
                       QStringList* findings, bool emptyIsDamage);
    // Records a finding in the report and logs it with what was done.
    void noteFinding(const QString& path, const QString& finding, const QString& done);
    // Writes the rebuilt file when it differs from what was read.
    // True when it wrote one.
    bool conclude(const QString& path, const QStringList& rebuilt, const QStringList& kept,
                  bool looseEnds, QStringList findings);

    const ResourceStore& m_store;
    QString m_folder;
    const ProgramDefinition& m_definition;
    Report m_report;
};
