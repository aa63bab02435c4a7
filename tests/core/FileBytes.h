#pragma once
// Reading and writing a whole file in a test, shared by the program's tests
// and the tools' tests.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace TestFiles {

// A file's bytes ("<missing>" when it cannot be read).
inline QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace TestFiles
