#include "IcoWriter.h"

#include "ArtKit.h"
#include "ByteSink.h"

namespace {
constexpr int DirHeaderBytes = 6;
constexpr int DirEntryBytes = 16;
constexpr int InfoHeaderBytes = 40;

QByteArray dibOf(const QImage& picture) {
    const QImage argb = ArtKit::straightAlpha(picture);
    const int w = argb.width();
    const int h = argb.height();
    const int maskRowBytes = ((w + 31) / 32) * 4;

    ByteSink out;
    out.u32(InfoHeaderBytes);
    out.i32(w);
    out.i32(h * 2); // colour rows and mask rows together
    out.u16(1);
    out.u16(32);
    out.u32(0);
    out.u32(quint32(w * h * 4 + maskRowBytes * h));
    out.i32(0);
    out.i32(0);
    out.u32(0);
    out.u32(0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            out.u8(quint8(qBlue(line[x])));
            out.u8(quint8(qGreen(line[x])));
            out.u8(quint8(qRed(line[x])));
            out.u8(quint8(qAlpha(line[x])));
        }
    }
    // AND mask: 1 = transparent, for readers that ignore the alpha channel.
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        QByteArray row(maskRowBytes, '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(line[x]) < 128)
                row[x / 8] = char(quint8(row[x / 8]) | (0x80 >> (x % 8)));
        }
        out.bytes(row);
    }
    return out.data();
}
} // namespace

QByteArray IcoWriter::encode(const QList<QImage>& pictures) {
    QList<QByteArray> dibs;
    for (const QImage& p : pictures)
        dibs.append(dibOf(p));

    ByteSink out;
    out.u16(0); // reserved
    out.u16(1); // icon, not cursor
    out.u16(quint16(pictures.size()));
    quint32 offset = DirHeaderBytes + DirEntryBytes * quint32(pictures.size());
    for (int i = 0; i < pictures.size(); ++i) {
        out.u8(quint8(pictures[i].width()));
        out.u8(quint8(pictures[i].height()));
        out.u8(0); // no palette
        out.u8(0);
        out.u16(1);  // planes
        out.u16(32); // bits per pixel
        out.u32(quint32(dibs[i].size()));
        out.u32(offset);
        offset += quint32(dibs[i].size());
    }
    for (const QByteArray& dib : dibs)
        out.bytes(dib);
    return out.data();
}
