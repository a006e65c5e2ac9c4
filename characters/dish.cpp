// dish.cpp -- the dishes' list, their picture and the fill-level picture choice.
#include "characters/dish.h"

#include "runtime/numeric.h"

TList<TDish> dish_list;
TImagePtr dish_image;
const int dish_full_amount = 80;

int TDish::cell() const {
    if (amount < 1) return 3;
    // 80 / 3 portions per picture cell, rounded up to 27: 28 to 80 give cell 0, 1 to 27 cell 1.
    float per_cell = float(ceil_of(float(dish_full_amount) / 3.0f));
    return to_int(2.0f - float(amount) / per_cell);
}

void TDish::draw() const {
    draw_image(dish_image.get(), float(x), float(y), cell());
}

void TDish::load() {
    dish_image = load_anim_image(u"gfx/teil6.png", 32, 42, 0, 4, -1);
    set_image_handle(dish_image.get(), 0, float(image_height(dish_image.get()) - 32));
}

void TDish::reset_all() {
    dish_list = new_list<TDish>();
}

TDish* add_dish(int x, int y, int amount) {
    TDish* dish = list_add_last(dish_list, std::make_unique<TDish>());
    dish->x = x;
    dish->y = y;
    dish->amount = amount;
    return dish;
}
