// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A 横断面图 sheet's own entities, in model space: the drawing frame at the
// margin and the title block in its lower right corner, four rows of cells
// holding 工程名称, 路段, 计算, 复核 and 日期 from the 工程信息 (empty cells
// when not filled in), the drawing's name, the scale and 第 X 张 共 Y 张.

#include <string>

#include "printout/drawing.h"
#include "section/project_info.h"

namespace printout {

// Sheet k's (0-based) lower left corner in model space: the sheets side by
// side, 20 mm of paper apart.
DrawPoint sheetOrigin(const Paper& paper, double scale, int sheet);

// "1:200".
std::string scaleText(double scale);

DrawingBlock sheetBlock(const section::ProjectInfo& project, const Paper& paper, double scale,
                        int sheet, int sheets, const SheetFrame& frame = {});

}  // namespace printout
