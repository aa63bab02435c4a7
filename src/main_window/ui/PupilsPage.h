#pragma once
// The Pupils page `Body_Pupils` (Help tab, third tool-bar button): the children
// who practise on this login, for a parent to add (`ButPupilAdd`), rename
// (`ButPupilRename`), remove (`ButPupilRemove`) or choose as the one
// practising (`ButPupilChoose`). The list `lstPupils` shows every pupil, the
// one practising in bold; the name box `txtPupilName` takes the name to add or
// the new name of the selected pupil.
// The changes themselves are the main window's (it asks and tells).

#include <QWidget>
#include <functional>

class PictureCache;
class PictureButton;
class PupilRoster;
class QLabel;
class QLineEdit;
class QListWidget;

class PupilsPage : public QWidget {
    Q_OBJECT
public:
    // Each returns false when the change was refused (the parent was told).
    struct Actions {
        std::function<bool(const QString& name)> add;
        std::function<bool(int id, const QString& name)> rename;
        std::function<bool(int id)> remove;
        std::function<bool(int id)> choose;
    };

    PupilsPage(PictureCache& pictures, const PupilRoster& roster, Actions actions,
               const QSize& size, QWidget* parent);

    // Shows the roster again, practising marking the pupil practising.
    void refresh(int practising);

    void ButPupilAdd_Click();
    void ButPupilRename_Click();
    void ButPupilRemove_Click();
    void ButPupilChoose_Click();

private:
    void selectionChanged();
    void afterChange(bool done, int select);

    const PupilRoster& m_roster;
    Actions m_actions;
    int m_practising = 0;
    QListWidget* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_practisingNote = nullptr;
    PictureButton* m_add = nullptr;
    PictureButton* m_rename = nullptr;
    PictureButton* m_remove = nullptr;
    PictureButton* m_choose = nullptr;
};
