// Launches a program under the X display and measures it from outside, the
// way a pupil meets it: exec -> first window mapped, exec -> marks the
// program prints ("MARK <name> <CLOCK_MONOTONIC ns>"), then the memory (PSS)
// and the idle CPU time of its whole process tree, optionally after a click
// that opens a second window. Prints key=value lines; the runner turns them
// into samples.
//
//   benchx [--mark NAME]... [--settle] [--pss] [--click X,Y] [--idle MS]
//          [--idle-again] [--idle-detail] [--timeout S] [--log FILE] -- COMMAND [ARG]...
// --idle-again measures a second idle span of the same length right after
// the first (idle_again_cpu_ms): a page's engine still does some work in the
// first seconds after it loaded, the second span is the open window alone.
// --idle-detail names, on standard error, each process that used CPU time
// while idle.

#include "probe/ProcTree.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Options {
    std::vector<std::string> marks;
    bool settle = false;
    bool pss = false;
    bool click = false;
    int clickX = 0;
    int clickY = 0;
    int idleMs = 0;
    bool idleAgain = false;
    bool idleDetail = false;
    int timeoutS = 60;
    std::string log = "/dev/null";
    std::vector<char*> command;
};

[[noreturn]] void usage(const char* why) {
    std::fprintf(stderr,
                 "benchx: %s\nusage: benchx [--mark NAME]... [--settle] [--pss] [--click X,Y] "
                 "[--idle MS] [--idle-again] [--idle-detail] [--timeout S] [--log FILE] -- "
                 "COMMAND [ARG]...\n",
                 why);
    std::exit(2);
}

Options parse(int argc, char** argv) {
    Options options;
    int i = 1;
    auto value = [&](const char* flag) -> std::string {
        if (i + 1 >= argc)
            usage((std::string(flag) + " needs a value").c_str());
        return argv[++i];
    };
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg == "--mark") {
            options.marks.push_back(value("--mark"));
        } else if (arg == "--settle") {
            options.settle = true;
        } else if (arg == "--pss") {
            options.pss = true;
        } else if (arg == "--click") {
            const std::string xy = value("--click");
            if (std::sscanf(xy.c_str(), "%d,%d", &options.clickX, &options.clickY) != 2)
                usage("--click wants X,Y");
            options.click = true;
        } else if (arg == "--idle") {
            options.idleMs = std::atoi(value("--idle").c_str());
        } else if (arg == "--idle-again") {
            options.idleAgain = true;
        } else if (arg == "--idle-detail") {
            options.idleDetail = true;
        } else if (arg == "--timeout") {
            options.timeoutS = std::atoi(value("--timeout").c_str());
        } else if (arg == "--log") {
            options.log = value("--log");
        } else {
            usage(("unknown option " + arg).c_str());
        }
    }
    for (; i < argc; ++i)
        options.command.push_back(argv[i]);
    if (options.command.empty())
        usage("no command");
    options.command.push_back(nullptr);
    return options;
}

class Launch {
public:
    Launch(Display* display, const Options& options) : m_display(display), m_options(options) {}

