// title_menu.cpp -- the title menu's loop, its main view, and the bars every view is made of.
#include "shell/title_menu.h"

#include "characters/disciple.h"
#include "characters/sounds.h"
#include "room/room.h"
#include "runtime/clock.h"
#include "runtime/input.h"
#include "runtime/random.h"
#include "runtime/text.h"
#include "shell/game.h"
#include "shell/highscores.h"
#include "shell/settings.h"

TImagePtr menu_images[2];
TImagePtr volume_image;

// One row of the main view: its label, what a click on it does, and whether it is there at all.
struct TMainRow {
    int row;
    const char16_t* label;
    void (*on_click)(TMenuState& menu);
    bool (*shown)() = [] { return true; };
};

static const TMainRow main_rows[] = {
    {3, u"Spielen", [](TMenuState& menu) { menu.leave_menu = 1; }},
    {5, u"Highscore",
     [](TMenuState& menu) {
         read_highscores();
         menu.menu_mode = MENU_HIGHSCORES;
     }},
    {7, u"Optionen", [](TMenuState& menu) { menu.menu_mode = MENU_SETTINGS; }},
    {9, u"Beenden", [](TMenuState&) { end_program(); }},
    {11, u"Neuer Abend",
     [](TMenuState& menu) {
         start_new_evening();
         menu.leave_menu = 1;
     },
     [] { return ending_started == 1; }},
};

// Every button is drawn and tested, also after an earlier one was clicked in the same frame.
static void main_view(TMenuState& menu) {
    for (const TMainRow& r : main_rows)
        if (r.shown() && menu_button(r.label, r.row, 0)) r.on_click(menu);
}

// The floor tile over the whole window; the last column and row reach past its edges.
static void draw_menu_background() {
    for (int c = 0; c <= 25; ++c)
        for (int r = 0; r <= 19; ++r)
            draw_image(tile_images[0].get(), float(32 * c), float(32 * r), 0);
}

void draw_menu_view(TMenuState& menu) {
    draw_menu_background();
    switch (menu.menu_mode) {
    case MENU_MAIN:
        main_view(menu);
        break;
    case MENU_HIGHSCORES:
        highscore_view(menu);
        break;
    case MENU_SETTINGS:
        settings_view(menu);
        break;
    }
}

static void menu_frame(TMenuState& menu) {
    if (key_hit(KEY_ESCAPE) != 0) end_program();
    draw_menu_view(menu);
    finish_frame();
}

void run_title_menu() {
    load_menu_images();
    TMenuState menu;
    while (menu.leave_menu == 0) menu_frame(menu);
    flush_keys();
    seed_rand(millisecs()); // play goes on from the clock, not from the last hovered row
}

// A label on its bar, its line centred on y + 11.
static void draw_label(const TString& label, int x, int y, TTextColor color = label_color) {
    set_color(color.r, color.g, color.b);
    draw_text(label, float(x), float(y - text_height() / 2 + 11));
    set_color(255, 255, 255);
}

static int centred_x(const TString& text) {
    return (800 - text_width(text)) / 2;
}

// The two guests beside a hovered bar. The generator is seeded from the row first, so a row
// always shows the same pair.
static void draw_row_guests(int row, int y) {
    seed_rand(row * 1024);
    rand_float(23, 0);
    draw_image(disciple_images[rand_int(0, 5)][10].get(), 64, float(y - 15), 0);
    draw_image(disciple_images[rand_int(0, 5)][8].get(), 704, float(y - 15), 0);
}

// A bar on menu row y: its two ends just outside tile columns first to last, the table tiles
// between them.
static void draw_bar(int first, int last, int y) {
    draw_image(menu_images[0].get(), float(32 * (first - 1)), float(y), 0);
    draw_image(menu_images[1].get(), float(32 * (last + 1)), float(y), 0);
    for (int i = first; i <= last; ++i)
        draw_image(tile_images[1].get(), float(32 * i), float(y + 5), 0);
}

int menu_button(const TString& label, int row, int style) {
    int y = 32 * row;
    draw_bar(4, 20, y);
    draw_image(tile_images[6].get(), 64, float(y + 5), 0);
    draw_image(tile_images[6].get(), 704, float(y + 5), 0);
    draw_label(label, style == 0 ? centred_x(label) : 128, y);
    // The band spans the whole width of the window, 33 pixel rows high.
    if (mouse_y() < y || mouse_y() > y + 32) return 0;
    int clicked = mouse_hit(1) != 0 ? 1 : 0;
    if (clicked) play_game_sound(SOUND_MENU_TICK);
    draw_row_guests(row, y);
    return clicked;
}

void menu_text_line(const TString& text, int row, TTextColor color) {
    draw_bar(9, 15, 32 * row);
    draw_label(text, centred_x(text), 32 * row, color);
}

void menu_long_text_line(const TString& text, int row, int shown) {
    draw_bar(4, 20, 32 * row);
    draw_label(shown < 0 ? text : text.substr(0, size_t(shown)), centred_x(text), 32 * row);
}

int mouse_in_rect(int x, int y, int w, int h) {
    int mx = mouse_x(), my = mouse_y();
    return mx > x && mx < x + w && my > y && my < y + h ? 1 : 0;
}

void load_menu_images() {
    menu_images[0] = load_image(u"gfx/bak3.png", IMAGE_DEFAULT);
    menu_images[1] = load_image(u"gfx/bak4.png", IMAGE_DEFAULT);
    volume_image = load_image(u"gfx/vol.png", IMAGE_DEFAULT);
}
