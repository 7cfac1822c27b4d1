// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every calculation sheet shares: its columns and the writer that adds
// lines at the font size in force, as a printer would set them.

#include <array>
#include <functional>
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

// The drawing of section i (1-based), for the sheets that carry one.
using FigureMaker = std::function<DrawingBlock(int)>;

struct SheetWriter {
    Sheet value;
    double points = 10.0;
    FigureMaker figureOf{};  // empty: a sheet without drawings
    void line(PrintLine items) { value.lines.push_back({points, std::move(items)}); }
    // Where the page starts, the font, the title line at 12 points and the
    // heading of the points at 10, as every sheet begins.
    void begin(const std::string& title, const std::string& pointsHeading) {
        value.startAcrossTwips = 1500.0;
        value.startDownTwips = 1000.0;
        value.fontName = "宋体";
        points = 12.0;
        line({ColumnStop{kTitleColumn}, Text{title}});
        points = 10.0;
        line({ColumnStop{kHeadingColumn}, Text{pointsHeading}});
    }
    // The lines `write` adds are section i's: its drawing goes beside them
    // when the sheet carries drawings.
    template <typename Write>
    void section(int i, Write write) {
        const std::size_t first = value.lines.size();
        write();
        if (figureOf && value.lines.size() > first)
            value.figures.push_back({first, value.lines.size() - 1, figureOf(i)});
    }
    // A heading with an empty line above and below it.
    void heading(const std::string& text) {
        line({});
        line({ColumnStop{kHeadingColumn}, Text{text}});
        line({});
    }
};

}  // namespace printout
