// hud.h -- the back-wall display: the contentment and served gauges, the visitor count and the
// points, which count the seconds spent on the play screen.
//
// load_game_resources calls THud::load once, right after the dish's loader. The row painter calls
// THud::draw after the tiles of row 1 in every frame of play, and during the host's closing walk
// the frame draws it once more on top of everything. It leaves the colour white, the scale (1, 1).
#pragma once

#include "runtime/graphics.h"
#include "runtime/strings.h"

// [0] "gfx/barometer.png" (loaded, never drawn), [1] the bar, one pixel wide, stretched to the
// value; [2] the frame, drawn in black one pixel left of the bar. Handles at the top-left.
extern TImagePtr barometer_images[3];
extern int score;      // the points shown as "Punkte: ": one per second of play; never reset
extern int score_time; // millisecs after which the next point is added; 0 at start

namespace THud {
void load();  // the three gauge pictures, with the mask colour and handle setting in force
void draw();  // adds the point of the current second, then draws both gauges and the four captions
void reset(); // an evening's start: no points
} // namespace THud

// Draws text with the current font and colour at (x, y), moved left by half its width when
// centre_x is not 0 and up by half the line height when centre_y is not 0 (halves truncated).
void draw_text_centred(const TString& text, int x, int y, int centre_x, int centre_y);
