// The desktop on X11: top-level windows by title, pointer moves and clicks through XTEST.
#include "dialog/desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

Display *display = nullptr;
Window root = None;
Atom wm_state = None;
Atom net_wm_name = None;
Atom utf8_string = None;

// A window can go at any moment, between any two requests: such errors end that request only.
int tolerate_error(Display *, XErrorEvent *) {
    return 0;
}

int lose_connection(Display *) {
    std::fputs("Lost the connection to the X server\n", stdout);
    std::fflush(stdout);
    std::_Exit(1);
}

// Whether the window's `property` holds exactly `text` (of type `type`, or of any type when
// `type` is AnyPropertyType). Absent: nothing; present: whether it matches.
std::optional<bool> property_equals(Window window, Atom property, Atom type, const char *text) {
    const long length = static_cast<long>(std::strlen(text));
    Atom actual_type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char *data = nullptr;
    // One 32-bit unit more than the text needs, so a longer title shows as a longer count.
    const int status = XGetWindowProperty(display, window, property, 0, length / 4 + 1, False, type,
                                          &actual_type, &format, &count, &left, &data);
    std::optional<bool> result;
    if (status == Success && actual_type != None) {
        result = (type == AnyPropertyType || actual_type == type) && format == 8 && left == 0 &&
                 count == static_cast<unsigned long>(length) && std::memcmp(data, text, count) == 0;
    }
    if (data != nullptr) {
        XFree(data);
    }
    return result;
}

bool has_wm_state(Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char *data = nullptr;
    const int status = XGetWindowProperty(display, window, wm_state, 0, 0, False, AnyPropertyType,
                                          &type, &format, &count, &left, &data);
    if (data != nullptr) {
        XFree(data);
    }
    return status == Success && type != None;
}

// The first window at or below `window` that the window manager marked as a client.
Window find_client(Window window) {
    if (has_wm_state(window)) {
        return window;
    }
    Window parent_root = None;
    Window parent = None;
    Window *children = nullptr;
    unsigned int count = 0;
    Window client = None;
    if (XQueryTree(display, window, &parent_root, &parent, &children, &count) != 0) {
        for (unsigned int i = 0; i < count && client == None; ++i) {
            client = find_client(children[i]);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return client;
}

// The application window behind a top-level one: itself without a window manager, the
// client inside the frame under a reparenting one.
Window client_of(Window top_level) {
    const Window client = find_client(top_level);
    return client != None ? client : top_level;
}

bool title_is(Window window, const char *title) {
    if (const std::optional<bool> utf8 = property_equals(window, net_wm_name, utf8_string, title)) {
        return *utf8;
    }
    return property_equals(window, XA_WM_NAME, AnyPropertyType, title).value_or(false);
}

bool is_viewable(Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

} // namespace

const char *open_desktop() {
    display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return "Can't open display\n";
    }
    int event_base = 0;
    int error_base = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &event_base, &error_base, &major, &minor)) {
        return "X server has no XTEST extension\n";
    }
    XSetErrorHandler(tolerate_error);
    XSetIOErrorHandler(lose_connection);
    root = DefaultRootWindow(display);
    wm_state = XInternAtom(display, "WM_STATE", False);
    net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
    utf8_string = XInternAtom(display, "UTF8_STRING", False);
    return nullptr;
}

std::optional<DialogHandle> find_window(const char *title) {
    Window parent_root = None;
    Window parent = None;
    Window *children = nullptr;
    unsigned int count = 0;
    std::optional<DialogHandle> found;
    if (XQueryTree(display, root, &parent_root, &parent, &children, &count) != 0) {
        // The list runs from the bottom of the stack to its top.
        for (unsigned int i = count; i-- > 0 && !found;) {
            const Window client = client_of(children[i]);
            if (title_is(client, title) && is_viewable(client)) {
                found = client;
            }
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

std::optional<ScreenPoint> client_origin(DialogHandle window) {
    int x = 0;
    int y = 0;
    Window child = None;
    if (!XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child)) {
        return std::nullopt;
    }
    return ScreenPoint{x, y};
}

ScreenPoint pointer_position() {
    Window pointer_root = None;
    Window child = None;
    int x = 0;
    int y = 0;
    int window_x = 0;
    int window_y = 0;
    unsigned int mask = 0;
    XQueryPointer(display, root, &pointer_root, &child, &x, &y, &window_x, &window_y, &mask);
    return {x, y};
}

void move_pointer(ScreenPoint to) {
    XTestFakeMotionEvent(display, -1, to.x, to.y, CurrentTime);
    XFlush(display);
}

void left_button_down() {
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XFlush(display);
}

void left_button_up() {
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
}
