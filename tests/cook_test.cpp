// cook_test.cpp -- the dishes' fill-level picture, and the cook filling the counter on the real
// frame loop: middle, left, right, pausing between, strolling once all three places are full.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "characters/cook.h"
#include "characters/dish.h"
#include "runtime/clock.h"
#include "runtime/numeric.h"
#include "shell/game.h"
#include "tests/evening_fixture.h"
#include "tests/harness.h"

namespace {

// The pixels a dish with `amount` portions covers when drawn at (100, 100) on a cleared screen.
std::vector<uint32_t> dish_picture(int amount) {
    clear_screen();
    TDish dish;
    dish.x = 100;
    dish.y = 100;
    dish.amount = amount;
    dish.draw();
    return script_read_pixels(96, 80, 40, 56);
}

} // namespace

TEST(Dish, PictureShowsTheFillLevel) {
    start_test_game();
    ASSERT_NE(dish_image, nullptr);
    EXPECT_EQ(image_height(dish_image.get()), 42);
    struct TCase {
        int amount, cell;
    };
    const TCase cases[] = {{80, 0}, {54, 0}, {28, 0}, {27, 1}, {1, 1}, {0, 3}, {-1, 3}};
    for (const TCase& c : cases) {
        TDish dish;
        dish.amount = c.amount;
        EXPECT_EQ(dish.cell(), c.cell) << "amount " << c.amount;
    }
    std::vector<uint32_t> full = dish_picture(80), some = dish_picture(27), none = dish_picture(0);
    EXPECT_EQ(dish_picture(28), full);
    EXPECT_NE(some, full);
    EXPECT_NE(none, full);
    EXPECT_NE(none, some);
    // The handle (0, 10): the picture stands on its cell and reaches 10 pixels into the row above.
    int top = 200, bottom = -1;
    for (int y = 80; y < 136; ++y)
        for (int x = 96; x < 136; ++x)
            if (full[(y - 80) * 40 + (x - 96)] != full[0]) top = std::min(top, y), bottom = y;
    EXPECT_GE(top, 90);
    EXPECT_LE(bottom, 131);
}

TEST(Cook, FillsMiddleLeftRightWithPausesThenStrolls) {
    start_game_without_pictures();
    next_arrival_time = INT_MAX; // no guests
    // A dish beside a place and one on a table cell occupy no place.
    add_dish(390, 544, 80);
    add_dish(384, 128, 80);
    struct TCooked {
        int x, time;
    };
    std::vector<TCooked> cooked;
    std::vector<int> cooking_ends, moves_after_end;
    int strolls = 0; // walks begun over a full counter
    int state = cook_state, dishes = list_count(dish_list);
    float x = cook_x, target = cook_target_x;
    play_frames(2400, [&] { // 80 seconds
        if (list_count(dish_list) > dishes) {
            TDish* dish = nullptr;
            for (TDish* d : dish_list) dish = d;
            EXPECT_EQ(dish->x, to_int(cook_x));
            EXPECT_EQ(dish->y, 544);
            EXPECT_EQ(dish->amount, 80);
            EXPECT_EQ(cook_state, COOK_COOKING);
            EXPECT_EQ(cook_anim_frame, 5); // at the fifth of seven steps
            cooked.push_back({dish->x, millisecs()});
            dishes = list_count(dish_list);
        }
        if (state == COOK_COOKING && cook_state != COOK_COOKING)
            cooking_ends.push_back(millisecs());
        bool busy = cook_state == COOK_COOKING || cook_x != x;
        if (busy && moves_after_end.size() < cooking_ends.size())
            moves_after_end.push_back(millisecs());
        if (cook_target_x != target && cooked.size() == 3) {
            ++strolls; // to one of the other two places, never to the one he stands on
            EXPECT_TRUE(cook_target_x == 352 || cook_target_x == 384 || cook_target_x == 416);
            EXPECT_NE(cook_target_x, x);
        }
        EXPECT_GE(cook_x, 352);
        EXPECT_LE(cook_x, 416);
        EXPECT_LE(abs_float(cook_x - x), 1); // one pixel a frame
        state = cook_state;
        x = cook_x;
        target = cook_target_x;
    });
    ASSERT_EQ(cooked.size(), 3u);
    EXPECT_EQ(cooked[0].x, 384);
    EXPECT_EQ(cooked[1].x, 352);
    EXPECT_EQ(cooked[2].x, 416);
    EXPECT_EQ(cooking_ends.size(), 3u); // nothing more to cook
    ASSERT_EQ(moves_after_end.size(), 3u);
    // After each cooking the cook stands still for 1 to 4 seconds before he walks or cooks again.
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_GE(moves_after_end[i] - cooking_ends[i], 1000) << "after cooking " << i;
        EXPECT_LE(moves_after_end[i] - cooking_ends[i], 4100) << "after cooking " << i;
    }
    EXPECT_GE(strolls, 3); // a stroll at least every 2 + 4 + 1 seconds
}
