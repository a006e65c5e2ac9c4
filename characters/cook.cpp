// cook.cpp -- the cook behind the counter: walking, pausing, choosing a free place and cooking.
#include "characters/cook.h"

#include "characters/dish.h"
#include "characters/sounds.h"
#include "runtime/clock.h"
#include "runtime/numeric.h"
#include "runtime/random.h"

float cook_x = 0;
float cook_y = 0;
float cook_target_x = 0;
int cook_facing = 0;
int cook_moving = 0;
int cook_anim_frame = 0;
int cook_anim_time = 0;
TImagePtr cook_images[3];
int cook_state = COOK_STROLLING;
int cook_next_time = 0;

static const int counter_y = 544; // top edge of the counter places' row (17)
// The counter places by preference: middle, left, right.
static const int place_x[3] = {384, 352, 416};

static void walk_one_pixel() {
    cook_state = COOK_STROLLING;
    if (cook_target_x - cook_x > 0) {
        cook_x += 1;
        cook_facing = 1;
    } else {
        cook_x -= 1;
        cook_facing = 0;
    }
    cook_moving = 1;
}

static bool place_taken(int x) {
    for (TDish* dish : dish_list)
        if (dish->x == x && dish->y == counter_y) return true;
    return false;
}

// Goes to the first free place by preference, or strolls to another place when all are full.
static void decide() {
    for (int x : place_x) {
        if (place_taken(x)) continue;
        cook_state = COOK_GOING_TO_COUNTER;
        cook_target_x = float(x);
        cook_moving = 1;
        return;
    }
    do {
        cook_target_x = float(rand_int(11, 13) * 32);
        cook_moving = 1;
    } while (cook_target_x == cook_x);
}

void TCook::update() {
    step();
}

void TCook::step() {
    if (cook_x != cook_target_x) {
        walk_one_pixel();
        return;
    }
    if (cook_state == COOK_GOING_TO_COUNTER) {
        cook_facing = 1;
        cook_state = COOK_COOKING;
        cook_anim_frame = 0;
        cook_moving = 0;
        play_game_sound(SOUND_SIZZLE);
    }
    if (cook_moving == 1 && cook_state == COOK_STROLLING)
        cook_next_time = millisecs() + rand_int(1000, 4000); // just arrived: pause
    if (millisecs() < cook_next_time || cook_state == COOK_COOKING) {
        cook_moving = 0;
        return;
    }
    decide();
}

void TCook::load() {
    set_mask_color(255, 0, 255);
    cook_images[0] = load_anim_image(u"gfx/Menschen/Koch/ll.png", 32, 48, 0, 4, -1);
    cook_images[1] = load_anim_image(u"gfx/Menschen/Koch/lr.png", 32, 48, 0, 4, -1);
    cook_images[2] = load_anim_image(u"gfx/Menschen/Koch/ah.png", 32, 48, 0, 7, -1);
    reset();
}

void TCook::reset() {
    cook_x = 384;
    cook_y = 549;
    cook_target_x = float(rand_int(352, 416));
    cook_facing = 0;
    cook_moving = 0;
    cook_anim_frame = 0;
    cook_anim_time = 0;
    cook_state = COOK_STROLLING;
    cook_next_time = 0;
}

// One step of the cooking animation: the dish appears at the fifth, the cook is done at the
// seventh.
static void cooking_step() {
    ++cook_anim_frame;
    if (cook_anim_frame == 5) {
        add_dish(to_int(cook_x), counter_y, dish_full_amount);
    } else if (cook_anim_frame == 7) {
        cook_anim_frame = 0;
        cook_state = COOK_STROLLING;
        cook_next_time = millisecs() + rand_int(1000, 4000);
        cook_facing = rand_int(0, 1) * 2;
        cook_moving = 0;
    }
}

void TCook::draw() {
    if (millisecs() > cook_anim_time + 100) {
        cook_anim_time = millisecs();
        if (cook_state == COOK_COOKING)
            cooking_step();
        else
            cook_anim_frame = (cook_anim_frame + 1) % 4;
    }
    if (cook_moving == 1)
        draw_image(cook_images[cook_facing].get(), cook_x, cook_y, cook_anim_frame);
    else if (cook_state == COOK_COOKING)
        draw_image(cook_images[2].get(), cook_x, cook_y, cook_anim_frame);
    else
        draw_image(cook_images[cook_facing].get(), cook_x, cook_y, 0);
}
