// builtin_font.h -- the bitmaps of the built-in 8 x 16 font for the characters 32..127.
//
// The glyph font code (glyph_font.cpp) turns them into glyph images the first time the built-in
// font is used.
#pragma once

#include <array>
#include <cstdint>

enum : int {
    BUILTIN_FIRST_CHAR = 32,   // the character of glyph 0
    BUILTIN_GLYPH_COUNT = 96,  // characters 32..127
    BUILTIN_GLYPH_WIDTH = 8,   // also the advance
    BUILTIN_GLYPH_HEIGHT = 16, // also the line height
};

// Row r, byte g: row r of glyph g (character 32 + g); bit 0 is the leftmost pixel.
using TBuiltinFontBitmap =
    std::array<std::array<std::uint8_t, BUILTIN_GLYPH_COUNT>, BUILTIN_GLYPH_HEIGHT>;

const TBuiltinFontBitmap& builtin_font_bitmap(); // built from the glyph drawings on first use
