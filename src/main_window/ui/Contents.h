#pragma once
// The main window `Contents`: the program's start object, alive from start-up
// to QuitProgram. It works on the application state (AppState) and the
// services every window uses (the store, the clock, the pop-up dialog behind
// PopUpService, the PictureCache), which main() makes before it and keeps
// after it (ProgramServices); it draws its SkinnedFrame, and holds four
// pages switched by the NavigationBar: HomePage, ReportPage, AboutPage and
// TrashPage. A paper flows like this: the pupil chooses a topic on the Home
// page (`TopicCount`), a paper button calls OpenPaper, which sets `PaperNum`
// and `TakeNum`, ends any open practice window and opens a PracticeWindow
// (`Test1` or `Test2`) with a copy of what it needs (PaperOpening); that
// window marks and saves into the results files and, when it unloads, calls
// RefreshContents, which reloads the marks and keeps the chosen topic. The Report page and the
// ReportPrinter read the same marks.
//
// Several pupils may share the program: the PupilRoster gives each a results
// folder of their own, `resultsFolder` in the state names the chosen pupil's,
// and everything that reads or writes results goes there. With more than one
// pupil the start asks who practises (PupilPicker); the Home page can change
// pupil and the PupilsPage (Help tab, third button) adds, renames and removes.
//
// A teacher's module may be added in slot 3 or 1 (Modules keeps the files,
// the store serves them): the free slot's tab, "Add a module…", shows the
// ModulesPage, which adds, replaces and removes; the definition is read again
// after each change and the tabs follow it.

