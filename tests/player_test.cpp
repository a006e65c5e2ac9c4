// player_test.cpp -- the host on the real frame loop with scripted keys and the virtual clock: the
// order of the direction keys, the table and the clamps, serving across the table, taking dishes,
// the busy hands while taking or serving, the closing walk to the head of the table, and whole
// evenings with and without a host who serves.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <set>
#include <utility>
#include <vector>

#include "characters/cook.h"
#include "characters/disciple.h"
#include "characters/dish.h"
#include "characters/player.h"
#include "runtime/input.h"
#include "shell/game.h"
#include "tests/harness.h"

namespace {

// Plays exactly `frames` frames of play, each ending with its wait for the next tick. (Stopping
// a run from inside a wait leaves the clock short of that tick, so counting waits across several
// short runs could let one run play an extra frame.)
void play(int frames, const std::function<void()>& each_frame = {}) {
    int played = 0;
    run_frames(
        [&] {
            while (played < frames && key_hit(KEY_ESCAPE) == 0) {
                play_frame();
                ++played;
            }
        },
        1L << 40, each_frame);
}

void place_host(float x, float y, int facing) {
    player_x = x;
    player_y = y;
    player_facing = facing;
}

// A guest sitting on seat (col, row), as if it had walked there, in the given state.
TDisciple* seat_guest(int col, int row, int state) {
    TDisciple* guest = list_add_last(disciple_list, std::make_unique<TDisciple>());
    guest->x = 32 * col;
    guest->y = 32 * row;
    guest->step_col = guest->seat_col = col;
    guest->step_row = guest->seat_row = row;
    guest->facing = row == 3 ? 3 : col == 1 ? 2 : 0; // toward the table
    guest->state = state;
    return guest;
}

std::vector<TDish*> dishes_on(int col, int row) {
    std::vector<TDish*> found;
    for (TDish* dish : dish_list)
        if (dish->x / 32 == col && dish->y / 32 == row) found.push_back(dish);
    return found;
}

} // namespace

TEST(Player, MostRecentlyPressedHeldDirectionLeads) {
    start_test_game();
    script_key_press(KEY_LEFT);
    play(5);
    EXPECT_EQ(player_x, 374);
    EXPECT_EQ(player_facing, 0);
    script_key_press(KEY_UP); // Left stays held
    play(5);
    EXPECT_EQ(player_x, 374);
    EXPECT_EQ(player_y, 310);
    EXPECT_EQ(player_facing, 1);
    script_key_release(KEY_UP); // Left again, without a new press
    play(5);
    EXPECT_EQ(player_x, 364);
    EXPECT_EQ(player_y, 310);
    EXPECT_EQ(player_facing, 0);
    EXPECT_EQ(std::vector<int>(direction_keys, direction_keys + 4),
              (std::vector<int>{KEY_UP, KEY_LEFT, 0, 0}));

    script_key_release(KEY_LEFT);
    play(1);
    EXPECT_EQ(player_moving, 0);
    script_tap(KEY_LEFT); // Left is not first: it comes to the front, and is kept behind as well
    play(1);
    script_tap(KEY_LEFT); // now it is first: nothing changes
    play(1);
    EXPECT_EQ(std::vector<int>(direction_keys, direction_keys + 4),
              (std::vector<int>{KEY_LEFT, KEY_UP, KEY_LEFT, 0}));
    EXPECT_EQ(player_x, 364); // taps released before the frame move nobody
}

// Against the table or the counter he turns and treads on the spot.
TEST(Player, TableAndCounterTurnHimWithoutMovingHim) {
    start_test_game();
    struct TCase {
        float x, y;
        int key;
        float stop_x, stop_y;
        int facing;
    };
    const TCase cases[] = {
        {110, 320, KEY_LEFT, 96, 320, 0},   // the left side of the table
        {320, 160, KEY_UP, 320, 148, 1},    // the top of the table
        {650, 320, KEY_RIGHT, 672, 320, 2}, // the right side
        {384, 500, KEY_DOWN, 384, 522, 3},  // the counter
        {130, 148, KEY_LEFT, 96, 148, 0},   // along the top edge into the corner
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.x << ", " << c.y << " key " << c.key);
        place_host(c.x, c.y, c.key == KEY_DOWN ? 1 : 3);
        script_key_press(c.key);
        play(30);
        EXPECT_EQ(player_x, c.stop_x);
        EXPECT_EQ(player_y, c.stop_y);
        std::set<int> frames;
        play(20, [&] {
            EXPECT_EQ(player_x, c.stop_x);
            EXPECT_EQ(player_y, c.stop_y);
            EXPECT_EQ(player_facing, c.facing);
            EXPECT_EQ(player_moving, 1);
            frames.insert(player_anim_frame);
        });
        EXPECT_EQ(frames, (std::set<int>{0, 1, 2, 3})); // the walking animation runs on
        script_key_release(c.key);
        play(1);
    }
}

