// player.cpp -- the host: the order of the direction keys, movement with its collision cells and
// clamps, taking and serving dishes on Space, his animation, and the closing walk.
#include "characters/player.h"

#include "characters/disciple.h"
#include "characters/dish.h"
#include "characters/sounds.h"
#include "room/room.h"
#include "runtime/clock.h"
#include "runtime/input.h"
#include "runtime/numeric.h"
#include "shell/game.h"

float player_x = 0;
float player_y = 0;
int player_facing = 0;
int player_moving = 0;
int hands_state = HANDS_EMPTY;
int carried_amount = 0;
int player_anim_frame = 0;
int player_anim_time = 0;
TImagePtr player_images[16];
int direction_keys[4];
TGrid walk_distances{};
int walk_goal_col = 0;
int walk_goal_row = 0;
int walk_target_col = 0;
int walk_target_row = 0;

namespace {

// The host's pictures by hands_state * 4 + facing (l left, h up, r right, v down): "lo" empty
// hands and "lm" carrying walk in 4 frames, "n" picking up and "a" putting down take 7.
struct TPlayerImage {
    const char16_t* file;
    int frames;
};
const TPlayerImage player_image_files[16] = {
    {u"gfx/Menschen/Ostrel/lol.png", 4}, {u"gfx/Menschen/Ostrel/loh.png", 4},
    {u"gfx/Menschen/Ostrel/lor.png", 4}, {u"gfx/Menschen/Ostrel/lov.png", 4},
    {u"gfx/Menschen/Ostrel/lml.png", 4}, {u"gfx/Menschen/Ostrel/lmh.png", 4},
    {u"gfx/Menschen/Ostrel/lmr.png", 4}, {u"gfx/Menschen/Ostrel/lmv.png", 4},
    {u"gfx/Menschen/Ostrel/nl.png", 7},  {u"gfx/Menschen/Ostrel/nh.png", 7},
    {u"gfx/Menschen/Ostrel/nr.png", 7},  {u"gfx/Menschen/Ostrel/nv.png", 7},
    {u"gfx/Menschen/Ostrel/al.png", 7},  {u"gfx/Menschen/Ostrel/ah.png", 7},
    {u"gfx/Menschen/Ostrel/ar.png", 7},  {u"gfx/Menschen/Ostrel/av.png", 7},
};

// A point of the host's collision box relative to (x, y). The cell it tests is
// (to_int((x + dx) / 32), to_int((y + dy) / 32) + 1): a box 32 pixels wide whose feet reach from
// y + 11 to y + 23.
struct TProbe {
    float dx, dy;
};

// One direction key: the cells that must hold the bare floor, the step and the facing it gives.
struct TMove {
    int key;
    int facing;
    float step_x, step_y;
    int probe_count;
    TProbe probes[3];
};

const TMove moves[4] = {
    {KEY_LEFT, 0, -2, 0, 2, {{-1, -20}, {-1, -11}}},
    {KEY_UP, 1, 0, -2, 3, {{16, -21}, {0, -21}, {31, -21}}},
    {KEY_RIGHT, 2, 2, 0, 2, {{33, -20}, {33, -11}}},
    {KEY_DOWN, 3, 0, 2, 3, {{16, -9}, {0, -9}, {31, -9}}},
};

// Serving across the table, by facing: the seat of the guest served, relative to the host, as
// column to_int((x + guest_dx) / 32) + col_add and row to_int((y + guest_dy) / 32) + row_add, and
// the table cell in front of that seat relative to it. Facing down serves nobody.
struct TServe {
    bool serves;
    float guest_dx;
    int col_add;
    float guest_dy;
    int row_add;
    int table_dc, table_dr;
};

const TServe serve_rules[4] = {
    {true, -1, -1, -20, 1, 1, 0},
    {true, 16, 0, 0, -1, 0, 1},
    {true, 33, 1, -20, 1, -1, 0},
    {false, 0, 0, 0, 0, 0, 0},
};

// The neighbour cell he faces, for taking dishes: left, up, right, down.
constexpr int facing_steps[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};

constexpr int max_x = 704; // the clamps of play: x from 64 to 704, y at most 563
constexpr int min_x = 64;
constexpr int max_y = 563;

int host_col() {
    return to_int((player_x + 16) / 32);
}
int host_row() {
    return to_int((player_y + 12) / 32);
}

bool hands_busy() {
    return hands_state == HANDS_PICKING_UP || hands_state == HANDS_PUTTING_DOWN;
}

bool dish_on_cell(const TDish& dish, int col, int row) {
    return dish.x / 32 == col && dish.y / 32 == row;
}

// Takes every dish on the faced cell; the hands hold the amount of the last one in the list.
void take_dishes() {
    int col = host_col() + facing_steps[player_facing][0];
    int row = host_row() + facing_steps[player_facing][1];
    for (TDish* dish : dish_list) {
        if (!dish_on_cell(*dish, col, row)) continue;
        hands_state = HANDS_PICKING_UP;
        player_anim_frame = 0;
        carried_amount = dish->amount;
        list_remove(dish_list, dish);
    }
    if (hands_state == HANDS_PICKING_UP) play_game_sound(SOUND_PLATE_LIFTED);
}

void clear_cell(int col, int row) {
    for (TDish* dish : dish_list)
        if (dish_on_cell(*dish, col, row)) list_remove(dish_list, dish);
}

// Puts the carried food on the table cell in front of a waiting or eating guest across the table,
// in place of whatever lay there. The new dish lies on exactly that table cell: this also holds
// where the host stands below the end of a table side (odd y after the bottom clamp), which the
// position of his own x alone would put onto the guest's seat, out of the guest's reach.
void serve_dish() {
    const TServe& rule = serve_rules[player_facing];
    if (!rule.serves) return;
    int col = to_int((player_x + rule.guest_dx) / 32) + rule.col_add;
    int row = to_int((player_y + rule.guest_dy) / 32) + rule.row_add;
    for (TDisciple* guest : disciple_list) {
        if (guest->state != DISCIPLE_WAITING && guest->state != DISCIPLE_EATING) continue;
        if (guest->x / 32 != col || guest->y / 32 != row) continue;
        int table_col = col + rule.table_dc, table_row = row + rule.table_dr;
        clear_cell(table_col, table_row);
        hands_state = HANDS_PUTTING_DOWN;
        player_anim_frame = 0;
        add_dish(32 * table_col, 32 * table_row, carried_amount);
    }
    if (hands_state == HANDS_PUTTING_DOWN) play_game_sound(SOUND_PLATE_SET_DOWN);
}

// Space: take with empty hands, serve with full ones; while taking or serving nothing happens.
void interact() {
    if (hands_state == HANDS_EMPTY)
        take_dishes();
    else if (hands_state == HANDS_CARRYING)
        serve_dish();
}

// A newly pressed direction key goes to the front of the order unless it is there already.
void note_direction_presses() {
    for (int key = KEY_LEFT; key <= KEY_DOWN; ++key) {
        if (key_hit(key) == 0 || key == direction_keys[0]) continue;
        for (int i = 3; i > 0; --i) direction_keys[i] = direction_keys[i - 1];
        direction_keys[0] = key;
    }
}

// Cells outside the room count as blocked, so no position can test beyond the map.
bool cells_free(const TMove& move) {
    for (int i = 0; i < move.probe_count; ++i) {
        int col = to_int((player_x + move.probes[i].dx) / 32);
        int row = to_int((player_y + move.probes[i].dy) / 32) + 1;
        if (!cell_in_room(col, row) || tile_map[col][row] != 0) return false;
    }
    return true;
}

// The most recently pressed direction that is still held turns the host and, where the floor is
// bare, moves him one step; blocked, he only turns and treads on the spot.
void walk_held_direction() {
    for (int key : direction_keys) {
        if (key == 0 || key_down(key) == 0) continue;
        const TMove& move = moves[key - KEY_LEFT];
        if (cells_free(move)) {
            player_x += move.step_x;
            player_y += move.step_y;
        }
        player_facing = move.facing;
        player_moving = 1;
        return;
    }
}

// No clamp at the top: the wall and the table stop him there.
void clamp_position() {
    if (player_x < min_x) player_x = min_x;
    if (player_y > max_y) player_y = max_y;
    if (player_x > max_x) player_x = max_x;
}

// Walking loops 4 frames; taking and serving run 0 to 6 once and then change the hands.
void animation_step() {
    if (!hands_busy()) {
        player_anim_frame = (player_anim_frame + 1) % 4;
        return;
    }
    if (++player_anim_frame < 7) return;
    player_anim_frame = 0;
    hands_state = hands_state == HANDS_PICKING_UP ? HANDS_CARRYING : HANDS_EMPTY;
}

// At the head of the table: facing the table, hands empty, and the closing picture begins.
void arrive_at_goal() {
    player_moving = 0;
    player_facing = 3;
    hands_state = HANDS_EMPTY;
    ending_sequence_active = 1;
    play_game_sound(SOUND_CLOSING_TUNE); // with the picture's first frame, once
}

float sign_of(float d) {
    return d > 0 ? 1.0f : -1.0f;
}

} // namespace

