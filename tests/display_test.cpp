// display_test.cpp -- the window's size and the picture's scaling: the whole scale chosen for a
// screen, the picture's place on a full screen, pointer positions mapped back to game pixels at
// 2x and full screen, and every scale showing exactly the pixels of the picture drawn at 1x.
#include <gtest/gtest.h>

#include "room/room.h"
#include "runtime/display_sdl.h"
#include "runtime/graphics.h"
#include "runtime/upscale.h"
#include "shell/game.h"
#include "shell/title_menu.h"
#include "tests/harness.h"

namespace {

TEST(WindowScale, TheLargestWholeScaleThatFitsWithItsTitleBar) {
    const struct {
        int width, height, scale; // the usable area of the screen, the scale of 800 x 608
    } cases[] = {
        {2560, 1600, 2},                  // 1600 x 1216
        {2560, 1560, 2},                  // the same with a panel
        {2560, 1440, 2}, {1920, 1200, 1}, // 1216 rows and a title bar do not fit 1200
        {1920, 1080, 1}, {3840, 2160, 3}, // 2400 x 1824
        {3840, 2400, 3}, {5120, 2880, 4},
        {1600, 1216, 1}, // exactly twice the picture leaves no room for the title bar
        {1632, 1280, 2}, // and this does
        {1024, 768, 1},  {800, 608, 1},
        {640, 480, 1}, // a screen smaller than the picture: still 1x
        {0, 0, 1},     // unknown
    };
    for (const auto& c : cases)
        EXPECT_EQ(whole_window_scale(c.width, c.height, 800, 608), c.scale)
            << c.width << " x " << c.height;
}

TEST(WindowScale, AFullScreenOfAnotherAspectShowsThePictureCentredBetweenBlackBorders) {
    const struct {
        int width, height;
        TScreenRect place;
    } cases[] = {
        {1600, 1216, {0, 0, 1600, 1216}}, // the picture's aspect: all of it
        {800, 608, {0, 0, 800, 608}},     {1920, 1080, {249, 0, 1421, 1080}},
        {1024, 768, {6, 0, 1011, 768}},   {1280, 1024, {0, 25, 1280, 973}},
        {640, 480, {4, 0, 632, 480}},
    };
    for (const auto& c : cases) {
        TScreenRect p = picture_place(c.width, c.height, 800, 608);
        EXPECT_EQ(p.x, c.place.x) << c.width << " x " << c.height;
        EXPECT_EQ(p.y, c.place.y) << c.width << " x " << c.height;
        EXPECT_EQ(p.width, c.place.width) << c.width << " x " << c.height;
        EXPECT_EQ(p.height, c.place.height) << c.width << " x " << c.height;
    }
}

// The game started on a screen whose usable area is width x height.
void start_on_screen(int width, int height) {
    script_display_area(width, height);
    start_test_game();
}

TEST(ScaledWindow, OnA2560By1600DesktopTheWindowIs1600By1216AndPointsMapToGamePixels) {
    start_on_screen(2560, 1600);
    int w = 0, h = 0;
    script_window_size(&w, &h);
    EXPECT_EQ(w, 1600);
    EXPECT_EQ(h, 1216);
    const struct {
        int wx, wy, gx, gy; // a pointer position in the window and in game pixels
    } cases[] = {
        {0, 0, 0, 0},           {1, 1, 0, 0},           {2, 3, 1, 1},     {800, 480, 400, 240},
        {1599, 1215, 799, 607}, {1600, 1216, 800, 608}, {-1, -2, -1, -1}, // outside, to the left
                                                                          // and above, while the
                                                                          // button is held
    };
    for (const auto& c : cases) {
        int gx = 0, gy = 0;
        display_window_to_game(c.wx, c.wy, &gx, &gy);
        EXPECT_EQ(gx, c.gx) << c.wx << ", " << c.wy;
        EXPECT_EQ(gy, c.gy) << c.wx << ", " << c.wy;
    }
}

// Draws a frame by hand (bars, text, guests and lines on the floor), reads it as drawn at 1x,
// presents it and checks that each window pixel shows the picture pixel under it.
void expect_window_shows_the_picture_pixel_for_pixel(int scale) {
    for (int c = 0; c <= 25; ++c)
        for (int r = 0; r <= 19; ++r) draw_image(tile_images[0].get(), 32.0f * c, 32.0f * r, 0);
    script_mouse_move(400, 240); // "Optionen" hovered: its two guests are drawn as well
    menu_button(u"Optionen", 7, 0);
    menu_button(u"Vollbildmodus:", 5, 1);
    for (int i = 0; i <= 40; ++i) {
        set_color(255 - i * 6, i * 6, 0);
        draw_line(float(576 + i), 97, float(576 + i), 116, 1);
    }
    set_color(255, 255, 255);
    std::vector<uint32_t> drawn = script_read_pixels(0, 0, 800, 608);
    present_frame(0);
    std::vector<uint32_t> shown = script_read_window(0, 0, 800 * scale, 608 * scale);
    int wrong = 0;
    for (int y = 0; y < 608 * scale; ++y)
        for (int x = 0; x < 800 * scale; ++x)
            wrong +=
                shown[size_t(y) * 800 * scale + x] != drawn[size_t(y / scale) * 800 + x / scale];
    EXPECT_EQ(wrong, 0) << "at " << scale << "x";
}

TEST(ScaledWindow, TwiceAndThreeTimesShowThePixelsOfThePictureDrawnAt1x) {
    for (int scale : {2, 3}) {
        start_on_screen(800 * scale + 100, 608 * scale + 100);
        int w = 0, h = 0;
        script_window_size(&w, &h);
        ASSERT_EQ(w, 800 * scale);
        ASSERT_EQ(h, 608 * scale);
        expect_window_shows_the_picture_pixel_for_pixel(scale);
    }
}

TEST(ScaledWindow, At1xTheWindowIsThePicture) {
    start_test_game(); // the test screen's 1024 x 768: no larger scale fits
    expect_window_shows_the_picture_pixel_for_pixel(1);
}

// The offscreen screen is 1024 x 768: the picture is 1011 x 768 from x = 6, black beside it.
TEST(ScaledWindow, FullScreenLetterboxesAndMapsThePointerIntoThePicture) {
    enter_scratch_folder();
    write_file("data/optionen.txt", "0.8\r\n1\r\n");
    start_game();
    ASSERT_EQ(display_fullscreen, 1);
    int w = 0, h = 0;
    script_window_size(&w, &h);
    ASSERT_EQ(w, 1024);
    ASSERT_EQ(h, 768);
    for (int c = 0; c <= 25; ++c)
        for (int r = 0; r <= 19; ++r) draw_image(tile_images[0].get(), 32.0f * c, 32.0f * r, 0);
    set_color(255, 255, 255);
    present_frame(0);
    std::vector<uint32_t> shown = script_read_window(0, 0, w, h);
    auto black = [](uint32_t p) { return (p & 0xFFFFFF) == 0; };
    for (int y : {0, 400, 767}) {
        for (int x : {0, 5, 1017, 1023}) EXPECT_TRUE(black(shown[size_t(y) * w + x])) << x;
        for (int x : {6, 500, 1016}) EXPECT_FALSE(black(shown[size_t(y) * w + x])) << x;
    }
    const struct {
        int wx, wy, gx, gy;
    } cases[] = {{6, 0, 0, 0}, {5, 0, -1, 0}, {1016, 767, 799, 607}, {512, 384, 400, 304}};
    for (const auto& c : cases) {
        int gx = 0, gy = 0;
        display_window_to_game(c.wx, c.wy, &gx, &gy);
        EXPECT_EQ(gx, c.gx) << c.wx << ", " << c.wy;
        EXPECT_EQ(gy, c.gy) << c.wx << ", " << c.wy;
    }
}

} // namespace
