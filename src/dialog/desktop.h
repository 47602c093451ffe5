// The desktop seam: the few window and pointer operations the tool needs. One source file per
// platform implements them (desktop_x11.cpp, desktop_win32.cpp); unit tests link a recording fake.
#pragma once

#include <cstdint>
#include <optional>

// A top-level window of the platform (an X11 Window, a Win32 HWND).
using DialogHandle = std::uintptr_t;

// A position in screen pixels.
struct ScreenPoint {
    std::int32_t x;
    std::int32_t y;
};

// Connects to the desktop, once, before any other call. Returns nothing on success, or the
// one-line message (with its line end) that says why the desktop can't be used.
const char *open_desktop();

// The visible top-level window whose title is exactly `title`; the topmost one if several are.
std::optional<DialogHandle> find_window(const char *title);

// The screen position of the window's client-area origin; nothing when the window has gone.
std::optional<ScreenPoint> client_origin(DialogHandle window);

ScreenPoint pointer_position();
void move_pointer(ScreenPoint to);
void left_button_down();
void left_button_up();
