#include "main_window/ui/Contents.h"

#include "chrome/Backgrounds.h"
#include "chrome/PictureButton.h"
#include "chrome/SkinnedFrame.h"
#include "chrome/Twips.h"
#include "core/FolderLock.h"
#include "core/GraphicsTable.h"
#include "core/Log.h"
#include "core/Numbering.h"
#include "core/ProgramDefinition.h"
#include "core/ProgramFolder.h"
#include "main_window/Startup.h"
#include "main_window/ui/AboutPage.h"
#include "main_window/ui/EngineWarmUp.h"
#include "main_window/ui/HomePage.h"
#include "main_window/ui/ModulesPage.h"
#include "main_window/ui/NavigationBar.h"
#include "main_window/ui/PupilPicker.h"
#include "main_window/ui/PupilsPage.h"
#include "main_window/ui/ReportPage.h"
#include "main_window/ui/ReportPrinter.h"
#include "main_window/ui/StartupEnvironment.h"
#include "main_window/ui/TrashPage.h"
#include "practice/ui/PracticeWindow.h"
#include "results/ResultsFiles.h"
#include "results/ResultsRepair.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPaintEvent>
#include <QTimer>
#include <algorithm>

namespace {

// The log's lines for a start or a pupil's folder that failed: each file that
// could not be written, else the folder, with the system's reason (or what is
// wrong with the content).
void logNotPrepared(const QString& what, const QString& folder,
                    const Startup::PupilOutcome& outcome, const QString& detail = QString()) {
    const QString why = outcome.reason.isEmpty() ? detail : outcome.reason;
    if (outcome.notWritten.isEmpty())
        logFailure(what, folder, why);
    for (const QString& file : outcome.notWritten)
        logFailure(what, file, why);
}

} // namespace