TEST(Player, ClampsKeepHimInsideAndLeaveYOddAtTheBottom) {
    start_test_game();
    struct TCase {
        float x, y;
        int key;
        float end_x, end_y;
    };
    const TCase cases[] = {
        {80, 64, KEY_LEFT, 64, 64},    // the corridor below the wall, far left
        {690, 64, KEY_RIGHT, 704, 64}, // far right
        {64, 550, KEY_DOWN, 64, 563},  // the bottom
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key);
        place_host(c.x, c.y, 3);
        script_key_press(c.key);
        play(30);
        EXPECT_EQ(player_x, c.end_x);
        EXPECT_EQ(player_y, c.end_y);
        script_key_release(c.key);
        play(1);
    }
    // From 563 on, y stays odd: up beside the table's left end, where it stops at 531, then right.
    place_host(80, 563, 3);
    script_key_press(KEY_UP);
    play(30);
    EXPECT_EQ(player_y, 531); // the end of the table side, row 16, blocks the next step
    script_key_release(KEY_UP);
    script_key_press(KEY_RIGHT);
    play(10);
    EXPECT_EQ(player_x, 100);
    EXPECT_EQ(player_y, 531);
}

// Which guest a carrying host serves from where he stands, and where the dish lands.
struct TServeCase {
    const char* name;
    float x, y;
    int facing;
    int seat_col, seat_row; // the waiting guest
    bool served;
    int dish_col, dish_row; // the table cell in front of the seat
};

void PrintTo(const TServeCase& c, std::ostream* out) {
    *out << c.name;
}

class Serving : public testing::TestWithParam<TServeCase> {};

