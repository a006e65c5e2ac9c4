// game.cpp -- start-up, the main loop and the play frame.
#include "shell/game.h"

#include "runtime/data_table.h"
#include "runtime/input.h"
#include "runtime/random.h"

int ending_started = 0;
int ending_sequence_active = 0;
int next_arrival_time = 0;
TTickTimer* frame_timer = nullptr;
TGlyphFontPtr ui_font;
TImagePtr door_image;

void start_game() {
    // The game's tables and lists are globals of their subsystems with static storage: they exist
    // from program start, zero-filled, in the order their owners define them. Only the arrival
    // time reads the clock.
    next_arrival_time = millisecs() + 5000;
    seed_rand(millisecs());
    window_title = u"Zedoria";
    open_graphics(800, 608, 0, 60, 0);
    set_blend(3);
    frame_timer = create_timer(30);
    set_auto_mid_handle(1);
    set_mask_color(255, 0, 255);
    door_image = load_image(u"gfx/Ende/tuer.png", 4);
    set_auto_mid_handle(0);
    ui_font = load_image_font(u"C:/Windows/Fonts/LSans.ttf", 12, 4);
    set_image_font(ui_font.get());
    load_game_resources();
}

void load_game_resources() {}

void finish_frame() {
    present_frame(-1);
    clear_screen();
    wait_timer(frame_timer);
}

void play_frame() {
    finish_frame();
}

void run_play_loop() {
    while (key_hit(KEY_ESCAPE) == 0) play_frame();
}

void run_main_loop() {
    for (;;) {
        run_play_loop();
        end_program(); // until the title menu exists, Escape in play ends the program
    }
}
