// The desktop on X11: top-level windows by title (looked up through XCB, so that the requests
// for all windows go out together), pointer moves and clicks through XTEST.
#include "dialog/desktop.h"

#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// How deep below a top-level window its client is looked for: window managers' frames hold
// their client one to three levels down.
constexpr int MAX_FRAME_DEPTH = 4;
// How many windows of the window manager's client list are read, at the most.
constexpr std::uint32_t MAX_CLIENTS = 65536;

Display *display = nullptr;
xcb_connection_t *connection = nullptr; // the same connection, for pipelined requests
Window root = None;
xcb_atom_t wm_state = XCB_NONE;
xcb_atom_t net_wm_name = XCB_NONE;
xcb_atom_t utf8_string = XCB_NONE;
xcb_atom_t client_list_stacking = XCB_NONE;

// A window can go at any moment, between any two requests: such errors end that request only.
int tolerate_error(Display *, XErrorEvent *) {
    return 0;
}

int lose_connection(Display *) {
    std::fputs("Lost the connection to the X server\n", stdout);
    std::fflush(stdout);
    std::_Exit(1);
}

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

// Waits for one reply. A window that has gone gives no reply, and its error is dropped; a
// lost connection gives none either, and is caught by check_connection.
template <typename T, typename Cookie>
Reply<T> reply(T *(*take)(xcb_connection_t *, Cookie, xcb_generic_error_t **), Cookie cookie) {
    xcb_generic_error_t *error = nullptr;
    Reply<T> result(take(connection, cookie, &error), &std::free);
    std::free(error);
    return result;
}

void check_connection() {
    if (xcb_connection_has_error(connection)) {
        lose_connection(display);
    }
}

std::vector<xcb_window_t> children_of(const xcb_query_tree_reply_t *tree) {
    if (tree == nullptr) {
        return {};
    }
    const xcb_window_t *children = xcb_query_tree_children(tree);
    return {children, children + xcb_query_tree_children_length(tree)};
}

// The application window behind each top-level one: itself without a window manager, the
// client inside the frame under a reparenting one, which is the first window below the frame
// that carries WM_STATE. Searched one level at a time, with one round trip per level.
std::vector<xcb_window_t> clients_of(const std::vector<xcb_window_t> &top_levels) {
    struct Pending {
        std::size_t top;
        xcb_window_t window;
    };
    std::vector<xcb_window_t> clients(top_levels.size(), XCB_NONE);
    std::vector<Pending> level;
    for (std::size_t i = 0; i < top_levels.size(); ++i) {
        level.push_back({i, top_levels[i]});
    }
    for (int depth = 0; depth < MAX_FRAME_DEPTH && !level.empty(); ++depth) {
        std::vector<xcb_get_property_cookie_t> states;
        std::vector<xcb_query_tree_cookie_t> trees;
        for (const Pending &p : level) {
            states.push_back(
                xcb_get_property(connection, 0, p.window, wm_state, XCB_ATOM_ANY, 0, 0));
            trees.push_back(xcb_query_tree(connection, p.window));
        }
        std::vector<Pending> next;
        for (std::size_t k = 0; k < level.size(); ++k) {
            const Reply<xcb_get_property_reply_t> state = reply(xcb_get_property_reply, states[k]);
            const Reply<xcb_query_tree_reply_t> tree = reply(xcb_query_tree_reply, trees[k]);
            const std::size_t top = level[k].top;
            if (clients[top] != XCB_NONE) {
                continue;
            }
            if (state && state->type != XCB_NONE) {
                clients[top] = level[k].window;
                continue;
            }
            for (const xcb_window_t child : children_of(tree.get())) {
                next.push_back({top, child});
            }
        }
        level.clear();
        for (const Pending &p : next) {
            if (clients[p.top] == XCB_NONE) {
                level.push_back(p);
            }
        }
    }
    for (std::size_t i = 0; i < top_levels.size(); ++i) {
        if (clients[i] == XCB_NONE) {
            clients[i] = top_levels[i];
        }
    }
    return clients;
}

// The application windows, bottom of the stack first. Without a window manager (nobody
// redirects the root window's children) they are the top-level windows themselves. With one,
// they are its own list when it keeps one, which spares searching its frames, else found
// through the window tree.
std::vector<xcb_window_t> client_windows(const xcb_query_tree_reply_t *tree,
                                         const xcb_get_property_reply_t *stacking, bool managed) {
    if (!managed) {
        return children_of(tree);
    }
    if (stacking != nullptr && stacking->type == XCB_ATOM_WINDOW && stacking->format == 32) {
        const auto *windows = static_cast<const xcb_window_t *>(xcb_get_property_value(stacking));
        return {windows, windows + xcb_get_property_value_length(stacking) / 4};
    }
    return clients_of(children_of(tree));
}

