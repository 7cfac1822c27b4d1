// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/shortest_decimal.h"

#include <array>
#include <charconv>
#include <string_view>

namespace runtime {
namespace {

template <class Value>
DecimalDigits shortestOf(Value value) {
    // Shortest round-trip form in scientific notation, for example "-1.0005e+00".
    std::array<char, 40> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::scientific)
                         .ptr;
    std::string_view text(buffer.data(), end - buffer.data());
    DecimalDigits decimal;
    if (text.front() == '-') {
        decimal.negative = true;
        text.remove_prefix(1);
    }
    const std::size_t ePos = text.find('e');
    for (char c : text.substr(0, ePos)) {
        if (c != '.') decimal.digits += c;
    }
    std::string_view expText = text.substr(ePos + 1);
    if (expText.front() == '+') expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), decimal.exponent);
    return decimal;
}

}  // namespace

DecimalDigits shortestDecimal(double value) {
    return shortestOf(value);
}

DecimalDigits shortestDecimal(float value) {
    return shortestOf(value);
}

}  // namespace runtime
