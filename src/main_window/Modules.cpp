#include "main_window/Modules.h"

#include "core/AtomicWrite.h"
#include "core/ModuleCheck.h"
#include "core/ModuleFile.h"
#include "core/ResourceStore.h"
#include "main_window/Startup.h"
#include "results/EditionUpgrade.h"
#include "results/ResultsFiles.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

// So many of the check's problems fit the dialog; the rest are counted.
constexpr int ShownProblems = 6;

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Moves from[i] to to[i] in order; on the first that fails, the ones moved
// go back and *failed names it.
bool moveAll(const QStringList& from, const QStringList& to, QString* failed) {
    for (int i = 0; i < from.size(); ++i) {
        const bool moved =
            QDir().mkpath(QFileInfo(to.at(i)).path()) && QFile::rename(from.at(i), to.at(i));
        if (!moved) {
            *failed = from.at(i);
            for (int j = i - 1; j >= 0; --j)
                QFile::rename(to.at(j), from.at(j));
            return false;
        }
    }
    return true;
}

} // namespace

Modules::Outcome Modules::refused(Outcome outcome, Problem problem, const QString& file,
                                  const QString& reason, const QStringList& messages) {
    outcome.problem = problem;
    if (!file.isEmpty())
        outcome.file = file;
    outcome.reason = reason;
    outcome.messages << messages;
    return outcome;
}

Modules::Modules(QString dataFolder, QStringList pupilFolders)
    : m_folder(std::move(dataFolder)), m_pupils(std::move(pupilFolders)) {}

bool Modules::attach(int slot, const QString& path, ResourceStore& store, QString* why) {
    const ModuleFile file = ModuleFile::open(path);
    if (!file.ok()) {
        *why = file.message();
        return false;
    }
    if (!store.attachModule(slot, file)) {
        *why = QStringLiteral("the program could not read its contents");
        return false;
    }
    Loaded loaded;
    loaded.slot = slot;
    loaded.path = path;
    loaded.id = file.info().mid;
    loaded.version = file.info().version;
    loaded.heading = file.info().heading;
    loaded.author = file.info().author;
    m_loaded.removeIf([slot](const Loaded& l) { return l.slot == slot; });
    m_loaded << loaded;
    std::sort(m_loaded.begin(), m_loaded.end(),
              [](const Loaded& a, const Loaded& b) { return a.slot < b.slot; });
    return true;
}

Modules::Outcome Modules::check(const QString& path, QByteArray* bytes, ModuleInfo* info) {
    Outcome outcome;
    outcome.file = path;
    // Read whole only when it is within the size a module may have: the
    // bytes checked are the bytes copied.
    ModuleFile file;
    QFile in(path);
    if (QFileInfo(path).size() > ModuleLimits().fileBytes || !in.open(QIODevice::ReadOnly)) {
        file = ModuleFile::open(path);
    } else {
        *bytes = in.readAll();
        file = ModuleFile::fromBytes(*bytes);
    }
    if (!file.ok())
        return refused(outcome, Problem::Invalid, outcome.file, QString(), {file.message()});
    const ModuleCheckResult checked = checkModule(file, ShownProblems);
    if (!checked.ok())
        return refused(outcome, Problem::Invalid, outcome.file, QString(), {checked.text()});
    *info = file.info();
    return outcome;
}

QStringList Modules::attachAll(ResourceStore& store) {
    QStringList leftOut;
    m_loaded.clear();
    for (int slot : {1, 3}) {
        const QString path = QDir(m_folder).filePath(slotFileName(slot));
        if (!QFileInfo::exists(path))
            continue;
        QString why;
        if (!attach(slot, path, store, &why)) {
            leftOut << QStringLiteral("The module in the file %1 is left out: %2 The other "
                                      "modules can be used as usual.")
                           .arg(native(path), why);
        }
    }
    return leftOut;
}

const Modules::Loaded* Modules::find(int slot) const {
    for (const Loaded& loaded : m_loaded) {
        if (loaded.slot == slot)
            return &loaded;
    }
    return nullptr;
}

int Modules::freeSlot() const {
    for (int slot : FreeOrder) {
        if (!find(slot))
            return slot;
    }
    return 0;
}

QStringList Modules::pupilFilesOf(int slot, const QString& code) const {
    QStringList files;
    for (const QString& pupil : m_pupils) {
        for (int k = 0; k < ResultsFileCount; ++k)
            files << resultsFilePath(pupil, static_cast<ResultsFile>(k), slot, code);
        files << EditionUpgrade::markFilePath(pupil, slot, code);
    }
    files.erase(std::remove_if(files.begin(), files.end(),
                               [](const QString& f) { return !QFileInfo::exists(f); }),
                files.end());
    return files;
}

