// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cells of a survey file's lines and the numbers in them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace survey_file {

// The cells of one line, blanks around each trimmed. A cell in double quotes
// may hold the separator; "" inside it is one quote.
class LineCells {
  public:
    static constexpr std::size_t kMostCells = 16;

    // False when the line has more than kMostCells cells.
    bool split(std::string_view line, char separator);

    std::size_t size() const { return count_; }
    std::string_view operator[](std::size_t k) const {
        return k < count_ ? cells_[k] : std::string_view();
    }

  private:
    std::array<std::string_view, kMostCells> cells_{};
    std::array<std::string, kMostCells> unquoted_{};  // only for quoted cells
    std::size_t count_ = 0;
};

// A line's separator: a tab when one stands outside double quotes (text
// pasted from a spreadsheet), else a comma; a quoted cell may hold tabs.
char separatorOf(std::string_view line);

// Blanks (ASCII and the full-width blank) removed from both ends.
std::string_view trimBlanks(std::string_view text);

// A header cell as its word: full-width letters made ASCII, lower case made
// upper, blanks dropped ("高程 ｈ" is "高程H").
std::string headerWord(std::string_view cell);

// A value read by the rules of the prompts, or why it cannot be one.
struct CellNumber {
    enum class Fault { None, NotANumber, OutOfRange };
    double value = 0.0;
    Fault fault = Fault::None;
};

// A value, exactly as a prompt reads it. Plain ASCII decimals take a
// fast path that allocates nothing; anything else goes through the prompts'
// own rules (full-width digits, blanks, exponents).
CellNumber readFloat(std::string_view cell);

// A plain decimal at the start of `text` ([-]digits[.digits] or [-].digits)
// of at most fifteen significant digits and fifteen decimals, such as a
// surveyed "102.345": its value, as readFloat reads it, and its length; 0
// (the value untouched) when the text starts with none. Its digits and its
// power of ten are both exact in 64 bits, so one division rounds it exactly
// as strtod does. Inline: a survey file's reader asks it twice a row.
inline std::size_t readShortDecimal(std::string_view text, double& value) {
    const bool negative = text.starts_with('-');
    std::size_t i = negative ? 1 : 0;
    std::uint64_t mantissa = 0;
    int digits = 0, decimals = -1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (++digits > 15) return 0;
            mantissa = mantissa * 10 + std::uint64_t(c - '0');
            if (decimals >= 0) ++decimals;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
        } else {
            break;
        }
    }
    if (digits == 0 || decimals > 15) return 0;
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    value = static_cast<double>(mantissa) / kPowers[decimals < 0 ? 0 : decimals];
    if (negative) value = -value;
    return i;
}

// A station in metres ("1020.5") or in K notation ("K1+020.500", "K1+20.5"),
// other letters or none before the kilometres too ("ZK1+020.5", "0+000"):
// `prefix`, when given, takes the letters of a station in notation as a
// survey keeps them (section/station.h), and nothing for one in metres.
CellNumber readStation(std::string_view cell, std::optional<std::string>* prefix = nullptr);

// Adjacent sections at one station stay apart in a file by a mark after the
// second one's station: "1000#2", "1000#3" (docs/survey-file.md); rows of one
// section share their key.
// Sections whose letters differ ("ZK1+000", "YK1+000") are apart anyway.
struct StationMark {
    double station = 0.0;
    int repeat = 1;      // which of the adjacent sections at the station: 1 unmarked
    std::string prefix;  // the letters before the kilometres (section/station.h)
};
// The mark of a section at `station` after the last one (none for the first).
StationMark markAfter(const StationMark* last, double station, const std::string& prefix = {});
// The key cell of a section's rows: its metres, or with letters other than
// the usual "K" the station in notation with every digit ("ZK1+020.5").
std::string stationKey(const StationMark& mark);
// What a row's key cell says after the last section (none for the first):
// whether the row belongs to it, else the next section's station and mark;
// `fault` holds the file's words without the place when it says neither.
struct StationStep {
    bool same = false;
    StationMark next;
    std::string fault;
};
StationStep stepOfStation(std::string_view cell, const StationMark* last);

// The code of the point just put at the end of a line, kept in `codes` beside
// it: `codes` stays empty until a point of the line has one.
void keepCode(std::vector<std::string>& codes, std::size_t points, std::string_view code);
// The code of point k of a line ("" for none).
inline std::string_view codeOf(const std::vector<std::string>& codes, std::size_t k) {
    return k < codes.size() ? std::string_view(codes[k]) : std::string_view();
}

// A cell as a message quotes it, never with raw control bytes: "“1O.5”".
std::string quotedCell(std::string_view cell);

// A value as one cell of a written file: quoted when it holds a separator or
// a quote; a line break (a dialog cannot type one) becomes a blank.
std::string csvCell(std::string_view value);

// The words of the file's messages for a cell that is not `what` (高程, 距离,
// 间距 or 桩号), without the place: "“1O.5”不是有效的高程", or
// "“1e39”超出了允许的范围（绝对值不超过 3.4E+38）".
std::string cellFault(std::string_view cell, CellNumber::Fault fault, std::string_view what);

// One value cell read by the file's rules, blanks around it ignored, for a
// cell typed or pasted on its own. `fault` is empty when it is read, else the
// file's words without the place ("没有高程" for an empty cell).
enum class ValueKind { Elevation, Offset, Spacing, Station };
struct CellReading {
    double value = 0.0;
    std::string fault;
    // A station typed in notation: its letters as a survey keeps them
    // (section/station.h); nothing for one in metres, which keeps the
    // section's own.
    std::optional<std::string> prefix{};
};
CellReading readCell(std::string_view cell, ValueKind kind);

// Why a section number is not `expected`, the next one, in the file's words.
std::string notNextSection(std::string_view cell, int expected);

}  // namespace survey_file
