#pragma once
// The practice window's tool-bar strip `ScnTabBG`: Save, Mark, Print, Close,
// Back and Next as picture buttons `ToolBar01`..`ToolBar06` with their
// captions `lblTB01`..`lblTB06`, Read (`ToolBar08`, "Read to me", after
// Close), Working (`ToolBar07`, after Read, shown only where a worked
// solution may be), and the paper summary `PaperSum`
// with the count of answered blanks `lblAnsweredQ` out of `lblTotalQ`.
//
// Pictures follow the mouse through a HoverGroup that tracks presses.

#include <QList>
#include <QPixmap>
#include <QWidget>

class HoverGroup;
class QHBoxLayout;
class QSpacerItem;
class PictureButton;
class PictureCache;
class QLabel;

class PracticeToolBar : public QWidget {
    Q_OBJECT
public:
    enum Button { Save = 1, Mark, Print, Close, Back, Next, Working, Read };
    static constexpr int ButtonCount = 8;
    // The name screen readers give the Read button, whatever its tool tip.
    static constexpr char ReadName[] = "Read to me";

    PracticeToolBar(PictureCache& pictures, QWidget* parent);

    PictureButton* button(int n) const { return m_buttons.value(n - 1); } // 1..8
    QLabel* lblAnsweredQ() const { return m_answered; }
    QLabel* lblTotalQ() const { return m_total; }
    QLabel* PaperSum() const { return m_paperSum; }
    HoverGroup* hover() const { return m_hover; }

    // Enabled: the off/on/pressed pictures; disabled: the disabled picture
    // (Print and Close are never disabled).
    void setButtonEnabled(int n, bool enabled);
    // The Working button: offered at all (shown), usable for the question
    // shown (enabled), and whether it now shows or hides the working, which
    // its spoken name says ("Show working", "Hide working").
    void setWorkingButton(bool offered, bool enabled, bool workingShown);
    // The Read button: usable (else its tool tip is the reason given), and
    // whether it is reading now (its tip then offers to stop).
    void setReadButton(bool available, bool reading, const QString& reason);
    // Where the strip has room, the summary's left edge stands this many
    // pixels from the strip's right end.
    void setSummaryInset(int inset);
    // The narrowest strip that holds every button side by side, the Working
    // button included, with no gaps and no summary.
    int leastWidth() const;

    // What a click on button n does (the keyboard's Ctrl+S, Ctrl+M, ...):
    // buttonClicked(n) unless the button is disabled.
    void trigger(int n);

Q_SIGNALS:
    void buttonClicked(int n);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    PictureCache& m_pictures;
    HoverGroup* m_hover;
    QList<PictureButton*> m_buttons;
    QList<bool> m_enabled;
    QPixmap m_working[4]; // off, on, pressed, disabled
    QPixmap m_read[4];
    QLabel* m_paperSum;
    QWidget* m_count;
    QLabel* m_answered;
    QLabel* m_total;
    QHBoxLayout* m_row = nullptr;
    QSpacerItem* m_workingGap = nullptr;  // before Working, empty while it is hidden
    QSpacerItem* m_summaryRoom = nullptr; // between the summary and Back
};
