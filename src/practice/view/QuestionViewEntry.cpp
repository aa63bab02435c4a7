// The entry point of the question view module (QuestionViewModule.h).

#include "practice/view/QuestionScheme.h"
#include "practice/view/QuestionView.h"

#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QWebEngineView>

namespace {
// Before the engine's first page, whichever comes first: a view or the
// warm-up.
void prepareEngine() {
    // The scheme must be known before the engine's first page exists.
    registerQuestionScheme();
    // The page is drawn in software into the window's own picture. With Qt
    // Quick's OpenGL back end every repaint of the practice window (the
    // clock, once a second) composes the whole window again through OpenGL,
    // which without a graphics card is software OpenGL: about 10 ms of CPU
    // time a second while the pupil only thinks, and a slower first paper.
    // (Screenshots taken with XGetImage on the root window of a plain X
    // server show windows that overlap the page as black; the screen itself
    // shows them, as Xvfb's own frame buffer file confirms.)
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}
} // namespace

extern "C" Q_DECL_EXPORT QuestionDisplay* quillora_create_question_view(QWidget* parent) {
    prepareEngine();
    return new QuestionView(parent);
}

// A view that is never shown loads a blank page: the engine starts (its
// libraries, its threads, its helper processes, the question scheme on the
// profile) and the view goes once loaded.
extern "C" Q_DECL_EXPORT QObject* quillora_warm_up_question_view() {
    prepareEngine();
    auto* view = new QWebEngineView;
    view->setAttribute(Qt::WA_DontShowOnScreen);
    QuestionSchemeHandler::forProfile(view->page()->profile());
    QObject::connect(view, &QWebEngineView::loadFinished, view, &QObject::deleteLater);
    view->setUrl(QUrl(QStringLiteral("about:blank")));
    return view;
}
