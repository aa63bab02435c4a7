#include "practice/ui/MarkingProgressAccessible.h"

#include "practice/ui/MarkingProgress.h"

MarkingProgressAccessible::MarkingProgressAccessible(MarkingProgress* progress)
    : QAccessibleWidget(progress, QAccessible::ProgressBar) {}

QAccessibleInterface* MarkingProgressAccessible::create(const QString& className, QObject* object) {
    if (className == QLatin1String("MarkingProgress") && object && object->isWidgetType())
        return new MarkingProgressAccessible(static_cast<MarkingProgress*>(object));
    return nullptr;
}

MarkingProgress* MarkingProgressAccessible::progress() const {
    return static_cast<MarkingProgress*>(widget());
}

void* MarkingProgressAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QString MarkingProgressAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return progress()->progressText();
    return QAccessibleWidget::text(t);
}

QVariant MarkingProgressAccessible::currentValue() const {
    return progress()->shownBars();
}

void MarkingProgressAccessible::setCurrentValue(const QVariant&) {}

QVariant MarkingProgressAccessible::maximumValue() const {
    return int(MarkingProgress::BarCount);
}

QVariant MarkingProgressAccessible::minimumValue() const {
    return 0;
}

QVariant MarkingProgressAccessible::minimumStepSize() const {
    return 1;
}
