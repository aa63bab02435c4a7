#include "practice/ui/PracticeWindow.h"

#include "chrome/AppServices.h"
#include "chrome/Backgrounds.h"
#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "chrome/PopUpService.h"
#include "chrome/ReaderTree.h"
#include "chrome/SkinnedFrame.h"
#include "chrome/Twips.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/Log.h"
#include "core/Scoring.h"
#include "practice/MhtmlArchive.h"
#include "practice/PaperSession.h"
#include "practice/SpokenQuestion.h"
#include "practice/ui/AnswerRow.h"
#include "practice/ui/AnswerSheet.h"
#include "practice/ui/DragResizer.h"
#include "practice/ui/MarkingProgress.h"
#include "practice/ui/PracticeStatusBar.h"
#include "practice/ui/PracticeToolBar.h"
#include "practice/ui/QuestionDisplay.h"
#include "practice/ui/QuestionViewModule.h"
#include "practice/ui/ReadAloud.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace {

constexpr int ClockIntervalMs = 1000; // the clock shows whole seconds
constexpr int QnTitleInset = 640;     // himetric narrower than the view
constexpr int QnTitleTop = 120;       // himetric above and below the caption
// Twips from the window's outer width to the paper summary's left edge in
// the tool bar's own coordinates, where it has room.
constexpr int PaperSumFromRight = 4095;

// The file a failed write names, for a grown-up to find.
QString resultsFileWords(const QString& path) {
    return path.isEmpty()
               ? QStringLiteral("A results file in the program's folder")
               : QStringLiteral("The results file %1").arg(QDir::toNativeSeparators(path));
}

} // namespace

PaperOpening PaperOpening::fromState(const AppState& state) {
    PaperOpening opening;
    opening.session = PaperSessionSetup::fromState(state);
    opening.topicName = state.SubH1;
    opening.paperInTopic = opening.session.paperIndex() - state.TopicCount + 1;
    opening.pupilName = state.pupilName;
    return opening;
}

