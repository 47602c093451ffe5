// Reads the pointer's screen position ("pointer"), or moves it there ("pointer X Y").
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "pointer: can't open display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    if (argc == 3) {
        XWarpPointer(display, None, root, 0, 0, 0, 0, std::atoi(argv[1]), std::atoi(argv[2]));
        XSync(display, False);
        return 0;
    }
    Window root_return, child;
    int x, y, window_x, window_y;
    unsigned int mask;
    XQueryPointer(display, root, &root_return, &child, &x, &y, &window_x, &window_y, &mask);
    std::printf("%d %d\n", x, y);
    return 0;
}
