// game.cpp -- start-up, the main loop and the play frame.
#include "shell/game.h"

#include <cstdio>

#include "characters/cook.h"
#include "characters/disciple.h"
#include "characters/dish.h"
#include "characters/player.h"
#include "characters/sounds.h"
#include "room/path_search.h"
#include "room/room.h"
#include "runtime/data_table.h"
#include "runtime/input.h"
#include "runtime/random.h"
#include "scoring/ending.h"
#include "scoring/hud.h"
#include "shell/name_entry.h"
#include "shell/settings.h"
#include "shell/title_menu.h"

int ending_started = 0;
int ending_sequence_active = 0;
int next_arrival_time = 0;
TTickTimer* frame_timer = nullptr;
TGlyphFontPtr ui_font;
TImagePtr door_image;
int display_fullscreen = 0;

void start_game() {
    restore_data(room_map_data);
    // The game's tables and lists are globals of their subsystems with static storage: they exist
    // from program start, zero-filled, in the order their owners define them. Only the arrival
    // time reads the clock.
    next_arrival_time = millisecs() + 5000;
    seed_rand(millisecs());
    read_settings(-1); // a saved full-screen choice opens the game full screen
    open_game_display(fullscreen);
    frame_timer = create_timer(30);
    set_auto_mid_handle(1);
    set_mask_color(255, 0, 255);
    door_image = load_image(u"gfx/Ende/tuer.png", 4);
    set_auto_mid_handle(0);
    ui_font = load_image_font(u"C:/Windows/Fonts/LSans.ttf", 12, 4);
    set_image_font(ui_font.get());
    load_game_resources();
}

// What the game sets once and relies on afterwards; opening a display resets all of it.
static void set_game_drawing_state() {
    set_blend(3);
    set_mask_color(255, 0, 255);
    set_image_font(ui_font.get());
}

bool open_game_display(int full_screen) {
    window_title = u"Zedoria";
    int depth = full_screen != 0 ? 32 : 0;
    bool opened = open_graphics(800, 608, depth, 60, 0);
    if (!opened) { // keep a display the player can see and leave
        std::fprintf(stderr, "zedoria: cannot open the %s, trying the %s\n",
                     depth ? "full-screen display" : "window",
                     depth ? "window" : "full-screen display");
        depth = 32 - depth;
        opened = open_graphics(800, 608, depth, 60, 0);
    }
    display_fullscreen = depth != 0 ? 1 : 0;
    set_game_drawing_state();
    return opened;
}

void load_game_resources() {
    TRoom::read_room_map();
    TRoom::load_tile_images();
    TPlayer::load();
    TCook::load();
    TDisciple::load();
    TDish::load();
    THud::load();
    // The closing picture's pieces are centred on the positions of its layout file.
    set_auto_mid_handle(1);
    load_ending_images();
    choose_ending_figures();
    read_ending_layout();
    set_auto_mid_handle(0);
    load_game_sounds();
}

void finish_frame() {
    present_frame(-1);
    clear_screen();
    if (key_hit(KEY_F11) != 0) switch_display_kind(); // every screen ends its frames here
    wait_timer(frame_timer);
}

// A guest comes in every 30 seconds while seats are free; the time moves on even when none is.
static void check_arrival() {
    if (millisecs() > next_arrival_time) {
        next_arrival_time = millisecs() + 30000;
        if (free_seats > 0) TDisciple::spawn();
    }
}

// The evening is over: the host is handed the way to the gap at the head of the table, (12, 3).
static void begin_closing_walk() {
    walk_distances = compute_path_distances(12, 3);
    walk_goal_col = 12;
    walk_goal_row = 3;
    TPlayer::choose_next_cell();
    ending_started = 1;
}

// The closing walk: the host walks by himself while the cook and the guests carry on. Once he
// has arrived, only the closing picture is drawn and nothing of the evening moves any more.
static void closing_frame() {
    if (ending_started == 0) begin_closing_walk();
    if (ending_sequence_active == 1) {
        draw_ending();
        name_entry_frame(); // the evening's points into the table, when they make it
        return;
    }
    TRoom::draw_floor();
    TRoom::draw_room_rows();
    TPlayer::walk_step();
    TCook::update();
    TDisciple::update_all();
    THud::draw(); // a second time, over everything the row pass drew
}

void play_frame() {
    if (average_contentment > 20 && ending_started == 0) {
        TRoom::draw_floor();
        TRoom::draw_room_rows();
        TPlayer::update();
        TCook::update();
        TDisciple::update_all();
        check_arrival();
    } else {
        closing_frame();
    }
    finish_frame();
}

// Escape, or the window losing the focus (the player went to another window), returns to the
// title menu; a focus lost before play began does not count.
void run_play_loop() {
    focus_lost();
    while (key_hit(KEY_ESCAPE) == 0 && focus_lost() == 0) play_frame();
    name_entry_leave();
}

void start_new_evening() {
    next_arrival_time = millisecs() + 5000;
    seed_rand(millisecs());
    ending_started = 0;
    ending_sequence_active = 0;
    TPlayer::reset();
    TCook::reset();
    TRoom::release_seats();
    TDisciple::reset_all();
    TDish::reset_all();
    THud::reset();
    choose_ending_figures();
    name_entry_reset();
}

void run_main_loop() {
    for (;;) {
        run_title_menu(); // returns after "Spielen"; Escape and "Beenden" end the program there
        run_play_loop();  // returns on Escape: back to the menu, the evening kept as it is
    }
}
