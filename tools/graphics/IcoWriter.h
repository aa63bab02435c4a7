#pragma once
// Icon files: an ICONDIR with one 32-bit BGRA DIB entry (plus its AND mask)
// per picture, in the order given. Readers that take the first entry get the
// first picture, so put the title-bar size first.

#include <QByteArray>
#include <QImage>
#include <QList>

class IcoWriter {
public:
    // Every picture must be 1..255 pixels on each side.
    static QByteArray encode(const QList<QImage>& pictures);
};
