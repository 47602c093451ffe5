#include "fake_platform.h"

#include "feeder/console.h"

FakeDesktop fake;

namespace {
void record(const std::string &call) {
    fake.calls.push_back(call);
}
std::string text(ScreenPoint p) {
    return std::to_string(p.x) + " " + std::to_string(p.y);
}
} // namespace

const char *open_desktop() {
    record("open_desktop");
    return nullptr;
}

std::optional<DialogHandle> find_window(const char *title) {
    record(std::string("find_window ") + title);
    return fake.window;
}

std::optional<ScreenPoint> client_origin(DialogHandle) {
    record("client_origin");
    return fake.origin;
}

ScreenPoint pointer_position() {
    record("pointer_position");
    return fake.pointer;
}

void move_pointer(ScreenPoint to) {
    record("move " + text(to));
    fake.pointer = to;
}

void left_button_down() {
    record("down " + text(fake.pointer));
}
void left_button_up() {
    record("up " + text(fake.pointer));
}

void pause_seconds(int seconds) {
    record("pause " + std::to_string(seconds));
}
void wait_for_key() {
    record("wait_for_key");
}
