#pragma once
// Buttons and panels of the windows: tool-bar buttons in their four states,
// tabs, load buttons, generic buttons, bottom bars, column heads, progress
// bar piece, size grip, bullet, handle, pen panel and report bar.

#include "ToolIcons.h"

#include <QImage>
#include <QString>

class ControlArt {
public:
    enum class State { Off, On, Pressed, Disabled };

    explicit ControlArt(const ToolIcons& icons) : m_icons(icons) {}

    QImage toolButton(const QString& icon, State state) const;
    static QImage tab(bool front, bool hover);
    static QImage loadButton(bool hover);
    static QImage button(State state);
    // 1: tileable strip; 2: remaining-questions panel; 3: clock and count
    // panels; 4: the marking progress panel.
    static QImage bottomBar(int which);
    static QImage columnHead(int which);
    static QImage progressPiece();
    static QImage sizeGrip();
    static QImage bullet();
    static QImage handle();
    static QImage penPanel();
    static QImage reportBar();

    static constexpr int ToolWidth = 60;
    static constexpr int ToolHeight = 46;
    static constexpr int ToolIconSize = 24;
    static constexpr int ToolIconTop = 4;
    static constexpr int TabWidth = 92;
    static constexpr int TabHeight = 24;
    static constexpr int LoadWidth = 28;
    static constexpr int LoadHeight = 22;
    static constexpr int ButtonWidth = 80;
    static constexpr int ButtonHeight = 26;
    static constexpr int BarHeight = 26;
    static constexpr int ProgressWidth = 11;
    static constexpr int ProgressHeight = 16;

private:
    const ToolIcons& m_icons;
};
