// highscores.h -- the highscore list: reading "data/highscore.dat" and the menu's highscore view.
//
// The main view's "Highscore" calls read_highscores and then switches to the view; the game
// never writes the file. The file: a first line that is ignored, then ten lines of a name, a
// comma and a number of seconds.
#pragma once

#include "runtime/strings.h"
#include "shell/title_menu.h"

// [entry][0] the name, [entry][1] the time text; ten entries in file order, all empty at start.
extern TString highscore_table[10][2];

void read_highscores();                   // fills highscore_table from the file, entry by entry
void highscore_view(TMenuState& menu);    // one frame: the ten entries and "Zurück"
TString highscore_time_text(int seconds); // 125 -> "2:05", 3600 -> "60:00", -5 -> "0:0-5"
