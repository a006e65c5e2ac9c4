// graphics_test.cpp -- images and drawing rendered for real (offscreen Mesa) and read back.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>

#include "runtime/draw_context.h"
#include "runtime/image.h"
#include "runtime/input.h"
#include "tests/harness.h"

namespace {

// Colours as 0xRRGGBBAA.
constexpr std::uint32_t MAGENTA = 0xff00ffff, RED = 0xff0000ff, BLUE = 0x0000ffff,
                        WHITE = 0xffffffff, BLACK = 0x000000ff;

// Writes a small PNG fixture, with an alpha channel or without.
void write_png(const std::string& path, int w, int h, const std::vector<std::uint32_t>& pixels,
               bool alpha) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t p : pixels)
        for (int shift = 24; shift >= (alpha ? 0 : 8); shift -= 8) bytes.push_back(p >> shift);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = w;
    image.height = h;
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr));
}

// A w x h picture of one colour.
void write_solid_png(const std::string& path, int w, int h, std::uint32_t colour) {
    write_png(path, w, h, std::vector<std::uint32_t>(size_t(w) * h, colour), false);
}

// A pixel of a frame's stored pixmap as 0xRRGGBBAA.
std::uint32_t stored_pixel(const TImage* image, int frame, int x, int y) {
    TPixmap p = to_rgba(image->pixmaps[frame]);
    const std::uint8_t* b = &p.bytes[size_t(y) * p.pitch + size_t(x) * 4];
    return std::uint32_t(b[0]) << 24 | b[1] << 16 | b[2] << 8 | b[3];
}

void expect_pixel_near(int x, int y, std::uint32_t rgb, int tolerance = 0) {
    std::uint32_t got = script_pixel(x, y);
    for (int shift = 0; shift <= 16; shift += 8) {
        int a = int(got >> shift & 255), b = int(rgb >> shift & 255);
        EXPECT_LE(std::abs(a - b), tolerance)
            << "pixel (" << x << ", " << y << ") is " << std::hex << got << ", expected " << rgb;
    }
}

class Graphics : public ::testing::Test {
  protected:
    void SetUp() override {
        enter_scratch_folder();
        ASSERT_TRUE(open_graphics(800, 608, 0, 60, 0));
    }
};

TEST_F(Graphics, MaskingMakesTheMaskColourTransparentWithTheNeighbourAverage) {
    const std::uint32_t M = MAGENTA;
    write_png("mask.png", 5, 3, {RED, M, BLUE, M, M, M, M, M, M, M, M, M, M, M, M}, false);
    set_mask_color(255, 0, 255);
    TImagePtr image = load_image(u"mask.png", IMAGE_DEFAULT);
    ASSERT_TRUE(image);
    EXPECT_EQ(stored_pixel(image.get(), 0, 0, 0), RED);         // kept, opaque
    EXPECT_EQ(stored_pixel(image.get(), 0, 1, 0), 0x7f007f00u); // between red and blue
    EXPECT_EQ(stored_pixel(image.get(), 0, 3, 0), 0x0000ff00u); // only blue beside it
    EXPECT_EQ(stored_pixel(image.get(), 0, 4, 2), 0x00000000u); // only mask around it
    // Drawn over white with alpha blending the masked pixels leave the background alone.
    write_solid_png("white.png", 8, 8, WHITE);
    TImagePtr white = load_image(u"white.png", 0);
    set_blend(3);
    draw_image(white.get(), 10, 10, 0);
    draw_image(image.get(), 10, 10, 0);
    expect_pixel_near(10, 10, 0xff0000);
    expect_pixel_near(11, 10, 0xffffff);
    expect_pixel_near(12, 10, 0x0000ff);
    expect_pixel_near(14, 12, 0xffffff);
}

TEST_F(Graphics, PicturesWithAlphaAreStoredUnchanged) {
    write_png("alpha.png", 2, 1, {0xff00ffc8, 0x10203040}, true);
    set_mask_color(255, 0, 255);
    TImagePtr image = load_image(u"alpha.png", IMAGE_DEFAULT);
    ASSERT_TRUE(image);
    EXPECT_EQ(stored_pixel(image.get(), 0, 0, 0), 0xff00ffc8u);
    EXPECT_EQ(stored_pixel(image.get(), 0, 1, 0), 0x10203040u);
}

