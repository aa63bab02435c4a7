#pragma once
// What a screen reader learns about a PictureButton: a push button, named by
// its tool tip or caption, that can be pressed.

#include <QAccessibleWidget>

class PictureButton;

class PictureButtonAccessible : public QAccessibleWidget {
public:
    explicit PictureButtonAccessible(PictureButton* button);

    // The factory installed for PictureButton (null for other objects).
    static QAccessibleInterface* Create(const QString& className, QObject* object);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    PictureButton* button() const;
};
