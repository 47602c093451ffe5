// The X11 desktop against a real X server (Xvfb, started by with_x.sh): which window counts as
// the dice dialog, and what happens when it has gone.
#include "dialog/desktop.h"
#include "dialog/dialog.h"

// Before Xlib, whose macros (None, Bool) would break it.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char TITLE[] = "GNU Backgammon - Dice";

// The test's own connection, which makes the windows; the desktop has its own.
Display *own;

struct Title {
    const char *net_wm_name; // UTF8_STRING; nullptr: not set
    std::string wm_name;     // empty: not set
    const char *wm_name_type = "STRING";
};

Window make_window(const Title &title, bool map = true, int x = 100, int y = 100) {
    const Window window = XCreateSimpleWindow(own, DefaultRootWindow(own), x, y, 600, 320, 0, 0, 0);
    if (title.net_wm_name != nullptr) {
        XChangeProperty(own, window, XInternAtom(own, "_NET_WM_NAME", False),
                        XInternAtom(own, "UTF8_STRING", False), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(title.net_wm_name),
                        static_cast<int>(std::strlen(title.net_wm_name)));
    }
    if (!title.wm_name.empty()) {
        XChangeProperty(own, window, XA_WM_NAME, XInternAtom(own, title.wm_name_type, False), 8,
                        PropModeReplace,
                        reinterpret_cast<const unsigned char *>(title.wm_name.data()),
                        static_cast<int>(title.wm_name.size()));
    }
    if (map) {
        XMapRaised(own, window);
    }
    XSync(own, False);
    return window;
}

class DesktopX11 : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        own = XOpenDisplay(nullptr);
        ASSERT_NE(own, nullptr) << "no X server: run through with_x.sh";
        ASSERT_EQ(open_desktop(), nullptr);
    }
    static void TearDownTestSuite() { XCloseDisplay(own); }
};

} // namespace

TEST_F(DesktopX11, FindsOnlyAVisibleWindowWhoseTitleIsExactlyTheDialogs) {
    struct Case {
        const char *what;
        Title title;
        bool map;
        bool found;
    };
    const Case cases[] = {
        {"both names", {TITLE, TITLE}, true, true},
        {"only _NET_WM_NAME", {TITLE, ""}, true, true},
        {"only WM_NAME", {nullptr, TITLE}, true, true},
        {"WM_NAME as compound text", {nullptr, TITLE, "COMPOUND_TEXT"}, true, true},
        {"unmapped", {TITLE, TITLE}, false, false},
        {"longer title", {"GNU Backgammon - Dice 2", "GNU Backgammon - Dice 2"}, true, false},
        {"title with a prefix", {"x GNU Backgammon - Dice", ""}, true, false},
        {"shorter title", {nullptr, "GNU Backgammon - Dic"}, true, false},
        {"bytes after a NUL", {nullptr, std::string(TITLE, sizeof TITLE) + "x"}, true, false},
        {"Latin-1 look-alike", {nullptr, "GNU Backgammon - Dic\xe9"}, true, false},
        {"the UTF-8 name differs", {"Backgammon", TITLE}, true, false},
        {"no title at all", {nullptr, ""}, true, false},
    };
    for (const Case &c : cases) {
        const Window window = make_window(c.title, c.map);
        const std::optional<DialogHandle> found = find_dice_dialog();
        if (c.found) {
            EXPECT_EQ(found, DialogHandle{window}) << c.what;
        } else {
            EXPECT_EQ(found, std::nullopt) << c.what;
        }
        XDestroyWindow(own, window);
        XSync(own, False);
    }
}

TEST_F(DesktopX11, OfTwoDialogsFindsTheTopmost) {
    const Window first = make_window({TITLE, TITLE});
    const Window second = make_window({TITLE, TITLE});
    EXPECT_EQ(find_dice_dialog(), DialogHandle{second});
    XRaiseWindow(own, first);
    XSync(own, False);
    EXPECT_EQ(find_dice_dialog(), DialogHandle{first});
    XDestroyWindow(own, first);
    XDestroyWindow(own, second);
    XSync(own, False);
}

