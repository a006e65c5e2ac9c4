// path_search.h -- distance maps over the room grid, and the step rule of the walkers that follow
// them (a guest to its seat, the host on his closing walk to the head of the table).
//
// A walk computes its map once when it begins and keeps it; nothing recomputes it while walking.
#pragma once

#include <array>

#include "room/room.h"

// [column][row]: 1 at the goal, 1 + the steps of a shortest route for every free cell that
// reaches it, 0 for every other cell.
using TGrid = std::array<std::array<int, ROOM_ROWS>, ROOM_COLUMNS>;

// The distance map toward a goal cell, which counts as free whatever blocked_map says (a seat).
// A goal outside the room gives a map of zeros.
TGrid compute_path_distances(int goal_col, int goal_row);
int cell_in_room(int col, int row); // 1 if the cell lies inside the 25 x 19 grid, else 0

// The walkers' next cell from (col, row): of the neighbours right, left, down, up that lie in the
// room and hold a value from 1 to 999, the one with the smallest value, the earlier one on equal
// values. Returns false and leaves *next_col, *next_row as they were when none qualifies.
bool next_cell_toward(const TGrid& distances, int col, int row, int* next_col, int* next_row);