void TPlayer::update() {
    handle_input();
}

// One pixel a frame on each axis not yet aligned with the target cell, vertical facing last; the
// walk ignores the tiles and the clamps.
void TPlayer::walk_step() {
    if (player_x == float(walk_target_col * 32) && player_y == float(walk_target_row * 32)) {
        if (walk_target_col == walk_goal_col && walk_target_row == walk_goal_row)
            arrive_at_goal();
        else
            choose_next_cell();
    }
    float dx = float(walk_target_col * 32) - player_x;
    if (dx != 0) {
        player_moving = 1;
        player_facing = to_int(sign_of(dx) + 1);
        player_x += sign_of(dx);
    }
    float dy = float(walk_target_row * 32) - player_y;
    if (dy != 0) {
        player_moving = 1;
        player_facing = to_int(sign_of(dy) + 2);
        player_y += sign_of(dy);
    }
}

void TPlayer::choose_next_cell() {
    next_cell_toward(walk_distances, to_int(player_x / 32), to_int(player_y / 32), &walk_target_col,
                     &walk_target_row);
}

void TPlayer::handle_input() {
    if (key_hit(KEY_SPACE) != 0) interact();
    player_moving = 0;
    note_direction_presses();
    if (hands_busy()) return;
    walk_held_direction();
    clamp_position();
}

void TPlayer::draw() {
    if (millisecs() > player_anim_time + 100) {
        player_anim_time = millisecs();
        animation_step();
    }
    int frame = player_moving == 1 || hands_busy() ? player_anim_frame : 0;
    draw_image(player_images[hands_state * 4 + player_facing].get(), player_x, player_y - 20,
               frame);
}

void TPlayer::reset() {
    player_x = 384;
    player_y = 320;
    player_facing = 3;
    player_moving = 0;
    hands_state = HANDS_EMPTY;
    carried_amount = 0;
    player_anim_frame = 0;
    player_anim_time = 0;
    for (int& key : direction_keys) key = 0;
    walk_distances = TGrid{};
    walk_goal_col = walk_goal_row = 0;
    walk_target_col = walk_target_row = 0;
}

void TPlayer::load() {
    reset();
    set_mask_color(255, 0, 255);
    for (int i = 0; i < 16; ++i)
        player_images[i] = load_anim_image(player_image_files[i].file, 32, 48, 0,
                                           player_image_files[i].frames, -1);
}
