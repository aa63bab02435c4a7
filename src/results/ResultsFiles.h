#pragma once
// The six results files of a module, kept in the program folder:
// marks, first, second, fresults, sresults and trend + module + code + ".txt".

#include "core/RecordFile.h"
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class ResourceStore;
struct ProgramDefinition;

enum class ResultsFile { Marks = 0, First, Second, FResults, SResults, Trend };
constexpr int ResultsFileCount = 6;

QString resultsFileStem(ResultsFile file); // "marks", "first", ...
QString resultsFilePath(const QString& programFolder, ResultsFile file, int module,
                        const QString& programCode);
// Store id of the file's template for module m: 30100 + 10m + 1 .. + 6.
int resultsTemplateId(ResultsFile file, int module);

// What an erase of every results file did. Files are listed in the order of
// the erase (module by module, marks to trend).
struct EraseOutcome {
    QStringList erased;    // now hold their templates
    QStringList notErased; // still hold what they held before
    QString failedPath;    // the file that stopped the erase; empty when none did
    QString reason;        // why it stopped, in plain words ("the disk is full")
    bool ok() const { return notErased.isEmpty(); }
};

// Writes every existing module's six templates over its six files, all or
// nothing as far as the file system allows: every template is first written
// whole to a temporary file beside its results file, and only when all of
// them are written are the results files replaced, one rename each.
class ResultsErase {
public:
    ResultsErase(const ResourceStore& store, const QString& programFolder,
                 const ProgramDefinition& definition);
    ~ResultsErase(); // removes temporaries that were not put in place
    ResultsErase(const ResultsErase&) = delete;
    ResultsErase& operator=(const ResultsErase&) = delete;

    // Writes every template to its temporary. False, with every file left
    // as it was, when one cannot be written.
    bool prepare();
    // Puts the temporaries in place, in order; stops at the first that
    // cannot be, leaving it and the later files as they were.
    void replace();
    const EraseOutcome& outcome() const { return m_outcome; }

private:
    struct Pending;
    const ResourceStore& m_store;
    QString m_folder;
    const ProgramDefinition& m_definition;
    std::vector<std::unique_ptr<Pending>> m_pending;
    EraseOutcome m_outcome;
};

EraseOutcome eraseAllResults(const ResourceStore& store, const QString& programFolder,
                             const ProgramDefinition& definition);
// The same; returns the paths that still hold their old results (empty on
// success).
QStringList ResetAllResults(const ResourceStore& store, const QString& programFolder,
                            const ProgramDefinition& definition);
// What the pupil is told when an erase did not complete: which files were
// erased and which were not. Empty for an erase that completed.
QString eraseProblemText(const EraseOutcome& outcome);
// Start-up: makes every missing file of every existing module from its
// template and leaves the files that exist alone. Returns the paths that
// could not be written; *created lists the files made, *reason says why the
// first failed file could not be written.
QStringList ensureResultsFiles(const ResourceStore& store, const QString& programFolder,
                               const ProgramDefinition& definition, QStringList* created = nullptr,
                               QString* reason = nullptr);
// Papers whose first attempt is marked, over every existing module of the
// folder's marks files (a missing or unreadable file counts none).
int markedPaperCount(const QString& folder, const ProgramDefinition& definition);

// The six records of the marks file, in the order the file holds them.
enum class MarksRecord { FSE, SSE, LTM, CDD, FST, SST };
constexpr int MarksRecordCount = 6;
QString marksTag(MarksRecord record); // "FSE", ...
QStringList marksTags();              // every tag, in file order

// One paper's summary in the marks file, as its readers use it.
struct PaperMarks {
    // Score of each attempt in tenths of a percent, 0 to 1000; none while the
    // attempt has no score, or where the stored text is not a percentage.
    std::optional<qint64> firstTenths, secondTenths;
    QString timeTaken; // "h:m:s" of the first attempt, as stored
    QString markedOn;  // short date of the first marking, as stored
    bool firstMarked = false, secondMarked = false;
};
// A score field: a percentage of at most one decimal, 0 to 100 ("87.5").
std::optional<qint64> scoreFromText(const QString& text);
QString scoreText(std::optional<qint64> tenths); // the empty text for none
// A state field: "1" is marked; anything else reads as not marked.
bool markedFromText(const QString& text);
QString markedText(bool marked); // "1" or "0"

// The marks file as it stands, six records of P fields each (kept as text so
// that what a window did not change is written back exactly as read); entry
// k - 1 belongs to the paper of index k.
struct MarksRecords {
    QStringList FSE, SSE, LTM, CDD, FST, SST;
    QStringList& operator[](MarksRecord record);
    const QStringList& operator[](MarksRecord record) const;
    std::array<QStringList, MarksRecordCount> asArray() const; // in file order
    // The paper of index paperIndex (1-based); a paper beyond the records
    // reads as not attempted.
    PaperMarks paper(int paperIndex) const;
};
// Every list holds paperCount entries. A record that is missing or shorter
// than paperCount reads as empty where its fields are missing, the other
// records as they stand; the error then names the first such damage (or the
// file's own error, with every list empty).
Read<MarksRecords> readMarksFile(const QString& path, int paperCount);
RecordWrite writeMarksFile(const QString& path, const MarksRecords& marks, int paperCount,
                           FileWriteBatch* batch = nullptr);

// A per-paper file (first, second, fresults, sresults) held as P lines.
struct PaperLines {
    QString path;
    QStringList lines; // entry k - 1: line of paper 100 + k (empty when missing)
    int paperCount = 0;
};
// A record found neither in its place nor elsewhere in the file leaves only
// its own entry empty.
Read<PaperLines> readPaperLines(const QString& path, int paperCount);
// The paper's record split into blankCount fields; a missing or short record
// yields blankCount empty fields (the writers rebuild it on the next write).
Read<QStringList> paperFields(const PaperLines& file, int paperIndex, int blankCount);
// Rewrites the paper's record with fields and writes the whole file.
RecordWrite writePaperRecord(PaperLines& file, int paperIndex, const QStringList& fields,
                             FileWriteBatch* batch = nullptr);
