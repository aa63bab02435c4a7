#pragma once
// The window graphics items 1..92 and their file names in the Graphics folder.

#include <QString>
#include <QStringList>
#include <vector>

struct GraphicsItem {
    int id;
    const char* fileName;
};

const std::vector<GraphicsItem>& graphicsItems();
// File name of graphics id, or empty for an id that is not a graphics item.
QString graphicsFileName(int id);
// Id of a graphics file name (exact match), or 0.
int graphicsId(const QString& fileName);

// Writes every graphics item into programFolder + "/Graphics/", creating the
// folder and its parents. A file already holding exactly the item's bytes is
// not rewritten; a changed or deleted one is restored. Returns the file names
// that could not be written (empty when all are in place).
class ResourceStore;
QStringList ExtractGraphics(const ResourceStore& store, const QString& programFolder);
QString graphicsFolder(const QString& programFolder);
