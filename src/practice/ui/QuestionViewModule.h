#pragma once
// Creating the question view. The web engine it is built on costs more memory
// and start-up time than the rest of the program together, and a pupil may
// only look at the report, so the view lives in a module of its own
// (QuestionViewModuleFile) that the first call loads: the main window starts
// and waits without the engine.

class QString;
class QWidget;
class QuestionDisplay;

inline constexpr char QuestionViewModuleFile[] = "libquillora_web.so";
// The module's entry point: QuestionDisplay* (QWidget* parent).
inline constexpr char QuestionViewEntryPoint[] = "quillora_create_question_view";

// A new question view, child of parent; null when the module cannot be loaded
// (error then says why, in words for the log rather than for a pupil).
QuestionDisplay* CreateQuestionView(QWidget* parent, QString* error = nullptr);
