#include "practice/view/QuestionView.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include "practice/MhtmlArchive.h"
#include "practice/QuestionWorking.h"
#include "practice/view/QuestionPage.h"
#include "practice/view/QuestionScheme.h"

namespace {

bool isCopyOrCut(const QKeyEvent* key) {
    if ((key->modifiers() & Qt::ControlModifier) &&
        (key->key() == Qt::Key_C || key->key() == Qt::Key_X)) {
        return true;
    }
    // the other copy and cut keys of the platform (Ctrl+Insert, Shift+Delete)
    return key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut);
}

} // namespace

QuestionView::QuestionView(QWidget* parent) : QWebEngineView(parent) {
    setObjectName(QStringLiteral("brwWebBrowser"));
    // The page refuses every way of leaving the question document.
    setPage(new QuestionPage(this));
    setContextMenuPolicy(Qt::NoContextMenu);
    m_handler = QuestionSchemeHandler::forProfile(page()->profile());

    // Question documents are pictures and text: nothing in them needs to run
    // or to reach files and the network.
    QWebEngineSettings* s = settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);

    m_messageHook = [](QWidget* owner, const QString& title, const QString& text) {
        QMessageBox::warning(owner, title, text, QMessageBox::Ok);
    };
    m_printDialogHook = [](QPrinter* printer, QWidget* owner) {
        QPrintDialog dialog(printer, owner);
        return dialog.exec() == QDialog::Accepted;
    };

    connect(page(), &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo& info) { onLoadingChanged(info); });
    connect(this, &QWebEngineView::printFinished, this, [this](bool ok) {
        m_printing = false;
        Q_EMIT printDone(ok);
    });
}

QuestionView::~QuestionView() {
    releaseDocument();
    if (m_printing) {
        // The engine may still paint into the printer after we are gone; a
        // printer that outlives its job is the lesser harm.
        (void)m_printer.release();
    }
}

void QuestionView::releaseDocument() {
    if (!m_documentUrl.isEmpty()) {
        m_handler->removeDocument(m_documentUrl);
    }
    m_documentUrl.clear();
}

void QuestionView::showDocument(const QString& mhtPath) {
    auto archive = std::make_shared<MhtmlArchive>();
    m_documentFailed = !archive->load(mhtPath);
    m_documentError = archive->errorString();
    if (m_documentFailed) {
        // An empty page rather than the previous question under the new
        // title; it loads like any document, then reports the failure.
        archive->parse("Content-Type: text/html; charset=utf-8\r\n\r\n<html><body></body></html>");
    }
    m_archive = std::move(archive);
    loadArchive(false);
}

void QuestionView::loadArchive(bool scrollToWorking) {
    releaseDocument();
    const bool withWorking = m_workingShown && hasWorking();
    m_documentUrl = m_handler->addDocument(m_archive, withWorking, m_documentTitle);
    // The page compares without the fragment: scrolling to the working stays.
    static_cast<QuestionPage*>(page())->setDocumentUrl(m_documentUrl);
    if (withWorking && scrollToWorking && !m_documentUrl.isEmpty()) {
        m_documentUrl.setFragment(QString::fromLatin1(QuestionWorking::Anchor));
    }
    load(m_documentUrl);
}

bool QuestionView::hasWorking() const {
    return m_archive && !m_documentFailed && m_archive->hasWorking();
}

void QuestionView::setWorkingShown(bool shown) {
    if (shown == m_workingShown) {
        return;
    }
    m_workingShown = shown;
    // Only a page that changes is loaded again.
    if (hasWorking()) {
        loadArchive(shown);
    }
}

void QuestionView::onLoadingChanged(const QWebEngineLoadingInfo& info) {
    attachGuard();
    if (m_documentUrl.isEmpty() || info.url() != m_documentUrl) {
        return;
    }
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        return;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        Q_EMIT documentLoaded(!m_documentFailed);
        return;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
    case QWebEngineLoadingInfo::LoadFailedStatus:
        m_documentError = info.errorString();
        Q_EMIT documentLoaded(false);
        return;
    }
}

void QuestionView::onDocumentLoaded(QObject* context, std::function<void(bool ok)> loaded) {
    connect(this, &QuestionView::documentLoaded, context, std::move(loaded));
}

void QuestionView::printWithDialog(QWidget* owner) {
    if (m_printing) {
        return;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!m_printDialogHook(printer.get(), owner)) {
        return;
    }
    // The engine paints into the printer after print() returns.
    m_printer = std::move(printer);
    m_printing = true;
    print(m_printer.get());
}

bool QuestionView::event(QEvent* e) {
    const bool result = QWebEngineView::event(e);
    // The engine's input widget (the focus proxy) is created and replaced
    // as pages load; keep the guard on the current one.
    if (e->type() == QEvent::ChildAdded || e->type() == QEvent::ChildPolished ||
        e->type() == QEvent::Show) {
        QTimer::singleShot(0, this, [this] { attachGuard(); });
    }
    return result;
}

void QuestionView::attachGuard() {
    QWidget* proxy = focusProxy();
    if (proxy == m_guarded) {
        return;
    }
    if (m_guarded) {
        m_guarded->removeEventFilter(this);
    }
    m_guarded = proxy;
    if (proxy) {
        proxy->installEventFilter(this);
        proxy->setContextMenuPolicy(Qt::NoContextMenu);
    }
}

bool QuestionView::eventFilter(QObject* watched, QEvent* e) {
    if (watched != m_guarded) {
        return QWebEngineView::eventFilter(watched, e);
    }
    switch (e->type()) {
    case QEvent::KeyPress:
        if (isCopyOrCut(static_cast<QKeyEvent*>(e))) {
            refuse();
            return true;
        }
        break;
    case QEvent::KeyRelease:
        if (isCopyOrCut(static_cast<QKeyEvent*>(e))) {
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
            refuse();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
            return true;
        }
        break;
    case QEvent::ContextMenu:
        return true;
    default:
        break;
    }
    return QWebEngineView::eventFilter(watched, e);
}

// Shown after the event has been swallowed, outside the engine's input
// handling; one message at a time however fast the keys repeat.
void QuestionView::refuse() {
    if (m_messagePending) {
        return;
    }
    m_messagePending = true;
    QTimer::singleShot(0, this, [this] {
        m_messageHook(this, QStringLiteral("Error"), QStringLiteral("Invalid operation"));
        m_messagePending = false;
    });
}