TEST_P(Serving, FromThisPlace) {
    const TServeCase& c = GetParam();
    start_test_game();
    next_arrival_time = 1 << 30; // no other guests
    seat_guest(c.seat_col, c.seat_row, DISCIPLE_WAITING);
    place_host(c.x, c.y, c.facing);
    hands_state = HANDS_CARRYING;
    carried_amount = 50;
    script_tap(KEY_SPACE);
    play(1);
    if (!c.served) {
        EXPECT_EQ(hands_state, HANDS_CARRYING);
        EXPECT_EQ(list_count(dish_list), 0);
        return;
    }
    EXPECT_EQ(hands_state, HANDS_PUTTING_DOWN);
    EXPECT_EQ(player_anim_frame, 0);
    ASSERT_EQ(list_count(dish_list), 1);
    TDish* dish = *dish_list.begin();
    EXPECT_EQ(dish->x, 32 * c.dish_col);
    EXPECT_EQ(dish->y, 32 * c.dish_row);
    EXPECT_EQ(dish->amount, 50);
    EXPECT_EQ(dish->bite_time, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Player, Serving,
    testing::Values(TServeCase{"LeftSideX96", 96, 320, 0, 1, 10, true, 2, 10},
                    TServeCase{"LeftSideX98", 98, 320, 0, 1, 10, false, 0, 0},
                    TServeCase{"TopEdgeY147", 320, 147, 1, 10, 3, true, 10, 4},
                    TServeCase{"TopEdgeY159", 320, 159, 1, 10, 3, true, 10, 4},
                    TServeCase{"TopEdgeY160", 320, 160, 1, 10, 3, false, 0, 0},
                    TServeCase{"RightSideX672", 672, 320, 2, 23, 10, true, 22, 10},
                    TServeCase{"FacingDown", 96, 320, 3, 1, 10, false, 0, 0},
                    // Below the end of a table side with y odd after the bottom clamp: the guest
                    // of row 16 is served and the dish lies on his table cell, not on his seat.
                    TServeCase{"BelowLeftEnd", 80, 531, 0, 1, 16, true, 2, 16},
                    TServeCase{"BelowRightEnd", 692, 531, 2, 23, 16, true, 22, 16}),
    [](const testing::TestParamInfo<TServeCase>& info) { return info.param.name; });

TEST(Player, ServesOnlyWaitingOrEatingGuestsAndReplacesTheOldDishes) {
    start_test_game();
    next_arrival_time = 1 << 30;
    TDisciple* guest = seat_guest(1, 10, DISCIPLE_WAITING);
    for (int state = DISCIPLE_ARRIVING; state <= DISCIPLE_GIVEN_UP; ++state) {
        SCOPED_TRACE(testing::Message() << "guest state " << state);
        for (TDish* dish : dish_list) list_remove(dish_list, dish);
        add_dish(64, 320, 0); // an empty plate and a last bite on the guest's table cell
        add_dish(64, 320, 1);
        guest->state = state;
        guest->anim_frame = 0;
        place_host(96, 320, 0);
        hands_state = HANDS_CARRYING;
        carried_amount = 70;
        script_tap(KEY_SPACE);
        play(1);
        bool served = state == DISCIPLE_WAITING || state == DISCIPLE_EATING;
        std::vector<TDish*> on_table = dishes_on(2, 10);
        EXPECT_EQ(hands_state, served ? HANDS_PUTTING_DOWN : HANDS_CARRYING);
        ASSERT_EQ(on_table.size(), served ? 1u : 2u);
        if (served) {
            EXPECT_EQ(on_table[0]->amount, 70);
        }
    }
}

// Watches the busy hands for 7 animation steps: he must neither move, turn nor react to Space,
// though Left is held and Space pressed in every frame that is sure to be busy still (a press in
// the frame the hands come free would take or serve again). Returns the animation frames seen.
std::vector<int> watch_busy_hands(int busy_state) {
    float x = player_x, y = player_y;
    int facing = player_facing, dishes = list_count(dish_list);
    std::vector<int> frames;
    script_key_press(KEY_LEFT);
    for (int i = 0; i < 60 && hands_state == busy_state; ++i) {
        if (frames.empty() || frames.back() != player_anim_frame)
            frames.push_back(player_anim_frame);
        if (player_anim_frame < 6) script_tap(KEY_SPACE);
        play(1);
        EXPECT_EQ(list_count(dish_list), dishes);
        if (hands_state != busy_state) break; // free again: in this very frame he may walk
        EXPECT_EQ(player_x, x);
        EXPECT_EQ(player_y, y);
        EXPECT_EQ(player_facing, facing);
    }
    script_key_release(KEY_LEFT);
    play(1);
    return frames;
}

// Keeps the cook standing where he is, so that no new dish appears on the counter.
void hold_the_cook() {
    cook_target_x = cook_x;
    cook_next_time = 1 << 30;
}

TEST(Player, TakesEveryDishOnTheFacedCellThenIsBusyForSevenSteps) {
    start_test_game();
    next_arrival_time = 1 << 30;
    hold_the_cook();
    place_host(384, 522, 3); // in front of the counter's middle place (12, 17)
    add_dish(384, 544, 80);
    add_dish(352, 544, 80); // the left place: not faced
    add_dish(384, 544, 33);
    script_tap(KEY_SPACE);
    play(1);
    EXPECT_EQ(hands_state, HANDS_PICKING_UP);
    EXPECT_EQ(carried_amount, 33); // the later of the two
    EXPECT_TRUE(dishes_on(12, 17).empty());
    EXPECT_EQ(dishes_on(11, 17).size(), 1u);

    add_dish(384, 544, 5); // a new dish in front of him must wait for the next press
    EXPECT_EQ(watch_busy_hands(HANDS_PICKING_UP), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(hands_state, HANDS_CARRYING);
    EXPECT_EQ(carried_amount, 33);
    EXPECT_EQ(player_x, 382); // Left, held all along, walks him as soon as his hands are free

    seat_guest(1, 10, DISCIPLE_WAITING);
    place_host(96, 320, 0);
    script_tap(KEY_SPACE);
    play(1);
    ASSERT_EQ(hands_state, HANDS_PUTTING_DOWN);
    ASSERT_EQ(dishes_on(2, 10).size(), 1u);
    EXPECT_EQ(dishes_on(2, 10)[0]->amount, 33);
    EXPECT_EQ(watch_busy_hands(HANDS_PUTTING_DOWN), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(hands_state, HANDS_EMPTY);
}

namespace {

using TCell = std::pair<int, int>;

// From (12, 10): right along row 10 to column 21, down to row 17, right to column 24, up to row 2,
// left to column 12 and down into the gap at the head of the table: 47 steps.
std::vector<TCell> expected_route() {
    std::vector<TCell> route{{12, 10}};
    auto go = [&](int dc, int dr, int steps) {
        for (int i = 0; i < steps; ++i)
            route.emplace_back(route.back().first + dc, route.back().second + dr);
    };
    go(1, 0, 9);
    go(0, 1, 7);
    go(1, 0, 3);
    go(0, -1, 15);
    go(-1, 0, 12);
    go(0, 1, 1);
    return route;
}

} // namespace

TEST(EndingWalk, Mean21IsPlayAnd20StartsTheWalkInThatVeryFrame) {
    start_test_game();
    script_key_press(KEY_RIGHT);
    average_contentment = 21;
    play(1);
    EXPECT_EQ(ending_started, 0);
    EXPECT_EQ(player_x, 386); // steered: 2 pixels

    average_contentment = 20;
    play(1);
    EXPECT_EQ(ending_started, 1);
    EXPECT_EQ(walk_goal_col, 12);
    EXPECT_EQ(walk_goal_row, 3);
    EXPECT_EQ(walk_distances, compute_path_distances(12, 3));
    EXPECT_EQ(walk_target_col, 13);
    EXPECT_EQ(walk_target_row, 10);
    EXPECT_EQ(player_x, 387); // walking by himself: 1 pixel, already in this frame
    EXPECT_EQ(player_moving, 1);
}

TEST(EndingWalk, HostWalksTheRouteToTheHeadOfTheTableAndPlayNeverReturns) {
    start_game_without_pictures();
    hands_state = HANDS_CARRYING;
    carried_amount = 80;
    average_contentment = 20;
    play(1);
    ASSERT_EQ(ending_started, 1);
    average_contentment = 60;            // the guests cheering up changes nothing now
    script_key_press(KEY_UP);            // nor does the keyboard
    next_arrival_time = millisecs() - 1; // nor does anybody come in
    int guests = list_count(disciple_list);

    std::vector<TCell> route{{12, 10}};
    long frames = 1;
    while (ending_sequence_active == 0 && frames < 3000) {
        if (frames == 1500) { // a pick-up still running on arrival is dropped as well
            hands_state = HANDS_PICKING_UP;
            player_anim_frame = 0;
        }
        play(1);
        ++frames;
        EXPECT_EQ(ending_started, 1);
        int x = int(player_x), y = int(player_y);
        if (x % 32 == 0 && y % 32 == 0 && route.back() != TCell{x / 32, y / 32})
            route.emplace_back(x / 32, y / 32);
    }
    EXPECT_EQ(route, expected_route());
    EXPECT_EQ(frames, 47 * 32 + 1); // a pixel a frame, then the frame that notices the arrival
    EXPECT_EQ(player_x, 384);
    EXPECT_EQ(player_y, 96);
    EXPECT_EQ(player_facing, 3);
    EXPECT_EQ(player_moving, 0);
    EXPECT_EQ(hands_state, HANDS_EMPTY);
    EXPECT_EQ(list_count(disciple_list), guests);

    play(30); // the closing picture's frames leave him where he is
    EXPECT_EQ(ending_sequence_active, 1);
    EXPECT_EQ(player_x, 384);
    EXPECT_EQ(player_y, 96);
}

namespace {

// A scripted host with the arrow keys and Space: takes a dish from the counter, carries it to the
// waiting guest who has been waiting longest, serves it across the table, and starts again. He
// stays inside the U of the table, where the floor is bare from x 96 to 672 and y 148 to 522, so
// walking first across and then up or down always gets him to his place.
struct TWaiter {
    int held = 0;               // the direction key he holds now
    TDisciple* guest = nullptr; // the guest he is carrying a dish to
    long served = 0;            // dishes put down

    void hold(int key) {
        if (key == held) return;
        if (held) script_key_release(held);
        if (key) script_key_press(key);
        held = key;
    }

    // Walks to (x, y), turns with `face_key` toward the table or the counter and presses Space.
    void reach(float x, float y, int face_key) {
        if (player_x != x)
            hold(player_x < x ? KEY_RIGHT : KEY_LEFT);
        else if (player_y != y)
            hold(player_y < y ? KEY_DOWN : KEY_UP);
        else {
            hold(face_key); // against the table he only turns
            if (player_facing == face_key - KEY_LEFT) script_tap(KEY_SPACE);
        }
    }

    TDish* counter_dish() {
        for (TDish* dish : dish_list)
            if (dish->y == 544 && dish->x >= 352 && dish->x <= 416 && dish->amount > 0) return dish;
        return nullptr;
    }

    TDisciple* hungriest_guest() {
        TDisciple* best = nullptr;
        for (TDisciple* g : disciple_list)
            if (g->state == DISCIPLE_WAITING && (!best || g->contentment < best->contentment))
                best = g;
        return best;
    }

    // The place from which the guest is served: beside the table's left or right side in his row,
    // or below the top of the table in his column.
    void serve(const TDisciple& g) {
        if (g.facing == 2)
            reach(96, float(g.y), KEY_LEFT);
        else if (g.facing == 0)
            reach(672, float(g.y), KEY_RIGHT);
        else
            reach(float(g.x), 148, KEY_UP);
    }

    void on_frame() {
        if (hands_state == HANDS_PICKING_UP || hands_state == HANDS_PUTTING_DOWN) {
            if (hands_state == HANDS_PUTTING_DOWN && guest) ++served;
            guest = nullptr;
            hold(0);
            return;
        }
        if (hands_state == HANDS_EMPTY) {
            TDish* dish = counter_dish();
            if (dish)
                reach(float(dish->x), 522, KEY_DOWN);
            else
                hold(0);
            return;
        }
        if (!guest || guest->state != DISCIPLE_WAITING) guest = hungriest_guest();
        if (guest)
            serve(*guest);
        else
            hold(0);
    }
};

struct TEvening {
    long frames = 0; // frames of play until the closing walk began (or the limit)
    int millis = 0;  // the game clock then
    long dishes = 0; // dishes the waiter served
    int guests = 0;  // guests seated
};

// Plays an evening from the start until the closing walk begins, or for `limit` frames.
TEvening play_evening(bool serving, long limit) {
    start_game_without_pictures();
    TWaiter waiter;
    TEvening evening;
    while (ending_started == 0 && evening.frames < limit) {
        play(1);
        ++evening.frames;
        if (serving) waiter.on_frame();
    }
    evening.millis = millisecs();
    evening.dishes = waiter.served;
    evening.guests = visitor_count;
    return evening;
}

// The game's state lives for the whole process, so a second evening is played by a child.
pid_t play_evening_in_child(bool serving, long limit, int* result_fd) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        TEvening evening = play_evening(serving, limit);
        _exit(write(fds[1], &evening, sizeof evening) == sizeof evening ? 0 : 1);
    }
    close(fds[1]);
    *result_fd = fds[0];
    return pid;
}

void report(const char* name, const TEvening& e) {
    std::cout << name << ": " << e.frames << " frames, " << e.millis / 60000.0 << " game minutes, "
              << e.dishes << " dishes served, " << e.guests << " guests seated\n";
}

} // namespace

// Nobody serves in one evening (played by a child process at the same time); a host who keeps
// taking dishes from the counter and serving the longest-waiting guest plays the other.
TEST(Evening, AHostWhoKeepsServingMakesItLastClearlyLonger) {
    const long limit = 30L * 60 * 120; // two hours of play
    int fd = -1;
    pid_t child = play_evening_in_child(false, limit, &fd);
    ASSERT_GT(child, 0);
    TEvening served = play_evening(true, limit);
    TEvening unserved;
    ASSERT_EQ(read(fd, &unserved, sizeof unserved), ssize_t(sizeof unserved));
    close(fd);
    waitpid(child, nullptr, 0);
    report("nobody serves", unserved);
    report("the host serves", served);

    EXPECT_LT(unserved.frames, limit);
    EXPECT_EQ(unserved.dishes, 0);
    EXPECT_GT(served.dishes, 10);
    EXPECT_GT(served.frames, 2 * unserved.frames);
}
