#include "core/ResourceStore.h"

#include "core/ContentTemplates.h"
#include "core/GraphicsTable.h"
#include "core/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <optional>

namespace {

// Ids are 16-bit; anything outside is not an item.
constexpr int MaxId = 65535;

bool isRegularFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

constexpr int DefinitionItem = 30000;

// "#tag#>" + fields of a record line, or empty fields for a line without one.
bool splitLine(const QString& line, QString* tag, QStringList* fields) {
    if (!line.startsWith(QLatin1Char('#')))
        return false;
    const qsizetype close = line.indexOf(QStringLiteral("#>"), 1);
    if (close < 0)
        return false;
    *tag = line.mid(1, close - 1);
    *fields = line.mid(close + 2).split(QLatin1Char('>'));
    return true;
}

} // namespace

struct ResourceStore::Attached {
    std::array<std::optional<ModuleFile>, 3> modules; // [slot - 1]
};

int ResourceStore::moduleQuestionItem(int slot, int localId) {
    return (slot == 1 ? 10000 : 15000) + localId;
}

bool ResourceStore::attachModule(int slot, const ModuleFile& file) {
    if ((slot != 1 && slot != 3) || !file.ok())
        return false;
    auto next = std::make_shared<Attached>(m_modules ? *m_modules : Attached());
    next->modules.at(slot - 1) = file;
    m_modules = std::move(next);
    return true;
}

void ResourceStore::detachModule(int slot) {
    if (!m_modules || (slot != 1 && slot != 3))
        return;
    auto next = std::make_shared<Attached>(*m_modules);
    next->modules.at(slot - 1).reset();
    m_modules = std::move(next);
}

const ModuleFile* ResourceStore::attachedModule(int slot) const {
    if (!m_modules || (slot != 1 && slot != 3) || !m_modules->modules.at(slot - 1))
        return nullptr;
    return &*m_modules->modules.at(slot - 1);
}

namespace {

// A table of the module with every question id mapped to its store id: the
// fields of the papers table, the tags of the others.
QByteArray mappedTable(const QByteArray& table, int slot, bool mapFields) {
    QStringList out;
    for (const QString& line : splitRecordText(QString::fromLatin1(table))) {
        QString tag;
        QStringList fields;
        if (!splitLine(line, &tag, &fields))
            continue;
        if (mapFields) {
            for (QString& field : fields)
                field = QString::number(ResourceStore::moduleQuestionItem(slot, field.toInt()));
        } else {
            tag = QString::number(ResourceStore::moduleQuestionItem(slot, tag.toInt()));
        }
        out << buildRecordLine(tag, fields);
    }
    return recordLinesText(out);
}

// Blanks of every paper 101..100+TP: the key counts of its questions.
QList<int> blanksPerPaper(const ModuleFile& file) {
    QMap<QString, int> blanksOf;
    for (const QString& line : splitRecordText(QString::fromLatin1(file.keysTable()))) {
        QString tag;
        QStringList fields;
        if (splitLine(line, &tag, &fields) && !blanksOf.contains(tag))
            blanksOf.insert(tag, int(fields.size()));
    }
    const QStringList papers = splitRecordText(QString::fromLatin1(file.papersTable()));
    QList<int> blanks;
    for (int p = 0; p < file.info().paperCount; ++p) {
        const qsizetype at = findTagLine(papers, QString::number(101 + p));
        QString tag;
        QStringList questions;
        int count = 0;
        if (at >= 0 && splitLine(papers.at(at), &tag, &questions)) {
            for (const QString& q : std::as_const(questions))
                count += blanksOf.value(q);
        }
        blanks << count;
    }
    return blanks;
}

} // namespace

QByteArray ResourceStore::moduleItem(int id, bool* found) const {
    *found = false;
    if (!m_modules)
        return QByteArray();
    if (id == DefinitionItem) {
        bool ok = false;
        QString base = QString::fromLatin1(itemBytesOnDisk(id, &ok));
        if (!ok)
            return QByteArray();
        QStringList lines = splitRecordText(base);
        static const char* const Headings[3] = {"LAH", "LBH", "LCH"};
        for (int slot : {1, 3}) {
            const ModuleFile* file = attachedModule(slot);
            if (!file)
                continue;
            const QString m = QString::number(slot);
            const QStringList tags = {QLatin1String(Headings[slot - 1]), QStringLiteral("TT") + m,
                                      QStringLiteral("TP") + m, QStringLiteral("TN") + m,
                                      QStringLiteral("PS") + m};
            lines.erase(std::remove_if(lines.begin(), lines.end(),
                                       [&](const QString& line) {
                                           QString tag;
                                           QStringList fields;
                                           return splitLine(line, &tag, &fields) &&
                                                  tags.contains(tag, Qt::CaseInsensitive);
                                       }),
                        lines.end());
            const ModuleInfo& info = file->info();
            lines << buildRecordLine(tags.at(0), {info.heading})
                  << buildRecordLine(tags.at(1), {QString::number(info.topicCount)})
                  << buildRecordLine(tags.at(2), {QString::number(info.paperCount)})
                  << buildRecordLine(tags.at(3), info.topicNames)
                  << buildRecordLine(tags.at(4), info.paperStamps);
        }
        *found = true;
        return recordLinesText(lines);
    }
    for (int slot : {1, 3}) {
        const ModuleFile* file = attachedModule(slot);
        if (!file)
            continue;
        bool ok = false;
        QByteArray bytes;
        const int table = id - (30000 + 10 * slot);
        const int templ = id - (30100 + 10 * slot);
        const int local = id - moduleQuestionItem(slot, 0);
        if (table >= 2 && table <= 5) {
            const char* const names[] = {ModuleEntry::Papers, ModuleEntry::Keys, ModuleEntry::Kinds,
                                         ModuleEntry::Marks};
            bytes = file->entry(QLatin1String(names[table - 2]), &ok);
            if (ok)
                bytes = mappedTable(bytes, slot, table == 2);
        } else if (templ == 1) {
            bytes = marksTemplateText(file->info().paperCount), ok = true;
        } else if (templ >= 2 && templ <= 5) {
            bytes = paperTemplateText(blanksPerPaper(*file)), ok = true;
        } else if (templ == 6) {
            bytes = trendTemplateText(), ok = true;
        } else if (local >= 1 && local <= ModuleMaxQuestionId) {
            bytes = file->document(local, &ok);
        } else {
            continue;
        }
        // A module's id is its own even when the module cannot give it.
        *found = true;
        return ok ? bytes : QByteArray();
    }
    return QByteArray();
}

