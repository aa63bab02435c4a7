#pragma once
// Every window graphics item by id (1..92, 38..40 unused) with its file name,
// its container format and the pictures it is made of, and the program icon
// set for the desktop.

#include "ControlArt.h"
#include "FontSet.h"
#include "PictureArt.h"
#include "ToolIcons.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <functional>

struct GraphicsEntry {
    enum class Format { Bmp, Ico, Gif };
    int id = 0;
    QString fileName;
    Format format = Format::Bmp;
    // One picture for BMP and GIF; the icon sizes, smallest first, for ICO.
    std::function<QList<QImage>()> pictures;
};

class GraphicsCatalogue {
public:
    explicit GraphicsCatalogue(const FontSet& fonts);

    const QList<GraphicsEntry>& entries() const { return m_entries; }
    // The file's bytes; empty with *error when encoding fails.
    static QByteArray encode(const GraphicsEntry& entry, QString* error);

    // Desktop icon sizes and the picture for each.
    static QList<int> iconSizes() { return {16, 24, 32, 48, 64, 128, 256}; }
    QImage programIcon(int size) const { return m_pictures.programIcon(size); }

private:
    void add(int id, const QString& fileName, GraphicsEntry::Format format,
             std::function<QList<QImage>()> pictures);
    void addToolButtons();
    void addFrame();
    void addControls();
    void addPictures();

    ToolIcons m_icons;
    ControlArt m_controls;
    PictureArt m_pictures;
    QList<GraphicsEntry> m_entries;
};
