// platform.h -- the small contract between the runtime and the machine it runs on.
//
// Two implementations exist, chosen at link time: platform_sdl.cpp for the program (a real
// window, the real clock, SDL events and an SDL timer) and platform_script.cpp for tests (a
// virtual clock, scripted input, and still real drawing into SDL's offscreen GL context). The
// rest of the runtime calls only these functions; the game above it never asks which it runs on.
// Input arrives through the event_* entry points of runtime/events.h, called from inside
// platform_poll_events and platform_wait_events.
#pragma once

struct TViewRect {
    int x, y, width, height; // where the game's picture lands in the drawable, in drawable pixels
};

// Opens the one window (fullscreen = false: exact client size, title bar, close box, not
// resizable; true: desktop full screen with the picture scaled to fit, aspect kept) with an OpenGL
// compatibility context made current. Returns false when no display can be created.
bool platform_open_display(int width, int height, bool fullscreen, const char* title);
void platform_close_display();               // closes the window and its context, if any
TViewRect platform_view_rect();              // the letterbox of the game picture in the drawable
void platform_drawable_size(int* w, int* h); // the drawable's full size in pixels
void platform_present(bool vsync);           // swaps the back buffer to the screen
void platform_move_pointer(int x, int y);    // warps the pointer, in game pixels
void platform_poll_events();                 // delivers every pending event; never blocks
void platform_wait_events();                 // sleeps until an event is pending, then delivers
int platform_millisecs();                    // milliseconds since the machine started (wraps)
void platform_sleep(int ms);                 // sleeps at least ms milliseconds
void platform_start_ticks(int period_ms);    // starts the periodic tick (event_timer_tick)
[[noreturn]] void platform_exit(int status); // ends the process
