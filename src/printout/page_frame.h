// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The heading, page numbers and signature lines that 工程信息 puts on every
// printout, so that a sheet can be signed and handed in.

#include <string>

#include "printout/sheet.h"
#include "section/project_info.h"

namespace printout {

// The frame of the calculation sheet for `project`; an empty frame (the sheet
// exactly as without 工程信息) when nothing is filled in.
PageFrame pageFrame(const section::ProjectInfo& project);

// `sheet` in the frame of `project`.
Sheet framedSheet(Sheet sheet, const section::ProjectInfo& project);

// "第 2 页 共 5 页".
std::string pageNumberText(int page, int pages);

// "工程名称：…" and "路段：…", each only when filled in.
std::string projectNameText(const section::ProjectInfo& project);
std::string segmentText(const section::ProjectInfo& project);

// "计算：张三", "复核：李四", "日期：2026-12-08": the label alone when the item is
// empty, to be signed by hand.
std::string calculatedByText(const section::ProjectInfo& project);
std::string checkedByText(const section::ProjectInfo& project);
std::string dateText(const section::ProjectInfo& project);

}  // namespace printout
