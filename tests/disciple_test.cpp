// disciple_test.cpp -- the guests on the real frame loop and the virtual clock: arriving, the seat
// draw, the walk, sitting down, contentment, eating from dishes, the statistics, a whole evening.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <iostream>

#include "characters/disciple.h"
#include "characters/dish.h"
#include "room/room.h"
#include "runtime/numeric.h"
#include "shell/game.h"
#include "tests/evening_fixture.h"
#include "tests/harness.h"

namespace {

void no_more_arrivals() {
    next_arrival_time = INT_MAX;
}

// Plays frames until `done` holds after a frame; returns the frames played, or `limit` + 1 if it
// never held. One continuous run, so that every frame waits for exactly one tick of the clock.
long play_until(long limit, const std::function<bool()>& done) {
    long frames = 0;
    bool finished = false;
    play_frames(limit, [&] {
        ++frames;
        if (done()) {
            finished = true;
            stop_frames();
        }
    });
    return finished ? frames : limit + 1;
}

} // namespace

TEST(Disciple, NewGuestWalksInTakesASeatAndSitsDown) {
    start_test_game();
    next_arrival_time = millisecs() - 1; // due in the first frame
    TDisciple* guest = nullptr;
    // Frame by frame, in one run: the guest comes in at the end of frame 1, walks 128 frames down
    // to (12, 2), draws its seat in the next one and walks there along the distance map.
    long frame = 0, seat_frame = 0, on_seat_frame = 0, seated_frame = 0;
    int x = 0, y = 0, col = 0, row = 0, last = 0;
    TGrid distances{};
    play_until(3000, [&] {
        ++frame;
        if (frame == 1) {
            EXPECT_EQ(list_count(disciple_list), 1);
            guest = *disciple_list.begin();
            no_more_arrivals();
            EXPECT_EQ(guest->x, 384);
            EXPECT_EQ(guest->y, -64);
            EXPECT_EQ(guest->facing, 3);
            EXPECT_EQ(guest->state, DISCIPLE_ARRIVING);
        } else if (frame <= 129) {
            EXPECT_EQ(guest->x, 384);
            EXPECT_EQ(guest->y, -64 + int(frame - 1));
            EXPECT_EQ(free_seats, 42);
            EXPECT_EQ(served_percent, 100); // nobody seated yet
            EXPECT_EQ(average_contentment, 60);
        } else if (!seat_frame) {
            seat_frame = frame;
            EXPECT_EQ(free_seats, 41);
            col = guest->seat_col, row = guest->seat_row;
            distances = compute_path_distances(col, row);
            last = distances[12][2];
            int taken = 0;
            for (int i = 0; i < seat_count; ++i)
                taken += seat_table[i][2] && seat_table[i][0] == col && seat_table[i][1] == row;
            EXPECT_EQ(taken, 1);
        }
        if (seat_frame && !on_seat_frame) { // one pixel a frame, down the distances cell by cell
            EXPECT_EQ(abs_int(guest->x - x) + abs_int(guest->y - y), 1) << "frame " << frame;
            if (guest->x % 32 == 0 && guest->y % 32 == 0) {
                EXPECT_EQ(distances[guest->x / 32][guest->y / 32], --last) << "frame " << frame;
            }
            if (guest->x == 32 * col && guest->y == 32 * row) on_seat_frame = frame;
        }
        if (guest->state < DISCIPLE_WAITING) {
            EXPECT_EQ(visitor_count, 0);
        }
        x = guest->x, y = guest->y;
        seated_frame = frame;
        return guest->state == DISCIPLE_WAITING;
    });
    ASSERT_NE(guest, nullptr);
    EXPECT_EQ(seat_frame, 130);
    EXPECT_EQ(on_seat_frame - seat_frame + 1, 32 * (distances[12][2] - 1));
    EXPECT_EQ(last, 1);
    EXPECT_LE(seated_frame - on_seat_frame, 30); // at most 7 animation steps of 4 frames
    EXPECT_EQ(visitor_count, 1);
    EXPECT_EQ(guest->moving, 0);
    EXPECT_EQ(guest->x, 32 * col);
    EXPECT_EQ(guest->y, 32 * row);
    EXPECT_EQ(guest->facing, seat_facing(col, row));
    EXPECT_EQ(served_percent, 0);
}

