// display_sdl.h -- what the two SDL platforms share of the window code beyond the contract.
#pragma once

// Maps a pointer position in window coordinates to game pixels (full screen is letterboxed).
void display_window_to_game(int wx, int wy, int* gx, int* gy);
// Warps the pointer to a position in game pixels; the window system then reports the move.
void display_move_pointer(int x, int y);
