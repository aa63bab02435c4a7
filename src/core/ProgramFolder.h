#pragma once
// Where the program keeps its results, Graphics folder and temporary files: the
// executable's folder when it is writable, else the per-user data folder (an
// installed program lives in a read-only place).

#include <QString>

QString ResolveProgramFolder(const QString& executableFolder);
// Whether a file can be created in folder (tried, then removed).
bool FolderIsWritable(const QString& folder);
