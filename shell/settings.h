// settings.h -- the two settings (volume and full screen), their file "data/optionen.txt" (the
// user's own ~/.config/zedoria/optionen.txt for an installed game) and the menu's settings view.
//
// Start-up reads the file before the window opens; the settings view's "Übernehmen" saves and
// reads back (applying a changed full-screen flag at once), "Zurück" reads back to discard.
// The file: the volume as "%#.9g" text, then the flag as 0 or 1, each line ending in CR LF.
// Every reading and every drag of the slider hands the volume to the sounds at once.
#pragma once

#include "shell/title_menu.h"

extern float sound_volume; // 0 to 1 from the slider (a value read from the file is kept as is)
extern int fullscreen;     // non-zero: the game shows full screen ("An"); 0: a window ("Aus")

// Saves both values safely: the old file stays whole until the new one is complete. A save that
// fails leaves the old file and says so on standard error.
void write_settings();
// Reads both values from the file; a missing file gives the start values (0.8, 0). Mode -1 only
// reads; any other mode also re-opens the display when the flag read differs from it.
void read_settings(int mode);
// F11 on any screen: opens the other kind of display at once (window or full screen) and saves
// the kind shown in the file, whose volume line stays as the file has it (the start volume when
// there is no file). The switch shows the new kind; the volume in force stays.
void switch_display_kind();
void settings_view(TMenuState& menu); // one frame: slider, switch, "Übernehmen" and "Zurück"
