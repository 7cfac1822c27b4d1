// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/section_sheets.h"

#include <algorithm>

namespace printout {

namespace {

// The drawing area of a sheet, and the band of it the title block leaves
// free at the bottom right.
struct Area {
    double left, bottom, right, top;
};

class SheetFiller {
  public:
    SheetFiller(const Paper& paper, const SheetFrame& frame, SheetLayout& layout)
        : frame_(frame),
          area_{frame.margin, frame.margin, paper.width - frame.margin,
                paper.height - frame.margin},
          layout_(layout),
          x_(area_.left),
          y_(area_.bottom) {}

    void place(int section, double width, double height) {
        if (!fitsEmptySheet(width, height)) {
            // Drawn at the scale all the same, alone, from the left; above
            // the title block where the sheet is tall enough.
            layout_.oversize.push_back(section);
            if (sheetUsed_) newSheet();
            const double floor = floorAt(area_.left, width);
            put(section, width, height, floor + height <= area_.top ? floor : area_.bottom);
            newSheet();
            return;
        }
        if (!fitsColumn(width, height)) nextColumn();
        if (!fitsColumn(width, height)) newSheet();
        put(section, width, height, std::max(y_, floorAt(x_, width)));
    }

  private:
    // The column's floor: above the title block where the column reaches over it.
    double floorAt(double x, double width) const {
        const double titleLeft = area_.right - frame_.titleWidth;
        return x + width > titleLeft ? area_.bottom + frame_.titleHeight + frame_.gap
                                     : area_.bottom;
    }
    bool fitsEmptySheet(double width, double height) const {
        return area_.left + width <= area_.right &&
               floorAt(area_.left, width) + height <= area_.top;
    }
    bool fitsColumn(double width, double height) const {
        return x_ + width <= area_.right && std::max(y_, floorAt(x_, width)) + height <= area_.top;
    }
    void nextColumn() {
        x_ += columnWidth_ + frame_.gap;
        y_ = area_.bottom;
        columnWidth_ = 0.0;
    }
    void newSheet() {
        ++sheet_;
        sheetUsed_ = false;
        x_ = area_.left;
        y_ = area_.bottom;
        columnWidth_ = 0.0;
    }
    void put(int section, double width, double height, double bottom) {
        layout_.placements.push_back({section, sheet_, x_, bottom, width, height});
        layout_.sheets = sheet_ + 1;
        y_ = bottom + height + frame_.gap;
        columnWidth_ = std::max(columnWidth_, width);
        sheetUsed_ = true;
    }

    const SheetFrame& frame_;
    Area area_;
    SheetLayout& layout_;
    int sheet_ = 0;
    bool sheetUsed_ = false;
    double x_, y_;  // where the next section may go in the current column
    double columnWidth_ = 0.0;
};

}  // namespace

SheetLayout layOutSections(const std::vector<SectionExtent>& sections, double scale,
                           const Paper& paper, const SheetFrame& frame) {
    SheetLayout layout;
    SheetFiller filler(paper, frame, layout);
    const double mm = 1000.0 / scale;
    for (std::size_t k = 0; k < sections.size(); ++k) {
        const double width = sections[k].width * mm;
        const double height = sections[k].height * mm + frame.labelRoom;
        filler.place(int(k + 1), width, height);
    }
    return layout;
}

}  // namespace printout
