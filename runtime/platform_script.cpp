// platform_script.cpp -- the test platform: virtual clock, scripted events, offscreen drawing.
#include "runtime/platform_script.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <cstdio>
#include <deque>

#include "runtime/display_sdl.h"
#include "runtime/events.h"
#include "runtime/graphics.h"
#include "runtime/platform.h"

// The offscreen driver gives a GL context with no display; set before SDL starts its video.
static const bool offscreen_driver = SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
// Tests are silent: SDL's dummy audio device mixes into nothing. A test that listens names
// another driver in SDL_AUDIODRIVER, which takes precedence over this hint.
static const bool dummy_audio = SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");

static int clock_ms;                                 // the virtual millisecs
static int usable_width = 1024, usable_height = 768; // the screen a window may take
static int tick_period;                              // 0 until the game starts its tick
static int next_tick;                                // virtual time of the next tick
static long waits;                                   // waits for a tick so far
static std::deque<std::function<void()>> pending;    // queued events, delivered at the next poll
static std::function<void()> wait_hook;              // the test's per-wait callback

static void queue(std::function<void()> event) {
    pending.push_back(std::move(event));
}

void script_key_press(int code) {
    queue([code] { event_key_down(code, false); });
}
void script_key_release(int code) {
    queue([code] { event_key_up(code); });
}
void script_mouse_move(int x, int y) {
    queue([x, y] { event_mouse_move(x, y); });
}
void script_mouse_press(int b) {
    queue([b] { event_mouse_down(b); });
}
void script_mouse_release(int b) {
    queue([b] { event_mouse_up(b); });
}
void script_tap(int code) {
    script_key_press(code);
    script_key_release(code);
}
void script_char(int code) {
    queue([code] { event_char(code); });
}
void script_click(int x, int y) {
    script_mouse_move(x, y);
    script_mouse_press(1);
    script_mouse_release(1);
}
void script_focus(bool gained) {
    queue([gained] { event_focus(gained); });
}
void script_close_window() {
    queue([] { event_quit_request(); });
}
void script_set_clock(int ms) {
    clock_ms = ms;
}
void script_advance_clock(int ms) {
    clock_ms = int(unsigned(clock_ms) + unsigned(ms));
}
long script_waits() {
    return waits;
}
void script_on_wait(std::function<void()> hook) {
    wait_hook = std::move(hook);
}

void script_display_area(int width, int height) {
    usable_width = width;
    usable_height = height;
}

// A w x h block of the back buffer at (x, y), y downward from the top of a surface `top` pixels
// high whose bottom-left corner is GL's (0, 0); RGBA rows, top row first.
static std::vector<uint32_t> read_rows(int x, int y, int w, int h, int top) {
    std::vector<uint32_t> rows(size_t(w) * size_t(h));
    std::vector<uint32_t> flipped(rows.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadBuffer(GL_BACK);
    glReadPixels(x, top - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, flipped.data());
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) rows[size_t(r) * w + c] = flipped[size_t(h - 1 - r) * w + c];
    return rows;
}

std::vector<uint32_t> script_read_pixels(int x, int y, int w, int h) {
    flush_drawing();  // image draws are batched: send them before reading
    GLint picture[4]; // the viewport is the picture's corner of the back buffer
    glGetIntegerv(GL_VIEWPORT, picture);
    return read_rows(x, y, w, h, picture[3]);
}

void script_window_size(int* width, int* height) {
    SDL_GL_GetDrawableSize(SDL_GL_GetCurrentWindow(), width, height);
}

std::vector<uint32_t> script_read_window(int x, int y, int w, int h) {
    int dw, dh;
    script_window_size(&dw, &dh);
    return read_rows(x, y, w, h, dh);
}

uint32_t script_pixel(int x, int y) {
    uint32_t p = script_read_pixels(x, y, 1, 1)[0];
    const auto* b = reinterpret_cast<const unsigned char*>(&p);
    return uint32_t(b[0]) << 16 | uint32_t(b[1]) << 8 | b[2];
}

bool display_start_video() {
    (void)offscreen_driver;
    if (SDL_WasInit(SDL_INIT_VIDEO) || SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
    std::fprintf(stderr, "zedoria: cannot open the display: %s\n", SDL_GetError());
    return false;
}

bool display_usable_area(int* width, int* height) {
    *width = usable_width;
    *height = usable_height;
    return true;
}

int platform_millisecs() {
    return clock_ms;
}
void platform_sleep(int ms) {
    script_advance_clock(ms > 0 ? ms : 0);
}

void platform_start_ticks(int period_ms) {
    tick_period = period_ms;
    next_tick = clock_ms + period_ms;
}

// The real window system reports a warped pointer as a move; so does the script, at the next poll.
void platform_move_pointer(int x, int y) {
    script_mouse_move(x, y);
}

void platform_poll_events() {
    (void)dummy_audio;
    while (!pending.empty()) {
        auto event = std::move(pending.front());
        pending.pop_front();
        event();
    }
    // Every tick whose time has come arrives at once, as queued timer messages would.
    while (tick_period && clock_ms - next_tick >= 0) {
        next_tick += tick_period;
        event_timer_tick();
    }
}

void platform_wait_events() {
    // The offscreen surface's swap hands nothing to the software renderer, which then queues the
    // work of frame after frame (hundreds of megabytes in a long evening); finish each frame here.
    glFinish();
    ++waits;
    if (wait_hook) wait_hook();
    if (tick_period && clock_ms - next_tick < 0) clock_ms = next_tick;
    platform_poll_events();
}

void script_complete_wait() {
    if (tick_period && clock_ms - next_tick < 0) clock_ms = next_tick;
    platform_poll_events();
}

void platform_exit(int status) {
    throw TProgramEnd{status};
}
