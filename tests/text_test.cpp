// text_test.cpp -- fonts and text drawn for real and read back: where text lands and how large,
// the built-in font's cells, glyphs that are missing or empty, and the font fallback chain.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "runtime/builtin_font.h"
#include "runtime/glyph_font.h"
#include "runtime/graphics.h"
#include "runtime/system_fonts.h"
#include "runtime/text.h"
#include "shell/game.h"
#include "tests/harness.h"

namespace {

const TString game_font_path = u"C:/Windows/Fonts/LSans.ttf";

// The smallest rectangle holding every lit (not black) pixel of the window; empty when none.
struct TBox {
    int left = 0, top = 0, right = -1, bottom = -1; // inclusive
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    bool empty() const { return right < left; }
};

std::vector<uint32_t> window_pixels() {
    return script_read_pixels(0, 0, 800, 608);
}

bool lit(uint32_t rgba) {
    return (rgba & 0x00ffffffu) != 0;
} // any of R, G, B

TBox lit_box() {
    std::vector<uint32_t> pixels = window_pixels();
    TBox box{800, 608, -1, -1};
    for (int y = 0; y < 608; ++y)
        for (int x = 0; x < 800; ++x)
            if (lit(pixels[y * 800 + x])) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box.right < 0 ? TBox{} : box;
}

// Clears the back buffer, draws `text` at (x, y) and reads the window back.
std::vector<uint32_t> drawn(const TString& text, float x, float y) {
    clear_screen();
    draw_text(text, x, y);
    return window_pixels();
}

TBox drawn_box(const TString& text, float x, float y) {
    drawn(text, x, y);
    return lit_box();
}

// An 800 x 608 window in a scratch folder (no font at the game's fixed path), alpha blending as
// the game has it, and the game's font loaded and selected.
struct Text : ::testing::Test {
    TGlyphFontPtr font;
    void SetUp() override {
        enter_scratch_folder();
        ASSERT_TRUE(open_graphics(800, 608, 0, 60, 0));
        set_blend(3);
        font = load_image_font(game_font_path, 12, 4);
        ASSERT_NE(font, nullptr);
        set_image_font(font.get());
    }
};

TEST_F(Text, CentredCaptionLandsWhereItsMeasuresSay) {
    const TString caption = u"Zufrieden";
    int width = text_width(caption), height = text_height();
    ASSERT_GT(width, 30);
    EXPECT_GE(height, 12);
    int x = 700 - width / 2, y = 33 - height / 2;
    TBox box = drawn_box(caption, float(x), float(y));
    ASSERT_FALSE(box.empty());
    EXPECT_GE(box.left, x);
    EXPECT_LE(box.left, x + 2);      // the Z stands at the pen
    EXPECT_LT(box.right, x + width); // the n ends inside its advance
    EXPECT_GE(box.right, x + width - 3);
    EXPECT_GE(box.top, y);
    EXPECT_LT(box.bottom, y + height);
    EXPECT_GE(box.height(), height / 2);
}

TEST_F(Text, ScaleTwoDrawsTwiceAsLargeAndMeasuresTheSame) {
    const TString caption = u"Besucher: 12";
    int width = text_width(caption), height = text_height();
    TBox single = drawn_box(caption, 100, 200);
    set_scale(2, 2);
    TBox twice = drawn_box(caption, 100, 200);
    EXPECT_EQ(text_width(caption), width);
    EXPECT_EQ(text_height(), height);
    ASSERT_FALSE(single.empty());
    EXPECT_NEAR(twice.width(), 2 * single.width(), 2);
    EXPECT_NEAR(twice.height(), 2 * single.height(), 2);
    EXPECT_NEAR(twice.left - 100, 2 * (single.left - 100), 1); // offsets scale from the pen
    EXPECT_NEAR(twice.top - 200, 2 * (single.top - 200), 1);
}

TEST_F(Text, UmlautsDrawWithTheTrueTypeFontOnly) {
    for (const TString& word : {TString(u"Zurück"), TString(u"Übernehmen")}) {
        TString without = word;
        std::erase_if(without, [](char16_t c) { return c > 127; });
        EXPECT_GT(text_width(word), text_width(without));
        EXPECT_NE(drawn(word, 10, 10), drawn(without, 10, 10));
    }
    EXPECT_FALSE(drawn_box(u"ä", 10, 10).empty());

    set_image_font(nullptr); // the built-in font has no glyph for them: skipped, no advance
    EXPECT_EQ(text_width(u"Soundlautstärke:"), 15 * 8);
    EXPECT_EQ(drawn(u"Zurück", 10, 10), drawn(u"Zurck", 10, 10));
    EXPECT_TRUE(drawn_box(u"ä", 10, 10).empty());
}

// A space advances and draws nothing; a character without a glyph neither draws nor advances.
// Both fonts, the TrueType one and the built-in one.
TEST_F(Text, SpacesAdvanceAndMissingGlyphsVanish) {
    for (TGlyphFont* selected : {font.get(), static_cast<TGlyphFont*>(nullptr)}) {
        set_image_font(selected);
        int space = text_width(u" ");
        EXPECT_GT(space, 0);
        EXPECT_EQ(text_width(u"A B"), text_width(u"AB") + space);
        EXPECT_TRUE(drawn_box(u" ", 10, 10).empty());
        clear_screen();
        draw_text(u"A", 10, 10);
        draw_text(u"B", float(10 + text_width(u"A ")), 10);
        EXPECT_EQ(drawn(u"A B", 10, 10), window_pixels());
        const TString missing = u"A\uE000B"; // a private-use character no font here covers
        EXPECT_EQ(text_width(missing), text_width(u"AB"));
        EXPECT_EQ(drawn(missing, 10, 10), drawn(u"AB", 10, 10));
        EXPECT_EQ(text_width(u""), 0);
    }
}

TEST_F(Text, BuiltInFontDrawsItsBitmapInEightBySixteenCells) {
    set_image_font(nullptr);
    TString all;
    for (int c = BUILTIN_FIRST_CHAR; c < BUILTIN_FIRST_CHAR + BUILTIN_GLYPH_COUNT; ++c)
        all += char16_t(c);
    EXPECT_EQ(text_width(all), 96 * 8);
    EXPECT_EQ(text_height(), 16);
    std::vector<uint32_t> pixels = drawn(all, 0, 100);
    const TBuiltinFontBitmap& bitmap = builtin_font_bitmap();
    for (int y = 0; y < 608; ++y)
        for (int x = 0; x < 800; ++x) {
            bool in_text = x < 96 * 8 && y >= 100 && y < 116;
            bool bit = in_text && (bitmap[y - 100][x / 8] >> (x % 8)) & 1;
            ASSERT_EQ(pixels[y * 800 + x] & 0xffffffu, bit ? 0xffffffu : 0u)
                << "pixel " << x << ", " << y;
        }
}

TEST(BuiltinFont, EveryVisibleGlyphHasPixelsAndDiffersFromTheOthers) {
    const TBuiltinFontBitmap& bitmap = builtin_font_bitmap();
    std::set<std::vector<uint8_t>> shapes;
    for (int g = 0; g < BUILTIN_GLYPH_COUNT; ++g) {
        std::vector<uint8_t> rows;
        for (int r = 0; r < BUILTIN_GLYPH_HEIGHT; ++r) rows.push_back(bitmap[r][g]);
        bool blank = std::all_of(rows.begin(), rows.end(), [](uint8_t b) { return b == 0; });
        EXPECT_EQ(blank, g == 0) << "glyph of character " << g + BUILTIN_FIRST_CHAR;
        EXPECT_TRUE(shapes.insert(rows).second) << "glyph of character " << g + BUILTIN_FIRST_CHAR;
    }
}

TEST_F(Text, ColourTintsGlyphsAndReopeningKeepsFontsUsable) {
    set_color(255, 0, 0);
    std::vector<uint32_t> red = drawn(u"H", 10, 10);
    for (uint32_t p : red) EXPECT_EQ(p & 0x00ffff00u, 0u); // no green, no blue
    set_color(255, 255, 255);
    std::vector<uint32_t> white = drawn(u"H", 10, 10);
    for (uint32_t p : white) // white glyphs: coverage shows as grey levels
        EXPECT_TRUE((p & 0xff) == (p >> 8 & 0xff) && (p & 0xff) == (p >> 16 & 0xff));

    ASSERT_TRUE(open_graphics(800, 608, 0, 60, 0)); // resets the current font to the built-in one
    EXPECT_EQ(text_height(), 16);
    set_blend(3);
    set_image_font(font.get());
    EXPECT_EQ(drawn(u"H", 10, 10), white); // glyph images rebuilt for the new display
}

// The fallback chain: the game's fixed path, then fontconfig's sans-serif font, then the
// built-in font.
struct FontFallback : ::testing::Test {
    void SetUp() override { enter_scratch_folder(); }
};

// The fixed path never exists on Linux: the stand-in is the normal case, taken silently.
TEST_F(FontFallback, MissingFixedPathGivesTheSystemSansFontSilently) {
    ASSERT_NE(find_system_sans_font(), "");
    testing::internal::CaptureStderr();
    TGlyphFontPtr font = load_image_font(game_font_path, 12, 4);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_NE(font, nullptr);
    set_image_font(font.get());
    EXPECT_GT(text_height(), 12); // the line height of a 12-pixel face, not the built-in 16
    EXPECT_LT(text_height(), 16);
}

TEST_F(FontFallback, FontAtTheFixedPathIsUsedSilently) {
    // A monospaced face at the fixed path (relative here, beside the program) tells itself apart
    // from the proportional stand-in by its equal advances.
    std::filesystem::create_directories("C:/Windows/Fonts");
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
                               "C:/Windows/Fonts/LSans.ttf");
    testing::internal::CaptureStderr();
    TGlyphFontPtr font = load_image_font(game_font_path, 12, 4);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_NE(font, nullptr);
    set_image_font(font.get());
    EXPECT_EQ(text_width(u"iii"), text_width(u"MMM"));
    EXPECT_NE(text_width(u"iii"), 3 * 8);
}

