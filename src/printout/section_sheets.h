// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where each cross-section goes on the 横断面图 sheets: the sections true to
// one scale (no vertical exaggeration), in station order, in columns filled
// from the bottom of the sheet upward, the columns from left to right, as
// many to a sheet as fit beside the title block; then the next sheet.
//
// Lengths on paper are millimetres from the sheet's lower left corner; a
// section's own box is its extent in metres times 1000 / scale, with room
// around it for its labels.

#include <vector>

namespace printout {

struct Paper {
    double width = 420.0;  // mm, across (A3 landscape)
    double height = 297.0;
    static Paper a3() { return {420.0, 297.0}; }
    static Paper a4() { return {297.0, 210.0}; }
};

struct SheetFrame {
    double margin = 10.0;       // paper edge to the drawing frame
    double titleHeight = 28.0;  // the title block, along the bottom right
    double titleWidth = 180.0;
    double gap = 6.0;         // between sections, and between columns
    double labelRoom = 16.0;  // above each section: station, elevations, areas
};

// A section's extent in metres: across (S) and up (H).
struct SectionExtent {
    double width = 0.0;
    double height = 0.0;
};

struct Placement {
    int section = 0;  // 1-based
    int sheet = 0;    // 0-based
    double x = 0.0;   // mm: the lower left corner of the section's box
    double y = 0.0;
    double width = 0.0;  // mm: the box, labels included
    double height = 0.0;
};

struct SheetLayout {
    int sheets = 0;
    std::vector<Placement> placements;  // one per section, in section order
    // Sections too large for a sheet at this scale: they get a sheet each,
    // drawn at the scale all the same (the user is told to choose another).
    std::vector<int> oversize;
};

// `scale` is the denominator: 200 for 1:200.
SheetLayout layOutSections(const std::vector<SectionExtent>& sections, double scale,
                           const Paper& paper = Paper::a3(), const SheetFrame& frame = {});

}  // namespace printout
