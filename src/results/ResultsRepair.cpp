#include "results/ResultsRepair.h"

#include "core/Log.h"
#include "core/Numbering.h"
#include "core/PaperContent.h"
#include "core/ProgramDefinition.h"
#include "core/RecordFile.h"
#include "core/ResourceStore.h"
#include "core/Scoring.h"
#include "results/ResultsFiles.h"
#include "results/TrendLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

QString paperTag(int paperIndex) {
    return Numbering::paperKey(paperIndex);
}

// Lines the readers skip and the writers never produce: the "..." framing of
// the templates and empty lines. They are not damage.
bool isFraming(const QString& line) {
    return line.isEmpty() || line == QLatin1String("...");
}

// A "#" inside a field would make the line hold another record's tag and
// stops the writers from saving it again.
int stripTagMarks(QStringList* fields) {
    int stripped = 0;
    for (QString& field : *fields) {
        if (field.contains(QLatin1Char('#'))) {
            field.remove(QLatin1Char('#'));
            ++stripped;
        }
    }
    return stripped;
}

// Brings a record to exactly count fields: the first ones kept, the surplus
// dropped, missing ones added with filler. Returns what was done, or "".
QString fitFields(QStringList* fields, int count, const QString& filler) {
    const int had = int(fields->size());
    if (had == count)
        return QString();
    if (had > count) {
        fields->erase(fields->begin() + count, fields->end());
        return QStringLiteral("%1 fields instead of %2, the surplus dropped").arg(had).arg(count);
    }
    while (fields->size() < count)
        fields->append(filler);
    return QStringLiteral("%1 fields instead of %2, the missing ones added empty")
        .arg(had)
        .arg(count);
}

bool isPercentage(const QString& text) {
    return scoreFromText(text).has_value();
}

QString nativeList(const QStringList& paths) {
    QStringList names;
    for (const QString& path : paths)
        names.append(QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path)));
    return names.join(QStringLiteral(", "));
}

} // namespace

void ResultsRepair::Report::add(const Report& other) {
    repaired += other.repaired;
    folders += other.folders;
    notFiles += other.notFiles;
    unreadable += other.unreadable;
    if (unwrittenReason.isEmpty())
        unwrittenReason = other.unwrittenReason;
    unwritten += other.unwritten;
    lost += other.lost;
    findings += other.findings;
}

QString ResultsRepair::Report::message() const {
    QStringList parts;
    if (!repaired.isEmpty())
        parts.append(lost.isEmpty()
                         ? repairedSentence()
                         : repairedSentence() + QLatin1Char(' ') + lost.join(QLatin1Char(' ')));
    if (!folders.isEmpty())
        parts.append(
            QStringLiteral("Some results cannot be kept, because a folder stands where the "
                           "results file should be: %1. Please ask a grown-up to move that "
                           "folder somewhere else or rename it, then start the program again. "
                           "Nothing in the folder has been changed.")
                .arg(nativeList(folders)));
    if (!notFiles.isEmpty())
        parts.append(
            QStringLiteral("Some results cannot be kept, because a link to another place (or "
                           "something else that is not a plain file) stands where the results "
                           "file should be: %1. The program never writes through such a link. "
                           "Please ask a grown-up to put the results file itself there, or to "
                           "remove the link, then start the program again. Nothing has been "
                           "changed.")
                .arg(nativeList(notFiles)));
    const QStringList stuck = unreadable + unwritten;
    if (!stuck.isEmpty()) {
        const QString because =
            unwritten.isEmpty() || unwrittenReason.isEmpty()
                ? QString()
                : QStringLiteral(" (%1; the damaged files are left as they were)")
                      .arg(unwrittenReason);
        parts.append(QStringLiteral("Some of your saved results are damaged and could not be "
                                    "repaired, because the program cannot read or write %1%2. "
                                    "Please ask a grown-up to check that the files can be "
                                    "read and written, then start the program again.")
                         .arg(nativeList(stuck), because));
    }
    return parts.join(QStringLiteral("\n\n"));
}

ResultsRepair::ResultsRepair(const ResourceStore& store, QString programFolder,
                             const ProgramDefinition& definition)
    : m_store(store), m_folder(std::move(programFolder)), m_definition(definition) {}

ResultsRepair::Report ResultsRepair::Run() {
    Report report = runMarks();
    report.add(runRest());
    return report;
}

ResultsRepair::Report ResultsRepair::runMarks() {
    m_report = Report();
    for (int m : m_definition.existingModules())
        repairMarksFile(resultsFilePath(m_folder, ResultsFile::Marks, m, m_definition.programCode),
                        m_definition.module(m).paperCount, m);
    return m_report;
}