TEST(Disciple, WaitingGuestLosesAPointEveryTwoSecondsAndGivesUp) {
    start_game_without_pictures();
    no_more_arrivals();
    int start = millisecs();
    TDisciple* guest = seat_guest(0, 60);
    std::vector<int> drops; // millisecs of each lost point
    int contentment = guest->contentment;
    play_until(5000, [&] {
        if (guest->contentment != contentment) {
            EXPECT_EQ(guest->contentment, contentment - 1);
            contentment = guest->contentment;
            drops.push_back(millisecs());
        }
        return guest->state == DISCIPLE_GIVEN_UP;
    });
    ASSERT_EQ(drops.size(), 60u);
    EXPECT_LT(drops[0] - start, 100); // the first point goes at once
    for (size_t i = 1; i < drops.size(); ++i) {
        EXPECT_GT(drops[i] - drops[i - 1], 2000);
        EXPECT_LT(drops[i] - drops[i - 1], 2100);
    }
    EXPECT_NEAR(drops.back() - start, 120000, 2500);
    play_frames(300);
    EXPECT_EQ(guest->state, DISCIPLE_GIVEN_UP);
    EXPECT_EQ(guest->contentment, 0);
    EXPECT_EQ(visitor_count, 1); // still a visitor, counted with 0
    EXPECT_EQ(average_contentment, 0);
    EXPECT_EQ(guest->x, 32 * seat_table[0][0]);
    EXPECT_EQ(guest->y, 32 * seat_table[0][1]);
}

TEST(Disciple, GuestsEatOnePortionASecondFromTheDishOnTheirTableCell) {
    start_game_without_pictures();
    no_more_arrivals();
    // The three ways a seat faces the table: down (row 3), right (column 1), left (column 23).
    struct TEater {
        int seat, table_col, table_row;
        TDisciple* guest = nullptr;
        TDish* dish = nullptr;
        int finished = 0; // millisecs when it went back to waiting
    };
    TEater eaters[] = {{0, 3, 4}, {18, 2, 5}, {19, 22, 5}};
    int start = millisecs();
    for (TEater& e : eaters) {
        e.guest = seat_guest(e.seat, 60);
        e.dish = add_dish(32 * e.table_col, 32 * e.table_row, 80);
    }
    TDisciple* empty_plate = seat_guest(20, 60); // (1, 6): a dish without food
    TDish* plate = add_dish(64, 192, 0);
    TDisciple* neighbour = seat_guest(21, 60); // (23, 6): food on the wrong cell
    TDish* elsewhere = add_dish(32 * 22, 32 * 7, 80);
    TDisciple* robbed = seat_guest(1, 60); // (4, 3): its dish is taken away while it eats
    TDish* taken_dish = add_dish(128, 128, 80);

    play_until(5, [] { return false; }); // one animation step
    for (TEater& e : eaters) {
        EXPECT_EQ(e.guest->state, DISCIPLE_EATING) << "seat " << e.seat;
        EXPECT_EQ(e.guest->served, 1);
    }
    EXPECT_EQ(robbed->state, DISCIPLE_EATING);
    play_until(300, [&] { return millisecs() - start > 10000; });
    for (TEater& e : eaters) EXPECT_NEAR(e.dish->amount, 70, 1) << "seat " << e.seat;
    ASSERT_TRUE(list_remove(dish_list, taken_dish));
    EXPECT_LE(play_until(10, [&] { return robbed->state == DISCIPLE_WAITING; }), 4);
    EXPECT_EQ(robbed->served, 0);

    play_until(2700, [&] {
        bool all = true;
        for (TEater& e : eaters) {
            if (!e.finished && e.guest->state == DISCIPLE_WAITING) e.finished = millisecs();
            EXPECT_LE(e.guest->contentment, 100);
            all = all && e.finished;
        }
        return all;
    });
    for (TEater& e : eaters) {
        // 81 bites (80 portions, then the one that finds the plate empty), one at every eighth
        // animation step of 132 ms, that is every 1056 ms.
        EXPECT_NEAR(e.finished - start, 80 * 1056, 500) << "seat " << e.seat;
        EXPECT_EQ(e.dish->amount, 0);
        EXPECT_EQ(e.guest->served, 0);
        EXPECT_GE(e.guest->contentment, 99); // rose from 59 and stopped at 100
    }
    EXPECT_EQ(empty_plate->state, DISCIPLE_WAITING);
    EXPECT_EQ(plate->amount, 0);
    EXPECT_EQ(neighbour->state, DISCIPLE_WAITING);
    EXPECT_EQ(elsewhere->amount, 80);
    int on_tables = 0; // empty dishes stay where they are
    for (TDish* dish : dish_list) on_tables += dish->y != 544;
    EXPECT_EQ(on_tables, 5);
}

