// evening_fixture.h -- set-ups of the evening for the guest and cook tests and the benchmark: the
// game started without its pictures, and guests put straight onto their seats.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "characters/disciple.h"
#include "room/room.h"
#include "shell/game.h"
#include "tests/harness.h"

// The way a seated guest faces: the top seats down, the left column right, the right column left.
inline int seat_facing(int col, int row) {
    return row == 3 ? 3 : col == 1 ? 2 : 0;
}

// Puts a guest straight onto seat `seat`, seated and waiting, as if it had walked there.
inline TDisciple* seat_guest(int seat, int contentment) {
    TDisciple* guest = list_add_last(disciple_list, std::make_unique<TDisciple>());
    int col = seat_table[seat][0], row = seat_table[seat][1];
    guest->x = 32 * col;
    guest->y = 32 * row;
    guest->step_col = guest->seat_col = col;
    guest->step_row = guest->seat_row = row;
    guest->seat_distances = compute_path_distances(col, row);
    guest->facing = seat_facing(col, row);
    guest->state = DISCIPLE_WAITING;
    guest->contentment = contentment;
    guest->contentment_time = millisecs();
    seat_table[seat][2] = 1;
    --free_seats;
    ++visitor_count;
    return guest;
}
