// ending.cpp -- the closing picture: its pieces, the figures' choice, the layout file and drawing.
#include "scoring/ending.h"

#include <cstdio>
#include <cstring>

#include "room/room.h"
#include "runtime/clock.h"
#include "runtime/files.h"
#include "runtime/numeric.h"
#include "runtime/random.h"
#include "shell/game.h"

TImagePtr ending_figure_images[ENDING_KINDS][ENDING_VIEWS][ENDING_PIECES];
TImagePtr ending_table_images[3];
int ending_figure_kinds[ENDING_PLACES];
int ending_positions[ENDING_PLACES][ENDING_SLOTS + 1][3];

namespace {

constexpr int HOST_KIND = 7;
constexpr int HOST_PLACE = 12;
constexpr int FRONT_VIEW = 2;
constexpr int SWINGING_PIECE = 2; // the host's piece that moves up and down
const char16_t* const VIEW_WORDS[ENDING_VIEWS] = {u"links", u"rechts", u"vorne"};
const TString LAYOUT_FILE = u"data/Endpos.txt";

// The piece image of kind k in view v, piece n; null for values outside the arrays, and for the
// views the host does not have.
const TImage* figure_piece(int k, int v, int n) {
    if (k < 1 || k > ENDING_KINDS || v < 0 || v >= ENDING_VIEWS || n < 1 || n > ENDING_PIECES)
        return nullptr;
    return ending_figure_images[k - 1][v][n - 1].get();
}

int read_value(TFileStream* file) {
    return string_to_int(read_line(file));
}

void draw_wall_and_floor() {
    set_scale(2, 2);
    for (int i = 0; i < 13; ++i) draw_image(tile_images[9].get(), float(64 * i), 64, 0);
    draw_image(door_image.get(), 400, 64, 0);
    for (int i = 0; i < 13; ++i)
        for (int j = 0; j < 8; ++j)
            draw_image(tile_images[0].get(), float(64 * i), float(128 + 64 * j), 0);
    set_scale(1, 1);
}

// Piece 2 of the host swings 3 pixels up and down, once every 2 seconds (0.18 degrees a ms).
double swing_offset() {
    return 3 * sin_deg(float(millisecs()) * 0.36f / 2.0f);
}

void draw_figure(int p) {
    int k = ending_figure_kinds[p], v = ending_positions[p][0][0];
    for (int j = 1; j <= ENDING_SLOTS; ++j) {
        const int* slot = ending_positions[p][j];
        double w = k == HOST_KIND && slot[0] == SWINGING_PIECE ? swing_offset() : 0;
        draw_image(figure_piece(k, v, slot[0]), float(slot[1]), float(slot[2] + w), 0);
    }
}

// A left end, ten middle pieces and a right end, over the lower parts of the figures.
void draw_table() {
    for (int i = 0; i < 12; ++i) {
        int t = i == 0 ? 0 : i == 11 ? 2 : 1;
        draw_image(ending_table_images[t].get(), float(48 + 64 * i), 400, 0);
    }
}

} // namespace

void load_ending_images() {
    for (int k = 1; k <= ENDING_KINDS; ++k)
        for (int v = k == HOST_KIND ? FRONT_VIEW : 0; v < ENDING_VIEWS; ++v)
            for (int n = 1; n <= ENDING_PIECES; ++n)
                ending_figure_images[k - 1][v][n - 1] =
                    load_image(u"gfx/Ende/Bilder" + int_to_string(k) + u"/" + VIEW_WORDS[v] +
                                   u"/teil" + int_to_string(n) + u".png",
                               IMAGE_DEFAULT);
    for (int t = 1; t <= 3; ++t)
        ending_table_images[t - 1] =
            load_image(u"gfx/Ende/Tisch" + int_to_string(t) + u".png", IMAGE_DEFAULT);
}

void choose_ending_figures() {
    for (int p = 0; p < HOST_PLACE; ++p) ending_figure_kinds[p] = rand_int(1, 6);
    ending_figure_kinds[HOST_PLACE] = HOST_KIND;
}

// Per place: the view, an ignored line, then four groups of piece, x, y and an ignored line. A
// missing file reads as empty, every value 0: no piece is drawn.
void read_ending_layout() {
    auto file = open_read_file(LAYOUT_FILE);
    if (!file->handle)
        std::fprintf(stderr, "zedoria: cannot read %s: %s\n", string_to_utf8(LAYOUT_FILE).c_str(),
                     std::strerror(file->open_error));
    for (auto& place : ending_positions) {
        place[0][0] = read_value(file.get());
        read_line(file.get());
        for (int j = 1; j <= ENDING_SLOTS; ++j) {
            for (int& value : place[j]) value = read_value(file.get());
            read_line(file.get());
        }
    }
    report_short_file(file.get(), LAYOUT_FILE, ENDING_PLACES * (2 + 4 * ENDING_SLOTS));
    close_file(file.get());
}

void draw_ending() {
    draw_wall_and_floor();
    for (int p = 0; p < ENDING_PLACES; ++p) draw_figure(p);
    draw_table();
}
