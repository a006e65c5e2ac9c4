// highscores_test.cpp -- the highscore file as the menu's "Highscore" reads it: the first-comma
// split, the time text, short and odd files, a missing file, and a file changed between visits;
// and an evening's entry ranked and saved into it, and marked in the view.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "runtime/strings.h"
#include "shell/highscores.h"
#include "shell/title_menu.h"
#include "tests/harness.h"

namespace {

// Clicks "Highscore" in a fresh title menu; script[k] runs at the end of frame k + 1.
void visit_highscores(const std::vector<std::function<void()>>& script = {{}}) {
    script_click(400, 176);
    long start = script_waits();
    run_frames(run_title_menu, long(script.size()), [&] {
        size_t k = size_t(script_waits() - start - 1);
        if (k < script.size() && script[k]) script[k]();
    });
}

std::string shown(int entry) {
    return string_to_utf8(highscore_table[entry][0] + u"   -   " + highscore_table[entry][1]);
}

TEST(Highscores, TheFileIsSplitAtTheFirstCommaAndTheSecondsShownAsMinutes) {
    const struct {
        const char* what;
        const char* file;              // nullptr: no file at all
        std::vector<std::string> rows; // the first rows shown; the rest show "   -   0:00"
    } cases[] = {
        {"only the first line", "Zedoria - Highscore\r\n", {}},
        {"an empty file", "", {}},
        {"no file", nullptr, {}},
        {"no name", "x\n,7\n", {"   -   0:07"}},
        {"a blank before the number", "x\nCarl, 61\n", {"Carl   -   1:01"}},
        {"a second comma", "x\nDora,90,x\n", {"Dora   -   1:30"}},
        {"CR LF and LF",
         "x\r\nAnna,125\r\nBen,59\nCleo,3600\r\nDan,0",
         {"Anna   -   2:05", "Ben   -   0:59", "Cleo   -   60:00", "Dan   -   0:00"}},
        {"negative seconds", "x\nEve,-5\n", {"Eve   -   0:0-5"}},
        {"not a number", "x\nFritz,abc\n", {"Fritz   -   0:00"}},
        {"a line without a comma",
         "x\nAnna,125\nOhneKomma\n,9\n",
         {"Anna   -   2:05", "OhneKomma   -   0:00", "   -   0:09"}},
        {"eleven entries: the last is never read",
         "x\na,1\nb,2\nc,3\nd,4\ne,5\nf,6\ng,7\nh,8\ni,9\nj,10\nk,11\n",
         {"a   -   0:01", "b   -   0:02", "c   -   0:03", "d   -   0:04", "e   -   0:05",
          "f   -   0:06", "g   -   0:07", "h   -   0:08", "i   -   0:09", "j   -   0:10"}},
    };
    start_test_game();
    for (const auto& c : cases) {
        for (auto& entry : highscore_table) entry[0] = entry[1] = u"stale";
        std::filesystem::remove("data/highscore.dat");
        if (c.file) write_file("data/highscore.dat", c.file);
        visit_highscores();
        for (int i = 0; i < 10; ++i) {
            std::string want = i < int(c.rows.size()) ? c.rows[i] : "   -   0:00";
            EXPECT_EQ(shown(i), want) << c.what << ", entry " << i;
        }
    }
}

TEST(Highscores, EachVisitReadsTheFileAgain) {
    start_test_game();
    write_file("data/highscore.dat", "x\nAnna,125\n");
    std::string first, second;
    visit_highscores({
        [&] { // highscores: "Zurück"
            first = shown(0);
            write_file("data/highscore.dat", "x\nBernd,61\n");
            script_click(400, 464);
        },
        [] { script_click(400, 176); }, // main view: "Highscore" again
        [&] { second = shown(0); },
    });
    EXPECT_EQ(first, "Anna   -   2:05");
    EXPECT_EQ(second, "Bernd   -   1:01");
}

TEST(Highscores, AMissingFileIsSaidOnceOnStandardError) {
    start_test_game();
    std::filesystem::remove("data/highscore.dat");
    testing::internal::CaptureStderr();
    visit_highscores();
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "zedoria: cannot read data/highscore.dat: No such file or directory\n");
}

const char* const full_table = "Kopf\r\na,1000\r\nb,900\r\nc,800\r\nd,700\r\ne,600\r\nf,500\r\n"
                               "g,400\r\nh,300\r\ni,200\r\nj,100\r\n";

