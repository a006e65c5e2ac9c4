// highscores_fuzz.cpp -- fuzzes read_highscores on any "data/highscore.dat".
//
// Each input is the highscore file. After reading it, every entry of highscore_table must be
// what its line says: the name is the line up to its first comma, and the time text is that of
// the seconds after the comma (none: 0:00), whatever bytes the file holds.
#include "fuzz/fuzz_files.h"
#include "runtime/files.h"
#include "shell/highscores.h"

namespace {

// The file's lines 2 to 11 as the game's reader sees them.
void read_entry_lines(TString lines[10]) {
    auto file = open_read_file(u"data/highscore.dat");
    read_line(file.get());
    for (int i = 0; i < 10; ++i) lines[i] = read_line(file.get());
}

void check_entry(const TString& line, const TString entry[2]) {
    size_t comma = line.find(u',');
    fuzz_check(entry[0] == line.substr(0, comma), "the name is the line up to its first comma");
    fuzz_check(entry[0].find(u',') == TString::npos, "a name holds no comma");
    int seconds = comma == TString::npos ? 0 : string_to_int(line.substr(comma + 1));
    fuzz_check(entry[1] == highscore_time_text(seconds), "the time is that of the seconds");
    fuzz_check(entry[1].find(u':') != TString::npos, "a time text holds minutes and seconds");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    TInFuzzFolder in_folder;
    write_fuzz_file("data/highscore.dat", data, size);
    read_highscores();
    TString lines[10];
    read_entry_lines(lines);
    for (int i = 0; i < 10; ++i) check_entry(lines[i], highscore_table[i]);
    return 0;
}