Contents::Contents(ProgramServices& program, QWidget* parent)
    : QWidget(parent), m_store(program.store), m_state(program.state), m_pictures(program.pictures),
      m_popUp(program.popUp), m_services(program.services), m_roster(program.roster) {
    setObjectName(QStringLiteral("Contents"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
}

Contents::~Contents() {
    // The practice window is a window of its own, not a child: it goes here,
    // without calling back into a window that is being destroyed.
    if (m_practice) {
        disconnect(m_practice, nullptr, this, nullptr);
        delete m_practice.data();
    }
}

QString Contents::startupProblemText(Startup::Problem problem, const QString& reason) const {
    const QString folder = QDir::toNativeSeparators(m_state.programFolder);
    const QString because = reason.isEmpty() ? QString() : tr(", because %1").arg(reason);
    const QString product = PopUpService::productName();
    switch (problem) {
    case Startup::Problem::FolderInUse:
        return tr("%1 is already open. Please use its window.").arg(product);
    case Startup::Problem::FolderNotWritable:
        return tr("%1 cannot write in its folder %2%3, so it could "
                  "not keep your results. Please ask a grown-up to check the folder.")
            .arg(product, folder, because);
    case Startup::Problem::LockNotAFile:
        return tr("%1 cannot start, because something that is not a "
                  "plain file (a link to another place, or a folder) stands where its file "
                  "%2 should be. The program never writes through such a link. Please ask a "
                  "grown-up to remove it, then start the program again.")
            .arg(product,
                 QDir::toNativeSeparators(
                     QDir(m_state.programFolder).filePath(QLatin1String(Startup::LockFileName))));
    case Startup::Problem::DefinitionNotWritten:
        return tr("%1 could not prepare its practice papers in the "
                  "folder %2%3. Please check that the folder can be written to, then start "
                  "the program again.")
            .arg(product, folder, because);
    case Startup::Problem::NoContent:
        return tr("%1 has no practice papers to show: its content is "
                  "missing or damaged. Please install the program again.")
            .arg(product);
    case Startup::Problem::ResultsNotWritable:
        return tr("%1 cannot keep your results in the folder %2%3. "
                  "Please check that the folder can be written to, then start the "
                  "program again.")
            .arg(product, folder, because);
    case Startup::Problem::None:
        break;
    }
    return QString();
}

void Contents::setStrandedResults(const QString& folder, const QString& reason) {
    m_strandedFolder = folder;
    m_strandedReason = reason;
}

bool Contents::startUp() {
    // Teachers' modules before the definition is read, so that it shows them.
    m_modules = Modules(m_state.programFolder);
    const QStringList leftOut = m_modules.attachAll(m_store);
    Startup startup(m_store, m_state.programFolder);
    startup.setStrandedResults(m_strandedFolder, m_strandedReason, [this](const QString& question) {
        return m_popUp.ask(PopUpService::programTitle(), question, PopUpButtons::YesNo, nullptr);
    });
    Startup::Outcome outcome = startup.run();
    m_lock = std::move(outcome.lock);
    if (!outcome.ok()) {
        logNotPrepared(QStringLiteral("the program did not start"), m_state.programFolder, outcome,
                       outcome.detail);
        m_popUp.tell(PopUpService::programTitle(),
                     startupProblemText(outcome.problem, outcome.reason), nullptr);
        return false;
    }
    m_state.definition = outcome.definition;
    m_state.lblCOD = outcome.definition.programCode;
    m_roster = outcome.roster;

    // The pictures come from the store as the controls ask for them; the
    // Graphics folder is written once the window has been drawn
    // (finishStartup).
    move(Twips::toPx(DesignLeft), Twips::toPx(DesignTop));
    resize(Twips::toPx(DesignWidth), Twips::toPx(DesignHeight));
    buildWindow();
    const ProgramDefinition& definition = m_state.definition;
    setWindowTitle(definition.displayName);
    m_frame->setTitle(definition.displayName);
    bringUp(m_home);

    // One pupil: prepared like the results always were. Several: asked first,
    // and asked again while the one chosen cannot be prepared.
    Startup::PupilOutcome prepared = outcome;
    if (outcome.pupil) {
        m_pupil = outcome.pupil;
    } else {
        for (;;) {
            const int id = askPupil(false);
            if (!id || m_endRequested) {
                // Leaving without saying who practises is an ordinary end.
                m_endedAtPicker = true;
                return false;
            }
            prepared = Startup::preparePupil(m_store, m_roster.folderOf(id), m_state.definition);
            if (prepared.ok()) {
                m_pupil = id;
                break;
            }
            logNotPrepared(QStringLiteral("results folder not prepared"), m_roster.folderOf(id),
                           prepared);
            m_popUp.tell(PopUpService::programTitle(), pupilFolderProblem(id, prepared.reason),
                         nullptr);
        }
    }
    m_startupRepair = prepared.marksRepair;
    m_roster.choose(m_pupil);
    m_state.resultsFolder = m_roster.folderOf(m_pupil);
    showPupil();

    // Every run starts on the first module's Home page, topic 1.
    const int first = definition.firstModule();
    m_state.LChose = first;
    m_state.txtTabPos = first;
    Tab_Click(first);
    m_state.txtToolBarPos = 1;
    m_state.txtReportPos = 1;
    m_state.TopicCount = 1;
    m_home->LoadModuleResults();

    show();
    if (!outcome.strandedNote.isEmpty())
        m_popUp.tell(PopUpService::programTitle(), outcome.strandedNote, this);
    tellStartupProblems({});
    for (const QString& message : leftOut)
        m_popUp.tell(PopUpService::programTitle(), message, this);
    tellRosterReport(outcome.rosterReport);
    tellPrepared(prepared);
    return true;
}

void Contents::tellPrepared(const Startup::PupilOutcome& prepared) {
    if (prepared.resultsLost())
        m_popUp.tell(PopUpService::programTitle(),
                     forPupil(tr("Some of your saved results could not be found, so they start "
                                 "again empty. Everything else you have done is kept.")),
                     this);
    if (!prepared.upgrade.clearedPapers.isEmpty())
        m_popUp.tell(PopUpService::programTitle(),
                     forPupil(EditionUpgrade::message(prepared.upgrade)), this);
}

QString Contents::forPupil(const QString& message) const {
    return m_state.pupilName.isEmpty() ? message
                                       : m_state.pupilName + QStringLiteral(": ") + message;
}

QString Contents::pupilFolderProblem(int id, const QString& reason) const {
    const Pupil* pupil = m_roster.find(id);
    const QString where = QDir::toNativeSeparators(m_roster.folderOf(id));
    const QString why = reason.isEmpty() ? QString() : tr(", because %1").arg(reason);
    return tr("The results of %1 cannot be kept in the folder %2%3. Please check that the "
              "folder can be written to. The other pupils can practise as usual.")
        .arg(pupil ? pupil->name : QString(), where, why);
}

void Contents::tellRosterReport(const PupilRoster::LoadReport& report) {
    QStringList lines;
    if (report.rebuilt)
        lines << tr("The list of pupils was damaged. Every pupil's results are kept; pupils "
                    "whose names were lost are called \"Pupil\" and a number: please rename "
                    "them on the Pupils page of the Help tab.");
    if (!report.adopted.isEmpty())
        lines << tr("Results found in the results folder were added to the list of pupils: %1.")
                     .arg(report.adopted.join(QStringLiteral(", ")));
    if (!report.missing.isEmpty())
        lines << tr("The results folder of %1 could not be found, so their results start again "
                    "empty.")
                     .arg(report.missing.join(QStringLiteral(", ")));
    if (!report.written)
        lines << tr("The list of pupils could not be saved in the folder %1. Please check that "
                    "the folder can be written to.")
                     .arg(QDir::toNativeSeparators(m_state.programFolder));
    if (!lines.isEmpty())
        m_popUp.tell(PopUpService::programTitle(), lines.join(QLatin1Char(' ')), this);
}

int Contents::askPupil(bool cancellable) {
    const QList<Pupil> order = m_roster.pickerOrder();
    if (m_pupilChooser)
        return m_pupilChooser(order);
    if (m_popUp.ended())
        return 0;
    auto* picker = new PupilPicker(m_pictures, order, cancellable, isVisible() ? this : nullptr);
    m_picker = picker;
    const int id = picker->exec() == QDialog::Accepted ? picker->chosenPupil() : 0;
    delete picker;
    return id;
}

void Contents::showPupil() {
    m_state.pupilName = m_roster.shownName(m_pupil);
    m_home->setPupil(m_state.pupilName, m_roster.pupils().size() > 1);
    if (m_trash)
        m_trash->setPupilName(m_state.pupilName);
    if (m_pupils)
        m_pupils->refresh(m_pupil);
}

QString Contents::reportCaption() const {
    if (m_state.pupilName.isEmpty())
        return windowTitle();
    return windowTitle() + QStringLiteral(" \u2013 ") + m_state.pupilName;
}

void Contents::changePupil() {
    const int id = askPupil(true);
    if (id)
        switchPupil(id);
}

bool Contents::switchPupil(int id) {
    if (!m_roster.find(id))
        return false;
    if (id == m_pupil)
        return true;
    // The start's checks of this pupil's files are done before they are left.
    finishStartup();
    const Startup::PupilOutcome prepared =
        Startup::preparePupil(m_store, m_roster.folderOf(id), m_state.definition);
    if (!prepared.ok()) {
        logNotPrepared(QStringLiteral("results folder not prepared"), m_roster.folderOf(id),
                       prepared);
        m_popUp.tell(PopUpService::programTitle(), pupilFolderProblem(id, prepared.reason), this);
        return false;
    }
    // The open paper is this pupil's: its answers are kept before it closes.
    if (m_practice) {
        if (m_practice->isMarking())
            m_practice->finishMarkingNow();
        if (!m_practice->saveForClosing())
            return false;
        unloadPracticeWindow();
    }
    m_pupil = id;
    m_state.resultsFolder = m_roster.folderOf(id);
    m_roster.choose(id);
    showPupil();
    ResultsRepair::Report repair = prepared.marksRepair;
    repair.add(ResultsRepair(m_store, m_state.resultsFolder, m_state.definition).runRest());
    ShowPage();
    if (repair.damaged())
        m_popUp.tell(PopUpService::programTitle(), forPupil(repair.message()), this);
    tellPrepared(prepared);
    return true;
}

bool Contents::rosterChanged(const PupilRoster::Outcome& outcome, const QString& name) {
    if (!outcome.ok()) {
        m_popUp.tell(PopUpService::programTitle(), PupilRoster::problemText(outcome.problem, name),
                     this);
        return false;
    }
    showPupil();
    return true;
}

bool Contents::addPupil(const QString& name) {
    const PupilRoster::Outcome outcome = m_roster.add(name);
    return rosterChanged(outcome, name);
}

bool Contents::renamePupil(int id, const QString& name) {
    const PupilRoster::Outcome outcome = m_roster.rename(id, name);
    return rosterChanged(outcome, name);
}

bool Contents::removePupil(int id) {
    const Pupil* pupil = m_roster.find(id);
    if (!pupil)
        return false;
    const QString name = pupil->name;
    if (m_roster.pupils().size() == 1) {
        m_popUp.tell(PopUpService::programTitle(),
                     PupilRoster::problemText(PupilRoster::Problem::OnlyPupil, name), this);
        return false;
    }
    const int marked = markedPaperCount(m_roster.folderOf(id), m_state.definition);
    const QString question =
        tr("Remove %1 from the list of pupils? %1 has %2 marked %3. The results are not "
           "deleted: they are kept in the folder %4, from where they can be put back by hand.")
            .arg(name)
            .arg(marked)
            .arg(marked == 1 ? tr("paper") : tr("papers"))
            .arg(QDir::toNativeSeparators(m_roster.removedFolderOf(id)));
    if (!m_popUp.ask(PopUpService::programTitle(), question, PopUpButtons::YesNo, this))
        return false;
    if (id == m_pupil) {
        int other = 0;
        for (const Pupil& candidate : m_roster.pickerOrder()) {
            if (candidate.id != id) {
                other = candidate.id;
                break;
            }
        }
        if (!switchPupil(other))
            return false;
    }
    const PupilRoster::Outcome outcome = m_roster.remove(id);
    return rosterChanged(outcome, name);
}

int Contents::Run() {
    StartupEnvironment::quitOnTerminationSignals([this] { endRun(); });
    int status = 1;
    if (startUp()) {
        status = 0;
        if (!m_endRequested)
            status = QApplication::exec();
    } else if (m_endedAtPicker) {
        status = 0;
    }
    // Nothing of this run is on the stack any more: the windows can go.
    QuitProgram();
    StartupEnvironment::quitOnTerminationSignals();
    return status;
}

void Contents::endRun() {
    m_endRequested = true;
    m_popUp.endAll();
    if (m_picker)
        m_picker->close();
    QCoreApplication::exit(0);
}

void Contents::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // After the first frame, not before it: nothing on screen needs the
    // folder, and a first start writes ninety files into it.
    if (!m_finishScheduled && !m_startupFinished && m_lock && m_lock->isLocked()) {
        m_finishScheduled = true;
        QTimer::singleShot(0, this, &Contents::finishStartup);
    }
}

void Contents::finishStartup() {
    if (m_startupFinished || !m_lock || !m_lock->isLocked())
        return;
    m_startupFinished = true;
    EngineWarmUp::schedule(this);
    // A changed or deleted picture file is restored; unchanged ones are left alone.
    tellStartupProblems(ExtractGraphics(m_store, m_state.programFolder));
    m_startupRepair.add(
        ResultsRepair(m_store, m_state.resultsFolder, m_state.definition).runRest());
    if (m_startupRepair.damaged())
        m_popUp.tell(PopUpService::programTitle(), forPupil(m_startupRepair.message()), this);
}

void Contents::tellStartupProblems(const QStringList& unwritten) {
    for (const QString& file : unwritten)
        logFailure(QStringLiteral("picture not copied"), file);
    // Told once a run, whichever problem shows first.
    if ((unwritten.isEmpty() && m_pictures.missing().isEmpty()) || m_picturesTold)
        return;
    m_picturesTold = true;
    const QString message =
        m_pictures.missing().isEmpty()
            ? tr("The program's pictures could not be copied into the folder %1. You can "
                 "still practise as usual.")
                  .arg(QDir::toNativeSeparators(graphicsFolder(m_state.programFolder)))
            : tr("Some of the program's pictures are missing, so parts of the windows are "
                 "blank. You can still practise as usual. Installing the program again "
                 "brings them back.");
    m_popUp.tell(PopUpService::programTitle(), message, this);
}

void Contents::buildWindow() {
    Backgrounds::fill(this, Qt::white);

    m_frame = new SkinnedFrame(this, m_pictures, FrameOptions::MainWindow());
    connect(m_frame, &SkinnedFrame::closeClicked, this, &Contents::QuitProgram);
    connect(m_frame, &SkinnedFrame::minClicked, this, &QWidget::showMinimized);

    // The tabs of the existing modules, captioned with their headings.
    m_navigation = new NavigationBar(this, m_pictures);
    connect(m_navigation, &NavigationBar::tabClicked, this, &Contents::Tab_Click);
    connect(m_navigation, &NavigationBar::toolBarClicked, this, &Contents::ToolBar_Click);
    m_navigation->setCaptions(m_state.definition, m_modules.freeSlot());
    m_navigation->layoutTabs(m_state.definition, StripLeft, StripTop, width() - 2 * StripLeft);

    const QRect body = bodyRect();
    m_home = new HomePage(m_state, m_pictures, body.size(), this);
    connect(m_home, &HomePage::paperChosen, this, &Contents::OpenPaper);
    connect(m_home, &HomePage::changePupilClicked, this, &Contents::changePupil);
    placePage(m_home);
    m_printer = std::make_unique<ReportPrinter>(m_popUp);

    m_frame->layout();
    m_frame->raise();
    m_frame->pRoundCorners();
}

void Contents::placePage(QWidget* page) {
    page->move(bodyRect().topLeft());
    page->hide();
    // A page made later still lies under the frame's edges and corners.
    m_frame->raise();
}

ReportPage* Contents::ensureReportPage() {
    if (m_report)
        return m_report;
    m_report = new ReportPage(this);
    m_report->setObjectName(QStringLiteral("Body_Report"));
    m_report->resize(bodyRect().size());
    connect(m_report, &ReportPage::reportPanelChosen, this, [this](int pos) {
        m_state.txtReportPos = pos;
        m_report->ArrangeReportPanels(pos);
    });
    placePage(m_report);
    return m_report;
}

AboutPage* Contents::ensureAboutPage() {
    if (m_about)
        return m_about;
    m_about = new AboutPage(m_pictures, bodyRect().size(), this);
    m_about->setProgramName(m_state.definition.displayName);
    m_about->setModulesButtonShown(m_modules.freeSlot() == 0);
    connect(m_about, &AboutPage::modulesClicked, this, &Contents::showModulesPage);
    placePage(m_about);
    return m_about;
}

TrashPage* Contents::ensureTrashPage() {
    if (m_trash)
        return m_trash;
    m_trash = new TrashPage(
        m_pictures, [this] { return ResetAllResults(); }, bodyRect().size(), this);
    m_trash->setPaperOpenQuery([this] { return m_practice && m_practice->isVisible(); });
    m_trash->setPupilName(m_state.pupilName);
    placePage(m_trash);
    return m_trash;
}

PupilsPage* Contents::ensurePupilsPage() {
    if (m_pupils)
        return m_pupils;
    PupilsPage::Actions actions;
    actions.add = [this](const QString& name) { return addPupil(name); };
    actions.rename = [this](int id, const QString& name) { return renamePupil(id, name); };
    actions.remove = [this](int id) { return removePupil(id); };
    actions.choose = [this](int id) { return switchPupil(id); };
    m_pupils = new PupilsPage(m_pictures, m_roster, std::move(actions), bodyRect().size(), this);
    placePage(m_pupils);
    return m_pupils;
}

QRect Contents::bodyRect() const {
    const QWidget* strip = m_navigation->ScnTabBG();
    const int top = strip->y() + strip->height();
    const int bottom = m_frame->BBot()->y();
    return QRect(strip->x(), top, strip->width(), qMax(0, bottom - top));
}

void Contents::bringUp(QWidget* body) {
    const QWidget* strip = m_navigation->ScnTabBG();
    body->move(strip->x(), strip->y() + strip->height());
    body->show();
    body->raise();

    QList<QWidget*> pages = {m_home, m_report, m_about, m_trash, m_pupils, m_modulesPage};
    pages.removeAll(nullptr);
    // Focus inside a page that goes away moves into the page that comes up,
    // not on to whatever follows in the Tab order (a tab behind the strip).
    QWidget* focused = focusWidget();
    if (focused && !body->isAncestorOf(focused) &&
        std::any_of(pages.begin(), pages.end(),
                    [focused](QWidget* page) { return page->isAncestorOf(focused); })) {
        QWidget* next = body->nextInFocusChain();
        while (next != body && body->isAncestorOf(next) &&
               !(next->isVisible() && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus)))
            next = next->nextInFocusChain();
        if (next != body && body->isAncestorOf(next)) {
            // The keyboard user sees where the focus went; a mouse user sees no frame.
            next->setFocus(testAttribute(Qt::WA_KeyboardFocusChange) ? Qt::TabFocusReason
                                                                     : Qt::ActiveWindowFocusReason);
        } else {
            focused->clearFocus();
        }
    }
    for (QWidget* page : pages) {
        if (page != body)
            page->hide();
    }
    m_frame->raise();
}

