// pictures.cpp -- the whole list of pictures the generator draws, in a fixed order.
#include "tools/pictures.h"

TPictureList all_pictures() {
    TPictureList list;
    add_tile_pictures(list);
    add_people_pictures(list);
    add_prop_pictures(list);
    add_ending_pictures(list);
    return list;
}
