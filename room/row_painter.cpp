// row_painter.cpp -- the scene painted row by row, so that what stands further down the screen
// covers what stands behind it: each row's tiles, then the figures and objects standing in it.
#include "room/room.h"

#include "characters/cook.h"
#include "characters/disciple.h"
#include "characters/dish.h"
#include "characters/player.h"
#include "runtime/numeric.h"
#include "scoring/hud.h"

namespace {

void draw_row_tiles(int row) {
    for (int c = 0; c < ROOM_COLUMNS; ++c) {
        int id = tile_map[c][row];
        if (id != 0)
            draw_image(tile_images[id].get(), float(CELL_SIZE * c), float(CELL_SIZE * row), 0);
    }
}

// What stands in `row`, after its tiles and in this order: the back-wall display (row 1 only), the
// host, the cook, the guests in list order, the dishes in list order.
void draw_standing_in_row(int row) {
    if (row == 1) THud::draw();
    if (TRoom::standing_row(player_y) == row) TPlayer::draw();
    if (TRoom::cook_standing_row(cook_y) == row) TCook::draw();
    for (TDisciple* guest : disciple_list)
        if (TRoom::standing_row(guest->y) == row) guest->draw();
    for (TDish* dish : dish_list)
        if (TRoom::standing_row(dish->y) == row) dish->draw();
}

} // namespace

void TRoom::paint_rows(void (*draw_standing)(int row)) {
    for (int row = 0; row < ROOM_ROWS; ++row) {
        draw_row_tiles(row);
        draw_standing(row);
    }
}

void TRoom::draw_room_rows() {
    paint_rows(draw_standing_in_row);
}

int TRoom::standing_row(int y) {
    return (y + 12) / CELL_SIZE;
}

int TRoom::standing_row(float y) {
    return to_int((y + 12) / 32);
}

int TRoom::cook_standing_row(float y) {
    return to_int(y / 32) + 1;
}
