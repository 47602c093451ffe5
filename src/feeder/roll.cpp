#include "feeder/roll.h"

Roll decode_roll(std::int32_t value) {
    const std::int32_t units = value % 10;
    const std::int32_t tens = value / 10;
    if (tens > units) {
        return {tens, units};
    }
    return {units, tens};
}

bool is_dice_roll(Roll roll) {
    return roll.second >= 1 && roll.first <= 6;
}
