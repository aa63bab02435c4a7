#include "GlyphFont.h"

#include <QTransform>

GlyphFont::GlyphFont(const QString& file) {
    if (!file.isEmpty())
        m_font = QRawFont(file, 100.0, QFont::PreferNoHinting);
}

QPainterPath GlyphFont::path(const QString& text, double pixelSize) const {
    QPainterPath out;
    if (!m_font.isValid())
        return out;
    const QList<quint32> glyphs = m_font.glyphIndexesForString(text);
    const QList<QPointF> advances = m_font.advancesForGlyphIndexes(glyphs);
    const double scale = pixelSize / m_font.pixelSize();
    double x = 0;
    for (int i = 0; i < glyphs.size(); ++i) {
        QPainterPath glyph = m_font.pathForGlyph(glyphs[i]);
        QTransform t;
        t.translate(x, 0);
        t.scale(scale, scale);
        out.addPath(t.map(glyph));
        x += advances[i].x() * scale;
    }
    return out;
}

double GlyphFont::advance(const QString& text, double pixelSize) const {
    if (!m_font.isValid())
        return 0;
    const QList<quint32> glyphs = m_font.glyphIndexesForString(text);
    double x = 0;
    for (const QPointF& a : m_font.advancesForGlyphIndexes(glyphs))
        x += a.x();
    return x * pixelSize / m_font.pixelSize();
}

QPainterPath GlyphFont::centred(const QString& text, double pixelSize, double cx, double cy) const {
    QPainterPath p = path(text, pixelSize);
    const double capHeight = m_font.capHeight() * pixelSize / m_font.pixelSize();
    p.translate(cx - advance(text, pixelSize) / 2, cy + capHeight / 2);
    return p;
}
