// truetype_font.cpp -- FreeType faces at a pixel size and their glyphs as coverage pixmaps.
#include "runtime/truetype_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>

namespace {

// The FreeType library, opened on the first font load and kept for the life of the process
// (faces may be closed as late as the destruction of the game's globals). Null if it failed.
FT_Library freetype_library() {
    static FT_Library library = [] {
        FT_Library opened = nullptr;
        return FT_Init_FreeType(&opened) == 0 ? opened : nullptr;
    }();
    return library;
}

// Asks for a character height of `size` pixels, stepping down while FreeType refuses it.
// Returns the size it accepted, or 0 when none down to 1 was.
int request_pixel_size(FT_Face face, int size) {
    while (size > 0 && FT_Set_Pixel_Sizes(face, 0, FT_UInt(size)) != 0) --size;
    return size > 0 ? size : 0;
}

// The bitmap row `row` of a FreeType bitmap, whichever way its rows flow.
const unsigned char* bitmap_row(const FT_Bitmap& bitmap, int row) {
    int pitch = bitmap.pitch;
    int index = pitch >= 0 ? row : int(bitmap.rows) - 1 - row;
    return bitmap.buffer + index * std::abs(pitch);
}

// A rendered FreeType bitmap as an alpha-only pixmap: grey levels are copied, one-bit bitmaps
// are unpacked most significant bit first into 255 and 0.
TPixmap coverage_pixmap(const FT_Bitmap& bitmap) {
    TPixmap pixmap = make_pixmap(int(bitmap.width), int(bitmap.rows), TPixelFormat::alpha);
    bool one_bit = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    for (int row = 0; row < pixmap.height; ++row) {
        const unsigned char* source = bitmap_row(bitmap, row);
        std::uint8_t* target = pixmap.bytes.data() + row * pixmap.pitch;
        for (int column = 0; column < pixmap.width; ++column)
            target[column] =
                one_bit ? ((source[column / 8] >> (7 - column % 8)) & 1) * 255 : source[column];
    }
    return pixmap;
}

} // namespace

TTrueTypeFont::~TTrueTypeFont() {
    if (face) FT_Done_Face(face);
}

std::unique_ptr<TTrueTypeFont> open_truetype_font(const std::string& file, int size, int style) {
    FT_Library library = freetype_library();
    FT_Face face = nullptr;
    if (!library || FT_New_Face(library, file.c_str(), 0, &face) != 0) return nullptr;
    auto font = std::make_unique<TTrueTypeFont>();
    font->face = face;
    font->style = style;
    if (request_pixel_size(face, size) == 0) return nullptr; // closes the face
    const FT_Size_Metrics& metrics = face->size->metrics;
    font->height = int(metrics.height >> 6);
    font->ascender = int(metrics.ascender >> 6);
    font->descender = int(metrics.descender >> 6);
    font->glyph_count = int(face->num_glyphs);
    return font;
}

int truetype_glyph_index(const TTrueTypeFont& font, char16_t unit) {
    return int(FT_Get_Char_Index(font.face, FT_ULong(unit))) - 1;
}

TFreeTypeGlyph rasterise_truetype_glyph(const TTrueTypeFont& font, int index) {
    TFreeTypeGlyph glyph;
    if (FT_Load_Glyph(font.face, FT_UInt(index + 1), FT_LOAD_RENDER) != 0) return glyph;
    FT_GlyphSlot slot = font.face->glyph;
    glyph.advance = float(slot->advance.x >> 6);
    glyph.x = slot->bitmap_left;
    glyph.y = font.ascender - slot->bitmap_top;
    glyph.w = int(slot->bitmap.width);
    glyph.h = int(slot->bitmap.rows);
    if (glyph.w != 0 && glyph.h != 0) glyph.pixels = coverage_pixmap(slot->bitmap);
    return glyph;
}
