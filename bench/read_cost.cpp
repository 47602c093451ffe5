// What one number from the dice file costs: next_value REQUESTS times over dicefile.txt in the
// working directory, rewinds included. Prints nanoseconds per number.
//   read_cost REQUESTS
#include "feeder/dice_source.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: read_cost REQUESTS\n");
        return 2;
    }
    const long requests = std::atol(argv[1]);
    std::optional<DiceSource> dice = open_dice_source();
    if (!dice) {
        std::fprintf(stderr, "read_cost: no dicefile.txt\n");
        return 1;
    }
    long sum = 0;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < requests; ++i) {
        sum += next_value(*dice).value_or(0);
    }
    const std::chrono::duration<double, std::nano> elapsed =
        std::chrono::steady_clock::now() - start;
    std::printf("%.0f\n", elapsed.count() / requests);
    return sum == 0; // keeps the reads from being optimised away
}
