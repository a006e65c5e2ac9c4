// strings.h -- the game's strings (UTF-16 code units) and their conversions.
//
// Strings are immutable values; every operation returns a new one. Text files hold one byte per
// character (Latin-1); file paths are encoded as UTF-8 for the file system.
#pragma once

#include <string>

using TString = std::u16string;

TString int_to_string(int value);           // "-7", "0", "-2147483648"
TString float_to_string(float value);       // printf "%#.9g": 0.8f -> "0.800000012"
int string_to_int(const TString& text);     // " 42abc" 42, "-$ff" -255, "%101" 5
float string_to_float(const TString& text); // atof in the "C" locale, rounded to float
TString mid_string(const TString& text, int start, int count); // 1-based start; count < 0: to end
TString left_string(const TString& text, int n);
TString right_string(const TString& text, int n);
int compare_strings(const TString& a, const TString& b); // first code difference, else length diff
TString concat(const TString& a, const TString& b);
TString latin1_to_string(const std::string& bytes);          // one byte per character
std::string string_to_latin1(const TString& text);           // the low byte of each character
std::string string_to_utf8(const TString& text);             // for file system paths and messages
std::u32string utf8_to_code_points(const std::string& text); // typed text; bad bytes U+FFFD
std::string native_path(const TString& path);                // backslashes to "/", then UTF-8
