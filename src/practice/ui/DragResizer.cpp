#include "practice/ui/DragResizer.h"

#include "chrome/Twips.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

DragResizer::DragResizer(QWidget* window) : QObject(window), m_window(window) {
    watch(window);
}

void DragResizer::watch(QWidget* widget) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

Qt::CursorShape DragResizer::pointerShape(const QPoint& pos, const QSize& size) {
    const int x = pos.x();
    const int y = pos.y();
    const bool left = x < BorderPx;
    const bool right = x > size.width() - BorderPx;
    const bool top = y < BorderPx;
    const bool bottom = y > size.height() - BorderPx;
    // Each matching rule overrides the one before it.
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (left || right)
        shape = Qt::SizeHorCursor;
    if (top || bottom)
        shape = Qt::SizeVerCursor;
    if ((left && top) || (right && bottom))
        shape = Qt::SizeFDiagCursor;
    if ((left && bottom) || (right && top))
        shape = Qt::SizeBDiagCursor;
    return shape;
}

QSize DragResizer::draggedSize(const QPoint& offset, const QSize& current) {
    QSize size = current;
    if (offset.x() <= 2 * BorderPx || offset.y() <= 2 * BorderPx)
        return size;
    if (Twips::fromPx(offset.x()) > MinWidthTwips)
        size.setWidth(offset.x());
    if (Twips::fromPx(offset.y()) > MinHeightTwips)
        size.setHeight(offset.y());
    return size;
}

void DragResizer::press(const QPoint& globalPos, bool onGrip) {
    const QPoint origin = m_window->geometry().topLeft();
    const QPoint pos = globalPos - origin;
    const QSize size = m_window->size();
    const bool left = pos.x() < BorderPx;
    const bool top = pos.y() < BorderPx;
    const bool right = pos.x() > size.width() - BorderPx;
    const bool bottom = pos.y() > size.height() - BorderPx;
    QPoint snapped = globalPos;
    if (left)
        snapped = QPoint(origin.x(), origin.y() + pos.y());
    if (top)
        snapped = QPoint(origin.x() + pos.x(), origin.y());
    if (right)
        snapped = QPoint(origin.x() + size.width(), origin.y() + pos.y());
    if (bottom)
        snapped = QPoint(origin.x() + pos.x(), origin.y() + size.height());
    if (snapped != globalPos)
        QCursor::setPos(snapped);
    // The whole grip acts as the corner; the corner keeps its distance from
    // the cursor so that the window does not jump when the drag starts.
    m_dragging = (right && bottom) || onGrip;
    m_grabOffset = origin + QPoint(size.width(), size.height()) - snapped;
}

void DragResizer::move(const QPoint& globalPos) {
    const QPoint offset = globalPos + m_grabOffset - m_window->geometry().topLeft();
    const QSize size = draggedSize(offset, m_window->size());
    if (size != m_window->size())
        m_window->resize(size);
}

bool DragResizer::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const QPoint global = mouse->globalPosition().toPoint();
        const bool onGrip = widget->objectName() == QLatin1String("Sizer");
        if (!onGrip &&
            pointerShape(m_window->mapFromGlobal(global), m_window->size()) == Qt::ArrowCursor)
            return false;
        press(global, onGrip);
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint global = mouse->globalPosition().toPoint();
        if (m_dragging && (mouse->buttons() & Qt::LeftButton)) {
            move(global);
            return true;
        }
        if (!(mouse->buttons() & Qt::LeftButton)) {
            const Qt::CursorShape shape =
                pointerShape(m_window->mapFromGlobal(global), m_window->size());
            if (widget == m_window || shape != Qt::ArrowCursor)
                widget->setCursor(shape);
            else
                widget->unsetCursor();
        }
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (m_dragging && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_dragging = false;
            return true;
        }
        return false;
    default:
        return false;
    }
}
