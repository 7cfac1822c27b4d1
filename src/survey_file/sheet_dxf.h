// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 横断面图 sheets as a DXF R2007 file (UTF-8, so Chinese layer names and
// texts need no code page), in metres ($INSUNITS = 6): one block per section
// inserted at its place on its sheet, the cut and fill as HATCH entities on
// 挖方 and 填方, each sheet's frame and title block in model space, the
// sheets side by side.

#include <string>

#include "printout/drawing.h"

namespace survey_file {

std::string sheetsDxf(const printout::SheetDrawing& drawing);

}  // namespace survey_file
