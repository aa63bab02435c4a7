#pragma once
// Where the program keeps its results, Graphics folder and temporary files: the
// executable's folder when it is writable, else the per-user data folder (an
// installed program lives in a read-only place).

#include <QString>

QString ResolveProgramFolder(const QString& executableFolder);
// Whether a file can be created in folder (tried, then removed).
bool FolderIsWritable(const QString& folder);
// Removes the scratch copies a run leaves in the program folder while it works
// (question documents "temppaper<id>.mht", the tables' "temptext.txt" and the
// definition's "temptext30000.txt", and the hidden new copies of files being
// replaced), left behind when a run was cut off.
// Only for the copy that holds the folder's lock. Returns how many went.
int RemoveLeftoverScratchFiles(const QString& programFolder);
