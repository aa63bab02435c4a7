// The entry point of the question view module (QuestionViewModule.h).

#include "practice/ui/QuestionScheme.h"
#include "practice/ui/QuestionView.h"

#include <QQuickWindow>

extern "C" Q_DECL_EXPORT QuestionDisplay* quillora_create_question_view(QWidget* parent) {
    // The scheme must be known before the engine's first page exists, and
    // the first view is the first thing the process asks of the engine.
    RegisterQuestionScheme();
    // The engine's page reaches the window through Qt Quick. Drawn in
    // software, a change elsewhere in the window (the clock every second, a
    // blinking caret) repaints only what changed; through OpenGL, without a
    // graphics card, every such repaint composes the whole window again and
    // the practice window costs CPU time all the while the pupil thinks.
    // Question documents are still text and pictures: software draws them as
    // fast. Set before the engine's first view exists.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    return new QuestionView(parent);
}
