#include "feeder/dice_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

DiceSource source_holding(const std::string &bytes) {
    std::FILE *stream = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::rewind(stream);
    return DiceSource{stream};
}

constexpr std::int32_t NONE = -1;

std::vector<std::int32_t> values(DiceSource dice, std::size_t count) {
    std::vector<std::int32_t> out;
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(next_value(dice).value_or(NONE));
    }
    std::fclose(dice.stream);
    return out;
}

} // namespace

TEST(NextValue, ReadsNumbersInFileOrderAndCyclesWithoutRepeatingTheLast) {
    struct Case {
        const char *what;
        std::string bytes;
        std::vector<std::int32_t> expected;
    };
    const std::vector<Case> cases = {
        {"no line end after the last number", "31 64 52", {31, 64, 52, 31, 64, 52, 31}},
        {"a line end after the last number", "31\n64\n52\n", {31, 64, 52, 31, 64, 52, 31}},
        {"CRLF line ends", "31\r\n64\r\n52\r\n", {31, 64, 52, 31, 64}},
        {"tabs and blank lines", "\t31\t\n\n 64 \n\n", {31, 64, 31, 64}},
        {"a single number", "66", {66, 66, 66}},
        {"commas between numbers", "31,64,52", {31, 64, 52, 31}},
        {"letters and signs between numbers", "31 abc 64x-52+", {31, 64, 52, 31}},
        {"a byte-order mark first",
         "\xEF\xBB\xBF"
         "31 64\n",
         {31, 64, 31}},
        {"leading zeros and numbers that are not rolls", "007 0 123\n", {7, 0, 123, 7}},
        {"a number too long for 32 bits", "99999999999999999999 12", {2147483647, 12, 2147483647}},
        {"the largest 32-bit number",
         "2147483647 2147483648",
         {2147483647, 2147483647, 2147483647}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(values(source_holding(c.bytes), c.expected.size()), c.expected) << c.what;
    }
}

TEST(NextValue, ReportsNoNumberOnEveryRequestWhenTheFileHoldsNone) {
    for (const char *bytes : {"", " \n\t\r\n", "abc, def\n"}) {
        EXPECT_EQ(values(source_holding(bytes), 3), (std::vector<std::int32_t>{NONE, NONE, NONE}))
            << '"' << bytes << '"';
    }
}

namespace {

// A working directory of the test's own, left and removed at the end. ctest runs tests side
// by side, so the name carries the test's name and a random number.
class InTempDirectory : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        do {
            dir = std::filesystem::temp_directory_path() /
                  ("dicefeeder_" + name + "_" + std::to_string(std::random_device{}()));
        } while (!std::filesystem::create_directory(dir));
        std::filesystem::current_path(dir);
    }
    void TearDown() override {
        std::filesystem::current_path(before);
        std::filesystem::remove_all(dir);
    }
    static void write(const char *text, std::ios::openmode mode = std::ios::trunc) {
        std::ofstream(DICE_FILE_NAME, std::ios::binary | mode) << text;
    }

  private:
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::path dir;
};

} // namespace

TEST_F(InTempDirectory, OpenDiceSourceOpensTheFileInTheWorkingDirectoryOnly) {
    EXPECT_FALSE(open_dice_source().has_value());
    write("42\n");
    std::optional<DiceSource> dice = open_dice_source();
    ASSERT_TRUE(dice.has_value());
    EXPECT_EQ(next_value(*dice), 42);
    std::fclose(dice->stream);
}

TEST_F(InTempDirectory, NextValueGoesOnFromWhatTheOpenFileNowHolds) {
    write("31 64 52 41 42 43");
    std::optional<DiceSource> dice = open_dice_source();
    ASSERT_TRUE(dice.has_value());
    EXPECT_EQ(next_value(*dice), 31);

    write("11 22 33 44 55 66"); // rewritten in place: same length, the position carries on
    EXPECT_EQ(next_value(*dice), 22);

    write("65 "); // shorter than the position: the end is met, the file starts over
    EXPECT_EQ(next_value(*dice), 65);
    EXPECT_EQ(next_value(*dice), 65);

    write("21", std::ios::app); // grown: read on from the position
    EXPECT_EQ(next_value(*dice), 21);

    write(""); // emptied, then filled again
    EXPECT_EQ(next_value(*dice), std::nullopt);
    write("54\n");
    EXPECT_EQ(next_value(*dice), 54);

    // Replaced by another file: the open one is still read, where the system allows that.
    std::ofstream("other.txt") << "33";
    std::error_code replaced;
    std::filesystem::rename("other.txt", DICE_FILE_NAME, replaced);
    EXPECT_EQ(next_value(*dice), 54);
    std::fclose(dice->stream);
}
