// strings_test.cpp -- the string operations and number conversions, as tables of cases.
#include <gtest/gtest.h>

#include "runtime/strings.h"

namespace {

std::string utf8(const TString& s) {
    return string_to_utf8(s);
}

TEST(Strings, StringToIntReadsSignBaseAndStopsAtTheFirstNonDigit) {
    struct {
        TString text;
        int value;
    } cases[] = {
        {u" 42abc", 42},
        {u"-$ff", -255},
        {u"%101", 5},
        {u"abc", 0},
        {u"$", 0},
        {u"12 34", 12},
        {u"  -12", -12},
        {u"+7x", 7},
        {u"%", 0},
        {u"$1F", 31},
        {u"", 0},
        {u" \t\r\n\v\f", 0},
        {u"-", 0},
        {u"+-3", 0},
        {u"%102", 2},
        {u"$fG", 15},
        {u"\t\n 9", 9},
        {u"- 5", 0},
        {u"0", 0},
        {u"-2147483648", INT32_MIN},
        {u"2147483648", INT32_MIN},
        {u"4294967297", 1},
        {u"$FFFFFFFF", -1},
        {u"\u00a0"
         u"5",
         0}, // only the C locale's white space is skipped
    };
    for (const auto& c : cases) EXPECT_EQ(string_to_int(c.text), c.value) << utf8(c.text);
}

TEST(Strings, IntToStringIsPlainDecimal) {
    struct {
        int value;
        TString text;
    } cases[] = {{-7, u"-7"},
                 {0, u"0"},
                 {1234567, u"1234567"},
                 {INT32_MIN, u"-2147483648"},
                 {INT32_MAX, u"2147483647"}};
    for (const auto& c : cases) EXPECT_EQ(int_to_string(c.value), c.text) << c.value;
}

TEST(Strings, FloatToStringKeepsNineSignificantDigits) {
    struct {
        float value;
        TString text;
    } cases[] = {
        {0.5f, u"0.500000000"},    {1.0f, u"1.00000000"},        {0.0f, u"0.00000000"},
        {0.8f, u"0.800000012"},    {0.25f, u"0.250000000"},      {-2.5f, u"-2.50000000"},
        {1e9f, u"1.00000000e+09"}, {0.0001f, u"9.99999975e-05"}, {0.001f, u"0.00100000005"}};
    for (const auto& c : cases) EXPECT_EQ(float_to_string(c.value), c.text) << c.value;
}

TEST(Strings, StringToFloatParsesLikeAtofInTheNeutralLocale) {
    struct {
        TString text;
        float value;
    } cases[] = {{u"0.250000000", 0.25f},
                 {u"0.800000012", 0.8f},
                 {u"  -1.5e2x", -150.0f},
                 {u"abc", 0.0f},
                 {u"", 0.0f},
                 {u"3,5", 3.0f},
                 {u".5", 0.5f},
                 {u"+2", 2.0f}};
    for (const auto& c : cases) EXPECT_EQ(string_to_float(c.text), c.value) << utf8(c.text);
}

TEST(Strings, SlicesFollowTheirOneBasedAndClampingRules) {
    const TString name = u"Anna,123";
    struct {
        TString result, expected;
    } cases[] = {
        {mid_string(name, 5, 1), u","},
        {mid_string(name, 9, 1), u""},
        {mid_string(name, 0, 1), u""},
        {mid_string(name, 1, 1), u"A"},
        {mid_string(name, 0, 3), u"An"},
        {mid_string(name, -2, 5), u"An"},
        {mid_string(name, 6, 10), u"123"},
        {mid_string(name, 6, -1), u"123"},
        {mid_string(name, -1, -1), u"  Anna,123"},
        {mid_string(name, 8, 0), u""},
        {mid_string(u"", 1, 1), u""},
        {left_string(u"12:05", 0), u""},
        {left_string(u"12:05", 2), u"12"},
        {left_string(u"12:05", 10), u"12:05"},
        {left_string(u"12:05", -3), u""},
        {right_string(u"12:05", 10), u"12:05"},
        {right_string(u"12:05", 2), u"05"},
        {right_string(u"12:05", 0), u""},
        {right_string(u"12:05", -1), u""},
        {concat(u"Punkte: ", u"12"), u"Punkte: 12"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.result, c.expected) << utf8(c.expected);
}

TEST(Strings, CompareStringsGivesTheFirstCodeDifferenceElseTheLengthDifference) {
    struct {
        TString a, b;
        int result;
    } cases[] = {{u"abc", u"abd", -1},
                 {u"ab", u"abc", -1},
                 {u",", u",", 0},
                 {u"", u"", 0},
                 {u"b", u"a", 1},
                 {u"A", u"a", -32},
                 {u"abc", u"", 3},
                 {u"\u00e4", u"a", 0xe4 - 'a'},
                 {u"\uffff", u"\u0001", 0xfffe}};
    for (const auto& c : cases)
        EXPECT_EQ(compare_strings(c.a, c.b), c.result) << utf8(c.a) << " vs " << utf8(c.b);
}

TEST(Strings, Latin1KeepsLowBytesAndUtf8EncodesPaths) {
    std::string every_byte;
    for (int b = 0; b < 256; ++b) every_byte += char(b);
    TString every_char = latin1_to_string(every_byte);
    ASSERT_EQ(every_char.size(), 256u);
    for (int b = 0; b < 256; ++b) EXPECT_EQ(every_char[b], char16_t(b));
    EXPECT_EQ(string_to_latin1(every_char), every_byte);
    EXPECT_EQ(latin1_to_string("\xe4\x80\xff"
                               "a"),
              u"\u00e4\u0080\u00ff"
              u"a");
    EXPECT_EQ(string_to_latin1(u"\u00e4\u20ac"
                               u"b"),
              "\xe4\xac"
              "b"); // U+20AC keeps its 0xAC
    EXPECT_EQ(string_to_utf8(u"J\u00fcnger"), "J\xc3\xbcnger");
    EXPECT_EQ(string_to_utf8(u"\u20ac\U0001F600"), "\xe2\x82\xac\xf0\x9f\x98\x80");
    EXPECT_EQ(string_to_utf8(TString(1, char16_t(0xD800))), "\xef\xbf\xbd");
    EXPECT_EQ(native_path(u"gfx\\Menschen\\J\u00fcnger/l1.png"),
              "gfx/Menschen/J\xc3\xbcnger/l1.png");
}

TEST(Strings, TypedUtf8BecomesOneCodeACharacterAndBadBytesTheReplacementCharacter) {
    const struct {
        const char* utf8;
        std::u32string codes;
    } cases[] = {
        {"K\xc3\xa4the,", U"K\u00e4the,"},
        {"\xe2\x82\xac\xf0\x9f\x98\x80", U"\u20ac\U0001F600"},
        {"\xc3", U"\uFFFD"},                               // cut short
        {"\xc3(", U"\uFFFD("},                             // not followed by a continuation byte
        {"\x80\xbf", U"\uFFFD\uFFFD"},                     // continuation bytes alone
        {"\xc0\xaf", U"\uFFFD\uFFFD"},                     // an overlong "/"
        {"\xed\xa0\x80", U"\uFFFD\uFFFD\uFFFD"},           // a surrogate
        {"\xf4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"}, // past U+10FFFF
        {"\xff", U"\uFFFD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8_to_code_points(c.utf8), c.codes) << testing::PrintToString(c.utf8);
}

} // namespace
