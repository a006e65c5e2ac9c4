// name_entry_test.cpp -- typing a name into the highscore table over the closing picture: which
// characters count, the length limit, Backspace, Enter with and without a name, Escape and a later
// showing, a failed save, the rank, points that do not make the table, and the bar as drawn.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/input.h"
#include "runtime/text.h"
#include "scoring/ending.h"
#include "scoring/hud.h"
#include "shell/game.h"
#include "shell/highscores.h"
#include "shell/name_entry.h"
#include "shell/title_menu.h"
#include "tests/harness.h"

namespace {

const char* const short_table = "Kopf\r\nAnna,500\r\nBen,100\r\n";

void type(const std::u16string& text) {
    for (char16_t c : text) script_char(c);
}

void tap(int key, int times = 1) {
    for (int i = 0; i < times; ++i) script_tap(key);
}

// The game at the closing picture after an evening of `points` points, with this table file.
// Its first frame has been played: what was typed before it is not part of the name.
void at_closing_picture(int points, const char* table = short_table) {
    start_test_game();
    load_menu_images(); // the bar is made of the menu's pictures, loaded when the menu first shows
    write_file("data/highscore.dat", table);
    score = points;
    ending_started = 1;
    ending_sequence_active = 1;
    type(u"typed in play");
    play_frames(1);
}

// The rows of the name bar (menu row 15) as drawn by one frame of the closing picture.
std::vector<uint32_t> bar_pixels() {
    draw_ending();
    name_entry_frame();
    auto pixels = script_read_pixels(0, 32 * NAME_ENTRY_ROW, 800, 40);
    clear_screen();
    return pixels;
}

// The same rows with a bar drawn directly.
std::vector<uint32_t> expected_bar(const TString& text, int shown = -1) {
    draw_ending();
    menu_long_text_line(text, NAME_ENTRY_ROW, shown);
    auto pixels = script_read_pixels(0, 32 * NAME_ENTRY_ROW, 800, 40);
    clear_screen();
    return pixels;
}

TEST(NameEntry, TypingTakesPrintableLatin1CharactersButNoCommaUpToSixteen) {
    at_closing_picture(300);
    const struct {
        const char* what;
        std::function<void()> input;
        std::u16string name; // the name after the frame
    } steps[] = {
        {"letters", [] { type(u"Zé"); }, u"Zé"},
        {"control codes, the comma, codes past 255",
         [] {
             for (int c : {1, 31, 127, 128, 159, int(','), 256, 0x20AC, 0x1F600}) script_char(c);
         },
         u"Zé"},
        {"a blank, the tilde, 160 and 255", [] { type(u" ~\u00A0\u00FF"); }, u"Zé ~\u00A0\u00FF"},
        {"two Backspaces", [] { tap(KEY_BACKSPACE, 2); }, u"Zé ~"},
        {"twenty more letters", [] { type(std::u16string(20, u'x')); },
         u"Zé ~" + std::u16string(12, u'x')},
        {"more Backspaces than letters", [] { tap(KEY_BACKSPACE, 20); }, u""},
        {"Backspace on nothing", [] { tap(KEY_BACKSPACE); }, u""},
    };
    ASSERT_EQ(entry_offered, 1);
    EXPECT_EQ(entry_name, u"");
    for (const auto& step : steps) {
        step.input();
        play_frames(1);
        EXPECT_EQ(string_to_utf8(entry_name), string_to_utf8(step.name)) << step.what;
    }
}

TEST(NameEntry, EnterSavesANonEmptyNameAndTheBarThenShowsTheRank) {
    at_closing_picture(300);
    tap(KEY_ENTER); // no name yet: nothing happens
    play_frames(2);
    EXPECT_EQ(read_file("data/highscore.dat"), short_table);
    EXPECT_EQ(entry_offered, 1);

    type(u"Zora");
    tap(KEY_ENTER);
    play_frames(1);
    EXPECT_EQ(read_file("data/highscore.dat"), "Kopf\r\nAnna,500\r\nZora,300\r\nBen,100\r\n");
    EXPECT_EQ(entry_rank, 2);
    EXPECT_EQ(entry_offered, 0);
    EXPECT_TRUE(bar_pixels() == expected_bar(u"Platz 2"));

    type(u"X"); // typing and Enter do nothing any more
    tap(KEY_ENTER);
    play_frames(2);
    EXPECT_EQ(entry_name, u"Zora");
    EXPECT_EQ(read_file("data/highscore.dat"), "Kopf\r\nAnna,500\r\nZora,300\r\nBen,100\r\n");
}

TEST(NameEntry, EscapeLeavesTheEntryOfferedAtTheNextShowingWithoutWhatWasTypedMeanwhile) {
    at_closing_picture(300);
    type(u"Zo");
    play_frames(1);
    ASSERT_EQ(entry_name, u"Zo");
    tap(KEY_ESCAPE);
    EXPECT_FALSE(play_frames(5)); // Escape leaves play
    EXPECT_EQ(read_file("data/highscore.dat"), short_table);

    type(u"   "); // typed elsewhere (Space serves in play), and an Enter pressed there
    tap(KEY_ENTER);
    play_frames(1);
    EXPECT_EQ(entry_offered, 1);
    EXPECT_EQ(entry_name, u"Zo");
    EXPECT_EQ(read_file("data/highscore.dat"), short_table);

    type(u"ra");
    tap(KEY_ENTER);
    play_frames(1);
    EXPECT_EQ(entry_rank, 2);
    tap(KEY_ESCAPE);
    EXPECT_FALSE(play_frames(5));
    play_frames(1); // shown again: the rank, nothing offered, the table read no more
    EXPECT_EQ(entry_rank, 2);
    EXPECT_EQ(entry_offered, 0);
    EXPECT_TRUE(bar_pixels() == expected_bar(u"Platz 2"));
}

TEST(NameEntry, PointsThatDoNotBeatTheTenthEntryAreNotOffered) {
    at_closing_picture(100, "Kopf\r\na,1000\r\nb,900\r\nc,800\r\nd,700\r\ne,600\r\nf,500\r\n"
                            "g,400\r\nh,300\r\ni,200\r\nj,100\r\n");
    type(u"Zora");
    tap(KEY_ENTER);
    play_frames(2);
    EXPECT_EQ(entry_offered, 0);
    EXPECT_EQ(entry_name, u"");
    draw_ending();
    std::vector<uint32_t> plain = script_read_pixels(0, 32 * NAME_ENTRY_ROW, 800, 40);
    clear_screen();
    EXPECT_TRUE(bar_pixels() == plain); // no bar
}

TEST(NameEntry, TheBlinkingCursorLeavesTheRestOfTheTextInPlace) {
    at_closing_picture(300);
    type(u"Zora");
    play_frames(1);
    TString text = u"Punkte: 300   Dein Name: Zora_";
    script_set_clock(1000); // the cursor is shown in the first half of each second
    std::vector<uint32_t> on = bar_pixels();
    EXPECT_TRUE(on == expected_bar(text));
    script_set_clock(1500);
    std::vector<uint32_t> off = bar_pixels();
    EXPECT_TRUE(off == expected_bar(text, int(text.size()) - 1));
    // Only the cursor's own columns differ.
    int cursor_x = (800 + text_width(text)) / 2 - text_width(u"_");
    int differing_left_of_cursor = 0;
    for (size_t i = 0; i < on.size(); ++i)
        if (on[i] != off[i] && int(i % 800) < cursor_x - 1) ++differing_left_of_cursor;
    EXPECT_TRUE(on != off);
    EXPECT_EQ(differing_left_of_cursor, 0);
}

TEST(NameEntry, AFailedSaveKeepsTheEntryOfferedAndSaysSo) {
    at_closing_picture(300);
    std::filesystem::create_directory("data/highscore.dat.new"); // in the way of the new file
    type(u"Zora");
    tap(KEY_ENTER);
    testing::internal::CaptureStderr();
    play_frames(1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "zedoria: cannot save data/highscore.dat: Is a directory; the old table stays\n");
    EXPECT_EQ(read_file("data/highscore.dat"), short_table);
    EXPECT_EQ(entry_offered, 1);
    EXPECT_EQ(entry_rank, 0);

    std::filesystem::remove("data/highscore.dat.new");
    tap(KEY_ENTER);
    play_frames(1);
    EXPECT_EQ(entry_rank, 2);
    EXPECT_EQ(read_file("data/highscore.dat"), "Kopf\r\nAnna,500\r\nZora,300\r\nBen,100\r\n");
}

} // namespace
