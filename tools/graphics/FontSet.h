#pragma once
// The two faces every picture with lettering uses: DejaVu Sans and DejaVu Sans
// Bold, read from the files that Debian's fonts-dejavu-core installs (a
// dependency of fontconfig), so the lettering is the same on every machine.

#include "GlyphFont.h"

#include <QString>

struct FontSet {
    GlyphFont regular;
    GlyphFont bold;

    // False with *error when a font file is missing or unreadable.
    static bool load(const QString& folder, FontSet* fonts, QString* error);
    static QString defaultFolder() { return QStringLiteral("/usr/share/fonts/truetype/dejavu"); }
};
