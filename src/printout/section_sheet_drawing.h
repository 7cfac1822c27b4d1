// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 横断面设计图 as a drawing: every section of the survey true to one scale
// (no vertical exaggeration), placed on numbered sheets by layOutSections.
//
// A section's block holds its lines (ground and design, or the closed
// outline), the cut and fill hatched, the centre line, a grid every metre
// (every 5 m from 1:500 on) with its elevations at the left, at the centre
// line the station, 地面高程, 设计高程 and 填高 or 挖深, the cut and fill
// areas, and where a road design made the design line its catch points and
// slope ratios. A sheet carries its frame and the title block: 工程名称,
// 路段, 第 X 张 共 Y 张, the scale, 计算, 复核 and 日期.

#include <string>

#include "printout/drawing.h"
#include "section/any_survey.h"
#include "section/project_info.h"

namespace printout {

struct SheetOptions {
    Paper paper = Paper::a3();
    double scale = 200.0;  // 1:scale
};

// The scales offered, as denominators: 1:100, 1:200, 1:500, 1:1000.
inline constexpr double kSheetScales[] = {100.0, 200.0, 500.0, 1000.0};

SheetDrawing sectionSheets(const section::Survey& survey, const section::ProjectInfo& project,
                           const SheetOptions& options = {});

// Reads "1:200" (or "200"); false for anything else, a scale of 1:1 to
// 1:10000 only.
bool readScale(const std::string& text, double& scale);

}  // namespace printout