bool ResourceStore::contains(int id) const {
    bool found = false;
    const QByteArray bytes = moduleItem(id, &found);
    return found ? !bytes.isNull() : !itemPath(id).isEmpty();
}

ResourceStore::ResourceStore(QString contentRoot) : m_root(std::move(contentRoot)) {
    while (m_root.size() > 2 && m_root.endsWith(QLatin1Char('/')))
        m_root.chop(1);
}

QString ResourceStore::itemPath(int id) const {
    if (id < 1 || id > MaxId)
        return QString();
    const QString graphics = graphicsFileName(id);
    if (!graphics.isEmpty()) {
        const QString path = m_root + QStringLiteral("/graphics/") + graphics;
        return isRegularFile(path) ? path : QString();
    }
    const QString stem = m_root + QStringLiteral("/store/") + QString::number(id);
    for (const char* suffix : {".txt", ".mht"}) {
        const QString path = stem + QLatin1String(suffix);
        if (isRegularFile(path))
            return path;
    }
    // Any other kind of item is found by its id as the file's base name.
    const QDir store(m_root + QStringLiteral("/store"));
    const QStringList matches =
        store.entryList({QString::number(id) + QStringLiteral(".*")}, QDir::Files, QDir::Name);
    for (const QString& name : matches) {
        if (QFileInfo(name).completeBaseName() == QString::number(id))
            return store.filePath(name);
    }
    return QString();
}

QByteArray ResourceStore::itemBytes(int id, bool* ok) const {
    if (m_modules) {
        bool found = false;
        QByteArray bytes = moduleItem(id, &found);
        if (found) {
            if (ok)
                *ok = !bytes.isNull();
            return bytes;
        }
    }
    return itemBytesOnDisk(id, ok);
}

QByteArray ResourceStore::itemBytesOnDisk(int id, bool* ok) const {
    if (ok)
        *ok = false;
    const QString path = itemPath(id);
    if (path.isEmpty())
        return QByteArray();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return QByteArray();
    if (ok)
        *ok = true;
    return bytes;
}

QList<int> ResourceStore::ids() const {
    QList<int> result;
    const QDir store(m_root + QStringLiteral("/store"));
    for (const QString& name : store.entryList(QDir::Files)) {
        bool ok = false;
        const int id = QFileInfo(name).completeBaseName().toInt(&ok);
        if (ok && id >= 1 && id <= MaxId && graphicsFileName(id).isEmpty())
            result.append(id);
    }
    for (const GraphicsItem& item : graphicsItems()) {
        if (isRegularFile(m_root + QStringLiteral("/graphics/") + QLatin1String(item.fileName)))
            result.append(item.id);
    }
    for (int slot : {1, 3}) {
        const ModuleFile* file = attachedModule(slot);
        if (!file)
            continue;
        for (int k = 2; k <= 5; ++k)
            result.append(30000 + 10 * slot + k);
        for (int k = 1; k <= 6; ++k)
            result.append(30100 + 10 * slot + k);
        for (int local : file->documentIds())
            result.append(moduleQuestionItem(slot, local));
        result.append(DefinitionItem);
    }
    std::sort(result.begin(), result.end());
    result.erase(std::unique(result.begin(), result.end()), result.end());
    return result;
}

ResourceStore::ExtractResult ResourceStore::ExtractResource(int id, const QString& type,
                                                            const QString& path,
                                                            Durability durability,
                                                            FileWriteOutcome* why) const {
    // Every item of the store is of the one type "Custom"; type names are
    // compared without regard to case, as resource type names are.
    if (type.compare(QLatin1String("Custom"), Qt::CaseInsensitive) != 0)
        return ExtractResult::UnknownType;
    bool ok = false;
    const QByteArray bytes = itemBytes(id, &ok);
    if (!ok)
        return ExtractResult::ItemAbsent;
    // Scratch files are written in place (a failed one is removed); durable
    // ones whole or not at all: the file afterwards holds exactly the item,
    // or what it held before.
    const FileWriteOutcome written = durability == Durability::Scratch
                                         ? writeScratchFile(path, bytes)
                                         : writeFileAtomically(path, bytes);
    if (why)
        *why = written;
    return written.ok() ? ExtractResult::Done : ExtractResult::WriteFailed;
}
