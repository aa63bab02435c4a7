#pragma once
// Pictures of the area and perimeter questions: shapes with their sides
// written beside them, placed so that no two labels touch and none runs off
// the picture, and shapes of squares on a grid.

#include "Bank.h"

namespace bank::svg {

// The box a line of bold lettering takes, estimated from its size and length
// (a generous width per character, so real fonts stay inside it).
struct TextBox {
    double left, top, right, bottom;
};
TextBox BoxOfText(double x, double baseline, const QString& text, int size, const QString& anchor);
bool Overlap(const TextBox& a, const TextBox& b, double gap = 3);

// A polygon (points clockwise on screen) with a label outside each edge (an
// empty label leaves its edge bare), the whole fitted into its own document
// with a margin. Empty when two labels would overlap: the caller draws
// another shape.
QByteArray SidesPicture(const QList<QPair<double, double>>& points, const QStringList& labels,
                        int colour);

// Shapes of squares on one grid; each shape may carry a letter above it.
// cells are (column, row); letters empty for no letter.
QByteArray GridPicture(const QList<QList<QPair<int, int>>>& shapes, const QStringList& letters,
                       int cols, int rows, double cell);

} // namespace bank::svg
