// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculation sheet as a value: where it starts on the page, its font, and
// its lines of items, each at its font size. A renderer sets it on a page; the
// line rules of line_layout.h say where each item lands. It may carry a small
// drawing of each section, set beside that section's lines.

#include <cstddef>
#include <string>
#include <vector>

#include "printout/drawing.h"
#include "printout/print_item.h"

namespace printout {

struct SheetLine {
    double points = 10.0;  // font size
    PrintLine items;       // no items: an empty line
    bool operator==(const SheetLine&) const = default;
};

// What every page carries when 工程信息 is filled in: heading lines at its top,
// "第 X 页 共 Y 页" at its foot, and closing lines (who calculated and checked it)
// after the sheet's last line, kept together. Empty: the pages as without it.
struct PageFrame {
    std::vector<SheetLine> heading;
    std::vector<SheetLine> closing;
    bool numbered = false;
    bool operator==(const PageFrame&) const = default;
};

// A section's drawing beside its lines, firstLine..lastLine (indices into
// Sheet::lines), in metres, x = -S, y = H.
struct SheetFigure {
    std::size_t firstLine = 0;
    std::size_t lastLine = 0;
    DrawingBlock drawing;
    bool operator==(const SheetFigure&) const = default;
};

struct Sheet {
    std::string fontName;
    // Where the first line starts, in twips (1/1440 inch) from the top left of
    // the printable area.
    double startAcrossTwips = 0.0;
    double startDownTwips = 0.0;
    std::vector<SheetLine> lines;
    PageFrame frame;
    std::vector<SheetFigure> figures;  // in line order; none unless asked for
    bool operator==(const Sheet&) const = default;
};

}  // namespace printout
