// glyph_font.cpp -- fonts for drawing and their glyph caches: TrueType glyphs rasterised into
// images on first use, the built-in font's glyphs made from its bitmap table.
#include "runtime/glyph_font.h"

#include "runtime/builtin_font.h"

namespace {

// A glyph of the built-in font: white where its bits are set, advance 8, offset (0, 0).
TImageGlyph make_builtin_glyph(int index) {
    const TBuiltinFontBitmap& bitmap = builtin_font_bitmap();
    TPixmap pixmap = make_pixmap(BUILTIN_GLYPH_WIDTH, BUILTIN_GLYPH_HEIGHT, TPixelFormat::alpha);
    bool any_pixel = false;
    for (int row = 0; row < BUILTIN_GLYPH_HEIGHT; ++row)
        for (int column = 0; column < BUILTIN_GLYPH_WIDTH; ++column) {
            bool set = (bitmap[row][index] >> column) & 1;
            pixmap.bytes[row * pixmap.pitch + column] = set ? 255 : 0;
            any_pixel = any_pixel || set;
        }
    TImageGlyph glyph;
    glyph.advance = BUILTIN_GLYPH_WIDTH;
    glyph.w = BUILTIN_GLYPH_WIDTH;
    glyph.h = BUILTIN_GLYPH_HEIGHT;
    if (any_pixel) glyph.image = create_image_from_pixmaps({std::move(pixmap)}, 0);
    return glyph;
}

// A TrueType glyph rasterised and turned into an image with the font's glyph image flags.
TImageGlyph make_truetype_glyph(const TGlyphFont& font, int index) {
    TFreeTypeGlyph rasterised = rasterise_truetype_glyph(*font.source, index);
    TImageGlyph glyph;
    glyph.advance = rasterised.advance;
    glyph.x = rasterised.x;
    glyph.y = rasterised.y;
    glyph.w = rasterised.w;
    glyph.h = rasterised.h;
    if (rasterised.pixels)
        glyph.image = create_image_from_pixmaps({std::move(*rasterised.pixels)}, font.image_flags);
    return glyph;
}

} // namespace

void TGlyphFontDeleter::operator()(TGlyphFont* font) const {
    delete font;
}

TGlyphFontPtr make_glyph_font(std::unique_ptr<TTrueTypeFont> source, int style) {
    TGlyphFontPtr font(new TGlyphFont);
    font->glyphs.resize(source->glyph_count);
    font->image_flags = style & 4 ? IMAGE_FILTERED | IMAGE_MIPMAPPED : 0;
    font->source = std::move(source);
    return font;
}

TGlyphFont& builtin_font() {
    static TGlyphFont font = [] {
        TGlyphFont built_in;
        built_in.glyphs.resize(BUILTIN_GLYPH_COUNT);
        return built_in;
    }();
    return font;
}

int glyph_index(const TGlyphFont& font, char16_t unit) {
    if (font.source) return truetype_glyph_index(*font.source, unit);
    int index = int(unit) - BUILTIN_FIRST_CHAR;
    return index >= 0 && index < BUILTIN_GLYPH_COUNT ? index : -1;
}

const TImageGlyph& glyph(TGlyphFont& font, int index) {
    std::optional<TImageGlyph>& slot = font.glyphs[index];
    if (!slot) slot = font.source ? make_truetype_glyph(font, index) : make_builtin_glyph(index);
    return *slot;
}

int line_height(const TGlyphFont& font) {
    return font.source ? font.source->height : BUILTIN_GLYPH_HEIGHT;
}
