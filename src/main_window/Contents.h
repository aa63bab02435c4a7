#pragma once
// The main window `Contents`: the program's start object, alive from start-up
// to QuitProgram. It owns the application state (AppState) and the services
// every window uses (the store, the clock, the pop-up dialog behind
// PopUpService, the PictureCache), draws its SkinnedFrame, and holds four
// pages switched by the NavigationBar: HomePage, ReportPage, AboutPage and
// TrashPage. A paper flows like this: the pupil chooses a topic on the Home
// page (`TopicCount`), a paper button calls OpenPaper, which sets `PaperNum`
// and `TakeNum`, ends any open practice window and opens a PracticeWindow
// (`Test1` or `Test2`) on the shared state; that window marks and saves into
// the results files and, when it unloads, calls RefreshContents, which
// reloads the marks and keeps the chosen topic. The Report page and the
// ReportPrinter read the same marks.

#include "chrome/AppServices.h"
#include "chrome/PictureCache.h"
#include "chrome/PopUpService.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/ResourceStore.h"
#include "main_window/logic/Startup.h"
#include "results/ResultsRepair.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class FolderLock;
class SkinnedFrame;
class NavigationBar;
class HomePage;
class ReportPage;
class AboutPage;
class TrashPage;
class ReportPrinter;
class PracticeWindow;

class Contents : public QWidget {
    Q_OBJECT
public:
    // The window's place and size on the screen, in twips.
    static constexpr int DesignLeft = 60;
    static constexpr int DesignTop = 60;
    static constexpr int DesignWidth = 6070;
    static constexpr int DesignHeight = 7380;
    // The tab strip's place in the window, in pixels.
    static constexpr int StripLeft = 2;
    static constexpr int StripTop = 60;
    static constexpr const char* LockFileName = Startup::LockFileName;

    // programFolder: where results, the Graphics folder and temporary files
    // live (it must exist). store: the content; the built-in one by default.
    explicit Contents(const QString& programFolder, ResourceStore store = ResourceStore(),
                      QWidget* parent = nullptr);
    ~Contents() override;

    // Prepares the folder and the content (Startup), then builds and shows
    // the window on the first module's Home page. False when the program
    // must end (Startup::Problem); the pupil has been told why.
    bool Start();
    // Results left in a folder the program can no longer write, and why
    // (ChooseProgramFolder): Start offers to copy them, or says where they are.
    void setStrandedResults(const QString& folder, const QString& reason);
    // The whole run: Start, the event loop, then QuitProgram whatever ended
    // the loop. A termination signal (a logout) ends it through EndRun.
    // Returns the program's exit status.
    int Run();
    // Ends the run the ordinary way from wherever it is asked (a modal
    // dialog's loop included): the open dialog counts as answered No, no
    // other is shown, and every event loop is left; Run then unloads the
    // windows.
    void EndRun();

    AppState& state() { return m_state; }
    AppServices& services() { return m_services; }
    PopUpService& popUp() { return m_popUp; }
    // The open practice window (`Test1` or `Test2`), or null.
    PracticeWindow* practiceWindow() const;

    // Unloads the practice window without asking (a marking under way is
    // finished first), then the main window.
    void QuitProgram();
    // Called when a practice window unloads: reloads the marks, keeps the topic.
    void RefreshContents();
    // offset 0..4 (row - 1) of the chosen topic; attempt 1 or 2.
    void OpenPaper(int offset, int attempt);
    void Tab_Click(int n);
    void ToolBar_Click(int n);
    // What a tool-bar button does under a tab: the module tabs (1..3) show
    // Home and Report, print the report and end the program; the Help tab
    // (4) shows About and Trash and sets up the printer.
    enum class Page { None, Home, Report, PrintReport, Quit, About, Trash, PrinterSetup };
    static Page pageAt(int tab, int button);
    // Acts on `txtTabPos` and `txtToolBarPos`.
    void ShowPage();
    // Closes the open paper (it would write its old lists back), then
    // rewrites every results file of every existing module from its
    // template. False (and the pupil told) when a file could not be written.
    bool ResetAllResults();

    // What the start leaves until the window has first been drawn: the
    // Graphics folder checked and restored (the windows take their pictures
    // from the store), and the results files other than the marks checked
    // and repaired. Runs once; opening a paper or the report runs it first
    // if it has not run yet.
    void finishStartup();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // reason: what the system refused, when that is known ("the disk is full").
    QString startupProblemText(Startup::Problem problem, const QString& reason = QString()) const;
    ReportPage* ensureReportPage();
    AboutPage* ensureAboutPage();
    TrashPage* ensureTrashPage();
    void placePage(QWidget* page);
    void buildWindow();
    QRect bodyRect() const;
    void bringUp(QWidget* body);
    void unloadPracticeWindow();
    void tellStartupProblems(const QStringList& unwritten);

    ResourceStore m_store;
    Clock m_clock;
    AppState m_state;
    PictureCache m_pictures;
    PopUpService m_popUp;
    AppServices m_services;
    std::unique_ptr<FolderLock> m_lock;
    std::unique_ptr<ReportPrinter> m_printer;

    SkinnedFrame* m_frame = nullptr;
    NavigationBar* m_navigation = nullptr;
    HomePage* m_home = nullptr;
    ReportPage* m_report = nullptr;
    AboutPage* m_about = nullptr;
    TrashPage* m_trash = nullptr;
    QPointer<PracticeWindow> m_practice;
    ResultsRepair::Report m_startupRepair;
    QString m_strandedFolder; // see setStrandedResults
    QString m_strandedReason;
    bool m_finishScheduled = false;
    bool m_startupFinished = false;
    bool m_picturesTold = false;
    bool m_endRequested = false;
};
