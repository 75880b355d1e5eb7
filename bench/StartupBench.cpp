// Start-up and memory of Lumora against the bare Qt baseline, in a private X server:
// process start until its first window is mapped, polled every millisecond, then the
// peak resident memory after a moment of idling. Runs the two in pairs, A B A B, and
// reports each and the median of the pair ratios. For reference it also runs the
// baseline with one captioned button: the price of Qt's fonts, which no window with text
// escapes.
//
//   lumora-bench-startup LUMORA BASELINE [PAIRS]
#include "BenchTable.h"

#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Xvfb {
    pid_t pid = -1;
    std::string display;

    bool start()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        pid = fork();
        if (pid == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char buffer[32] = {};
        const ssize_t got = read(fds[0], buffer, sizeof buffer - 1);
        close(fds[0]);
        if (got <= 0)
            return false;
        display = ":" + std::string(buffer, std::strcspn(buffer, "\n"));
        return true;
    }

    ~Xvfb()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
};

// The pid a top-level window belongs to, from the _NET_WM_PID that Qt sets.
bool mappedWindowOf(xcb_connection_t* x, xcb_window_t root, xcb_atom_t pidAtom, pid_t pid)
{
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(x, xcb_query_tree(x, root), nullptr);
    if (!tree)
        return false;
    bool found = false;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i) {
        xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
            x, xcb_get_window_attributes(x, children[i]), nullptr);
        const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        free(attributes);
        if (!viewable)
            continue;
        xcb_get_property_reply_t* property = xcb_get_property_reply(
            x, xcb_get_property(x, 0, children[i], pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        if (property && xcb_get_property_value_length(property) == 4)
            found = *static_cast<uint32_t*>(xcb_get_property_value(property)) == uint32_t(pid);
        free(property);
    }
    free(tree);
    return found;
}

long peakKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

struct Run {
    double ms = -1;
    double peakMiB = -1;
};

Run measure(const std::string& display, const char* program, xcb_connection_t* x,
            xcb_window_t root, xcb_atom_t pidAtom, const char* argument = nullptr)
{
    Run run;
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setenv("DISPLAY", display.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        // Qt's notes about the environment would only clutter the table.
        freopen("/dev/null", "w", stderr);
        execl(program, program, argument, static_cast<char*>(nullptr));
        _exit(127);
    }
    while (Clock::now() - start < std::chrono::seconds(10)) {
        if (mappedWindowOf(x, root, pidAtom, child)) {
            run.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    // Idle a moment with the window up, as a person looks at it, then read the peak.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    run.peakMiB = double(peakKiB(child)) / 1024.0;
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return run;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s LUMORA BASELINE [PAIRS]\n", argv[0]);
        return 2;
    }
    const int pairs = argc > 3 ? std::atoi(argv[3]) : 21;
    Xvfb xvfb;
    if (!xvfb.start()) {
        std::fprintf(stderr, "cannot start Xvfb (Debian package xvfb)\n");
        return 1;
    }
    xcb_connection_t* x = xcb_connect(xvfb.display.c_str(), nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "cannot connect to %s\n", xvfb.display.c_str());
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, 11, "_NET_WM_PID"), nullptr);
    const xcb_atom_t pidAtom = atom->atom;
    free(atom);

    // One warm-up of each so that both start from a warm file cache.
    measure(xvfb.display, argv[1], x, root, pidAtom);
    measure(xvfb.display, argv[2], x, root, pidAtom);

    std::vector<double> lumora, baseline, ratio, lumoraPeak, baselinePeak, peakRatio;
    std::vector<double> captionRatio, captionPeakRatio;
    for (int i = 0; i < pairs; ++i) {
        const Run a = measure(xvfb.display, argv[1], x, root, pidAtom);
        const Run b = measure(xvfb.display, argv[2], x, root, pidAtom);
        const Run c = measure(xvfb.display, argv[2], x, root, pidAtom, "caption");
        if (a.ms < 0 || b.ms < 0 || c.ms < 0) {
            std::fprintf(stderr, "a window never appeared\n");
            return 1;
        }
        lumora.push_back(a.ms);
        baseline.push_back(b.ms);
        ratio.push_back(a.ms / b.ms);
        lumoraPeak.push_back(a.peakMiB);
        baselinePeak.push_back(b.peakMiB);
        peakRatio.push_back(a.peakMiB / b.peakMiB);
        captionRatio.push_back(c.ms / b.ms);
        captionPeakRatio.push_back(c.peakMiB / b.peakMiB);
    }
    xcb_disconnect(x);

    BenchTable::row("start-up: Lumora, process start to window (ms)", lumora);
    BenchTable::row("start-up: bare Qt baseline (ms)", baseline);
    BenchTable::row("start-up: Lumora / baseline, pair by pair", ratio, 1.10);
    BenchTable::row("peak memory idle: Lumora (MiB)", lumoraPeak);
    BenchTable::row("peak memory idle: bare Qt baseline (MiB)", baselinePeak);
    BenchTable::row("peak memory: Lumora / baseline, pair by pair", peakRatio, 1.15);
    BenchTable::row("for reference: baseline + 1 captioned button / baseline", captionRatio);
    BenchTable::row("for reference: its peak memory / baseline", captionPeakRatio);
    return 0;
}
