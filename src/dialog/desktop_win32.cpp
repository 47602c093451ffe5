// The desktop on Windows: the dialog by its window title, the click through mouse_event.
#include "dialog/desktop.h"

#include <windows.h>

const char *open_desktop() {
    return nullptr;
}

std::optional<DialogHandle> find_window(const char *title) {
    HWND window = FindWindowA(nullptr, title);
    // A hidden or minimised dialog has no point on the screen to click.
    if (window == nullptr || !IsWindowVisible(window) || IsIconic(window)) {
        return std::nullopt;
    }
    return reinterpret_cast<DialogHandle>(window);
}

std::optional<ScreenPoint> client_origin(DialogHandle window) {
    POINT origin = {0, 0};
    if (!ClientToScreen(reinterpret_cast<HWND>(window), &origin)) {
        return std::nullopt;
    }
    return ScreenPoint{origin.x, origin.y};
}

ScreenPoint pointer_position() {
    POINT position = {0, 0};
    GetCursorPos(&position);
    return {position.x, position.y};
}

void move_pointer(ScreenPoint to) {
    SetCursorPos(to.x, to.y);
}

void left_button_down() {
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
}

void left_button_up() {
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}
