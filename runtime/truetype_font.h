// truetype_font.h -- TrueType/OpenType faces opened through FreeType at a pixel size, and their
// glyphs rasterised into coverage pixmaps.
//
// The glyph font code (glyph_font.cpp) opens one per loaded font and rasterises each glyph once,
// on its first use, into the image it then keeps.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "runtime/image.h"

struct FT_FaceRec_;

// A FreeType face at a pixel size.
struct TTrueTypeFont {
    FT_FaceRec_* face = nullptr; // owned; closed with the font
    int style = 0;               // the style bits asked for; stored only
    int height = 0;              // line height in whole pixels (size metrics / 64, rounded down)
    int ascender = 0;            // baseline below the line top, in whole pixels
    int descender = 0;           // lowest point relative to the baseline (negative), whole pixels
    int glyph_count = 0;         // glyphs in the face
    ~TTrueTypeFont();
};

// One rasterised glyph.
struct TFreeTypeGlyph {
    std::optional<TPixmap> pixels; // alpha-only coverage; none for a glyph without pixels
    float advance = 0;             // horizontal advance in whole pixels
    int x = 0, y = 0;              // offset of the pixels from the pen; y from the line top
    int w = 0, h = 0;              // size of the pixels
};

// Opens the face in `file` (a file system path) at `size` pixels, stepping the size down while
// FreeType refuses it. Null when the file cannot be opened as a face or no size down to 1 works.
std::unique_ptr<TTrueTypeFont> open_truetype_font(const std::string& file, int size, int style);
// The glyph index of a UTF-16 unit: FreeType's character index - 1, so -1 means no glyph.
int truetype_glyph_index(const TTrueTypeFont& font, char16_t unit);
// Rasterises glyph `index` (anti-aliased); a glyph FreeType cannot load comes back empty.
TFreeTypeGlyph rasterise_truetype_glyph(const TTrueTypeFont& font, int index);
