// runtime_input_test.cpp -- keys, mouse, focus, the tick timer and the numeric and random rules,
// driven through the same event entry points the SDL platform uses.
#include <gtest/gtest.h>

#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/input.h"
#include "runtime/numeric.h"
#include "runtime/platform_script.h"
#include "runtime/random.h"

namespace {

// Input is recorded only while a display is attached; these tests attach without drawing.
struct Input : ::testing::Test {
    void SetUp() override { input_attach(true); }
};

TEST_F(Input, HeldKeyGivesOneHitAndStaysDown) {
    script_key_press(KEY_LEFT);
    script_key_press(KEY_LEFT); // auto-repeat reaches the game as a press of a held key
    EXPECT_EQ(key_hit(KEY_LEFT), 1);
    for (int i = 0; i < 60; ++i) {
        script_advance_clock(33);
        EXPECT_EQ(key_hit(KEY_LEFT), 0);
        EXPECT_EQ(key_down(KEY_LEFT), 1);
    }
    script_key_release(KEY_LEFT);
    EXPECT_EQ(key_down(KEY_LEFT), 0);
}

TEST_F(Input, PressesBetweenQueriesAddUp) {
    for (int i = 0; i < 3; ++i) {
        script_key_press(KEY_SPACE);
        script_key_release(KEY_SPACE);
    }
    EXPECT_EQ(key_hit(KEY_SPACE), 3);
    EXPECT_EQ(key_hit(KEY_SPACE), 0);
    event_key_down(0, false);
    event_key_down(300, false);
    EXPECT_EQ(key_hit(0), 0);
    EXPECT_EQ(key_hit(300), 0); // codes outside 1..255 are ignored, not written out of bounds
}

TEST_F(Input, FocusLossClearsHeldKeysAndMouse) {
    script_key_press(KEY_UP);
    script_mouse_press(1);
    script_focus(false);
    EXPECT_EQ(key_down(KEY_UP), 0);
    EXPECT_EQ(key_hit(KEY_UP), 0);
    EXPECT_EQ(mouse_down(1), 0);
    EXPECT_EQ(mouse_hit(1), 0);
    EXPECT_EQ(input_suspended(), 1);
    script_focus(true);
    EXPECT_EQ(input_suspended(), 0);
}

TEST_F(Input, FlushKeysLeavesMouseHits) {
    script_key_press(KEY_ESCAPE);
    script_mouse_press(1);
    script_mouse_move(123, 456);
    flush_keys();
    EXPECT_EQ(key_hit(KEY_ESCAPE), 0);
    EXPECT_EQ(key_down(KEY_ESCAPE), 0);
    EXPECT_EQ(mouse_hit(1), 1);
    EXPECT_EQ(mouse_down(1), 1);
    EXPECT_EQ(mouse_x(), 123);
    EXPECT_EQ(mouse_y(), 456);
}

TEST(InputDetached, EventsWithoutDisplayAreDropped) {
    input_attach(false);
    script_key_press(KEY_SPACE);
    EXPECT_EQ(key_hit(KEY_SPACE), 0);
}

TEST(Timer, EachWaitIsOneTickAndLateWaitsReturnAtOnce) {
    script_set_clock(1000);
    TTickTimer* timer = create_timer(30);
    EXPECT_EQ(timer->period_ms, 33);
    EXPECT_EQ(wait_timer(timer), 1);
    EXPECT_EQ(millisecs(), 1033);
    EXPECT_EQ(wait_timer(timer), 1);
    EXPECT_EQ(millisecs(), 1066);
    script_advance_clock(100); // a frame that took 100 ms
    long waits = script_waits();
    EXPECT_EQ(wait_timer(timer), 3);
    EXPECT_EQ(script_waits(), waits); // returned without sleeping
}

TEST(Timer, CloseBoxEndsTheProgramWithStatusZero) {
    input_attach(true);
    script_close_window();
    try {
        key_hit(KEY_ESCAPE);
        FAIL() << "the close box did not end the program";
    } catch (const TProgramEnd& end) {
        EXPECT_EQ(end.status, 0);
    }
}

TEST(Random, DocumentedSequence) {
    EXPECT_EQ(random_state, 0x1234);
    double r = next_random();
    EXPECT_EQ(random_state, 539475828);
    EXPECT_NEAR(r, 0.418988727, 1e-9);
    random_state = 0x1234;
    EXPECT_EQ(rand_int(0, 5), 2);
    random_state = 0x1234;
    EXPECT_EQ(rand_int(5, 0), 2);
    int before = random_state;
    EXPECT_EQ(rand_int(3, 3), 3);
    random_state = before;
    next_random();
    int after_two_steps = random_state;
    random_state = before;
    rand_int(3, 3);
    EXPECT_EQ(random_state, after_two_steps);
}

TEST(Random, Seeding) {
    struct {
        int seed, state;
    } cases[] = {{0, 0x1234}, {-1, 0x1234}, {0x7FFFFFFF, 0x1234}, {int(0x80000005u), 5}, {42, 42}};
    for (auto c : cases) {
        seed_rand(c.seed);
        EXPECT_EQ(random_state, c.state) << "seed " << c.seed;
    }
}

TEST(Random, RangesStayInside) {
    seed_rand(99);
    for (int i = 0; i < 10000; ++i) {
        int v = rand_int(1, 4);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 4);
        double f = rand_float(2.0, -3.0);
        ASSERT_GE(f, -3.0);
        ASSERT_LT(f, 2.0);
    }
    EXPECT_EQ(rand_float(1.5, 1.5), 1.5);
}

TEST(Numeric, Helpers) {
    EXPECT_EQ(to_int(2.9), 2);
    EXPECT_EQ(to_int(-2.9), -2);
    EXPECT_EQ(to_int(-0.5), 0);
    EXPECT_EQ(abs_int(-7), 7);
    EXPECT_EQ(min_int(3, -1), -1);
    EXPECT_EQ(min_float(1, 2), 1);
    EXPECT_EQ(max_float(1, 2), 2);
    EXPECT_NEAR(sin_deg(90), 1.0, 1e-15);
    EXPECT_NEAR(sin_deg(30), 0.5, 1e-15);
    EXPECT_EQ(floor_of(-1.5), -2);
    EXPECT_EQ(ceil_of(-1.5), -1);
}

TEST(Clock, DifferencesAcrossTheWrap) {
    script_set_clock(0x7FFFFFF0);
    int due = int(unsigned(millisecs()) + 100u);
    script_advance_clock(101);
    EXPECT_GT(int(unsigned(millisecs()) - unsigned(due)), 0); // the due test, wrapping
}

} // namespace
