#include "chrome/ClickLabel.h"

#include <QPainter>
#include <QStyle>

ClickLabel::ClickLabel(const QString& objectName, QWidget* parent)
    : FramedButton(objectName, parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void ClickLabel::setText(const QString& text) {
    FramedButton::setText(text);
    setShortcut(QKeySequence());
}

void ClickLabel::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    updateGeometry();
    update();
}

void ClickLabel::setWordWrap(bool on) {
    m_wordWrap = on;
    updateGeometry();
    update();
}

void ClickLabel::setIndent(int pixels) {
    m_indent = pixels;
    updateGeometry();
    update();
}

int ClickLabel::textFlags() const {
    return int(m_alignment) | (m_wordWrap ? Qt::TextWordWrap : 0);
}

QSize ClickLabel::textSize(int width) const {
    const bool sideIndent = m_indent > 0 && (m_alignment & (Qt::AlignLeft | Qt::AlignRight));
    const int indent = sideIndent ? m_indent : 0;
    // Centring is left out of the measure: it changes where the text lies,
    // not how much room it takes.
    const int flags = textFlags() & ~(Qt::AlignHCenter | Qt::AlignVCenter);
    const int room = width < 0 ? 2000 : width - indent;
    const QRect needed = fontMetrics().boundingRect(0, 0, room, 2000, flags, text());
    return QSize(needed.width() + indent, needed.height());
}

QSize ClickLabel::sizeHint() const {
    return textSize(-1);
}

int ClickLabel::heightForWidth(int width) const {
    return textSize(width).height();
}

void ClickLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect area = contentsRect();
    if (m_indent > 0) {
        if (m_alignment & Qt::AlignLeft)
            area.setLeft(area.left() + m_indent);
        if (m_alignment & Qt::AlignRight)
            area.setRight(area.right() - m_indent);
    }
    style()->drawItemText(&painter, area, textFlags() | Qt::TextForceLeftToRight, palette(),
                          isEnabled(), text(), foregroundRole());
    paintFocusFrame(painter);
}
