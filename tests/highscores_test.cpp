// highscores_test.cpp -- the highscore file as the menu's "Highscore" reads it: the first-comma
// split, the time text, short and odd files, a missing file, and a file changed between visits.
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

} // namespace
