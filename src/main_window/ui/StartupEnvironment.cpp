#include "main_window/ui/StartupEnvironment.h"

#include "chrome/PopUpService.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_signalSocket[2] = {-1, -1};
std::function<void()> g_onSignal;

// Only an async-signal-safe write: the event loop does the rest.
void onTerminationSignal(int) {
    const char byte = 1;
    const ssize_t written = ::write(g_signalSocket[0], &byte, 1);
    (void)written;
}
} // namespace

namespace StartupEnvironment {

bool displayAvailable(QString* message) {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    if (message) {
        *message = QStringLiteral(
                       "quillora: no desktop display found. %1 needs a desktop; "
                       "without one, run it as: xvfb-run -s \"-screen 0 1280x1024x24\" quillora")
                       .arg(PopUpService::productName());
    }
    return false;
}

void prepareWebEngine() {
    // The engine hands its page to screen readers only when asked to before
    // it starts; it costs nothing while no screen reader listens.
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
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

void quitOnTerminationSignals(std::function<void()> onSignal) {
    g_onSignal = std::move(onSignal);
    if (g_signalSocket[0] >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalSocket) != 0)
        return;
    auto* notifier =
        new QSocketNotifier(g_signalSocket[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte = 0;
        const ssize_t got = ::read(g_signalSocket[1], &byte, 1);
        (void)got;
        // Not quit(): that asks every window to close, and a modal dialog
        // refuses, which would drop the request.
        if (g_onSignal)
            g_onSignal();
        else
            QCoreApplication::exit(0);
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

} // namespace StartupEnvironment