PracticeWindow::PracticeWindow(PaperOpening opening, const AppServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_opening(std::move(opening)),
      m_services(services) {
    setObjectName(isSecondAttempt() ? QStringLiteral("Test2") : QStringLiteral("Test1"));
    buildControls();
}

PracticeWindow::~PracticeWindow() {
    // Deleted without being closed (another paper opens, the program ends):
    // the unload still runs.
    Form_Unload();
}

bool PracticeWindow::isSecondAttempt() const {
    return m_opening.session.attempt == 2;
}

void PracticeWindow::buildControls() {
    PictureCache& pictures = *m_services.pictures;
    const bool second = isSecondAttempt();
    Backgrounds::fill(this, Backgrounds::panel());

    m_frame = new SkinnedFrame(this, pictures, FrameOptions::PracticeWindow());
    connect(m_frame, &SkinnedFrame::closeClicked, this, &PracticeWindow::closePractice);
    connect(m_frame, &SkinnedFrame::minClicked, this, &PracticeWindow::imgProgMin_Click);
    connect(m_frame, &SkinnedFrame::maxClicked, this, &PracticeWindow::imgProgMax_Click);

    m_toolBar = new PracticeToolBar(pictures, this);
    connect(m_toolBar, &PracticeToolBar::buttonClicked, this, [this](int n) {
        switch (n) {
        case PracticeToolBar::Save:
            savePaper();
            break;
        case PracticeToolBar::Mark:
            MarkPaper();
            break;
        case PracticeToolBar::Print:
            printQuestion();
            break;
        case PracticeToolBar::Close:
            closePractice();
            break;
        case PracticeToolBar::Back:
            previousQuestion();
            break;
        case PracticeToolBar::Next:
            nextQuestion();
            break;
        case PracticeToolBar::Working:
            Working_Click();
            break;
        case PracticeToolBar::Read:
            readQuestion();
            break;
        }
    });
    m_reader = new ReadAloud(m_services.speechEngines, this);
    connect(m_reader, &ReadAloud::changed, this, &PracticeWindow::refreshReading);
    refreshReading();

    QString viewProblem;
    m_view = createQuestionView(this, &viewProblem);
    if (m_view) {
        m_viewWidget = m_view->widget();
        m_view->onDocumentLoaded(this, [this](bool ok) {
            if (!ok && m_session && !m_unloaded) {
                const QString why = m_session->documentNotWritten();
                logFailure(QStringLiteral("question %1 not shown").arg(m_session->paper().QSCount),
                           m_session->paper().DocumentPath, why);
                tell(PopUpService::programTitle(),
                     QStringLiteral("Question %1 could not be shown.")
                             .arg(m_session->paper().QSCount) +
                         (why.isEmpty() ? QString()
                                        : QStringLiteral(" The program could not copy it into "
                                                         "its folder, because %1.")
                                              .arg(why)));
            }
        });
    } else {
        qCWarning(lcQuillora) << "the question view cannot be loaded:" << viewProblem;
        m_viewWidget = new QWidget(this);
        m_viewWidget->setObjectName(QStringLiteral("brwWebBrowser"));
    }

    m_qnTitleBG = new QLabel(this);
    m_qnTitleBG->setObjectName(QStringLiteral("QnTitleBG"));
    m_qnTitleBG->setAutoFillBackground(true);
    QPalette titlePalette = m_qnTitleBG->palette();
    titlePalette.setColor(QPalette::Window, QColor(224, 236, 252));
    m_qnTitleBG->setPalette(titlePalette);
    m_qnTitle = new QLabel(m_qnTitleBG);
    m_qnTitle->setObjectName(QStringLiteral("QnTitle"));
    QFont titleFont = m_qnTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    m_qnTitle->setFont(titleFont);
    m_qnTitle->setStyleSheet(QStringLiteral("color: rgb(30, 60, 120);"));
    m_qnTitleBG->setFixedHeight(m_qnTitle->sizeHint().height() + 8);
    auto* titleRow = new QHBoxLayout(m_qnTitleBG);
    titleRow->setContentsMargins(10, 0, 10, 0);
    titleRow->addWidget(m_qnTitle);
    ReaderTree::setReadAs(m_qnTitleBG, ReaderTree::ReadAs::Heading);

    m_statusBar = new PracticeStatusBar(pictures, second, this);
    connect(m_statusBar, &PracticeStatusBar::questionPicked, this, &PracticeWindow::RemQns_Click);

    m_picHideAns = new QWidget(this);
    m_picHideAns->setObjectName(QStringLiteral("PicHideAns"));
    Backgrounds::fill(m_picHideAns, Backgrounds::panel());
    m_imgHandle = new PictureButton(QStringLiteral("ImgHandle"), m_picHideAns);
    m_imgHandle->resize(10, 60);
    m_imgHandle->setPictures(pictures.get(QStringLiteral("Handle.bmp")));
    m_imgHandle->setToolTip(QStringLiteral("Hide answer sheet"));
    m_imgHandle->setFixedSize(m_imgHandle->size());
    m_picHideAns->setFixedWidth(m_imgHandle->width() + 2);
    auto* handleColumn = new QVBoxLayout(m_picHideAns);
    handleColumn->setContentsMargins(0, 0, 0, 0);
    handleColumn->addWidget(m_imgHandle, 0, Qt::AlignCenter);
    connect(m_imgHandle, &PictureButton::clicked, this, &PracticeWindow::ImgHandle_Click);

    m_sheet = new AnswerSheet(pictures, second, this);
    connect(m_sheet, &AnswerSheet::enterPastLastBox, this, &PracticeWindow::enterPastLastBox);
    // The animation takes the place of the remaining-questions field.
    m_progress = new MarkingProgress(pictures, m_statusBar);
    connect(m_progress, &MarkingProgress::finished, this, &PracticeWindow::finishMarking);

    m_sizer = new QLabel(this);
    m_sizer->setObjectName(QStringLiteral("Sizer"));
    const QPixmap& grip = pictures.get(QStringLiteral("statusgrabber.bmp"));
    m_sizer->setPixmap(grip);
    m_sizer->resize(grip.isNull() ? QSize(12, 12) : grip.deviceIndependentSize().toSize());
    m_sizer->setCursor(Qt::SizeFDiagCursor);

    m_resizer = new DragResizer(this);
    m_resizer->watch(m_sizer);
    for (QWidget* edge :
         {static_cast<QWidget*>(m_frame->BLeft()), static_cast<QWidget*>(m_frame->BRight()),
          static_cast<QWidget*>(m_frame->BBot()), static_cast<QWidget*>(m_frame->BBotLeft()),
          static_cast<QWidget*>(m_frame->BBotRight())})
        m_resizer->watch(edge);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(ClockIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &PracticeWindow::Timer1_Timer);

    layoutBody();
    m_frame->raise();
    m_sizer->raise();
    installKeys();
}

void PracticeWindow::layoutBody() {
    // Inside the frame's edges: the tool bar over the body; in the body the
    // question's caption band, the view and the strip under it, then the
    // handle and the answer sheet against the right edge. The frame's pieces
    // and the size grip lie outside the layout, placed by resizeEvent.
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(m_frame->BLeft()->width(), m_frame->titleBarHeight(),
                               m_frame->BRight()->width(), m_frame->BBot()->height());
    window->setSpacing(0);
    // The drag-resize keeps its own smallest size; the layout squeezes.
    window->setSizeConstraint(QLayout::SetNoConstraint);
    window->addWidget(m_toolBar);
    auto* body = new QHBoxLayout;
    body->setSpacing(0);
    window->addLayout(body, 1);

    auto* question = new QVBoxLayout;
    question->setSpacing(0);
    // The question's caption gets a band of its own over the view, so that
    // it never hides the top of the question.
    const int inset = Himetric::toPx(QnTitleInset) / 2;
    const int above = Himetric::toPx(QnTitleTop);
    question->addSpacing(above);
    auto* band = new QHBoxLayout;
    band->setContentsMargins(inset, 0, Himetric::toPx(QnTitleInset) - inset, 0);
    band->addWidget(m_qnTitleBG);
    question->addLayout(band);
    question->addSpacing(above);
    question->addWidget(m_viewWidget, 1);
    question->addWidget(m_statusBar);
    body->addLayout(question, 1);
    body->addWidget(m_picHideAns);
    m_sheet->setFixedWidth(m_sheet->width());
    body->addWidget(m_sheet);
    // Eight buttons are wider than the strip of a window dragged to its
    // smallest size: the window stops where they still stand apart, marked or
    // not, so that it does not jump when the Working button comes.
    setMinimumWidth(m_toolBar->leastWidth() + m_frame->BLeft()->width() +
                    m_frame->BRight()->width());
    // The strip starts at the left edge and ends at the right one.
    m_toolBar->setSummaryInset(Twips::toPx(PaperSumFromRight) - m_frame->BLeft()->width() -
                               m_frame->BRight()->width());
}

void PracticeWindow::installKeys() {
    const struct {
        QKeySequence keys;
        int button;
        bool repeats;
    } bindings[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_S), PracticeToolBar::Save, false},
        {QKeySequence(Qt::CTRL | Qt::Key_M), PracticeToolBar::Mark, false},
        {QKeySequence(Qt::CTRL | Qt::Key_P), PracticeToolBar::Print, false},
        {QKeySequence(Qt::Key_Escape), PracticeToolBar::Close, false},
        {QKeySequence(Qt::Key_PageDown), PracticeToolBar::Next, true},
        {QKeySequence(Qt::Key_PageUp), PracticeToolBar::Back, true},
        // Alt, not Ctrl: the answer boxes keep their Ctrl editing keys.
        {QKeySequence(Qt::ALT | Qt::Key_W), PracticeToolBar::Working, false},
        // A key of its own: the boxes edit with none of the function keys.
        {QKeySequence(Qt::Key_F6), PracticeToolBar::Read, false},
    };
    for (const auto& binding : bindings) {
        auto* shortcut = new QShortcut(binding.keys, this);
        // A held Ctrl+M or Esc opens its dialog once, never again behind it.
        shortcut->setAutoRepeat(binding.repeats);
        const int button = binding.button;
        connect(shortcut, &QShortcut::activated, this,
                [this, button] { m_toolBar->trigger(button); });
    }
}

