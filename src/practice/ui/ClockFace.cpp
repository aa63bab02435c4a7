#include "practice/ui/ClockFace.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFontMetricsF>
#include <QIcon>
#include <QMoveEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTextLayout>
#include <cmath>

namespace {
const QString ClockCharacters = QStringLiteral("0123456789:");
const QString WidestText = QStringLiteral("00:00:00");

// Screen readers meet the clock as the text it shows, as they would a label.
QAccessibleInterface* createAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("ClockFace") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StaticText);
    return nullptr;
}
} // namespace

ClockFace::ClockFace(QWidget* parent) : QWidget(parent) {
    static const bool accessible = [] {
        QAccessible::installFactory(&createAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    setFixedSize(sizeHint());
}

void ClockFace::setBackdrop(const QPixmap& picture) {
    m_picture = picture;
    placeBackdrop();
    update();
}

void ClockFace::placeBackdrop() {
    m_backdrop = QPixmap();
    const QRectF covered(QPointF(), m_picture.deviceIndependentSize());
    const bool covers = !m_picture.isNull() && !m_picture.hasAlphaChannel() &&
                        covered.contains(QRectF(geometry())) && parentWidget() &&
                        parentWidget()->isEnabled();
    if (covers) {
        // Fitted to the screen as a label fits its picture (through an
        // icon): scaled down smoothly where the picture has pixels to spare,
        // else left as it is for the painter to scale, as the label's is. A
        // cut-out of the fitted picture would miss the rounding of a
        // fractional scale (and lie partly outside it, where it is black).
        m_fittedRatio = devicePixelRatioF();
        m_backdrop =
            QIcon(m_picture).pixmap(m_picture.deviceIndependentSize().toSize(), m_fittedRatio);
    }
    setAttribute(Qt::WA_OpaquePaintEvent, covers);
}

void ClockFace::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    placeBackdrop();
}

void ClockFace::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeBackdrop();
}

void ClockFace::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text);
    // Painted now: a posted update would cost the event loop another wake
    // every second.
    if (isVisible() && updatesEnabled())
        repaint();
}

QSize ClockFace::sizeHint() const {
    const QFontMetricsF metrics(font());
    qreal widest = 0;
    for (char c = '0'; c <= '9'; ++c)
        widest = qMax(widest, metrics.horizontalAdvance(QLatin1Char(c)));
    qreal width = metrics.horizontalAdvance(WidestText);
    for (const QChar c : WidestText) {
        if (c.isDigit())
            width += widest - metrics.horizontalAdvance(c);
    }
    const QMargins margins = contentsMargins();
    return QSize(int(std::ceil(width)) + 2 + margins.left() + margins.right(),
                 int(std::ceil(metrics.height())) + margins.top() + margins.bottom());
}

void ClockFace::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        m_prepared = false;
        setFixedSize(sizeHint());
    } else if (event->type() == QEvent::EnabledChange || event->type() == QEvent::ParentChange) {
        // A disabled field draws its picture greyed.
        placeBackdrop();
    }
    QWidget::changeEvent(event);
}

void ClockFace::prepareGlyphs() const {
    if (m_prepared)
        return;
    m_prepared = true;
    m_glyphs.clear();
    m_advances.clear();
    // Every pair of the clock's characters, shaped once as ordinary text,
    // gives each character's glyph and advance, and shows whether the font
    // moves any pair closer (kerning); then the clock draws ordinary text.
    QString pairs;
    for (const QChar a : ClockCharacters) {
        for (const QChar b : ClockCharacters)
            pairs += QString(a) + b;
    }
    QTextLayout layout(pairs, font());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() != 1 || runs.first().glyphIndexes().size() != pairs.size())
        return;
    const QList<quint32> glyphs = runs.first().glyphIndexes();
    const QList<QPointF> positions = runs.first().positions();
    QList<quint32> clockGlyphs(ClockCharacters.size(), 0);
    QList<qreal> advances(ClockCharacters.size(), -1);
    for (int i = 0; i + 1 < pairs.size(); ++i) {
        const int k = ClockCharacters.indexOf(pairs.at(i));
        clockGlyphs[k] = glyphs.at(i);
        advances[k] = positions.at(i + 1).x() - positions.at(i).x();
    }
    qreal x = positions.first().x();
    for (int i = 0; i < pairs.size(); ++i) {
        const int k = ClockCharacters.indexOf(pairs.at(i));
        if (glyphs.at(i) != clockGlyphs.at(k) || qAbs(positions.at(i).x() - x) > 1e-3)
            return;
        x += advances.at(k);
    }
    const QFontMetricsF metrics(font());
    m_ascent = metrics.ascent();
    m_lineHeight = metrics.height();
    m_font = runs.first().rawFont();
    m_glyphs = clockGlyphs;
    m_advances = advances;
}

QGlyphRun ClockFace::glyphRun(qreal* width) const {
    prepareGlyphs();
    QGlyphRun run;
    if (m_glyphs.isEmpty())
        return run;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(m_text.size());
    positions.reserve(m_text.size());
    qreal x = 0;
    for (const QChar c : m_text) {
        const int k = ClockCharacters.indexOf(c);
        if (k < 0)
            return QGlyphRun();
        glyphs.append(m_glyphs.at(k));
        positions.append(QPointF(x, 0));
        x += m_advances.at(k);
    }
    *width = x;
    run.setRawFont(m_font);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    return run;
}

void ClockFace::paintEvent(QPaintEvent*) {
    // A window moved to a screen of another pixel ratio needs it fitted anew.
    if (!m_backdrop.isNull() && m_fittedRatio != devicePixelRatioF())
        placeBackdrop();
    QPainter painter(this);
    // Drawn whole from the parent's corner, clipped to the clock, so that
    // every device pixel of the clock gets the very pixel the parent's label
    // gives it, however the scale rounds the clock's edges.
    if (!m_backdrop.isNull())
        painter.drawPixmap(-pos(), m_backdrop);
    if (m_text.isEmpty())
        return;
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const QRect area = contentsRect();
    qreal width = 0;
    const QGlyphRun run = glyphRun(&width);
    if (run.glyphIndexes().isEmpty()) {
        painter.drawText(area, Qt::AlignCenter, m_text);
        return;
    }
    const QPointF origin(area.x() + (area.width() - width) / 2,
                         area.y() + (area.height() - m_lineHeight) / 2 + m_ascent);
    painter.drawGlyphRun(origin, run);
}
