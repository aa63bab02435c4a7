#include "core/Log.h"

#include <QDir>

Q_LOGGING_CATEGORY(lcQuillora, "quillora")

void logFailure(const QString& what, const QString& path, const QString& reason) {
    QString line = what;
    if (!path.isEmpty())
        line += QStringLiteral(": ") + QDir::toNativeSeparators(path);
    if (!reason.isEmpty())
        line += QStringLiteral(": ") + reason;
    qCWarning(lcQuillora).noquote() << line;
}
