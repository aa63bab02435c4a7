#pragma once
// The tabs and the tool bar of the main window. The strip `ScnTabBG` runs
// under the four tabs `Tab01`..`Tab04` (captions `Tab01lbl`..`Tab04lbl`) and
// carries the four tool-bar buttons `ToolBar01`..`ToolBar04` (captions
// `lblTB01`..`lblTB04`). Tabs 1 to 3 choose a module, tab 4 is "Help"; the
// tool bar's captions, tool tips and pictures follow the kind of tab chosen.
// The bar only shows and reports; the main window decides what a click does.
// Keys: Ctrl+1 to Ctrl+4 click tabs 1 to 4 (a tab of a module the program
// does not have neither reacts nor takes the focus).
// One free module slot (3 before 1) shows its tab all the same, captioned
// "Add a module…": it leads to the Modules page, and its tool bar offers
// only Close.

#include <QObject>
#include <array>

struct ProgramDefinition;
class PictureCache;
class PictureButton;
class HoverGroup;
class QWidget;

class NavigationBar : public QObject {
    Q_OBJECT
public:
    static constexpr int Tabs = 4;
    static constexpr int Buttons = 4;
    static constexpr int HelpTab = 4;

    // Creates the strip, tabs and buttons as children of window.
    NavigationBar(QWidget* window, PictureCache& pictures);

    QWidget* ScnTabBG() const { return m_strip; }
    PictureButton* tab(int n) const { return m_tabs.at(n - 1); }

    // Tab captions and tool tips from the module headings; freeSlot (0:
    // none) is the tab offered for adding a module.
    void setCaptions(const ProgramDefinition& definition, int freeSlot = 0);
    // Places the strip at (left, top) with the given width, and the tabs of
    // the existing modules (and the free one) side by side from the strip's
    // left, overlapping by 4 pixels, then the Help tab; the other module
    // tabs move out of view.
    void layoutTabs(const ProgramDefinition& definition, int left, int top, int width);
    int freeSlot() const { return m_free; }
    // Stacks the tabs: the chosen one alone lies above the strip.
    void RaiseTab(int n);
    // Pictures of the tabs for the chosen one, captions/tool tips/pictures of
    // the tool bar for the kind of tab.
    void showSelection(int chosenTab);

Q_SIGNALS:
    void tabClicked(int n);
    void toolBarClicked(int n);

private:
    PictureCache& m_pictures;
    QWidget* m_strip = nullptr;
    std::array<PictureButton*, Tabs> m_tabs{};
    std::array<PictureButton*, Buttons> m_buttons{};
    std::array<bool, Tabs> m_present{false, false, false, true};
    int m_free = 0;
    int m_chosen = 1;    // the tab showSelection last chose
    int m_freeWidth = 0; // the free tab's width, room for its caption
    HoverGroup* m_tabHover = nullptr;
    HoverGroup* m_toolHover = nullptr;
};
