#pragma once
// The practice window of one paper: `Test1` for the first attempt, `Test2`
// for the second. Both attempts share this class; the attempt's differences
// live in the paper session (what is loaded, written and shown in a row) and
// in the few controls only one attempt has.
//
// Layout, from the top: the skinned frame's title bar, the tool bar
// `ScnTabBG`, then the question view `brwWebBrowser` with the strip
// `RemQnsBG` under it, the handle strip `PicHideAns` and the answer sheet
// `AnsBox` on the right. The window owns its PaperSession from LoadPaper to
// its unload; every change to the results files goes through the session.
//
// Keys (each goes the way of its tool-bar button, confirmations included):
// Ctrl+S save, Ctrl+M mark, Ctrl+P print, Esc close, PageDown / PageUp next
// and previous question, Alt+W show or hide the worked solution, F6 read the question aloud
// (again: stop reading). Enter moves through the answer
// boxes and on to the next question; after the last box of the last question it brings the focus to
// the Mark button.

#include "practice/PaperSession.h"

#include <QWidget>
#include <memory>

struct AppState;
struct AppServices;
class AnswerSheet;
class DragResizer;
class MarkingProgress;
class PaperSession;
class PictureButton;
class PracticeStatusBar;
class PracticeToolBar;
class QLabel;
class QTimer;
class QuestionDisplay;
class ReadAloud;
class SkinnedFrame;
struct WriteOutcome;

// What a practice window is opened with, copied from the main window's state
// when the pupil picks the paper: the window reads no shared state while it
// lives, so the main window may change its state at any time.
struct PaperOpening {
    PaperSessionSetup session;
    QString topicName;    // the chosen topic (`SubH1`), for the title
    int paperInTopic = 1; // 1..5, for the title
    // Where pupils are named, whose paper it is; empty otherwise.
    QString pupilName;

    static PaperOpening fromState(const AppState& state);
};

class PracticeWindow : public QWidget {
    Q_OBJECT
public:
    PracticeWindow(PaperOpening opening, const AppServices& services, QWidget* parent = nullptr);
    ~PracticeWindow() override;

    // Opens the paper it was made with. False when it cannot be opened; the
    // pupil has then been told why.
    bool LoadPaper();

    const PaperSession* session() const { return m_session.get(); }
    bool isSecondAttempt() const;
    bool answerSheetShown() const { return m_answerSheetShown; }

    // The tool bar's commands (also reachable by clicking the buttons).
    void savePaper();
    // Before the window is closed from outside (another pupil is chosen):
    // the typed answers of an open paper are saved, without a notice. False
    // (and the pupil told) when they could not be.
    bool saveForClosing();
    // The most of a pupil's name the title shows, in characters.
    static constexpr int TitleNameLength = 30;
    // Once confirmed, marking runs with its animation and ends when the last
    // bar shows; until then the window takes no answers, moves or closes.
    void MarkPaper();
    bool isMarking() const { return m_marking; }
    // Ends a running marking at once (the rest of the animation skipped):
    // for whoever must unload the window now.
    void finishMarkingNow();
    void printQuestion();
    void closePractice();
    void nextQuestion();
    void previousQuestion();
    void RemQns_Click(int question);
    void ImgHandle_Click();
    // Shows or hides the worked solution under the question, where it may
    // be shown; the choice holds while moving between questions.
    void Working_Click();
    bool workingWanted() const { return m_workingWanted; }
    // Reads the question shown aloud from its start (with the worked
    // solution when it is shown), or stops the reading under way. Moving to
    // another question, marking and closing stop it too.
    void readQuestion();
    const ReadAloud* reader() const { return m_reader; }
    void imgProgMin_Click();
    void imgProgMax_Click();
    // The once-a-second refresh of the clock and the answered count.
    void Timer1_Timer();

Q_SIGNALS:
    // The window has closed and removed its question document.
    void unloaded();
    // The paper has just been marked (not when a marked paper is reopened).
    void paperMarked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void installKeys();
    void enterPastLastBox();
    void placeOnScreen();
    void goToQuestion(int question, bool focusFirstBox);
    void layoutAndShowRows();
    void showQuestionDocument();
    void showMarkedView();
    void finishMarking();
    void refreshToolBar();
    void refreshWorking();
    void refreshReading();
    void refreshRemaining();
    void Form_Unload();
    void layoutBody();
    void showAnswerSheet(bool shown);
    // Tells the pupil in plain words that a write failed; false then.
    bool reportWrite(const WriteOutcome& outcome, const QString& what);
    void tell(const QString& title, const QString& message);

    const PaperOpening m_opening;
    const AppServices& m_services;
    std::unique_ptr<PaperSession> m_session;

    SkinnedFrame* m_frame = nullptr;
    PracticeToolBar* m_toolBar = nullptr;
    // The question view `brwWebBrowser`; null when its module cannot be
    // loaded, and m_viewWidget is then an empty stand-in.
    QuestionDisplay* m_view = nullptr;
    QWidget* m_viewWidget = nullptr;
    QLabel* m_qnTitleBG = nullptr;
    QLabel* m_qnTitle = nullptr;
    PracticeStatusBar* m_statusBar = nullptr;
    QWidget* m_picHideAns = nullptr;
    PictureButton* m_imgHandle = nullptr;
    AnswerSheet* m_sheet = nullptr;
    MarkingProgress* m_progress = nullptr;
    QLabel* m_sizer = nullptr;
    DragResizer* m_resizer = nullptr;
    QTimer* m_timer = nullptr;
    ReadAloud* m_reader = nullptr;

    bool m_answerSheetShown = true;
    bool m_workingWanted = false; // the pupil asked for the working
    bool m_busy = false;          // marking or closing is under way
    bool m_marking = false;       // the marking animation runs
    bool m_unloaded = false;
};
