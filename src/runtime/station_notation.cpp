// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/station_notation.h"

#include <algorithm>

namespace runtime {
namespace {

constexpr std::size_t kMostLetters = 3;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// One digit or more, nothing else.
bool isDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), isDigit);
}

// The decimal text of [-]km+[-]metres, or nothing.
std::optional<std::string> metresOf(std::string_view s) {
    const std::size_t plus = s.find('+');
    if (plus == std::string_view::npos) return std::nullopt;
    std::string_view km = s.substr(0, plus);
    std::string_view metres = s.substr(plus + 1);
    const bool kmNegative = km.starts_with('-');
    const bool metresNegative = metres.starts_with('-');
    if (kmNegative) km.remove_prefix(1);
    if (metresNegative) metres.remove_prefix(1);
    const std::size_t point = metres.find('.');
    const std::string_view whole = metres.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : metres.substr(point + 1);
    const bool kmZero = km.find_first_not_of('0') == std::string_view::npos;
    if (!isDigits(km) || !isDigits(whole) || whole.size() > 3 ||
        (point != std::string_view::npos && !isDigits(fraction)) ||
        (metresNegative && !kmNegative && !kmZero))
        return std::nullopt;
    std::string decimal = kmNegative || metresNegative ? "-" : "";
    decimal += km;
    decimal.append(3 - whole.size(), '0');
    decimal += whole;
    if (!fraction.empty()) {
        decimal += '.';
        decimal += fraction;
    }
    return decimal;
}

}  // namespace

bool isKNotation(std::string_view text) {
    if (!text.empty() && isLetter(text.front())) return true;
    // "1e+5" stays a number: only digits stand before a bare station's "+".
    const std::size_t digits = text.starts_with('-') ? 1 : 0;
    const std::size_t plus = text.find('+');
    return plus != std::string_view::npos && plus > digits &&
           isDigits(text.substr(digits, plus - digits));
}

std::optional<StationNotation> readStationNotation(std::string_view text) {
    const std::size_t count = static_cast<std::size_t>(
        std::find_if_not(text.begin(), text.end(), isLetter) - text.begin());
    if (count > kMostLetters) return std::nullopt;
    std::optional<std::string> metres = metresOf(text.substr(count));
    if (!metres) return std::nullopt;
    StationNotation notation{std::string(text.substr(0, count)), std::move(*metres)};
    for (char& c : notation.letters)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return notation;
}

std::optional<std::string> stationNotationText(std::string_view letters, std::string_view metres) {
    const bool negative = metres.starts_with('-');
    if (negative) metres.remove_prefix(1);
    const std::size_t point = metres.find('.');
    const std::string_view whole = metres.substr(0, point);
    if (!isDigits(whole) ||
        (point != std::string_view::npos && !isDigits(metres.substr(point + 1))))
        return std::nullopt;
    const std::size_t split = whole.size() > 3 ? whole.size() - 3 : 0;
    std::string text(letters);
    if (negative) text += '-';
    text += split > 0 ? whole.substr(0, split) : "0";
    text += '+';
    text.append(3 - (whole.size() - split), '0');
    text += metres.substr(split);
    return text;
}

}  // namespace runtime
