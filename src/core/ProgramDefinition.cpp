#include "core/ProgramDefinition.h"

#include "core/ProgramFolder.h"
#include "core/ResourceStore.h"

#include <QFile>
#include <QFileInfo>

namespace {

const char* const HeadingKeys[3] = {"LAH", "LBH", "LCH"};

// A whole number written with digits only, within lo..hi.
bool readWholeNumber(const QString& text, int lo, int hi, int* value) {
    if (text.isEmpty() || text.size() > 6)
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    const int n = text.toInt();
    if (n < lo || n > hi)
        return false;
    *value = n;
    return true;
}

QString moduleName(int m, const QString& heading) {
    return QStringLiteral("Module %1 (\"%2\")").arg(m).arg(heading);
}

} // namespace

QList<int> ProgramDefinition::existingModules() const {
    QList<int> existing;
    for (int m = 1; m <= 3; ++m) {
        if (moduleExists(m))
            existing << m;
    }
    return existing;
}

int ProgramDefinition::firstModule() const {
    const QList<int> existing = existingModules();
    return existing.isEmpty() ? 0 : existing.first();
}

DefinitionRead readProgramDefinitionFile(const QString& path) {
    DefinitionRead result;
    ProgramDefinition& def = result.definition;

    const Read<QString> name = ReadRecordValue(path, QStringLiteral("NME"));
    if (!name.ok()) {
        result.error = DefinitionError::NotExtracted;
        result.detail = QStringLiteral("The program definition could not be read: %1.")
                            .arg(recordErrorText(name.error));
        return result;
    }
    def.displayName = name.value;
    def.programCode = ReadRecordValue(path, QStringLiteral("COD")).value;
    def.edition = ReadRecordValue(path, QStringLiteral("EDN")).value;

    QStringList problems;
    for (int m = 1; m <= 3; ++m) {
        ModuleDefinition& module = def.modules.at(m - 1);
        module.heading = ReadRecordValue(path, QLatin1String(HeadingKeys[m - 1])).value;
        if (!module.exists())
            continue;
        const QString number = QString::number(m);
        const QString who = moduleName(m, module.heading);

        const QString topics = ReadRecordValue(path, QStringLiteral("TT") + number).value;
        if (!readWholeNumber(topics, 1, RecordCapacity::TopicNames, &module.topicCount)) {
            problems.append(
                QStringLiteral("%1 has no topic count from 1 to 10 (TT%2).").arg(who, number));
            continue;
        }
        const QString papers = ReadRecordValue(path, QStringLiteral("TP") + number).value;
        if (!readWholeNumber(papers, 1, RecordCapacity::Papers, &module.paperCount)) {
            problems.append(
                QStringLiteral("%1 has no paper count from 1 to 50 (TP%2).").arg(who, number));
            continue;
        }
        const Read<QStringList> names =
            ReadRecordFields10(path, QStringLiteral("TN") + number, module.topicCount);
        if (!names.ok()) {
            problems.append(QStringLiteral("%1 does not name its %2 topics (TN%3).")
                                .arg(who)
                                .arg(module.topicCount)
                                .arg(number));
            continue;
        }
        module.topicNames = names.value;
        const Read<QStringList> stamps = ReadRecordAllFields(path, QStringLiteral("PS") + number);
        if (stamps.ok() && stamps.value.size() == module.paperCount)
            module.paperStamps = stamps.value;
    }

    if (!problems.isEmpty()) {
        result.error = DefinitionError::BadModule;
        result.detail = problems.join(QLatin1Char(' '));
    } else if (def.firstModule() == 0) {
        result.error = DefinitionError::NoModule;
        result.detail = QStringLiteral("The program definition sets no module heading "
                                       "(LAH, LBH or LCH), so there is nothing to practise.");
    }
    return result;
}

DefinitionRead readProgramDefinition(const ResourceStore& store, const QString& programFolder) {
    const QString path = programFolder + QLatin1Char('/') + definitionScratchName();
    FileWriteOutcome written;
    if (store.ExtractResource(DefinitionItemId, QStringLiteral("Custom"), path,
                              ResourceStore::Durability::Scratch,
                              &written) != ResourceStore::ExtractResult::Done) {
        DefinitionRead result;
        result.error = DefinitionError::NotExtracted;
        result.notWritten = written.reason();
        result.detail = QStringLiteral("The program definition (item %1) could not be written "
                                       "to %2.")
                            .arg(DefinitionItemId)
                            .arg(path);
        return result;
    }
    DefinitionRead result = readProgramDefinitionFile(path);
    QFile::remove(path);
    return result;
}
