// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/cells.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <system_error>

#include "runtime/number_text.h"
#include "runtime/quote.h"
#include "runtime/station_notation.h"
#include "section/station.h"
#include "survey_file/survey_file.h"

namespace survey_file {

namespace {

constexpr std::string_view kWideBlank = "\xE3\x80\x80";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// [-]digits[.digits] or [-].digits: what from_chars reads exactly as strtod.
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

CellNumber slowValue(std::string_view cell) {
    if (std::optional<double> value = runtime::textToValue(cell)) return {*value};
    return {0.0, runtime::readNumber(cell) ? CellNumber::Fault::OutOfRange
                                           : CellNumber::Fault::NotANumber};
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

char separatorOf(std::string_view line) {
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        if (c == '\t' && !quoted) return '\t';
    }
    return ',';
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
    if (double value = 0.0; !cell.empty() && readShortDecimal(cell, value) == cell.size())
        return {value};
    if (isPlainDecimal(cell)) {
        double value = 0.0;
        const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
        if (error == std::errc() && end == cell.data() + cell.size() &&
            runtime::inValueRange(value))
            return {value};
    }
    return slowValue(cell);
}

std::string headerWord(std::string_view cell) {
    std::string word;
    for (char c : runtime::toHalfWidth(cell))
        if (c != ' ' && c != '\t') word += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    return word;
}

CellNumber readStation(std::string_view cell, std::optional<std::string>* prefix) {
    if (prefix) prefix->reset();
    if (isPlainDecimal(cell)) return readFloat(cell);
    const bool ascii = std::all_of(cell.begin(), cell.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const std::string wide = ascii ? std::string() : runtime::toHalfWidth(cell);
    const std::string_view s = ascii ? cell : trimBlanks(wide);
    if (!runtime::isKNotation(s)) return readFloat(s);
    // Read as the decimal text of its metres, so the value is the one the same
    // station typed in metres gives.
    const std::optional<runtime::StationNotation> notation = runtime::readStationNotation(s);
    if (!notation) return {0.0, CellNumber::Fault::NotANumber};
    if (prefix) *prefix = section::stationPrefixOf(notation->letters);
    return readFloat(notation->metres);
}

namespace {

bool sameStation(const StationMark& last, double station, const std::string& prefix) {
    return last.station == station && last.prefix == prefix;
}

}  // namespace

StationMark markAfter(const StationMark* last, double station, const std::string& prefix) {
    return {station, last && sameStation(*last, station, prefix) ? last->repeat + 1 : 1, prefix};
}

std::string stationKey(const StationMark& mark) {
    std::string station = runtime::numberToText(mark.station);
    // An exponent ("1e+20") has no notation: such a station keeps its metres.
    if (!mark.prefix.empty())
        station = runtime::stationNotationText(section::stationLetters(mark.prefix), station)
                      .value_or(station);
    return mark.repeat > 1 ? station + "#" + std::to_string(mark.repeat) : station;
}

StationStep stepOfStation(std::string_view cell, const StationMark* last) {
    StationStep step;
    const std::size_t hash = cell.rfind('#');
    if (hash != std::string_view::npos) {
        const std::string_view mark = trimBlanks(cell.substr(hash + 1));
        const auto [end, error] =
            std::from_chars(mark.data(), mark.data() + mark.size(), step.next.repeat);
        if (error != std::errc() || end != mark.data() + mark.size() || step.next.repeat < 2) {
            step.fault =
                quotedCell(cell) + "不是有效的桩号：“#”后应为同一桩号上相邻的第几个断面（2、3……）";
            return step;
        }
    }
    const std::string_view station = trimBlanks(cell.substr(0, hash));
    std::optional<std::string> letters;
    const CellNumber n = readStation(station, &letters);
    step.next.prefix = letters.value_or(std::string());
    if (n.fault != CellNumber::Fault::None) {
        step.fault = cellFault(cell, n.fault, "桩号");
        return step;
    }
    step.next.station = n.value;
    const int repeat = step.next.repeat;
    if (last && sameStation(*last, n.value, step.next.prefix)) {
        step.same = repeat == last->repeat;
        const auto marked = [&](int k) {
            return std::string(station) + (k > 1 ? "#" + std::to_string(k) : "");
        };
        if (!step.same && repeat != last->repeat + 1)
            step.fault = quotedCell(cell) + "：与上一个断面桩号相同，应写成" +
                         quotedCell(marked(last->repeat)) + "（属于上一个断面）或" +
                         quotedCell(marked(last->repeat + 1)) + "（同一桩号上的下一个断面）";
    } else if (repeat > 1) {
        step.fault = quotedCell(cell) + "：上一个断面的桩号与它不同，“#" + std::to_string(repeat) +
                     "”只用于同一桩号上相邻的第 2 个及以后的断面";
    }
    return step;
}

void keepCode(std::vector<std::string>& codes, std::size_t points, std::string_view code) {
    if (code.empty() && codes.empty()) return;
    codes.resize(points - 1);
    codes.emplace_back(code);
}

std::string csvCell(std::string_view value) {
    std::string text;
    bool quoted = false;
    for (char c : value) {
        if (c == '\r' || c == '\n') c = ' ';
        if (c == ',' || c == '"' || c == '\t') quoted = true;
        text += c;
        if (c == '"') text += '"';
    }
    return quoted ? '"' + text + '"' : text;
}

std::string quotedCell(std::string_view cell) {
    return runtime::quoteTyped(printableText(cell));
}

std::string cellFault(std::string_view cell, CellNumber::Fault fault, std::string_view what) {
    if (fault == CellNumber::Fault::OutOfRange)
        return quotedCell(cell) + "超出了允许的范围（绝对值不超过 3.4E+38）";
    return quotedCell(cell) + "不是有效的" + std::string(what);
}

CellReading readCell(std::string_view cell, ValueKind kind) {
    static constexpr std::string_view kWhat[] = {"高程", "距离", "间距", "桩号"};
    const std::string_view what = kWhat[static_cast<int>(kind)];
    cell = trimBlanks(cell);
    if (cell.empty()) return {0.0, "没有" + std::string(what)};
    std::optional<std::string> prefix;
    const CellNumber n = kind == ValueKind::Station ? readStation(cell, &prefix) : readFloat(cell);
    if (n.fault != CellNumber::Fault::None) return {0.0, cellFault(cell, n.fault, what)};
    return {n.value, {}, std::move(prefix)};
}

std::string notNextSection(std::string_view cell, int expected) {
    return quotedCell(cell) + "不是下一个断面的编号：断面应按 1、2、3……的顺序编号，这里应为 " +
           std::to_string(expected);
}

}  // namespace survey_file
