// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/number_text.h"

#include <locale.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace runtime {
namespace {

// Full-width characters that Chinese input methods type in place of the ASCII
// ones, as UTF-8, with their ASCII twin.
struct Twin {
    std::string_view wide;
    char ascii;
};
constexpr std::array<Twin, 14> kTwins{{
    {"\xEF\xBC\x90", '0'},
    {"\xEF\xBC\x91", '1'},
    {"\xEF\xBC\x92", '2'},
    {"\xEF\xBC\x93", '3'},
    {"\xEF\xBC\x94", '4'},
    {"\xEF\xBC\x95", '5'},
    {"\xEF\xBC\x96", '6'},
    {"\xEF\xBC\x97", '7'},
    {"\xEF\xBC\x98", '8'},
    {"\xEF\xBC\x99", '9'},
    {"\xEF\xBC\x8E", '.'},
    {"\xEF\xBC\x8D", '-'},
    {"\xEF\xBC\x8B", '+'},
    {"\xE3\x80\x80", ' '},
}};

// The text with every full-width twin replaced by its ASCII character.
std::string toAscii(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        bool replaced = false;
        for (const Twin& twin : kTwins) {
            if (text.starts_with(twin.wide)) {
                out += twin.ascii;
                text.remove_prefix(twin.wide.size());
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out += text.front();
            text.remove_prefix(1);
        }
    }
    return out;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number part of the text, blanks trimmed and a leading "+" dropped, when
// the text has the form [sign] digits [. digits] [e [sign] digits].
std::optional<std::string> numberPart(std::string_view typed) {
    std::string text = toAscii(typed);
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    std::string_view s(text.data() + begin, end - begin);

    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i])) ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    if (s.front() == '+') s.remove_prefix(1);
    return std::string(s);
}

// The "C" locale, so that a decimal point is "." whatever the user's locale.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

}  // namespace

std::optional<double> readNumber(std::string_view text) {
    std::optional<std::string> part = numberPart(text);
    if (!part) return std::nullopt;
    double value = strtod_l(part->c_str(), nullptr, cLocale());
    if (std::isinf(value)) return std::nullopt;
    return value;
}

std::optional<std::int16_t> textToInt16(std::string_view text) {
    std::optional<double> value = readNumber(text);
    if (!value) return std::nullopt;
    double rounded = std::nearbyint(*value);  // the default mode rounds halves to even
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<float> textToFloat(std::string_view text) {
    std::optional<std::string> part = numberPart(text);
    if (!part) return std::nullopt;
    // Parsed straight to 32 bits: going through 64 bits would round twice.
    float value = strtof_l(part->c_str(), nullptr, cLocale());
    if (std::isinf(value)) return std::nullopt;
    return value;
}

std::string numberToText(float value) {
    if (value == 0.0f) return "0";
    std::array<char, 32> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string numberToText(int value) {
    return std::to_string(value);
}

}  // namespace runtime
