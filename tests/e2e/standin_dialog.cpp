// A stand-in for the backgammon program's dice dialog, for end-to-end tests: a top-level window
// titled "GNU Backgammon - Dice" that logs what happens to it, one line per event:
//   mapped L               the window is on the screen; L: the stand-in's own clock (ms)
//   reparented             a window manager took it into a frame
//   press X Y T L          a button press, X Y in the window's own coordinates, T server time
//                          (ms), L the stand-in's clock
//   release X Y T L        its release
//   enter T / leave T      the pointer came into the window / left it, at server time T
//   pointer X Y            the pointer's screen position 300 ms after a release
//   iconified              a window manager iconified it
//   vanished               the window was destroyed (flap)
//   done                   the last appearance is over (flap)
//
//   standin_dialog MODE X Y LOG [APPEARANCES]
// MODE close: the window closes after each click and opens again 300 ms later, as the real
//             dialog does; random: the same, but it opens again after 0 to 1 s, so that it
//             appears at random moments of the feeder's poll; stay: it stays open; unmapped: it
//             is never shown; iconified: it asks the window manager to iconify it once shown;
//             flap: it appears and vanishes at random moments, APPEARANCES times (lifetimes 0
//             to 1.5 s, gaps 0 to 0.2 s), whatever is clicked; demo: it stays open, drawn
//             as the real dialog looks (a 6 x 6 grid of dice pairs in cells of 75 x 45
//             pixels), and marks each cell that is clicked.
// X Y: where the window asks to be placed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr char TITLE[] = "GNU Backgammon - Dice";
constexpr unsigned WIDTH = 600;
constexpr unsigned HEIGHT = 320;
constexpr auto SETTLE = 300ms;

Display *display;
std::FILE *log_file;

std::string local_ms() {
    return std::to_string(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
            .count());
}

void log_line(const std::string &line) {
    std::fprintf(log_file, "%s\n", line.c_str());
    std::fflush(log_file);
}

// The dice grid: the larger die picks the column, the smaller the row; cell (f, s) is centred
// on the point the feeder clicks for the roll f-s.
constexpr int CELL_WIDTH = 75;
constexpr int CELL_HEIGHT = 45;
constexpr int GRID_LEFT = 68;
constexpr int GRID_TOP = 18;
constexpr int DIE = 22;
bool marked[7][7];

void draw_die(Window window, GC gc, int left, int top, int value) {
    static const char *const pips[7] = {"", "4", "06", "048", "0268", "02468", "023568"};
    XDrawRectangle(display, window, gc, left, top, DIE, DIE);
    for (const char *p = pips[value]; *p != '\0'; ++p) {
        const int cell = *p - '0'; // 0..8 over a 3 x 3 layout
        XFillArc(display, window, gc, left + 3 + 6 * (cell % 3), top + 3 + 6 * (cell / 3), 4, 4, 0,
                 360 * 64);
    }
}

void draw_grid(Window window) {
    const int screen = DefaultScreen(display);
    GC gc = XCreateGC(display, window, 0, nullptr);
    XColor mark, exact;
    XAllocNamedColor(display, DefaultColormap(display, screen), "palegreen", &mark, &exact);
    for (int first = 1; first <= 6; ++first) {
        for (int second = 1; second <= 6; ++second) {
            const int left = GRID_LEFT + CELL_WIDTH * (first - 1);
            const int top = GRID_TOP + CELL_HEIGHT * (second - 1);
            XSetForeground(display, gc,
                           marked[first][second] ? mark.pixel : WhitePixel(display, screen));
            XFillRectangle(display, window, gc, left, top, CELL_WIDTH, CELL_HEIGHT);
            XSetForeground(display, gc, BlackPixel(display, screen));
            XDrawRectangle(display, window, gc, left, top, CELL_WIDTH, CELL_HEIGHT);
            draw_die(window, gc, left + CELL_WIDTH / 2 - DIE - 3, top + (CELL_HEIGHT - DIE) / 2,
                     first);
            draw_die(window, gc, left + CELL_WIDTH / 2 + 3, top + (CELL_HEIGHT - DIE) / 2, second);
        }
    }
    XFreeGC(display, gc);
    XFlush(display);
}

