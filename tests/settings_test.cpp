// settings_test.cpp -- the settings view on the real menu loop (the volume slider, the full-screen
// switch, "Übernehmen" and "Zurück"), the settings file's exact bytes, reading it at start-up,
// and the safe save: a crash before the rename or a failed write leaves the old file whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "runtime/draw_context.h"
#include "runtime/graphics.h"
#include "runtime/input.h"
#include "runtime/safe_save.h"
#include "shell/game.h"
#include "shell/settings.h"
#include "shell/title_menu.h"
#include "tests/harness.h"

namespace {

const char* const start_bytes = "0.800000012\r\n0\r\n";

void click_optionen() {
    script_click(400, 240);
}
void click_switch() {
    script_click(400, 176);
}
void click_uebernehmen() {
    script_click(400, 240);
}
void click_zurueck() {
    script_click(400, 304);
}

// The game started with this settings file in its data folder (nullptr: none).
void start_with_settings(const char* bytes) {
    enter_scratch_folder();
    if (bytes) write_file("data/optionen.txt", bytes);
    start_game();
}

void expect_game_drawing_state() {
    EXPECT_EQ(draw_context.blend, 3);
    EXPECT_EQ(load_settings.mask_r, 255);
    EXPECT_EQ(load_settings.mask_g, 0);
    EXPECT_EQ(load_settings.mask_b, 255);
    EXPECT_EQ(draw_context.font, ui_font.get());
}

uint32_t bar_line_color(int i) {
    auto clamp = [](int c) { return uint32_t(c < 0 ? 0 : c > 255 ? 255 : c); };
    return clamp(255 - i * 255 / 96) << 16 | clamp(int(float(i * 255) / 96.0f)) << 8;
}

TEST(Settings, TheVolumeBarHasALineForEachNinetySixthAndOneMore) {
    const struct {
        float volume;
        int last_x; // the last line's x; below 577 no line shows inside the frame
    } cases[] = {{0.8f, 652}, {0.5f, 624}, {1, 672}, {0, 576}, {-0.5f, 575}, {1e30f, 799}};
    start_test_game();
    load_menu_images();
    for (const auto& c : cases) {
        sound_volume = c.volume;
        TMenuState menu;
        clear_screen();
        settings_view(menu);
        std::vector<uint32_t> row = script_read_pixels(0, 106, 800, 1);
        for (int x = 577; x < 800; ++x) {
            if (x == 673) continue; // the frame's right edge
            uint32_t rgb = row[x] & 0xFFFFFF, line = bar_line_color(x - 576);
            rgb = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16); // RGBA bytes to 0xRRGGBB
            if (x <= c.last_x)
                EXPECT_EQ(rgb, line) << "volume " << c.volume << ", x " << x;
            else
                EXPECT_NE(rgb, line) << "volume " << c.volume << ", x " << x;
        }
    }
}

TEST(Settings, TheSliderRectangleIsStrictlyInsideItsEdges) {
    const struct {
        int x, y, inside;
    } cases[] = {{576, 106, 0}, {577, 106, 1}, {671, 106, 1}, {672, 106, 0},
                 {600, 97, 0},  {600, 98, 1},  {600, 116, 1}, {600, 117, 0}};
    start_test_game();
    for (const auto& c : cases) {
        script_mouse_move(c.x, c.y);
        EXPECT_EQ(mouse_in_rect(576, 97, 96, 20), c.inside) << "(" << c.x << ", " << c.y << ")";
    }
}