void PracticeWindow::enterPastLastBox() {
    if (!m_session || m_busy)
        return;
    const PaperState& paper = m_session->paper();
    if (paper.QSCount < paper.QuestionCount) {
        nextQuestion();
        return;
    }
    // The last box of the paper: the next step is marking it.
    PictureButton* mark = m_toolBar->button(PracticeToolBar::Mark);
    if (mark->isEnabled())
        mark->setFocus(Qt::TabFocusReason);
}

void PracticeWindow::tell(const QString& title, const QString& message) {
    if (m_services.popUp)
        m_services.popUp->ask(title, message, PopUpButtons::Ok, this);
}

void PracticeWindow::placeOnScreen() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    setGeometry(area.x() + area.width() / 10, area.y() + area.height() / 10, area.width() * 8 / 10,
                area.height() * 8 / 10);
}

bool PracticeWindow::LoadPaper() {
    if (!m_view) {
        tell(PopUpService::programTitle(),
             QStringLiteral("This paper could not be opened: the part of the program that shows "
                            "the questions is missing. Please ask a grown-up to install "
                            "%1 again.")
                 .arg(PopUpService::productName()));
        return false;
    }
    m_session =
        std::make_unique<PaperSession>(m_opening.session, *m_services.store, *m_services.clock);
    placeOnScreen();
    const LoadOutcome outcome = m_session->load();
    if (!outcome.ok()) {
        for (const QString& line : outcome.details)
            logFailure(QStringLiteral("paper %1 not opened").arg(m_opening.session.paperNum),
                       QString(), line);
        if (!outcome.reason.isEmpty())
            logFailure(QStringLiteral("paper %1 not opened").arg(m_opening.session.paperNum),
                       outcome.path.isEmpty() ? m_opening.session.programFolder : outcome.path,
                       outcome.reason);
        QString why;
        switch (outcome.problem) {
        case LoadProblem::ResultsUnreadable:
            // A grown-up can give the program back a file it may not read.
            if (readWasRefused(outcome.systemError))
                why = QStringLiteral("the program is not allowed to read your saved answers in "
                                     "%1. Please ask a grown-up to let it read and write that "
                                     "file.")
                          .arg(QDir::toNativeSeparators(outcome.path));
            else // each line names the file and what is wrong with it
                why = QStringLiteral("your saved answers could not be read (%1).")
                          .arg(outcome.details.join(QStringLiteral("; ")));
            break;
        case LoadProblem::BadPaper:
            why = QStringLiteral("there is no such paper.");
            break;
        case LoadProblem::ContentNotWritten:
            why =
                QStringLiteral("the program could not copy its questions into the folder "
                               "%1, because %2.")
                    .arg(QDir::toNativeSeparators(m_opening.session.programFolder), outcome.reason);
            break;
        default:
            why = QStringLiteral("its questions could not be read.");
            break;
        }
        tell(PopUpService::programTitle(),
             QStringLiteral("This paper could not be opened: ") + why);
        m_session.reset();
        return false;
    }

    const PaperState& paper = m_session->paper();
    const int paperInTopic = m_opening.paperInTopic;
    // Where pupils are named, the title says whose paper it is; a long name
    // is cut so that the topic and the paper still show.
    QString name = m_opening.pupilName;
    if (name.size() > TitleNameLength)
        name = name.left(TitleNameLength - 1) + QChar(0x2026);
    QString title =
        m_opening.topicName + QStringLiteral(" - Paper ") + QString::number(paperInTopic);
    if (!name.isEmpty())
        title = name + QStringLiteral(" \u2013 ") + m_opening.topicName +
                QStringLiteral(" \u2013 Paper ") + QString::number(paperInTopic);
    m_frame->setTitle(title);
    setWindowTitle(title);
    m_qnTitle->setText(QStringLiteral("Question %1").arg(paper.QSCount));

    showQuestionDocument();
    layoutAndShowRows();
    refreshRemaining();
    if (m_session->isMarked())
        showMarkedView();

    m_toolBar->lblTotalQ()->setText(QString::number(paper.TotalBlanks));
    m_statusBar->setDateText(shortDateText(paper.StartTime.date()));
    refreshToolBar();
    Timer1_Timer();
    m_timer->start();
    // The window opens ready for typing.
    m_sheet->focusFirstBox();
    return true;
}

