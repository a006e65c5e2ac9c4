// game.h -- the spine of the game: start-up, the main loop and the play frame.
//
// main() calls start_game() once and then run_main_loop(), which never returns; the program ends
// only through end_program(). Tests on the scripted platform call the same functions.
#pragma once

#include "runtime/clock.h"
#include "runtime/graphics.h"
#include "runtime/text.h"

extern int ending_started; // 1 from the frame in which the closing walk began; never cleared
extern int ending_sequence_active; // 1 once the host has reached the head of the table
extern int next_arrival_time;      // millisecs after which the next guest comes in
extern TTickTimer* frame_timer;    // the 30 Hz tick every screen waits on at the end of its frame
extern TGlyphFontPtr ui_font;      // the font of every text of the game (null: the built-in font)
extern TImagePtr door_image;       // the back wall's door of the closing picture, centred handle
extern int display_fullscreen;     // 1 while the open display is the full-screen one, 0 a window

void start_game();                 // every start-up step up to the main loop, in order
void load_game_resources();        // calls every loader of the game once, in a fixed order
[[noreturn]] void run_main_loop(); // title menu and play, alternating until the program ends
void run_play_loop(); // frames of play until Escape is pressed or the window loses the focus
// Puts every piece of the evening back to its start ("Neuer Abend"): the host, the cook, the
// guests and their seats, the dishes, the points, both ending flags, the next arrival in 5 s,
// twelve new closing figures, the generator seeded from the clock. No picture is loaded again.
void start_new_evening();
void play_frame();   // one frame of play: exactly one of its three branches
void finish_frame(); // present, clear, F11 (window or full screen), wait for the next tick
// Opens the 800 x 608 display titled "Zedoria" (full screen when full_screen is non-zero; the
// other kind when that fails) and sets again the drawing state the game relies on: blend 3, mask
// colour (255, 0, 255) and ui_font. Returns false when no display could be opened at all.
bool open_game_display(int full_screen);
