// highscores.cpp -- the highscore file: reading it into highscore_table, ranking and saving an
// evening's entry, and the view that shows the table.
#include "shell/highscores.h"

#include <cstdio>
#include <cstring>

#include "runtime/files.h"
#include "runtime/paths.h"
#include "runtime/safe_save.h"

TString highscore_table[10][2];
int highscore_marked[10];

static const TString highscore_file = u"data/highscore.dat"; // beside the program, or the user's
static std::vector<THighscoreEntry> saved_this_run; // the entries this run added to the table

TString highscore_time_text(int seconds) {
    TString text = int_to_string(seconds / 60) + u":";
    if (seconds % 60 < 10) text += u"0";
    return text + int_to_string(seconds % 60);
}

// The name is everything before the line's first comma, the seconds everything after it. A line
// without a comma is all name, with no time.
THighscoreEntry parse_highscore_line(const TString& line) {
    size_t comma = line.find(u',');
    return {line.substr(0, comma),
            comma == TString::npos ? 0 : string_to_int(line.substr(comma + 1))};
}

// Each entry saved in this run marks the first row that shows it.
static void mark_saved_entries(const THighscoreEntry (&entries)[10]) {
    for (int& marked : highscore_marked) marked = 0;
    for (const THighscoreEntry& saved : saved_this_run) {
        for (int i = 0; i < 10; ++i) {
            if (highscore_marked[i] || entries[i].name != saved.name ||
                entries[i].seconds != saved.seconds)
                continue;
            highscore_marked[i] = 1;
            break;
        }
    }
}

// A missing or unreadable file reads as empty: ten empty entries with 0:00. The user's own table
// is read once it exists, the shipped one until then.
void read_highscores() {
    TString path = path_to_read(highscore_file, TUserFolder::data);
    auto file = open_read_file(path);
    if (!file->handle)
        std::fprintf(stderr, "zedoria: cannot read %s: %s\n", native_path(path).c_str(),
                     std::strerror(file->open_error));
    read_line(file.get()); // the first line is a heading
    THighscoreEntry entries[10];
    for (int i = 0; i < 10; ++i) {
        entries[i] = parse_highscore_line(read_line(file.get()));
        highscore_table[i][0] = entries[i].name;
        highscore_table[i][1] = highscore_time_text(entries[i].seconds);
    }
    report_short_file(file.get(), path, 11);
    close_file(file.get());
    mark_saved_entries(entries);
}

THighscoreFile read_highscore_file() {
    THighscoreFile table;
    auto file = open_read_file(path_to_read(highscore_file, TUserFolder::data));
    table.heading = file->size == 0 ? TString(u"Bestenliste") : read_line(file.get());
    for (int i = 0; i < 10; ++i) {
        TString line = read_line(file.get());
        if (!line.empty()) table.lines.push_back(line);
    }
    close_file(file.get());
    return table;
}

bool score_enters_table(const THighscoreFile& table, int score) {
    return table.lines.size() < 10 || score > parse_highscore_line(table.lines[9]).seconds;
}

int insert_highscore(THighscoreFile& table, const TString& name, int score) {
    size_t at = 0; // after every entry with at least as many seconds
    for (size_t i = 0; i < table.lines.size(); ++i)
        if (parse_highscore_line(table.lines[i]).seconds >= score) at = i + 1;
    table.lines.insert(table.lines.begin() + long(at), name + u"," + int_to_string(score));
    if (table.lines.size() > 10) table.lines.resize(10);
    return at < 10 ? int(at) + 1 : 0;
}

int save_highscore(const TString& name, int score) {
    THighscoreFile table = read_highscore_file();
    int rank = insert_highscore(table, name, score);
    if (rank == 0) return 0;
    TString path = path_to_write(highscore_file, TUserFolder::data);
    auto file = open_safe_write_file(path);
    write_line(file.get(), table.heading);
    for (const TString& line : table.lines) write_line(file.get(), line);
    if (int failed = commit_safe_write(std::move(file), path)) {
        std::fprintf(stderr, "zedoria: cannot save %s: %s; the old table stays\n",
                     native_path(path).c_str(), std::strerror(failed));
        return 0;
    }
    saved_this_run.push_back({name, score});
    return rank;
}

void highscore_view(TMenuState& menu) {
    for (int i = 0; i < 10; ++i)
        menu_text_line(highscore_table[i][0] + u"   -   " + highscore_table[i][1], i + 3,
                       highscore_marked[i] ? saved_entry_color : label_color);
    if (menu_button(u"Zurück", 14, 0)) menu.menu_mode = MENU_MAIN;
}