void PracticeWindow::showQuestionDocument() {
    m_session->extractQuestionDocument();
    // A document that is not there clears the view (and the view reports
    // the failure), so that no other question stays under this title.
    if (m_view) {
        m_view->setDocumentTitle(QStringLiteral("Question %1").arg(m_session->paper().QSCount));
        m_view->showDocument(m_session->paper().DocumentPath);
    }
}

void PracticeWindow::layoutAndShowRows() {
    const int first = m_session->currentFirstBlank();
    const int n = qMin(m_session->currentBlankCount(), int(AnswerSheet::RowCount));
    QList<AnswerRowContent> rows;
    for (int k = 0; k < n; ++k)
        rows << m_session->rowContent(first + k);
    const bool longFirst = n > 0 && m_session->paper().AnswerKinds.value(first) == AnswerKind::L;
    m_sheet->layoutAnswerSheet(rows, longFirst, m_session->currentQuestionHasFractions());
    m_sheet->setQuestionNumber(m_session->paper().QSCount);
    m_sheet->showAnswerRows(n);
}

void PracticeWindow::refreshRemaining() {
    m_statusBar->setRemaining(m_session->paper().RemQns);
}

void PracticeWindow::refreshToolBar() {
    if (!m_session)
        return;
    const PaperState& paper = m_session->paper();
    const bool open = !m_session->isMarked();
    m_toolBar->setButtonEnabled(PracticeToolBar::Save, open);
    m_toolBar->setButtonEnabled(PracticeToolBar::Mark, open);
    m_toolBar->setButtonEnabled(PracticeToolBar::Back, paper.QSCount != 1);
    m_toolBar->setButtonEnabled(PracticeToolBar::Next, paper.QSCount != paper.QuestionCount);
    refreshWorking();
}

