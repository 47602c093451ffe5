#include "feeder/feeder.h"

#include "fake_platform.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Poller {
    DiceSource dice;
    std::FILE *out = std::tmpfile();

    explicit Poller(const std::string &bytes) : dice{std::tmpfile()} {
        std::fputs(bytes.c_str(), dice.stream);
        std::rewind(dice.stream);
    }
    ~Poller() {
        std::fclose(dice.stream);
        std::fclose(out);
    }
    std::string output() {
        std::string text(static_cast<std::size_t>(std::ftell(out)), '\0');
        std::rewind(out);
        text.resize(std::fread(text.data(), 1, text.size(), out));
        return text;
    }
};

std::vector<std::string> clicks() {
    std::vector<std::string> downs;
    for (const std::string &call : fake.calls) {
        if (call.rfind("down ", 0) == 0) {
            downs.push_back(call);
        }
    }
    return downs;
}

} // namespace

TEST(PollOnce, WithoutTheDialogReadsNothingAndSaysNothing) {
    fake = {};
    Poller poller("35 13");
    for (int i = 0; i < 3; ++i) {
        poll_once(poller.dice, poller.out);
    }
    EXPECT_EQ(std::ftell(poller.dice.stream), 0);
    EXPECT_EQ(poller.output(), "");
    EXPECT_EQ(fake.calls, std::vector<std::string>(3, "find_window GNU Backgammon - Dice"));
}

TEST(PollOnce, EntersOneNumberPerPollThatFindsTheDialog) {
    fake = {};
    fake.window = 1;
    fake.origin = ScreenPoint{200, 150};
    Poller poller("35 70 13 123\n");
    for (int i = 0; i < 5; ++i) {
        poll_once(poller.dice, poller.out);
    }
    EXPECT_EQ(poller.output(), "Rolled: 53 \nNot a roll: 70\nRolled: 31 \nNot a roll: 123\n"
                               "Rolled: 53 \n");
    const std::vector<std::string> expected = {"down 605 280", "down 455 190", "down 605 280"};
    EXPECT_EQ(clicks(), expected);
}

TEST(PollOnce, SaysSoAndClicksNothingWhenTheFileHoldsNoNumber) {
    fake = {};
    fake.window = 1;
    fake.origin = ScreenPoint{200, 150};
    Poller poller("none here\n");
    poll_once(poller.dice, poller.out);
    poll_once(poller.dice, poller.out);
    EXPECT_EQ(poller.output(), "No rolls in dice file\nNo rolls in dice file\n");
    EXPECT_TRUE(clicks().empty());
}
