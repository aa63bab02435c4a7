#pragma once
// The windows' labels, made one way: named (tests and screen readers find
// them by object name), their text shown as it is, never read as markup,
// and pictures at their own size.

#include <QPixmap>
#include <QSize>
#include <QString>

class QLabel;
class QWidget;

namespace Labels {

// A label of plain text.
QLabel* text(const QString& objectName, const QString& text, QWidget* parent);
// A label showing picture at the picture's size, or an empty one of the
// fallback size when the picture is missing.
QLabel* picture(const QString& objectName, const QPixmap& picture, const QSize& fallback,
                QWidget* parent);

} // namespace Labels
