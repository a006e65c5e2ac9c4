// string_to_int_fuzz.cpp -- fuzzes string_to_int on any text, read as the game reads its files
// (one byte per character) and as UTF-16 code units.
//
// Every result must survive int_to_string and back; a plain decimal that fits an int must give
// what the C library's strtoll gives; digits may not be found outside Latin-1 (a character whose
// low byte is a digit is no digit); and text after the number never changes it.
#include <cerrno>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_files.h"

namespace {

bool is_space(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// strtoll agrees with string_to_int on white space, one sign and decimal digits, as long as the
// value fits an int (string_to_int wraps where strtoll saturates) and no "$" or "%" base follows.
void check_against_strtoll(const std::string& bytes, int value) {
    std::string text = bytes.substr(0, bytes.find('\0'));
    size_t i = 0;
    while (i < text.size() && is_space(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i >= text.size() || !is_digit(text[i])) return;
    errno = 0;
    long long expected = std::strtoll(text.c_str(), nullptr, 10);
    if (errno != 0 || expected < INT32_MIN || expected > INT32_MAX) return;
    fuzz_check(value == int(expected), "a decimal number reads as strtoll reads it");
}

TString utf16_units(const std::uint8_t* data, size_t size) {
    TString text;
    for (size_t i = 0; i + 1 < size; i += 2) text += char16_t(data[i] | data[i + 1] << 8);
    return text;
}

// Only Latin-1 characters count, so the low bytes of the others must not be read as digits.
void check_wide(const TString& text) {
    TString latin1;
    for (char16_t c : text) {
        if (c > 0xFF) break;
        latin1 += c;
    }
    fuzz_check(string_to_int(text) == string_to_int(latin1), "wide characters end the number");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    TString text = latin1_to_string(bytes);
    int value = string_to_int(text);
    fuzz_check(string_to_int(int_to_string(value)) == value, "int_to_string reads back");
    fuzz_check(string_to_int(text + u"x1") == value, "text after the number does not count");
    check_against_strtoll(bytes, value);
    check_wide(utf16_units(data, size));
    return 0;
}
