// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One section of the 横断面图 as a block, x = -S, y = H, true to the scale
// of the sheet: its picture, the centre line, a grid of whole steps (every
// metre, every 5 m from 1:500 on) with the elevations at its left and the
// distances from the centre line under every fifth line, the slope
// ratio beside each catch point, and above the grid, in the sheet frame's
// label room, the station, the elevations at the centre line and the areas.
// Text heights are paper millimetres times scale / 1000.

#include <string>
#include <vector>

#include "printout/drawing.h"
#include "section/section_picture.h"

namespace printout {

struct SectionLabels {
    std::string blockName;
    std::string station;  // "K0+100.000", or the section's name without stations
    std::string areas;  // "挖方面积 … m²  填方面积 … m²", "面积 … m²", or empty
    // The road design's slope ratios by kind: a slope drawn from points
    // rounded to the millimetre is named by the one it was made with.
    std::vector<double> fillRatios{};
    std::vector<double> cutRatios{};
};

struct SectionBlock {
    // Its base is the lower left corner of the box the layout places: the
    // elevations at the left and the labels above included.
    DrawingBlock block;
    SectionExtent extent;  // of that box in metres, less SheetFrame::labelRoom above
};

SectionBlock sectionBlock(const section::SectionPicture& picture, const SectionLabels& labels,
                          double scale);

// About how wide a text of `height` (of the capitals) runs in SimSun: a
// Chinese character a full em (height / 0.7), any other half of it.
double textWidth(const std::string& text, double height);

// About where a text runs, by its width and the height of its capitals.
struct Bounds {
    double left, bottom, right, top;
};
Bounds textBounds(const DrawText& text);

}  // namespace printout
