#include "dialog/dialog.h"

#include "fake_platform.h"

#include <gtest/gtest.h>

TEST(ClickTarget, MapsTheDiceToTheirPointInTheGrid) {
    struct Case {
        ScreenPoint origin;
        Roll roll;
        ScreenPoint expected;
    };
    const Case cases[] = {
        {{0, 0}, {6, 6}, {480, 265}},     {{0, 0}, {1, 1}, {105, 40}},
        {{0, 0}, {6, 1}, {480, 40}},      {{0, 0}, {0, 0}, {30, -5}},
        {{200, 150}, {5, 3}, {605, 280}}, {{-300, -20}, {2, 2}, {-120, 65}},
    };
    for (const Case &c : cases) {
        const ScreenPoint target = click_target(c.origin, c.roll);
        EXPECT_EQ(target.x, c.expected.x) << c.roll.first << c.roll.second;
        EXPECT_EQ(target.y, c.expected.y) << c.roll.first << c.roll.second;
    }
}

TEST(FindDiceDialog, LooksForTheWholeTitle) {
    fake = {};
    fake.window = 77;
    EXPECT_EQ(find_dice_dialog(), DialogHandle{77});
    EXPECT_EQ(fake.calls, std::vector<std::string>{"find_window GNU Backgammon - Dice"});
}

TEST(EnterRoll, ClicksTheRollsPointAndPutsThePointerBack) {
    fake = {};
    fake.origin = ScreenPoint{200, 150};
    fake.pointer = {7, 9};
    enter_roll(1, Roll{5, 3});
    const std::vector<std::string> expected = {"client_origin", "pointer_position", "move 605 280",
                                               "down 605 280",  "up 605 280",       "move 7 9"};
    EXPECT_EQ(fake.calls, expected);
}

TEST(EnterRoll, DoesNothingWhenTheDialogHasGone) {
    fake = {};
    fake.pointer = {7, 9};
    enter_roll(1, Roll{5, 3});
    EXPECT_EQ(fake.calls, std::vector<std::string>{"client_origin"});
}
