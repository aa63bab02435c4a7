#pragma once
// The Modules page `Body_Modules`: a teacher's own modules, reached by the
// free module tab or, when both places are taken, by the About page's
// "Modules…" button. It explains what a module is, offers "Add a module…"
// (`ButModuleAdd`) while a place is free, and lists the loaded modules
// (`lblModule1`, `lblModule3`) with their heading, version and author, each
// with "Replace…" (`ButModuleReplace1`, ...) and "Remove…"
// (`ButModuleRemove1`, ...). The changes are the main window's (it asks,
// picks the file and tells).

#include "main_window/Modules.h"

#include <QWidget>
#include <array>
#include <functional>

class PictureCache;
class PictureButton;
class QLabel;

class ModulesPage : public QWidget {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> add;
        std::function<void(int slot)> replace;
        std::function<void(int slot)> remove;
    };

    ModulesPage(PictureCache& pictures, Actions actions, const QSize& size, QWidget* parent);

    // Shows the modules loaded now.
    void refresh(const Modules& modules);

private:
    struct Row {
        int slot = 0;
        QLabel* text = nullptr;
        PictureButton* replace = nullptr;
        PictureButton* remove = nullptr;
    };

    Actions m_actions;
    QLabel* m_intro = nullptr;
    PictureButton* m_add = nullptr;
    QLabel* m_full = nullptr;
    QLabel* m_none = nullptr;
    std::array<Row, 2> m_rows{};
};
