// The dice file: opened once, read one number per request, in a cycle without end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>

inline constexpr char DICE_FILE_NAME[] = "dicefile.txt";

struct DiceSource {
    std::FILE *stream;
};

// Opens DICE_FILE_NAME in the working directory for reading; nothing when it can't be opened.
std::optional<DiceSource> open_dice_source();

// The next number of the file. Anything that is not a decimal digit separates numbers; once the
// end has been met the file is read again from its start. A number too long for 32 bits is
// capped at INT32_MAX. Nothing only when the whole file holds no number at all.
std::optional<std::int32_t> next_value(DiceSource &dice);