// The test's connection acts as a window manager: it redirects the root window's children.
class UnderWindowManager : public DesktopX11 {
  protected:
    void SetUp() override {
        XSelectInput(own, DefaultRootWindow(own), SubstructureRedirectMask);
        XSync(own, False);
    }
    void TearDown() override {
        XSelectInput(own, DefaultRootWindow(own), NoEventMask);
        XSync(own, False);
    }
};

TEST_F(UnderWindowManager, FindsTheClientInsideAWindowManagersFrame) {
    // A frame as a reparenting window manager makes it: untitled, holding the client, which
    // carries WM_STATE, 5 pixels in and 20 down.
    const Window frame = make_window({nullptr, ""}, true, 300, 200);
    const Window client = make_window({TITLE, TITLE}, false);
    XReparentWindow(own, client, frame, 5, 20);
    const long normal_state[2] = {1, 0};
    const Atom wm_state = XInternAtom(own, "WM_STATE", False);
    XChangeProperty(own, client, wm_state, wm_state, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(normal_state), 2);
    XMapWindow(own, client);
    XSync(own, False);

    const std::optional<DialogHandle> found = find_dice_dialog();
    EXPECT_EQ(found, DialogHandle{client});
    const std::optional<ScreenPoint> origin = client_origin(client);
    ASSERT_TRUE(origin.has_value());
    EXPECT_EQ(origin->x, 305);
    EXPECT_EQ(origin->y, 220);
    XDestroyWindow(own, frame);
    XSync(own, False);
}

TEST_F(UnderWindowManager, TakesTheWindowManagersClientListWhenThereIsOne) {
    const Window listed = make_window({TITLE, TITLE});
    const Window unlisted = make_window({TITLE, TITLE});
    const Atom stacking = XInternAtom(own, "_NET_CLIENT_LIST_STACKING", False);
    const auto set_list = [&](std::vector<Window> windows) {
        std::vector<long> ids(windows.begin(), windows.end());
        XChangeProperty(own, DefaultRootWindow(own), stacking, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(ids.data()),
                        static_cast<int>(ids.size()));
        XSync(own, False);
    };
    set_list({unlisted, listed}); // bottom to top
    EXPECT_EQ(find_dice_dialog(), DialogHandle{listed});
    set_list({listed, unlisted});
    EXPECT_EQ(find_dice_dialog(), DialogHandle{unlisted});
    set_list({});
    EXPECT_EQ(find_dice_dialog(), std::nullopt);
    TearDown(); // without a window manager, the list one left behind is not trusted
    EXPECT_EQ(find_dice_dialog(), DialogHandle{unlisted});

    XDeleteProperty(own, DefaultRootWindow(own), stacking);
    XDestroyWindow(own, listed);
    XDestroyWindow(own, unlisted);
    XSync(own, False);
}

TEST_F(DesktopX11, DoesNotClickForADialogThatHasGone) {
    // A window over the whole screen witnesses any press.
    const Window witness =
        XCreateSimpleWindow(own, DefaultRootWindow(own), 0, 0, 4000, 4000, 0, 0, 0);
    XSelectInput(own, witness, ButtonPressMask);
    XMapWindow(own, witness);
    const Window dialog = make_window({TITLE, TITLE});
    XWarpPointer(own, None, DefaultRootWindow(own), 0, 0, 0, 0, 17, 19);
    XDestroyWindow(own, dialog);
    XSync(own, False);

    EXPECT_EQ(client_origin(dialog), std::nullopt);
    enter_roll(dialog, Roll{6, 6});
    const ScreenPoint pointer = pointer_position();
    EXPECT_EQ(pointer.x, 17);
    EXPECT_EQ(pointer.y, 19);
    XSync(own, False);
    XEvent event;
    EXPECT_FALSE(XCheckTypedWindowEvent(own, witness, ButtonPress, &event));

    // The desktop is still usable after the errors.
    EXPECT_EQ(find_dice_dialog(), std::nullopt);
    XDestroyWindow(own, witness);
    XSync(own, False);
}
