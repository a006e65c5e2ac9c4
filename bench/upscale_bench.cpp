// upscale_bench.cpp -- what showing the picture larger costs: a present of the 800 x 608 picture
// in a window at 1x (as drawn, no copy), 2x and 3x, and full screen on the offscreen screen, on the
// software renderer. Each present is timed with glFinish before the clock is read; nothing else
// is drawn, so the figures are the copy and the scaled quad alone.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "runtime/graphics.h"
#include "runtime/platform_script.h"

namespace {

constexpr int PRESENTS = 200;

double median_present_ms() {
    std::vector<double> times;
    for (int i = 0; i < PRESENTS; ++i) {
        clear_screen();
        glFinish();
        auto start = std::chrono::steady_clock::now();
        present_frame(0);
        glFinish();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main() {
    const struct {
        const char* name;
        int usable_width, usable_height, full_screen;
    } cases[] = {
        {"window 1x (800 x 608)", 1024, 768, 0},
        {"window 2x (1600 x 1216)", 2560, 1600, 0},
        {"window 3x (2400 x 1824)", 3840, 2160, 0},
        {"full screen (1024 x 768)", 1024, 768, 1},
    };
    window_title = u"upscale";
    for (const auto& c : cases) {
        script_display_area(c.usable_width, c.usable_height);
        if (!open_graphics(800, 608, c.full_screen, 0, 0)) return 1;
        std::printf("present %-26s median %6.3f ms  (%d presents)\n", c.name, median_present_ms(),
                    PRESENTS);
    }
}
