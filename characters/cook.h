// cook.h -- the cook behind the counter, who keeps its three places filled with fresh dishes.
//
// The frame loop calls TCook::update once a frame (in play and during the closing walk); the row
// painter calls TCook::draw after the tiles of the row below the cook's, which runs the cooking
// animation and puts the new dish on the counter; the start-up loader calls TCook::load.
#pragma once

#include "runtime/graphics.h"

enum : int {                   // cook_state
    COOK_STROLLING = 0,        // walking, pausing or about to decide
    COOK_GOING_TO_COUNTER = 1, // a free place has been chosen
    COOK_COOKING = 2,          // the cooking animation, seen from behind
};

extern float cook_x;             // left edge of the cook's sprite, pixels; walks 1 pixel a frame
extern float cook_y;             // top edge of the sprite: 549, in front of the counter row 17
extern float cook_target_x;      // the x the cook walks to
extern int cook_facing;          // which cook image stands or walks: 0 left, 1 right, 2 from behind
extern int cook_moving;          // 1 while walking, else 0
extern int cook_anim_frame;      // animation frame counter
extern int cook_anim_time;       // millisecs of the last animation step
extern TImagePtr cook_images[3]; // walking left (4), walking right (4), cooking from behind (7)
extern int cook_state;           // COOK_STROLLING, COOK_GOING_TO_COUNTER or COOK_COOKING
extern int cook_next_time;       // millisecs before which the cook makes no new decision

namespace TCook {
void update(); // the cook's part of one frame: step
void step();   // walks one pixel, or starts cooking, or pauses, or decides where to go
void load();   // loads the three images, then reset
void reset();  // an evening's start: at the middle of the counter, a random first target
void draw();   // advances the animation (cooking creates the dish at its fifth step) and draws
} // namespace TCook