void Contents::Tab_Click(int n) {
    m_state.txtTabPos = n;
    m_state.txtToolBarPos = 1;
    m_state.txtReportPos = 1;
    m_navigation->RaiseTab(n);
    m_navigation->showSelection(n);
    m_frame->raise();
    if (n >= 1 && n <= 3 && n != m_navigation->freeSlot())
        m_state.LChose = n;
    ShowPage();
}

void Contents::ToolBar_Click(int n) {
    m_state.txtToolBarPos = n;
    ShowPage();
}

Contents::Page Contents::pageAt(int tab, int button) {
    static constexpr Page ModulePages[] = {Page::Home, Page::Report, Page::PrintReport, Page::Quit};
    static constexpr Page HelpPages[] = {Page::About, Page::Trash, Page::Pupils,
                                         Page::PrinterSetup};
    if (button < 1 || button > NavigationBar::Buttons)
        return Page::None;
    if (tab >= 1 && tab <= 3)
        return ModulePages[button - 1];
    if (tab == NavigationBar::HelpTab)
        return HelpPages[button - 1];
    return Page::None;
}

void Contents::ShowPage() {
    Page page = pageAt(m_state.txtTabPos, m_state.txtToolBarPos);
    // The free module tab has only its page and Close.
    if (m_state.txtTabPos == m_navigation->freeSlot())
        page = page == Page::Home ? Page::Modules : page == Page::Quit ? Page::Quit : Page::None;
    switch (page) {
    case Page::Home:
        m_home->LoadModuleResults();
        bringUp(m_home);
        break;
    case Page::Report:
        finishStartup();
        ensureReportPage()->setPupilName(m_state.pupilName);
        m_report->BuildReport(m_state.chosenModule(), m_home->marks(),
                              resultsFilePath(m_state.resultsFolder, ResultsFile::Trend,
                                              m_state.LChose, m_state.lblCOD));
        m_report->ArrangeReportPanels(m_state.txtReportPos);
        bringUp(m_report);
        break;
    case Page::PrintReport:
        finishStartup();
        m_printer->PrintReport(this, reportCaption(), m_state.chosenModule(), m_home->marks());
        break;
    case Page::Quit:
        QuitProgram();
        break;
    case Page::About:
        bringUp(ensureAboutPage());
        break;
    case Page::Trash:
        bringUp(ensureTrashPage());
        m_trash->resetPage();
        break;
    case Page::Pupils:
        bringUp(ensurePupilsPage());
        m_pupils->refresh(m_pupil);
        break;
    case Page::PrinterSetup:
        m_printer->PrintSetup(this);
        break;
    case Page::Modules:
        showModulesPage();
        break;
    case Page::None:
        break;
    }
}

