// sounds.h -- the game's sounds: one table of their files under "sfx/", loaded once at start-up.
// It lives with the characters, who play most of them, so that the shell and the characters both
// reach it downward.
//
// load_game_resources opens the sound device and loads the table after the pictures; each
// subsystem then plays its own events by name: the guests' arrival, eating and giving up, the
// host's plates, the cook's cooking, the menu's clicks and the closing tune.
#pragma once

#include "runtime/sound.h"

enum TGameSound : int {
    SOUND_DOOR_BELL,      // a guest comes in at the door
    SOUND_PLATE_LIFTED,   // the host takes a dish
    SOUND_PLATE_SET_DOWN, // the host serves a dish
    SOUND_SIZZLE,         // the cook starts cooking
    SOUND_CHIME,          // a guest starts eating
    SOUND_SIGH,           // a guest gives up
    SOUND_MENU_TICK,      // a menu bar is clicked, the volume slider passes a tenth
    SOUND_CLOSING_TUNE,   // the closing picture appears
    SOUND_COUNT
};

extern TSoundPtr game_sounds[SOUND_COUNT]; // by TGameSound; null: that sound is silent

void load_game_sounds();                // opens the sound device and loads every sound once
void play_game_sound(TGameSound sound); // starts one copy of the sound (see play_sound)
