// hud_bench.cpp -- the cost of the back-wall display per frame: both gauges and the four captions
// (numbers turned into text, measured and centred) with a warm glyph cache, in the started game.
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "characters/disciple.h"
#include "runtime/graphics.h"
#include "runtime/paths.h"
#include "runtime/platform_script.h"
#include "scoring/hud.h"
#include "shell/game.h"

namespace {

using TClock = std::chrono::steady_clock;

// Microseconds of one THud::draw, averaged over `frames`, after one draw that warms the glyph
// cache. With `sync` the renderer's work on the quads is waited for and counted too (with the
// cost of the one-pixel read-back that waits for it, measured on its own with an empty `draw`). The
// values change every frame, as they do in play, so the captions' strings are rebuilt each time.
double display_us(bool sync, int frames, void (*draw)() = THud::draw) {
    double total = 0;
    for (int i = 0; i <= frames; ++i) {
        average_contentment = 40 + i % 60;
        served_percent = i % 101;
        visitor_count = i % 43;
        script_advance_clock(1001); // a point in every frame
        clear_screen();
        if (sync) script_pixel(0, 0);
        TClock::time_point start = TClock::now();
        draw();
        if (sync) script_pixel(0, 0);
        if (i > 0)
            total += std::chrono::duration<double, std::micro>(TClock::now() - start).count();
    }
    return total / frames;
}

} // namespace

int main() {
    // The benchmarks live in bench/ beside the program, whose folder holds the pictures; the
    // start-up loads the gauge pictures and the game's font (the system's sans-serif here).
    enter_program_folder();
    std::filesystem::current_path("..");
    start_game();
    display_us(false, 200); // every digit's glyph built
    std::printf("back-wall display, warm cache, draw calls only:  %8.1f us/frame\n",
                display_us(false, 3000));
    std::printf("back-wall display, warm cache, drawn and synced: %8.1f us/frame\n",
                display_us(true, 500));
    std::printf("  of which the read-back alone (nothing drawn):  %8.1f us/frame\n",
                display_us(true, 500, [] {}));
    return 0;
}
