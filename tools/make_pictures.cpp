// make_pictures.cpp -- the picture generator's entry: writes every picture the game loads under
// OUT/gfx/, or a contact sheet of them for review, or the closing picture's layout file.
//
//   make_pictures OUT                       the whole gfx/ tree under OUT
//   make_pictures --sheet FILE.png [TEXT..] every picture (whose name contains one TEXT) at 3x
//   make_pictures --layout FILE             the layout file data/Endpos.txt
//   make_pictures --icons OUT               the program's icons under OUT/hicolor/
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/materials.h"
#include "tools/pictures.h"

namespace {

constexpr int SHEET_SCALE = 3;
constexpr int SHEET_WIDTH = 640; // in picture pixels, before scaling
constexpr int SHEET_GAP = 4;

// The cells of a picture laid out in rows no wider than the sheet, each on the floor colour so
// that transparent pixels look as they do in the room.
TCanvas sheet_block(const TPicture& p) {
    int columns = p.canvas.width() / p.cell_width, rows = p.canvas.height() / p.cell_height;
    int per_row = std::max(1, std::min(columns, SHEET_WIDTH / (p.cell_width + 1)));
    int cells = columns * rows, block_rows = (cells + per_row - 1) / per_row;
    TCanvas block(per_row * (p.cell_width + 1) + 1, block_rows * (p.cell_height + 1) + 1);
    block.fill_rect(0, 0, block.width(), block.height(), {40, 40, 48});
    for (int i = 0; i < cells; ++i) {
        int bx = 1 + (i % per_row) * (p.cell_width + 1),
            by = 1 + (i / per_row) * (p.cell_height + 1);
        TCanvas cell = p.canvas.crop((i % columns) * p.cell_width, (i / columns) * p.cell_height,
                                     p.cell_width, p.cell_height);
        block.fill_rect(bx, by, p.cell_width, p.cell_height, material::FLOOR.mid);
        block.blit(cell, bx, by);
    }
    return block;
}

bool matches(const std::string& path, const std::vector<std::string>& filters) {
    for (const std::string& f : filters)
        if (path.find(f) != std::string::npos) return true;
    return filters.empty();
}

int write_sheet(const std::string& file, const std::vector<std::string>& filters) {
    std::vector<TCanvas> blocks;
    for (const TPicture& p : all_pictures())
        if (matches(p.path, filters)) {
            blocks.push_back(sheet_block(p));
            std::printf("%s\n", p.path.c_str());
        }
    // shelf packing: left to right, a new shelf when the next block does not fit
    int x = 0, y = 0, shelf = 0, width = SHEET_WIDTH;
    std::vector<std::pair<int, int>> places;
    for (const TCanvas& b : blocks) {
        if (x > 0 && x + b.width() > SHEET_WIDTH) x = 0, y += shelf + SHEET_GAP, shelf = 0;
        places.push_back({x, y});
        x += b.width() + SHEET_GAP;
        shelf = std::max(shelf, b.height());
        width = std::max(width, b.width());
    }
    TCanvas sheet(width, std::max(1, y + shelf));
    sheet.fill_rect(0, 0, sheet.width(), sheet.height(), {24, 24, 28});
    for (size_t i = 0; i < blocks.size(); ++i)
        sheet.blit(blocks[i], places[i].first, places[i].second);
    return write_png(file, sheet.scaled(SHEET_SCALE)) ? 0 : 1;
}

int write_tree(const std::string& out, const TPictureList& pictures, bool transparent) {
    for (const TPicture& p : pictures)
        if (!write_png(out + "/" + p.path, p.canvas, transparent)) return 1;
    return 0;
}

int write_layout(const std::string& file) {
    std::ofstream(file, std::ios::binary) << ending_layout_text();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string first = argc > 1 ? argv[1] : "";
    if (first == "--sheet" && argc >= 3) return write_sheet(argv[2], {argv + 3, argv + argc});
    if (first == "--layout" && argc == 3) return write_layout(argv[2]);
    if (first == "--icons" && argc == 3) return write_tree(argv[2], icon_pictures(), true);
    if (argc == 2 && !first.starts_with("--")) return write_tree(first, all_pictures(), false);
    std::fprintf(stderr, "usage: make_pictures OUT | --sheet FILE.png [TEXT..] | --layout FILE | "
                         "--icons OUT\n");
    return 2;
}
