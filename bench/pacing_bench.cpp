// pacing_bench.cpp -- the frame loop on the real platform: processor use while the loop waits on
// the 30 Hz timer, and the intervals between frames.
//
// Linked with platform_sdl.cpp (the real clock, SDL's event wait and its timer thread) instead of
// the scripted platform. Each frame is the game's frame finish with nothing drawn: present_frame
// (-1), clear_screen, wait_timer, on SDL's offscreen video driver.
#include <SDL2/SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "runtime/clock.h"
#include "runtime/graphics.h"

namespace {

constexpr int FRAMES = 300;

double wall_ms() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double cpu_ms() { // user and system time of the whole process, every thread
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

int main() {
    // The program's platform opens only a real screen's window; here SDL's video is started on
    // the offscreen driver first, which the platform then uses as it finds it running.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 1;
    window_title = u"pacing";
    if (!open_graphics(800, 608, 0, 60, 0)) return 1;
    set_blend(3);
    TTickTimer* timer = create_timer(30);
    for (int i = 0; i < 10; ++i) wait_timer(timer); // settle
    std::vector<double> intervals;
    double waiting_cpu = 0, start_wall = wall_ms(), start_cpu = cpu_ms(), last = wall_ms();
    for (int i = 0; i < FRAMES; ++i) {
        present_frame(-1);
        clear_screen();
        double before = cpu_ms();
        wait_timer(timer);
        waiting_cpu += cpu_ms() - before;
        double now = wall_ms();
        intervals.push_back(now - last);
        last = now;
    }
    double wall = wall_ms() - start_wall, cpu = cpu_ms() - start_cpu;
    std::sort(intervals.begin(), intervals.end());
    std::printf("frame interval   median %6.2f ms   p10 %6.2f ms   p90 %6.2f ms   (%d frames, "
                "target: median within 1 ms of 33)\n",
                intervals[FRAMES / 2], intervals[FRAMES / 10], intervals[FRAMES * 9 / 10], FRAMES);
    std::printf("idle CPU         waiting %5.2f %% of a core, whole loop with present and clear "
                "%5.2f %% (target: under 3 %% for the wait)\n",
                100 * waiting_cpu / wall, 100 * cpu / wall);
    return 0;
}
