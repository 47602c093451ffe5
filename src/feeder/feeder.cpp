#include "feeder/feeder.h"

#include "dialog/dialog.h"
#include "feeder/console.h"
#include "feeder/roll.h"

#include <cstdint>
#include <optional>

void poll_once(DiceSource &dice, std::FILE *out) {
    const std::optional<DialogHandle> dialog = find_dice_dialog();
    if (!dialog) {
        return;
    }
    const std::optional<std::int32_t> value = next_value(dice);
    if (!value) {
        std::fputs("No rolls in dice file\n", out);
        std::fflush(out);
        return;
    }
    const Roll roll = decode_roll(*value);
    if (!is_dice_roll(roll)) {
        // A point outside the dice grid could land on another window: say so and click nothing.
        std::fprintf(out, "Not a roll: %u\n", static_cast<unsigned>(*value));
        std::fflush(out);
        return;
    }
    std::fprintf(out, "Rolled: %d%d \n", roll.first, roll.second);
    std::fflush(out);
    enter_roll(*dialog, roll);
}

int run_feeder() {
    std::optional<DiceSource> dice = open_dice_source();
    if (!dice) {
        std::fputs("Can't open dice file\n", stdout);
        std::fflush(stdout);
        wait_for_key();
        return 0;
    }
    if (const char *error = open_desktop()) {
        std::fputs(error, stdout);
        std::fflush(stdout);
        return 1;
    }
    for (;;) {
        poll_once(*dice, stdout);
        pause_seconds(POLL_PAUSE_SECONDS);
    }
}
