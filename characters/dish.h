// dish.h -- the dishes: plates of food on the counter or on a table cell, and their picture.
//
// The cook creates full dishes on the counter, the host takes them and puts new ones with the same
// amount on the table cell in front of a guest, and the guests eat from them one portion a second.
// The row painter calls draw on every dish at its row; the start-up loader calls TDish::load.
#pragma once

#include "runtime/graphics.h"
#include "runtime/list.h"

struct TDish {
    int x = 0;         // left edge of the dish's cell, window pixels
    int y = 0;         // top edge of the dish's cell row, window pixels
    int amount = 80;   // food left in portions: 80 a full dish, 0 an empty plate
    int bite_time = 0; // millisecs after which the next portion can be eaten

    void draw() const;  // draws the picture cell for the fill level, standing on the dish's cell
    int cell() const;   // the picture cell shown: 0 full (28 to 80), 1 (1 to 27), 3 empty plate
    static void load(); // loads dish_image; after the guests' loader, with the magenta mask set
    static void reset_all(); // an evening's start: no dish anywhere
};

extern TList<TDish> dish_list;     // every dish in the room, in creation order
extern TImagePtr dish_image;       // 4 cells of 32 x 42 from full to empty, handle (0, 10)
extern const int dish_full_amount; // 80: the amount of a fresh dish, base of the picture choice

// Appends a new dish with `amount` portions on the cell whose top-left pixel is (x, y).
TDish* add_dish(int x, int y, int amount);
