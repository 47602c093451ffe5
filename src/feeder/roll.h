// One roll of two dice, and how a number from the dice file becomes one.
#pragma once

#include <cstdint>

struct Roll {
    std::int32_t first;  // the larger die
    std::int32_t second; // the smaller die
};

// Splits a number into its last digit and everything before it, larger one first:
// 35 and 53 both give 5 and 3. Pure arithmetic: 7 gives 7 and 0, 123 gives 12 and 3.
Roll decode_roll(std::int32_t value);

// True when both dice are from 1 to 6, the only rolls the dialog has a point for.
bool is_dice_roll(Roll roll);
