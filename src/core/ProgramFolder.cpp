#include "core/ProgramFolder.h"

#include "results/PupilRoster.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

bool folderIsWritable(const QString& folder, FileWriteOutcome* why) {
    FileWriteOutcome outcome;
    if (folder.isEmpty() || !QDir(folder).exists()) {
        outcome = FileWriteOutcome::fromErrno(ENOENT);
    } else {
        QByteArray name =
            QFile::encodeName(folder + QStringLiteral("/.quillora-write-test-XXXXXX"));
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) {
            outcome = FileWriteOutcome::fromErrno(errno);
        } else {
            ::close(fd);
            ::unlink(name.constData());
        }
    }
    if (why)
        *why = outcome;
    return outcome.ok();
}

QStringList resultsFilesIn(const QString& folder) {
    QStringList patterns;
    for (const char* stem :
         {"marks", "first", "second", "fresults", "sresults", "trend", "edition"})
        patterns.append(QLatin1String(stem) + QStringLiteral("[123]*.txt"));
    const QDir dir(folder);
    QStringList names = dir.entryList(patterns, QDir::Files, QDir::Name);
    // The pupils' results in their folders, then the list that names them:
    // copied in this order, the list comes once everything it names is there.
    for (const QString& sub :
         dir.entryList({QStringLiteral("pupil*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        for (const QString& name : QDir(dir.filePath(sub)).entryList(patterns, QDir::Files))
            names.append(sub + QLatin1Char('/') + name);
    }
    if (QFileInfo(dir.filePath(QLatin1String(PupilRoster::FileName))).isFile())
        names.append(QLatin1String(PupilRoster::FileName));
    return names;
}

QStringList copyResultsFiles(const QString& from, const QString& to, QString* reason) {
    QStringList failed;
    for (const QString& name : resultsFilesIn(from)) {
        QFile source(QDir(from).filePath(name));
        FileWriteOutcome written = FileWriteOutcome::fromErrno(EIO);
        if (source.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = source.readAll();
            const QString target = QDir(to).filePath(name);
            if (source.error() == QFileDevice::NoError && QDir().mkpath(QFileInfo(target).path()))
                written = writeFileAtomically(target, bytes);
        }
        if (written.ok())
            continue;
        if (reason && failed.isEmpty())
            *reason = written.reason();
        failed.append(name);
    }
    return failed;
}

ProgramFolderChoice chooseProgramFolder(const QString& executableFolder) {
    ProgramFolderChoice choice;
    FileWriteOutcome why;
    if (folderIsWritable(executableFolder, &why)) {
        choice.folder = executableFolder;
        return choice;
    }
    // Results left where the program can no longer write them are not
    // passed over in silence: the start-up says where they are.
    if (!resultsFilesIn(executableFolder).isEmpty()) {
        choice.strandedFolder = executableFolder;
        choice.strandedReason = why.reason();
    }
    choice.folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(choice.folder);
    return choice;
}

QString resolveProgramFolder(const QString& executableFolder) {
    return chooseProgramFolder(executableFolder).folder;
}

QString tablesScratchName() {
    return QStringLiteral("temptext.txt");
}

QString definitionScratchName() {
    return QStringLiteral("temptext30000.txt");
}

QString questionScratchName(const QString& id) {
    return QStringLiteral("temppaper") + id + QStringLiteral(".mht");
}

int removeLeftoverScratchFiles(const QString& programFolder) {
    const QDir folder(programFolder);
    int removed = 0;
    const QStringList names = folder.entryList({questionScratchName(QStringLiteral("*")),
                                                tablesScratchName(), definitionScratchName(),
                                                // a results file's new bytes, not yet put in place
                                                QStringLiteral(".*.new-??????")},
                                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (QFile::remove(folder.filePath(name)))
            ++removed;
    }
    return removed;
}
