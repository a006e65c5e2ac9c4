// tiles.cpp -- the room's 14 tiles: floor boards, the linen-covered table and counter, chairs,
// the back wall with its doorway, and the candle stands at the table's corners.
#include "tools/tiles.h"

#include "tools/materials.h"
#include "tools/pictures.h"

namespace {

constexpr int CELL = 32;

// A fixed pseudo-random value 0..255 per pixel, for grain and speckles (no seeded generator, so
// every run draws the same picture).
int grain(int x, int y, int salt) {
    unsigned h = unsigned(x) * 73856093u ^ unsigned(y) * 19349663u ^ unsigned(salt) * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return int((h ^ (h >> 15)) & 255u);
}

// Floor boards running left to right, four to a cell, with staggered joints.
TCanvas floor_tile() {
    using namespace material;
    TCanvas c(CELL, CELL);
    const int joints[4] = {5, -1, 21, -1}; // long boards: a joint on every other board only
    for (int board = 0; board < 4; ++board) {
        int top = board * 8;
        c.fill_rect(0, top, CELL, 8, FLOOR.mid);
        c.hline(0, CELL - 1, top, FLOOR.light);
        c.hline(0, CELL - 1, top + 7, FLOOR_SEAM);
        for (int y = top + 2; y < top + 7; ++y)
            for (int x = 0; x < CELL; ++x)
                if (grain(x / 3, y, board) < 40) c.set(x, y, mix(FLOOR.mid, FLOOR.dark, 0.45f));
        if (joints[board] < 0) continue;
        c.vline(joints[board], top + 1, top + 6, FLOOR_SEAM);
        c.vline(joints[board] + 1, top + 1, top + 6, FLOOR.light);
    }
    return c;
}

// A candle on a brass holder with its flame, the flame's tip at (x, y).
void draw_candle(TCanvas& c, int x, int y, int length) {
    using namespace material;
    c.set(x, y, FLAME_OUTER);
    c.vline(x, y + 1, y + 3, FLAME_INNER);
    c.set(x - 1, y + 2, FLAME_OUTER);
    c.set(x + 1, y + 2, FLAME_OUTER);
    c.set(x, y + 2, FLAME_CORE);
    c.shaded_rect(x - 1, y + 4, 3, length, CANDLE);
    c.set(x, y + 4, IRON.mid); // the wick
}

// A candle sconce on the wall beside the door.
void draw_sconce(TCanvas& c, int x) {
    using namespace material;
    draw_candle(c, x, 14, 7);
    c.fill_rect(x - 3, 25, 7, 2, BRASS.mid);
    c.hline(x - 3, x + 3, 25, BRASS.light);
    c.vline(x, 27, 31, BRASS.dark);
    c.fill_rect(x - 1, 31, 3, 2, BRASS.dark);
    // the warm light the candle throws on the plaster
    for (int y = 10; y < 30; ++y)
        for (int dx = -6; dx <= 6; ++dx)
            if (c.get(x + dx, y) == PLASTER.mid && dx * dx + (y - 17) * (y - 17) < 40)
                c.set(x + dx, y, PLASTER.light);
}

// The wall beside the doorway, with the door post on the doorway's side.
TCanvas door_frame_tile(bool left_of_door) {
    using namespace material;
    TCanvas c = wall_tile();
    int post = left_of_door ? CELL - 5 : 0;
    c.fill_rect(post, 12, 5, 52, DARK_WOOD.mid);
    c.vline(post, 12, 63, DARK_WOOD.light);
    c.vline(post + 4, 12, 63, DARK_WOOD.dark);
    int beam = left_of_door ? CELL - 8 : 0;
    c.fill_rect(beam, 10, 8, 4, DARK_WOOD.mid);
    c.hline(beam, beam + 7, 10, DARK_WOOD.light);
    c.hline(beam, beam + 7, 13, DARK_WOOD.dark);
    draw_sconce(c, left_of_door ? 12 : 19);
    return c;
}

// The open doorway: the lintel above and a threshold below; the opening is transparent so that
// a guest walking in through it shows.
TCanvas doorway_tile() {
    using namespace material;
    TCanvas c = wall_tile();
    c.fill_rect(0, 14, CELL, 50, TRANSPARENT);
    c.fill_rect(0, 10, CELL, 4, DARK_WOOD.mid);
    c.hline(0, CELL - 1, 10, DARK_WOOD.light);
    c.hline(0, CELL - 1, 13, DARK_WOOD.dark);
    c.hline(0, CELL - 1, 14, SHADOW);
    c.fill_rect(0, 61, CELL, 3, IRON.light);
    c.hline(0, CELL - 1, 61, {134, 124, 112});
    return c;
}

// The table's cloth: which edges of the cell it ends at.
struct TClothEdges {
    bool top = false, left = false, right = false,
         front = false; // front: the cloth hangs down over the near edge
    bool inner_left = false,
         inner_right = false; // a corner's side edge below the neighbouring front drape
};

constexpr int DRAPE_TOP = 23; // the first row of the hanging front of the cloth

TCanvas table_tile(TClothEdges e) {
    using namespace material;
    TCanvas c(CELL, CELL);
    int surface_end = e.front ? DRAPE_TOP : CELL;
    c.fill_rect(0, 0, CELL, surface_end, LINEN.mid);
    for (int y = 0; y < surface_end; ++y) // the weave
        for (int x = 0; x < CELL; ++x)
            if ((x + 2 * y) % 7 == 0 && grain(x, y, 3) < 90)
                c.set(x, y, mix(LINEN.mid, LINEN.dark, 0.4f));
    if (e.top) {
        c.hline(0, CELL - 1, 0, OUTLINE);
        c.hline(0, CELL - 1, 1, LINEN.light);
    }
    if (e.front) {
        c.hline(0, CELL - 1, DRAPE_TOP - 1, LINEN.light);
        for (int y = DRAPE_TOP; y < 30; ++y)
            for (int x = 0; x < CELL; ++x)
                c.set(x, y,
                      x % 8 < 2   ? LINEN_DRAPE.dark
                      : x % 8 < 5 ? LINEN_DRAPE.mid
                                  : LINEN_DRAPE.light);
        c.hline(0, CELL - 1, 30, OUTLINE);
        c.hline(0, CELL - 1, 31, SHADOW);
    }
    int side_top = e.top ? 0 : 0, side_end = e.front ? 30 : CELL - 1;
    if (e.left) {
        c.vline(0, side_top, side_end, OUTLINE);
        c.vline(1, side_top + e.top, surface_end - 1, LINEN.light);
    }
    if (e.right) {
        c.vline(CELL - 1, side_top, side_end, OUTLINE);
        c.vline(CELL - 2, side_top + e.top, surface_end - 1, LINEN.dark);
    }
    if (e.inner_left) c.vline(0, DRAPE_TOP, CELL - 1, LINEN.light);
    if (e.inner_right) c.vline(CELL - 1, DRAPE_TOP, CELL - 1, LINEN.dark);
    return c;
}

// A chair seen from above: a cushioned seat and the back on the side away from the table.
enum TChairBack { BACK_TOP, BACK_LEFT, BACK_RIGHT };

TCanvas chair_tile(TChairBack back) {
    using namespace material;
    TCanvas c(CELL, CELL);
    c.fill_rect(8, 26, 17, 3, SHADOW); // its shadow on the floor
    c.shaded_rect(7, 10, 18, 16, CHAIR_WOOD);
    c.shaded_rect(9, 12, 14, 11, CUSHION);
    c.vline(8, 26, 28, CHAIR_WOOD.dark); // the front legs
    c.vline(23, 26, 28, CHAIR_WOOD.dark);
    if (back == BACK_TOP) {
        c.shaded_rect(6, 2, 20, 6, CHAIR_WOOD);
        c.vline(8, 8, 10, CHAIR_WOOD.dark);
        c.vline(23, 8, 10, CHAIR_WOOD.dark);
    } else {
        int x = back == BACK_LEFT ? 3 : 24;
        c.shaded_rect(x, 1, 5, 25, CHAIR_WOOD);
        c.hline(x + 1, x + 3, 6, CHAIR_WOOD.dark);
        c.hline(x + 1, x + 3, 14, CHAIR_WOOD.dark);
    }
    c.outline(OUTLINE);
    return c;
}

// A tall iron candle stand, 48 pixels high, reaching up into the row behind its cell.
TCanvas candle_stand_tile() {
    using namespace material;
    TCanvas c(CELL, CELL + 16);
    c.fill_ellipse(16, 43, 9, 3, SHADOW);
    c.line(10, 44, 16, 38, IRON.mid); // the three feet
    c.line(22, 44, 16, 38, IRON.dark);
    c.vline(16, 39, 45, IRON.mid);
    c.shaded_rect(15, 14, 3, 26, IRON);
    c.shaded_ellipse(16.5f, 14, 5, 2, BRASS); // the drip pan
    draw_candle(c, 16, 1, 9);
    c.outline(OUTLINE);
    return c;
}

} // namespace

