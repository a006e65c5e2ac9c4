// room_bench.cpp -- the empty room's floor pass plus row pass per frame on the software renderer,
// drawn as the runtime draws them and plainly (every draw one quad, nothing reduced), beside one
// picture of the window's size; and one distance map toward a seat.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "room/path_search.h"
#include "runtime/paths.h"
#include "runtime/platform_script.h"
#include "runtime/renderer.h"

namespace {

using TClock = std::chrono::steady_clock;

double elapsed_ms(TClock::time_point since) {
    return std::chrono::duration<double, std::milli>(TClock::now() - since).count();
}

TImagePtr window_picture; // the floor tile repeated over the whole window, one picture

void draw_floor_and_rows() {
    TRoom::draw_floor();
    TRoom::draw_room_rows();
}

void draw_window_picture() {
    draw_image(window_picture.get(), 0, 0, 0);
}

TImagePtr make_window_picture(const TImage& tile) {
    const TPixmap cell = to_rgba(tile.pixmaps[0]);
    TPixmap picture = make_pixmap(800, 608, TPixelFormat::rgba);
    for (int y = 0; y < 608; ++y)
        for (int x = 0; x < 800; ++x)
            std::memcpy(
                &picture.bytes[size_t(y) * picture.pitch + size_t(x) * 4],
                &cell.bytes[size_t(y % cell.height) * cell.pitch + size_t(x % cell.width) * 4], 4);
    return create_image_from_pixmaps({std::move(picture)}, 0);
}

// One pass per frame on the empty room; reading a pixel back waits until the renderer has drawn.
void bench_room_pass(const char* name, void (*pass)()) {
    const int frames = 200;
    for (int warm = 0; warm < 10; ++warm) pass();
    auto start = TClock::now();
    for (int i = 0; i < frames; ++i) {
        clear_screen();
        pass();
        script_pixel(0, 0);
    }
    std::printf("%s (empty room): %.3f ms/frame\n", name, elapsed_ms(start) / frames);
}

void bench_seat_distances() {
    const int calls = 2000;
    int sink = 0;
    auto start = TClock::now();
    for (int i = 0; i < calls; ++i) sink += compute_path_distances(3, 3)[12][5];
    double us = elapsed_ms(start) * 1000.0 / calls;
    std::printf("compute_path_distances (seat 3, 3): %.2f us/call (check %d)\n", us, sink / calls);
}

} // namespace

int main() {
    // The benchmarks live in bench/ beside the program, whose folder holds the pictures.
    enter_program_folder();
    std::filesystem::current_path("..");
    if (!open_graphics(800, 608, 0, 0, 0)) {
        std::fprintf(stderr, "zedoria: room_bench: no display\n");
        return 1;
    }
    set_blend(3);
    restore_data(room_map_data);
    TRoom::read_room_map();
    TRoom::load_tile_images();
    window_picture = make_window_picture(*tile_images[0]);
    bench_room_pass("room floor + rows", draw_floor_and_rows);
    bench_room_pass("  floor pass alone (475 draws of one picture)", TRoom::draw_floor);
    bench_room_pass("  row pass alone", TRoom::draw_room_rows);
    bench_room_pass("  one picture of the window's size", draw_window_picture);
    bench_room_pass("  clear + read-back only", [] {});
    set_plain_drawing(true); // as the runtime drew before it reduced its quads
    bench_room_pass("plainly (each draw one quad): room floor + rows", draw_floor_and_rows);
    bench_room_pass("plainly: floor pass alone", TRoom::draw_floor);
    bench_room_pass("plainly: one picture of the window's size", draw_window_picture);
    set_plain_drawing(false);
    bench_seat_distances();
}
