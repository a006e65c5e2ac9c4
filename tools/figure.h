// figure.h -- one person drawn into a 32 x 48 cell from a look (clothes, hair, colours) and a
// pose (legs, arms, lean, held dish). The host, the guests, the cook and the closing picture's
// pieces are all drawn by this one routine from tables of looks and poses.
#pragma once

#include "tools/canvas.h"

enum TFacing { FACE_LEFT = 0, FACE_UP = 1, FACE_RIGHT = 2, FACE_DOWN = 3 }; // the game's codes

enum THair {
    HAIR_SHORT,
    HAIR_LONG,
    HAIR_CURLY,
    HAIR_BALD_BEARD,
    HAIR_HOOD,
    HAIR_BUN,
    HAIR_SLICK,
    HAIR_TOQUE
};

struct TLook {
    TShades skin, hair, top, bottom; // top: robe, shirt or jacket; bottom: robe hem or trousers
    TShades trim;                    // belt, vest or neckerchief
    THair hair_style;
    bool long_robe; // a robe down to the ankles; else trousers with both legs visible
    bool apron;     // a white apron over the front
    bool vest;      // a vest in the trim colour over the shirt
    int height = 0; // extra pixels of height
};

// A point relative to the figure, in the figure's own directions: `fwd` toward where it faces,
// `side` toward its left hand, `down` below the hips.
struct TBodyPoint {
    float fwd = 0, side = 0, down = 0;
};

struct TPose {
    int step = -1;       // walking: the legs' phase 0..3; -1 standing still
    float sit = 0;       // 0 standing .. 1 seated
    float lean = 0;      // the upper body tipped forward, in pixels at the head
    float head_drop = 0; // the head sunk toward the chest or the table
    TBodyPoint hand[2] = {{0, 6.5f, -1}, {0, -6.5f, -1}}; // the left and the right hand
    bool dish = false;                                    // a dish held between the hands
    TBodyPoint dish_at{7, 0, -7};
    bool head_over_arms = false; // the head rests on the arms (drawn after them)
    bool eyes_closed = false;
    bool mouth_open = false;
    int zzz = -1;  // the sleeper's rising "z": its height in pixels, -1 none
    float bob = 0; // the whole body raised by this many pixels
};

constexpr int FIGURE_WIDTH = 32, FIGURE_HEIGHT = 48;

// Which parts of the figure to draw (the closing picture cuts a figure into pieces).
enum : unsigned {
    PART_BODY = 1,  // legs, robe and torso
    PART_ARMS = 2,  // the sleeves
    PART_HANDS = 4, // the hands and a held dish
    PART_HEAD = 8,  // head, hair and hat
    PART_ALL = 15,
};

// Draws the figure, outlined, into a fresh 32 x 48 cell.
TCanvas draw_figure(const TLook& look, TFacing facing, const TPose& pose,
                    unsigned parts = PART_ALL);

// A point of the figure in cell pixels, for cutting pieces out of a drawn figure.
struct TCellPoint {
    float x, y;
};
TCellPoint figure_point(TFacing facing, const TPose& pose, TBodyPoint p);
TCellPoint figure_head_centre(TFacing facing, const TPose& pose);
