// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every calculation sheet shares: its columns and the writer that adds
// lines at the font size in force, as a printer would set them.

#include <array>
#include <string>
#include <utility>

#include "printout/sheet.h"

namespace printout {

// Five points to a line, 17 columns apart.
inline constexpr int kPointsPerLine = 5;
inline constexpr std::array<int, kPointsPerLine> kPointColumns{12, 29, 46, 63, 80};
inline constexpr int kTitleColumn = 28;
inline constexpr int kHeadingColumn = 22;
inline constexpr int kSectionColumn = 12;
inline constexpr int kSummaryColumn = 24;

struct SheetWriter {
    Sheet value;
    double points = 10.0;
    void line(PrintLine items) { value.lines.push_back({points, std::move(items)}); }
    // A heading with an empty line above and below it.
    void heading(const std::string& text) {
        line({});
        line({ColumnStop{kHeadingColumn}, Text{text}});
        line({});
    }
};

}  // namespace printout
