// text.cpp -- loading and selecting fonts, and drawing and measuring text with the current font.
#include "runtime/text.h"

#include <cstdio>
#include <filesystem>

#include "runtime/draw_context.h"
#include "runtime/glyph_font.h"
#include "runtime/image.h"
#include "runtime/numeric.h"
#include "runtime/system_fonts.h"

namespace {

TGlyphFont& current_font() {
    return draw_context.font ? *draw_context.font : builtin_font();
}

// Opens `file`; when it does not load, the system's sans-serif font at the same size stands in.
// A file that is not there at all is the normal case on systems without it (the game's Windows
// font path never exists on Linux), so only a file there but broken, or the fall back to the
// built-in font, is said once on standard error.
std::unique_ptr<TTrueTypeFont> open_font_or_standin(const std::string& file, int size, int style) {
    if (auto font = open_truetype_font(file, size, style)) return font;
    std::string standin = find_system_sans_font();
    auto font = standin.empty() ? nullptr : open_truetype_font(standin, size, style);
    std::error_code ignored;
    if (font && !std::filesystem::exists(file, ignored)) return font;
    if (font)
        std::fprintf(stderr, "zedoria: cannot load font %s, using %s\n", file.c_str(),
                     standin.c_str());
    else
        std::fprintf(stderr, "zedoria: cannot load font %s, using the built-in font\n",
                     file.c_str());
    return font;
}

} // namespace

TGlyphFontPtr load_image_font(const TString& path, int size, int style) {
    std::unique_ptr<TTrueTypeFont> source = open_font_or_standin(native_path(path), size, style);
    return source ? make_glyph_font(std::move(source), style) : nullptr;
}

void set_image_font(TGlyphFont* font) {
    draw_context.font = font;
}

void draw_text(const TString& text, float x, float y) {
    const TDrawContext& c = draw_context;
    TGlyphFont& font = current_font();
    float pen_x = x + c.origin_x + c.handle_x * c.ix + c.handle_y * c.iy;
    float pen_y = y + c.origin_y + c.handle_x * c.jx + c.handle_y * c.jy;
    for (char16_t unit : text) {
        int index = glyph_index(font, unit);
        if (index < 0) continue;
        const TImageGlyph& g = glyph(font, index);
        if (g.image)
            draw_image_frame_at(g.image.get(), 0, pen_x + to_int(g.x * c.ix + g.y * c.iy),
                                pen_y + to_int(g.x * c.jx + g.y * c.jy));
        pen_x += g.advance * c.ix;
        pen_y += g.advance * c.jx;
    }
}

int text_width(const TString& text) {
    TGlyphFont& font = current_font();
    int width = 0;
    for (char16_t unit : text) {
        int index = glyph_index(font, unit);
        if (index >= 0) width = to_int(width + glyph(font, index).advance);
    }
    return width;
}

int text_height() {
    return line_height(current_font());
}