TEST_F(Graphics, AnimationCellsRunLeftToRightThenDownAndAreMaskedEachOnItsOwn) {
    // 4 x 2 cells of 32 x 48, cell i filled with (i * 30, 100, 7); cell 1's left column is
    // magenta, so its masked pixels may only average cell 1's own colour.
    std::vector<std::uint32_t> pixels(128 * 96);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 128; ++x) {
            int cell = x / 32 + 4 * (y / 48);
            pixels[y * 128 + x] = x == 32 ? MAGENTA : std::uint32_t(cell * 30) << 24 | 0x6407ff;
        }
    write_png("cells.png", 128, 96, pixels, false);
    set_mask_color(255, 0, 255);
    TImagePtr image = load_anim_image(u"cells.png", 32, 48, 0, 7, IMAGE_DEFAULT);
    ASSERT_TRUE(image);
    EXPECT_EQ(image_frames(image.get()), 7);
    EXPECT_EQ(image_width(image.get()), 32);
    EXPECT_EQ(image_height(image.get()), 48);
    EXPECT_EQ(stored_pixel(image.get(), 4, 5, 5), 120u << 24 | 0x6407ff); // the cell at (0, 48)
    EXPECT_EQ(stored_pixel(image.get(), 1, 0, 10), 30u << 24 | 0x640700);
    draw_image(image.get(), 100, 100, 4);
    expect_pixel_near(110, 120, 120 << 16 | 0x6407);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(load_anim_image(u"cells.png", 32, 48, 0, 9, IMAGE_DEFAULT));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "zedoria: cannot load cells.png: has 8 cells, 9 needed\n");
}

TEST_F(Graphics, AutoMidHandleCentresLoadsWhileItIsOn) {
    write_solid_png("25x16.png", 25, 16, RED);
    set_auto_mid_handle(1);
    TImagePtr centred = load_image(u"25x16.png", IMAGE_DEFAULT);
    set_auto_mid_handle(0);
    TImagePtr plain = load_image(u"25x16.png", IMAGE_DEFAULT);
    ASSERT_TRUE(centred && plain);
    EXPECT_EQ(centred->handle_x, 12.5f);
    EXPECT_EQ(centred->handle_y, 8.0f);
    EXPECT_EQ(plain->handle_x, 0.0f);
    EXPECT_EQ(plain->handle_y, 0.0f);
}

TEST_F(Graphics, TheHandleLandsOnTheDrawPositionAlsoWhenScaled) {
    write_solid_png("red.png", 4, 4, RED);
    TImagePtr image = load_image(u"red.png", 0);
    set_image_handle(image.get(), 2, 2);
    draw_image(image.get(), 50, 50, 0); // covers 48 .. 51
    set_scale(2, 2);
    draw_image(image.get(), 100, 100, 0); // covers 96 .. 103
    struct {
        int x, y;
        std::uint32_t rgb;
    } cases[] = {{48, 48, 0xff0000}, {51, 51, 0xff0000},   {47, 48, 0}, {52, 51, 0},
                 {96, 96, 0xff0000}, {103, 103, 0xff0000}, {95, 96, 0}, {104, 103, 0}};
    for (const auto& c : cases) expect_pixel_near(c.x, c.y, c.rgb);
}

TEST_F(Graphics, BlendModesCombineSourceAndDestinationAsDescribed) {
    write_solid_png("ground.png", 2, 1, 0x4040ffff);
    write_png("half.png", 2, 1, {0xff000064, 0xff0000c8}, true); // alpha 100 and 200
    TImagePtr ground = load_image(u"ground.png", 0), half = load_image(u"half.png", 0);
    struct {
        int mode;
        std::uint32_t low_alpha, high_alpha; // the results over (64, 64, 255)
    } cases[] = {
        {1, 0x4040ff, 0xff0000}, // alpha test: < 0.5 discarded, the rest replaces
        {2, 0xff0000, 0xff0000}, // replace
        {3, 0x8b279b, 0xd60e37}, // source x alpha + destination x (1 - alpha)
        {4, 0xa440ff, 0xff40ff}, // source x alpha + destination
        {5, 0x400000, 0x400000}, // source x destination
    };
    int x = 0;
    for (const auto& c : cases) {
        set_blend(2);
        draw_image(ground.get(), float(x), 0, 0);
        set_blend(c.mode);
        draw_image(half.get(), float(x), 0, 0);
        SCOPED_TRACE(c.mode);
        expect_pixel_near(x, 0, c.low_alpha, 2);
        expect_pixel_near(x + 1, 0, c.high_alpha, 2);
        x += 4;
    }
}

TEST_F(Graphics, SetColorTintsImagesAndLinesAndClampsItsComponents) {
    write_solid_png("tan.png", 2, 2, 0xc86432ff);
    TImagePtr image = load_image(u"tan.png", 0);
    set_color(128, 255, 0);
    draw_image(image.get(), 10, 10, 0);
    expect_pixel_near(10, 10, 0x646400, 1); // (200, 100, 50) x (128, 255, 0) / 255
    set_color(300, 128, -5);
    EXPECT_EQ(draw_context.color_r, 255);
    EXPECT_EQ(draw_context.color_b, 0);
    draw_line(20, 20, 30, 20, 0);
    expect_pixel_near(25, 20, 0xff8000);
}

