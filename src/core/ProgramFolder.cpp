#include "core/ProgramFolder.h"

#include <QDir>
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