// Warm plaster above a dark chair rail and wood panelling, 64 pixels high so that one wall tile
// covers both wall rows (and, at double size, the wall of the closing picture).
TCanvas wall_tile() {
    using namespace material;
    TCanvas c(CELL, 2 * CELL);
    c.fill_rect(0, 0, CELL, 42, PLASTER.mid);
    for (int y = 0; y < 42; ++y)
        for (int x = 0; x < CELL; ++x) {
            int g = grain(x, y, 7);
            if (g < 14)
                c.set(x, y, PLASTER.dark);
            else if (g > 244)
                c.set(x, y, PLASTER.light);
        }
    c.hline(0, CELL - 1, 0, DARK_WOOD.dark); // the ceiling's edge
    c.hline(0, CELL - 1, 1, DARK_WOOD.mid);
    c.hline(0, CELL - 1, 2, PLASTER.dark);
    c.fill_rect(0, 42, CELL, 3, DARK_WOOD.light); // the chair rail
    c.hline(0, CELL - 1, 44, DARK_WOOD.dark);
    for (int panel = 0; panel < 2; ++panel) {
        int x = panel * 16;
        c.fill_rect(x, 45, 16, 15, DARK_WOOD.mid);
        c.shaded_rect(x + 2, 47, 12, 11, {DARK_WOOD.light, DARK_WOOD.mid, DARK_WOOD.dark});
        c.vline(x, 45, 59, DARK_WOOD.dark);
    }
    c.fill_rect(0, 60, CELL, 3, DARK_WOOD.dark); // the skirting board
    c.hline(0, CELL - 1, 60, DARK_WOOD.light);
    c.hline(0, CELL - 1, 63, SHADOW);
    return c;
}

void add_tile_pictures(TPictureList& list) {
    const TCanvas tiles[14] = {
        floor_tile(),
        table_tile({.top = false, .left = false, .right = false, .front = true}),
        table_tile({.top = false, .left = true, .right = true, .front = false}),
        table_tile({.top = false, .left = true, .right = true, .front = true}),
        table_tile({.top = true,
                    .left = true,
                    .right = false,
                    .front = false,
                    .inner_left = false,
                    .inner_right = true}),
        table_tile({.top = true,
                    .left = false,
                    .right = true,
                    .front = false,
                    .inner_left = true,
                    .inner_right = false}),
        chair_tile(BACK_TOP),
        chair_tile(BACK_LEFT),
        chair_tile(BACK_RIGHT),
        wall_tile(),
        door_frame_tile(true),
        doorway_tile(),
        door_frame_tile(false),
        candle_stand_tile(),
    };
    for (int id = 0; id < 14; ++id)
        list.push_back({"gfx/" + std::to_string(id) + ".png", tiles[id], tiles[id].width(),
                        tiles[id].height()});
}
