// platform_script.cpp -- the test platform: virtual clock, scripted events, offscreen drawing.
#include "runtime/platform_script.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <deque>

#include "runtime/events.h"
#include "runtime/graphics.h"
#include "runtime/platform.h"

// The offscreen driver gives a GL context with no display; set before SDL starts its video.
static const bool offscreen_driver = SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
// Tests are silent: SDL's dummy audio device mixes into nothing. A test that listens names
// another driver in SDL_AUDIODRIVER, which takes precedence over this hint.
static const bool dummy_audio = SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");

static int clock_ms;                              // the virtual millisecs
static int tick_period;                           // 0 until the game starts its tick
static int next_tick;                             // virtual time of the next tick
static long waits;                                // waits for a tick so far
static std::deque<std::function<void()>> pending; // queued events, delivered at the next poll
static std::function<void()> wait_hook;           // the test's per-wait callback

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

std::vector<uint32_t> script_read_pixels(int x, int y, int w, int h) {
    flush_drawing(); // image draws are batched: send them before reading
    int dw, dh;
    platform_drawable_size(&dw, &dh);
    std::vector<uint32_t> rows(size_t(w) * size_t(h));
    std::vector<uint32_t> flipped(rows.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadBuffer(GL_BACK);
    glReadPixels(x, dh - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, flipped.data());
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) rows[size_t(r) * w + c] = flipped[size_t(h - 1 - r) * w + c];
    return rows;
}

uint32_t script_pixel(int x, int y) {
    uint32_t p = script_read_pixels(x, y, 1, 1)[0];
    const auto* b = reinterpret_cast<const unsigned char*>(&p);
    return uint32_t(b[0]) << 16 | uint32_t(b[1]) << 8 | b[2];
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

void platform_poll_events() {
    (void)offscreen_driver;
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
