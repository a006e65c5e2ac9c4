// unexpected_input_test.cpp -- input the game does not expect: keys and buttons held across a
// focus loss, a flood of presses and clicks in one frame, the pointer far outside the window, and
// Escape during the closing walk. Nothing crashes and the evening's state stays consistent.
#include <gtest/gtest.h>

#include <climits>

#include "shell/settings.h"
#include "shell/title_menu.h"
#include "tests/long_evening.h"

namespace {

// One visit of the title menu: script[0] before its first frame, script[k] at the end of frame
// k; true if it left for play before the script ran out.
bool menu_visit(const std::vector<std::function<void()>>& script) {
    long start = script_waits();
    if (script[0]) script[0]();
    return !run_frames(run_title_menu, long(script.size()), [&] {
        size_t k = size_t(script_waits() - start);
        if (k < script.size() && script[k]) script[k]();
    });
}

// One frame of play with this input queued before it; false if Escape left the play loop.
bool play_frame_with(const std::function<void()>& input) {
    input();
    return play_frames(1);
}

TEST(UnexpectedInput, KeysAndButtonsHeldAcrossAFocusLossAreLetGo) {
    start_test_game();
    script_key_press(KEY_LEFT);
    play_frames(5);
    float walked_to = player_x;
    EXPECT_LT(walked_to, 384); // he walked while the key was held
    script_focus(false);
    play_frames(10);
    EXPECT_EQ(player_x, walked_to) << "he walked on with the focus gone";
    script_focus(true);
    play_frames(10);
    EXPECT_EQ(player_x, walked_to) << "the key came back with the focus";
    script_key_release(KEY_LEFT); // the release of a key already let go changes nothing
    script_key_press(KEY_RIGHT);
    play_frames(5);
    EXPECT_GT(player_x, walked_to);
    script_key_release(KEY_RIGHT);

    // A slider drag in the settings view ends with the focus.
    float volume = -1;
    EXPECT_FALSE(menu_visit({
        [] { script_click(400, 240); }, // "Optionen"
        [] { script_mouse_move(600, 105), script_mouse_press(1); },
        [] { script_focus(false), script_focus(true); },
        [&] { volume = sound_volume, script_mouse_move(660, 105); },
        {},
    }));
    EXPECT_EQ(volume, 0.25f);
    EXPECT_EQ(sound_volume, volume) << "the drag went on after the focus came back";
    script_mouse_release(1);
}

// Presses and releases of every key code and button, valid or not, `times` over.
void flood(int times, bool with_escape) {
    for (int i = 0; i < times; ++i) {
        for (int code = -10; code < 300; ++code) {
            if (code == KEY_ESCAPE && !with_escape) continue;
            script_key_press(code);
            script_key_release(code);
        }
        for (int button = -1; button < 6; ++button) {
            script_mouse_press(button);
            script_mouse_release(button);
        }
    }
}

TEST(UnexpectedInput, AFloodOfPressesAndClicksInOneFrame) {
    start_test_game();
    player_x = 384, player_y = 522; // at the counter, facing it
    player_facing = 3;
    auto dish_before_him = [] {
        for (TDish* d : dish_list)
            if (d->x == 384 && d->y == 544) return true;
        return false;
    };
    for (int frame = 0; frame < 1000 && !dish_before_him(); ++frame) play_frames(1);
    ASSERT_TRUE(dish_before_him()) << "the cook put no dish on the middle place";
    int dishes = list_count(dish_list), shown = display_fullscreen;
    ASSERT_TRUE(play_frame_with([] { flood(200, false); }));
    EXPECT_EQ(hands_state, HANDS_PICKING_UP) << "Space taken once, however often it came";
    EXPECT_EQ(display_fullscreen, 1 - shown) << "F11 taken once, however often it came";
    EXPECT_EQ(list_count(dish_list), dishes - 1);
    play_frames(30);
    EXPECT_EQ(bookkeeping_fault(), "");

    // With Escape among the presses the frame leaves for the menu, whose first frame does not
    // see the Escape and so does not end the program (it takes the F11 of the flood).
    EXPECT_FALSE(play_frame_with([] { flood(50, true); }));
    // Clicks by the hundred in one menu frame: "Optionen", then the full-screen switch once.
    // The flood's clicks wait for the first bar hovered, and each F11 puts the pointer at the
    // centre of the new display, in the band of "Beenden": the pointer goes where no bar is.
    int before = -1;
    EXPECT_FALSE(menu_visit({
        [] { script_mouse_move(0, 0); },
        [&] { before = fullscreen, script_mouse_move(0, 0); },
        [] {
            for (int i = 0; i < 500; ++i) script_click(400, 240);
        },
        [] {
            for (int i = 0; i < 500; ++i) script_click(400, 176);
        },
        {},
    }));
    EXPECT_EQ(fullscreen, 1 - before);
    EXPECT_EQ(bookkeeping_fault(), "");
}

TEST(UnexpectedInput, ThePointerFarOutsideTheWindowCountsOnlyItsRowAndDragsWithinTheSlider) {
    const struct {
        int x, y;
        float volume; // the slider, dragged there
    } places[] = {{-1, -1, 0},           {-1000000, 105, 0},    {1000000, 105, 1},
                  {400, -1000000, 0.0f}, {1 << 30, 1 << 30, 1}, {-(1 << 30), -(1 << 30), 0},
                  {INT_MAX, INT_MAX, 1}, {INT_MIN, INT_MIN, 0}};
    start_test_game();
    for (const auto& p : places) {
        // Only a row's band counts, at any x: a click left or right of the window in the band
        // of "Spielen" starts play.
        bool in_band = p.y >= 96 && p.y <= 128;
        EXPECT_EQ(menu_visit({[&] { script_click(p.x, p.y); }, {}, {}}), in_band)
            << p.x << ", " << p.y;
        if (in_band) {
            EXPECT_FALSE(play_frame_with([] { script_key_press(KEY_ESCAPE); }));
        }
        script_key_release(KEY_ESCAPE);
        float volume = -1;
        menu_visit({
            [] { script_click(400, 240); }, // "Optionen"
            [] { script_mouse_move(600, 105), script_mouse_press(1); },
            [&] { script_mouse_move(p.x, p.y); },
            [&] { volume = sound_volume, script_mouse_release(1); },
        });
        if (p.x != 400) { // dragged straight up or down, x stays inside
            EXPECT_EQ(volume, p.volume) << p.x << ", " << p.y;
        }
    }
}

TEST(UnexpectedInput, EscapeDuringTheClosingWalkKeepsTheWalkForTheNextVisit) {
    start_test_game();
    play_frames(10);
    average_contentment = 20;
    for (int visit = 0; visit < 3; ++visit) {
        play_frames(100);
        float x = player_x, y = player_y;
        EXPECT_FALSE(play_frame_with([] { script_key_press(KEY_ESCAPE); }));
        script_key_release(KEY_ESCAPE);
        EXPECT_TRUE(menu_visit({[] { script_click(400, 112); }, {}, {}})); // "Spielen"
        EXPECT_EQ(player_x, x);
        EXPECT_EQ(player_y, y);
        EXPECT_EQ(ending_started, 1);
        EXPECT_EQ(ending_sequence_active, 0);
        EXPECT_EQ(bookkeeping_fault(), "");
    }
    for (int frame = 0; frame < 3000 && !ending_sequence_active; ++frame) play_frames(1);
    EXPECT_EQ(ending_sequence_active, 1);
    EXPECT_EQ(player_x, 12 * 32);
    EXPECT_EQ(player_y, 3 * 32);
}

} // namespace
