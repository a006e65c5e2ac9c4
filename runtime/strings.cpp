// strings.cpp -- the game's UTF-16 strings: number conversions, slices, comparison, encodings.
#include "runtime/strings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

// The neutral locale, so that "." is the decimal separator whatever the system's locale says.
locale_t c_locale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return locale;
}

bool is_space(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r'); // tab, LF, vertical tab, form feed, CR
}

// The value of c as a digit of base, or -1 when it is none.
int digit_value(char16_t c, int base) {
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < base ? value : -1;
}

TString ascii_to_string(const char* text) {
    TString result;
    while (*text) result += char16_t(static_cast<unsigned char>(*text++));
    return result;
}

void append_utf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

bool is_high_surrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool is_low_surrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

TString int_to_string(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    return ascii_to_string(buffer);
}

TString float_to_string(float value) {
    char buffer[64];
    locale_t previous = uselocale(c_locale());
    std::snprintf(buffer, sizeof buffer, "%#.9g", double(value));
    uselocale(previous);
    return ascii_to_string(buffer);
}

int string_to_int(const TString& text) {
    size_t i = 0;
    while (i < text.size() && is_space(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    int base = 10;
    if (i < text.size() && text[i] == u'%')
        base = 2, ++i;
    else if (i < text.size() && text[i] == u'$')
        base = 16, ++i;
    uint32_t value = 0; // unsigned, so that overflow wraps as 32-bit arithmetic does
    for (; i < text.size() && digit_value(text[i], base) >= 0; ++i)
        value = value * uint32_t(base) + uint32_t(digit_value(text[i], base));
    if (negative) value = 0u - value;
    return int32_t(value);
}

float string_to_float(const TString& text) {
    return float(strtod_l(string_to_latin1(text).c_str(), nullptr, c_locale()));
}

TString mid_string(const TString& text, int start, int count) {
    long long length = text.size();
    if (start > length) return u"";
    long long begin = (long long)start - 1;
    if (count < 0) {
        TString padding(begin < 0 ? size_t(-begin) : 0, u' ');
        return padding + text.substr(size_t(begin < 0 ? 0 : begin));
    }
    long long n = count;
    if (begin < 0) n += begin, begin = 0;
    if (n <= 0) return u"";
    return text.substr(size_t(begin), size_t(n));
}

TString left_string(const TString& text, int n) {
    if (n <= 0) return u"";
    return text.substr(0, size_t(n));
}

TString right_string(const TString& text, int n) {
    if (n <= 0) return u"";
    size_t keep = size_t(n) < text.size() ? size_t(n) : text.size();
    return text.substr(text.size() - keep);
}

int compare_strings(const TString& a, const TString& b) {
    size_t shorter = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < shorter; ++i)
        if (a[i] != b[i]) return int(a[i]) - int(b[i]);
    return int(a.size()) - int(b.size());
}

TString concat(const TString& a, const TString& b) {
    return a + b;
}

TString latin1_to_string(const std::string& bytes) {
    TString result(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i) result[i] = static_cast<unsigned char>(bytes[i]);
    return result;
}

std::string string_to_latin1(const TString& text) {
    std::string result(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) result[i] = char(text[i] & 0xFF);
    return result;
}

std::string string_to_utf8(const TString& text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (is_high_surrogate(text[i]) && i + 1 < text.size() && is_low_surrogate(text[i + 1]))
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (is_high_surrogate(text[i]) || is_low_surrogate(text[i]))
            code = 0xFFFD; // a lone surrogate has no UTF-8 form
        append_utf8(result, code);
    }
    return result;
}

// One character of UTF-8 at text[i]: its code and length, or 0 for a malformed sequence.
static int decode_utf8(const std::string& text, size_t i, char32_t* code) {
    static const char32_t smallest[4] = {0, 0x80, 0x800, 0x10000}; // shorter forms are overlong
    auto lead = static_cast<unsigned char>(text[i]);
    int extra = lead < 0x80 ? 0 : lead < 0xC0 ? -1 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    if (extra < 0 || i + size_t(extra) >= text.size()) return 0;
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        auto next = static_cast<unsigned char>(text[i + size_t(k)]);
        if ((next & 0xC0) != 0x80) return 0;
        c = c << 6 | (next & 0x3F);
    }
    if (c < smallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    *code = c;
    return extra + 1;
}

std::u32string utf8_to_code_points(const std::string& text) {
    std::u32string codes;
    for (size_t i = 0; i < text.size();) {
        char32_t code = 0;
        int length = decode_utf8(text, i, &code);
        codes += length ? code : U'\uFFFD';
        i += size_t(length ? length : 1);
    }
    return codes;
}

std::string native_path(const TString& path) {
    TString slashed = path;
    for (char16_t& c : slashed)
        if (c == u'\\') c = u'/';
    return string_to_utf8(slashed);
}
