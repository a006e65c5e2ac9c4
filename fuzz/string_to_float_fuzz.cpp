// string_to_float_fuzz.cpp -- fuzzes string_to_float on any text, read as the game reads its
// files (one byte per character) and as UTF-16 code units reduced to their low bytes.
//
// Every finite result must survive float_to_string ("%#.9g", the settings file's format) and
// back bit for bit; NaN and infinities stay what they are; and a separator or letter after the
// number never changes it.
#include <cmath>
#include <cstring>
#include <string>

#include "fuzz/fuzz_files.h"

namespace {

bool same_float(float a, float b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void check_value(const TString& text) {
    float value = string_to_float(text);
    fuzz_check(same_float(string_to_float(float_to_string(value)), value),
               "float_to_string reads back bit for bit");
    // A NUL ends the text for the C library; anything after it must not count either.
    fuzz_check(same_float(string_to_float(text + TString(1, u'\0') + u"1"), value),
               "text after a NUL does not count");
}

TString utf16_units(const std::uint8_t* data, size_t size) {
    TString text;
    for (size_t i = 0; i + 1 < size; i += 2) text += char16_t(data[i] | data[i + 1] << 8);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    check_value(latin1_to_string(std::string(reinterpret_cast<const char*>(data), size)));
    check_value(utf16_units(data, size));
    return 0;
}
