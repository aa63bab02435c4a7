#include "chrome/CaretRest.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>
#include <QWidget>

namespace {
// Read once, before any CaretRest has rested, so that a second one made while
// the first rests still knows the platform's value.
int platformFlashTime() {
    static const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    return flashTime;
}
} // namespace

CaretRest::CaretRest(QObject* parent, int restMs)
    : QObject(parent), m_flashTime(platformFlashTime()) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(restMs);
    connect(&m_timer, &QTimer::timeout, this, &CaretRest::rest);
}

CaretRest::~CaretRest() {
    if (m_resting)
        QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime);
}

void CaretRest::watch(QWidget* box) {
    box->installEventFilter(this);
    if (box->hasFocus())
        wake();
}

bool CaretRest::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
        wake();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CaretRest::wake() {
    // A platform that does not blink carets has nothing to rest.
    if (m_flashTime <= 0)
        return;
    if (m_resting) {
        m_resting = false;
        QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime);
    }
    m_timer.start();
}

void CaretRest::rest() {
    m_resting = true;
    QGuiApplication::styleHints()->setCursorFlashTime(0);
}
