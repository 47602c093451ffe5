// What one poll's window lookup costs, ours and the xdotool peer's, with DECOYS other top-level
// windows on the display (plus three unmapped ones that carry the dialog's title).
//   poll_cost DECOYS LOOKUPS
// Prints: decoys, our wall and CPU microseconds per lookup, the peer's.
#include "dialog/desktop.h"
#include "dialog/dialog.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>

extern char **environ;

namespace {

double cpu_seconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

double wall_seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void make_window(Display *own, const std::string &title, bool map) {
    const Window window =
        XCreateSimpleWindow(own, DefaultRootWindow(own), 10, 10, 100, 100, 0, 0, 0);
    XStoreName(own, window, title.c_str());
    XChangeProperty(own, window, XInternAtom(own, "_NET_WM_NAME", False),
                    XInternAtom(own, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(title.data()),
                    static_cast<int>(title.size()));
    if (map) {
        XMapWindow(own, window);
    }
}

// One run of the peer's lookup: a new xdotool process. Returns wall and CPU seconds.
void peer_lookup(double &wall, double &cpu) {
    char *argv[] = {const_cast<char *>("xdotool"),
                    const_cast<char *>("search"),
                    const_cast<char *>("--onlyvisible"),
                    const_cast<char *>("--name"),
                    const_cast<char *>("^GNU Backgammon - Dice$"),
                    nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const double start = wall_seconds();
    pid_t child;
    if (posix_spawnp(&child, "xdotool", &actions, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "poll_cost: no xdotool\n");
        std::exit(1);
    }
    int status;
    rusage usage;
    wait4(child, &status, 0, &usage);
    wall += wall_seconds() - start;
    cpu += usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
    posix_spawn_file_actions_destroy(&actions);
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: poll_cost DECOYS LOOKUPS\n");
        return 2;
    }
    const int decoys = std::atoi(argv[1]);
    const int lookups = std::atoi(argv[2]);
    Display *own = XOpenDisplay(nullptr);
    if (own == nullptr || open_desktop() != nullptr) {
        std::fprintf(stderr, "poll_cost: no display\n");
        return 1;
    }
    for (int i = 0; i < decoys; ++i) {
        make_window(own, "Decoy window " + std::to_string(i), true);
    }
    for (int i = 0; i < 3; ++i) {
        make_window(own, DICE_DIALOG_TITLE, false);
    }
    XSync(own, False);
    // A window manager, if one runs, takes the new windows into frames meanwhile.
    std::this_thread::sleep_for(std::chrono::milliseconds(200 + 3 * decoys));

    find_dice_dialog(); // warm up: atoms, buffers
    const double wall_start = wall_seconds();
    const double cpu_start = cpu_seconds();
    for (int i = 0; i < lookups; ++i) {
        if (find_dice_dialog()) {
            std::fprintf(stderr, "poll_cost: found a dialog among decoys\n");
            return 1;
        }
    }
    const double ours_wall = (wall_seconds() - wall_start) / lookups;
    const double ours_cpu = (cpu_seconds() - cpu_start) / lookups;

    const int peer_lookups = lookups < 20 ? lookups : 20;
    double peer_wall = 0;
    double peer_cpu = 0;
    for (int i = 0; i < peer_lookups; ++i) {
        peer_lookup(peer_wall, peer_cpu);
    }
    std::printf("%d %.1f %.1f %.1f %.1f\n", decoys, ours_wall * 1e6, ours_cpu * 1e6,
                peer_wall / peer_lookups * 1e6, peer_cpu / peer_lookups * 1e6);
    return 0;
}
