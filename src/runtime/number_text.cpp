// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "runtime/shortest_decimal.h"

namespace runtime {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number part of the text, blanks trimmed and a leading "+" dropped, when
// the text has the form [sign] digits [. digits] [e [sign] digits].
std::optional<std::string> numberPart(std::string_view typed) {
    std::string text = toHalfWidth(typed);
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

// The decimal order of magnitude of a number as numberPart gives it
// ("-0.0012e5": 2), to tell a number too large for a double from one too small.
int orderOf(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view digits = number.substr(e + 1);
        const bool below = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
            digits.remove_prefix(1);
        // Beyond any double either way: enough to tell the side.
        for (char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 100000L);
        if (below) exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return 0;
    const long order = first < point ? long(point - first) - 1 : -long(first - point);
    return int(std::clamp(order + exponent, -1000000L, 1000000L));
}

// The value of a number as numberPart gives it, whatever the user's locale
// says a decimal point is: too large for a double it is infinite, too small
// it is zero, with its sign, as the C library reads it.
double valueOf(const std::string& number) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        value = orderOf(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        if (number.front() == '-') value = -value;
    }
    return value;
}

// The plain decimal form of a value: "100000", "0.0005", "-1020.5".
std::string plainDecimal(const DecimalDigits& decimal) {
    const std::string& digits = decimal.digits;
    const std::string out = decimal.negative ? "-" : "";
    // exponent + 1 integer digits.
    const int integerDigits = decimal.exponent + 1;
    const int count = static_cast<int>(digits.size());
    if (integerDigits <= 0) return out + "0." + std::string(-integerDigits, '0') + digits;
    if (integerDigits >= count) return out + digits + std::string(integerDigits - count, '0');
    return out + digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
}

template <class Value>
std::string shortestText(Value value) {
    if (value == 0) return "0";
    const Value magnitude = std::abs(value);
    if (std::isfinite(value) && magnitude < Value(1e15) && magnitude >= Value(1e-5))
        return plainDecimal(shortestDecimal(value));
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::string toHalfWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (i + 2 < text.size() && (byte == 0xEF || byte == 0xE3)) {
            // U+FF01..U+FF5E is EF BC 81..BF and EF BD 80..9E; U+3000 is E3 80 80.
            const auto second = static_cast<unsigned char>(text[i + 1]);
            const auto third = static_cast<unsigned char>(text[i + 2]);
            const bool continued = (second & 0xC0) == 0x80 && (third & 0xC0) == 0x80;
            const int code =
                continued ? ((byte & 0x0F) << 12) | ((second & 0x3F) << 6) | (third & 0x3F) : 0;
            char ascii = 0;
            if (code >= 0xFF01 && code <= 0xFF5E) ascii = static_cast<char>(code - 0xFF01 + 0x21);
            if (code == 0x3000) ascii = ' ';
            if (ascii != 0) {
                out += ascii;
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::optional<double> readNumber(std::string_view text) {
    std::optional<std::string> part = numberPart(text);
    if (!part) return std::nullopt;
    return valueOf(*part);
}

std::optional<std::int16_t> textToInt16(std::string_view text) {
    std::optional<double> value = readNumber(text);
    if (!value) return std::nullopt;
    double rounded = std::nearbyint(*value);  // the default mode rounds halves to even
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

bool inValueRange(double value) {
    // Half-way between the largest float and the next power of two: from there
    // on a value rounds to a 32-bit infinity.
    return std::abs(value) < 0x1.ffffffp+127;
}

std::optional<double> textToValue(std::string_view text) {
    std::optional<std::string> part = numberPart(text);
    if (!part) return std::nullopt;
    const double value = valueOf(*part);
    if (!inValueRange(value)) return std::nullopt;
    return value;
}

std::string numberToText(double value) {
    return shortestText(value);
}

std::string numberToText(float value) {
    return shortestText(value);
}

std::string numberToText(int value) {
    return std::to_string(value);
}

}  // namespace runtime
