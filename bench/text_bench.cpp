// text_bench.cpp -- the cost of the back wall's four captions: a frame with a warm glyph cache,
// and the first draw of a string whose glyphs are not built yet.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "runtime/graphics.h"
#include "runtime/platform_script.h"
#include "runtime/system_fonts.h"
#include "runtime/text.h"
#include "tests/harness.h"

namespace {

using TClock = std::chrono::steady_clock;

const TString captions[4] = {u"Zufrieden: ", u"Versorgt: ", u"Besucher: 17", u"Punkte: 1234"};

double microseconds_since(TClock::time_point start) {
    return std::chrono::duration<double, std::micro>(TClock::now() - start).count();
}

// Microseconds of one frame's four draw_text calls (the captions where the back wall has them),
// warm glyph cache, the frame cleared before and, with `sync`, waited for after: the renderer's
// work on the glyph quads then counts too.
double captions_us(bool sync, int frames) {
    double total = 0;
    for (int i = 0; i <= frames; ++i) {
        clear_screen();
        if (sync) script_pixel(0, 0);
        TClock::time_point start = TClock::now();
        for (int k = 0; k < 4; ++k) draw_text(captions[k], 60.0f + 180 * k, 28);
        if (sync) script_pixel(0, 0);
        if (i > 0) total += microseconds_since(start); // frame 0 built the glyphs
    }
    return total / frames;
}

// A fresh font for each round, so every glyph of the string is rasterised, turned into an image
// and uploaded on its draw; loading the font itself is not counted. Synced as above, so compare
// it with the synced warm figure.
double first_draw_us(const TString& text, int rounds) {
    double total = 0;
    for (int i = 0; i < rounds; ++i) {
        TGlyphFontPtr font = load_image_font(u"C:/Windows/Fonts/LSans.ttf", 12, 4);
        set_image_font(font.get());
        clear_screen();
        script_pixel(0, 0);
        TClock::time_point start = TClock::now();
        draw_text(text, 60, 28);
        script_pixel(0, 0);
        total += microseconds_since(start);
        set_image_font(nullptr);
    }
    return total / rounds;
}

} // namespace

int main() {
    enter_scratch_folder();
    open_graphics(800, 608, 0, 60, 0);
    set_blend(3);
    // The system's sans-serif font at the game's fixed path: every load below finds it there.
    std::filesystem::create_directories("C:/Windows/Fonts");
    std::filesystem::copy_file(find_system_sans_font(), "C:/Windows/Fonts/LSans.ttf");
    TGlyphFontPtr font = load_image_font(u"C:/Windows/Fonts/LSans.ttf", 12, 4);
    set_image_font(font.get());
    std::printf("four captions, warm cache, draw calls only:  %8.1f us/frame\n",
                captions_us(false, 2000));
    std::printf("four captions, warm cache, drawn and synced: %8.1f us/frame\n",
                captions_us(true, 500));
    std::printf("first draw of \"Besucher: 17\", fresh font:     %8.1f us\n",
                first_draw_us(captions[2], 50));
    std::printf("first draw of \"Soundlautstärke:\", fresh font: %8.1f us\n",
                first_draw_us(u"Soundlautstärke:", 50));
    return 0;
}
