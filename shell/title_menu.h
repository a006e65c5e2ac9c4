// title_menu.h -- the title menu: the screen loop with its three views (main, highscores,
// settings), the clickable bars they are made of, and the menu's own pictures.
//
// The main loop calls run_title_menu at start and after every Escape from play; it returns only
// after "Spielen". The highscore view (shell/highscores.h) and the settings view
// (shell/settings.h) are drawn from it with the same bars.
#pragma once

#include "runtime/graphics.h"
#include "runtime/strings.h"

enum : int { // TMenuState::menu_mode
    MENU_MAIN = 0,
    MENU_HIGHSCORES = 1,
    MENU_SETTINGS = 2,
};

// The state of one call of run_title_menu: every call starts with all of it 0.
struct TMenuState {
    int menu_mode = MENU_MAIN; // the view drawn from the next frame on
    int leave_menu = 0;        // 1 after "Spielen": the loop ends after this frame
    int slider_dragging = 0;   // 1 while the volume slider is dragged (settings view)
};

// The colour of a bar's text: black for every label, dark red for an entry saved in this run.
struct TTextColor {
    int r, g, b;
};
inline constexpr TTextColor label_color{0, 0, 0};
inline constexpr TTextColor saved_entry_color{139, 0, 0};

extern TImagePtr menu_images[2]; // the bars' ends: [0] "gfx/bak3.png", [1] "gfx/bak4.png"
extern TImagePtr volume_image;   // "gfx/vol.png", the frame of the volume slider

void run_title_menu(); // menu frames until "Spielen"; Escape or "Beenden" end the program
// One menu frame's drawing and clicks: the floor, then the view of menu.menu_mode.
void draw_menu_view(TMenuState& menu);
// Draws a bar with its label on menu row `row` (y = 32 row); style 0 centres the label, any
// other style puts it at x = 128. Returns 1 if it was clicked in this frame: the pointer is in
// the band of the row (y to y + 32, any x) and the left button was pressed since the last query.
int menu_button(const TString& label, int row, int style);
// A shorter bar with centred text, no hover, no click.
void menu_text_line(const TString& text, int row, TTextColor color = label_color);
// The same on a button's long bar. The text is placed as a whole, but only its first `shown`
// characters are drawn (all of them when `shown` is negative): a blinking cursor at its end does
// not move the rest.
void menu_long_text_line(const TString& text, int row, int shown = -1);
int mouse_in_rect(int x, int y, int w, int h); // 1 if the pointer is strictly inside
void load_menu_images(); // the three menu pictures, loaded again on every entry into the menu
