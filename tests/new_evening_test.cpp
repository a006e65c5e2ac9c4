// new_evening_test.cpp -- "Neuer Abend" in the title menu: not there before the evening is over;
// afterwards it puts every piece of the evening back to its start, field by field, goes straight
// to play, and the next evening can be played to its closing picture and its name entry again.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "characters/cook.h"
#include "characters/disciple.h"
#include "characters/dish.h"
#include "characters/player.h"
#include "room/room.h"
#include "runtime/input.h"
#include "scoring/ending.h"
#include "scoring/hud.h"
#include "shell/game.h"
#include "shell/name_entry.h"
#include "shell/title_menu.h"
#include "tests/harness.h"

namespace {

// Clicks at (x, y) before the first frame of a fresh title menu and runs it for a few frames;
// true if the menu was left for play.
bool click_in_menu(int x, int y) {
    script_click(x, y);
    return !run_frames(run_title_menu, 3);
}

// Every value of the evening that a start-up gives the same in every run, by name.
std::vector<std::pair<std::string, double>> evening_fields() {
    std::vector<std::pair<std::string, double>> fields = {
        {"player_x", player_x},
        {"player_y", player_y},
        {"player_facing", player_facing},
        {"player_moving", player_moving},
        {"hands_state", hands_state},
        {"carried_amount", carried_amount},
        {"player_anim_frame", player_anim_frame},
        {"player_anim_time", player_anim_time},
        {"walk_goal_col", walk_goal_col},
        {"walk_goal_row", walk_goal_row},
        {"walk_target_col", walk_target_col},
        {"walk_target_row", walk_target_row},
        {"walk_distances filled", walk_distances != TGrid{}},
        {"cook_x", cook_x},
        {"cook_y", cook_y},
        {"cook_facing", cook_facing},
        {"cook_moving", cook_moving},
        {"cook_anim_frame", cook_anim_frame},
        {"cook_anim_time", cook_anim_time},
        {"cook_state", cook_state},
        {"cook_next_time", cook_next_time},
        {"guests", list_count(disciple_list)},
        {"free_seats", free_seats},
        {"average_contentment", average_contentment},
        {"served_percent", served_percent},
        {"visitor_count", visitor_count},
        {"dishes", list_count(dish_list)},
        {"score", score},
        {"score_time", score_time},
        {"ending_started", ending_started},
        {"ending_sequence_active", ending_sequence_active},
        {"entry_offered", entry_offered},
        {"entry_rank", entry_rank},
        {"entry_name length", double(entry_name.size())},
    };
    for (int i = 0; i < 4; ++i)
        fields.push_back({"direction_keys[" + std::to_string(i) + "]", direction_keys[i]});
    int claimed = 0;
    for (const auto& seat : seat_table) claimed += seat[2];
    fields.push_back({"claimed seats", claimed});
    return fields;
}

// The values that come from the generator: within their ranges.
void expect_random_start_values() {
    EXPECT_GE(cook_target_x, 352);
    EXPECT_LE(cook_target_x, 416);
    for (int p = 0; p < 12; ++p) {
        EXPECT_GE(ending_figure_kinds[p], 1);
        EXPECT_LE(ending_figure_kinds[p], 6);
    }
    EXPECT_EQ(ending_figure_kinds[12], 7);
}

// The evening runs to its closing picture: the contentment is put at 20 and the host walks.
void play_to_the_closing_picture() {
    average_contentment = 20;
    for (int frames = 0; ending_sequence_active == 0 && frames < 3000; ++frames) play_frames(1);
    ASSERT_EQ(ending_sequence_active, 1);
    play_frames(2);
}

TEST(NewEvening, TheButtonIsThereOnlyOnceTheClosingWalkHasBegun) {
    start_test_game();
    score = 77;
    EXPECT_FALSE(click_in_menu(400, 368)); // row 11: nothing there yet, the press stays pending
    EXPECT_EQ(score, 77);
    script_mouse_move(400, 112); // it fires the next button hovered: "Spielen"
    EXPECT_TRUE(!run_frames(run_title_menu, 3));

    ending_started = 1;
    for (int y : {351, 385}) EXPECT_FALSE(click_in_menu(400, y)) << "y " << y;
    EXPECT_EQ(score, 77);
    EXPECT_TRUE(click_in_menu(5, 352)); // the band of row 11, any x
    EXPECT_EQ(score, 0);
    EXPECT_EQ(ending_started, 0);
}

TEST(NewEvening, PutsEveryPieceOfTheEveningBackToItsStartAndTheNextEveningEndsAgain) {
    start_test_game();
    load_menu_images();
    write_file("data/highscore.dat", "Kopf\r\nAnna,5\r\n");
    const auto fresh = evening_fields();
    expect_random_start_values();

    // An evening that changes everything: the host walks and carries, guests come, the cook
    // fills the counter, points are made, the evening ends and its entry is saved.
    script_key_press(KEY_LEFT);
    play_frames(30);
    script_key_release(KEY_LEFT);
    play_frames(40 * 30);
    hands_state = HANDS_CARRYING;
    carried_amount = 80;
    play_to_the_closing_picture();
    for (char16_t c : std::u16string(u"Zora")) script_char(c);
    script_tap(KEY_ENTER);
    play_frames(1);
    ASSERT_EQ(entry_rank, 1);
    ASSERT_NE(evening_fields(), fresh);

    script_tap(KEY_ESCAPE);
    ASSERT_FALSE(play_frames(3));
    int clicked_at = 0;
    script_click(400, 368);
    ASSERT_FALSE(run_frames(run_title_menu, 3, [&] { clicked_at = millisecs(); }));
    auto now = evening_fields();
    for (size_t i = 0; i < fresh.size(); ++i)
        EXPECT_EQ(now[i].second, fresh[i].second) << now[i].first;
    expect_random_start_values();
    EXPECT_EQ(next_arrival_time, clicked_at + 5000); // the clock of the frame that took the click

    play_frames(30); // play goes on at contentment 60, and the next closing picture offers again
    EXPECT_EQ(average_contentment, 60);
    play_to_the_closing_picture();
    EXPECT_EQ(entry_offered, 1);
}

} // namespace
