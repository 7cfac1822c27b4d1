// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculation sheet as a value: where it starts on the page, its font, and
// its lines of items, each at its font size. A renderer sets it on a page; the
// line rules of line_layout.h say where each item lands.

#include <string>
#include <vector>

#include "printout/print_item.h"

namespace printout {

struct SheetLine {
    double points = 10.0;  // font size
    PrintLine items;       // no items: an empty line
    bool operator==(const SheetLine&) const = default;
};

struct Sheet {
    std::string fontName;
    // Where the first line starts, in twips (1/1440 inch) from the top left of
    // the printable area.
    double startAcrossTwips = 0.0;
    double startDownTwips = 0.0;
    std::vector<SheetLine> lines;
    bool operator==(const Sheet&) const = default;
};

}  // namespace printout
