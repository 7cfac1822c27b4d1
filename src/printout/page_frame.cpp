// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/page_frame.h"

#include "runtime/number_text.h"

namespace printout {

namespace {

// The sheet's own columns: headings at its section column, the signatures
// spread over its width.
constexpr int kHeadingColumn = 12;
constexpr int kCheckedColumn = 40;
constexpr int kDateColumn = 68;
constexpr double kPoints = 10.0;

std::string labelled(const char* label, const std::string& value) {
    return label + value;
}

}  // namespace

std::string projectNameText(const section::ProjectInfo& project) {
    return project.projectName.empty() ? "" : labelled("工程名称：", project.projectName);
}

std::string segmentText(const section::ProjectInfo& project) {
    return project.segment.empty() ? "" : labelled("路段：", project.segment);
}

std::string calculatedByText(const section::ProjectInfo& project) {
    return labelled("计算：", project.calculatedBy);
}

std::string checkedByText(const section::ProjectInfo& project) {
    return labelled("复核：", project.checkedBy);
}

std::string dateText(const section::ProjectInfo& project) {
    return labelled("日期：", project.date);
}

std::string pageNumberText(int page, int pages) {
    return "第 " + runtime::numberToText(page) + " 页 共 " + runtime::numberToText(pages) + " 页";
}

PageFrame pageFrame(const section::ProjectInfo& project) {
    PageFrame frame;
    if (project.empty()) return frame;
    for (const std::string& text : {projectNameText(project), segmentText(project)}) {
        if (!text.empty())
            frame.heading.push_back({kPoints, {ColumnStop{kHeadingColumn}, Text{text}}});
    }
    frame.heading.push_back({kPoints, {}});
    frame.closing.push_back({kPoints, {}});
    frame.closing.push_back(
        {kPoints,
         {ColumnStop{kHeadingColumn}, Text{calculatedByText(project)}, ColumnStop{kCheckedColumn},
          Text{checkedByText(project)}, ColumnStop{kDateColumn}, Text{dateText(project)}}});
    frame.numbered = true;
    return frame;
}

Sheet framedSheet(Sheet sheet, const section::ProjectInfo& project) {
    sheet.frame = pageFrame(project);
    return sheet;
}

}  // namespace printout
