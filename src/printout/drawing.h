// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A line drawing as a value, in metres: what the 横断面图 sheets hold, written
// once and then set on paper (PDF, the printer) or written as DXF alike.
//
// Entities sit on named layers; a layer gives them their colour in both
// worlds. A block is a group of entities in its own coordinates (a section:
// x = -S, so the left of the road is on the left, y = H) placed on a sheet by
// an insert; a sheet's frame and title block are entities of their own, in
// the coordinates of the whole drawing (model space, metres), where sheet k
// lies to the right of sheet k - 1.

#include <string>
#include <vector>

#include "printout/section_sheets.h"

namespace printout {

struct DrawPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const DrawPoint&) const = default;
};

inline constexpr const char* kGroundLayer = "地面线";
inline constexpr const char* kDesignLayer = "设计线";
inline constexpr const char* kOutlineLayer = "断面线";
inline constexpr const char* kCentreLayer = "中线";
inline constexpr const char* kLabelLayer = "标注";
inline constexpr const char* kFrameLayer = "图框";
inline constexpr const char* kCutLayer = "挖方";
inline constexpr const char* kFillLayer = "填方";
inline constexpr const char* kGridLayer = "网格";

struct DrawLayer {
    const char* name;
    int colour;        // AutoCAD colour index, for DXF
    unsigned int rgb;  // the same colour on paper, 0xRRGGBB (darker where the index is pale)
};

// Every layer a drawing may use, "0" first, in the order a CAD program lists them.
inline constexpr DrawLayer kDrawLayers[] = {
    {"0", 7, 0x000000},           {kGroundLayer, 30, 0x8B4513}, {kDesignLayer, 1, 0xD00000},
    {kOutlineLayer, 5, 0x0000C0}, {kCentreLayer, 6, 0xB000B0},  {kLabelLayer, 7, 0x000000},
    {kFrameLayer, 7, 0x000000},   {kCutLayer, 1, 0xE04020},     {kFillLayer, 5, 0x2060E0},
    {kGridLayer, 9, 0xB0B0B0},
};

struct DrawLine {
    std::string layer;
    std::vector<DrawPoint> points;
    bool closed = false;
    bool dashed = false;  // the centre line
    bool operator==(const DrawLine&) const = default;
};

// A closed region shaded by its layer: cut (挖方) one way, fill (填方) the
// other. Its outline is closed, the first point not repeated.
struct DrawHatch {
    std::string layer;
    std::vector<DrawPoint> outline;
    bool operator==(const DrawHatch&) const = default;
};

struct DrawCircle {
    std::string layer;
    DrawPoint centre;
    double radius = 0.0;
    bool operator==(const DrawCircle&) const = default;
};

struct DrawText {
    enum class Align { Left, Centre, Right };
    std::string layer;
    DrawPoint at;         // on the base line: its left end, middle or right end by `align`
    double height = 0.0;  // of the capitals, in metres (paper millimetres × scale / 1000)
    std::string text;
    Align align = Align::Left;
    bool operator==(const DrawText&) const = default;
};

struct DrawingBlock {
    std::string name;  // unique in the drawing; DXF block names allow no "<>/\\\":;?*|=`"
    DrawPoint base;    // the point of the block an insert puts at its place
    std::vector<DrawHatch> hatches;  // drawn first, under everything else
    std::vector<DrawLine> lines;
    std::vector<DrawCircle> circles;
    std::vector<DrawText> texts;
    bool operator==(const DrawingBlock&) const = default;
};

struct BlockInsert {
    int block = 0;  // index into SheetDrawing::blocks
    int sheet = 0;  // 0-based
    DrawPoint at;   // where the block's base goes, in model space
    bool operator==(const BlockInsert&) const = default;
};

struct SheetDrawing {
    Paper paper;
    double scale = 200.0;  // 1:scale, the same across and up
    // One per sheet, in model space: its frame, title block and anything
    // else drawn on the sheet itself. Its base is the sheet's lower left
    // corner, the paper's edge.
    std::vector<DrawingBlock> sheets;
    std::vector<DrawingBlock> blocks;  // one per section, in section order
    std::vector<BlockInsert> inserts;  // one per section, in section order
    // Sections (1-based) too large for a sheet at the scale: each on a
    // sheet of its own all the same, for the user to be told.
    std::vector<int> oversize;
    bool operator==(const SheetDrawing&) const = default;

    // Metres of model space per millimetre of paper.
    double metresPerMillimetre() const { return scale / 1000.0; }
};

}  // namespace printout
