#pragma once
// Starting the question view's web engine while the pupil looks at the Home
// page, so that the first paper opens as quickly as the next. It starts a
// few seconds after the main window's first frame, not at once: the main
// window alone stays small while it is being shown and read, and a pupil who
// opens a paper before then simply starts the engine as without a warm-up.

class QObject;

namespace EngineWarmUp {

// Long enough for the window to be up and quiet (the start's own work ends
// within a second or two even on a slow machine), short against the time a
// pupil takes to read the Home page and pick a paper.
inline constexpr int DefaultDelayMs = 4000;

// Milliseconds from Schedule to the warm-up; negative: never.
void setDelay(int ms);
int delay();

// Starts the warm-up after delay(), unless context is gone by then or a
// question view has been made.
void schedule(QObject* context);

} // namespace EngineWarmUp
