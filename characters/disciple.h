// disciple.h -- the guests: arrival through the doorway, the walk to a seat, waiting and eating,
// their contentment and faces, and the evening's statistics computed from them.
//
// The frame loop calls TDisciple::update_all once a frame (after the host and the cook) and
// TDisciple::spawn when a guest is due; the row painter calls draw on each guest at its row, which
// also runs the animations and the dish tests; the start-up loader calls TDisciple::load.
#pragma once

#include "room/path_search.h"
#include "runtime/clock.h"
#include "runtime/graphics.h"
#include "runtime/list.h"

enum : int {                  // TDisciple::state
    DISCIPLE_ARRIVING = 0,    // walking in from the door to the seat
    DISCIPLE_TAKING_SEAT = 1, // sitting down on the seat
    DISCIPLE_WAITING = 2,     // seated, no food: contentment falls
    DISCIPLE_EATING = 3,      // eating from the dish on its table cell: contentment rises
    DISCIPLE_GIVING_UP = 4,   // contentment reached 0: the giving-up animation, once
    DISCIPLE_GIVEN_UP = 5,    // gave up for good; stays on its seat and counts with 0
};

struct TDisciple {
    int x = 0;        // left edge, window pixels; 32 * column at rest
    int y = 0;        // top edge of the cell row, window pixels; 32 * row at rest
    int facing = 0;   // 0 left, 1 up (from behind), 2 right, 3 down (from the front)
    int kind = 0;     // 0 to 5: which of the six guest looks
    int served = 0;   // 1 while eating, else 0
    int step_col = 0; // the cell the guest walks to now
    int step_row = 0;
    int seat_col = 0; // the guest's seat, once it has one
    int seat_row = 0;
    TGrid seat_distances{}; // distances toward the seat (1 on the seat, 0: no way)
    int anim_frame = 0;     // animation frame counter
    int anim_time = 0;      // millisecs of the last animation step
    int state = DISCIPLE_ARRIVING;
    int moving = 0;                     // 1 while walking, 0 once standing on its seat
    int contentment = 60;               // 0 to 100
    int contentment_time = millisecs(); // millisecs after which contentment may change next

    void draw();              // animation step, dish tests of the seated states, sprite and face
    static void update_all(); // updates every guest, their contentment and the statistics
    void update();            // seat choice on the entrance cell, arrival, one pixel of movement
    static void spawn();      // brings one new guest in above the doorway
    void choose_next_cell();  // the neighbour cell nearest the seat becomes the step cell
    static void load();       // loads disciple_images and smiley_images
    static void reset_all();  // an evening's start: no guests, 42 free seats, the start statistics

    bool table_cell(int& col, int& row) const; // the cell in front of the seat; false facing up
    void finish_taking_seat(); // seated at last: waits from now on and counts as a visitor
};

extern TList<TDisciple> disciple_list;   // every guest ever come, in arrival order; never removed
extern TImagePtr disciple_images[6][20]; // [kind][group * 4 + facing]; groups l, h, e, s, a
extern TImagePtr smiley_images[6];       // faces 1 (happiest) to 5, then the eyes; centred
extern int free_seats;                   // seats not yet given to a guest; 42 at start
extern int average_contentment; // mean contentment of the seated guests, 0 to 100; 60 at start
extern int served_percent;      // share of the seated guests eating now, 0 to 100
extern int visitor_count;       // guests that have finished taking their seat

// Sets the drawing colour for a value 0 to 100: red (0) over yellow (50) to green (100).
void set_percent_color(int value);
