// long_evening_test.cpp -- two hours of game time with a host who serves now and then, ending
// with the closing walk and picture: the bookkeeping holds after every frame, the points count
// the seconds of play, and the heap stays flat apart from the dishes.
#include <gtest/gtest.h>

#include "tests/long_evening.h"

namespace {

TEST(LongEvening, TheBookkeepingHoldsInEveryFrameOfTwoHours) {
    start_game_without_pictures();
    const long frames = 2 * 3600 * 1000 / 33, last_minutes = 3 * 60 * 1000 / 33;
    TEveningRun run = run_long_evening(frames, frames - last_minutes);
    EXPECT_EQ(run.frames, frames);
    EXPECT_EQ(run.faults, 0) << run.first_fault;
    EXPECT_GT(run.served, 200) << "the host hardly served";
    EXPECT_EQ(visitor_count, 42);
    EXPECT_GE(run.ended_at_minute, 116) << "the evening ended while it was held open";
    EXPECT_EQ(ending_sequence_active, 1) << "the closing walk did not arrive";
    // Apart from the dishes, nothing piles up: a dish costs well under 256 bytes with its link.
    EXPECT_LT(run.heap_growth, 64 * 1024 + 256LL * std::max(run.dish_growth, 0));
    // One point at once, then one each time a second has passed since the last: a point is at
    // most one frame late, so the points lag the seconds of play by at most 33 ms in 1033.
    long seconds = run.play_ms / 1000;
    EXPECT_LE(run.score, seconds + 1);
    EXPECT_GE(run.score, run.play_ms / 1033);
    std::printf("%ld frames in %.1f s (%.0f frames a second), %d dishes served, %d points for "
                "%ld s of play, closing walk from minute %d, heap %+lld bytes with %+d dishes\n",
                run.frames, run.seconds, double(run.frames) / run.seconds, run.served, run.score,
                seconds, run.ended_at_minute, run.heap_growth, run.dish_growth);
}

} // namespace