void PracticeWindow::refreshWorking() {
    const bool offered = m_session && m_session->workingMayBeShown();
    const bool here = offered && m_view && m_view->hasWorking();
    if (m_view)
        m_view->setWorkingShown(offered && m_workingWanted);
    m_toolBar->setWorkingButton(offered, here, m_workingWanted);
}

void PracticeWindow::Working_Click() {
    if (!m_session || m_busy || !m_session->workingMayBeShown() || !m_view || !m_view->hasWorking())
        return;
    m_workingWanted = !m_workingWanted;
    refreshWorking();
}

void PracticeWindow::refreshReading() {
    m_toolBar->setReadButton(m_reader->available(), m_reader->reading(), m_reader->reason());
}

void PracticeWindow::readQuestion() {
    if (!m_session || m_busy)
        return;
    if (m_reader->reading()) {
        m_reader->stop();
        return;
    }
    MhtmlArchive document;
    if (!document.load(m_session->paper().DocumentPath))
        return;
    const bool withWorking = m_workingWanted && m_session->workingMayBeShown();
    m_reader->read(QStringLiteral("Question %1.\n").arg(m_session->paper().QSCount) +
                   SpokenQuestion::spokenTextOf(document, withWorking));
}

bool PracticeWindow::reportWrite(const WriteOutcome& outcome, const QString& what) {
    if (outcome.ok())
        return true;
    logFailure(QStringLiteral("answers not saved"), outcome.path, outcome.reason);
    tell(PopUpService::programTitle(),
         what + QStringLiteral(" %1 could not be written, because %2. Your answers are still "
                               "here.")
                    .arg(resultsFileWords(outcome.path), outcome.reason));
    return false;
}