TEST_F(Graphics, DrawLineWithTheLastPixelLightsTwentyPixels) {
    draw_line(576, 97, 576, 116, 1);
    draw_line(600, 97, 600, 116, 0);
    for (int y = 90; y < 125; ++y) {
        bool lit = y >= 97 && y <= 116;
        expect_pixel_near(576, y, lit ? 0xffffff : 0);
        expect_pixel_near(600, y, lit && y != 116 ? 0xffffff : 0);
        expect_pixel_near(575, y, 0);
        expect_pixel_near(577, y, 0);
    }
}

TEST_F(Graphics, ImagesStillDrawAfterASecondOpenWhileTheStateIsBackAtItsDefaults) {
    write_solid_png("red.png", 4, 4, RED);
    TImagePtr image = load_image(u"red.png", IMAGE_DEFAULT);
    draw_image(image.get(), 0, 0, 0); // built into the first display's renderer
    set_blend(3);
    set_scale(2, 3);
    set_color(10, 20, 30);
    set_mask_color(255, 0, 255);
    set_auto_mid_handle(1);
    ASSERT_TRUE(open_graphics(800, 608, 0, 60, 0));
    EXPECT_EQ(draw_context.blend, 1);
    EXPECT_EQ(draw_context.scale_x, 1.0f);
    EXPECT_EQ(draw_context.jy, 1.0f);
    EXPECT_EQ(draw_context.color_g, 255);
    EXPECT_EQ(draw_context.font, nullptr);
    EXPECT_EQ(load_settings.mask_r + load_settings.mask_b, 0);
    EXPECT_FALSE(load_settings.auto_mid_handle);
    EXPECT_EQ(load_settings.default_flags, 3);
    draw_image(image.get(), 20, 20, 0);
    expect_pixel_near(20, 20, 0xff0000);
    expect_pixel_near(23, 23, 0xff0000);
    expect_pixel_near(24, 24, 0);
}

TEST_F(Graphics, OpeningADisplayPutsThePointerAtTheCentreOfItsClientArea) {
    script_mouse_move(3, 5);
    ASSERT_EQ(mouse_x(), 3);
    ASSERT_TRUE(open_graphics(640, 480, 0, 60, 0));
    EXPECT_EQ(mouse_x(), 320);
    EXPECT_EQ(mouse_y(), 240);
}

TEST_F(Graphics, UnfilteredImagesMagnifyWithNearestTexelsAndFilteredOnesBlend) {
    write_png("edge.png", 2, 1, {BLACK, WHITE}, false);
    write_solid_png("red.png", 2, 1, RED); // packed right beside it in the same page
    TImagePtr sharp = load_image(u"edge.png", 0), smooth = load_image(u"edge.png", 2);
    TImagePtr neighbour = load_image(u"red.png", 2);
    set_scale(8, 8);
    draw_image(sharp.get(), 0, 0, 0);
    draw_image(smooth.get(), 0, 20, 0);
    draw_image(neighbour.get(), 0, 40, 0);
    for (int x = 0; x < 16; ++x) expect_pixel_near(x, 3, x < 8 ? 0 : 0xffffff);
    expect_pixel_near(0, 23, 0);           // the edge texel repeated, not the page around it
    expect_pixel_near(15, 23, 0xffffff);   // likewise on the far side, next to the red picture
    expect_pixel_near(7, 23, 0x707070, 3); // 7.5 / 8 texels: 0.4375 of the way to white
    expect_pixel_near(8, 23, 0x8f8f8f, 3);
    // Unscaled on whole pixels a filtered image shows its texels one to one.
    set_scale(1, 1);
    draw_image(smooth.get(), 0, 60, 0);
    expect_pixel_near(0, 60, 0);
    expect_pixel_near(1, 60, 0xffffff);
}

TEST_F(Graphics, MipmappedImagesDrawnSmallerSampleTheirMipmapChain) {
    std::vector<std::uint32_t> checker(16);
    for (int i = 0; i < 16; ++i) checker[i] = (i % 4 + i / 4) % 2 ? WHITE : BLACK;
    write_png("checker.png", 4, 4, checker, false);
    TImagePtr mipmapped = load_image(u"checker.png", IMAGE_MIPMAPPED);
    TImagePtr plain = load_image(u"checker.png", 0);
    set_scale(0.5f, 0.5f);
    draw_image(mipmapped.get(), 10, 10, 0);
    draw_image(plain.get(), 20, 10, 0);
    expect_pixel_near(10, 10, 0x808080, 2);
    std::uint32_t nearest = script_pixel(20, 10);
    EXPECT_TRUE(nearest == 0 || nearest == 0xffffff) << std::hex << nearest;
}

TEST_F(Graphics, NullImagesAndFramesOutOfRangeDrawNothing) {
    write_solid_png("red.png", 4, 4, RED);
    TImagePtr image = load_image(u"red.png", 0);
    draw_image(nullptr, 0, 0, 0);
    draw_image(image.get(), 0, 0, 1);
    draw_image(image.get(), 0, 0, -1);
    set_image_handle(nullptr, 1, 1);
    EXPECT_EQ(image_height(nullptr), 0);
    expect_pixel_near(1, 1, 0);
}

} // namespace
