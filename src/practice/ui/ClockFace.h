#pragma once
// The running clock `lblClock`: the time taken so far, as "h:m:s" digits,
// centred in plain text like a label's. Its text changes every second while
// a paper is open, so a tick is made cheap for old laptops: the glyphs of the
// digits and ":" are looked up once per font, a new text is drawn from them
// without shaping it again, and it is painted at once rather than through a
// posted update, which would wake the event loop a second time. Other
// characters, which the clock never shows, are drawn as ordinary text.
//
// Its size fits "00:00:00" with every digit as wide as the widest, so that a
// new text never changes its size or makes its row lay out again.
//
// Given the picture its parent shows under it (setBackdrop), it paints that
// part of the picture itself and is opaque: a tick then paints the clock
// alone, not the strip and the field beneath it as well.

#include <QGlyphRun>
#include <QPixmap>
#include <QRawFont>
#include <QString>
#include <QWidget>

class ClockFace : public QWidget {
    Q_OBJECT
public:
    explicit ClockFace(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    // The picture the parent draws unscaled from its own top-left corner,
    // fully under the clock; a null picture, or one that does not cover the
    // clock opaquely, leaves the parent to paint what is under the clock.
    void setBackdrop(const QPixmap& picture);
    bool paintsBackdrop() const { return testAttribute(Qt::WA_OpaquePaintEvent); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The run of glyphs for m_text, or an empty run when a character of it
    // is not one of the clock's or the font kerns the clock's characters.
    // width receives the run's advance.
    QGlyphRun glyphRun(qreal* width) const;
    void prepareGlyphs() const;
    void placeBackdrop();

    QString m_text;
    QPixmap m_picture;  // the parent's picture
    QPixmap m_backdrop; // the picture fitted to the screen, when it covers the clock
    qreal m_fittedRatio = 0;
    mutable QRawFont m_font;
    mutable QList<quint32> m_glyphs; // for "0123456789:"
    mutable QList<qreal> m_advances;
    mutable qreal m_ascent = 0;
    mutable qreal m_lineHeight = 0;
    mutable bool m_prepared = false;
};
