#pragma once
// Uncompressed 24-bit BMP (BITMAPINFOHEADER, bottom-up rows padded to four
// bytes, 96 dpi). Written by hand so that the bytes never depend on Qt's writer.

#include <QByteArray>
#include <QImage>

class BmpWriter {
public:
    // Alpha is dropped: the picture must already be opaque.
    static QByteArray encode(const QImage& image);
};
