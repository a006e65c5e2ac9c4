// platform_script.h -- the test platform: a virtual clock and scripted input.
//
// Linked into the tests instead of platform_sdl.cpp. Drawing is real (SDL's offscreen video
// driver, Mesa's software GL); time moves only when the game waits for its frame tick (each wait
// jumps to the next tick) or when a test moves it; events go into a queue and reach the game the
// next time it polls, exactly as window events would.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Thrown by end_program (and the close box) so that a test can see the program end.
struct TProgramEnd {
    int status;
};

void script_key_press(int code); // queues a key press (the key stays down until released)
void script_key_release(int code);
void script_mouse_move(int x, int y); // in game pixels
void script_mouse_press(int button);
void script_mouse_release(int button);
void script_tap(int code);       // a key pressed and released again
void script_char(int code);      // a typed character (its code), as text input delivers it
void script_click(int x, int y); // the pointer moved to (x, y), the left button clicked
void script_focus(bool gained);  // application activated or deactivated
void script_close_window();      // the close box
void script_set_clock(int ms);   // sets millisecs; ticks due by then arrive at the next poll
void script_advance_clock(int ms);
long script_waits(); // how many times the game waited for a tick so far
// Called each time the game waits for its frame tick, before the clock moves on: a test injects
// the next frame's input there, inspects the state, or throws to stop the run.
void script_on_wait(std::function<void()> hook);
// Finishes the wait the game is in as if its tick had come: the clock moves to the tick's time and
// the tick is delivered. A test that stops a run from inside a wait calls it, so that the next
// run starts with a fresh frame instead of finding a tick left over.
void script_complete_wait();
// The usable area of the screen that a window opened from now on may take (at first 1024 x 768,
// where the game's window opens at 1x).
void script_display_area(int width, int height);
// The picture drawn so far as RGBA rows, top row first, in game pixels; read before present_frame.
std::vector<uint32_t> script_read_pixels(int x, int y, int w, int h);
// The window's whole back buffer as the screen shows it (the picture scaled), in window pixels;
// read after present_frame, which leaves the offscreen surface's buffer as it showed it.
std::vector<uint32_t> script_read_window(int x, int y, int w, int h);
void script_window_size(int* width, int* height); // the open window's size in pixels
uint32_t script_pixel(int x, int y);              // one pixel of the back buffer as 0xRRGGBB
