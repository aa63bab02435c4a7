#include "results/ResultsFiles.h"

#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"

#include <QFileInfo>

QString ResultsFileStem(ResultsFile file) {
    switch (file) {
    case ResultsFile::Marks:
        return QStringLiteral("marks");
    case ResultsFile::First:
        return QStringLiteral("first");
    case ResultsFile::Second:
        return QStringLiteral("second");
    case ResultsFile::FResults:
        return QStringLiteral("fresults");
    case ResultsFile::SResults:
        return QStringLiteral("sresults");
    case ResultsFile::Trend:
        return QStringLiteral("trend");
    }
    return QString();
}

QString ResultsFilePath(const QString& programFolder, ResultsFile file, int module,
                        const QString& programCode) {
    return programFolder + QLatin1Char('/') + ResultsFileStem(file) + QString::number(module) +
           programCode + QStringLiteral(".txt");
}

int ResultsTemplateId(ResultsFile file, int module) {
    return 30100 + 10 * module + 1 + int(file);
}

namespace {

ResultsFile fileAt(int k) {
    return static_cast<ResultsFile>(k);
}

} // namespace

int ResultsFilesExpected(const ProgramDefinition& definition) {
    int modules = 0;
    for (int m = 1; m <= 3; ++m) {
        if (definition.moduleExists(m))
            ++modules;
    }
    return modules * ResultsFileCount;
}

namespace {

// Writes the templates over the results files of every existing module: all
// of them, or only the missing ones. Returns the paths that could not be
// written; *written lists the ones that were.
QStringList writeTemplates(const ResourceStore& store, const QString& programFolder,
                           const ProgramDefinition& definition, bool onlyMissing,
                           QStringList* written) {
    QStringList failed;
    if (written)
        written->clear();
    for (int m = 1; m <= 3; ++m) {
        if (!definition.moduleExists(m))
            continue;
        for (int k = 0; k < ResultsFileCount; ++k) {
            const QString path =
                ResultsFilePath(programFolder, fileAt(k), m, definition.programCode);
            const bool exists = QFileInfo::exists(path);
            // (A folder in the file's place is not missing: the start-up
            // repair reports it.)
            if (onlyMissing && exists)
                continue;
            // Results replaced are replaced whole and flushed to the disk. A
            // file made where there was none holds nothing to lose, so it
            // does not wait for the disk: one cut short by a crash is rebuilt
            // by the next start's repair.
            const auto durability =
                exists ? ResourceStore::Durability::Durable : ResourceStore::Durability::Scratch;
            if (store.ExtractResource(ResultsTemplateId(fileAt(k), m), QStringLiteral("Custom"),
                                      path, durability) != 0)
                failed.append(path);
            else if (written)
                written->append(path);
        }
    }
    return failed;
}

} // namespace

QStringList ResetAllResults(const ResourceStore& store, const QString& programFolder,
                            const ProgramDefinition& definition) {
    return writeTemplates(store, programFolder, definition, false, nullptr);
}

QStringList EnsureResultsFiles(const ResourceStore& store, const QString& programFolder,
                               const ProgramDefinition& definition, QStringList* created) {
    // Only a missing file is made from its template: one lost file (deleted
    // by hand, or by a cleaning tool) must not take every other result of
    // every module with it. On a first start that is every file.
    return writeTemplates(store, programFolder, definition, true, created);
}

QStringList MarksTags() {
    return {QStringLiteral("FSE"), QStringLiteral("SSE"), QStringLiteral("LTM"),
            QStringLiteral("CDD"), QStringLiteral("FST"), QStringLiteral("SST")};
}

Read<MarksRecords> ReadMarksFile(const QString& path, int paperCount) {
    Read<MarksRecords> result;
    const QStringList tags = MarksTags();
    QStringList* targets[6] = {&result.value.FSE, &result.value.SSE, &result.value.LTM,
                               &result.value.CDD, &result.value.FST, &result.value.SST};
    for (int k = 0; k < 6; ++k) {
        // A record longer than the papers (a damaged file) gives its first
        // fields; the surplus is not left in the last paper's field, where
        // its ">" would stop the next marking from writing the file.
        Read<QStringList> fields = ReadRecordFields50(path, tags.at(k), paperCount);
        if (fields.ok() && !fields.value.isEmpty()) {
            QString& last = fields.value.last();
            const qsizetype surplus = last.indexOf(QLatin1Char('>'));
            if (surplus >= 0)
                last.truncate(surplus);
        }
        if (!fields.ok()) {
            result.error = fields.error;
            result.value = MarksRecords();
            return result;
        }
        *targets[k] = fields.value;
    }
    return result;
}

RecordError WriteMarksFile(const QString& path, const MarksRecords& marks, int paperCount) {
    return WriteSixRecords(marks.asArray(), MarksTags(), paperCount, path);
}

Read<PaperLines> ReadPaperLines(const QString& path, int paperCount) {
    Read<PaperLines> result;
    const Read<QStringList> lines = ReadPaperRecordLines(path, paperCount);
    result.error = lines.error;
    if (!lines.ok())
        return result;
    result.value.path = path;
    result.value.lines = lines.value;
    result.value.paperCount = paperCount;
    return result;
}

Read<QStringList> PaperFields(const PaperLines& file, int paperIndex, int blankCount) {
    Read<QStringList> result;
    if (blankCount < 0 || blankCount > RecordCapacity::Blanks || paperIndex < 1 ||
        paperIndex > file.paperCount) {
        result.error = RecordError::CapacityExceeded;
        return result;
    }
    const QString line =
        paperIndex <= file.lines.size() ? file.lines.at(paperIndex - 1) : QString();
    // A record of the right size splits as usual. One that is missing, short
    // or longer than the paper (a damaged file, or content whose blank counts
    // changed) gives its fields by position, padded with empty ones, and never
    // a field that holds ">": the next write then rebuilds it cleanly.
    // Only one field past the paper's is split off, however long the line.
    const int present = qMin(int(line.count(QLatin1Char('>'))), blankCount + 1);
    QStringList fields;
    if (present > 0) {
        const Read<QStringList> all = SplitRecordLine(line, present, present);
        if (all.ok())
            fields = all.value;
    }
    while (fields.size() < blankCount)
        fields.append(QString());
    result.value = fields.mid(0, blankCount);
    return result;
}

RecordError WritePaperRecord(PaperLines& file, int paperIndex, const QStringList& fields) {
    // A paper whose record was missing is written as its bare tag, not as an
    // empty line: the reader's forward pass would stop there, and every later
    // paper, the one saved now included, would read back empty.
    QStringList lines = file.lines;
    for (int k = 1; k <= file.paperCount && k <= RecordCapacity::Papers; ++k) {
        if (k > lines.size())
            lines.append(QString());
        if (lines.at(k - 1).isEmpty())
            lines[k - 1] = BuildRecordLine(QString::number(100 + k), {});
    }
    const RecordError error =
        RewriteRecord(lines, fields, paperIndex, QString::number(100 + paperIndex), file.paperCount,
                      int(fields.size()), file.path);
    if (error == RecordError::None)
        file.lines = lines;
    return error;
}
