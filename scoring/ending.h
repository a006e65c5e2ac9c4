// ending.h -- the closing picture: the back wall and its door at double size, and thirteen
// figures put together from image pieces behind a long table.
//
// load_game_resources calls load_ending_images, choose_ending_figures and read_ending_layout once,
// in that order, with automatic mid-handles on and the magenta mask left by the loaders before.
// Once the host has reached the head of the table, every frame of play calls draw_ending alone.
#pragma once

#include "runtime/graphics.h"

constexpr int ENDING_KINDS = 7;   // figure kinds 1 to 6 are guests, 7 is the host
constexpr int ENDING_VIEWS = 3;   // 0 seen from the left, 1 from the right, 2 from the front
constexpr int ENDING_PIECES = 3;  // piece numbers 1 to 3 of a figure
constexpr int ENDING_PLACES = 13; // places behind the table; the host sits at the last one
constexpr int ENDING_SLOTS = 4;   // piece slots of a place in the layout file

// [kind - 1][view][piece - 1], centred handles; the host's kind has the front view only.
extern TImagePtr ending_figure_images[ENDING_KINDS][ENDING_VIEWS][ENDING_PIECES];
extern TImagePtr ending_table_images[3];       // the long table: left end, middle piece, right end
extern int ending_figure_kinds[ENDING_PLACES]; // kind at each place: 1 to 6, and 7 at place 12
// Per place, as read from "data/Endpos.txt": [p][0][0] the view; [p][j][0], [1], [2] for slot
// j = 1 to 4 the piece number and the window x and y of that piece's centre. Values outside the
// format's ranges are kept as read and draw nothing.
extern int ending_positions[ENDING_PLACES][ENDING_SLOTS + 1][3];

void load_ending_images();    // the 57 figure pieces and the 3 table pieces from "gfx/Ende/"
void choose_ending_figures(); // twelve random guest kinds, then the host at place 12
void read_ending_layout();    // 13 blocks of 18 lines from "data/Endpos.txt"; missing: no figures
void draw_ending();           // the whole picture; the host's piece 2 swings 3 pixels every 2 s
