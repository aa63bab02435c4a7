#pragma once
// The skinned window frame: title-bar pieces (active blue, inactive white),
// the caption buttons in their three looks, the edges and the lower corners
// (square for the main and practice windows, cut for the dialog).

#include <QImage>
#include <QString>

class FrameArt {
public:
    enum class TitlePiece { Left, Centre, Right };
    enum class CaptionLook { ActiveOff, ActiveHover, Inactive };
    enum class Edge { Left, Right, Bottom, LowerLeft, LowerRight };

    static QImage title(TitlePiece piece, bool active);
    // glyph: "close", "max", "min" or "norm".
    static QImage captionButton(const QString& glyph, CaptionLook look);
    static QImage edge(Edge edge);
    // The dialog's lower corners, following its outline cut by 7 pixels.
    static QImage dialogCorner(bool left);

    static constexpr int TitleLeftWidth = 30;
    static constexpr int TitleCentreWidth = 8;
    static constexpr int TitleRightWidth = 84;
    static constexpr int EdgeLength = 32;
    static constexpr int DialogCorner = 10;
};
