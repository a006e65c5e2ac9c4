// ending_layout_fuzz.cpp -- fuzzes read_ending_layout on any "data/Endpos.txt", and the closing
// picture drawn from what it read.
//
// Each input is the layout file. After reading it, every value of ending_positions must be the
// number on its line (234 lines; missing lines read as 0), and draw_ending must cope with any
// view, piece number and position it holds: out-of-range values pick no image instead of
// indexing past the image tables, which AddressSanitizer would catch. No display is open, so the
// draws themselves are skipped; the figures' choice is the game's own random one.
#include "fuzz/fuzz_files.h"
#include "runtime/files.h"
#include "scoring/ending.h"

namespace {

// Line l (0-based) of block p holds the value of slot j, field f: line 0 the view, lines
// 2 + 4 (j - 1) + f the piece, x and y of slot j; lines 1, 5, 9, 13 and 17 are ignored.
void check_block(TFileStream* file, int p) {
    TString block[18];
    for (TString& line : block) line = read_line(file);
    fuzz_check(ending_positions[p][0][0] == string_to_int(block[0]), "the view is its line");
    for (int j = 1; j <= ENDING_SLOTS; ++j)
        for (int f = 0; f < 3; ++f)
            fuzz_check(ending_positions[p][j][f] == string_to_int(block[2 + 4 * (j - 1) + f]),
                       "a piece value is its line");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    choose_ending_figures();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    TInFuzzFolder in_folder;
    write_fuzz_file("data/Endpos.txt", data, size);
    read_ending_layout();
    auto file = open_read_file(u"data/Endpos.txt");
    for (int p = 0; p < ENDING_PLACES; ++p) check_block(file.get(), p);
    draw_ending();
    return 0;
}
