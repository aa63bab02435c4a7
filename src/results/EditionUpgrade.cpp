#include "results/EditionUpgrade.h"

#include "core/Numbering.h"
#include "core/ProgramDefinition.h"
#include "core/RecordFile.h"
#include "results/ResultsFiles.h"
#include "results/ResultsRepair.h"

#include <QFileInfo>
#include <algorithm>

namespace {

const QString StampTag = QStringLiteral("PST");
const QString EditionTag = QStringLiteral("EDN");

// The stamps the folder's answers belong to, one per paper.
QStringList folderStamps(const QString& path, int paperCount) {
    if (!QFileInfo::exists(path))
        return QStringList(paperCount, EditionUpgrade::secondEditionStamp());
    // A mark that cannot be read names no content: every paper counts as
    // changed, which at worst clears answers that could have stayed.
    QStringList stamps = ReadRecordAllFields(path, StampTag).value;
    while (stamps.size() < paperCount)
        stamps.append(QString());
    return stamps;
}

bool hasAnything(const QStringList& fields) {
    for (const QString& f : fields) {
        if (!f.isEmpty())
            return true;
    }
    return false;
}

} // namespace

QString EditionUpgrade::markFilePath(const QString& programFolder, int module,
                                     const QString& programCode) {
    return programFolder + QStringLiteral("/edition%1%2.txt").arg(module).arg(programCode);
}

EditionUpgrade::EditionUpgrade(const ResourceStore& store, QString programFolder,
                               const ProgramDefinition& definition)
    : m_store(store), m_folder(std::move(programFolder)), m_definition(definition) {}

EditionUpgrade::Report EditionUpgrade::Run() const {
    Report report;
    for (int m : m_definition.existingModules()) {
        if (!m_definition.module(m).paperStamps.isEmpty())
            runModule(m, &report);
    }
    return report;
}

void EditionUpgrade::runModule(int module, Report* report) const {
    const ModuleDefinition& def = m_definition.module(module);
    const int papers = def.paperCount;
    const QString code = m_definition.programCode;
    const QString markPath = markFilePath(m_folder, module, code);
    const QStringList before = folderStamps(markPath, papers);

    QList<int> changed;
    for (int k = 1; k <= papers; ++k) {
        if (before.at(k - 1) != def.paperStamps.at(k - 1))
            changed << k;
    }
    if (!changed.isEmpty()) {
        // Read from the content tables only now: most starts change nothing.
        const QList<int> shapes =
            ResultsRepair(m_store, m_folder, m_definition).paperShapes(module);
        QList<int> cleared;
        for (ResultsFile file : {ResultsFile::First, ResultsFile::FResults, ResultsFile::Second,
                                 ResultsFile::SResults}) {
            const QString path = resultsFilePath(m_folder, file, module, code);
            Read<PaperLines> lines = readPaperLines(path, papers);
            if (!lines.ok()) {
                // What cannot be read cannot be shown either; the repair
                // reports it, and the next start looks again.
                report->unreadable << path;
                continue;
            }
            for (int k : changed) {
                const int blanks = shapes.value(k - 1, -1);
                // Only a record that holds something is written: a paper
                // never started keeps its file as it is.
                const Read<QStringList> fields =
                    paperFields(lines.value, k, RecordCapacity::Blanks);
                if (!fields.ok() || !hasAnything(fields.value))
                    continue;
                if (blanks < 0 ||
                    writePaperRecord(lines.value, k, QStringList(blanks, QString())) !=
                        RecordError::None) {
                    report->unwritten << path;
                    break;
                }
                if (!cleared.contains(Numbering::paperNumOfIndex(k)))
                    cleared << Numbering::paperNumOfIndex(k);
            }
        }
        std::sort(cleared.begin(), cleared.end());
        report->clearedPapers << cleared;
    }
    if (!report->ok() || !report->unreadable.isEmpty())
        return; // the next start tries again: the old stamps stay
    const QStringList mark = {buildRecordLine(EditionTag, {m_definition.edition}),
                              buildRecordLine(StampTag, def.paperStamps)};
    if (before != def.paperStamps || !QFileInfo::exists(markPath)) {
        if (writeRecordLines(markPath, mark) != RecordError::None)
            report->unwritten << markPath;
    }
}

QString EditionUpgrade::message(const Report& report) {
    if (report.clearedPapers.isEmpty())
        return {};
    return QStringLiteral("This version has new questions in some of the papers you had "
                          "started. Your answers to the old questions have been cleared, so "
                          "you can start those papers afresh. Your scores are kept.");
}