xcb_get_property_cookie_t ask_title(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                    std::size_t length) {
    // One 32-bit unit more than the title needs, so a longer title shows as a longer value.
    return xcb_get_property(connection, 0, window, property, type, 0,
                            static_cast<std::uint32_t>(length / 4 + 1));
}

// Whether the property holds exactly `title` (of `type`, or of any type for XCB_ATOM_ANY).
// Absent: nothing; present: whether it matches.
std::optional<bool> title_equals(const xcb_get_property_reply_t *property, xcb_atom_t type,
                                 const char *title, std::size_t length) {
    if (property == nullptr || property->type == XCB_NONE) {
        return std::nullopt;
    }
    return (type == XCB_ATOM_ANY || property->type == type) && property->format == 8 &&
           property->bytes_after == 0 &&
           static_cast<std::size_t>(xcb_get_property_value_length(property)) == length &&
           std::memcmp(xcb_get_property_value(property), title, length) == 0;
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
    connection = XGetXCBConnection(display);
    root = DefaultRootWindow(display);
    wm_state = XInternAtom(display, "WM_STATE", False);
    net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
    utf8_string = XInternAtom(display, "UTF8_STRING", False);
    client_list_stacking = XInternAtom(display, "_NET_CLIENT_LIST_STACKING", False);
    return nullptr;
}

std::optional<DialogHandle> find_window(const char *title) {
    // Every request of a step goes out before its first reply is awaited, and replies are read
    // in the order asked, which keeps libxcb's bookkeeping linear: a few round trips in all,
    // however many windows the desktop has.
    const xcb_query_tree_cookie_t tree_asked = xcb_query_tree(connection, root);
    const xcb_get_property_cookie_t stacking_asked = xcb_get_property(
        connection, 0, root, client_list_stacking, XCB_ATOM_WINDOW, 0, MAX_CLIENTS);
    const xcb_get_window_attributes_cookie_t root_asked =
        xcb_get_window_attributes(connection, root);
    const Reply<xcb_query_tree_reply_t> tree = reply(xcb_query_tree_reply, tree_asked);
    const Reply<xcb_get_property_reply_t> stacking = reply(xcb_get_property_reply, stacking_asked);
    const Reply<xcb_get_window_attributes_reply_t> root_attributes =
        reply(xcb_get_window_attributes_reply, root_asked);
    const bool managed = root_attributes && (root_attributes->all_event_masks &
                                             XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT) != 0;
    const std::vector<xcb_window_t> clients = client_windows(tree.get(), stacking.get(), managed);

    // The UTF-8 title of every client first, the plain one only of those without it.
    const std::size_t length = std::strlen(title);
    std::vector<xcb_get_property_cookie_t> asked;
    for (const xcb_window_t client : clients) {
        asked.push_back(ask_title(client, net_wm_name, utf8_string, length));
    }
    std::vector<std::optional<bool>> titled_as(clients.size());
    for (std::size_t i = 0; i < clients.size(); ++i) {
        const Reply<xcb_get_property_reply_t> name = reply(xcb_get_property_reply, asked[i]);
        titled_as[i] = title_equals(name.get(), utf8_string, title, length);
    }
    asked.clear();
    for (std::size_t i = 0; i < clients.size(); ++i) {
        if (!titled_as[i]) {
            asked.push_back(ask_title(clients[i], XCB_ATOM_WM_NAME, XCB_ATOM_ANY, length));
        }
    }
    std::vector<xcb_window_t> titled;
    for (std::size_t i = 0, k = 0; i < clients.size(); ++i) {
        if (!titled_as[i]) {
            const Reply<xcb_get_property_reply_t> name = reply(xcb_get_property_reply, asked[k++]);
            titled_as[i] = title_equals(name.get(), XCB_ATOM_ANY, title, length);
        }
        if (titled_as[i].value_or(false)) {
            titled.push_back(clients[i]);
        }
    }

    std::vector<xcb_get_window_attributes_cookie_t> attributes;
    for (const xcb_window_t window : titled) {
        attributes.push_back(xcb_get_window_attributes(connection, window));
    }
    // The tree lists the bottom of the stack first: the last visible one is the topmost.
    std::optional<DialogHandle> found;
    for (std::size_t i = 0; i < titled.size(); ++i) {
        const Reply<xcb_get_window_attributes_reply_t> state =
            reply(xcb_get_window_attributes_reply, attributes[i]);
        if (state && state->map_state == XCB_MAP_STATE_VIEWABLE) {
            found = titled[i];
        }
    }
    check_connection();
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
