#pragma once
// The Trash page `Body_Trash`: erasing all results in three steps. The pupil
// presses "Trash" (`ButTrash`), is asked "Are you sure?" (`ButTrash_Yes`,
// `ButTrash_No`), and after Yes reads that everything has been erased
// (`Trashlbl3`). The erasing itself is the main window's.

#include <QWidget>
#include <functional>

class PictureCache;
class PictureButton;
class QLabel;

class TrashPage : public QWidget {
    Q_OBJECT
public:
    // erase rewrites every results file; it returns false when that failed
    // (and has told the pupil why), so the page does not claim success.
    TrashPage(PictureCache& pictures, std::function<bool()> erase, const QSize& size,
              QWidget* parent);

    // When it answers true, the question also says that the open paper will
    // be closed (the erase closes it first).
    void setPaperOpenQuery(std::function<bool()> paperOpen) { m_paperOpen = std::move(paperOpen); }

    // Whose results the erase takes, where pupils are named; empty: "your".
    void setPupilName(const QString& name);

    // The first step: only the explanation and the Trash button.
    void resetPage();
    void ButTrash_Click();
    void ButTrash_Yes_Click();
    void ButTrash_No_Click();

private:
    std::function<bool()> m_erase;
    std::function<bool()> m_paperOpen;
    QLabel* m_intro = nullptr;
    QLabel* m_question = nullptr;
    QLabel* m_paperNote = nullptr;
    QLabel* m_done = nullptr;
    PictureButton* m_trash = nullptr;
    PictureButton* m_yes = nullptr;
    PictureButton* m_no = nullptr;
};
