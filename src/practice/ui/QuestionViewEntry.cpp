// The entry point of the question view module (QuestionViewModule.h).

#include "practice/ui/QuestionScheme.h"
#include "practice/ui/QuestionView.h"

extern "C" Q_DECL_EXPORT QuestionDisplay* quillora_create_question_view(QWidget* parent) {
    // The scheme must be known before the engine's first page exists, and
    // the first view is the first thing the process asks of the engine.
    RegisterQuestionScheme();
    // Qt Quick keeps its default (OpenGL) back end: with the software back
    // end every top-level window opened after the engine (the program's own
    // dialog, message boxes, the print dialog) stayed black under X11
    // without a graphics card.
    return new QuestionView(parent);
}
