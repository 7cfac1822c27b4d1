// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drawing block's entities as DXF, owned by the block record `owner`:
// lines as LWPOLYLINE (the dashed ones in the CENTER linetype), hatches as
// non-associative HATCH with one polyline boundary and their pattern's lines
// written out (ANSI31 for cut, the same turned a quarter for fill, so that
// they part in black and white), circles, and texts in the 宋体 style
// aligned left, centred or right on their point.

#include <string>

#include "printout/drawing.h"
#include "survey_file/dxf_tags.h"

namespace survey_file {

// The text style of the labels: SimSun (宋体), which Chinese CAD installations have.
inline constexpr const char* kDxfTextStyle = "宋体";
inline constexpr const char* kDxfDashedLinetype = "CENTER";

// `hatchSpacing`: metres between the lines of a hatch.
void writeEntities(DxfText& out, const printout::DrawingBlock& block, const std::string& owner,
                   double hatchSpacing);

}  // namespace survey_file
