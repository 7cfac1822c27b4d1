// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/cells.h"

#include <algorithm>
#include <charconv>
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
        std::string_view rest = trimBlanks(line.substr(at));
        std::string_view cell;
        if (rest.starts_with('"')) {
            std::string& text = unquoted_[count_];
            text.clear();
            std::size_t k = 1;
            for (; k < rest.size(); ++k) {
                if (rest[k] != '"') {
                    text += rest[k];
                } else if (k + 1 < rest.size() && rest[k + 1] == '"') {
                    text += '"';
                    ++k;
                } else {
                    break;
                }
            }
            // Anything between the closing quote and the separator stays in
            // the cell, so that it is checked rather than dropped.
            const std::size_t closed = rest.data() - line.data() + std::min(k + 1, rest.size());
            const std::size_t end = line.find(separator, closed);
            text += trimBlanks(line.substr(
                closed, end == std::string_view::npos ? std::string_view::npos : end - closed));
            cell = trimBlanks(text);
            cells_[count_++] = cell;
            if (end == std::string_view::npos) return true;
            at = end + 1;
            continue;
        }
        const std::size_t end = line.find(separator, at);
        cell = line.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        cells_[count_++] = trimBlanks(cell);
        if (end == std::string_view::npos) return true;
        at = end + 1;
    }
}

std::string_view trimBlanks(std::string_view text) {
    for (;;) {
        if (text.starts_with(' ') || text.starts_with('\t')) {
            text.remove_prefix(1);
        } else if (text.starts_with(kWideBlank)) {
            text.remove_prefix(kWideBlank.size());
        } else {
            break;
        }
    }
    for (;;) {
        if (text.ends_with(' ') || text.ends_with('\t')) {
            text.remove_suffix(1);
        } else if (text.ends_with(kWideBlank)) {
            text.remove_suffix(kWideBlank.size());
        } else {
            break;
        }
    }
    return text;
}

CellNumber readFloat(std::string_view cell) {
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
