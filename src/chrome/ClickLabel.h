#pragma once
// A text that can be clicked (topic names, the web address), drawn as a
// label draws plain text: the window's text colour on its background (when
// autoFillBackground is set), aligned and indented, wrapped at word
// boundaries when asked.

#include "chrome/FramedButton.h"

class ClickLabel : public FramedButton {
    Q_OBJECT
public:
    ClickLabel(const QString& objectName, QWidget* parent);

    // Shown as it is: an ampersand is a character, not a shortcut's mark.
    void setText(const QString& text);

    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return m_alignment; }
    void setWordWrap(bool on);
    // Pixels between the aligned edge and the text.
    void setIndent(int pixels);

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return m_wordWrap; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // What the text needs within width (pixels, -1 for a single line).
    QSize textSize(int width) const;
    int textFlags() const;

    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool m_wordWrap = false;
    int m_indent = 0;
};
