#include "ImageFileCheck.h"

namespace {

quint32 u16(const QByteArray& b, qsizetype at) {
    return quint32(quint8(b.at(at))) | quint32(quint8(b.at(at + 1))) << 8;
}
quint32 u32(const QByteArray& b, qsizetype at) {
    return u16(b, at) | u16(b, at + 2) << 16;
}
qint32 i32(const QByteArray& b, qsizetype at) {
    return qint32(u32(b, at));
}

const QByteArray PngSignature("\x89PNG\r\n\x1a\n", 8);

} // namespace

QStringList ImageFileCheck::check(const QString& fileName, const QByteArray& bytes) {
    const QString lower = fileName.toLower();
    if (lower.endsWith(QLatin1String(".bmp")))
        return checkBmp(bytes);
    if (lower.endsWith(QLatin1String(".ico")))
        return checkIco(bytes);
    if (lower.endsWith(QLatin1String(".gif")))
        return checkGif(bytes);
    return {QStringLiteral("not a .bmp, .ico or .gif file name")};
}

QStringList ImageFileCheck::checkBmp(const QByteArray& b) {
    if (b.size() < 54 || !b.startsWith("BM"))
        return {QStringLiteral("not a BMP file (no \"BM\" header)")};
    QStringList problems;
    const quint32 declared = u32(b, 2);
    if (declared != quint32(b.size()))
        problems
            << QStringLiteral("header says %1 bytes, the file has %2").arg(declared).arg(b.size());
    const quint32 offset = u32(b, 10);
    const quint32 infoSize = u32(b, 14);
    if (infoSize < 40)
        return problems << QStringLiteral("old-style BMP header (%1 bytes); 40 or more expected")
                               .arg(infoSize);
    const qint32 width = i32(b, 18);
    const qint32 height = i32(b, 22);
    const quint32 bits = u16(b, 28);
    const quint32 compression = u32(b, 30);
    if (u16(b, 26) != 1)
        problems << QStringLiteral("plane count is not 1");
    if (bits != 24)
        problems << QStringLiteral("%1 bits per pixel; 24 expected").arg(bits);
    if (compression != 0)
        problems
            << QStringLiteral("compressed (method %1); uncompressed expected").arg(compression);
    if (width <= 0 || height == 0 || width > 10000 || height > 10000 || height < -10000)
        return problems << QStringLiteral("impossible size %1 x %2").arg(width).arg(height);
    if (offset < 14 + infoSize || offset > quint32(b.size()))
        return problems << QStringLiteral("pixel data offset %1 lies outside the file").arg(offset);
    if (bits == 24 && compression == 0) {
        const qint64 rowBytes = (qint64(width) * 3 + 3) / 4 * 4;
        const qint64 need = rowBytes * qAbs(height);
        if (b.size() - qint64(offset) < need)
            problems << QStringLiteral("pixel data cut short: %1 bytes for %2 needed")
                            .arg(b.size() - qint64(offset))
                            .arg(need);
    }
    return problems;
}

QStringList ImageFileCheck::checkIco(const QByteArray& b) {
    if (b.size() < 6 || u16(b, 0) != 0 || u16(b, 2) != 1)
        return {QStringLiteral("not an ICO file (header 0, 1 missing)")};
    const quint32 count = u16(b, 4);
    if (count == 0)
        return {QStringLiteral("icon holds no picture")};
    if (6 + 16 * qint64(count) > b.size())
        return {QStringLiteral("directory of %1 entries runs past the end of the file").arg(count)};
    QStringList problems;
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype e = 6 + 16 * qsizetype(i);
        const quint32 length = u32(b, e + 8);
        const quint32 offset = u32(b, e + 12);
        if (length == 0 || qint64(offset) + length > b.size() || offset < 6 + 16 * count) {
            problems << QStringLiteral("entry %1 lies outside the file").arg(i + 1);
            continue;
        }
        const QByteArray data = b.mid(offset, length);
        if (data.startsWith(PngSignature))
            continue;
        if (data.size() < 40 || u32(data, 0) != 40) {
            problems << QStringLiteral("entry %1 is neither PNG nor a bitmap").arg(i + 1);
            continue;
        }
        const quint32 bits = u16(data, 14);
        if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
            problems << QStringLiteral("entry %1 has %2 bits per pixel").arg(i + 1).arg(bits);
    }
    return problems;
}

QStringList ImageFileCheck::checkGif(const QByteArray& b) {
    if (b.size() < 13 || !(b.startsWith("GIF87a") || b.startsWith("GIF89a")))
        return {QStringLiteral("not a GIF file (no \"GIF87a\" or \"GIF89a\" header)")};
    if (u16(b, 6) == 0 || u16(b, 8) == 0)
        return {QStringLiteral("GIF of size 0")};
    qsizetype at = 13;
    const quint8 flags = quint8(b.at(10));
    if (flags & 0x80)
        at += 3 * (qsizetype(1) << ((flags & 7) + 1));
    const auto skipSubBlocks = [&b](qsizetype& pos) {
        while (pos < b.size()) {
            const int n = quint8(b.at(pos));
            pos += 1 + n;
            if (n == 0)
                return pos <= b.size();
        }
        return false;
    };
    int images = 0;
    while (at < b.size()) {
        const quint8 block = quint8(b.at(at));
        if (block == 0x3B)
            return images > 0 ? QStringList() : QStringList{QStringLiteral("GIF holds no image")};
        if (block == 0x21) {
            at += 2;
            if (!skipSubBlocks(at))
                break;
        } else if (block == 0x2C) {
            if (at + 10 > b.size())
                break;
            const quint8 local = quint8(b.at(at + 9));
            at += 10;
            if (local & 0x80)
                at += 3 * (qsizetype(1) << ((local & 7) + 1));
            at += 1; // LZW minimum code size
            if (!skipSubBlocks(at))
                break;
            ++images;
        } else {
            return {QStringLiteral("unknown GIF block 0x%1 at byte %2")
                        .arg(block, 2, 16, QLatin1Char('0'))
                        .arg(at)};
        }
    }
    return {QStringLiteral("GIF data cut short (no trailer)")};
}
