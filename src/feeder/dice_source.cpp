#include "feeder/dice_source.h"

#include <limits>

namespace {

bool is_digit(int c) {
    return c >= '0' && c <= '9';
}

// Reads the next number from the current position; nothing when the end comes first.
std::optional<std::int32_t> read_number(std::FILE *stream) {
    int c;
    do {
        c = std::getc(stream);
    } while (c != EOF && !is_digit(c));
    if (c == EOF) {
        return std::nullopt;
    }
    constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
    std::int32_t value = 0;
    do {
        const int digit = c - '0';
        value = value > (most - digit) / 10 ? most : value * 10 + digit;
        c = std::getc(stream);
    } while (is_digit(c));
    if (c != EOF) {
        std::ungetc(c, stream);
    }
    return value;
}

} // namespace

std::optional<DiceSource> open_dice_source() {
    std::FILE *stream = std::fopen(DICE_FILE_NAME, "r");
    if (stream == nullptr) {
        return std::nullopt;
    }
    // Unbuffered, so that a file edited in place is read as it now is, not as it was when a
    // buffer was filled; at one number a second the extra reads cost nothing.
    std::setvbuf(stream, nullptr, _IONBF, 0);
    return DiceSource{stream};
}

std::optional<std::int32_t> next_value(DiceSource &dice) {
    // A read that meets the end without a number starts over at once, so a line end after the
    // last number does not cost a poll; a second miss means the file holds no number.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (std::feof(dice.stream) || std::ferror(dice.stream)) {
            std::rewind(dice.stream);
        }
        if (const std::optional<std::int32_t> value = read_number(dice.stream)) {
            return value;
        }
    }
    return std::nullopt;
}
