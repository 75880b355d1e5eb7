// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
// Start-up and memory of Lumora against its floor, the same main window in plain Qt, in
// a private X server: process start until the server reports its first window mapped,
// then the peak resident memory after a moment of idling. Runs them in turns, A B A B,
// and reports each and the median of the ratios of each turn. For reference it also runs
// a window with one picture and no text, which never loads a font.
//
//   lumora-bench-startup LUMORA PLAIN_MAIN PICTURE_ONLY [PAIRS]
#include "BenchTable.h"

#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <dirent.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <poll.h>
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
        // The server writes the number and the line's end separately, and dies when the
        // pipe is gone before the second write: read the whole line.
        std::string line;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            line += c;
        close(fds[0]);
        if (line.empty())
            return false;
        display = ":" + line;
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

// Whether a window belongs to the process, from the _NET_WM_PID that Qt sets before
// it maps the window.
bool ownedBy(xcb_connection_t* x, xcb_window_t window, xcb_atom_t pidAtom, pid_t pid)
{
    xcb_get_property_reply_t* property = xcb_get_property_reply(
        x, xcb_get_property(x, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    const bool owned = property && xcb_get_property_value_length(property) == 4 &&
                       *static_cast<uint32_t*>(xcb_get_property_value(property)) == uint32_t(pid);
    free(property);
    return owned;
}

// Waits for the server's MapNotify of a top-level window of the process and returns when
// it came. Listening rather than asking over and over keeps the harness and the server
// idle while the program starts: on a machine with two cores a poll every millisecond
// took CPU from the program it was timing.
std::optional<Clock::time_point> waitForMap(xcb_connection_t* x, xcb_atom_t pidAtom, pid_t pid,
                                            Clock::time_point deadline)
{
    pollfd socket{xcb_get_file_descriptor(x), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const auto when = Clock::now();
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const xcb_window_t window =
                mapped ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window : 0;
            free(event);
            if (mapped && ownedBy(x, window, pidAtom, pid))
                return when;
        }
        if (xcb_connection_has_error(x))
            return std::nullopt;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return std::nullopt;
        poll(&socket, 1, int(left));
    }
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

// The session's runtime folder, as a desktop has it in /run/user: in memory, the user's
// own. Lumora keeps its single-instance lock and socket there; without one it would skip
// the check and start faster than it does on a desktop.
const std::string& runtimeFolder()
{
    static const std::string folder = [] {
        char name[] = "/dev/shm/lumora-bench-XXXXXX";
        const char* made = mkdtemp(name);
        return std::string(made ? made : "/tmp");
    }();
    return folder;
}

struct Run {
    double ms = -1;
    double peakMiB = -1;
};

Run measure(const std::string& display, const char* program, xcb_connection_t* x,
            xcb_atom_t pidAtom)
{
    Run run;
    // Events of the runs before, such as their windows going away, are no answer.
    while (xcb_generic_event_t* stale = xcb_poll_for_event(x))
        free(stale);
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setenv("DISPLAY", display.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtimeFolder().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        // Qt's notes about the environment would only clutter the table.
        freopen("/dev/null", "w", stderr);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    if (const auto mapped = waitForMap(x, pidAtom, child, start + std::chrono::seconds(10)))
        run.ms = std::chrono::duration<double, std::milli>(*mapped - start).count();
    // Idle a moment with the window up, as a person looks at it, then read the peak.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    run.peakMiB = double(peakKiB(child)) / 1024.0;
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    // A program that quits removes its single-instance lock and socket; one killed leaves
    // them, and the next start would first have to find them stale.
    if (DIR* folder = opendir(runtimeFolder().c_str())) {
        while (const dirent* entry = readdir(folder)) {
            if (std::strncmp(entry->d_name, "lumora-", 7) == 0)
                unlink((runtimeFolder() + "/" + entry->d_name).c_str());
        }
        closedir(folder);
    }
    return run;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s LUMORA PLAIN_MAIN PICTURE_ONLY [PAIRS]\n", argv[0]);
        return 2;
    }
    const int pairs = argc > 4 ? std::atoi(argv[4]) : 31;
    runtimeFolder(); // made once, before the first start
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
    // Top-level windows are the root's children: their mapping is reported to whoever
    // listens for the root's substructure.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    // One warm-up of each so that all start from a warm file cache.
    for (int program = 1; program <= 3; ++program)
        measure(xvfb.display, argv[program], x, pidAtom);

    std::vector<double> lumora, floor, ratio, lumoraPeak, floorPeak, peakRatio;
    std::vector<double> pictureRatio, picturePeakRatio;
    for (int i = 0; i < pairs; ++i) {
        const Run a = measure(xvfb.display, argv[1], x, pidAtom);
        const Run b = measure(xvfb.display, argv[2], x, pidAtom);
        const Run c = measure(xvfb.display, argv[3], x, pidAtom);
        if (a.ms < 0 || b.ms < 0 || c.ms < 0) {
            std::fprintf(stderr, "a window never appeared\n");
            return 1;
        }
        lumora.push_back(a.ms);
        floor.push_back(b.ms);
        ratio.push_back(a.ms / b.ms);
        lumoraPeak.push_back(a.peakMiB);
        floorPeak.push_back(b.peakMiB);
        peakRatio.push_back(a.peakMiB / b.peakMiB);
        pictureRatio.push_back(c.ms / b.ms);
        picturePeakRatio.push_back(c.peakMiB / b.peakMiB);
    }
    xcb_disconnect(x);
    rmdir(runtimeFolder().c_str());

    BenchTable::row("start-up: Lumora, process start to window (ms)", lumora);
    BenchTable::row("start-up: its main window in plain Qt (ms)", floor);
    BenchTable::row("start-up: Lumora / plain Qt, turn by turn", ratio, 0.95);
    BenchTable::row("peak memory idle: Lumora (MiB)", lumoraPeak);
    BenchTable::row("peak memory idle: its main window in plain Qt (MiB)", floorPeak);
    BenchTable::row("peak memory: Lumora / plain Qt, turn by turn", peakRatio, 1.00);
    BenchTable::row("for reference: one picture, no text / plain Qt", pictureRatio);
    BenchTable::row("for reference: its peak memory / plain Qt", picturePeakRatio);
    return 0;
}
