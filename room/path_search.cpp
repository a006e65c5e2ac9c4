// path_search.cpp -- breadth-first distance maps over blocked_map, ring by ring, and the step rule.
#include "room/path_search.h"

namespace {

// The four neighbours in the order every scan here uses: right, left, down, up.
constexpr int neighbour_steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

// Gives every free, still unreached neighbour of the cells at `level` the value level + 1;
// returns whether any cell was reached.
bool expand_ring(TGrid& grid, int level) {
    bool changed = false;
    for (int x = 0; x < ROOM_COLUMNS; ++x) {
        for (int y = 0; y < ROOM_ROWS; ++y) {
            if (grid[x][y] != level) continue;
            for (const auto& step : neighbour_steps) {
                int c = x + step[0], r = y + step[1];
                if (cell_in_room(c, r) && blocked_map[c][r] == 0 && grid[c][r] == 0) {
                    grid[c][r] = level + 1;
                    changed = true;
                }
            }
        }
    }
    return changed;
}

} // namespace

int cell_in_room(int col, int row) {
    return col >= 0 && col < ROOM_COLUMNS && row >= 0 && row < ROOM_ROWS ? 1 : 0;
}

TGrid compute_path_distances(int goal_col, int goal_row) {
    TGrid grid{};
    if (!cell_in_room(goal_col, goal_row)) return grid;
    grid[goal_col][goal_row] = 1;
    for (int level = 1; expand_ring(grid, level); ++level) {}
    return grid;
}

bool next_cell_toward(const TGrid& distances, int col, int row, int* next_col, int* next_row) {
    int best = 1000; // both walkers start here, so only values below 1000 can be chosen
    for (const auto& step : neighbour_steps) {
        int c = col + step[0], r = row + step[1];
        if (cell_in_room(c, r) && distances[c][r] > 0 && distances[c][r] < best) {
            best = distances[c][r];
            *next_col = c;
            *next_row = r;
        }
    }
    return best < 1000;
}
