// real_clock_test.cpp -- the program's own clock (not the scripted one): millisecs is the
// machine's millisecond counter since it started, so that every start seeds the generator anew.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "runtime/clock.h"
#include "runtime/platform.h"
#include "runtime/random.h"
#include "scoring/ending.h"

namespace {

TEST(RealClock, MillisecsIsTheMachinesUpTimeWrappedToAnInt) {
    double up_seconds = 0;
    std::ifstream("/proc/uptime") >> up_seconds;
    ASSERT_GT(up_seconds, 0);
    auto up_ms = uint32_t(uint64_t(up_seconds * 1000));
    int apart = int(uint32_t(millisecs()) - up_ms); // wrapping difference
    EXPECT_LT(std::abs(apart), 1000) << "millisecs " << millisecs() << ", up time " << up_ms;
}

// What start-up does with the clock: seed the generator, then choose the closing figures.
TEST(RealClock, TwoStartsAtDifferentMachineTimesChooseDifferently) {
    seed_rand(millisecs());
    choose_ending_figures();
    std::vector<int> first(ending_figure_kinds, ending_figure_kinds + ENDING_PLACES);
    platform_sleep(20);
    seed_rand(millisecs());
    choose_ending_figures();
    std::vector<int> second(ending_figure_kinds, ending_figure_kinds + ENDING_PLACES);
    EXPECT_NE(first, second);
}

} // namespace
