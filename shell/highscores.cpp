// highscores.cpp -- reading the highscore file into highscore_table, and the view that shows it.
#include "shell/highscores.h"

#include <cstdio>
#include <cstring>

#include "runtime/files.h"
#include "runtime/paths.h"

TString highscore_table[10][2];

TString highscore_time_text(int seconds) {
    TString text = int_to_string(seconds / 60) + u":";
    if (seconds % 60 < 10) text += u"0";
    return text + int_to_string(seconds % 60);
}

// The name is everything before the line's first comma, the seconds everything after it. A line
// without a comma is all name, with no time.
static void read_entry(const TString& line, TString entry[2]) {
    size_t comma = line.find(u',');
    entry[0] = line.substr(0, comma);
    int seconds = comma == TString::npos ? 0 : string_to_int(line.substr(comma + 1));
    entry[1] = highscore_time_text(seconds);
}

// A missing or unreadable file reads as empty: ten empty entries with 0:00. The user's own table
// is read once it exists, the shipped one until then.
void read_highscores() {
    TString path = path_to_read(u"data/highscore.dat", TUserFolder::data);
    auto file = open_read_file(path);
    if (!file->handle)
        std::fprintf(stderr, "zedoria: cannot read %s: %s\n", native_path(path).c_str(),
                     std::strerror(file->open_error));
    read_line(file.get()); // the first line is a heading
    for (auto& entry : highscore_table) read_entry(read_line(file.get()), entry);
    report_short_file(file.get(), path, 11);
    close_file(file.get());
}

void highscore_view(TMenuState& menu) {
    for (int i = 0; i < 10; ++i)
        menu_text_line(highscore_table[i][0] + u"   -   " + highscore_table[i][1], i + 3);
    if (menu_button(u"Zurück", 14, 0)) menu.menu_mode = MENU_MAIN;
}
