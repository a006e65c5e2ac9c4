// platform.h -- the small contract between the runtime and the machine it runs on.
//
// Two implementations exist, chosen at link time: platform_sdl.cpp for the program (a real
// window, the real clock, SDL events and an SDL timer) and platform_script.cpp for tests (a
// virtual clock, scripted input, and still real drawing into SDL's offscreen GL context). The
// rest of the runtime calls only these functions; the game above it never asks which it runs on.
// Input arrives through the event_* entry points of runtime/events.h, called from inside
// platform_poll_events and platform_wait_events.
#pragma once

// Opens the one window (fullscreen = false: title bar, close box, not resizable, its client area
// the largest whole scale of width x height that fits the screen; true: desktop full screen with
// the picture scaled to fit, aspect kept) with an OpenGL compatibility context made current.
// Whatever the screen shows, the runtime draws the width x height picture at its own size into
// the bottom-left corner of the back buffer (GL coordinates 0, 0 to width, height), and
// platform_present shows it scaled. Returns false when no display can be created.
bool platform_open_display(int width, int height, bool fullscreen, const char* title);
void platform_close_display();               // closes the window and its context, if any
void platform_present(bool vsync);           // shows the picture (scaled) and swaps the buffers
void platform_move_pointer(int x, int y);    // warps the pointer, in game pixels
void platform_poll_events();                 // delivers every pending event; never blocks
void platform_wait_events();                 // sleeps until an event is pending, then delivers
int platform_millisecs();                    // milliseconds since the machine started (wraps)
void platform_sleep(int ms);                 // sleeps at least ms milliseconds
void platform_start_ticks(int period_ms);    // starts the periodic tick (event_timer_tick)
[[noreturn]] void platform_exit(int status); // ends the process
