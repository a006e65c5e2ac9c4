// room_map.cpp -- the room's layout as embedded data (19 rows of 25 tile ids, top row first), and
// the grids and seats read from it.
#include <array>

#include "room/room.h"

int tile_map[25][19];
int blocked_map[25][19];
int seat_count = 42;
int seat_table[42][3];

namespace {

// Rows 0 and 1 the back wall with the doorway at (12, 1); row 3 the top seats with the gap at
// column 12; the U of the table from row 4 down to row 16 with the side seats in columns 1 and 23;
// the counter in rows 17 and 18.
constexpr int map_rows[ROOM_ROWS][ROOM_COLUMNS] = {
    {1, 1, 1, 1, 1, 1, 9, 9, 9, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
    {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 10, 11, 12, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 13, 13, 6, 6, 6, 6, 6, 6, 6, 6, 6, 0, 6, 6, 6, 6, 6, 6, 6, 6, 6, 13, 13, 0},
    {0, 13, 4, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 5, 13, 0},
    {0, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 8, 0},
    {0, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 8, 0},
    {0, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 8, 0},
    {0, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 8, 0},
    {0, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 8, 0},
    {0, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 8, 0},
    {0, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 8, 0},
    {0, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 8, 0},
    {0, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 8, 0},
    {0, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 8, 0},
    {0, 7, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 8, 0},
    {0, 7, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 8, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 1, 1, 1, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};

constexpr int MAP_ITEMS = ROOM_ROWS * ROOM_COLUMNS + 1; // 475 tile ids and the end marker

// The rows as int items in reading order, closed by the end marker.
constexpr std::array<TDataItem, MAP_ITEMS> map_items() {
    std::array<TDataItem, MAP_ITEMS> items{};
    int n = 0;
    for (const auto& row : map_rows)
        for (int id : row) items[n++] = {TDataItem::INT, double(id), nullptr};
    items[n] = {TDataItem::END, 0, nullptr};
    return items;
}

constexpr std::array<TDataItem, MAP_ITEMS> room_map_items = map_items();

bool is_seat(int id) {
    return id == 6 || id == 7 || id == 8;
}

// The bare floor and the doorway are the only cells a path may cross.
bool is_free(int id) {
    return id == 0 || id == 11;
}

} // namespace

const TDataItem* const room_map_data = room_map_items.data();

void TRoom::read_room_map() {
    int seat = 0;
    for (int r = 0; r < ROOM_ROWS; ++r) {
        for (int c = 0; c < ROOM_COLUMNS; ++c) {
            int id = read_data_item();
            tile_map[c][r] = id;
            // A map with more seat tiles than the table has rows keeps the first ones as seats.
            if (is_seat(id) && seat < 42) {
                seat_table[seat][0] = c;
                seat_table[seat][1] = r;
                ++seat;
            }
            blocked_map[c][r] = is_free(id) ? 0 : 1;
        }
    }
}

void TRoom::release_seats() {
    for (auto& seat : seat_table) seat[2] = 0;
}
