// scene_drawing_test.cpp -- every picture the same whether the runtime reduces its quads or not:
// the game's scenes (the room with guests in every state, dishes and the display, the three menu
// views, the closing picture) and synthetic cases at the edges of the reduction (runs past the
// picture's edges, scaled, tinted, half-hidden, translucent, rotated), each drawn for real with
// plain drawing, with the reductions, and with the reductions but no shader (as on a renderer
// without shaders), and compared pixel for pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "characters/cook.h"
#include "characters/dish.h"
#include "characters/player.h"
#include "runtime/draw_context.h"
#include "runtime/renderer.h"
#include "scoring/ending.h"
#include "scoring/hud.h"
#include "shell/highscores.h"
#include "shell/title_menu.h"
#include "tests/evening_fixture.h"

namespace {

using TPicture = std::vector<uint32_t>;

// The scene drawn on a cleared screen in one way of drawing.
TPicture draw_scene(const std::function<void()>& draw, bool plain, bool fixed_function) {
    set_plain_drawing(plain);
    set_fixed_function_only(fixed_function);
    clear_screen();
    draw();
    TPicture picture = script_read_pixels(0, 0, 800, 608);
    set_plain_drawing(false);
    set_fixed_function_only(false);
    return picture;
}

// Reduced, with and without the shader, the scene looks as drawn plainly.
void expect_same_both_ways(const char* name, const std::function<void()>& draw) {
    TPicture plain = draw_scene(draw, true, false);
    for (bool fixed_function : {false, true}) {
        TPicture reduced = draw_scene(draw, false, fixed_function);
        int differing = 0, first = -1;
        for (size_t i = 0; i < plain.size(); ++i)
            if (plain[i] != reduced[i]) {
                if (first < 0) first = int(i);
                ++differing;
            }
        EXPECT_EQ(differing, 0) << name << (fixed_function ? " (without the shader)" : "")
                                << ": first at (" << first % 800 << ", " << first / 800
                                << "), plain " << std::hex << plain[size_t(std::max(first, 0))]
                                << ", reduced " << reduced[size_t(std::max(first, 0))];
    }
}

// Every seat taken, the guests cycling through the seated states with contentments from 0 to 100
// (every face colour); three guests walking in, one of them still above the window; dishes full,
// half and empty on the table and the counter; the host carrying a dish at a fractional position,
// the cook cooking. The animations are held still: nothing steps while the clock stands.
void set_up_room() {
    next_arrival_time = 1 << 30;
    static const int seated_states[] = {DISCIPLE_WAITING, DISCIPLE_EATING, DISCIPLE_TAKING_SEAT,
                                        DISCIPLE_GIVING_UP, DISCIPLE_GIVEN_UP};
    for (int seat = 0; seat < seat_count; ++seat) {
        TDisciple* guest = seat_guest(seat, seat * 37 % 101);
        guest->kind = seat % 6;
        guest->state = seated_states[seat % 5];
        guest->anim_frame = guest->state == DISCIPLE_GIVEN_UP ? seat % 68 : seat % 7;
        int col, row;
        if (guest->table_cell(col, row) && seat % 3 != 2) add_dish(32 * col, 32 * row, seat % 81);
    }
    const struct {
        int x, y, facing, kind;
    } walkers[] = {{384, -30, 3, 0}, {384, 40, 3, 4}, {300, 64, 0, 2}};
    for (const auto& w : walkers) {
        TDisciple* guest = list_add_last(disciple_list, std::make_unique<TDisciple>());
        guest->x = w.x;
        guest->y = w.y;
        guest->facing = w.facing;
        guest->kind = w.kind;
        guest->moving = 1;
        guest->anim_frame = w.x % 4;
    }
    for (TDisciple* guest : disciple_list) guest->anim_time = millisecs();
    for (int x : {352, 384, 416}) add_dish(x, 544, x == 384 ? 20 : 80);
    player_x = 300.5f;
    player_y = 400.25f;
    player_facing = 3;
    hands_state = HANDS_CARRYING;
    carried_amount = 50;
    player_anim_frame = 2;
    player_anim_time = millisecs();
    cook_state = COOK_COOKING;
    cook_anim_frame = 3;
    cook_anim_time = millisecs();
    average_contentment = 37;
    served_percent = 64;
    visitor_count = 42;
    score = 1234;
    score_time = 1 << 30;
}

void draw_room() {
    TRoom::draw_floor();
    TRoom::draw_room_rows();
}

// A menu view with the pointer resting on a bar's band (no button is pressed).
std::function<void()> menu_view(int mode, int pointer_y) {
    return [mode, pointer_y] {
        script_mouse_move(400, pointer_y);
        TMenuState menu;
        menu.menu_mode = mode;
        draw_menu_view(menu);
    };
}

std::function<void()> ending_at(int clock) {
    return [clock] {
        script_set_clock(clock);
        draw_ending();
    };
}

TEST(SceneDrawing, TheGameLooksTheSameWithTheReductions) {
    start_test_game();
    script_set_clock(100000);
    write_file("data/highscore.dat", "Kopf\nAnna,125\nBernd,99\n\xc4rger,7\n");
    read_highscores();
    load_menu_images();
    set_up_room();
    const struct {
        const char* name;
        std::function<void()> draw;
    } scenes[] = {
        {"room", draw_room},
        {"closing walk, the display on top", [] { draw_room(), THud::draw(); }},
        {"main menu, a bar hovered", menu_view(MENU_MAIN, 240)},
        {"highscores", menu_view(MENU_HIGHSCORES, 470)},
        {"settings, a bar hovered", menu_view(MENU_SETTINGS, 170)},
        {"closing picture", ending_at(100500)},
        {"closing picture, the host's piece swung", ending_at(101500)},
    };
    for (const auto& scene : scenes) expect_same_both_ways(scene.name, scene.draw);
}

// A w x h picture whose texels come from `texel(x, y)` as 0xRRGGBBAA.
TImagePtr picture(int w, int h, int flags, const std::function<uint32_t(int, int)>& texel) {
    TPixmap pixmap = make_pixmap(w, h, TPixelFormat::rgba);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t t = texel(x, y);
            for (int c = 0; c < 4; ++c)
                pixmap.bytes[size_t(y) * pixmap.pitch + size_t(x) * 4 + c] =
                    uint8_t(t >> (24 - 8 * c));
        }
    return create_image_from_pixmaps({std::move(pixmap)}, flags);
}

