// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 工程信息: who and what a calculation sheet is for, kept with the survey and
// printed on the sheet when filled in. Plain UTF-8 text, as the user typed it.

#include <string>

namespace section {

struct ProjectInfo {
    std::string projectName;   // 工程名称
    std::string segment;       // 路段 (or 起讫桩号)
    std::string calculatedBy;  // 计算
    std::string checkedBy;     // 复核
    std::string date;          // 日期, as written (today by default when asked)

    // Nothing filled in: the sheet is then printed exactly as without it.
    bool empty() const {
        return projectName.empty() && segment.empty() && calculatedBy.empty() &&
               checkedBy.empty() && date.empty();
    }
    bool operator==(const ProjectInfo&) const = default;
};

}  // namespace section
