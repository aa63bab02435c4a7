#pragma once
// The program's own message dialog: a small skinned window with a title, the
// information picture `ImgInfo`, the message `lblMessage` and one or two
// picture buttons `But1`/`But2` with their captions `But1_lbl`/`But2_lbl`.
// Loaded anew for every use: CallPop fills and places it, exec() shows it
// modally, and the button pressed leaves its answer in the application
// state's `PopUpResponse` (OK/Yes true, No false). There is no close button;
// Enter answers OK/Yes and Esc answers No; on an OK notice Esc only closes it
// (the answer is then OK). The focus starts on `But1`; Tab reaches `But2`,
// and Enter or Space answers with the focused button.

#include <QDialog>

struct AppState;
class PictureCache;
class PictureButton;
class SkinnedFrame;
class QLabel;

class frmPopUp : public QDialog {
    Q_OBJECT
public:
    // Design-time size in pixels; a message too long for it makes the dialog
    // taller rather than cutting the text off.
    static constexpr int DesignWidth = 330;
    static constexpr int DesignHeight = 150;
    static constexpr int ButtonGap = 10;    // between Yes and No
    static constexpr int ShortMessage = 32; // characters that fit on one line
    static constexpr int ShortMessageDrop = 7;

    frmPopUp(AppState& state, PictureCache& pictures, QWidget* parent = nullptr);

    // Button set 1: "OK" centred; 2: "Yes" and "No". Any other set is shown as
    // set 1, so that the dialog can always be left. owner may be null (the
    // dialog is then centred on the screen).
    void CallPop(const QString& title, const QString& message, int buttons, QWidget* owner);
    int buttonSet() const { return m_buttonSet; }

    void But1_Click();
    void But2_Click();
    // Leaves the dialog answered No, whatever its buttons (the program ends).
    void Dismiss();

    SkinnedFrame* frame() const { return m_frame; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void layoutFromLoad();

    AppState& m_state;
    SkinnedFrame* m_frame = nullptr;
    QLabel* m_info = nullptr;
    QLabel* m_message = nullptr;
    PictureButton* m_but1 = nullptr;
    PictureButton* m_but2 = nullptr;
    int m_buttonSet = 1;
    bool m_answered = false;
};
