// glyph_font.h -- fonts for drawing: a TrueType font or the built-in font, with a cache of glyph
// images built on first use.
//
// text.cpp looks glyphs up here for drawing and measuring; the glyph images are images of the
// drawing layer (white, alpha = coverage) and take the current colour when drawn.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "runtime/text.h"
#include "runtime/truetype_font.h"

// One glyph ready to draw.
struct TImageGlyph {
    TImagePtr image;   // the coverage as a white image; null for a glyph without pixels
    float advance = 0; // pen advance in pixels
    int x = 0, y = 0;  // offset of the image from the pen; y from the line top
    int w = 0, h = 0;  // size of the image
};

struct TGlyphFont {
    std::unique_ptr<TTrueTypeFont> source;          // null for the built-in font
    std::vector<std::optional<TImageGlyph>> glyphs; // by glyph index, filled on first use
    int image_flags = 0; // flags of the glyph images: 6 (filtered + mipmapped) for style bit 4
};

// Wraps an opened TrueType font; style bit 4 gives smoothed glyph images.
TGlyphFontPtr make_glyph_font(std::unique_ptr<TTrueTypeFont> source, int style);
TGlyphFont& builtin_font();                             // created on first use and shared
int glyph_index(const TGlyphFont& font, char16_t unit); // -1 when the font has no glyph for it
const TImageGlyph& glyph(TGlyphFont& font, int index);  // an index glyph_index gave
int line_height(const TGlyphFont& font);                // TrueType height, 16 for the built-in