TEST_F(FontFallback, NoFontAnywhereGivesTheBuiltInFontAndTextStillDraws) {
    set_system_font_search(false);
    testing::internal::CaptureStderr();
    TGlyphFontPtr font = load_image_font(game_font_path, 12, 4);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(font, nullptr);
    EXPECT_NE(said.find("built-in"), std::string::npos) << said;
    ASSERT_TRUE(open_graphics(800, 608, 0, 60, 0));
    set_image_font(font.get());
    EXPECT_EQ(text_height(), 16);
    EXPECT_EQ(text_width(u"Punkte: 7"), 9 * 8);
    TBox box = drawn_box(u"Punkte: 7", 40, 50);
    EXPECT_FALSE(box.empty());
    EXPECT_GE(box.left, 40);
    EXPECT_LT(box.right, 40 + 9 * 8);
    EXPECT_GE(box.top, 50);
    EXPECT_LT(box.bottom, 50 + 16);
}

TEST(FontFallbackGame, GameRunsWithTheBuiltInFont) {
    set_system_font_search(false);
    start_test_game();
    EXPECT_EQ(ui_font, nullptr);
    EXPECT_EQ(text_height(), 16);
    EXPECT_TRUE(play_frames(5));
}

TEST_F(FontFallback, StyleBitFourGivesSmoothedGlyphImages) {
    for (int style : {4, 0, 3}) {
        TGlyphFontPtr font = load_image_font(game_font_path, 12, style);
        ASSERT_NE(font, nullptr);
        const TImageGlyph& o = glyph(*font, glyph_index(*font, u'O'));
        ASSERT_NE(o.image, nullptr);
        EXPECT_EQ(o.image->flags, style & 4 ? IMAGE_FILTERED | IMAGE_MIPMAPPED : 0);
        EXPECT_EQ(o.image->width, o.w);
    }
}

} // namespace
