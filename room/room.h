// room.h -- the dining room: its map, the grids and seats derived from it, the tile images, the
// floor pass and the row painter.
//
// Start-up points the data cursor at room_map_data; load_game_resources calls read_room_map and
// then load_tile_images; every frame of play draws draw_floor and then draw_room_rows.
#pragma once

#include "runtime/data_table.h"
#include "runtime/graphics.h"

constexpr int ROOM_COLUMNS = 25; // cells across the window
constexpr int ROOM_ROWS = 19;    // cells down the window
constexpr int CELL_SIZE = 32;    // pixels per cell side
constexpr int TILE_KINDS = 14;   // tile ids 0 to 13

extern const TDataItem* const room_map_data; // 475 int items, 19 rows of 25 tile ids, end marker

extern int tile_map[25][19];    // [column][row]: the tile id of each cell, 0 the bare floor
extern int blocked_map[25][19]; // [column][row]: 1 where path search may not enter, 0 free
extern int seat_count;          // the number of seats the table has room for (42)
extern int seat_table[42][3];   // [seat][0] column, [1] row, [2] 1 once a guest has claimed it
extern TImagePtr tile_images[TILE_KINDS]; // by tile id; handle (0, height - 32): stands on its cell

namespace TRoom {
void load_tile_images(); // "gfx/<id>.png" for every tile id, masked in magenta
void read_room_map();    // reads the 475 map items at the data cursor into the grids and seats
void release_seats();    // an evening's start: no seat claimed
void draw_floor();       // tile image 0 under every cell of the room
void draw_room_rows();   // the rows top to bottom: each row's tiles, then what stands in it

// Paints the rows top to bottom: the row's tiles left to right, then draw_standing(row).
void paint_rows(void (*draw_standing)(int row));
int standing_row(int y);        // the row a guest or dish at y is drawn with: (y + 12) div 32
int standing_row(float y);      // the same for the host's position
int cook_standing_row(float y); // the cook is drawn one row after the row that holds its y
} // namespace TRoom
