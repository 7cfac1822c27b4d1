// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/cells.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <system_error>

#include "runtime/number_text.h"

namespace survey_file {

namespace {

constexpr std::string_view kWideBlank = "\xE3\x80\x80";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// [-]digits[.digits] or [-].digits: what from_chars reads exactly as strtof.
bool isPlainDecimal(std::string_view s) {
    std::size_t i = s.starts_with('-') ? 1 : 0;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    }
    return digits > 0 && i == s.size();
}

// A plain decimal of at most seven significant digits and ten decimals, such
// as a surveyed "102.345": its digits and its power of ten are both exact in
// 32 bits, so one division rounds it exactly as strtof does. False for
// anything else.
bool readShortDecimal(std::string_view s, float& value) {
    const bool negative = s.starts_with('-');
    std::size_t i = negative ? 1 : 0;
    std::uint32_t mantissa = 0;
    int digits = 0, decimals = -1;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (isDigit(c)) {
            if (++digits > 7) return false;
            mantissa = mantissa * 10 + std::uint32_t(c - '0');
            if (decimals >= 0) ++decimals;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
        } else {
            return false;
        }
    }
    if (digits == 0 || decimals > 10) return false;
    static constexpr float kPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                        1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    value = static_cast<float>(mantissa) / kPowers[decimals < 0 ? 0 : decimals];
    if (negative) value = -value;
    return true;
}

CellNumber slowFloat(std::string_view cell) {
    if (std::optional<float> value = runtime::textToFloat(cell)) return {*value};
    return {0.0f, runtime::readNumber(cell) ? CellNumber::Fault::OutOfRange
                                            : CellNumber::Fault::NotANumber};
}

// One digit or more, nothing else.
bool isDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), isDigit);
}

}  // namespace

bool LineCells::split(std::string_view line, char separator) {
    count_ = 0;
    std::size_t at = 0;
    for (;;) {
        if (count_ == kMostCells) return false;
        std::size_t end = line.find(separator, at);
        std::string_view cell = trimBlanks(line.substr(at, end - at));
        if (cell.starts_with('"')) {
            // Up to the closing quote, separators included; "" is one quote.
            const std::size_t open = cell.data() - line.data();
            std::string& text = unquoted_[count_];
            text.clear();
            std::size_t k = open + 1;
            for (; k < line.size(); ++k) {
                if (line[k] != '"') {
                    text += line[k];
                } else if (k + 1 < line.size() && line[k + 1] == '"') {
                    text += '"';
                    ++k;
                } else {
                    break;
                }
            }
            const std::size_t closed = std::min(k + 1, line.size());
            end = line.find(separator, closed);
            // Anything between the closing quote and the separator stays in
            // the cell, so that it is checked rather than dropped.
            text += trimBlanks(line.substr(closed, end - closed));
            cell = trimBlanks(text);
        }
        cells_[count_++] = cell;
        if (end == std::string_view::npos) return true;
        at = end + 1;
    }
}

std::string_view trimBlanks(std::string_view text) {
    // Most cells have no blank at either end.
    auto plain = [](char c) { return c != ' ' && c != '\t' && c != '\xE3' && c != '\x80'; };
    if (text.empty() || (plain(text.front()) && plain(text.back()))) return text;
    auto blankAtFront = [](std::string_view t) {
        return t.starts_with(' ') || t.starts_with('\t') || t.starts_with(kWideBlank);
    };
    auto blankAtBack = [](std::string_view t) {
        return t.ends_with(' ') || t.ends_with('\t') || t.ends_with(kWideBlank);
    };
    while (blankAtFront(text))
        text.remove_prefix(text.front() == ' ' || text.front() == '\t' ? 1 : 3);
    while (blankAtBack(text)) text.remove_suffix(text.back() == ' ' || text.back() == '\t' ? 1 : 3);
    return text;
}

CellNumber readFloat(std::string_view cell) {
    if (float value = 0.0f; readShortDecimal(cell, value)) return {value};
    if (isPlainDecimal(cell)) {
        float value = 0.0f;
        const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
        if (error == std::errc() && end == cell.data() + cell.size()) return {value};
    }
    return slowFloat(cell);
}

CellNumber readStation(std::string_view cell) {
    if (isPlainDecimal(cell)) return readFloat(cell);
    const bool ascii = std::all_of(cell.begin(), cell.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const std::string wide = ascii ? std::string() : runtime::toHalfWidth(cell);
    const std::string_view s = ascii ? cell : trimBlanks(wide);
    if (!s.starts_with('K') && !s.starts_with('k')) return readFloat(s);
    // K notation: kilometres "+" metres below 1000. The decimal text of
    // km x 1000 + m is read once, so the value is the one the same station
    // typed in metres gives.
    const CellNumber bad{0.0f, CellNumber::Fault::NotANumber};
    const std::size_t plus = s.find('+', 1);
    if (plus == std::string_view::npos) return bad;
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
        (kmNegative != metresNegative && !kmZero))
        return bad;
    std::string decimal = kmNegative || metresNegative ? "-" : "";
    decimal += km;
    decimal.append(3 - whole.size(), '0');
    decimal += whole;
    if (!fraction.empty()) {
        decimal += '.';
        decimal += fraction;
    }
    return readFloat(decimal);
}

}  // namespace survey_file
