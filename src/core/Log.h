#pragma once
// The program's logging category, "quillora"; QT_LOGGING_RULES filters it
// like any other ("quillora.debug=false"). Its lines go to standard error,
// each led by "quillora: " (the README says where a parent finds them).

#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcQuillora)

// One warning line for a failure the user is told about, logged where the
// window turns it into words: what failed, the file or folder it concerns,
// and the system's reason ("the disk is full"); empty parts are left out.
void logFailure(const QString& what, const QString& path = QString(),
                const QString& reason = QString());
