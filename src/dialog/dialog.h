// Finding GNU Backgammon's dice dialog and clicking a roll into it.
#pragma once

#include "dialog/desktop.h"
#include "feeder/roll.h"

#include <cstdint>
#include <optional>

inline constexpr char DICE_DIALOG_TITLE[] = "GNU Backgammon - Dice";

// The dialog's dice grid, relative to its client-area origin: the larger die picks the column,
// the smaller the row.
inline constexpr std::int32_t COLUMN_PITCH = 75;
inline constexpr std::int32_t ROW_PITCH = 45;
inline constexpr std::int32_t COLUMN_OFFSET = 30;
inline constexpr std::int32_t ROW_OFFSET = -5;

std::optional<DialogHandle> find_dice_dialog();

// The screen point that enters `roll` into a dialog whose client area starts at `origin`.
ScreenPoint click_target(ScreenPoint origin, Roll roll);

// Clicks the roll's point with the left button and puts the pointer back where it was.
// Does nothing if the dialog has gone since it was found.
void enter_roll(DialogHandle dialog, Roll roll);