void PracticeWindow::goToQuestion(int question, bool focusFirstBox) {
    if (!m_session || m_busy || question < 1 || question > m_session->paper().QuestionCount)
        return;
    m_reader->stop();
    const WriteOutcome saved =
        m_session->moveToQuestion(m_sheet->rowTexts(m_session->currentBlankCount()), question);
    if (!reportWrite(saved, QStringLiteral("Your answers were not saved.")))
        return;
    m_qnTitle->setText(QStringLiteral("Question %1").arg(m_session->paper().QSCount));
    layoutAndShowRows();
    showQuestionDocument();
    refreshRemaining();
    refreshToolBar();
    Timer1_Timer();
    if (focusFirstBox)
        m_sheet->focusFirstBox();
}

void PracticeWindow::nextQuestion() {
    if (m_session)
        goToQuestion(m_session->paper().QSCount + 1, true);
}

void PracticeWindow::previousQuestion() {
    if (m_session)
        goToQuestion(m_session->paper().QSCount - 1, true);
}

void PracticeWindow::RemQns_Click(int question) {
    goToQuestion(question, false);
}

void PracticeWindow::savePaper() {
    if (!m_session || m_busy || m_session->isMarked())
        return;
    m_session->storeQuestionAnswers(m_sheet->rowTexts(m_session->currentBlankCount()));
    if (!reportWrite(m_session->saveAnswers(), QStringLiteral("Your answers were not saved.")))
        return;
    refreshRemaining();
    Timer1_Timer();
    m_services.popUp->tell(PopUpService::programTitle(), QStringLiteral("Paper saved"), this);
}

bool PracticeWindow::saveForClosing() {
    if (!m_session || m_session->isMarked())
        return true;
    m_session->storeQuestionAnswers(m_sheet->rowTexts(m_session->currentBlankCount()));
    return reportWrite(m_session->saveAnswers(),
                       QStringLiteral("Your answers were not saved, so the paper stays open."));
}

void PracticeWindow::MarkPaper() {
    if (!m_session || m_busy)
        return;
    m_reader->stop();
    if (m_session->isMarked()) {
        showMarkedView();
        return;
    }
    m_busy = true;
    const WriteOutcome saved =
        m_session->prepareMarking(m_sheet->rowTexts(m_session->currentBlankCount()));
    if (!reportWrite(saved, QStringLiteral("Your answers were not saved, so the paper was not "
                                           "marked."))) {
        m_busy = false;
        return;
    }
    refreshRemaining();
    Timer1_Timer();
    const bool confirmed = m_services.popUp->ask(
        PaperSession::markingTitle(), m_session->markingQuestion(), PopUpButtons::YesNo, this);
    if (!confirmed) {
        m_busy = false;
        return;
    }

    m_timer->stop();
    m_marking = true;
    // What is typed now would be lost: the answers were stored above.
    for (QLineEdit* box : m_sheet->findChildren<QLineEdit*>())
        box->setReadOnly(true);
    const QWidget* field = m_statusBar->TxtRem();
    m_progress->move(field->x(), (m_statusBar->height() - m_progress->height()) / 2);
    if (m_services.animationDelay)
        m_progress->run(m_services.animationDelay);
    else
        m_progress->start(m_services.animationStep);
}