QString Modules::removedFolderFor(int slot) const {
    const QString base =
        QDir(m_folder).filePath(QLatin1String(RemovedFolderName)) +
        QStringLiteral("/module%1 %2").arg(slot).arg(QDate::currentDate().toString(Qt::ISODate));
    // A second removal on the same day keeps the first one's files.
    QString folder = base;
    for (int n = 2; QFileInfo::exists(folder); ++n)
        folder = base + QStringLiteral(" (%1)").arg(n);
    return folder;
}

// Where a pupil's file goes inside the dated folder: under the pupil's own
// folder name, so two pupils' files never meet.
static QStringList asideOf(const QStringList& files, const QString& aside) {
    QStringList to;
    for (const QString& file : files) {
        const QFileInfo info(file);
        to << aside + QLatin1Char('/') + QFileInfo(info.path()).fileName() + QLatin1Char('/') +
                  info.fileName();
    }
    return to;
}

QString Modules::programCode(const ResourceStore& store) const {
    return readProgramDefinition(store, m_folder).definition.programCode;
}

Modules::Outcome Modules::finish(Outcome outcome, ResourceStore& store, bool upgrade) const {
    const DefinitionRead read = readProgramDefinition(store, m_folder);
    outcome.definition = read.definition;
    // Every pupil's files of the module from its templates; after a
    // replacement the answers to changed papers go.
    for (const QString& pupil : m_pupils) {
        const Startup::PupilOutcome prepared = Startup::preparePupil(store, pupil, read.definition);
        if (!prepared.ok())
            return refused(outcome, Problem::ResultsNotMade, pupil, prepared.reason);
        if (upgrade) {
            for (int paper : prepared.upgrade.clearedPapers) {
                if (!outcome.clearedPapers.contains(paper))
                    outcome.clearedPapers << paper;
            }
        }
    }
    std::sort(outcome.clearedPapers.begin(), outcome.clearedPapers.end());
    return outcome;
}

Modules::Outcome Modules::add(const QString& file, ResourceStore& store) {
    Outcome outcome;
    outcome.file = file;
    outcome.slot = freeSlot();
    if (!outcome.slot)
        return refused(outcome, Problem::NoFreeSlot);
    QByteArray bytes;
    ModuleInfo info;
    const Outcome checked = check(file, &bytes, &info);
    if (!checked.ok())
        return checked;
    for (const Loaded& loaded : m_loaded) {
        if (loaded.id == info.mid)
            return refused(outcome, Problem::AlreadyLoaded, outcome.file, QString(),
                           {loaded.heading});
    }
    const QString code = programCode(store);
    // Files an earlier module of this slot left behind (a removal cut off)
    // must not pass for the new module's.
    const QStringList stale = pupilFilesOf(outcome.slot, code);
    QString failed;
    if (!stale.isEmpty() &&
        !moveAll(stale, asideOf(stale, removedFolderFor(outcome.slot)), &failed))
        return refused(outcome, Problem::NotSetAside, failed);
    const QString target = QDir(m_folder).filePath(slotFileName(outcome.slot));
    const FileWriteOutcome written = writeFileAtomically(target, bytes);
    if (!written.ok())
        return refused(outcome, Problem::NotCopied, target, written.reason());
    QString why;
    if (!attach(outcome.slot, target, store, &why)) {
        QFile::remove(target);
        return refused(outcome, Problem::NotAttached, target, why);
    }
    return finish(outcome, store, false);
}

Modules::Outcome Modules::replace(int slot, const QString& file, ResourceStore& store) {
    Outcome outcome;
    outcome.file = file;
    outcome.slot = slot;
    const Loaded* old = find(slot);
    if (!old)
        return refused(outcome, Problem::NotLoaded);
    QByteArray bytes;
    ModuleInfo info;
    const Outcome checked = check(file, &bytes, &info);
    if (!checked.ok())
        return checked;
    if (info.mid != old->id)
        return refused(outcome, Problem::OtherModule, outcome.file, QString(),
                       {old->heading, info.heading});
    if (info.version <= old->version)
        return refused(outcome, Problem::NotNewer, outcome.file, QString(),
                       {QString::number(old->version), QString::number(info.version)});
    // The old file is kept beside until the new one is attached, so that a
    // refusal on the way leaves the module as it was.
    const QString target = old->path;
    const QString previous = target + QStringLiteral(".previous");
    QFile::remove(previous);
    if (!QFile::rename(target, previous))
        return refused(outcome, Problem::NotCopied, target);
    const FileWriteOutcome written = writeFileAtomically(target, bytes);
    QString why;
    if (!written.ok() || !attach(slot, target, store, &why)) {
        const QString reason = written.ok() ? why : written.reason();
        QFile::remove(target);
        QFile::rename(previous, target);
        attach(slot, target, store, &why);
        return refused(outcome, written.ok() ? Problem::NotAttached : Problem::NotCopied, target,
                       reason);
    }
    QFile::remove(previous);
    return finish(outcome, store, true);
}

