// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cells of a survey file's lines and the numbers in them.

#include <array>
#include <optional>
#include <string>
#include <string_view>

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

// Blanks (ASCII and the full-width blank) removed from both ends.
std::string_view trimBlanks(std::string_view text);

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

// A station in metres ("1020.5") or in K notation ("K1+020.500", "K1+20.5").
CellNumber readStation(std::string_view cell);

}  // namespace survey_file
