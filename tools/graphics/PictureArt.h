#pragma once
// Pictures with lettering or detail: the program icon, the practice window's
// pencil icon, the hand pointer, the dialog's information mark, the logo and
// the picture that shows how to type fractions.

#include "FontSet.h"

#include <QColor>
#include <QImage>

class PictureArt {
public:
    explicit PictureArt(const FontSet& fonts) : m_fonts(fonts) {}

    // Transparent square pictures of any size (16 to 256).
    QImage programIcon(int size) const;
    static QImage pencilIcon(int size);
    static QImage handIcon(int size);

    // GIF pictures: transparent outside their shape, edges blended with the
    // page colour they sit on.
    QImage infoMark() const;
    QImage logo() const;
    QImage instruction() const;

    // Fully transparent pixels stay transparent; all others are blended onto
    // background and made opaque (GIF has one-bit transparency).
    static QImage flatten(const QImage& picture, const QColor& background);

private:
    const FontSet& m_fonts;
};
