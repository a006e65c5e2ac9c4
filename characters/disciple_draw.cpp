// disciple_draw.cpp -- the guests' timed animations, the dish tests of the seated states, the
// sprite, the face with its contentment colour, and the guests' image loader.
#include "characters/disciple.h"
#include "characters/dish.h"
#include "characters/sounds.h"
#include "runtime/numeric.h"

static const float percent_factor = 5.12f; // colour steps per percent, as a float

void set_percent_color(int value) {
    double factor = percent_factor;
    if (value >= 50)
        set_color(to_int((100 - value) * factor), 255, 0);
    else
        set_color(255, to_int(value * factor), 0);
}

bool TDisciple::table_cell(int& col, int& row) const {
    static const int table_dx[4] = {-1, 0, 1, 0}; // by facing: left, up, right, down
    static const int table_dy[4] = {0, 0, 0, 1};
    if (facing == 1) return false; // no seat faces away from the table
    col = x / 32 + table_dx[facing];
    row = y / 32 + table_dy[facing];
    return true;
}

static bool on_cell(const TDish& dish, int col, int row) {
    return dish.x / 32 == col && dish.y / 32 == row;
}

// A waiting guest starts eating when a dish with food lies on its table cell.
static void look_for_food(TDisciple& guest) {
    int col, row;
    if (!guest.table_cell(col, row)) return;
    for (TDish* dish : dish_list) {
        if (dish->amount > 0 && on_cell(*dish, col, row)) {
            guest.state = DISCIPLE_EATING;
            guest.served = 1;
        }
    }
    if (guest.state == DISCIPLE_EATING) play_game_sound(SOUND_CHIME);
}

// An eating guest takes a portion from each dish on its table cell, at most one a second per
// dish; an empty or vanished dish sends it back to waiting.
static void eat(TDisciple& guest) {
    int col, row;
    if (!guest.table_cell(col, row)) return;
    int count = 0;
    for (TDish* dish : dish_list) {
        if (!on_cell(*dish, col, row)) continue;
        ++count;
        if (!(millisecs() > dish->bite_time)) continue;
        dish->bite_time = millisecs() + 1000;
        if (--dish->amount < 0) {
            dish->amount = 0;
            guest.served = 0;
            guest.state = DISCIPLE_WAITING;
            guest.anim_frame = 0;
        }
    }
    if (count == 0) {
        guest.served = 0;
        guest.state = DISCIPLE_WAITING;
    }
    guest.anim_frame = (guest.anim_frame + 1) % 19;
}

static void animation_step(TDisciple& guest) {
    static const int given_up_frames[4] = {70, 0, 68, 69}; // loop length by facing; up: stands
    switch (guest.state) {
    case DISCIPLE_ARRIVING:
        guest.anim_frame = (guest.anim_frame + 1) % 4;
        break;
    case DISCIPLE_TAKING_SEAT:
        if (++guest.anim_frame == 7) guest.finish_taking_seat();
        break;
    case DISCIPLE_WAITING:
        look_for_food(guest);
        break;
    case DISCIPLE_EATING:
        eat(guest);
        break;
    case DISCIPLE_GIVING_UP:
        if (++guest.anim_frame == 7) {
            guest.anim_frame = 0;
            guest.state = DISCIPLE_GIVEN_UP;
        }
        break;
    default:
        if (given_up_frames[guest.facing] > 0)
            guest.anim_frame = (guest.anim_frame + 1) % given_up_frames[guest.facing];
        break;
    }
}

static void draw_sprite(const TDisciple& guest) {
    const TImagePtr* images = disciple_images[guest.kind];
    float x = float(guest.x), y = float(guest.y - 20); // the figure reaches into the row above
    if (guest.moving == 1 || guest.state <= DISCIPLE_TAKING_SEAT)
        draw_image(images[guest.state * 4 + guest.facing].get(), x, y, guest.anim_frame);
    else if (guest.state == DISCIPLE_WAITING)
        draw_image(images[4 + guest.facing].get(), x, y, 6); // the seated pose
    else
        draw_image(images[(guest.state - 1) * 4 + guest.facing].get(), x, y, guest.anim_frame);
}

// The face floats above the head while walking in, else beside the guest away from the table.
static void draw_face(const TDisciple& guest) {
    static const int face_dx[4] = {34, 16, -2, 16}; // by facing: left, up, right, down
    static const int face_dy[4] = {-5, -24, -5, -24};
    int side = guest.state == DISCIPLE_ARRIVING ? 3 : guest.facing;
    float x = float(guest.x + face_dx[side]), y = float(guest.y + face_dy[side]);
    set_percent_color(guest.contentment);
    draw_image(smiley_images[4 - min_int(guest.contentment / 20, 4)].get(), x, y, 0);
    set_color(255, 255, 255);
    draw_image(smiley_images[5].get(), x, y, 0); // the eyes, untinted
}

void TDisciple::draw() {
    if (millisecs() > anim_time + 100) {
        anim_time = millisecs();
        animation_step(*this);
    }
    draw_sprite(*this);
    draw_face(*this);
}

void TDisciple::load() {
    static const char16_t group_letter[5] = {u'l', u'h', u'e', u's', u'a'};
    static const char16_t facing_letter[4] = {u'l', u'h', u'r', u'v'};
    static const int group_frames[5] = {4, 7, 19, 9, 70};
    set_mask_color(255, 0, 255);
    for (int k = 1; k <= 6; ++k) {
        for (int j = 0; j < 20; ++j) {
            TString suffix = {group_letter[j / 4], facing_letter[j % 4]};
            TString path = u"gfx/Menschen/Jünger/" + int_to_string(k) + suffix + u".png";
            disciple_images[k - 1][j] = load_anim_image(path, 32, 48, 0, group_frames[j / 4], -1);
        }
    }
    for (int n = 1; n <= 5; ++n) {
        set_auto_mid_handle(1);
        smiley_images[n - 1] = load_image(u"gfx/smilies/" + int_to_string(n) + u".png", -1);
    }
    smiley_images[5] = load_image(u"gfx/smilies/augen.png", -1);
    set_auto_mid_handle(0);
}
