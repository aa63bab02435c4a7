// The main window's side of the teachers' modules: the Modules page, the file
// dialog, the questions and the messages. Modules does the work.
#include "chrome/SkinnedFrame.h"
#include "main_window/ui/AboutPage.h"
#include "main_window/ui/Contents.h"
#include "main_window/ui/HomePage.h"
#include "main_window/ui/ModulesPage.h"
#include "main_window/ui/NavigationBar.h"
#include "practice/ui/PracticeWindow.h"

#include <QDir>
#include <QFileDialog>

ModulesPage* Contents::ensureModulesPage() {
    if (m_modulesPage)
        return m_modulesPage;
    ModulesPage::Actions actions;
    actions.add = [this] { chooseAndAddModule(); };
    actions.replace = [this](int slot) { chooseAndReplaceModule(slot); };
    actions.remove = [this](int slot) { removeModule(slot); };
    m_modulesPage = new ModulesPage(m_pictures, std::move(actions), bodyRect().size(), this);
    placePage(m_modulesPage);
    return m_modulesPage;
}

void Contents::showModulesPage() {
    bringUp(ensureModulesPage());
    m_modulesPage->refresh(m_modules);
}

QString Contents::chooseModuleFile(const QString& caption) {
    if (m_moduleChooser)
        return m_moduleChooser(caption);
    if (m_popUp.ended())
        return QString();
    return QFileDialog::getOpenFileName(this, caption, QDir::homePath(), tr(Modules::FileFilter));
}

bool Contents::chooseAndAddModule() {
    const QString file = chooseModuleFile(tr("Add a module"));
    return !file.isEmpty() && addModule(file);
}

bool Contents::chooseAndReplaceModule(int slot) {
    const Modules::Loaded* loaded = m_modules.find(slot);
    if (!loaded)
        return false;
    const QString file = chooseModuleFile(tr("Replace %1 by a newer version").arg(loaded->heading));
    return !file.isEmpty() && replaceModule(slot, file);
}

bool Contents::closePaperForModules() {
    finishStartup();
    if (!m_practice)
        return true;
    if (m_practice->isMarking())
        m_practice->finishMarkingNow();
    if (!m_practice->saveForClosing())
        return false;
    unloadPracticeWindow();
    return true;
}

bool Contents::tellModuleOutcome(const Modules::Outcome& outcome) {
    if (outcome.ok())
        return true;
    m_popUp.tell(PopUpService::programTitle(), Modules::problemText(outcome), this);
    // A module loaded whose pupils' files could not all be made still changed
    // the definition.
    if (outcome.problem == Modules::Problem::ResultsNotMade)
        modulesChanged(outcome);
    return false;
}

void Contents::modulesChanged(const Modules::Outcome& outcome) {
    m_state.definition = outcome.definition;
    const int free = m_modules.freeSlot();
    m_navigation->setCaptions(m_state.definition, free);
    m_navigation->layoutTabs(m_state.definition, StripLeft, StripTop, width() - 2 * StripLeft);
    if (m_about)
        m_about->setModulesButtonShown(free == 0);
    if (!m_state.definition.moduleExists(m_state.LChose))
        m_state.LChose = m_state.definition.firstModule();
    // The page stays where it was reached from: the free tab, which may now
    // be another slot's, or the Help tab.
    if (m_state.txtTabPos != NavigationBar::HelpTab)
        m_state.txtTabPos = free ? free : NavigationBar::HelpTab;
    m_navigation->RaiseTab(m_state.txtTabPos);
    m_navigation->showSelection(m_state.txtTabPos);
    m_frame->raise();
    m_home->LoadModuleResults();
    if (m_modulesPage)
        m_modulesPage->refresh(m_modules);
}

bool Contents::addModule(const QString& file) {
    if (!closePaperForModules())
        return false;
    m_modules.setPupilFolders(pupilFolders());
    const Modules::Outcome outcome = m_modules.add(file, m_store);
    if (!tellModuleOutcome(outcome))
        return false;
    modulesChanged(outcome);
    // The new module is shown at once, on its Home page.
    Tab_Click(outcome.slot);
    return true;
}

bool Contents::replaceModule(int slot, const QString& file) {
    if (!closePaperForModules())
        return false;
    m_modules.setPupilFolders(pupilFolders());
    const Modules::Outcome outcome = m_modules.replace(slot, file, m_store);
    if (!tellModuleOutcome(outcome))
        return false;
    modulesChanged(outcome);
    const Modules::Loaded* loaded = m_modules.find(slot);
    const QString heading = loaded ? loaded->heading : QString();
    const QString message =
        outcome.clearedPapers.isEmpty()
            ? tr("%1 is now version %2. Every result is kept.")
                  .arg(heading)
                  .arg(loaded ? loaded->version : 0)
            : tr("%1 is now version %2. It has new questions in %3 of the papers that had been "
                 "started: the answers to the old questions have been cleared, so those papers "
                 "can be started afresh. Scores and the other papers' answers are kept.")
                  .arg(heading)
                  .arg(loaded ? loaded->version : 0)
                  .arg(outcome.clearedPapers.size());
    m_popUp.tell(PopUpService::programTitle(), message, this);
    return true;
}

bool Contents::removeModule(int slot) {
    const Modules::Loaded* loaded = m_modules.find(slot);
    if (!loaded)
        return false;
    m_modules.setPupilFolders(pupilFolders());
    const int marked = m_modules.markedPapers(slot, m_state.definition);
    QString question =
        tr("Remove the module %1? %2 %3 of it %4 been marked. The results are not deleted: "
           "they are kept in the folder %5, from where they can be put back by hand.")
            .arg(loaded->heading)
            .arg(marked)
            .arg(marked == 1 ? tr("paper") : tr("papers"))
            .arg(marked == 1 ? tr("has") : tr("have"))
            .arg(QDir::toNativeSeparators(m_modules.removedFolderFor(slot)));
    if (m_practice && m_practice->isVisible())
        question += QLatin1Char(' ') + tr("The paper you have open will be closed first.");
    if (!m_popUp.ask(PopUpService::programTitle(), question, PopUpButtons::YesNo, this))
        return false;
    if (!closePaperForModules())
        return false;
    const Modules::Outcome outcome = m_modules.remove(slot, m_store);
    if (!tellModuleOutcome(outcome))
        return false;
    modulesChanged(outcome);
    return true;
}

QStringList Contents::pupilFolders() const {
    QStringList folders;
    for (const Pupil& pupil : m_roster.pupils())
        folders << m_roster.folderOf(pupil.id);
    return folders;
}
