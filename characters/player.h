// player.h -- the host the player steers: walking, taking and serving dishes, the closing walk.
//
// The start-up loader calls TPlayer::load once (after the room's loaders). In each frame of play
// the row painter calls TPlayer::draw at the host's row and the frame loop then calls
// TPlayer::update. When the evening is over the frame loop fills walk_distances and the goal,
// calls TPlayer::choose_next_cell once and from then on TPlayer::walk_step in place of update.
#pragma once

#include "room/path_search.h"
#include "runtime/graphics.h"

enum : int {                // hands_state
    HANDS_EMPTY = 0,        // empty: nothing in his hands
    HANDS_CARRYING = 1,     // carrying: a dish of carried_amount portions
    HANDS_PICKING_UP = 2,   // picking_up: taking a dish, 7 animation steps
    HANDS_PUTTING_DOWN = 3, // putting_down: serving a dish, 7 animation steps
};

extern float player_x;    // left edge of his 32-pixel-wide figure, window pixels; 64 to 704 in play
extern float player_y;    // top edge of his foot cell, window pixels; at most 563 in play
extern int player_facing; // 0 left, 1 up (from behind), 2 right, 3 down (from the front)
extern int player_moving; // 1 in a frame a direction key is held, or while walking by himself
extern int hands_state;   // HANDS_EMPTY, HANDS_CARRYING, HANDS_PICKING_UP or HANDS_PUTTING_DOWN
extern int carried_amount;    // portions of the dish in his hands
extern int player_anim_frame; // animation frame counter: 0 to 3 walking, 0 to 6 taking or serving
extern int player_anim_time;  // millisecs of the last animation step
extern TImagePtr player_images[16]; // [hands_state * 4 + player_facing], 32 x 48 cells
extern int direction_keys[4]; // arrow key codes, the most recently pressed first; 0 not yet filled
extern TGrid walk_distances;  // the closing walk's distances toward the head of the table
extern int walk_goal_col;     // the closing walk's goal cell: (12, 3)
extern int walk_goal_row;
extern int walk_target_col; // the cell the closing walk goes to now
extern int walk_target_row;

namespace TPlayer {
void update();           // one frame of play: handle_input
void walk_step();        // one frame of the closing walk: a pixel toward the target cell
void choose_next_cell(); // the neighbour cell nearest the goal becomes the walk's target
void handle_input();     // Space, the direction keys, one step of movement and the clamps
void draw();             // advances the animation (ends taking and serving) and draws the host
void load();             // reset, and the 16 images
void reset();            // an evening's start: at (384, 320) facing down, empty hands, no walk
} // namespace TPlayer
