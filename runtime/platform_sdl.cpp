// platform_sdl.cpp -- the program's platform: the real clock, SDL's events and an SDL timer.
#include <SDL2/SDL.h>

#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "runtime/display_sdl.h"
#include "runtime/events.h"
#include "runtime/platform.h"
#include "runtime/strings.h"

static Uint32 tick_event = (Uint32)-1; // the SDL user event that the timer thread posts
static bool sdl_ready;                 // SDL's event and timer subsystems are running

static void ensure_sdl() {
    if (sdl_ready) return;
    if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0)
        std::fprintf(stderr, "zedoria: cannot start SDL: %s\n", SDL_GetError());
    std::atexit(SDL_Quit);
    sdl_ready = true;
}

// SDL's drivers that show a window on a desktop, with the variable that names their display.
// Its other drivers show nothing (offscreen, dummy) or take over a console; the program never
// runs on unseen.
static const struct {
    const char* driver;
    const char* variable;
} desktop_drivers[] = {
    {"x11", "DISPLAY"},
    {"wayland", "WAYLAND_DISPLAY"},
};

// Why no desktop driver started: the display variables unset, or those set not answering.
static std::string no_display_reason() {
    std::string set;
    for (const auto& d : desktop_drivers)
        if (const char* value = std::getenv(d.variable); value && *value)
            set += (set.empty() ? "" : " or ") + std::string(d.variable) + "=" + value;
    return set.empty() ? "DISPLAY and WAYLAND_DISPLAY are unset" : "cannot connect to " + set;
}

// Tries the desktop drivers in SDL's own order, each only where its display is named (and over
// an SDL_VIDEODRIVER of the environment, which could name an invisible one).
static bool start_desktop_video() {
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i)
        for (const auto& d : desktop_drivers) {
            const char* value = std::getenv(d.variable);
            if (std::strcmp(SDL_GetVideoDriver(i), d.driver) != 0 || !value || !*value) continue;
            SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, d.driver, SDL_HINT_OVERRIDE);
            if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
        }
    return false;
}

// A game without a screen can neither be played nor left: it says why and ends at once.
bool display_start_video() {
    if (SDL_WasInit(SDL_INIT_VIDEO) || start_desktop_video()) return true;
    std::fprintf(stderr, "zedoria: cannot open a window: no graphical display found (%s)\n",
                 no_display_reason().c_str());
    platform_exit(1);
}

bool display_usable_area(int* width, int* height) {
    SDL_Rect area;
    if (SDL_GetDisplayUsableBounds(0, &area) != 0) return false;
    *width = area.w;
    *height = area.h;
    return true;
}

// The machine's own millisecond counter since it started (suspended time included), so that the
// clock seeds the generator differently in every run. Wraps as a 32-bit int, as the game's
// due-time comparisons expect.
int platform_millisecs() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return int(uint32_t(uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u));
}

