#pragma once
// What a screen reader learns about the marking animation: a progress bar
// whose value is the number of bars revealed, 0 to 15.

#include <QAccessibleWidget>

class MarkingProgress;

class MarkingProgressAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit MarkingProgressAccessible(MarkingProgress* progress);

    // The factory installed for MarkingProgress (null for other objects).
    static QAccessibleInterface* create(const QString& className, QObject* object);

    void* interface_cast(QAccessible::InterfaceType t) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override; // read-only: ignored
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    MarkingProgress* progress() const;
};
