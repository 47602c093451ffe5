#include "feeder/roll.h"

#include <gtest/gtest.h>

TEST(DecodeRoll, PutsTheLargerDieFirstWithoutRangeChecks) {
    struct Case {
        std::int32_t value, first, second;
    };
    const Case cases[] = {{31, 3, 1}, {13, 3, 1}, {66, 6, 6}, {52, 5, 2},   {35, 5, 3},
                          {7, 7, 0},  {0, 0, 0},  {70, 7, 0}, {123, 12, 3}, {617, 61, 7}};
    for (const Case &c : cases) {
        const Roll roll = decode_roll(c.value);
        EXPECT_EQ(roll.first, c.first) << c.value;
        EXPECT_EQ(roll.second, c.second) << c.value;
    }
}

TEST(IsDiceRoll, AcceptsExactlyTwoDiceFromOneToSix) {
    for (std::int32_t value = 0; value < 100; ++value) {
        const bool both_dice =
            value / 10 >= 1 && value / 10 <= 6 && value % 10 >= 1 && value % 10 <= 6;
        EXPECT_EQ(is_dice_roll(decode_roll(value)), both_dice) << value;
    }
    EXPECT_FALSE(is_dice_roll(decode_roll(2147483647)));
    EXPECT_FALSE(is_dice_roll(decode_roll(-11)));
}