#include "main_window/Modules.h"
#include "main_window/Startup.h"
#include "main_window/ui/ProgramServices.h"
#include "results/PupilRoster.h"
#include "results/ResultsRepair.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class FolderLock;
class SkinnedFrame;
class NavigationBar;
class HomePage;
class ReportPage;
class AboutPage;
class TrashPage;
class PupilsPage;
class ModulesPage;
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

    // program: the folder, the content and the services; it must outlive
    // the window.
    explicit Contents(ProgramServices& program, QWidget* parent = nullptr);
    ~Contents() override;

    // Prepares the folder and the content (Startup), then builds and shows
    // the window on the first module's Home page. False when the program
    // must end (Startup::Problem); the pupil has been told why.
    bool startUp();
    // Results left in a folder the program can no longer write, and why
    // (chooseProgramFolder): startUp offers to copy them, or says where they are.
    void setStrandedResults(const QString& folder, const QString& reason);
    // The whole run: startUp, the event loop, then QuitProgram whatever ended
    // the loop. A termination signal (a logout) ends it through endRun.
    // Returns the program's exit status: 0 also when the pupil leaves the
    // question who practises without an answer.
    int Run();
    // Ends the run the ordinary way from wherever it is asked (a modal
    // dialog's loop included): the open dialog counts as answered No, no
    // other is shown, and every event loop is left; Run then unloads the
    // windows.
    void endRun();

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
    enum class Page {
        None,
        Home,
        Report,
        PrintReport,
        Quit,
        About,
        Trash,
        Pupils,
        PrinterSetup,
        Modules
    };
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

    const PupilRoster& roster() const { return m_roster; }
    // The pupil whose results are shown and written.
    int pupil() const { return m_pupil; }
    // Asks who is practising and changes to the pupil chosen.
    void changePupil();
    // Makes pupil id the one practising: the open paper is saved and closed
    // first, the pupil's folder prepared like at start-up. False (and the
    // parent told why) when that could not be done; nothing changed then.
    bool switchPupil(int id);
    // The pupil list's changes; false when refused (the parent has been told).
    bool addPupil(const QString& name);
    bool renamePupil(int id, const QString& name);
    // Asks first, naming the pupil and the papers marked; the folder is set
    // aside, not deleted. The pupil practising is changed for another first.
    bool removePupil(int id);

    // Teachers' modules. The Modules page (the free tab's page, or the About
    // page's "Modules…" button when no slot is free).
    const Modules& modules() const { return m_modules; }
    void showModulesPage();
    // Asks for the file (the seam, else the file dialog), then adds or
    // replaces; every refusal is told. False when nothing changed.
    bool chooseAndAddModule();
    bool chooseAndReplaceModule(int slot);
    bool addModule(const QString& file);
    bool replaceModule(int slot, const QString& file);
    // Asks first, naming the module and its marked papers; the files are set
    // aside, not deleted.
    bool removeModule(int slot);
    // Test seam: the module file chosen (empty: none), instead of the dialog.
    using ModuleFileChooser = std::function<QString(const QString& caption)>;
    void setModuleFileChooser(ModuleFileChooser chooser) { m_moduleChooser = std::move(chooser); }

    // The printed report's title: the program's name, and the pupil's where
    // names are shown.
    QString reportCaption() const;

    // Test seam: who is practising, given the list the picker shows (the
    // pupil chosen last first); 0 ends the question without a choice.
    using PupilChooser = std::function<int(const QList<Pupil>& order)>;
    void setPupilChooser(PupilChooser chooser) { m_pupilChooser = std::move(chooser); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // reason: what the system refused, when that is known ("the disk is full").
    QString startupProblemText(Startup::Problem problem, const QString& reason = QString()) const;
    ReportPage* ensureReportPage();
    AboutPage* ensureAboutPage();
    TrashPage* ensureTrashPage();
    PupilsPage* ensurePupilsPage();
    ModulesPage* ensureModulesPage();
    QString chooseModuleFile(const QString& caption);
    // The open paper saved and closed before a module changes under it;
    // false when it could not be saved (the pupil was told).
    bool closePaperForModules();
    // The definition after a module change: tabs, pages and the module shown.
    void modulesChanged(const Modules::Outcome& outcome);
    bool tellModuleOutcome(const Modules::Outcome& outcome);
    // Every pupil's results folder.
    QStringList pupilFolders() const;
    // The picker's answer (the seam, else the dialog); 0 when none.
    int askPupil(bool cancellable);
    // Takes pupil id as the one practising, folder prepared; false (and
    // told) when its folder cannot be prepared.
    bool takePupil(int id, bool atStart);
    // Window titles, the Home page's line and the pages that name the pupil.
    void showPupil();
    void tellRosterReport(const PupilRoster::LoadReport& report);
    // After a change of the list: tells why it was refused, else shows it.
    bool rosterChanged(const PupilRoster::Outcome& outcome, const QString& name);
    // What preparing the pupil's folder lost or cleared, if anything.
    void tellPrepared(const Startup::PupilOutcome& prepared);
    // message, led by the pupil's name where names are shown.
    QString forPupil(const QString& message) const;
    // Why pupil id's results folder could not be prepared; reason: what the
    // system refused, when known.
    QString pupilFolderProblem(int id, const QString& reason) const;
    void placePage(QWidget* page);
    void buildWindow();
    QRect bodyRect() const;
    void bringUp(QWidget* body);
    void unloadPracticeWindow();
    void tellStartupProblems(const QStringList& unwritten);

    // All in ProgramServices, which outlives this window and its children.
    // The store is the windows' own: teachers' modules are attached to it.
    ResourceStore& m_store;
    AppState& m_state;
    PictureCache& m_pictures;
    PopUpService& m_popUp;
    AppServices& m_services;
    PupilRoster& m_roster;
    std::unique_ptr<FolderLock> m_lock;
    std::unique_ptr<ReportPrinter> m_printer;

    SkinnedFrame* m_frame = nullptr;
    NavigationBar* m_navigation = nullptr;
    HomePage* m_home = nullptr;
    ReportPage* m_report = nullptr;
    AboutPage* m_about = nullptr;
    TrashPage* m_trash = nullptr;
    PupilsPage* m_pupils = nullptr;
    ModulesPage* m_modulesPage = nullptr;
    Modules m_modules{QString()};
    ModuleFileChooser m_moduleChooser;
    int m_pupil = 0;
    PupilChooser m_pupilChooser;
    QPointer<QWidget> m_picker;   // the open picker, closed when the run ends
    bool m_endedAtPicker = false; // the start ended without a pupil chosen
    QPointer<PracticeWindow> m_practice;
    ResultsRepair::Report m_startupRepair;
    QString m_strandedFolder; // see setStrandedResults
    QString m_strandedReason;
    bool m_finishScheduled = false;
    bool m_startupFinished = false;
    bool m_picturesTold = false;
    bool m_endRequested = false;
};
