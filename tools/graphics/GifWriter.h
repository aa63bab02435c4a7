#pragma once
// GIF89a through giflib: one frame, a global colour table from
// ColourQuantiser and, when the picture has transparent pixels, a graphics
// control extension naming the transparent entry.

#include <QByteArray>
#include <QImage>
#include <QString>

class GifWriter {
public:
    // Empty result and *error set when giflib fails.
    static QByteArray encode(const QImage& picture, QString* error = nullptr);
};
