// pictures.h -- the list of pictures the generator writes: each a file name under the output
// folder, its canvas and the size of one cell (a strip of animation cells, or the whole picture).
#pragma once

#include <string>
#include <vector>

#include "tools/canvas.h"

struct TPicture {
    std::string path; // relative to the output folder, e.g. "gfx/teil6.png"
    TCanvas canvas;
    int cell_width, cell_height;
};
using TPictureList = std::vector<TPicture>;

// Each adds its pictures to the list, in a fixed order.
void add_tile_pictures(TPictureList& list);   // gfx/0.png .. gfx/13.png
void add_people_pictures(TPictureList& list); // the host, the six guests and the cook
void add_prop_pictures(TPictureList& list);   // dish, faces, barometer, menu pieces
void add_ending_pictures(TPictureList& list); // gfx/Ende/: figure pieces, table, door

// The closing picture's layout file as the game reads it: 13 blocks of 18 lines, CR LF.
std::string ending_layout_text();

// Every picture, in the order above.
TPictureList all_pictures();

// The program's icon for the desktop at 16, 32, 48, 64, 128 and 256 pixels, each under
// "hicolor/<size>x<size>/apps/" (the layout of share/icons/); written with transparency.
TPictureList icon_pictures();
