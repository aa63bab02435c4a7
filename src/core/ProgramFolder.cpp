#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

bool FolderIsWritable(const QString& folder) {
    if (folder.isEmpty() || !QDir(folder).exists())
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.quillora-write-test-XXXXXX"));
    // Removed again when probe goes out of scope.
    return probe.open();
}

QString ResolveProgramFolder(const QString& executableFolder) {
    if (FolderIsWritable(executableFolder))
        return executableFolder;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

int RemoveLeftoverScratchFiles(const QString& programFolder) {
    const QDir folder(programFolder);
    int removed = 0;
    const QStringList names =
        folder.entryList({QStringLiteral("temppaper*.mht"), QStringLiteral("temptext.txt"),
                          QStringLiteral("temptext30000.txt"),
                          // a results file's new bytes, not yet put in place
                          QStringLiteral(".*.new-??????")},
                         QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (QFile::remove(folder.filePath(name)))
            ++removed;
    }
    return removed;
}
