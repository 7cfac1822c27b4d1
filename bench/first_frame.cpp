// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program on the current X display and measures, from outside, how
// long it takes to show its window: from just before the process starts to
// the map of its first top-level window, and to the first drawing inside that
// window (its first frame). The X server reports both: the map as an event of
// the root window, the drawing through the DAMAGE extension, which sees every
// window drawn to the screen when it watches the root window.
// Usage: first_frame PROGRAM [ARGUMENTS...]
// Prints "map_ms frame_ms" and ends the program. Run: tools/bench-startup

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <optional>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPatience = std::chrono::seconds(30);

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The next event, or nothing once the deadline has passed.
std::optional<XEvent> nextEvent(Display* display, Clock::time_point deadline) {
    while (XPending(display) == 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left.count()));
    }
    XEvent event;
    XNextEvent(display, &event);
    return event;
}

struct Rectangle {
    int x = 0, y = 0, width = 0, height = 0;

    bool overlaps(const XRectangle& r) const {
        return r.x < x + width && x < r.x + r.width && r.y < y + height && y < r.y + r.height;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_frame PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "first_frame: no X display\n");
        return 2;
    }
    int damageEvent = 0;
    int damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "first_frame: the X server has no DAMAGE extension\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XDamageCreate(display, root, XDamageReportRawRectangles);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    pid_t program = 0;
    if (posix_spawnp(&program, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::fprintf(stderr, "first_frame: cannot start %s\n", argv[1]);
        return 2;
    }

    const Clock::time_point deadline = start + kPatience;
    std::optional<Rectangle> window;
    double mapped = 0;
    double drawn = 0;
    while (drawn == 0) {
        const std::optional<XEvent> event = nextEvent(display, deadline);
        if (!event) break;
        if (event->type == MapNotify && !window && !event->xmap.override_redirect) {
            mapped = millisecondsSince(start);
            XWindowAttributes attributes;
            XGetWindowAttributes(display, event->xmap.window, &attributes);
            window = Rectangle{attributes.x, attributes.y, attributes.width, attributes.height};
        } else if (event->type == damageEvent + XDamageNotify && window) {
            const auto* damage = reinterpret_cast<const XDamageNotifyEvent*>(&*event);
            if (window->overlaps(damage->area)) drawn = millisecondsSince(start);
        }
    }

    kill(program, SIGTERM);
    int status = 0;
    waitpid(program, &status, 0);
    XCloseDisplay(display);
    if (drawn == 0) {
        std::fprintf(stderr, "first_frame: %s showed no window within %lld s\n", argv[1],
                     static_cast<long long>(kPatience.count()));
        return 1;
    }
    std::printf("%.1f %.1f\n", mapped, drawn);
    return 0;
}
