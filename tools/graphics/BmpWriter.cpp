#include "BmpWriter.h"

#include "ArtKit.h"
#include "ByteSink.h"

namespace {
constexpr int FileHeaderBytes = 14;
constexpr int InfoHeaderBytes = 40;
constexpr int PixelsPerMetre96Dpi = 3780;
} // namespace

QByteArray BmpWriter::encode(const QImage& image) {
    const QImage rgb = ArtKit::straightAlpha(image);
    const int width = rgb.width();
    const int height = rgb.height();
    const int rowBytes = (width * 3 + 3) & ~3;
    const quint32 pixelBytes = quint32(rowBytes) * quint32(height);
    const quint32 offset = FileHeaderBytes + InfoHeaderBytes;

    ByteSink out;
    out.bytes("BM", 2);
    out.u32(offset + pixelBytes);
    out.u32(0); // two reserved words
    out.u32(offset);

    out.u32(InfoHeaderBytes);
    out.i32(width);
    out.i32(height); // positive: rows stored bottom-up
    out.u16(1);      // planes
    out.u16(24);     // bits per pixel
    out.u32(0);      // BI_RGB, no compression
    out.u32(pixelBytes);
    out.i32(PixelsPerMetre96Dpi);
    out.i32(PixelsPerMetre96Dpi);
    out.u32(0); // colours used
    out.u32(0); // important colours

    for (int y = height - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out.u8(quint8(qBlue(line[x])));
            out.u8(quint8(qGreen(line[x])));
            out.u8(quint8(qRed(line[x])));
        }
        for (int pad = width * 3; pad < rowBytes; ++pad)
            out.u8(0);
    }
    return out.data();
}