Window open_window(int x, int y, bool show) {
    const int screen = DefaultScreen(display);
    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), x, y, WIDTH, HEIGHT, 1,
                            BlackPixel(display, screen), WhitePixel(display, screen));
    XSizeHints hints{};
    hints.flags = USPosition | PPosition;
    hints.x = x;
    hints.y = y;
    XSetWMNormalHints(display, window, &hints);
    XStoreName(display, window, TITLE);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(TITLE), std::strlen(TITLE));
    XSelectInput(display, window,
                 ButtonPressMask | ButtonReleaseMask | StructureNotifyMask | EnterWindowMask |
                     LeaveWindowMask | ExposureMask);
    if (show) {
        XMapWindow(display, window);
    }
    XFlush(display);
    return window;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(
            stderr,
            "usage: standin_dialog close|random|stay|unmapped|iconified|flap|demo X Y LOG [N]\n");
        return 2;
    }
    const std::string mode = argv[1];
    const int x = std::atoi(argv[2]);
    const int y = std::atoi(argv[3]);
    display = XOpenDisplay(nullptr);
    log_file = std::fopen(argv[4], "a");
    if (display == nullptr || log_file == nullptr) {
        std::fprintf(stderr, "standin_dialog: no display or log\n");
        return 1;
    }

    Window window = open_window(x, y, mode != "unmapped");
    if (mode == "unmapped") {
        log_line("unmapped");
    }
    std::optional<Clock::time_point> reopen_at;
    std::optional<Clock::time_point> check_pointer_at;
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> reopen_ms(0, 1000);

    // flap: when the window next appears or vanishes, and how many appearances are left.
    std::uniform_int_distribution<int> lifetime_ms(0, 1500);
    std::uniform_int_distribution<int> gap_ms(0, 200);
    int appearances_left = argc == 6 ? std::atoi(argv[5]) - 1 : 0;
    bool shown = true;
    std::optional<Clock::time_point> flap_at;
    if (mode == "flap") {
        flap_at = Clock::now() + std::chrono::milliseconds(lifetime_ms(random));
    }
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify) {
                log_line("mapped " + local_ms());
                if (mode == "iconified") {
                    XIconifyWindow(display, window, DefaultScreen(display));
                }
            } else if (event.type == UnmapNotify && mode == "iconified") {
                log_line("iconified");
            } else if (event.type == Expose && event.xexpose.count == 0 && mode == "demo") {
                draw_grid(window);
            } else if (event.type == ReparentNotify) {
                log_line("reparented");
            } else if ((event.type == EnterNotify || event.type == LeaveNotify) &&
                       event.xcrossing.mode == NotifyNormal) {
                log_line(std::string(event.type == EnterNotify ? "enter " : "leave ") +
                         std::to_string(event.xcrossing.time));
            } else if (event.type == ButtonPress || event.type == ButtonRelease) {
                const XButtonEvent &b = event.xbutton;
                log_line(std::string(event.type == ButtonPress ? "press " : "release ") +
                         std::to_string(b.x) + " " + std::to_string(b.y) + " " +
                         std::to_string(b.time) + " " + local_ms());
                if (event.type == ButtonPress && mode == "demo") {
                    const int first = (b.x - GRID_LEFT) / CELL_WIDTH + 1;
                    const int second = (b.y - GRID_TOP) / CELL_HEIGHT + 1;
                    if (b.x >= GRID_LEFT && b.y >= GRID_TOP && first <= 6 && second <= 6) {
                        marked[first][second] = true;
                        draw_grid(window);
                    }
                }
                if (event.type == ButtonRelease) {
                    check_pointer_at = Clock::now() + SETTLE;
                    if (mode == "close" || mode == "random") {
                        XDestroyWindow(display, window);
                        XFlush(display);
                        reopen_at =
                            Clock::now() + (mode == "close"
                                                ? SETTLE
                                                : std::chrono::milliseconds(reopen_ms(random)));
                    }
                }
            }
        }
        const Clock::time_point now = Clock::now();
        if (check_pointer_at && now >= *check_pointer_at) {
            Window root, child;
            int root_x, root_y, window_x, window_y;
            unsigned int mask;
            XQueryPointer(display, DefaultRootWindow(display), &root, &child, &root_x, &root_y,
                          &window_x, &window_y, &mask);
            log_line("pointer " + std::to_string(root_x) + " " + std::to_string(root_y));
            check_pointer_at.reset();
        }
        if (flap_at && now >= *flap_at) {
            if (shown) {
                XDestroyWindow(display, window);
                XFlush(display);
                log_line("vanished");
                flap_at = now + std::chrono::milliseconds(gap_ms(random));
                if (appearances_left-- == 0) {
                    log_line("done");
                    flap_at.reset();
                }
            } else {
                window = open_window(x, y, true);
                flap_at = now + std::chrono::milliseconds(lifetime_ms(random));
            }
            shown = !shown;
        }
        if (reopen_at && now >= *reopen_at) {
            window = open_window(x, y, true);
            reopen_at.reset();
        }
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, 10);
    }
}