TEST(Disciple, StatisticsCountSeatedGuestsOnly) {
    start_game_without_pictures();
    no_more_arrivals();
    TDisciple* content = seat_guest(0, 60);
    TDisciple* gone = seat_guest(1, 0);
    gone->state = DISCIPLE_GIVEN_UP;
    TDisciple* eating = seat_guest(2, 100);
    add_dish(32 * 5, 32 * 4, 80);
    for (TDisciple* guest : {content, gone, eating}) guest->contentment_time = INT_MAX;
    TDisciple::spawn(); // walking in: not yet counted
    play_until(5, [] { return false; });
    EXPECT_EQ(eating->state, DISCIPLE_EATING);
    EXPECT_EQ(average_contentment, 53); // (60 + 0 + 100) / 3
    EXPECT_EQ(served_percent, 33);
}

TEST(Disciple, LastSeatIsFoundAndAGuestWithoutOneWalksBackOut) {
    start_game_without_pictures();
    no_more_arrivals();
    for (int i = 0; i < seat_count; ++i) seat_table[i][2] = i != 30;
    free_seats = 1;
    TDisciple::spawn();
    play_frames(30);
    TDisciple::spawn(); // a second guest a second behind, before the first has its seat
    TDisciple* first = *disciple_list.begin();
    TDisciple* second = nullptr;
    for (TDisciple* guest : disciple_list) second = guest;
    bool reached_entrance = false;
    play_until(400, [&] {
        reached_entrance = reached_entrance || second->y == 64;
        return reached_entrance && second->y == -64;
    });
    EXPECT_TRUE(reached_entrance);
    EXPECT_EQ(free_seats, 0);
    EXPECT_EQ(seat_table[30][2], 1);
    EXPECT_EQ(first->seat_col, seat_table[30][0]);
    EXPECT_EQ(first->seat_row, seat_table[30][1]);

    int frame = second->anim_frame;
    next_arrival_time = millisecs() - 1; // due, but no seat is free
    play_frames(3000);
    EXPECT_EQ(list_count(disciple_list), 2);   // nobody else came in
    EXPECT_GT(next_arrival_time, millisecs()); // the arrival time still moves on
    EXPECT_EQ(first->state, DISCIPLE_WAITING);
    EXPECT_EQ(visitor_count, 1);
    EXPECT_EQ(second->x, 384); // out of sight above the door for good
    EXPECT_EQ(second->y, -64);
    EXPECT_EQ(second->anim_frame, frame); // not drawn, so not animated either
    EXPECT_EQ(second->state, DISCIPLE_ARRIVING);
}

TEST(Disciple, FaceColourRunsFromRedOverYellowToGreen) {
    start_test_game();
    struct TCase {
        int value;
        uint32_t rgb;
    };
    const TCase cases[] = {{100, 0x00FF00}, {75, 0x7FFF00}, {50, 0xFFFF00}, {49, 0xFFFA00},
                           {25, 0xFF7F00},  {19, 0xFF6100}, {0, 0xFF0000}};
    for (const TCase& c : cases) {
        clear_screen();
        set_percent_color(c.value);
        draw_line(10, 10, 30, 10, 1);
        EXPECT_EQ(script_pixel(20, 10), c.rgb) << "value " << c.value;
    }
    set_color(255, 255, 255);
}

// Nobody serves: guests come every 30 seconds, wait, give up, and the mean falls to 20.
TEST(Disciple, AnEveningWithoutServingEndsWhenTheMeanFallsTo20) {
    auto began = std::chrono::steady_clock::now();
    start_game_without_pictures();
    std::vector<int> arrivals; // millisecs of each guest's first frame
    int first_give_up = 0;
    long frame = play_until(20000, [&] {
        if (list_count(disciple_list) > int(arrivals.size())) arrivals.push_back(millisecs());
        for (TDisciple* guest : disciple_list)
            if (!first_give_up && guest->state >= DISCIPLE_GIVING_UP) first_give_up = millisecs();
        if (visitor_count > 0) {
            EXPECT_EQ(served_percent, 0);
        }
        return average_contentment <= 20;
    });
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    ASSERT_LE(frame, 20000);
    std::cout << "guests arrived at (s):";
    for (int t : arrivals) std::cout << ' ' << t / 1000.0;
    std::cout << "\nfirst gave up at " << first_give_up / 1000.0
              << " s; the mean reached 20 in frame " << frame << " at " << millisecs() / 1000.0
              << " s; " << seconds << " s real time\n";

    ASSERT_GE(arrivals.size(), 2u);
    EXPECT_GT(arrivals[0], 5000);
    EXPECT_LT(arrivals[0], 5100);
    for (size_t i = 1; i < arrivals.size(); ++i)
        EXPECT_NEAR(arrivals[i] - arrivals[i - 1], 30000, 100);
    EXPECT_GT(first_give_up, 5000 + 120000); // no food: 60 points of 2 seconds after sitting down
    EXPECT_LT(first_give_up, 5000 + 160000);
    EXPECT_EQ(served_percent, 0);
    EXPECT_EQ(average_contentment, 20);
}
