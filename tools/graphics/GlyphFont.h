#pragma once
// Text as outlines from a font file named explicitly, so that the pictures do
// not depend on which fonts the machine would otherwise pick, nor on hinting.

#include <QPainterPath>
#include <QRawFont>
#include <QString>

class GlyphFont {
public:
    explicit GlyphFont(const QString& file = QString());
    bool isValid() const { return m_font.isValid(); }

    // Outline of text with its baseline at y = 0, starting at x = 0.
    QPainterPath path(const QString& text, double pixelSize) const;
    double advance(const QString& text, double pixelSize) const;
    // Outline centred on point (cx, middle of the capital height at cy).
    QPainterPath centred(const QString& text, double pixelSize, double cx, double cy) const;

private:
    QRawFont m_font;
};