void platform_sleep(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Runs on SDL's timer thread: it only posts an event; the tick is counted on the main thread.
static Uint32 post_tick(Uint32 interval, void*) {
    SDL_Event e{};
    e.type = tick_event;
    SDL_PushEvent(&e);
    return interval;
}

void platform_start_ticks(int period_ms) {
    ensure_sdl();
    if (tick_event == (Uint32)-1) tick_event = SDL_RegisterEvents(1);
    SDL_AddTimer(Uint32(period_ms), post_tick, nullptr);
}

// Windows virtual-key codes by SDL scancode, for the keys that have no code by position rule.
static int virtual_key(const SDL_Keysym& k) {
    SDL_Scancode s = k.scancode;
    if (s >= SDL_SCANCODE_A && s <= SDL_SCANCODE_Z) return 'A' + (s - SDL_SCANCODE_A);
    if (s >= SDL_SCANCODE_1 && s <= SDL_SCANCODE_9) return '1' + (s - SDL_SCANCODE_1);
    if (s >= SDL_SCANCODE_F1 && s <= SDL_SCANCODE_F12) return 112 + (s - SDL_SCANCODE_F1);
    if (s >= SDL_SCANCODE_KP_1 && s <= SDL_SCANCODE_KP_9) return 97 + (s - SDL_SCANCODE_KP_1);
    static const struct {
        SDL_Scancode scancode;
        int code;
    } table[] = {
        {SDL_SCANCODE_0, '0'},
        {SDL_SCANCODE_KP_0, 96},
        {SDL_SCANCODE_BACKSPACE, 8},
        {SDL_SCANCODE_TAB, 9},
        {SDL_SCANCODE_RETURN, 13},
        {SDL_SCANCODE_KP_ENTER, 13},
        {SDL_SCANCODE_PAUSE, 19},
        {SDL_SCANCODE_CAPSLOCK, 20},
        {SDL_SCANCODE_ESCAPE, 27},
        {SDL_SCANCODE_SPACE, 32},
        {SDL_SCANCODE_PAGEUP, 33},
        {SDL_SCANCODE_PAGEDOWN, 34},
        {SDL_SCANCODE_END, 35},
        {SDL_SCANCODE_HOME, 36},
        {SDL_SCANCODE_LEFT, 37},
        {SDL_SCANCODE_UP, 38},
        {SDL_SCANCODE_RIGHT, 39},
        {SDL_SCANCODE_DOWN, 40},
        {SDL_SCANCODE_PRINTSCREEN, 44},
        {SDL_SCANCODE_INSERT, 45},
        {SDL_SCANCODE_DELETE, 46},
        {SDL_SCANCODE_KP_MULTIPLY, 106},
        {SDL_SCANCODE_KP_PLUS, 107},
        {SDL_SCANCODE_KP_MINUS, 109},
        {SDL_SCANCODE_KP_PERIOD, 110},
        {SDL_SCANCODE_KP_DIVIDE, 111},
        {SDL_SCANCODE_NUMLOCKCLEAR, 144},
        {SDL_SCANCODE_SCROLLLOCK, 145},
        {SDL_SCANCODE_LSHIFT, 160},
        {SDL_SCANCODE_RSHIFT, 161},
        {SDL_SCANCODE_LCTRL, 162},
        {SDL_SCANCODE_RCTRL, 163},
        {SDL_SCANCODE_LALT, 164},
        {SDL_SCANCODE_RALT, 165},
        {SDL_SCANCODE_SEMICOLON, 186},
        {SDL_SCANCODE_EQUALS, 187},
        {SDL_SCANCODE_COMMA, 188},
        {SDL_SCANCODE_MINUS, 189},
        {SDL_SCANCODE_PERIOD, 190},
        {SDL_SCANCODE_SLASH, 191},
        {SDL_SCANCODE_GRAVE, 192},
        {SDL_SCANCODE_LEFTBRACKET, 219},
        {SDL_SCANCODE_BACKSLASH, 220},
        {SDL_SCANCODE_RIGHTBRACKET, 221},
        {SDL_SCANCODE_APOSTROPHE, 222},
    };
    for (const auto& entry : table)
        if (entry.scancode == s) return entry.code;
    return 0;
}

// Typed text arrives as UTF-8; the character queue takes one code per character.
static void deliver_text(const char* utf8) {
    for (char32_t code : utf8_to_code_points(utf8)) event_char(int(code));
}

static void deliver(const SDL_Event& e) {
    int gx, gy;
    switch (e.type) {
    case SDL_KEYDOWN:
        event_key_down(virtual_key(e.key.keysym), e.key.repeat != 0);
        break;
    case SDL_KEYUP:
        event_key_up(virtual_key(e.key.keysym));
        break;
    case SDL_TEXTINPUT:
        deliver_text(e.text.text);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        int b = e.button.button == SDL_BUTTON_LEFT     ? 1
                : e.button.button == SDL_BUTTON_RIGHT  ? 2
                : e.button.button == SDL_BUTTON_MIDDLE ? 3
                                                       : 0;
        if (b == 0) break;
        bool down = e.type == SDL_MOUSEBUTTONDOWN;
        SDL_CaptureMouse(down ? SDL_TRUE : SDL_FALSE);
        down ? event_mouse_down(b) : event_mouse_up(b);
        break;
    }
    case SDL_MOUSEMOTION:
        display_window_to_game(e.motion.x, e.motion.y, &gx, &gy);
        event_mouse_move(gx, gy);
        break;
    case SDL_MOUSEWHEEL:
        event_mouse_wheel(e.wheel.y * 120);
        break;
    case SDL_WINDOWEVENT:
        if (e.window.windowID != display_window_id()) break; // a window closed since
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) event_focus(true);
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) event_focus(false);
        break;
    case SDL_QUIT:
        event_quit_request();
        break;
    default:
        if (e.type == tick_event) event_timer_tick();
        break;
    }
}

void platform_move_pointer(int x, int y) {
    display_move_pointer(x, y);
}

void platform_poll_events() {
    ensure_sdl();
    SDL_Event e;
    while (SDL_PollEvent(&e)) deliver(e);
}

void platform_wait_events() {
    ensure_sdl();
    SDL_Event e;
    if (SDL_WaitEvent(&e)) deliver(e);
    platform_poll_events();
}

// The display is closed first, while the renderer is known to be idle, rather than by SDL's and
// Xlib's exit handlers (see platform_close_display).
void platform_exit(int status) {
    platform_close_display();
    std::exit(status);
}