Modules::Outcome Modules::remove(int slot, ResourceStore& store) {
    Outcome outcome;
    outcome.slot = slot;
    const Loaded* loaded = find(slot);
    if (!loaded)
        return refused(outcome, Problem::NotLoaded);
    const QString path = loaded->path;
    const QString aside = removedFolderFor(slot);
    // Everything moves or nothing does.
    QStringList from = pupilFilesOf(slot, programCode(store));
    QStringList to = asideOf(from, aside);
    from << path;
    to << aside + QLatin1Char('/') + slotFileName(slot);
    QString failed;
    if (!moveAll(from, to, &failed))
        return refused(outcome, Problem::NotSetAside, failed);
    store.detachModule(slot);
    m_loaded.removeIf([slot](const Loaded& l) { return l.slot == slot; });
    outcome.removedFolder = aside;
    return finish(outcome, store, false);
}

int Modules::markedPapers(int slot, const ProgramDefinition& definition) const {
    if (!definition.moduleExists(slot))
        return 0;
    int marked = 0;
    for (const QString& pupil : m_pupils) {
        const Read<MarksRecords> marks =
            readMarksFile(resultsFilePath(pupil, ResultsFile::Marks, slot, definition.programCode),
                          definition.module(slot).paperCount);
        marked += int(marks.value.FST.count(QStringLiteral("1")));
    }
    return marked;
}

QString Modules::problemText(const Outcome& outcome) {
    const QString file = native(outcome.file);
    const QString because =
        outcome.reason.isEmpty() ? QString() : QStringLiteral(", because ") + outcome.reason;
    const QString name = QFileInfo(outcome.file).fileName();
    switch (outcome.problem) {
    case Problem::None:
        break;
    case Problem::Invalid:
        return QStringLiteral("The file %1 cannot be used as a module, so nothing has been "
                              "changed.\n%2")
            .arg(name, outcome.messages.join(QLatin1Char('\n')));
    case Problem::NoFreeSlot:
        return QStringLiteral("Two modules are loaded already, which is all the program has room "
                              "for. Remove one of them first.");
    case Problem::AlreadyLoaded:
        return QStringLiteral("The module \"%1\" is loaded already. To bring in a newer "
                              "version of it, use \"Replace\u2026\" beside it. Nothing has been "
                              "changed.")
            .arg(outcome.messages.value(0));
    case Problem::NotLoaded:
        return QStringLiteral("There is no module there to change.");
    case Problem::OtherModule:
        return QStringLiteral("The file %1 holds the module \"%2\", not a newer version of "
                              "\"%3\", so it cannot replace it. To use both, add it as a "
                              "module of its own. Nothing has been changed.")
            .arg(name, outcome.messages.value(1), outcome.messages.value(0));
    case Problem::NotNewer:
        return QStringLiteral("The file %1 holds version %2 of this module, and version %3 is "
                              "loaded: only a higher version can replace it. Nothing has been "
                              "changed.")
            .arg(name, outcome.messages.value(1), outcome.messages.value(0));
    case Problem::NotCopied:
        return QStringLiteral("The module could not be copied to %1%2. Please check that the "
                              "folder can be written to. Nothing has been changed.")
            .arg(file, because);
    case Problem::NotAttached:
        return QStringLiteral("The module copied to %1 could not be opened%2. Nothing has been "
                              "changed.")
            .arg(file, because);
    case Problem::NotSetAside:
        return QStringLiteral("The file %1 could not be moved into the folder \"removed\". "
                              "Please check that the folder can be written to. Nothing has "
                              "been changed.")
            .arg(file);
    case Problem::ResultsNotMade:
        return QStringLiteral("The module is loaded, but the results files of the pupil in %1 "
                              "could not be made%2. Please check that the folder can be "
                              "written to, then start the program again.")
            .arg(file, because);
    }
    return QString();
}
