#include "chrome/PictureButtonAccessible.h"

#include "chrome/PictureButton.h"

PictureButtonAccessible::PictureButtonAccessible(PictureButton* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

QAccessibleInterface* PictureButtonAccessible::Create(const QString& className, QObject* object) {
    if (className == QLatin1String("PictureButton") && object && object->isWidgetType())
        return new PictureButtonAccessible(static_cast<PictureButton*>(object));
    return nullptr;
}

PictureButton* PictureButtonAccessible::button() const {
    return static_cast<PictureButton*>(widget());
}

QString PictureButtonAccessible::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name:
        return button()->spokenName();
    case QAccessible::Description:
        // The tool tip is already the name; say no more than the widget does.
        return button()->accessibleDescription();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State PictureButtonAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = button()->look() == PictureButton::Look::Pressed;
    return s;
}

QStringList PictureButtonAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (button()->isEnabled())
        names.prepend(pressAction());
    return names;
}

void PictureButtonAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction())
        button()->click();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList PictureButtonAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == pressAction())
        return {QStringLiteral("Enter"), QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
