// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/title_block.h"

#include <algorithm>
#include <cstdio>

#include "printout/section_block.h"

namespace printout {

namespace {

constexpr double kSheetGap = 20.0;  // mm of paper between sheets in model space
constexpr double kTextHeight = 2.5;
constexpr double kNameHeight = 3.5;  // the drawing's name
constexpr double kPadding = 2.0;     // a cell's edge to its text
// Across the title block, mm from its right edge: the label column ends
// where the values begin, and the right-hand column is split for 日期.
constexpr double kValueFromRight = 155.0;
constexpr double kRightColumn = 65.0;
constexpr double kDateValue = 45.0;

struct Cell {
    double left, right;  // mm from the title block's left edge
    int row;             // from the bottom
    std::string text;
    bool label;  // centred; a value starts at the left
    double height = kTextHeight;
};

class SheetPen {
  public:
    SheetPen(DrawingBlock& block, DrawPoint origin, double mm)
        : block_(block), origin_(origin), mm_(mm) {}
    DrawPoint at(double x, double y) const { return {origin_.x + x * mm_, origin_.y + y * mm_}; }
    void line(double x0, double y0, double x1, double y1) {
        block_.lines.push_back({kFrameLayer, {at(x0, y0), at(x1, y1)}});
    }
    void rectangle(double left, double bottom, double right, double top) {
        block_.lines.push_back(
            {kFrameLayer,
             {at(left, bottom), at(right, bottom), at(right, top), at(left, top)},
             true});
    }
    // Shrunk to fit the cell where it would run over.
    void text(double left, double right, double bottom, double rowHeight, const Cell& cell) {
        if (cell.text.empty()) return;
        const double room = right - left - 2 * kPadding;
        const double height = std::min(cell.height, room / textWidth(cell.text, 1.0));
        const double baseLine = bottom + (rowHeight - height) / 2;
        const DrawPoint where =
            cell.label ? at((left + right) / 2, baseLine) : at(left + kPadding, baseLine);
        block_.texts.push_back({kLabelLayer, where, height * mm_, cell.text,
                                cell.label ? DrawText::Align::Centre : DrawText::Align::Left});
    }

  private:
    DrawingBlock& block_;
    DrawPoint origin_;
    double mm_;
};

}  // namespace

DrawPoint sheetOrigin(const Paper& paper, double scale, int sheet) {
    return {double(sheet) * (paper.width + kSheetGap) * scale / 1000.0, 0.0};
}

std::string scaleText(double scale) {
    char text[32];
    std::snprintf(text, sizeof text, "1:%g", scale);
    return text;
}

DrawingBlock sheetBlock(const section::ProjectInfo& project, const Paper& paper, double scale,
                        int sheet, int sheets, const SheetFrame& frame) {
    DrawingBlock block;
    block.name = "图框" + std::to_string(sheet + 1);
    block.base = sheetOrigin(paper, scale, sheet);
    SheetPen pen(block, block.base, scale / 1000.0);
    pen.rectangle(frame.margin, frame.margin, paper.width - frame.margin,
                  paper.height - frame.margin);

    const double width = frame.titleWidth, rowHeight = frame.titleHeight / 4;
    const double left = paper.width - frame.margin - width, bottom = frame.margin;
    const double values = width - kValueFromRight, right = width - kRightColumn;
    const double date = width - kDateValue;
    pen.rectangle(left, bottom, left + width, bottom + frame.titleHeight);
    for (int row = 1; row < 4; ++row)
        pen.line(left, bottom + row * rowHeight, left + width, bottom + row * rowHeight);
    pen.line(left + values, bottom, left + values, bottom + frame.titleHeight);
    pen.line(left + right, bottom, left + right, bottom + frame.titleHeight);
    pen.line(left + date, bottom + rowHeight, left + date, bottom + 2 * rowHeight);

    const std::string count =
        "第 " + std::to_string(sheet + 1) + " 张 共 " + std::to_string(sheets) + " 张";
    const Cell cells[] = {
        {0, values, 3, "工程名称", true},
        {values, right, 3, project.projectName, false},
        {right, width, 3, "横断面设计图", true, kNameHeight},
        {0, values, 2, "路段", true},
        {values, right, 2, project.segment, false},
        {right, width, 2, "比例 " + scaleText(scale), true},
        {0, values, 1, "计算", true},
        {values, right, 1, project.calculatedBy, false},
        {right, date, 1, "日期", true},
        {date, width, 1, project.date, false},
        {0, values, 0, "复核", true},
        {values, right, 0, project.checkedBy, false},
        {right, width, 0, count, true},
    };
    for (const Cell& cell : cells)
        pen.text(left + cell.left, left + cell.right, bottom + cell.row * rowHeight, rowHeight,
                 cell);
    return block;
}

}  // namespace printout
