// title_menu_test.cpp -- the title menu on its real loop with the scripted mouse and the virtual
// clock: the buttons' bands, a press that waits for the next band, the guests beside a hovered
// bar, Escape from every view, the re-seeding after "Spielen", and the main loop around play.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "characters/disciple.h"
#include "characters/player.h"
#include "runtime/clock.h"
#include "runtime/input.h"
#include "runtime/random.h"
#include "shell/game.h"
#include "shell/highscores.h"
#include "shell/settings.h"
#include "shell/title_menu.h"
#include "tests/harness.h"

namespace {

enum class TEnd { still_running, left_for_play, program_ended };

struct TMenuRun {
    TEnd end = TEnd::still_running;
    long frames = 0; // frames that reached their wait
    int status = -1; // the exit status when the program ended
};

// Runs `loop` from a fresh call: script[0] before the first frame, script[k] at the end of frame
// k (its input reaches frame k + 1); stops after script.size() frames.
TMenuRun run_script(const std::function<void()>& loop,
                    const std::vector<std::function<void()>>& script) {
    long start = script_waits();
    if (script[0]) script[0]();
    TMenuRun run;
    try {
        bool stopped = run_frames(loop, long(script.size()), [&] {
            size_t k = size_t(script_waits() - start);
            if (k < script.size() && script[k]) script[k]();
        });
        run.end = stopped ? TEnd::still_running : TEnd::left_for_play;
    } catch (const TProgramEnd& end) {
        script_on_wait({});
        run.end = TEnd::program_ended;
        run.status = end.status;
    }
    run.frames = script_waits() - start;
    return run;
}

enum class TClicked { nothing, play, highscores, settings, quit };

// Clicks at (x, y) in the first menu frame and tells which button that was: "Highscore" fills
// the table from the file, "Optionen" lets a press on the slider in the next frame set 0.5.
TClicked click_in_menu(int x, int y) {
    write_file("data/highscore.dat", "Kopf\nAnna,125\n");
    bool table_filled = false;
    float volume = 0;
    TMenuRun run = run_script(run_title_menu, {
                                                  [&] { script_click(x, y); },
                                                  [&] {
                                                      table_filled =
                                                          highscore_table[0][0] == u"Anna";
                                                      script_mouse_move(624, 105);
                                                      script_mouse_press(1);
                                                  },
                                                  [&] { volume = sound_volume; },
                                              });
    script_mouse_release(1); // a run that ended early left the probe's button held
    if (run.end == TEnd::program_ended && run.frames == 0) return TClicked::quit;
    if (run.end == TEnd::left_for_play && run.frames == 1) return TClicked::play;
    if (table_filled) return TClicked::highscores;
    if (volume == 0.5f) return TClicked::settings;
    return TClicked::nothing;
}

TEST(TitleMenu, EachButtonAnswersAClickAnywhereInItsBandOf33Rows) {
    const struct {
        int x, y;
        TClicked expected;
    } cases[] = {
        {400, 96, TClicked::play},        {400, 128, TClicked::play},
        {5, 112, TClicked::play},         {795, 100, TClicked::play},
        {400, 95, TClicked::nothing},     {400, 129, TClicked::nothing},
        {400, 160, TClicked::highscores}, {5, 192, TClicked::highscores},
        {400, 224, TClicked::settings},   {400, 256, TClicked::settings},
        {400, 288, TClicked::quit},       {5, 320, TClicked::quit},
        {400, 321, TClicked::nothing},
    };
    start_test_game();
    for (const auto& c : cases) {
        highscore_table[0][0].clear();
        sound_volume = 0.8f;
        EXPECT_EQ(click_in_menu(c.x, c.y), c.expected) << "click at (" << c.x << ", " << c.y << ")";
    }
}

TEST(TitleMenu, APressOutsideEveryBandFiresTheNextButtonHovered) {
    start_test_game();
    write_file("data/highscore.dat", "Kopf\nAnna,125\n");
    std::vector<bool> filled;
    auto record = [&] { filled.push_back(highscore_table[0][0] == u"Anna"); };
    run_script(run_title_menu,
               {
                   [] { script_click(400, 140); }, // between "Spielen" and "Highscore"
                   [&] {
                       record();
                       script_mouse_move(400, 176); // no new press
                   },
                   record,
               });
    EXPECT_EQ(filled, (std::vector<bool>{false, true}));
}

std::vector<uint32_t> guest_pixels(int row) {
    int y = 32 * row - 15;
    std::vector<uint32_t> left = script_read_pixels(64, y, 32, 48);
    std::vector<uint32_t> right = script_read_pixels(704, y, 32, 48);
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

// The bar of row 7, drawn alone on a cleared screen with the pointer at y.
std::vector<uint32_t> draw_row7_with_pointer_at(int y) {
    script_mouse_move(400, y);
    clear_screen();
    menu_button(u"Optionen", 7, 0);
    return guest_pixels(7);
}

TEST(TitleMenu, AHoveredBarShowsTheSameTwoGuestsWhateverTheGeneratorHeld) {
    start_test_game();
    load_menu_images();
    std::vector<uint32_t> plain = draw_row7_with_pointer_at(100);
    seed_rand(12345);
    std::vector<uint32_t> first = draw_row7_with_pointer_at(240);
    seed_rand(999);
    for (int i = 0; i < 17; ++i) rand_int(0, 5);
    std::vector<uint32_t> second = draw_row7_with_pointer_at(230);
    EXPECT_NE(first, plain) << "no guests drawn beside the hovered bar";
    EXPECT_EQ(first, second);
}

TEST(TitleMenu, EscapeEndsTheProgramFromEveryView) {
    const struct {
        const char* view;
        int entry_x, entry_y; // the click that opens the view; (0, 0) stays in the main view
    } views[] = {{"main", 0, 0}, {"highscores", 400, 176}, {"settings", 400, 240}};
    for (const auto& v : views) {
        if (v.entry_y == 0) start_test_game(); // the first view starts the game
        TMenuRun run = run_script(run_title_menu, {
                                                      [&] { script_click(v.entry_x, v.entry_y); },
                                                      [] { script_tap(KEY_ESCAPE); },
                                                      {},
                                                  });
        EXPECT_EQ(run.end, TEnd::program_ended) << v.view;
        EXPECT_EQ(run.status, 0) << v.view;
        EXPECT_EQ(run.frames, 1) << v.view;
    }
}

TEST(TitleMenu, SpielenForgetsTheKeysAndSeedsTheGeneratorFromTheClock) {
    script_set_clock(123456);
    start_test_game();
    TMenuRun run = run_script(run_title_menu, {
                                                  [] { script_click(400, 112); },
                                                  [] { script_key_press(KEY_SPACE); },
                                              });
    ASSERT_EQ(run.end, TEnd::left_for_play);
    EXPECT_EQ(run.frames, 1);
    EXPECT_EQ(random_state, millisecs());
    EXPECT_EQ(key_down(KEY_SPACE), 0);
}

// Escape in play goes back to the menu, "Spielen" resumes the same evening, Escape in the menu
// ends the program.
TEST(TitleMenu, TheMainLoopAlternatesBetweenMenuAndTheSameEvening) {
    start_test_game();
    TDisciple* guest = nullptr;
    int guest_y = 0;
    bool table_filled = false;
    // script[k] runs at the end of frame k and gives the input of frame k + 1.
    std::vector<std::function<void()>> script(12);
    script[0] = [] { script_click(400, 112); };              // menu: "Spielen"
    script[1] = [] { next_arrival_time = millisecs() - 1; }; // play: the first guest comes in
    script[2] = [&] {                                        // play: Escape, then the menu
        for (TDisciple* g : disciple_list) guest = g;
        script_tap(KEY_ESCAPE);
    };
    script[3] = [] { script_click(400, 176); }; // menu: "Highscore"
    script[4] = [&] {                           // highscores: "Zurück"
        table_filled = highscore_table[0][0] != u"";
        script_click(400, 464);
    };
    script[5] = [] { script_click(400, 112); }; // menu: "Spielen"
    script[6] = [&] { guest_y = guest->y; };    // play resumed: the guest walks on
    script[9] = [&] {                           // play: Escape, then the menu
        EXPECT_NE(guest->y, guest_y);
        EXPECT_EQ(list_count(disciple_list), 1);
        script_tap(KEY_ESCAPE);
    };
    script[10] = [] { script_tap(KEY_ESCAPE); }; // menu: Escape ends the program
    TMenuRun run = run_script(run_main_loop, script);
    EXPECT_NE(guest, nullptr);
    EXPECT_TRUE(table_filled);
    EXPECT_EQ(run.end, TEnd::program_ended);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.frames, 10);
}

// Losing the focus in any phase of play (the player went to another window) returns to the title
// menu as Escape does; the menu then waits, and "Spielen" resumes the same evening. A focus lost
// and regained while the menu was shown does not cut the next play short.
TEST(TitleMenu, LosingTheFocusInPlayShowsTheMenuAndSpielenResumesTheSameEvening) {
    start_test_game();
    const struct {
        const char* phase;
        std::function<void()> enter;
    } phases[] = {
        {"normal play", [] {}},
        {"closing walk", [] { average_contentment = 20; }},
        {"closing picture", [] { ending_sequence_active = 1; }},
    };
    for (const auto& p : phases) {
        p.enter();
        TMenuRun play = run_script(run_play_loop, {{}, {}, [] { script_focus(false); }, {}, {}});
        EXPECT_EQ(play.end, TEnd::left_for_play) << p.phase << ": play went on";
        EXPECT_EQ(play.frames, 2) << p.phase;
        const int started = ending_started, arrived = ending_sequence_active;
        const float x = player_x, y = player_y;
        std::vector<std::function<void()>> waiting(40);
        waiting[5] = [] { script_focus(true); };
        waiting[10] = [] { script_focus(false), script_focus(true); };
        EXPECT_EQ(run_script(run_title_menu, waiting).end, TEnd::still_running) << p.phase;
        TMenuRun menu = run_script(run_title_menu, {[] { script_click(400, 112); }, {}});
        EXPECT_EQ(menu.end, TEnd::left_for_play) << p.phase << ": \"Spielen\" did not play";
        EXPECT_EQ(ending_started, started) << p.phase;
        EXPECT_EQ(ending_sequence_active, arrived) << p.phase;
        EXPECT_EQ(player_x, x) << p.phase;
        EXPECT_EQ(player_y, y) << p.phase;
        EXPECT_EQ(run_script(run_play_loop, std::vector<std::function<void()>>(5)).end,
                  TEnd::still_running)
            << p.phase << ": the focus lost in the menu ended play";
    }
    EXPECT_EQ(ending_started, 1);
}

} // namespace
