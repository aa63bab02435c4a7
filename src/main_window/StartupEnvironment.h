#pragma once
// What has to be settled before the application object exists: whether there
// is a desktop to show the windows on, and the web engine's flags.

#include <QString>

namespace StartupEnvironment {
// False when no display is reachable (no platform chosen and neither an X11
// nor a Wayland display set); *message then holds one line for the terminal.
bool DisplayAvailable(QString* message);
// Lets the web engine expose the question document to screen readers; and,
// as root, where the engine's sandbox refuses to start, adds "--no-sandbox"
// to QTWEBENGINE_CHROMIUM_FLAGS, keeping any flags already set.
void PrepareWebEngine();
// Ends the run the ordinary way (QCoreApplication::quit) on SIGTERM, SIGINT
// or SIGHUP: a logout, a shutdown or Ctrl+C in a terminal then unloads the
// windows and removes their scratch files instead of cutting them off. Call
// once, after the application object exists.
void QuitOnTerminationSignals();
} // namespace StartupEnvironment