ResultsRepair::Report ResultsRepair::runRest() {
    m_report = Report();
    const QString code = m_definition.programCode;
    for (int m : m_definition.existingModules()) {
        const int papers = m_definition.module(m).paperCount;
        const QList<int> shapes = paperShapes(m);
        for (ResultsFile file : {ResultsFile::First, ResultsFile::Second, ResultsFile::FResults,
                                 ResultsFile::SResults})
            repairPaperFile(resultsFilePath(m_folder, file, m, code), shapes, papers);
        repairTrendFile(resultsFilePath(m_folder, ResultsFile::Trend, m, code));
    }
    return m_report;
}

QList<int> ResultsRepair::paperShapes(int module) const {
    // Every table is read once and looked up in memory: a start-up pays for
    // one pass over the keys table, not one per paper.
    const int papers = m_definition.module(module).paperCount;
    QList<int> shapes(papers, -1);

    QList<QStringList> questions(papers);
    const QStringList paperLines = storeLines(papersTableId(module));
    const TagIndex paperIndex(paperLines);
    for (int k = 1; k <= papers; ++k) {
        const qsizetype at = paperIndex.find(paperTag(k));
        if (at >= 0)
            questions[k - 1] = recordFieldsAfterTag(paperLines.at(at), paperTag(k));
    }

    // The questions of a paper are looked for in one forward pass, as the
    // paper's loading does; a question it misses leaves the paper unknown.
    const QStringList keyLines = storeLines(keysTableId(module));
    const TagIndex keyIndex(keyLines);
    for (int k = 1; k <= papers; ++k) {
        if (questions.at(k - 1).isEmpty())
            continue;
        int blanks = 0;
        qsizetype from = 0;
        for (const QString& question : questions.at(k - 1)) {
            const qsizetype at = keyIndex.find(question, from);
            if (at < 0) {
                blanks = -1;
                break;
            }
            blanks += int(keyLines.at(at).count(QLatin1Char('>')));
            from = at + 1;
        }
        shapes[k - 1] = blanks;
    }

    // A paper the tables do not describe keeps the shape its template gives.
    if (!shapes.contains(-1))
        return shapes;
    const QStringList templateLines = storeLines(resultsTemplateId(ResultsFile::First, module));
    for (int k = 1; k <= papers; ++k) {
        if (shapes.at(k - 1) >= 0)
            continue;
        const qsizetype at = findTagLine(templateLines, paperTag(k));
        if (at >= 0 && !templateLines.at(at).isEmpty())
            shapes[k - 1] = int(templateLines.at(at).count(QLatin1Char('>')));
    }
    return shapes;
}

QStringList ResultsRepair::storeLines(int id) const {
    bool ok = false;
    const QByteArray bytes = m_store.itemBytes(id, &ok);
    if (!ok)
        return QStringList();
    return splitRecordText(QString::fromLatin1(bytes));
}

void ResultsRepair::noteFinding(const QString& path, const QString& finding, const QString& done) {
    const QString line = QDir::toNativeSeparators(path) + QStringLiteral(": ") + finding;
    m_report.findings.append(line);
    qCWarning(lcQuillora).noquote() << QStringLiteral("Results repair:") << line + done;
}

bool ResultsRepair::readForRepair(const QString& path, QStringList* lines, bool* looseEnds,
                                  QStringList* findings, bool emptyIsDamage) {
    lines->clear();
    *looseEnds = false;
    findings->clear();
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isDir() && !info.isFile())) {
        m_report.notFiles.append(path);
        noteFinding(path, QStringLiteral("not a plain file (a link or a device)"),
                    QStringLiteral("; left alone"));
        return false;
    }
    if (info.isDir()) {
        m_report.folders.append(path);
        noteFinding(path, QStringLiteral("a folder"), QStringLiteral("; left alone"));
        return false;
    }
    // A missing file is rebuilt whole, like an empty one.
    int systemError = 0;
    if (info.exists() && readRecordFileLines(path, lines, looseEnds, MaxReadBytes, &systemError) !=
                             RecordError::None) {
        m_report.unreadable.append(path);
        const QString reason = readFailureReason(systemError);
        noteFinding(path,
                    reason.isEmpty() ? QStringLiteral("cannot be read")
                                     : QStringLiteral("cannot be read: ") + reason,
                    QStringLiteral("; left alone"));
        return false;
    }
    if (emptyIsDamage && lines->isEmpty())
        findings->append(QStringLiteral("empty"));
    return true;
}

