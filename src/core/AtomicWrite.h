#pragma once
// Replaces a file's whole content so that a crash leaves either the old bytes
// or the new ones, never a part: written beside it, flushed to the disk, then
// renamed over it.

#include <QByteArray>
#include <QString>

// False, with the file as it was, when it could not be written.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);