    bool start() {
        int out[2];
        if (pipe(out) != 0)
            return false;
        m_startNs = ProcTree::monotonicNs();
        m_pid = fork();
        if (m_pid < 0)
            return false;
        if (m_pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            const int log = open(m_options.log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            if (log >= 0)
                dup2(log, STDERR_FILENO);
            close(out[0]);
            close(out[1]);
            execvp(m_options.command[0], m_options.command.data());
            std::fprintf(stderr, "benchx: cannot run %s\n", m_options.command[0]);
            _exit(127);
        }
        close(out[1]);
        m_out = out[0];
        fcntl(m_out, F_SETFL, O_NONBLOCK);
        m_deadlineNs = m_startNs + static_cast<long long>(m_options.timeoutS) * 1000000000LL;
        return true;
    }

    // Runs until a window not seen before is mapped and every wanted mark has
    // arrived. Returns when the first such window was mapped (ms after
    // sinceNs), or a negative number.
    double waitForWindow(long long sinceNs, bool wantMarks) {
        const size_t windowsBefore = m_windows.size();
        while (ProcTree::monotonicNs() < m_deadlineNs) {
            if (exited())
                return -1;
            pump(100);
            const bool mapped = m_windows.size() > windowsBefore;
            bool marked = true;
            if (wantMarks) {
                for (const std::string& mark : m_options.marks)
                    marked = marked && m_marks.count(mark);
            }
            if (mapped && marked)
                return static_cast<double>(m_mapNs.at(m_windows[windowsBefore]) - sinceNs) / 1e6;
        }
        return -1;
    }

    // Waits until the tree has used at most one tick of CPU in a second and no
    // process came or went, or until 30 s have passed.
    void settle() {
        const long long limit = ProcTree::monotonicNs() + 30000000000LL;
        std::vector<long long> ticks;
        std::vector<size_t> counts;
        while (ProcTree::monotonicNs() < limit && !exited()) {
            const std::vector<int> tree = ProcTree::liveTreeOf(m_pid);
            ticks.push_back(ProcTree::treeCpuTicks(tree));
            counts.push_back(tree.size());
            const size_t n = ticks.size();
            if (n > 5 && ticks[n - 1] - ticks[n - 6] <= 1 && counts[n - 1] == counts[n - 6])
                return;
            pump(200);
        }
    }

    bool click(int x, int y) {
        if (m_windows.empty())
            return false;
        const Window window = m_windows.front();
        const Window root = DefaultRootWindow(m_display);
        int rootX = 0;
        int rootY = 0;
        Window child = 0;
        XTranslateCoordinates(m_display, window, root, x, y, &rootX, &rootY, &child);
        for (int type : {ButtonPress, ButtonRelease}) {
            XEvent event{};
            event.xbutton.type = type;
            event.xbutton.display = m_display;
            event.xbutton.window = window;
            event.xbutton.root = root;
            event.xbutton.subwindow = None;
            event.xbutton.time = CurrentTime;
            event.xbutton.x = x;
            event.xbutton.y = y;
            event.xbutton.x_root = rootX;
            event.xbutton.y_root = rootY;
            event.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
            event.xbutton.button = Button1;
            event.xbutton.same_screen = True;
            const long mask = type == ButtonPress ? ButtonPressMask : ButtonReleaseMask;
            if (!XSendEvent(m_display, window, True, mask, &event))
                return false;
            XFlush(m_display);
            pump(30);
        }
        return true;
    }

    double markMs(const std::string& name) const {
        const auto found = m_marks.find(name);
        return found == m_marks.end() ? -1 : static_cast<double>(found->second - m_startNs) / 1e6;
    }
    long long startNs() const { return m_startNs; }
    pid_t pid() const { return m_pid; }

    // Closes the program as a user would, through its windows, so that it
    // ends cleanly (the next start then finds no stale lock); what is still
    // running after that is ended by signal.
    void stop() {
        if (m_pid <= 0 || exited())
            return;
        const Atom protocols = XInternAtom(m_display, "WM_PROTOCOLS", False);
        const Atom deleteWindow = XInternAtom(m_display, "WM_DELETE_WINDOW", False);
        for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = *it;
            event.xclient.message_type = protocols;
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long>(deleteWindow);
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(m_display, *it, False, NoEventMask, &event);
        }
        XFlush(m_display);
        long long limit = ProcTree::monotonicNs() + 3000000000LL;
        while (ProcTree::monotonicNs() < limit && !exited())
            usleep(20000);
        if (exited())
            return;
        for (int pid : ProcTree::liveTreeOf(m_pid))
            kill(pid, SIGTERM);
        limit = ProcTree::monotonicNs() + 3000000000LL;
        while (ProcTree::monotonicNs() < limit && !exited())
            usleep(20000);
        if (!exited()) {
            for (int pid : ProcTree::liveTreeOf(m_pid))
                kill(pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            m_exited = true;
        }
    }

private:
    bool exited() {
        if (m_exited)
            return true;
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid)
            m_exited = true;
        return m_exited;
    }

    // Handles what the display and the program's output have to say, waiting
    // at most timeoutMs for something to happen.
    void pump(int timeoutMs) {
        pollfd fds[2] = {{ConnectionNumber(m_display), POLLIN, 0}, {m_out, POLLIN, 0}};
        XFlush(m_display);
        if (!XPending(m_display))
            poll(fds, 2, timeoutMs);
        while (XPending(m_display)) {
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect &&
                event.xmap.event == DefaultRootWindow(m_display) &&
                !m_mapNs.count(event.xmap.window)) {
                m_mapNs[event.xmap.window] = ProcTree::monotonicNs();
                m_windows.push_back(event.xmap.window);
            }
        }
        char buffer[4096];
        ssize_t n;
        while ((n = read(m_out, buffer, sizeof buffer)) > 0)
            m_pending.append(buffer, static_cast<size_t>(n));
        size_t end;
        while ((end = m_pending.find('\n')) != std::string::npos) {
            std::istringstream line(m_pending.substr(0, end));
            m_pending.erase(0, end + 1);
            std::string tag;
            std::string name;
            long long ns = 0;
            if (line >> tag >> name >> ns && tag == "MARK" && !m_marks.count(name))
                m_marks[name] = ns;
        }
    }

    Display* m_display;
    const Options& m_options;
    pid_t m_pid = -1;
    bool m_exited = false;
    int m_out = -1;
    long long m_startNs = 0;
    long long m_deadlineNs = 0;
    std::vector<Window> m_windows;
    std::map<Window, long long> m_mapNs;
    std::map<std::string, long long> m_marks;
    std::string m_pending;
};

