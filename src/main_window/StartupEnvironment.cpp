#include "main_window/StartupEnvironment.h"

#include <QByteArray>

#include <unistd.h>

namespace StartupEnvironment {

bool DisplayAvailable(QString* message) {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    if (message) {
        *message = QStringLiteral(
            "quillora: no desktop display found. Quillora Maths Practice needs a desktop; "
            "without one, run it as: xvfb-run -s \"-screen 0 1280x1024x24\" quillora");
    }
    return false;
}

void PrepareWebEngine() {
    if (geteuid() != 0)
        return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains("--no-sandbox"))
        return;
    if (!flags.isEmpty())
        flags.append(' ');
    flags.append("--no-sandbox");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

} // namespace StartupEnvironment
