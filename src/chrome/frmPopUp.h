#pragma once
// The program's own message dialog: a small skinned window with a title, the
// information picture `ImgInfo`, the message `lblMessage` and one or two
// picture buttons `But1`/`But2` with their captions `But1_lbl`/`But2_lbl`.
// Loaded anew for every use: CallPop fills and places it, exec() shows it
// modally, and the button pressed leaves its answer in `PopUpResponse`
// (OK/Yes true, No false). There is no close button; Enter answers OK/Yes
// and Esc answers No; on an OK notice Esc only closes it (the answer is then
// OK). The focus starts on `But1`; Tab reaches `But2`,
// and Enter or Space answers with the focused button.

#include "chrome/PopUpService.h"

#include <QDialog>

class PictureCache;
class PictureButton;
class SkinnedFrame;
class QLabel;

class frmPopUp : public QDialog {
    Q_OBJECT
public:
    // Size in pixels; a message too long for it makes the dialog taller
    // rather than cutting the text off.
    static constexpr int DesignWidth = 330;
    static constexpr int DesignHeight = 150;
    static constexpr int ButtonGap = 10;    // between Yes and No
    static constexpr int ShortMessage = 32; // characters that fit on one line
    static constexpr int ShortMessageDrop = 7;

    explicit frmPopUp(PictureCache& pictures, QWidget* parent = nullptr);

    // "OK" centred, or "Yes" and "No". owner may be null (the dialog is then
    // centred on the screen).
    void CallPop(const QString& title, const QString& message, PopUpButtons buttons,
                 QWidget* owner);
    // The answer; until a button is pressed, OK for a notice and No for a
    // question.
    bool PopUpResponse() const { return m_response; }

    void But1_Click();
    void But2_Click();
    // Leaves the dialog answered No, whatever its buttons (the program ends).
    void dismiss();

    SkinnedFrame* frame() const { return m_frame; }
    // Centres dialog over its owner's window, or on the screen without one.
    static void centreOver(QWidget* dialog, QWidget* owner);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void layoutFromLoad();

    SkinnedFrame* m_frame = nullptr;
    QLabel* m_info = nullptr;
    QLabel* m_message = nullptr;
    PictureButton* m_but1 = nullptr;
    PictureButton* m_but2 = nullptr;
    PopUpButtons m_buttonSet = PopUpButtons::Ok;
    bool m_response = true;
    bool m_answered = false;
};
