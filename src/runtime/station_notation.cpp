// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/station_notation.h"

#include <algorithm>

namespace runtime {
namespace {

// One digit or more, nothing else.
bool isDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool isKNotation(std::string_view text) {
    return text.starts_with('K') || text.starts_with('k');
}

std::optional<std::string> kNotationMetres(std::string_view s) {
    if (!isKNotation(s)) return std::nullopt;
    const std::size_t plus = s.find('+', 1);
    if (plus == std::string_view::npos) return std::nullopt;
    std::string_view km = s.substr(1, plus - 1);
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

}  // namespace runtime
