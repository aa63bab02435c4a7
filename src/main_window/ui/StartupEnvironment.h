#pragma once
// What has to be settled before the application object exists: whether there
// is a desktop to show the windows on, and the web engine's flags.

#include <QString>
#include <functional>

namespace StartupEnvironment {
// False when no display is reachable (no platform chosen and neither an X11
// nor a Wayland display set); *message then holds one line for the terminal.
bool displayAvailable(QString* message);
// Lets the web engine expose the question document to screen readers; and,
// as root, where the engine's sandbox refuses to start, adds "--no-sandbox"
// to QTWEBENGINE_CHROMIUM_FLAGS, keeping any flags already set.
void prepareWebEngine();
// On SIGTERM, SIGINT or SIGHUP (a logout, a shutdown, Ctrl+C in a
// terminal) calls onSignal from the event loop, whichever loop is running
// (a modal dialog's too); without one, every event loop is left
// (QCoreApplication::exit, which no window can refuse). Call after the
// application object exists; a later call replaces onSignal.
void quitOnTerminationSignals(std::function<void()> onSignal = {});
} // namespace StartupEnvironment
