// name_entry.h -- the player's name typed into the highscore table over the closing picture.
//
// Every frame of the closing picture calls name_entry_frame after draw_ending. At the first frame
// of each showing it reads the table; when the evening's points would enter it, a bar offers
// "Punkte: " + points + "   Dein Name: " + the name typed so far + a blinking "_". Enter saves
// the entry; the bar then shows its rank, "Platz N". Leaving play (Escape) ends the showing; an
// entry not yet saved is offered again the next time.
#pragma once

#include "runtime/strings.h"

constexpr int NAME_ENTRY_ROW = 15;  // the bar's menu row: below the long table, hiding no figure
constexpr int NAME_MAX_LENGTH = 16; // characters of a name at most

extern TString entry_name; // the name typed so far
extern int entry_offered;  // 1 while this showing offers the points an entry
extern int entry_rank;     // the rank of this evening's saved entry, 1 to 10; 0 before saving

void name_entry_frame(); // one frame of the closing picture: typing, saving, the bar
void name_entry_leave(); // play was left: the next frame of the closing picture starts a showing
void name_entry_reset(); // a new evening: no name, nothing offered or saved
// Whether a typed character may stand in a name: codes 32 to 126 and 160 to 255, but not the
// comma, which ends a name in the file.
bool name_char_allowed(int ch);
