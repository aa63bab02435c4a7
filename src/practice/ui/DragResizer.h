#pragma once
// Resizing a practice window by dragging its lower right corner (where the
// size grip `Sizer` lies), and the sizing pointer shapes along its border.
//
// The border zones are 6 pixels wide. A press in a zone moves the cursor onto
// the grabbed edge; only a press in the lower right corner zone resizes, and
// only while the width stays above 7300 twips and the height above 5000
// twips (each dimension stops on its own). The drag follows mouse-move events
// while the left button is held; there is no nested event loop.

#include <QObject>
#include <QPoint>
#include <QSize>

class QWidget;
class QMouseEvent;

class DragResizer : public QObject {
    Q_OBJECT
public:
    static constexpr int BorderPx = 6;
    static constexpr int MinWidthTwips = 7300;
    static constexpr int MinHeightTwips = 5000;

    explicit DragResizer(QWidget* window);

    // Lets a widget lying on the border (a frame piece, the size grip) take
    // part: its mouse events count as the window's.
    void watch(QWidget* widget);

    // The pointer shape for a position inside the window (window pixels).
    static Qt::CursorShape pointerShape(const QPoint& pos, const QSize& size);
    // The size the window takes while the cursor is at offset (window
    // pixels from its top left), starting from current; a dimension whose
    // offset is not above its minimum keeps its value.
    static QSize draggedSize(const QPoint& offset, const QSize& current);

    bool isDragging() const { return m_dragging; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void press(const QPoint& globalPos, bool onGrip);
    void move(const QPoint& globalPos);

    QWidget* m_window;
    bool m_dragging = false;
    QPoint m_grabOffset; // the window's lower right corner minus the cursor
};