TEST(Settings, TheSliderFollowsAHeldButtonThatStartedInsideIt) {
    start_test_game();
    std::vector<float> volumes;
    auto record = [&] { volumes.push_back(sound_volume); };
    auto press_at = [](int x) {
        script_mouse_move(x, 105);
        script_mouse_press(1);
    };
    run_menu({
        click_optionen,
        [&] { press_at(624); },                         // inside: 48 / 96
        [&] { record(), script_mouse_move(700, 105); }, // dragged past the right end
        [&] { record(), script_mouse_release(1); },
        [&] { record(), press_at(560); },               // a new press left of the slider
        [&] { record(), script_mouse_move(600, 105); }, // moved in while held: a drag
        [&] { record(), script_mouse_release(1); },
        [&] { record(), script_click(300, 105); }, // the "Soundlautstärke:" bar itself
        record,
    });
    EXPECT_EQ(volumes, (std::vector<float>{0.5f, 1, 1, 1, 0.25f, 0.25f, 0.25f}));
    EXPECT_EQ(fullscreen, 0);
}

TEST(Settings, UebernehmenWithTheStartValuesWritesSixteenBytes) {
    start_with_settings(nullptr);
    std::filesystem::remove_all("data"); // the data folder is made when missing
    std::string saved;
    run_menu({
        click_optionen,
        click_uebernehmen,
        [&] { saved = read_file("data/optionen.txt"), click_optionen(); },
        click_zurueck,
        {},
    });
    EXPECT_EQ(saved, start_bytes);
    EXPECT_EQ(saved.size(), 16u);
    EXPECT_FALSE(std::filesystem::exists("data/optionen.txt.new"));
    EXPECT_EQ(sound_volume, 0.8f);
    EXPECT_EQ(fullscreen, 0);
}

TEST(Settings, ZurueckReturnsToTheFilesValuesOrToTheStartValues) {
    const struct {
        const char* file;
        float volume;
    } cases[] = {{"0.25\r\n0\r\n", 0.25f}, {nullptr, 0.8f}};
    for (const auto& c : cases) {
        if (c.file) {
            start_with_settings(c.file);
        } else {
            std::filesystem::remove("data/optionen.txt");
        }
        int toggled = -1;
        run_menu({
            click_optionen,
            [] { script_mouse_move(650, 105), script_mouse_press(1); }, // volume to 0.77
            [] { script_mouse_release(1), click_switch(); },
            [&] { toggled = fullscreen, click_zurueck(); },
            {},
        });
        EXPECT_EQ(toggled, 1);
        EXPECT_EQ(fullscreen, 0);
        EXPECT_EQ(sound_volume, c.volume);
        EXPECT_EQ(display_fullscreen, 0);
    }
}

TEST(Settings, UebernehmenSavesTheSwitchAndChangesTheDisplayKeepingTheDrawingState) {
    start_with_settings(nullptr);
    std::string saved;
    int shown = -1;
    run_menu({
        click_optionen,
        click_switch,
        click_uebernehmen,
        [&] { saved = read_file("data/optionen.txt"), shown = display_fullscreen; },
    });
    EXPECT_EQ(saved, "0.800000012\r\n1\r\n");
    EXPECT_EQ(fullscreen, 1);
    EXPECT_EQ(shown, 1);
    expect_game_drawing_state();
    run_menu({click_optionen, click_switch, click_uebernehmen, {}});
    EXPECT_EQ(read_file("data/optionen.txt"), start_bytes);
    EXPECT_EQ(display_fullscreen, 0);
    expect_game_drawing_state();
}

// F11 on any screen switches between window and full screen at once and saves the kind shown,
// the file's volume line kept as the file has it; the volume in force and a drag not yet saved
// stay as they are.
TEST(Settings, F11SwitchesTheDisplayOnEveryScreenAndSavesItKeepingTheFilesVolumeLine) {
    start_with_settings("0.25\r\n0\r\n");
    run_menu({[] { script_tap(KEY_F11); }, {}}); // the main view
    EXPECT_EQ(display_fullscreen, 1);
    EXPECT_EQ(fullscreen, 1);
    EXPECT_EQ(read_file("data/optionen.txt"), "0.25\r\n1\r\n");
    expect_game_drawing_state();
    int shown = -1;
    run_menu({
        click_optionen,
        [] { script_mouse_move(624, 105), script_mouse_press(1); }, // volume to 0.5, not saved
        [] { script_mouse_release(1), script_tap(KEY_F11); },
        [&] { shown = fullscreen; },
    });
    EXPECT_EQ(display_fullscreen, 0);
    EXPECT_EQ(shown, 0); // the switch shows "Aus"
    EXPECT_EQ(read_file("data/optionen.txt"), "0.25\r\n0\r\n");
    EXPECT_EQ(sound_volume, 0.5f);
    // In play, which goes on.
    long start = script_waits();
    EXPECT_TRUE(play_frames(6, [start] {
        if (script_waits() - start == 2) script_tap(KEY_F11);
    }));
    EXPECT_EQ(display_fullscreen, 1);
    EXPECT_EQ(read_file("data/optionen.txt"), "0.25\r\n1\r\n");
    expect_game_drawing_state();
}