bool Contents::ResetAllResults() {
    // An open paper holds the results it read and would write them back.
    unloadPracticeWindow();
    const EraseOutcome outcome =
        eraseAllResults(m_store, m_state.resultsFolder, m_state.definition);
    if (outcome.ok())
        return true;
    logFailure(QStringLiteral("results not erased"), outcome.failedPath, outcome.reason);
    // Says which files were erased and which still hold the old results.
    m_popUp.tell(PopUpService::programTitle(), forPupil(eraseProblemText(outcome)), this);
    return false;
}

void Contents::RefreshContents() {
    m_home->LoadModuleResults(HomePage::TopicChoice::KeepChosen);
    for (int k = 1; k <= HomePage::TopicSlots; ++k) {
        if (m_state.TopicCount == Numbering::topicFirstIndex(k))
            m_home->Topic_Click(k);
    }
}

PracticeWindow* Contents::practiceWindow() const {
    return m_practice.data();
}

void Contents::unloadPracticeWindow() {
    if (!m_practice)
        return;
    // A marking the pupil has confirmed is finished, not cut off.
    m_practice->finishMarkingNow();
    // Deleting the window runs its unload handling (it removes its question
    // document and asks for RefreshContents); no confirmation is asked.
    delete m_practice.data();
}

void Contents::OpenPaper(int offset, int attempt) {
    // While a paper is being marked another one does not open: the pupil is
    // shown the marking instead.
    if (m_practice && m_practice->isMarking()) {
        if (m_practice->isMinimized())
            m_practice->showNormal();
        m_practice->raise();
        m_practice->activateWindow();
        return;
    }
    finishStartup();
    m_state.PaperNum = Numbering::paperNumOfIndex(m_state.TopicCount + offset);
    m_state.TakeNum = attempt;
    // Taken before the old window unloads: its unload refreshes the page.
    PaperOpening opening = PaperOpening::fromState(m_state);
    unloadPracticeWindow();

    auto* window = new PracticeWindow(std::move(opening), m_services);
    if (!window->LoadPaper()) {
        delete window;
        return;
    }
    m_practice = window;
    connect(window, &PracticeWindow::unloaded, this, &Contents::RefreshContents);
    window->show();
}

void Contents::QuitProgram() {
    unloadPracticeWindow();
    close();
}

void Contents::closeEvent(QCloseEvent* event) {
    unloadPracticeWindow();
    event->accept();
}