void PracticeWindow::finishMarkingNow() {
    if (!m_marking)
        return;
    m_progress->stop();
    finishMarking();
}

void PracticeWindow::finishMarking() {
    if (!m_marking || !m_session)
        return;
    m_marking = false;
    const WriteOutcome marked = m_session->completeMarking();
    m_busy = false;
    m_timer->start();
    if (!marked.ok()) {
        logFailure(QStringLiteral("paper not marked"), marked.path, marked.reason);
        // The boxes take answers again.
        layoutAndShowRows();
        tell(PaperSession::markingTitle(),
             QStringLiteral("Your paper was not marked, because %1 could not be written: %2. "
                            "Your answers are saved; please try again later.")
                 .arg(resultsFileWords(marked.path), marked.reason));
        return;
    }
    showMarkedView();
    Timer1_Timer();
    Q_EMIT paperMarked();
}

void PracticeWindow::showMarkedView() {
    // Filling the rows again makes the boxes read-only and shows the marks
    // (and, in the second attempt, the answers of the blanks still wrong).
    layoutAndShowRows();
    const PaperState& paper = m_session->paper();
    m_statusBar->showMarked(paper.LTime, paper.ETime, paper.PScoring);
    refreshToolBar();
}

void PracticeWindow::printQuestion() {
    if (m_view && !m_busy)
        m_view->printWithDialog(this);
}

void PracticeWindow::closePractice() {
    if (m_busy)
        return;
    if (m_services.popUp->ask(QStringLiteral("Close Practice"), QStringLiteral("Confirm?"),
                              PopUpButtons::YesNo, this))
        close();
}

void PracticeWindow::closeEvent(QCloseEvent* event) {
    // Closed from outside while the bars run (a logout): the pupil asked for
    // the marking, so it is done before the window goes.
    finishMarkingNow();
    // Not while a step of marking or closing waits for the pupil.
    if (m_busy) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void PracticeWindow::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_timer->stop();
    m_reader->stop();
    if (m_session)
        m_session->removeQuestionDocument();
    Q_EMIT unloaded();
}

void PracticeWindow::imgProgMin_Click() {
    showMinimized();
}

void PracticeWindow::imgProgMax_Click() {
    if (isMinimized())
        return;
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void PracticeWindow::Timer1_Timer() {
    if (!m_session)
        return;
    if (!isSecondAttempt())
        m_statusBar->setClockText(m_session->clockText());
    m_toolBar->lblAnsweredQ()->setText(QString::number(m_session->answeredCount()));
}

void PracticeWindow::ImgHandle_Click() {
    showAnswerSheet(!m_answerSheetShown);
}

void PracticeWindow::showAnswerSheet(bool shown) {
    m_answerSheetShown = shown;
    // A hidden sheet leaves its width to the view; its boxes take no keys,
    // so Tab and Enter stay on what the pupil can see.
    m_sheet->setVisible(shown);
    m_sheet->setEnabled(shown);
    // At once, not at the next turn of the event loop: the view is as wide
    // as the sheet leaves it when the click returns.
    layout()->activate();
    m_imgHandle->setToolTip(shown ? QStringLiteral("Hide answer sheet")
                                  : QStringLiteral("Show answer sheet"));
}

void PracticeWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_frame->layout();
    const int gripGap = Himetric::toPx(60);
    m_sizer->move(width() - m_sizer->width() - gripGap, height() - m_sizer->height() - gripGap);
    // The sheet goes back to its shown place on every resize; the handle's
    // flag and tip follow, so that they never contradict what is on screen.
    if (!m_answerSheetShown)
        showAnswerSheet(true);
    m_frame->raise();
    m_sizer->raise();
    m_frame->pRoundCorners();
}
