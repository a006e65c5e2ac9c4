// room.cpp -- the tile images, standing on their cells, and the floor pass under every cell.
#include "room/room.h"

TImagePtr tile_images[TILE_KINDS];

void TRoom::load_tile_images() {
    set_mask_color(255, 0, 255);
    for (int id = 0; id < TILE_KINDS; ++id) {
        tile_images[id] = load_image(u"gfx/" + int_to_string(id) + u".png", 5);
        TImage* image = tile_images[id].get();
        if (image) set_image_handle(image, 0, float(image_height(image) - CELL_SIZE));
    }
}

void TRoom::draw_floor() {
    for (int r = 0; r < ROOM_ROWS; ++r)
        for (int c = 0; c < ROOM_COLUMNS; ++c)
            draw_image(tile_images[0].get(), float(CELL_SIZE * c), float(CELL_SIZE * r), 0);
}
