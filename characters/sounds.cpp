// sounds.cpp -- the game's sound table: each sound's file and how many copies may play at once.
#include "characters/sounds.h"

TSoundPtr game_sounds[SOUND_COUNT];

// One sound of the table. A sound retriggered faster than it lasts (a flood of guests, the menu
// ticks of a slider drag) plays at most `max_copies` times over itself, so it never stacks up.
struct TSoundFile {
    TGameSound sound;
    const char16_t* path;
    int max_copies;
};

static const TSoundFile sound_files[SOUND_COUNT] = {
    {SOUND_DOOR_BELL, u"sfx/door_bell.wav", 1},
    {SOUND_PLATE_LIFTED, u"sfx/plate_lifted.wav", 2},
    {SOUND_PLATE_SET_DOWN, u"sfx/plate_set_down.wav", 2},
    {SOUND_SIZZLE, u"sfx/sizzle.wav", 1},
    {SOUND_CHIME, u"sfx/chime.wav", 2},
    {SOUND_SIGH, u"sfx/sigh.wav", 2},
    {SOUND_MENU_TICK, u"sfx/menu_tick.wav", 1},
    {SOUND_CLOSING_TUNE, u"sfx/closing_tune.wav", 1},
};

void load_game_sounds() {
    if (!open_sound()) return; // said once; every sound stays null and silent
    for (const TSoundFile& file : sound_files)
        game_sounds[file.sound] = load_sound(file.path, file.max_copies);
}

void play_game_sound(TGameSound sound) {
    play_sound(game_sounds[sound].get());
}
