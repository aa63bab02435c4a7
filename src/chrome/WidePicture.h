#pragma once
// A button or tab picture made wider for a caption that does not fit it: the
// left and right ends (their rounded corners and edges) stay as drawn, the
// middle is stretched. A picture as wide as asked or wider, or a null one,
// comes back as it is.

#include <QPixmap>

namespace WidePicture {

// width in logical pixels; ends: how many pixels at each side keep their shape.
QPixmap widened(const QPixmap& picture, int width, int ends = 8);

} // namespace WidePicture
