#pragma once
// The six results files of a module, kept in the program folder:
// marks, first, second, fresults, sresults and trend + module + code + ".txt".

#include "core/RecordFile.h"
#include <QString>
#include <QStringList>
#include <array>

class ResourceStore;
struct ProgramDefinition;

enum class ResultsFile { Marks = 0, First, Second, FResults, SResults, Trend };
constexpr int ResultsFileCount = 6;

QString ResultsFileStem(ResultsFile file); // "marks", "first", ...
QString ResultsFilePath(const QString& programFolder, ResultsFile file, int module,
                        const QString& programCode);
// Store id of the file's template for module m: 30100 + 10m + 1 .. + 6.
int ResultsTemplateId(ResultsFile file, int module);

// Writes every existing module's six templates over its six files. Returns the
// paths that could not be written (empty on success).
QStringList ResetAllResults(const ResourceStore& store, const QString& programFolder,
                            const ProgramDefinition& definition);
// Start-up: makes every missing file of every existing module from its
// template and leaves the files that exist alone. Returns the paths that
// could not be written; *created lists the files made.
QStringList EnsureResultsFiles(const ResourceStore& store, const QString& programFolder,
                               const ProgramDefinition& definition, QStringList* created = nullptr);
// The number of results files of the existing modules (six each).
int ResultsFilesExpected(const ProgramDefinition& definition);

// The marks file: six records FSE, SSE, LTM, CDD, FST, SST of P fields each;
// entry k - 1 belongs to the paper of index k.
struct MarksRecords {
    QStringList FSE, SSE, LTM, CDD, FST, SST;
    std::array<QStringList, 6> asArray() const { return {FSE, SSE, LTM, CDD, FST, SST}; }
};
QStringList MarksTags(); // {"FSE", "SSE", "LTM", "CDD", "FST", "SST"}
Read<MarksRecords> ReadMarksFile(const QString& path, int paperCount);
RecordError WriteMarksFile(const QString& path, const MarksRecords& marks, int paperCount);

// A per-paper file (first, second, fresults, sresults) held as P lines.
struct PaperLines {
    QString path;
    QStringList lines; // entry k - 1: line of paper 100 + k (empty when missing)
    int paperCount = 0;
};
Read<PaperLines> ReadPaperLines(const QString& path, int paperCount);
// The paper's record split into blankCount fields; a missing or short record
// yields blankCount empty fields (the writers rebuild it on the next write).
Read<QStringList> PaperFields(const PaperLines& file, int paperIndex, int blankCount);
// Rewrites the paper's record with fields and writes the whole file.
RecordError WritePaperRecord(PaperLines& file, int paperIndex, const QStringList& fields);
