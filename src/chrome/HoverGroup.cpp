#include "chrome/HoverGroup.h"

#include "chrome/PictureButton.h"

#include <QEnterEvent>
#include <QMouseEvent>

HoverGroup::HoverGroup(QObject* parent) : QObject(parent) {}

void HoverGroup::add(PictureButton* button) {
    m_members.append(button);
    button->installEventFilter(this);
}

void HoverGroup::refresh(const QPoint& globalPos) {
    for (const auto& member : std::as_const(m_members)) {
        if (!member)
            continue;
        const bool inside =
            member->isVisible() && member->rect().contains(member->mapFromGlobal(globalPos));
        if (!inside)
            member->showLook(PictureButton::Look::Off);
        else if (m_pressTrack)
            member->showLook(PictureButton::Look::Pressed);
        else
            member->showLook(PictureButton::Look::On);
    }
}

void HoverGroup::clear() {
    for (const auto& member : std::as_const(m_members)) {
        if (member)
            member->showLook(PictureButton::Look::Off);
    }
}

bool HoverGroup::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<PictureButton*>(watched);
    if (!button)
        return false;
    switch (event->type()) {
    case QEvent::Enter:
        refresh(static_cast<QEnterEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        button->showLook(PictureButton::Look::Off);
        break;
    case QEvent::MouseMove:
        refresh(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_tracksPress && mouse->button() == Qt::LeftButton)
            m_pressTrack = true;
        refresh(mouse->globalPosition().toPoint());
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            m_pressTrack = false;
        refresh(mouse->globalPosition().toPoint());
        break;
    }
    default:
        break;
    }
    return false;
}
