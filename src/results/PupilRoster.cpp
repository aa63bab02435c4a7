#include "results/PupilRoster.h"

#include "core/AtomicWrite.h"
#include "core/Log.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {
// Ids stay far below any number a folder name could overflow with.
constexpr int MaxId = 999999;

// "pupil12" -> 12; 0 for any other name.
int idOfFolderName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^pupil([1-9][0-9]{0,5})$"));
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// The results files of any module and program code ("marks2QMP.txt", ...),
// and the mark of the edition their answers belong to.
QStringList resultsFileNames(const QString& folder) {
    static const QRegularExpression pattern(
        QStringLiteral("^(marks|first|second|fresults|sresults|trend|edition)[1-3][^/]*\\.txt$"));
    QStringList names;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        if (pattern.match(name).hasMatch())
            names.append(name);
    }
    return names;
}

QList<int> folderIds(const QString& folder) {
    QList<int> ids;
    for (const QString& name : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (const int id = idOfFolderName(name))
            ids.append(id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

// Two names are the same pupil's when they read the same: case, the coding
// of accents and runs of spaces do not count.
QString nameKey(const QString& name) {
    return name.normalized(QString::NormalizationForm_C).simplified().toCaseFolded();
}
} // namespace

PupilRoster::PupilRoster(QString resultsFolder) : m_folder(std::move(resultsFolder)) {}

const Pupil* PupilRoster::find(int id) const {
    for (const Pupil& pupil : m_pupils) {
        if (pupil.id == id)
            return &pupil;
    }
    return nullptr;
}

QList<Pupil> PupilRoster::pickerOrder() const {
    QList<Pupil> order;
    if (const Pupil* last = find(m_last))
        order.append(*last);
    for (const Pupil& pupil : m_pupils) {
        if (pupil.id != m_last)
            order.append(pupil);
    }
    return order;
}

QString PupilRoster::folderOf(int id) const {
    return m_folder + QLatin1Char('/') + folderName(id);
}

QString PupilRoster::removedFolderOf(int id) const {
    return m_folder + QLatin1Char('/') + QLatin1String(RemovedFolderName) + QLatin1Char('/') +
           folderName(id);
}

QString PupilRoster::shownName(int id) const {
    const Pupil* pupil = find(id);
    if (!pupil || (m_pupils.size() == 1 && pupil->name == defaultName(id)))
        return QString();
    return pupil->name;
}

PupilRoster::Outcome PupilRoster::checkName(const QString& typed, int exceptId) const {
    const QString name = typed.trimmed();
    if (name.isEmpty())
        return {Problem::EmptyName};
    if (name.size() > MaxNameLength)
        return {Problem::NameTooLong};
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return {Problem::NameHasBreaks};
    }
    const QString key = nameKey(name);
    for (const Pupil& pupil : m_pupils) {
        if (pupil.id != exceptId && nameKey(pupil.name) == key)
            return {Problem::DuplicateName};
    }
    return {};
}

QString PupilRoster::problemText(Problem problem, const QString& name) {
    switch (problem) {
    case Problem::EmptyName:
        return QStringLiteral("Please type the pupil's name first.");
    case Problem::NameTooLong:
        return QStringLiteral("That name is too long: a name can have at most %1 letters.")
            .arg(MaxNameLength);
    case Problem::NameHasBreaks:
        return QStringLiteral("A name must be on one line, without tabs or line breaks.");
    case Problem::DuplicateName:
        return QStringLiteral("There is already a pupil called %1. Please choose a name that "
                              "tells them apart, for example with an initial.")
            .arg(name.trimmed());
    case Problem::UnknownPupil:
        return QStringLiteral("That pupil is no longer in the list.");
    case Problem::OnlyPupil:
        return QStringLiteral("%1 is the only pupil, so cannot be removed. You can rename them, "
                              "or erase their results on the Trash page.")
            .arg(name);
    case Problem::FolderNotMade:
        return QStringLiteral("A folder for %1's results could not be made in the results "
                              "folder. Please check that it can be written to.")
            .arg(name.trimmed());
    case Problem::FolderNotMoved:
        return QStringLiteral("%1's results could not be set aside, so %1 is still in the list. "
                              "Please check that the results folder can be written to.")
            .arg(name);
    case Problem::NotWritten:
        return QStringLiteral("The list of pupils could not be saved, so nothing was changed. "
                              "Please check that the results folder can be written to.");
    case Problem::None:
        break;
    }
    return QString();
}

int PupilRoster::takeId() {
    return m_nextId++;
}

QString PupilRoster::uniqueDefaultName(int id) const {
    QString name = defaultName(id);
    for (int k = 2; !checkName(name).ok(); ++k)
        name = defaultName(id) + QStringLiteral(" (%1)").arg(k);
    return name;
}

bool PupilRoster::readFile(bool* damaged) {
    *damaged = false;
    QFile file(m_folder + QLatin1Char('/') + QLatin1String(FileName));
    if (!file.exists())
        return false;
    QJsonParseError error{};
    const QJsonDocument document = file.open(QIODevice::ReadOnly)
                                       ? QJsonDocument::fromJson(file.readAll(), &error)
                                       : QJsonDocument();
    const QJsonObject root = document.object();
    QSet<int> seen;
    auto validId = [&seen](const QJsonValue& value) {
        const int id = value.toInt();
        return id >= 1 && id <= MaxId && !seen.contains(id);
    };
    for (const QJsonValue& entry : root.value(QStringLiteral("pupils")).toArray()) {
        const QJsonObject object = entry.toObject();
        const QString name = object.value(QStringLiteral("name")).toString();
        if (!validId(object.value(QStringLiteral("id"))) || !checkName(name).ok()) {
            *damaged = true;
            continue;
        }
        seen.insert(object.value(QStringLiteral("id")).toInt());
        m_pupils.append({object.value(QStringLiteral("id")).toInt(), name.trimmed()});
    }
    for (const QJsonValue& entry : root.value(QStringLiteral("removed")).toArray()) {
        const QJsonObject object = entry.toObject();
        if (!validId(object.value(QStringLiteral("id"))))
            continue;
        seen.insert(object.value(QStringLiteral("id")).toInt());
        m_removed.append({object.value(QStringLiteral("id")).toInt(),
                          object.value(QStringLiteral("name")).toString(),
                          object.value(QStringLiteral("removedOn")).toString()});
    }
    m_last = root.value(QStringLiteral("last")).toInt();
    m_nextId = qBound(1, root.value(QStringLiteral("nextId")).toInt(), MaxId);
    if (document.isNull() || !root.value(QStringLiteral("pupils")).isArray())
        *damaged = true;
    if (*damaged) {
        // Kept for a look by hand; the list is made again from the folders.
        const QString aside = file.fileName() + QStringLiteral(".damaged");
        QFile::remove(aside);
        QFile::copy(file.fileName(), aside);
        qCWarning(lcQuillora) << "pupils file damaged:" << error.errorString() << "copy in"
                              << aside;
    }
    return true;
}

PupilRoster::LoadReport PupilRoster::load() {
    LoadReport report;
    m_pupils.clear();
    m_removed.clear();
    m_last = 0;
    m_nextId = 1;
    bool damaged = false;
    const bool hadFile = readFile(&damaged);
    report.rebuilt = damaged;
    bool changed = !hadFile || damaged;

    if (!hadFile) {
        // Results of before: the first pupil's. Each file is moved whole (a
        // rename), so a cut-off run leaves it in one place or the other, and
        // the pupils file is written only once all of them are in place.
        const QString first = folderOf(1);
        QDir().mkpath(first);
        for (const QString& name : resultsFileNames(m_folder)) {
            const QString to = first + QLatin1Char('/') + name;
            if (!QFileInfo::exists(to) && QFile::rename(m_folder + QLatin1Char('/') + name, to))
                ++report.migratedFiles;
        }
    }

    // A listed pupil whose folder is now set aside was being removed when
    // the run stopped: the removal is finished.
    for (int k = m_pupils.size() - 1; k >= 0; --k) {
        const Pupil pupil = m_pupils.at(k);
        if (QFileInfo(folderOf(pupil.id)).isDir())
            continue;
        if (QFileInfo(removedFolderOf(pupil.id)).isDir()) {
            m_removed.append({pupil.id, pupil.name, QDate::currentDate().toString(Qt::ISODate)});
            m_pupils.removeAt(k);
            changed = true;
        } else {
            report.missing.append(pupil.name);
        }
    }

    // A folder the list does not hold: results put back by hand (a removed
    // pupil brought back, a backup), or the list was lost. An empty one is
    // only an addition cut off before it was listed.
    const QList<int> ids = folderIds(m_folder);
    for (const int id : ids) {
        if (find(id) || resultsFileNames(folderOf(id)).isEmpty())
            continue;
        QString name;
        for (int k = 0; k < m_removed.size(); ++k) {
            if (m_removed.at(k).id == id && checkName(m_removed.at(k).name).ok()) {
                name = m_removed.at(k).name.trimmed();
                m_removed.removeAt(k);
                break;
            }
        }
        if (name.isEmpty())
            name = uniqueDefaultName(id);
        m_pupils.append({id, name});
        if (!(id == 1 && !hadFile))
            report.adopted.append(name);
        changed = true;
    }
    std::sort(m_pupils.begin(), m_pupils.end(),
              [](const Pupil& a, const Pupil& b) { return a.id < b.id; });

    // No id is given twice, whatever lies in the folders.
    int highest = 0;
    for (const int id : ids + folderIds(m_folder + QLatin1Char('/') + RemovedFolderName))
        highest = qMax(highest, id);
    for (const Removed& removed : m_removed)
        highest = qMax(highest, removed.id);
    for (const Pupil& pupil : m_pupils)
        highest = qMax(highest, pupil.id);
    m_nextId = qMax(m_nextId, highest + 1);

    if (m_pupils.isEmpty()) {
        // An empty folder left unlisted (the first start made it) is used
        // rather than left lying beside a new one.
        int id = 0;
        for (const int candidate : folderIds(m_folder)) {
            if (std::none_of(m_removed.begin(), m_removed.end(),
                             [candidate](const Removed& r) { return r.id == candidate; })) {
                id = candidate;
                break;
            }
        }
        if (!id)
            id = takeId();
        QDir().mkpath(folderOf(id));
        m_pupils.append({id, uniqueDefaultName(id)});
        changed = true;
    }
    if (!find(m_last)) {
        m_last = m_pupils.first().id;
        changed = true;
    }
    if (changed)
        report.written = save();
    return report;
}

bool PupilRoster::save() {
    QJsonArray pupils;
    for (const Pupil& pupil : m_pupils) {
        pupils.append(QJsonObject{{QStringLiteral("id"), pupil.id},
                                  {QStringLiteral("name"), pupil.name},
                                  {QStringLiteral("folder"), folderName(pupil.id)}});
    }
    QJsonArray removed;
    for (const Removed& entry : m_removed) {
        removed.append(QJsonObject{
            {QStringLiteral("id"), entry.id},
            {QStringLiteral("name"), entry.name},
            {QStringLiteral("folder"),
             QString(QLatin1String(RemovedFolderName) + QLatin1Char('/') + folderName(entry.id))},
            {QStringLiteral("removedOn"), entry.on}});
    }
    // "folder" is for a reader of the file; the program takes the folder
    // from the id alone.
    const QJsonObject root{{QStringLiteral("pupils"), pupils},
                           {QStringLiteral("removed"), removed},
                           {QStringLiteral("last"), m_last},
                           {QStringLiteral("nextId"), m_nextId}};
    const FileWriteOutcome written =
        writeFileAtomically(m_folder + QLatin1Char('/') + QLatin1String(FileName),
                            QJsonDocument(root).toJson(QJsonDocument::Indented));
    if (!written.ok())
        qCWarning(lcQuillora) << "pupils file not written:" << written.reason();
    return written.ok();
}

PupilRoster::Outcome PupilRoster::add(const QString& typed, int* newId) {
    const Outcome check = checkName(typed);
    if (!check.ok())
        return check;
    const PupilRoster before = *this;
    const int id = takeId();
    // The folder first: a pupil listed without one would look like a pupil
    // whose results were lost.
    if (!QDir().mkpath(folderOf(id))) {
        *this = before;
        return {Problem::FolderNotMade};
    }
    m_pupils.append({id, typed.trimmed()});
    if (!save()) {
        QDir().rmdir(folderOf(id));
        *this = before;
        return {Problem::NotWritten};
    }
    if (newId)
        *newId = id;
    return {};
}

PupilRoster::Outcome PupilRoster::rename(int id, const QString& typed) {
    if (!find(id))
        return {Problem::UnknownPupil};
    const Outcome check = checkName(typed, id);
    if (!check.ok())
        return check;
    const PupilRoster before = *this;
    for (Pupil& pupil : m_pupils) {
        if (pupil.id == id)
            pupil.name = typed.trimmed();
    }
    if (!save()) {
        *this = before;
        return {Problem::NotWritten};
    }
    return {};
}

PupilRoster::Outcome PupilRoster::remove(int id) {
    const Pupil* pupil = find(id);
    if (!pupil)
        return {Problem::UnknownPupil};
    if (m_pupils.size() == 1)
        return {Problem::OnlyPupil};
    // The folder is set aside first and the list written after: a run cut
    // off between the two is finished by the next Load.
    const QString aside = removedFolderOf(id);
    if (QFileInfo::exists(aside) || !QDir().mkpath(QFileInfo(aside).path()) ||
        (QFileInfo(folderOf(id)).isDir() && !QDir().rename(folderOf(id), aside)))
        return {Problem::FolderNotMoved};
    const PupilRoster before = *this;
    m_removed.append({id, pupil->name, QDate::currentDate().toString(Qt::ISODate)});
    m_pupils.removeIf([id](const Pupil& p) { return p.id == id; });
    if (m_last == id)
        m_last = m_pupils.first().id;
    if (!save()) {
        QDir().rename(aside, before.folderOf(id));
        *this = before;
        return {Problem::NotWritten};
    }
    return {};
}

PupilRoster::Outcome PupilRoster::choose(int id) {
    if (!find(id))
        return {Problem::UnknownPupil};
    if (m_last == id)
        return {};
    const int before = m_last;
    m_last = id;
    if (!save()) {
        m_last = before;
        return {Problem::NotWritten};
    }
    return {};
}
