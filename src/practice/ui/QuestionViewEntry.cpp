// The entry point of the question view module (QuestionViewModule.h).

#include "practice/ui/QuestionScheme.h"
#include "practice/ui/QuestionView.h"

#include <QQuickWindow>
#include <QSGRendererInterface>

extern "C" Q_DECL_EXPORT QuestionDisplay* quillora_create_question_view(QWidget* parent) {
    // The scheme must be known before the engine's first page exists, and
    // the first view is the first thing the process asks of the engine.
    RegisterQuestionScheme();
    // The page is drawn in software into the window's own picture. With Qt
    // Quick's OpenGL back end every repaint of the practice window (the
    // clock, once a second) composes the whole window again through OpenGL,
    // which without a graphics card is software OpenGL: about 10 ms of CPU
    // time a second while the pupil only thinks, and a slower first paper.
    // (Screenshots taken with XGetImage on the root window of a plain X
    // server show windows that overlap the page as black; the screen itself
    // shows them, as Xvfb's own frame buffer file confirms.)
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    return new QuestionView(parent);
}
