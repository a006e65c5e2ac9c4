// name_entry.cpp -- typing the player's name into the highscore table over the closing picture.
#include "shell/name_entry.h"

#include "runtime/clock.h"
#include "runtime/input.h"
#include "scoring/hud.h"
#include "shell/highscores.h"
#include "shell/title_menu.h"

TString entry_name;
int entry_offered = 0;
int entry_rank = 0;
static int entry_showing = 0; // 1 from a showing's first frame until play is left

bool name_char_allowed(int ch) {
    return ((ch >= 32 && ch <= 126) || (ch >= 160 && ch <= 255)) && ch != ',';
}

// A showing starts: what was typed or pressed during play (Space serves and types a blank) is
// not part of the name, and the table decides afresh whether the points enter it.
static void begin_showing() {
    entry_showing = 1;
    while (typed_char() != 0) {}
    key_hit(KEY_BACKSPACE);
    key_hit(KEY_ENTER);
    entry_offered = entry_rank == 0 && score_enters_table(read_highscore_file(), score) ? 1 : 0;
}

static void take_typing() {
    for (int ch = typed_char(); ch != 0; ch = typed_char())
        if (name_char_allowed(ch) && entry_name.size() < NAME_MAX_LENGTH)
            entry_name += char16_t(ch);
    for (int n = key_hit(KEY_BACKSPACE); n > 0 && !entry_name.empty(); --n) entry_name.pop_back();
    if (key_hit(KEY_ENTER) == 0 || entry_name.empty()) return;
    entry_rank = save_highscore(entry_name, score); // 0: not saved, still offered
    if (entry_rank != 0) entry_offered = 0;
}

void name_entry_frame() {
    if (!entry_showing) begin_showing();
    if (entry_offered) take_typing();
    if (entry_rank != 0) {
        menu_long_text_line(u"Platz " + int_to_string(entry_rank), NAME_ENTRY_ROW);
    } else if (entry_offered) {
        TString text = u"Punkte: " + int_to_string(score) + u"   Dein Name: " + entry_name + u"_";
        bool cursor_on = (unsigned(millisecs()) / 500) % 2 == 0; // on and off every half second
        menu_long_text_line(text, NAME_ENTRY_ROW, cursor_on ? -1 : int(text.size()) - 1);
    }
}

void name_entry_leave() {
    entry_showing = 0;
}

void name_entry_reset() {
    entry_name.clear();
    entry_offered = 0;
    entry_rank = 0;
    entry_showing = 0;
}
