#pragma once
// The colours and measures of the program's look, shared by every picture.
// Pictures saved as BMP cannot be transparent, so each is painted on the
// colour of the surface it is meant to sit on (see README.md).

#include <QColor>

namespace Look {
// Surfaces the pictures sit on.
inline const QColor Page{255, 255, 255};  // page bodies, dialog body, topic list
inline const QColor Strip{244, 245, 235}; // tool-bar strip, answer sheet

// Window frame (blue in both states; the title bar changes).
inline const QColor FrameOutline{27, 90, 166};
inline const QColor FrameMid{74, 149, 230};
inline const QColor FrameInner{46, 114, 198};

// Active title bar, top to bottom.
inline const QColor TitleTop{110, 178, 247};
inline const QColor TitleMiddle{62, 139, 226};
inline const QColor TitleBottom{30, 100, 196};
// Inactive title bar.
inline const QColor WhiteTop{255, 255, 255};
inline const QColor WhiteBottom{232, 237, 243};
inline const QColor WhiteLine{196, 205, 217};
inline const QColor GreyGlyph{120, 131, 146};

inline const QColor CloseRed{229, 72, 77};
inline const QColor Sky{111, 179, 255};

// Buttons.
inline const QColor ButtonTop{255, 255, 255};
inline const QColor ButtonBottom{222, 233, 246};
inline const QColor ButtonBorder{150, 176, 208};
inline const QColor HoverTop{255, 255, 255};
inline const QColor HoverBottom{255, 236, 170};
inline const QColor HoverBorder{226, 170, 58};
inline const QColor PressedTop{190, 207, 229};
inline const QColor PressedBottom{214, 226, 241};
inline const QColor PressedBorder{104, 134, 172};
inline const QColor DisabledFace{238, 239, 234};
inline const QColor DisabledBorder{205, 208, 200};

// Icon colours.
inline const QColor Blue{52, 120, 214};
inline const QColor DarkBlue{30, 78, 150};
inline const QColor Green{46, 170, 79};
inline const QColor DarkGreen{30, 120, 55};
inline const QColor Orange{243, 156, 43};
inline const QColor Red{228, 87, 46};
inline const QColor Yellow{246, 196, 83};
inline const QColor Brown{138, 90, 43};
inline const QColor Slate{94, 115, 140};
inline const QColor Ink{40, 48, 60};
inline const QColor PaperWhite{255, 255, 255};
inline const QColor PaperLine{176, 190, 205};

// Measures in pixels at 96 dpi.
constexpr int TitleHeight = 30;
constexpr int EdgeWidth = 4;
constexpr int CaptionButton = 21;
constexpr int CaptionButtonTop = 4; // (TitleHeight - CaptionButton) / 2, rounded down
} // namespace Look