// Draws a w x h block of cells of `image`, column by column (or row by row), from (x, y).
void cells(const TImage* image, float x, float y, int w, int h, bool by_columns, float step = 32) {
    for (int i = 0; i < w * h; ++i) {
        int c = by_columns ? i / h : i % w, r = by_columns ? i % h : i / w;
        draw_image(image, x + step * float(c), y + step * float(r), 0);
    }
}

// Puts back what a case may have changed.
void default_state() {
    set_blend(3);
    set_scale(1, 1);
    set_color(255, 255, 255);
    draw_context.alpha = 1;
    draw_context.rotation = 0;
    update_transform(draw_context);
}

TEST(SceneDrawing, EdgeCasesOfTheReductionLookTheSame) {
    enter_scratch_folder();
    ASSERT_TRUE(open_graphics(800, 608, 0, 60, 0));
    TImagePtr floor = picture(32, 32, 5, [](int x, int y) {
        return uint32_t(x * 8 << 24 | y * 8 << 16 | (x ^ y) << 8 | 255);
    });
    TImagePtr wall = picture(32, 32, 5, [](int x, int y) {
        return uint32_t(200 << 24 | x * 7 << 16 | y * 7 << 8 | 255);
    });
    TImagePtr figure = picture(32, 48, IMAGE_DEFAULT, [](int x, int y) {
        return x < 4 || x > 27 || y < 3 ? 0xff00ff00u
                                        : uint32_t((x * 5 + y) << 24 | 90 << 16 | y * 5 << 8 | 255);
    });
    TImagePtr soft =
        picture(16, 16, 6, [](int x, int y) { return uint32_t(0xffffff00u | (x * 16 + y)); });
    const struct {
        const char* name;
        std::function<void()> draw;
    } cases[] = {
        {"runs past every edge, by rows and by columns",
         [&] {
             cells(floor.get(), -16, -16, 27, 21, true);
             cells(wall.get(), 100, 600, 30, 2, false);
         }},
        {"runs at twice and three times the size past the edges",
         [&] {
             set_scale(2, 2);
             cells(floor.get(), 10, 130, 13, 8, true, 64);
             set_scale(3, 3);
             cells(wall.get(), -50, -40, 9, 2, false, 96);
         }},
        {"cells hidden wholly, by a pixel less, or by a cut-out picture",
         [&] {
             cells(floor.get(), 0, 0, 25, 19, false);
             cells(wall.get(), 64, 64, 5, 5, false);
             cells(wall.get(), 321, 64, 5, 5, false);
             cells(figure.get(), 64, 320, 5, 2, false);
             draw_image(wall.get(), 600, 40, 0);
             draw_image(wall.get(), 632, 40, 0);
         }},
        {"a cover drawn translucent or added hides nothing",
         [&] {
             cells(floor.get(), 0, 0, 10, 10, false);
             draw_context.alpha = 0.5f;
             cells(wall.get(), 0, 0, 4, 4, false);
             draw_context.alpha = 1;
             set_blend(4);
             cells(wall.get(), 160, 0, 4, 4, false);
         }},
        {"cells side by side in changing colours, a picture in seventy colours",
         [&] {
             for (int c = 0; c < 25; ++c) {
                 set_color(c % 2 ? 255 : 10 * c, 255, c % 3 ? 255 : 0);
                 draw_image(floor.get(), float(32 * c), 0, 0);
             }
             for (int i = 0; i < 70; ++i) {
                 set_color(255 - i, i * 3, 128);
                 draw_image(figure.get(), float(32 * (i % 25)), float(40 + 50 * (i / 25)), 0);
                 draw_image(soft.get(), float(32 * (i % 25)), float(200 + 20 * (i / 25)), 0);
             }
         }},
        {"fractional positions across the edges",
         [&] {
             cells(floor.get(), 0, 0, 25, 19, false);
             draw_image(figure.get(), 10.5f, -7.25f, 0);
             draw_image(figure.get(), -3.5f, 100.5f, 0);
             draw_image(figure.get(), 780.25f, 590.75f, 0);
             draw_image(wall.get(), 300.5f, -16, 0);
         }},
        {"every blend mode",
         [&] {
             cells(floor.get(), 0, 0, 25, 19, false);
             for (int mode = 1; mode <= 5; ++mode) {
                 set_blend(mode);
                 float y = float(100 * mode - 100);
                 cells(wall.get(), 0, y, 4, 2, false);
                 draw_image(figure.get(), 200, y, 0);
                 draw_image(soft.get(), 300, y, 0);
                 set_color(40, 200, 90);
                 draw_image(soft.get(), 340, y, 0);
                 set_color(255, 255, 255);
             }
         }},
        {"rotated, flipped and shrunk",
         [&] {
             cells(floor.get(), 0, 0, 25, 19, false);
             draw_context.rotation = 30;
             update_transform(draw_context);
             draw_image(figure.get(), 790, 300, 0);
             draw_context.rotation = 0;
             set_scale(-1, 1);
             cells(wall.get(), 400, 100, 6, 1, false, -32);
             set_scale(0.5f, 0.5f);
             cells(floor.get(), 100, 400, 8, 2, false, 16);
         }},
        {"text in white, black and colour",
         [&] {
             cells(floor.get(), 0, 0, 25, 19, false);
             draw_text(u"Besucher: 42", 100, 100);
             set_color(0, 0, 0);
             draw_text(u"Punkte: 1234", 100, 130);
             set_color(255, 120, 0);
             draw_text(u"Zufrieden: 37%", -20, 600);
         }},
    };
    for (const auto& c : cases) {
        expect_same_both_ways(c.name, [&] {
            c.draw();
            default_state();
        });
    }
}

} // namespace
