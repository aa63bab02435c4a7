#pragma once
// The windows' layout constants are given in twips (1/1440 inch) and some frame
// distances in himetric (1/100 mm). At 96 dpi one logical pixel is 15 twips;
// Qt's high-DPI scaling takes care of denser screens.

#include <QtGlobal>

namespace Twips {
constexpr int PerPixel = 15;
inline int toPx(double twips) {
    return qRound(twips / PerPixel);
}
inline int fromPx(int px) {
    return px * PerPixel;
}
} // namespace Twips

namespace Himetric {
// 60 himetric (0.6 mm) is about 2 pixels.
inline int toPx(double himetric) {
    return qRound(himetric * 96.0 / 2540.0);
}
} // namespace Himetric
