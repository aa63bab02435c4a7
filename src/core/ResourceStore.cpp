#include "core/ResourceStore.h"

#include "core/GraphicsTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// Ids are 16-bit; anything outside is not an item.
constexpr int MaxId = 65535;

bool isRegularFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

} // namespace

ResourceStore::ResourceStore(QString contentRoot) : m_root(std::move(contentRoot)) {
    while (m_root.size() > 2 && m_root.endsWith(QLatin1Char('/')))
        m_root.chop(1);
}

QString ResourceStore::itemPath(int id) const {
    if (id < 1 || id > MaxId)
        return QString();
    const QString graphics = GraphicsFileName(id);
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
        if (ok && id >= 1 && id <= MaxId && GraphicsFileName(id).isEmpty())
            result.append(id);
    }
    for (const GraphicsItem& item : GraphicsItems()) {
        if (isRegularFile(m_root + QStringLiteral("/graphics/") + QLatin1String(item.fileName)))
            result.append(item.id);
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
                                         ? WriteScratchFile(path, bytes)
                                         : WriteFileAtomically(path, bytes);
    if (why)
        *why = written;
    return written.ok() ? ExtractResult::Done : ExtractResult::WriteFailed;
}
