// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The items of one printed line: column stops, texts and numbers.

#include <string>
#include <variant>
#include <vector>

namespace printout {

// Moves the print position to character column `column` (1 = left edge of the
// printable area); a position already beyond it continues on the next line.
struct ColumnStop {
    int column = 1;
    bool operator==(const ColumnStop&) const = default;
};

// Printed exactly, directly after the previous item.
struct Text {
    std::string text;
    bool operator==(const Text&) const = default;
};

// Printed as the number's text with a blank in front (or its minus sign) and a
// blank behind: " 12 ", "-3 ".
struct Number {
    int value = 0;
    bool operator==(const Number&) const = default;
};

using PrintItem = std::variant<ColumnStop, Text, Number>;

// One call of the printer's line operation; no items prints an empty line.
using PrintLine = std::vector<PrintItem>;

}  // namespace printout
