// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the items of one print call land, in character columns and lines.
// Pure: the printer device measures texts and draws what this returns.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "printout/print_item.h"

namespace printout {

struct PlacedText {
    int line = 0;       // 0 is the line the call starts on
    double column = 1;  // 1 is the left edge; fractional after measured texts
    std::string text;
    bool operator==(const PlacedText&) const = default;
};

struct LineLayout {
    std::vector<PlacedText> texts;
    int lineCount = 1;  // lines the call takes, the empty line included
};

// Width of a text in columns of the current font.
using TextWidth = std::function<double(std::string_view)>;

// The text a number item prints: " 12 ", "-3 ".
std::string numberItemText(int value);

// Texts and numbers follow each other from column 1. A column stop c moves to
// column c; when the position already lies beyond c, printing goes on at
// column c of the next line. A position exactly at c keeps the line, so a text
// that fills the gap between two stops to the last column does not break it.
LineLayout layoutLine(const PrintLine& items, const TextWidth& widthInColumns);

}  // namespace printout
