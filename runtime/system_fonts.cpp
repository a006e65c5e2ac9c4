// system_fonts.cpp -- the fontconfig search for a sans-serif TrueType font file.
#include "runtime/system_fonts.h"

#include <fontconfig/fontconfig.h>

namespace {

bool system_font_search = true; // false: find_system_sans_font finds nothing

// The file of a font that fontconfig lists, if it is a scalable TrueType font.
std::string truetype_file(FcPattern* font) {
    FcChar8* format = nullptr;
    FcChar8* file = nullptr;
    FcBool scalable = FcFalse;
    if (FcPatternGetString(font, FC_FONTFORMAT, 0, &format) != FcResultMatch ||
        FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch ||
        FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) != FcResultMatch)
        return "";
    bool truetype = std::string(reinterpret_cast<const char*>(format)) == "TrueType";
    return truetype && scalable ? reinterpret_cast<const char*>(file) : "";
}

// The first TrueType font of fontconfig's list of fonts closest to "sans-serif".
std::string first_sans_truetype_file(FcConfig* config) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    if (!pattern) return "";
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcFontSet* fonts = FcFontSort(config, pattern, FcTrue, nullptr, &result);
    std::string file;
    for (int i = 0; fonts && i < fonts->nfont && file.empty(); ++i)
        file = truetype_file(fonts->fonts[i]);
    if (fonts) FcFontSetDestroy(fonts);
    FcPatternDestroy(pattern);
    return file;
}

} // namespace

std::string find_system_sans_font() {
    if (!system_font_search || !FcInit()) return "";
    return first_sans_truetype_file(FcConfigGetCurrent());
}

void set_system_font_search(bool on) {
    system_font_search = on;
}
