#include "chrome/Labels.h"

#include <QLabel>

namespace Labels {

QLabel* text(const QString& objectName, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* picture(const QString& objectName, const QPixmap& picture, const QSize& fallback,
                QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setPixmap(picture);
    label->resize(picture.isNull() ? fallback : picture.deviceIndependentSize().toSize());
    return label;
}

} // namespace Labels
