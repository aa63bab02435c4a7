#include "FontSet.h"

#include <QFile>

bool FontSet::load(const QString& folder, FontSet* fonts, QString* error) {
    const QString regularFile = folder + QStringLiteral("/DejaVuSans.ttf");
    const QString boldFile = folder + QStringLiteral("/DejaVuSans-Bold.ttf");
    for (const QString& f : {regularFile, boldFile}) {
        if (!QFile::exists(f)) {
            *error = QStringLiteral("font file missing: %1 (package fonts-dejavu-core)").arg(f);
            return false;
        }
    }
    fonts->regular = GlyphFont(regularFile);
    fonts->bold = GlyphFont(boldFile);
    if (!fonts->regular.isValid() || !fonts->bold.isValid()) {
        *error = QStringLiteral("font files in %1 could not be read").arg(folder);
        return false;
    }
    return true;
}