bool ResultsRepair::conclude(const QString& path, const QStringList& rebuilt,
                             const QStringList& kept, bool looseEnds, QStringList findings) {
    if (looseEnds)
        findings.append(QStringLiteral("line ends without CR LF"));
    if (rebuilt != kept && findings.isEmpty())
        findings.append(QStringLiteral("lines that are not its records, or out of order"));
    if (findings.isEmpty())
        return false;
    // Written whole or not at all: on a full disk the damaged file stays as
    // it is, and is not called repaired.
    const RecordWrite write = writeRecordLines(path, rebuilt);
    const bool written = write.ok();
    (written ? m_report.repaired : m_report.unwritten).append(path);
    if (!written && m_report.unwrittenReason.isEmpty())
        m_report.unwrittenReason = write.reason();
    for (const QString& finding : findings)
        noteFinding(path, finding,
                    written ? QStringLiteral("; the file was rebuilt")
                            : QStringLiteral("; the rebuilt file could not be written: ") +
                                  write.reason());
    return written;
}

void ResultsRepair::repairPaperFile(const QString& path, const QList<int>& shapes, int paperCount) {
    QStringList lines, findings;
    bool looseEnds = false;
    if (!readForRepair(path, &lines, &looseEnds, &findings, true))
        return;

    // The line each paper's reader takes: one forward pass, as the practice
    // windows read the file. A record that pass misses (out of order) is
    // looked for from the top instead, so that it is not lost.
    QStringList rebuilt;
    qsizetype from = 0;
    for (int k = 1; k <= paperCount; ++k) {
        const QString tag = paperTag(k);
        qsizetype at = findTagLine(lines, tag, from);
        if (at >= 0)
            from = at + 1;
        else
            at = findTagLine(lines, tag);

        QStringList fields;
        if (at >= 0)
            fields = recordFieldsAfterTag(lines.at(at), tag);
        else if (!lines.isEmpty())
            findings.append(QStringLiteral("paper %1 has no record").arg(tag));
        const int shape = shapes.value(k - 1, -1);
        const int wanted = shape >= 0 ? shape : int(fields.size());
        const QString fitted = fitFields(&fields, wanted, QString());
        if (at >= 0 && !fitted.isEmpty())
            findings.append(QStringLiteral("paper %1 has ").arg(tag) + fitted);
        if (stripTagMarks(&fields) > 0)
            findings.append(QStringLiteral("paper %1 has fields holding \"#\"").arg(tag));
        rebuilt.append(buildRecordLine(tag, fields));
    }

    // What the file holds besides framing; records of papers beyond the
    // module's count (left over from a fifty-paper template) are not damage.
    QStringList kept;
    for (const QString& line : lines) {
        if (isFraming(line))
            continue;
        bool beyond = false;
        for (int k = paperCount + 1; k <= RecordCapacity::Papers && !beyond; ++k)
            beyond = line.startsWith(QLatin1Char('#') + paperTag(k) + QLatin1Char('#'));
        if (!beyond)
            kept.append(line);
    }
    conclude(path, rebuilt, kept, looseEnds, findings);
}

