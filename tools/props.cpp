// props.cpp -- the small pictures: the dish from full to empty, the guests' faces and their
// eyes, the two gauges' bar and frame, and the ends of the title menu's bars and its slider.
#include <cmath>

#include "tools/materials.h"
#include "tools/pictures.h"

namespace {

using namespace material;

// The dish: a plate lying on its cell (the bottom 32 rows of a 42-row cell), the food piled up
// into the 10 rows above. `food` 3 is a full plate, 0 an empty one with crumbs.
TCanvas dish_cell(int food) {
    TCanvas c(32, 42);
    c.fill_ellipse(16.5f, 26, 12, 6, LINEN.dark); // the plate's shadow on the cloth
    c.shaded_ellipse(16, 24, 12, 6, CHINA, 0.2f);
    c.shaded_ellipse(16, 24, 8, 3.5f, {CHINA.dark, CHINA.mid, CHINA.mid}, -0.4f); // the well
    if (food >= 1) {
        float size = 1.f + food * 0.9f;
        c.shaded_ellipse(15, 23 - size * 0.6f, 2.f + size * 1.3f, 1.5f + size, ROAST, 0.1f);
        for (int i = 0; i < food * 2; ++i) { // peas and carrots beside the roast
            c.fill_rect(7 + i * 3 % 6, 22 + (i % 2), 2, 2, GREENS.mid);
            c.fill_rect(21 + i * 2 % 5, 23 - (i % 2), 2, 2, CARROT.mid);
        }
    }
    if (food == 1) c.line(17, 21, 22, 18, {236, 226, 200}); // a bone sticking out
    if (food == 0) {                                        // crumbs on the empty plate
        c.set(12, 24, ROAST.dark);
        c.set(19, 23, ROAST.mid);
        c.set(15, 25, GREENS.dark);
    }
    if (food == 3) { // steam
        c.set(12, 4, STEAM.mid);
        c.set(13, 3, STEAM.light);
        c.set(13, 5, STEAM.dark);
        c.set(19, 2, STEAM.mid);
        c.set(18, 1, STEAM.light);
        c.set(18, 3, STEAM.dark);
    }
    c.outline(OUTLINE);
    return c;
}

// The faces: a light disc (the game tints it by contentment) and a mouth from a broad smile to
// a frown; the eyes are a picture of their own, drawn untinted on top.
constexpr TRgb FACE_LIGHT{255, 255, 255}, FACE_SHADE{206, 206, 206}, FACE_LINE{52, 52, 52};

// The mouth of each face as rows of runs: {row, first column, last column}.
struct TMouthRun {
    int y, x1, x2;
};
const std::vector<TMouthRun> MOUTHS[5] = {
    {{9, 4, 11}, {10, 4, 11}, {11, 5, 10}, {12, 6, 9}},               // laughing, open
    {{9, 4, 4}, {9, 11, 11}, {10, 5, 10}},                            // smiling
    {{10, 5, 10}},                                                    // flat
    {{10, 5, 10}, {11, 4, 4}, {11, 11, 11}},                          // sulking
    {{10, 6, 9}, {11, 5, 5}, {11, 10, 10}, {12, 4, 4}, {12, 11, 11}}, // frowning
};

TCanvas face(int n) {
    TCanvas c(16, 16);
    c.fill_ellipse(8, 8, 7, 7, FACE_SHADE);
    c.fill_ellipse(7.5f, 7.5f, 6, 6, FACE_LIGHT);
    for (const TMouthRun& r : MOUTHS[n]) c.hline(r.x1, r.x2, r.y, FACE_LINE);
    if (n == 0) c.hline(6, 9, 10, FACE_SHADE); // the teeth's line of a laugh
    if (n == 4) {                              // brows drawn together
        c.line(3, 3, 6, 2, FACE_LINE);
        c.line(9, 2, 12, 3, FACE_LINE);
    }
    c.outline(FACE_LINE);
    return c;
}

TCanvas eyes() {
    TCanvas c(16, 16);
    for (int x : {4, 9}) {
        c.fill_rect(x, 4, 3, 4, {255, 255, 255});
        c.fill_rect(x + 1, 5, 2, 3, {24, 24, 28});
    }
    return c;
}

// The gauges: a white bar one pixel wide (tinted and stretched by the game) and a frame around
// a 100-pixel bar (drawn in black by the game; only its shape counts).
constexpr int BAR_HEIGHT = 16, FRAME_WIDTH = 102, FRAME_HEIGHT = 17;

TCanvas gauge_bar() {
    TCanvas c(1, BAR_HEIGHT);
    c.fill_rect(0, 0, 1, BAR_HEIGHT, {255, 255, 255});
    return c;
}

TCanvas gauge_frame() {
    TCanvas c(FRAME_WIDTH, FRAME_HEIGHT);
    c.hline(1, FRAME_WIDTH - 2, 0, OUTLINE);
    c.hline(1, FRAME_WIDTH - 2, FRAME_HEIGHT - 1, OUTLINE);
    c.vline(0, 1, FRAME_HEIGHT - 2, OUTLINE);
    c.vline(FRAME_WIDTH - 1, 1, FRAME_HEIGHT - 2, OUTLINE);
    for (int x = 25; x < 100; x += 25) c.vline(x, FRAME_HEIGHT - 4, FRAME_HEIGHT - 2, OUTLINE);
    return c;
}

// The whole gauge as one picture (loaded by the game but not drawn): frame and a full bar.
TCanvas gauge_preview() {
    TCanvas c = gauge_frame();
    for (int x = 0; x < 100; ++x) {
        float t = x / 99.f;
        TRgb colour = t < 0.5f ? TRgb{255, uint8_t(t * 2 * 255), 0}
                               : TRgb{uint8_t((1 - t) * 2 * 255), 255, 0};
        c.vline(x + 1, 1, FRAME_HEIGHT - 2, colour);
    }
    return c;
}

// An end of a menu bar: the cloth of tile 1 (drawn 5 rows lower) ending in a rounded hem, with
// a candle standing on it.
constexpr int MENU_END_HEIGHT = 37, BAR_TOP = 5;

TCanvas menu_end(bool left) {
    TCanvas c(32, MENU_END_HEIGHT);
    const int drape = BAR_TOP + 23; // the drape's first row, as on the table tiles
    for (int y = BAR_TOP; y < BAR_TOP + 31; ++y) {
        int inset = y < BAR_TOP + 3 ? 3 - (y - BAR_TOP) : 0;
        TRgb colour = y < drape ? LINEN.mid : (inset + y) % 3 ? LINEN_DRAPE.mid : LINEN_DRAPE.dark;
        if (y == drape - 1) colour = LINEN.light;
        if (y == BAR_TOP + 30) colour = OUTLINE;
        for (int x = 6 + inset; x < 32; ++x) c.set(left ? x : 31 - x, y, colour);
    }
    c.hline(0, 31, BAR_TOP + 31, SHADOW);
    for (int y = BAR_TOP; y < BAR_TOP + 31; ++y) { // the cloth's end, outlined
        int x = 6 + (y < BAR_TOP + 3 ? 3 - (y - BAR_TOP) : 0) - 1;
        c.set(left ? x : 31 - x, y, OUTLINE);
    }
    c.hline(left ? 9 : 0, left ? 31 : 22, BAR_TOP, OUTLINE);
    int cx = left ? 15 : 16;
    c.fill_ellipse(cx + 0.5f, 18, 4, 1.5f, BRASS.dark); // candle holder
    c.hline(cx - 2, cx + 2, 17, BRASS.light);
    c.set(cx, 0, FLAME_OUTER);
    c.vline(cx, 1, 3, FLAME_INNER);
    c.set(cx, 2, FLAME_CORE);
    c.set(cx - 1, 2, FLAME_OUTER);
    c.set(cx + 1, 2, FLAME_OUTER);
    c.shaded_rect(cx - 1, 4, 3, 13, CANDLE);
    c.set(cx, 4, IRON.mid);
    return c;
}

// The slider's frame: drawn at (576, 96) around the 97 x 20 volume bar, with a scale below.
TCanvas volume_frame() {
    TCanvas c(98, 26);
    c.hline(0, 97, 0, OUTLINE);
    c.hline(0, 97, 21, OUTLINE);
    c.vline(0, 0, 21, OUTLINE);
    c.vline(97, 0, 21, OUTLINE);
    for (int i = 0; i <= 10; ++i) {
        int x = std::lround(i * 9.6f);
        c.vline(x, 22, i % 5 == 0 ? 25 : 23, OUTLINE);
    }
    return c;
}

} // namespace

void add_prop_pictures(TPictureList& list) {
    list.push_back({"gfx/teil6.png",
                    make_strip({dish_cell(3), dish_cell(2), dish_cell(1), dish_cell(0)}), 32, 42});
    for (int n = 0; n < 5; ++n)
        list.push_back({"gfx/smilies/" + std::to_string(n + 1) + ".png", face(n), 16, 16});
    list.push_back({"gfx/smilies/augen.png", eyes(), 16, 16});
    list.push_back({"gfx/barometer.png", gauge_preview(), FRAME_WIDTH, FRAME_HEIGHT});
    list.push_back({"gfx/barometer1.png", gauge_bar(), 1, BAR_HEIGHT});
    list.push_back({"gfx/barometer2.png", gauge_frame(), FRAME_WIDTH, FRAME_HEIGHT});
    list.push_back({"gfx/bak3.png", menu_end(true), 32, MENU_END_HEIGHT});
    list.push_back({"gfx/bak4.png", menu_end(false), 32, MENU_END_HEIGHT});
    list.push_back({"gfx/vol.png", volume_frame(), 98, 26});
}
