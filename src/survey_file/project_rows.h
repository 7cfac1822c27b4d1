// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 工程信息 in a survey file: rows above the header whose first cell names the
// item (工程名称, 路段, 计算, 复核, 日期) and whose second cell is its value, as a
// spreadsheet shows a title block. The survey's volume method is one more
// such row, 体积计算方法, written only for 棱台法: a file without it is worked
// out by average end areas, as every file was before, and a version that
// does not know the row refuses the file instead of giving other volumes.
//
//     工程名称,某某公路改建工程
//     路段,K1+000～K2+000
//     桩号,高程H,距离S
//     ...

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "section/project_info.h"
#include "section/volume_method.h"
#include "survey_file/survey_file.h"

namespace survey_file {

struct ProjectRows {
    section::ProjectInfo project;
    section::VolumeMethod method = section::VolumeMethod::AverageEndArea;
    // Where the rest of the file (the header on) begins, and the lines before it.
    std::size_t restAt = 0;
    int linesBefore = 0;
    std::optional<FileError> error;
};

// Reads the rows of 工程信息 at the top of `text` (UTF-8, with or without a
// byte-order mark); none at all leaves restAt and linesBefore 0, so the file
// reads exactly as without them.
ProjectRows readProjectRows(std::string_view text);

// The rows of `project`, CRLF ended: one for each item filled in, and the
// method's unless it is the default; nothing when there is none.
std::string projectRowsText(const section::ProjectInfo& project, section::VolumeMethod method);

}  // namespace survey_file
