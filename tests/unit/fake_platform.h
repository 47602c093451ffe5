// A recording fake of the desktop and console seams: what the desktop holds, and every call.
#pragma once

#include "dialog/desktop.h"

#include <optional>
#include <string>
#include <vector>

struct FakeDesktop {
    std::optional<DialogHandle> window; // the one window find_window finds, whatever the title
    std::optional<ScreenPoint> origin;  // its client origin; nothing once it has gone
    ScreenPoint pointer{0, 0};
    std::vector<std::string> calls; // e.g. "find_window GNU Backgammon - Dice", "move 605 280"
};

// Reset by each test that uses it.
extern FakeDesktop fake;
