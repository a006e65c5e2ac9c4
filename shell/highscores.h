// highscores.h -- the highscore list: reading "data/highscore.dat", adding an evening's entry to
// it, and the menu's highscore view.
//
// The main view's "Highscore" calls read_highscores and then switches to the view; the name entry
// over the closing picture (shell/name_entry.h) asks whether the evening's points enter the table
// and saves the entry. The file: a first line that is a heading, then ten lines of a name, a
// comma and a number of seconds, best first.
#pragma once

#include <vector>

#include "runtime/strings.h"
#include "shell/title_menu.h"

// [entry][0] the name, [entry][1] the time text; ten entries in file order, all empty at start.
extern TString highscore_table[10][2];
extern int highscore_marked[10]; // 1 where the row shows an entry saved in this run (dark red)

struct THighscoreEntry {
    TString name; // everything before the line's first comma
    int seconds;  // the number after it
};

// The file as saving sees it: the heading and the entry lines that are not empty, in file order.
struct THighscoreFile {
    TString heading; // the first line as it was; "Bestenliste" for a missing or empty file
    std::vector<TString> lines; // at most ten, as read (CR dropped)
};

void read_highscores();                   // fills highscore_table from the file, entry by entry
void highscore_view(TMenuState& menu);    // one frame: the ten entries and "Zurück"
TString highscore_time_text(int seconds); // 125 -> "2:05", 3600 -> "60:00", -5 -> "0:0-5"
THighscoreEntry parse_highscore_line(const TString& line); // "Dora,90,x" -> Dora, 90
THighscoreFile read_highscore_file();                      // a missing file reads as empty
// 1 when the table has fewer than ten entries or score beats the seconds of its tenth.
bool score_enters_table(const THighscoreFile& table, int score);
// Puts name,score after every entry with at least as many seconds and cuts the list to ten.
// Returns the new entry's rank (1 to 10), or 0 when it fell off the end.
int insert_highscore(THighscoreFile& table, const TString& name, int score);
// Reads the file, inserts the entry and saves the file safely (CR LF, the old file whole until
// the new one is complete). Returns the rank, or 0 when the entry did not enter or the save
// failed (said in one line on standard error).
int save_highscore(const TString& name, int score);
