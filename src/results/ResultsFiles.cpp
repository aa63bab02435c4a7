#include "results/ResultsFiles.h"

#include "core/Numbering.h"
#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"
#include "core/Scoring.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

QString resultsFileStem(ResultsFile file) {
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

QString resultsFilePath(const QString& programFolder, ResultsFile file, int module,
                        const QString& programCode) {
    return programFolder + QLatin1Char('/') + resultsFileStem(file) + QString::number(module) +
           programCode + QStringLiteral(".txt");
}

int resultsTemplateId(ResultsFile file, int module) {
    return 30100 + 10 * module + 1 + int(file);
}

namespace {

ResultsFile fileAt(int k) {
    return static_cast<ResultsFile>(k);
}

} // namespace

struct ResultsErase::Pending {
    explicit Pending(const QString& target) : path(target), file(target) {}
    QString path;
    AtomicFileWrite file; // discards its temporary unless committed
};

ResultsErase::ResultsErase(const ResourceStore& store, const QString& programFolder,
                           const ProgramDefinition& definition)
    : m_store(store), m_folder(programFolder), m_definition(definition) {}

ResultsErase::~ResultsErase() = default;

bool ResultsErase::prepare() {
    m_pending.clear();
    m_outcome = EraseOutcome();
    QList<int> ids;
    for (int m : m_definition.existingModules()) {
        for (int k = 0; k < ResultsFileCount; ++k) {
            m_outcome.notErased.append(
                resultsFilePath(m_folder, fileAt(k), m, m_definition.programCode));
            ids.append(resultsTemplateId(fileAt(k), m));
        }
    }
    for (int i = 0; i < ids.size(); ++i) {
        const QString& path = m_outcome.notErased.at(i);
        bool found = false;
        const QByteArray bytes = m_store.itemBytes(ids.at(i), &found);
        auto pending = std::make_unique<Pending>(path);
        // (A folder or a link in a file's place is not written.)
        const FileWriteOutcome written =
            found ? pending->file.write(bytes) : FileWriteOutcome::fromErrno(ENOENT);
        if (!written.ok()) {
            m_outcome.failedPath = path;
            m_outcome.reason =
                found ? written.reason() : QStringLiteral("the program's copy of it is missing");
            m_pending.clear();
            return false;
        }
        m_pending.push_back(std::move(pending));
    }
    return true;
}

void ResultsErase::replace() {
    for (const auto& pending : m_pending) {
        // Flushed to the disk by Prepare, now renamed over the results file.
        const FileWriteOutcome committed = pending->file.commit();
        if (!committed.ok()) {
            m_outcome.failedPath = pending->path;
            m_outcome.reason = committed.reason();
            break;
        }
        m_outcome.erased.append(pending->path);
        m_outcome.notErased.removeOne(pending->path);
    }
    m_pending.clear();
}

EraseOutcome eraseAllResults(const ResourceStore& store, const QString& programFolder,
                             const ProgramDefinition& definition) {
    ResultsErase erase(store, programFolder, definition);
    if (erase.prepare())
        erase.replace();
    return erase.outcome();
}

QStringList ResetAllResults(const ResourceStore& store, const QString& programFolder,
                            const ProgramDefinition& definition) {
    return eraseAllResults(store, programFolder, definition).notErased;
}

QString eraseProblemText(const EraseOutcome& outcome) {
    if (outcome.ok())
        return QString();
    const QString failed = QDir::toNativeSeparators(
        outcome.failedPath.isEmpty() ? outcome.notErased.first() : outcome.failedPath);
    const QString because =
        outcome.reason.isEmpty() ? QString() : QStringLiteral(", because ") + outcome.reason;
    if (outcome.erased.isEmpty())
        return QStringLiteral("Your results could not be erased: the program cannot write the "
                              "file %1%2. Nothing has been erased.")
            .arg(failed, because);
    auto names = [](const QStringList& paths) {
        QStringList list;
        for (const QString& path : paths)
            list.append(QFileInfo(path).fileName());
        return list.join(QStringLiteral(", "));
    };
    return QStringLiteral("Only part of your results could be erased: the program could not "
                          "replace the file %1%2. Erased: %3. Not erased, still holding your "
                          "past results: %4.")
        .arg(failed, because, names(outcome.erased), names(outcome.notErased));
}

QStringList ensureResultsFiles(const ResourceStore& store, const QString& programFolder,
                               const ProgramDefinition& definition, QStringList* created,
                               QString* reason) {
    // Only a missing file is made from its template: one lost file (deleted
    // by hand, or by a cleaning tool) must not take every other result of
    // every module with it. On a first start that is every file.
    QStringList failed;
    if (created)
        created->clear();
    for (int m : definition.existingModules()) {
        for (int k = 0; k < ResultsFileCount; ++k) {
            const QString path =
                resultsFilePath(programFolder, fileAt(k), m, definition.programCode);
            // (A folder or a link in the file's place is not missing: the
            // start-up repair reports it.)
            const QFileInfo entry(path);
            if (entry.exists() || entry.isSymLink())
                continue;
            // A file made where there was none holds nothing to lose, so it
            // does not wait for the disk: one cut short by a crash is rebuilt
            // by the next start's repair.
            FileWriteOutcome written;
            const ResourceStore::ExtractResult extracted =
                store.ExtractResource(resultsTemplateId(fileAt(k), m), QStringLiteral("Custom"),
                                      path, ResourceStore::Durability::Scratch, &written);
            if (extracted != ResourceStore::ExtractResult::Done) {
                if (reason && failed.isEmpty())
                    *reason = extracted == ResourceStore::ExtractResult::WriteFailed
                                  ? written.reason()
                                  : QStringLiteral("the program's copy of it is missing");
                failed.append(path);
            } else if (created)
                created->append(path);
        }
    }
    return failed;
}

namespace {
// Each record's tag and list, in the order of MarksRecord.
const char* const MarksTagTexts[MarksRecordCount] = {"FSE", "SSE", "LTM", "CDD", "FST", "SST"};
QStringList MarksRecords::*const MarksLists[MarksRecordCount] = {
    &MarksRecords::FSE, &MarksRecords::SSE, &MarksRecords::LTM,
    &MarksRecords::CDD, &MarksRecords::FST, &MarksRecords::SST};
} // namespace

QString marksTag(MarksRecord record) {
    return QLatin1String(MarksTagTexts[int(record)]);
}

QStringList marksTags() {
    QStringList tags;
    for (int r = 0; r < MarksRecordCount; ++r)
        tags.append(marksTag(MarksRecord(r)));
    return tags;
}

std::optional<qint64> scoreFromText(const QString& text) {
    qint64 tenths = 0;
    if (!parsePercentTenths(text, &tenths) || tenths < 0 || tenths > 1000)
        return std::nullopt;
    return tenths;
}

QString scoreText(std::optional<qint64> tenths) {
    return tenths ? tenthsText(*tenths) : QString();
}

bool markedFromText(const QString& text) {
    return text.trimmed() == QLatin1String("1");
}

QString markedText(bool marked) {
    return marked ? QStringLiteral("1") : QStringLiteral("0");
}

QStringList& MarksRecords::operator[](MarksRecord record) {
    return this->*MarksLists[int(record)];
}

const QStringList& MarksRecords::operator[](MarksRecord record) const {
    return this->*MarksLists[int(record)];
}

std::array<QStringList, MarksRecordCount> MarksRecords::asArray() const {
    std::array<QStringList, MarksRecordCount> records;
    for (int r = 0; r < MarksRecordCount; ++r)
        records[r] = (*this)[MarksRecord(r)];
    return records;
}

PaperMarks MarksRecords::paper(int paperIndex) const {
    const int k = paperIndex - 1;
    PaperMarks marks;
    marks.firstTenths = scoreFromText(FSE.value(k));
    marks.secondTenths = scoreFromText(SSE.value(k));
    marks.timeTaken = LTM.value(k);
    marks.markedOn = CDD.value(k);
    marks.firstMarked = markedFromText(FST.value(k));
    marks.secondMarked = markedFromText(SST.value(k));
    return marks;
}

Read<MarksRecords> readMarksFile(const QString& path, int paperCount) {
    Read<MarksRecords> result;
    const QStringList tags = marksTags();
    QStringList* targets[MarksRecordCount];
    for (int r = 0; r < MarksRecordCount; ++r)
        targets[r] = &result.value[MarksRecord(r)];
    if (paperCount < 0 || paperCount > RecordCapacity::Papers) {
        result.error = RecordError::CapacityExceeded;
        return result;
    }
    for (QStringList* target : targets)
        *target = QStringList(paperCount, QString());
    for (int k = 0; k < MarksRecordCount; ++k) {
        const Read<QString> line = ReadRecordLine(path, tags.at(k));
        if (!line.ok()) {
            result.error = line.error;
            result.systemError = line.systemError;
            return result;
        }
        // Each record stands on its own: one that is missing or short reads
        // as empty where its fields are missing, and takes no other record
        // with it. A record longer than the papers (a damaged file) gives its
        // first fields; the surplus is not left in the last paper's field,
        // where its ">" would stop the next marking from writing the file.
        const int present = qMin(int(line.value.count(QLatin1Char('>'))), paperCount + 1);
        RecordError damage = line.value.isEmpty() ? RecordError::KeyMissing : RecordError::None;
        if (present > 0) {
            const Read<QStringList> fields = splitRecordFields(line.value, present, present);
            for (int i = 0; i < paperCount && i < fields.value.size(); ++i)
                (*targets[k])[i] = fields.value.at(i);
        }
        if (damage == RecordError::None && present < paperCount)
            damage = RecordError::TooFewFields;
        // A line whose fields do not start right after its tag splits wrongly:
        // a field would keep a ">", which no marking could write back. The
        // record reads as empty, the others stay.
        if (targets[k]->join(QString()).contains(QLatin1Char('>'))) {
            *targets[k] = QStringList(paperCount, QString());
            if (damage == RecordError::None)
                damage = RecordError::TooFewFields;
        }
        if (result.error == RecordError::None)
            result.error = damage;
    }
    return result;
}

RecordWrite writeMarksFile(const QString& path, const MarksRecords& marks, int paperCount,
                           FileWriteBatch* batch) {
    return WriteSixRecords(marks.asArray(), marksTags(), paperCount, path, batch);
}

Read<PaperLines> readPaperLines(const QString& path, int paperCount) {
    Read<PaperLines> result;
    const Read<QStringList> lines = ReadPaperRecordLines(path, paperCount);
    result.error = lines.error;
    result.systemError = lines.systemError;
    if (!lines.ok())
        return result;
    result.value.path = path;
    result.value.lines = lines.value;
    result.value.paperCount = paperCount;
    // A record out of order is not found by the forward pass; it is in the
    // file all the same, and the next write must carry it, not empty it.
    for (int k = 1; k <= paperCount; ++k) {
        QString& line = result.value.lines[k - 1];
        if (!line.isEmpty())
            continue;
        const Read<QString> elsewhere = ReadRecordLine(path, Numbering::paperKey(k));
        if (!elsewhere.ok()) {
            result.error = elsewhere.error;
            result.systemError = elsewhere.systemError;
            return result;
        }
        line = elsewhere.value;
    }
    return result;
}

Read<QStringList> paperFields(const PaperLines& file, int paperIndex, int blankCount) {
    Read<QStringList> result;
    if (blankCount < 0 || blankCount > RecordCapacity::Blanks || paperIndex < 1 ||
        paperIndex > file.paperCount) {
        result.error = RecordError::CapacityExceeded;
        return result;
    }
    const QString line = file.lines.value(paperIndex - 1);
    // A record of the right size splits as usual. One that is missing, short
    // or longer than the paper (a damaged file, or content whose blank counts
    // changed) gives its fields by position, padded with empty ones, and never
    // a field that holds ">": the next write then rebuilds it cleanly.
    // Only one field past the paper's is split off, however long the line.
    const int present = qMin(int(line.count(QLatin1Char('>'))), blankCount + 1);
    QStringList fields;
    if (present > 0) {
        const Read<QStringList> all = splitRecordFields(line, present, present);
        if (all.ok())
            fields = all.value;
    }
    while (fields.size() < blankCount)
        fields.append(QString());
    result.value = fields.mid(0, blankCount);
    return result;
}

RecordWrite writePaperRecord(PaperLines& file, int paperIndex, const QStringList& fields,
                             FileWriteBatch* batch) {
    // A paper whose record was missing is written as its bare tag, not as an
    // empty line: the reader's forward pass would stop there, and every later
    // paper, the one saved now included, would read back empty.
    QStringList lines = file.lines;
    for (int k = 1; k <= file.paperCount && k <= RecordCapacity::Papers; ++k) {
        if (k > lines.size())
            lines.append(QString());
        if (lines.at(k - 1).isEmpty())
            lines[k - 1] = buildRecordLine(Numbering::paperKey(k), {});
    }
    const RecordWrite written =
        RewriteRecord(lines, fields, paperIndex, Numbering::paperKey(paperIndex), file.paperCount,
                      int(fields.size()), file.path, batch);
    if (written.ok())
        file.lines = lines;
    return written;
}

int markedPaperCount(const QString& folder, const ProgramDefinition& definition) {
    int marked = 0;
    for (int m : definition.existingModules()) {
        const int paperCount = definition.module(m).paperCount;
        const Read<MarksRecords> marks = readMarksFile(
            resultsFilePath(folder, ResultsFile::Marks, m, definition.programCode), paperCount);
        for (int k = 1; k <= paperCount; ++k)
            marked += marks.value.paper(k).firstMarked ? 1 : 0;
    }
    return marked;
}
