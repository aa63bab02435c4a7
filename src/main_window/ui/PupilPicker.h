#pragma once
// The question "Who is practising?" (`frmPupilPicker`): a small skinned dialog
// like the program's message dialog, with the pupils in a list
// (`lstPupilPicker`, the pupil chosen last first and selected) and the button
// `But1` ("Start"). Enter, a double click or the button takes the selected
// pupil; Up and Down move through the list; Esc leaves without a choice where
// there is something to go back to (cancellable), and only then.

#include "results/PupilRoster.h"

#include <QDialog>
#include <QList>

class PictureCache;
class PictureButton;
class SkinnedFrame;
class QListWidget;

class PupilPicker : public QDialog {
    Q_OBJECT
public:
    static constexpr int DesignWidth = 330;
    static constexpr int VisibleRows = 6; // more scroll

    // owner null: centred on the screen.
    PupilPicker(PictureCache& pictures, const QList<Pupil>& order, bool cancellable,
                QWidget* owner = nullptr);

    // The pupil taken; 0 until one is.
    int chosenPupil() const { return m_chosen; }
    QListWidget* list() const { return m_list; }
    // The selected pupil is taken.
    void But1_Click();
    // Leaves without a choice (the program ends).
    void dismiss();

    static QString Title() { return QStringLiteral("Who is practising?"); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    SkinnedFrame* m_frame = nullptr;
    QListWidget* m_list = nullptr;
    PictureButton* m_start = nullptr;
    bool m_cancellable = false;
    bool m_answered = false;
    int m_chosen = 0;
};
