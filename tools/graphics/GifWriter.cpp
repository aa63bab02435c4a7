#include "GifWriter.h"

#include "ColourQuantiser.h"

#include <gif_lib.h>

#include <vector>

namespace {

int appendToBuffer(GifFileType* gif, const GifByteType* data, int length) {
    auto* buffer = static_cast<QByteArray*>(gif->UserData);
    buffer->append(reinterpret_cast<const char*>(data), length);
    return length;
}

int colourMapSize(int entries) {
    int size = 2;
    while (size < entries)
        size *= 2;
    return size;
}

} // namespace

QByteArray GifWriter::encode(const QImage& picture, QString* error) {
    const IndexedPicture indexed = ColourQuantiser::quantise(picture);
    QByteArray buffer;
    int status = 0;
    GifFileType* gif = EGifOpen(&buffer, appendToBuffer, &status);
    if (!gif) {
        if (error)
            *error = QString::fromLatin1(GifErrorString(status));
        return {};
    }
    EGifSetGifVersion(gif, true);

    const int mapSize = colourMapSize(int(indexed.palette.size()));
    std::vector<GifColorType> colours(size_t(mapSize), GifColorType{0, 0, 0});
    for (int i = 0; i < indexed.palette.size(); ++i) {
        colours[size_t(i)].Red = GifByteType(qRed(indexed.palette[i]));
        colours[size_t(i)].Green = GifByteType(qGreen(indexed.palette[i]));
        colours[size_t(i)].Blue = GifByteType(qBlue(indexed.palette[i]));
    }
    ColorMapObject* map = GifMakeMapObject(mapSize, colours.data());
    bool ok = map && EGifPutScreenDesc(gif, indexed.width, indexed.height, map->BitsPerPixel, 0,
                                       map) == GIF_OK;
    if (ok && indexed.transparentIndex >= 0) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = indexed.transparentIndex;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&gcb, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK;
    }
    if (ok)
        ok = EGifPutImageDesc(gif, 0, 0, indexed.width, indexed.height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> row(size_t(indexed.width));
    for (int y = 0; ok && y < indexed.height; ++y) {
        for (int x = 0; x < indexed.width; ++x)
            row[size_t(x)] = GifPixelType(indexed.indices[qsizetype(y) * indexed.width + x]);
        ok = EGifPutLine(gif, row.data(), indexed.width) == GIF_OK;
    }
    if (!ok && error)
        *error = QString::fromLatin1(GifErrorString(gif->Error));
    if (map)
        GifFreeMapObject(map);
    if (EGifCloseFile(gif, &status) != GIF_OK && ok) {
        ok = false;
        if (error)
            *error = QString::fromLatin1(GifErrorString(status));
    }
    return ok ? buffer : QByteArray();
}
