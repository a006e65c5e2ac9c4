// settings.cpp -- the volume and full-screen settings, their file, and the settings view.
#include "shell/settings.h"

#include <cstdio>
#include <cstring>

#include "characters/sounds.h"
#include "runtime/files.h"
#include "runtime/input.h"
#include "runtime/numeric.h"
#include "runtime/paths.h"
#include "runtime/safe_save.h"
#include "runtime/text.h"
#include "shell/game.h"

static const float start_volume = 0.8f;
float sound_volume = start_volume;
int fullscreen = 0;

// Where the game keeps it; an installed game keeps the user's own under ~/.config/zedoria/.
static const TString settings_path = u"data/optionen.txt";

// Saves the two lines safely; a failed save leaves the old file and says so.
static void save_settings_lines(const TString& volume_line, int flag) {
    TString path = path_to_write(settings_path, TUserFolder::config);
    auto file = open_safe_write_file(path);
    write_line(file.get(), volume_line);
    write_line(file.get(), int_to_string(flag));
    if (int failed = commit_safe_write(std::move(file), path))
        std::fprintf(stderr, "zedoria: cannot save %s: %s; the old settings stay\n",
                     native_path(path).c_str(), std::strerror(failed));
}

void write_settings() {
    save_settings_lines(float_to_string(sound_volume), fullscreen);
}

void read_settings(int mode) {
    TString path = path_to_read(settings_path, TUserFolder::config);
    auto file = open_read_file(path);
    sound_volume = file->handle ? string_to_float(read_line(file.get())) : start_volume;
    fullscreen = file->handle ? string_to_int(read_line(file.get())) : 0;
    report_short_file(file.get(), path, 2);
    close_file(file.get());
    set_sound_volume(sound_volume); // played clamped to 0..1; the value read stays as it is
    if (mode != -1 && (fullscreen != 0) != (display_fullscreen != 0)) open_game_display(fullscreen);
}

void switch_display_kind() {
    auto file = open_read_file(path_to_read(settings_path, TUserFolder::config));
    TString volume_line = read_line(file.get());
    if (file->lines == 0) volume_line = float_to_string(start_volume); // no file, or an empty one
    close_file(file.get());
    open_game_display(display_fullscreen != 0 ? 0 : 1);
    fullscreen = display_fullscreen;
    save_settings_lines(volume_line, fullscreen);
}

// n + 1 lines from x = 576, red at the left to green at 96; lines past the window's right edge
// would show nothing, so a huge volume from the file does not cost a line per pixel beyond it.
static void draw_volume_bar() {
    int n = min_int(to_int(sound_volume * 96), 799 - 576);
    for (int i = 0; i <= n; ++i) {
        set_color(255 - (i * 255) / 96, to_int(float(i * 255) / 96.0f), 0);
        draw_line(float(576 + i), 97, float(576 + i), 116, 1);
    }
    set_color(255, 255, 255);
    draw_image(volume_image.get(), 576, 96, 0);
}

// The dragged level is heard at once: the sounds playing change with it, and a tick at the new
// level marks each tenth the slider passes.
static void set_dragged_volume(float volume) {
    bool new_tenth = to_int(volume * 10) != to_int(sound_volume * 10);
    sound_volume = volume;
    set_sound_volume(volume);
    if (new_tenth) play_game_sound(SOUND_MENU_TICK);
}

// A drag starts whenever the button is held inside the slider and follows the pointer's x,
// wherever it goes, until the button is up.
static void drag_volume(TMenuState& menu) {
    if (mouse_down(1) && mouse_in_rect(576, 97, 96, 20)) menu.slider_dragging = 1;
    if (mouse_down(1) && menu.slider_dragging == 1)
        set_dragged_volume(float(max_float(0, min_float((float(mouse_x()) - 576) / 96.0f, 1))));
    else
        menu.slider_dragging = 0;
}

static void draw_switch_state() {
    set_color(0, 0, 0);
    draw_text(fullscreen != 0 ? u"An" : u"Aus", 640, float(171 - text_height() / 2));
    set_color(255, 255, 255);
}

void settings_view(TMenuState& menu) {
    menu_button(u"Soundlautstärke:", 3, 1); // a click here only uses up the press
    draw_volume_bar();
    drag_volume(menu);
    if (menu_button(u"Vollbildmodus:", 5, 1)) fullscreen = 1 - fullscreen;
    draw_switch_state();
    if (menu_button(u"Übernehmen", 7, 0)) {
        write_settings();
        read_settings(0);
        menu.menu_mode = MENU_MAIN;
    }
    if (menu_button(u"Zurück", 9, 0)) {
        read_settings(-1);
        menu.menu_mode = MENU_MAIN;
    }
}
