// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/section_sheets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

namespace printout {
namespace {

bool overlaps(const Placement& a, const Placement& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

// A road's 45 m by 10 m sections at 1:200 on A3: 225 mm by 50 mm and their
// labels; one column, which reaches over the title block and so starts above
// it, holds three.
TEST(SectionSheets, FillsAColumnBottomToTopAboveTheTitleBlock) {
    const SheetLayout layout = layOutSections(std::vector<SectionExtent>(7, {45.0, 10.0}), 200);
    ASSERT_EQ(layout.placements.size(), 7u);
    EXPECT_EQ(layout.sheets, 3);
    const SheetFrame frame;
    const double floor = frame.margin + frame.titleHeight + frame.gap;
    for (int k = 0; k < 7; ++k) {
        const Placement& p = layout.placements[std::size_t(k)];
        EXPECT_EQ(p.sheet, k / 3) << k;
        EXPECT_DOUBLE_EQ(p.x, frame.margin) << k;
        EXPECT_DOUBLE_EQ(p.y, floor + (k % 3) * (50.0 + frame.labelRoom + frame.gap)) << k;
        EXPECT_DOUBLE_EQ(p.width, 225.0);
    }
    EXPECT_TRUE(layout.oversize.empty());
    EXPECT_EQ(layOutSections({}, 200).sheets, 0);
}

// Random roads, scales and papers: every section inside the drawing frame,
// clear of the title block and of the others on its sheet, unless it is too
// large for any sheet: then it is named and has a sheet of its own, from the
// left, above the title block if the sheet is tall enough. In station order
// up each column, the columns left to right, the sheets in turn.
TEST(SectionSheets, KeepsOrderFrameAndTitleBlockOnRandomRoads) {
    std::mt19937 random(33);
    const SheetFrame frame;
    for (int round = 0; round < 200; ++round) {
        const Paper paper = round % 2 ? Paper::a3() : Paper::a4();
        const double scale = std::array{100.0, 200.0, 500.0}[std::size_t(round % 3)];
        std::uniform_real_distribution<double> width(2.0, 80.0), height(0.5, 25.0);
        std::vector<SectionExtent> sections(std::size_t(1 + random() % 60));
        for (SectionExtent& s : sections) s = {width(random), height(random)};
        const SheetLayout layout = layOutSections(sections, scale, paper, frame);
        ASSERT_EQ(layout.placements.size(), sections.size());
        const double titleLeft = paper.width - frame.margin - frame.titleWidth;
        const double titleTop = frame.margin + frame.titleHeight;
        for (std::size_t k = 0; k < sections.size(); ++k) {
            const Placement& p = layout.placements[k];
            SCOPED_TRACE(testing::Message() << "round " << round << " section " << k + 1);
            EXPECT_EQ(p.section, int(k + 1));
            EXPECT_LT(p.sheet, layout.sheets);
            const bool oversize = std::ranges::count(layout.oversize, p.section) > 0;
            const bool inside = p.x >= frame.margin && p.y >= frame.margin &&
                                p.x + p.width <= paper.width - frame.margin + 1e-9 &&
                                p.y + p.height <= paper.height - frame.margin + 1e-9 &&
                                !(p.x + p.width > titleLeft && p.y < titleTop);
            EXPECT_NE(inside, oversize);
            if (oversize) {
                EXPECT_EQ(p.x, frame.margin);
                const double floor = titleTop + frame.gap;
                EXPECT_EQ(p.y,
                          floor + p.height <= paper.height - frame.margin ? floor : frame.margin);
                const auto alone = [&](std::size_t j) {
                    return layout.placements[j].sheet != p.sheet;
                };
                EXPECT_TRUE((k == 0 || alone(k - 1)) && (k + 1 == sections.size() || alone(k + 1)));
            }
            if (k == 0) continue;
            const Placement& before = layout.placements[k - 1];
            if (p.sheet == before.sheet) {
                EXPECT_TRUE((p.x == before.x && p.y > before.y) || p.x > before.x);
                for (std::size_t j = 0; j < k; ++j) {
                    const Placement& other = layout.placements[j];
                    if (other.sheet == p.sheet) {
                        EXPECT_FALSE(overlaps(p, other)) << j + 1;
                    }
                }
            } else {
                EXPECT_EQ(p.sheet, before.sheet + 1);
            }
        }
        EXPECT_EQ(layout.sheets, layout.placements.back().sheet + 1);
    }
}

}  // namespace
}  // namespace printout
