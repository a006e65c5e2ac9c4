// text.h -- image fonts: TrueType fonts rasterised glyph by glyph into images, and the built-in
// 8 x 16 font that stands in whenever no font is selected or a font could not be loaded.
#pragma once

#include <memory>

#include "runtime/strings.h"

struct TGlyphFont; // a font for drawing (runtime/glyph_font.h)
struct TGlyphFontDeleter {
    void operator()(TGlyphFont* font) const;
};
using TGlyphFontPtr = std::unique_ptr<TGlyphFont, TGlyphFontDeleter>;

// Loads a font at a pixel size; style bit 4 gives smoothed (filtered + mipmapped) glyph images.
TGlyphFontPtr load_image_font(const TString& path, int size, int style);
void set_image_font(TGlyphFont* font); // the current font; null selects the built-in font
void draw_text(const TString& text, float x, float y); // (x, y) is the top-left of the line
int text_width(const TString& text);                   // in pixels, unscaled
int text_height();                                     // the current font's line height, unscaled
