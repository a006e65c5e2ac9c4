// system_fonts.h -- asks fontconfig for a font file to stand in for a font that cannot be opened.
//
// load_image_font (text.cpp) uses it when the file it was given does not load, as the game's
// fixed Windows font path does not on Linux.
#pragma once

#include <string>

// The file of the system's best sans-serif TrueType font; "" when there is none (or the search
// is switched off).
std::string find_system_sans_font();
// Switches the search on (the default) or off; the tests switch it off to reach the built-in
// font as a missing font file would on a machine without fonts.
void set_system_font_search(bool on);
