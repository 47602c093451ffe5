// The program: open the dice file, then poll for the dice dialog once a second, forever.
#pragma once

#include "feeder/dice_source.h"

#include <cstdio>

inline constexpr int POLL_PAUSE_SECONDS = 1;

// Returns only when the tool can't start: 0 when the dice file can't be opened (after a key
// press), 1 when the desktop can't be used.
int run_feeder();

// One poll without its pause: when the dice dialog is there, reads one number, writes its line
// to `out` and clicks the roll into the dialog.
void poll_once(DiceSource &dice, std::FILE *out);
