#pragma once
// Checks that a graphics file is what its name says: a 24-bit uncompressed
// BMP, an ICO container whose entries all lie inside the file, or a GIF whose
// blocks run whole to the trailer. Reads headers only; never decodes pixels.

#include <QByteArray>
#include <QString>
#include <QStringList>

class ImageFileCheck {
public:
    // By the file name's extension (.bmp, .ico, .gif, any case). Problems are
    // plain sentences; empty when the file is sound.
    static QStringList check(const QString& fileName, const QByteArray& bytes);

    static QStringList checkBmp(const QByteArray& bytes);
    static QStringList checkIco(const QByteArray& bytes);
    static QStringList checkGif(const QByteArray& bytes);
};
