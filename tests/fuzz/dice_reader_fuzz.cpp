// Fuzzes the dice file reader: arbitrary file bytes, then a few hundred requests, each checked
// against a plain model of the file: the digit runs in order, capped, in a cycle.
#include "feeder/dice_source.h"
#include "feeder/roll.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int REQUESTS = 300;

std::vector<std::int64_t> numbers_in(const std::uint8_t *data, std::size_t size) {
    std::vector<std::int64_t> numbers;
    bool in_number = false;
    for (std::size_t i = 0; i < size; ++i) {
        const bool digit = data[i] >= '0' && data[i] <= '9';
        if (digit && !in_number) {
            numbers.push_back(0);
        }
        if (digit) {
            numbers.back() =
                std::min<std::int64_t>(numbers.back() * 10 + (data[i] - '0'), INT32_MAX);
        }
        in_number = digit;
    }
    return numbers;
}

void check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    bytes.push_back(0); // fmemopen wants a buffer of at least one byte; this one is not read
    std::FILE *stream = fmemopen(bytes.data(), size, "r");
    if (stream == nullptr) {
        return 0;
    }
    DiceSource dice{stream};
    const std::vector<std::int64_t> numbers = numbers_in(data, size);
    for (int request = 0; request < REQUESTS; ++request) {
        const std::optional<std::int32_t> value = next_value(dice);
        if (numbers.empty()) {
            check(!value); // "No rolls in dice file"
            continue;
        }
        check(value && *value == numbers[request % numbers.size()]);
        const Roll roll = decode_roll(*value);
        const bool two_dice = *value >= 11 && *value <= 66 && *value % 10 >= 1 &&
                              *value % 10 <= 6 && *value / 10 >= 1 && *value / 10 <= 6;
        check(is_dice_roll(roll) == two_dice); // a roll to click, or "Not a roll"
        if (is_dice_roll(roll)) {
            check(1 <= roll.second && roll.second <= roll.first && roll.first <= 6);
        }
    }
    std::fclose(stream);
    return 0;
}