void ResultsRepair::repairMarksFile(const QString& path, int paperCount, int module) {
    QStringList lines, findings;
    bool looseEnds = false;
    if (!readForRepair(path, &lines, &looseEnds, &findings, true))
        return;

    const QStringList tags = marksTags();
    constexpr int FSE = int(MarksRecord::FSE);
    constexpr int SSE = int(MarksRecord::SSE);
    constexpr int FST = int(MarksRecord::FST);
    constexpr int SST = int(MarksRecord::SST);
    QList<QStringList> records;
    // Per record, how many of its fields the file held: a field made up by
    // the repair is a value lost.
    QList<int> held;
    for (int r = 0; r < tags.size(); ++r) {
        const QString& tag = tags.at(r);
        const qsizetype at = findTagLine(lines, tag);
        QStringList fields;
        if (at >= 0)
            fields = recordFieldsAfterTag(lines.at(at), tag);
        else if (!lines.isEmpty())
            findings.append(QStringLiteral("no %1 record").arg(tag));
        held.append(int(fields.size()));
        const bool state = r == FST || r == SST;
        const QString fitted =
            fitFields(&fields, paperCount, state ? QStringLiteral("0") : QString());
        if (at >= 0 && !fitted.isEmpty())
            findings.append(tag + QStringLiteral(" has ") + fitted);
        if (stripTagMarks(&fields) > 0)
            findings.append(tag + QStringLiteral(" has fields holding \"#\""));
        records.append(fields);
    }

    // A state is "0" or "1"; anything else reads as not marked. A score that
    // is not a percentage reads as not marked too, state included, so the
    // paper can be marked again instead of showing a marked view without one.
    QList<QList<bool>> kept(tags.size(), QList<bool>(paperCount, true));
    for (int r = 0; r < tags.size(); ++r) {
        for (int k = held.at(r); k < paperCount; ++k)
            kept[r][k] = false;
    }
    for (int state : {FST, SST}) {
        for (int k = 0; k < paperCount; ++k) {
            QString& value = records[state][k];
            if (value == QLatin1String("0") || value == QLatin1String("1"))
                continue;
            kept[state][k] = false;
            findings.append(QStringLiteral("%1 of paper %2 is \"%3\", read as \"0\"")
                                .arg(tags.at(state), paperTag(k + 1), value.left(20)));
            value = QStringLiteral("0");
        }
    }
    for (int score : {FSE, SSE}) {
        const int state = score == FSE ? FST : SST;
        for (int k = 0; k < paperCount; ++k) {
            QString& value = records[score][k];
            if (value.isEmpty() || isPercentage(value))
                continue;
            findings.append(QStringLiteral("%1 of paper %2 is \"%3\", read as not marked")
                                .arg(tags.at(score), paperTag(k + 1), value.left(20)));
            value.clear();
            records[state][k] = QStringLiteral("0");
            kept[score][k] = kept[state][k] = false;
        }
    }

    // A paper lost its mark when its score or state had to be made up, unless
    // what is left says it was not marked anyway.
    QList<int> lostPapers;
    for (int k = 0; k < paperCount; ++k) {
        for (const auto& [score, state] : {std::pair{FSE, FST}, std::pair{SSE, SST}}) {
            if (kept[score][k] && kept[state][k])
                continue;
            const bool notMarked = (kept[state][k] && records[state][k] == QLatin1String("0")) ||
                                   (kept[score][k] && records[score][k].isEmpty());
            if (!notMarked) {
                lostPapers.append(k + 1);
                break;
            }
        }
    }

    QStringList rebuilt;
    for (int r = 0; r < tags.size(); ++r)
        rebuilt.append(buildRecordLine(tags.at(r), records.at(r)));
    QStringList keptLines;
    for (const QString& line : lines) {
        if (!isFraming(line))
            keptLines.append(line);
    }
    if (conclude(path, rebuilt, keptLines, looseEnds, findings) && !lostPapers.isEmpty())
        m_report.lost.append(lostMarksSentence(module, lostPapers, paperCount));
}

QString ResultsRepair::lostMarksSentence(int module, const QList<int>& papers,
                                         int paperCount) const {
    const QString heading = m_definition.module(module).heading;
    if (papers.size() == paperCount)
        return QStringLiteral("None of the marks saved for %1 could be recovered, so every "
                              "paper shows as not marked and can be done again.")
            .arg(heading);
    const QStringList names = m_definition.module(module).topicNames;
    QStringList which;
    for (int paper : papers) {
        const int paperNum = Numbering::paperNumOfIndex(paper);
        const int topic = Numbering::topicOfPaper(paperNum);
        which.append(QStringLiteral("paper %1 of %2")
                         .arg(Numbering::paperInTopic(paperNum))
                         .arg(names.value(topic - 1, QStringLiteral("topic %1").arg(topic))));
    }
    const QString list = which.size() == 1
                             ? which.first()
                             : which.mid(0, which.size() - 1).join(QStringLiteral(", ")) +
                                   QStringLiteral(" and ") + which.last();
    return QStringLiteral("The marks of %1 could not be recovered, so %2 as not marked and "
                          "can be done again.")
        .arg(list, which.size() == 1 ? QStringLiteral("it shows") : QStringLiteral("they show"));
}

void ResultsRepair::repairTrendFile(const QString& path) {
    QStringList lines, findings;
    bool looseEnds = false;
    if (!readForRepair(path, &lines, &looseEnds, &findings, false))
        return;
    const qsizetype at = findTagLine(lines, trendTag());
    QStringList values;
    if (at >= 0) {
        const QStringList fields = recordFieldsAfterTag(lines.at(at), trendTag());
        int dropped = 0;
        for (const QString& field : fields) {
            if (isPercentage(field))
                values.append(field);
            else
                ++dropped;
        }
        if (dropped > 0)
            findings.append(
                QStringLiteral("%1 values that are not percentages dropped").arg(dropped));
    } else {
        findings.append(QStringLiteral("no %1 record").arg(trendTag()));
    }

    QStringList kept;
    for (const QString& line : lines) {
        if (!isFraming(line))
            kept.append(line);
    }
    conclude(path, {buildRecordLine(trendTag(), values)}, kept, looseEnds, findings);
}