TEST(Highscores, AnEntryGoesAfterEveryEntryWithAtLeastAsManySecondsAndTheTableKeepsTen) {
    const struct {
        const char* what;
        const char* file; // nullptr: no file at all
        int score;
        int rank;          // 0: the points do not enter the table, the file stays
        const char* bytes; // the file afterwards
    } cases[] = {
        {"fewer than ten, lowest", "Kopf\r\nAnna,500\r\n", 3, 2, "Kopf\r\nAnna,500\r\nZora,3\r\n"},
        {"fewer than ten, no points", "Kopf\r\nAnna,500\r\n", 0, 2,
         "Kopf\r\nAnna,500\r\nZora,0\r\n"},
        {"full, lower than the tenth", full_table, 50, 0, full_table},
        {"full, equal to the tenth", full_table, 100, 0, full_table},
        {"full, one more than the tenth", full_table, 101, 10,
         "Kopf\r\na,1000\r\nb,900\r\nc,800\r\nd,700\r\ne,600\r\nf,500\r\ng,400\r\nh,300\r\n"
         "i,200\r\nZora,101\r\n"},
        {"full, equal to the first", full_table, 1000, 2,
         "Kopf\r\na,1000\r\nZora,1000\r\nb,900\r\nc,800\r\nd,700\r\ne,600\r\nf,500\r\ng,400\r\n"
         "h,300\r\ni,200\r\n"},
        {"full, best of all", full_table, 5000, 1,
         "Kopf\r\nZora,5000\r\na,1000\r\nb,900\r\nc,800\r\nd,700\r\ne,600\r\nf,500\r\ng,400\r\n"
         "h,300\r\ni,200\r\n"},
        {"no file", nullptr, 42, 1, "Bestenliste\r\nZora,42\r\n"},
        {"an empty file", "", 42, 1, "Bestenliste\r\nZora,42\r\n"},
        {"only the first line, kept as it is", "Meine Liste", 42, 1, "Meine Liste\r\nZora,42\r\n"},
        {"broken lines: empty ones go, the others stay as they were, LF becomes CR LF",
         "Kopf\n\nDora,90,x\nOhneKomma\n\n, 61\n", 70, 2,
         "Kopf\r\nDora,90,x\r\nZora,70\r\nOhneKomma\r\n, 61\r\n"},
        {"lines after the eleventh are never read",
         "K\na,9\nb,8\nc,7\nd,6\ne,5\nf,4\ng,3\nh,2\ni,1\n\nx,99\n", 5, 6,
         "K\r\na,9\r\nb,8\r\nc,7\r\nd,6\r\ne,5\r\nZora,5\r\nf,4\r\ng,3\r\nh,2\r\ni,1\r\n"},
    };
    enter_scratch_folder();
    for (const auto& c : cases) {
        std::filesystem::remove("data/highscore.dat");
        if (c.file) write_file("data/highscore.dat", c.file);
        EXPECT_EQ(score_enters_table(read_highscore_file(), c.score), c.rank != 0) << c.what;
        EXPECT_EQ(save_highscore(u"Zora", c.score), c.rank) << c.what;
        EXPECT_EQ(read_file("data/highscore.dat"), c.file && c.rank == 0 ? c.file : c.bytes)
            << c.what;
    }
}

TEST(Highscores, TheViewMarksTheEntrySavedInThisRunInDarkRed) {
    start_test_game();
    write_file("data/highscore.dat", "Kopf\r\nZora,300\r\nAnna,200\r\n");
    save_highscore(u"Zora", 300); // the same name and time as the first entry: the first is marked
    visit_highscores();
    EXPECT_EQ(shown(0), "Zora   -   5:00");
    EXPECT_EQ(shown(1), "Zora   -   5:00");
    EXPECT_EQ(std::vector<int>(highscore_marked, highscore_marked + 10),
              (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // Drawn: glyph pixels in full dark red on the first entry's bar, on no other.
    TMenuState menu;
    highscore_view(menu);
    auto dark_red_pixels = [](int row) {
        int n = 0;
        for (uint32_t p : script_read_pixels(0, 32 * row, 800, 32))
            n += (p & 0xFFFFFF) == 0x00008B; // R 139, G 0, B 0 in the bytes read back
        return n;
    };
    EXPECT_GT(dark_red_pixels(3), 0);
    for (int row = 4; row <= 12; ++row) EXPECT_EQ(dark_red_pixels(row), 0) << "row " << row;
}

} // namespace
