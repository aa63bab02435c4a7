#pragma once
// Reduces a picture to at most 256 palette entries for GIF, deterministically:
// exact palette when the picture has few enough colours, median cut otherwise
// (no dithering, ties broken by colour value, so the same picture always gives
// the same bytes). Pixels with alpha below 128 become the transparent entry.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

struct IndexedPicture {
    int width = 0;
    int height = 0;
    QList<QRgb> palette;       // opaque colours; the transparent entry is included
    QByteArray indices;        // width * height palette indices, row by row
    int transparentIndex = -1; // -1 when every pixel is opaque
};

class ColourQuantiser {
public:
    static IndexedPicture quantise(const QImage& picture, int maxColours = 256);
};