// A window that has gone by the time it is closed is no reason to stop.
// "QtWebEngineProcess --type=renderer": which of the web engine's helpers
// a figure belongs to.
std::string processLabel(int pid) {
    FILE* file = std::fopen(("/proc/" + std::to_string(pid) + "/cmdline").c_str(), "rb");
    if (!file)
        return "?";
    std::string raw(4096, '\0');
    raw.resize(std::fread(raw.data(), 1, raw.size(), file));
    std::fclose(file);
    std::istringstream args(raw);
    std::string arg, label;
    while (std::getline(args, arg, '\0')) {
        if (label.empty())
            label = arg.substr(arg.rfind('/') + 1);
        else if (arg.rfind("--type=", 0) == 0)
            label += " " + arg;
    }
    return label.empty() ? "?" : label;
}

int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

// The CPU time, in ms, the process tree of pid uses over options.idleMs.
double idleCpuMs(int pid, const Options& options) {
    const std::vector<int> treeBefore = ProcTree::liveTreeOf(pid);
    std::map<int, long long> each;
    for (int p : treeBefore)
        each[p] = ProcTree::treeCpuNs({p});
    usleep(static_cast<useconds_t>(options.idleMs) * 1000);
    // The tree is read again so that processes started meanwhile count from
    // zero.
    const std::vector<int> treeAfter = ProcTree::liveTreeOf(pid);
    long long usedNs = 0;
    for (int p : treeAfter) {
        const long long used = ProcTree::treeCpuNs({p}) - each[p];
        if (used <= 0)
            continue;
        usedNs += used;
        if (options.idleDetail)
            std::fprintf(stderr, "idle: pid %d (%s) used %.2f ms\n", p, processLabel(p).c_str(),
                         static_cast<double>(used) / 1e6);
    }
    return static_cast<double>(usedNs) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "benchx: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    Launch launch(display, options);
    if (!launch.start()) {
        std::fprintf(stderr, "benchx: cannot start %s\n", options.command[0]);
        return 2;
    }
    int status = 0;
    const double shown = launch.waitForWindow(launch.startNs(), true);
    if (shown < 0) {
        std::fprintf(stderr, "benchx: %s showed no window (or not every mark)\n",
                     options.command[0]);
        status = 3;
    } else {
        std::printf("shown_ms=%.3f\n", shown);
        for (const std::string& mark : options.marks)
            std::printf("%s_ms=%.3f\n", mark.c_str(), launch.markMs(mark));
        if (options.settle)
            launch.settle();
        if (options.pss) {
            const std::vector<int> tree = ProcTree::liveTreeOf(launch.pid());
            std::printf("pss_kb=%lld\nprocs=%zu\n", ProcTree::treePssKb(tree), tree.size());
        }
        if (options.click) {
            const long long clickNs = ProcTree::monotonicNs();
            const double second = launch.click(options.clickX, options.clickY)
                                      ? launch.waitForWindow(clickNs, false)
                                      : -1;
            if (second < 0) {
                std::fprintf(stderr, "benchx: the click opened no window\n");
                status = 3;
            } else {
                std::printf("click_shown_ms=%.3f\n", second);
                launch.settle();
                const std::vector<int> tree = ProcTree::liveTreeOf(launch.pid());
                std::printf("click_pss_kb=%lld\nclick_procs=%zu\n", ProcTree::treePssKb(tree),
                            tree.size());
            }
        }
        if (status == 0 && options.idleMs > 0) {
            std::printf("idle_cpu_ms=%.2f\n", idleCpuMs(launch.pid(), options));
            if (options.idleAgain)
                std::printf("idle_again_cpu_ms=%.2f\n", idleCpuMs(launch.pid(), options));
        }
    }
    std::fflush(stdout);
    launch.stop();
    XCloseDisplay(display);
    return status;
}
