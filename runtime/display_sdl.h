// display_sdl.h -- what the two SDL platforms share of the window code beyond the contract, and
// what each of them provides to it.
#pragma once

// Maps a pointer position in window coordinates to game pixels (at every scale, and full screen).
void display_window_to_game(int wx, int wy, int* gx, int* gy);
// Warps the pointer to a position in game pixels; the window system then reports the move.
void display_move_pointer(int x, int y);
unsigned display_window_id(); // the open window's SDL id; 0 when none is open

// Provided by each platform (platform_sdl.cpp, platform_script.cpp):
// Starts SDL's video, once: the program's on a real screen only, the tests' offscreen. False when
// it cannot start (the program's platform then ends the program, having said why).
bool display_start_video();
// The part of the screen that a window may take (the desktop without its panels); false when it
// is not known.
bool display_usable_area(int* width, int* height);
