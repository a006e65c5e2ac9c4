// evening_bench.cpp -- a full house: one play frame (draw and update) with all 42 seats taken, a
// third of the guests eating and 45 dishes in the room, on the software renderer; and the game
// logic of a frame alone (the cook's and the guests' updates).
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "characters/cook.h"
#include "characters/dish.h"
#include "runtime/paths.h"
#include "runtime/renderer.h"
#include "tests/evening_fixture.h"

namespace {

using TClock = std::chrono::steady_clock;

double since_us(TClock::time_point start) {
    return std::chrono::duration<double, std::micro>(TClock::now() - start).count();
}

// Every seat taken; every third guest has a full dish before it, the others an empty plate; the
// counter holds three dishes: 45 dishes in all.
void fill_the_room() {
    next_arrival_time = INT_MAX;
    for (int seat = 0; seat < seat_count; ++seat) {
        TDisciple* guest = seat_guest(seat, 60);
        int col, row;
        guest->table_cell(col, row);
        add_dish(32 * col, 32 * row, seat % 3 == 0 ? 80 : 0);
    }
    for (int x : {352, 384, 416}) add_dish(x, 544, 80);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Whole frames of the play loop, timed from one wait for the tick to the next.
void bench_play_frames() {
    const int frames = 300;
    std::vector<double> frame_ms;
    auto last = TClock::now();
    play_frames(frames, [&] {
        frame_ms.push_back(since_us(last) / 1000.0);
        last = TClock::now();
    });
    frame_ms.erase(frame_ms.begin()); // the first frame uploads the pictures
    int eating = 0;
    for (TDisciple* guest : disciple_list) eating += guest->state == DISCIPLE_EATING;
    std::printf("play frame, 42 guests (%d eating), %d dishes: median %.2f ms, max %.2f ms "
                "(target: median 3 ms at most)\n",
                eating, list_count(dish_list), median(frame_ms),
                *std::max_element(frame_ms.begin(), frame_ms.end()));
}

// The full room's drawing alone: floor, rows with every figure and dish; the pixel read waits
// until the renderer has drawn.
void bench_scene_draw(const char* how) {
    const int frames = 200;
    std::vector<double> frame_ms;
    for (int i = 0; i < frames; ++i) {
        auto start = TClock::now();
        clear_screen();
        TRoom::draw_floor();
        TRoom::draw_room_rows();
        script_pixel(0, 0);
        frame_ms.push_back(since_us(start) / 1000.0);
    }
    std::printf("scene draw alone (floor + rows, full room)%s: median %.2f ms\n", how,
                median(frame_ms));
}

void bench_logic() {
    const int frames = 20000;
    auto start = TClock::now();
    for (int i = 0; i < frames; ++i) {
        TCook::update();
        TDisciple::update_all();
    }
    std::printf("logic alone (cook + guests update): %.2f us/frame\n", since_us(start) / frames);
}

} // namespace

int main() {
    // The benchmarks live in bench/ beside the program, whose folder holds the pictures.
    enter_program_folder();
    std::filesystem::current_path("..");
    start_game();
    fill_the_room();
    bench_play_frames();
    bench_scene_draw("");
    set_plain_drawing(true);
    bench_scene_draw(", plainly: each draw one quad");
    set_plain_drawing(false);
    bench_logic();
}