TEST(Settings, F11WithoutASettingsFileSavesTheStartVolume) {
    start_with_settings(nullptr);
    run_menu({[] { script_tap(KEY_F11); }, {}});
    EXPECT_EQ(display_fullscreen, 1);
    EXPECT_EQ(read_file("data/optionen.txt"), "0.800000012\r\n1\r\n");
}

TEST(Settings, StartUpReadsTheFileAndOpensASavedFullScreen) {
    start_with_settings("0.5\r\n1\r\n");
    EXPECT_EQ(sound_volume, 0.5f);
    EXPECT_EQ(fullscreen, 1);
    EXPECT_EQ(display_fullscreen, 1);
    expect_game_drawing_state();
}

TEST(Settings, TheFileIsReadAsItStands) {
    const struct {
        const char* file;
        float volume;
        int flag;
    } cases[] = {
        {"0.25\n1\n", 0.25f, 1},
        {"1.5\r\n2\r\n", 1.5f, 2},
        {"-0.5\r\n0\r\n", -0.5f, 0},
        {"abc\r\nxyz\r\n", 0, 0},
        {"", 0, 0},
        {"0.75", 0.75f, 0},
        {"1.00000000\r\n1\r\nmore\r\n", 1, 1},
    };
    start_test_game();
    for (const auto& c : cases) {
        write_file("data/optionen.txt", c.file);
        read_settings(-1);
        EXPECT_EQ(sound_volume, c.volume) << c.file;
        EXPECT_EQ(fullscreen, c.flag) << c.file;
    }
}

struct TCrash {};

TEST(Settings, ACrashBetweenWritingAndRenamingLeavesTheOldFileWhole) {
    start_with_settings("0.25\r\n0\r\n");
    safe_write_before_rename = [] { throw TCrash{}; };
    bool crashed = false;
    try {
        run_menu({click_optionen, click_switch, click_uebernehmen, {}});
    } catch (const TCrash&) {
        crashed = true;
        script_on_wait({});
    }
    safe_write_before_rename = nullptr;
    EXPECT_TRUE(crashed);
    EXPECT_EQ(read_file("data/optionen.txt"), "0.25\r\n0\r\n");
    EXPECT_EQ(read_file("data/optionen.txt.new"), "0.250000000\r\n1\r\n");
    write_settings(); // the next save replaces the leftover and the old file
    EXPECT_EQ(read_file("data/optionen.txt"), "0.250000000\r\n1\r\n");
    EXPECT_FALSE(std::filesystem::exists("data/optionen.txt.new"));
}

TEST(Settings, AFailedSaveKeepsTheOldFileAndValuesAndSaysSo) {
    start_with_settings("0.25\r\n0\r\n");
    std::filesystem::create_directory("data/optionen.txt.new"); // nothing can be written there
    testing::internal::CaptureStderr();
    run_menu({click_optionen, click_switch, click_uebernehmen, {}});
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said,
              "zedoria: cannot save data/optionen.txt: Is a directory; the old settings stay\n");
    EXPECT_EQ(read_file("data/optionen.txt"), "0.25\r\n0\r\n");
    EXPECT_EQ(fullscreen, 0);
    EXPECT_EQ(sound_volume, 0.25f);
    EXPECT_EQ(display_fullscreen, 0);
}

} // namespace
