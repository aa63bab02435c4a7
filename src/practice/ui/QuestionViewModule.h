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
// Its warm-up: QObject* (), a hidden page that starts the engine and deletes
// itself once it has loaded.
inline constexpr char QuestionViewWarmUpEntryPoint[] = "quillora_warm_up_question_view";

// A new question view, child of parent; null when the module cannot be loaded
// (error then says why, in words for the log rather than for a pupil).
QuestionDisplay* createQuestionView(QWidget* parent, QString* error = nullptr);

// Loads the module and starts the engine with a hidden blank page, so that
// the first question view finds them ready. Does nothing once a view or a
// warm-up has been made. A view made while the warm-up's page still loads
// ends the warm-up rather than waiting for it. False (error set) when the
// module cannot be loaded.
bool warmUpQuestionView(QString* error = nullptr);
// True while the warm-up's page loads.
bool questionViewWarmingUp();
// True once a warm-up or a view has started the engine.
bool questionViewEngineStarted();
