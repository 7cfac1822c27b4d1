// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/section_sheet_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <sstream>

#include "printout/section_block.h"
#include "quantity_surveys.h"
#include "runtime/number_format.h"
#include "section/figures.h"

namespace printout {
namespace {

struct Rect {
    double left, bottom, right, top;
    bool holds(DrawPoint p) const {
        return p.x >= left - 1e-9 && p.x <= right + 1e-9 && p.y >= bottom - 1e-9 &&
               p.y <= top + 1e-9;
    }
    bool meets(const Rect& o) const {
        return left < o.right && o.left < right && bottom < o.top && o.bottom < top;
    }
};

Rect textBox(const DrawText& text) {
    const double width = textWidth(text.text, text.height);
    const double shift = text.align == DrawText::Align::Left     ? 0.0
                         : text.align == DrawText::Align::Centre ? width / 2
                                                                 : width;
    return {text.at.x - shift, text.at.y, text.at.x - shift + width, text.at.y + text.height};
}

// Every corner of what the block draws, its texts' boxes included.
std::vector<DrawPoint> corners(const DrawingBlock& block) {
    std::vector<DrawPoint> points;
    for (const DrawLine& line : block.lines)
        points.insert(points.end(), line.points.begin(), line.points.end());
    for (const DrawHatch& hatch : block.hatches)
        points.insert(points.end(), hatch.outline.begin(), hatch.outline.end());
    for (const DrawText& text : block.texts) {
        const Rect box = textBox(text);
        points.push_back({box.left, box.bottom});
        points.push_back({box.right, box.top});
    }
    return points;
}

double hatchArea(const DrawingBlock& block, const char* layer) {
    double sum = 0.0;
    for (const DrawHatch& hatch : block.hatches) {
        if (hatch.layer != layer) continue;
        double twice = 0.0;
        for (std::size_t k = 0; k < hatch.outline.size(); ++k) {
            const DrawPoint& a = hatch.outline[k];
            const DrawPoint& b = hatch.outline[(k + 1) % hatch.outline.size()];
            twice += a.x * b.y - b.x * a.y;
        }
        sum += std::abs(twice) / 2;
    }
    return sum;
}

bool hasText(const DrawingBlock& block, const std::string& text) {
    return std::ranges::any_of(block.texts, [&](const DrawText& t) { return t.text == text; });
}

bool hasTextWith(const DrawingBlock& block, const std::string& part) {
    return std::ranges::any_of(
        block.texts, [&](const DrawText& t) { return t.text.find(part) != std::string::npos; });
}

// 填高 or 挖深 is the difference of the elevations shown, to the millimetre.
bool showsItsHeightAsTheDifference(const DrawingBlock& block) {
    for (const DrawText& text : block.texts) {
        std::istringstream words(text.text);
        std::string ground, design, height;
        double g = 0, d = 0, h = 0;
        if (!(words >> ground >> g >> design >> d >> height >> h) || ground != "地面高程") continue;
        return std::llround((d - g) * 1000) == std::llround((height == "填高" ? h : -h) * 1000);
    }
    return false;
}

// A road rising 1 % from 100 m, 7.5 m lanes at -2 %, fill slopes of 1:1.5 and
// cut slopes of 1:1, over random ground from 6 m below to 6 m above it.
section::Survey roadSurvey(std::mt19937& random, int n) {
    section::CutFillSurvey record;
    record.stationAnswer = "Y";
    std::uniform_real_distribution<double> lift(-6.0, 6.0), tilt(-0.15, 0.15);
    for (int i = 0; i < n; ++i) {
        section::CutFillSection s;
        s.station = 20.0 * i;
        const double centre = 100.0 + 0.01 * s.station + lift(random), grade = tilt(random);
        for (double offset = -25.0; offset <= 25.0; offset += 10.0)
            s.ground.push_back({std::round((centre + grade * offset) * 1000) / 1000, offset});
        record.sections.push_back(s);
    }
    section::RoadDesign design;
    design.profile = {{-100, 99, std::nullopt}, {5000, 150, std::nullopt}};
    design.plates = {{0, section::RoadSide::Left, 7.5, -2}, {0, section::RoadSide::Right, 7.5, -2}};
    for (section::RoadSide side : {section::RoadSide::Left, section::RoadSide::Right}) {
        design.slopes.push_back({std::nullopt, side, section::SlopeKind::Fill, 1.5});
        design.slopes.push_back({std::nullopt, side, section::SlopeKind::Cut, 1.0});
    }
    section::Survey survey(std::move(record));
    EXPECT_FALSE(survey.setRoadDesign(design));
    EXPECT_FALSE(section::calculate(survey));
    return survey;
}

// Generated roads and closed outlines at every scale on both papers: each
// section one block and one insert, drawn inside its sheet's frame and clear
// of the title block; the hatches as large as the computed cut and fill;
// labelled with its station, elevations, areas and slope ratios; each sheet
// numbered and scaled in its title block.
TEST(SectionSheetDrawing, DrawsEverySectionInsideItsSheetWithItsFigures) {
    std::mt19937 random(34);
    const section::ProjectInfo project{"青石岭至下湾公路", "K0+000～K0+780", "王工", "李工",
                                       "2026-12-10"};
    int placedOnSheets = 0, sections = 0;
    std::vector<section::Survey> surveys;
    surveys.push_back(roadSurvey(random, 40));
    surveys.emplace_back(quantity_surveys::closedSurvey(random, 25, false));
    for (const double scale : kSheetScales) {
        for (const Paper& paper : {Paper::a3(), Paper::a4()}) {
            for (const section::Survey& survey : surveys) {
                const SheetDrawing drawing = sectionSheets(survey, project, {paper, scale});
                const int n = survey.sectionCount();
                sections += n;
                ASSERT_EQ(drawing.blocks.size(), std::size_t(n));
                ASSERT_EQ(drawing.inserts.size(), std::size_t(n));
                ASSERT_EQ(int(drawing.sheets.size()), drawing.inserts.back().sheet + 1);
                const double mm = scale / 1000.0;
                const SheetFrame frame;
                std::set<std::string> names;
                for (int i = 1; i <= n; ++i) {
                    SCOPED_TRACE(testing::Message()
                                 << "1:" << scale << " " << paper.width << " section " << i);
                    const DrawingBlock& block = drawing.blocks[std::size_t(i - 1)];
                    const BlockInsert& insert = drawing.inserts[std::size_t(i - 1)];
                    EXPECT_EQ(insert.block, i - 1);
                    EXPECT_TRUE(names.insert(block.name).second) << block.name;
                    EXPECT_EQ(block.name.find_first_of("<>/\\\":;?*|=`"), std::string::npos);

                    const DrawPoint sheet = drawing.sheets[std::size_t(insert.sheet)].base;
                    const Rect inside{sheet.x + frame.margin * mm, sheet.y + frame.margin * mm,
                                      sheet.x + (paper.width - frame.margin) * mm,
                                      sheet.y + (paper.height - frame.margin) * mm};
                    const Rect title{inside.right - frame.titleWidth * mm, inside.bottom,
                                     inside.right, inside.bottom + frame.titleHeight * mm};
                    if (std::ranges::count(drawing.oversize, i) == 0) {
                        ++placedOnSheets;
                        for (const DrawPoint& p : corners(block)) {
                            const DrawPoint at{insert.at.x + p.x - block.base.x,
                                               insert.at.y + p.y - block.base.y};
                            ASSERT_TRUE(inside.holds(at)) << at.x << " " << at.y;
                            ASSERT_FALSE(title.meets({at.x, at.y, at.x, at.y}))
                                << at.x << " " << at.y;
                        }
                    }

                    EXPECT_TRUE(hasText(block, section::sectionName(survey, i)));
                    if (const section::CutFillSurvey* lines = survey.cutFill()) {
                        const section::CutFillSection& s = lines->sections[std::size_t(i - 1)];
                        ASSERT_TRUE(s.areas && s.fit && s.fit->groundElevation);
                        EXPECT_NEAR(hatchArea(block, kCutLayer), s.areas->cut, 1e-6);
                        EXPECT_NEAR(hatchArea(block, kFillLayer), s.areas->fill, 1e-6);
                        EXPECT_TRUE(hasTextWith(
                            block, "地面高程 " + runtime::formatFixed3(*s.fit->groundElevation)));
                        EXPECT_TRUE(hasTextWith(
                            block, "设计高程 " + runtime::formatFixed3(s.fit->designElevation)));
                        EXPECT_TRUE(showsItsHeightAsTheDifference(block));
                        const auto marks = section::sectionPicture(survey, i).catchPoints;
                        EXPECT_EQ(block.circles.size(), marks.size());
                        for (const auto& side : {s.fit->left, s.fit->right})
                            EXPECT_TRUE(!side.catchDistance ||
                                        hasText(block, side.kind == section::SlopeKind::Fill
                                                           ? "1:1.5"
                                                           : "1:1"));
                    } else {
                        const section::Figures figures(*survey.closedOutline());
                        EXPECT_TRUE(hasText(block, "面积 " + figures.area(i) + " m²"));
                    }
                }
                for (std::size_t k = 0; k < drawing.sheets.size(); ++k) {
                    const DrawingBlock& sheet = drawing.sheets[k];
                    EXPECT_TRUE(hasText(sheet, "第 " + std::to_string(k + 1) + " 张 共 " +
                                                   std::to_string(drawing.sheets.size()) + " 张"));
                    EXPECT_TRUE(hasText(sheet, "比例 1:" + std::to_string(int(scale))));
                    EXPECT_TRUE(hasText(sheet, project.projectName));
                    EXPECT_TRUE(hasText(sheet, project.date));
                }
            }
        }
    }
    EXPECT_GT(placedOnSheets, sections / 2);  // the frame is checked for most
}

// The slope ratio stands beside its slope, clear of the design line.
TEST(SectionSheetDrawing, SetsSlopeRatiosClearOfTheDesignLine) {
    std::mt19937 random(35);
    const section::Survey survey = roadSurvey(random, 30);
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        const DrawingBlock block = sectionSheets(survey, {}).blocks[std::size_t(i - 1)];
        const auto& design = survey.cutFill()->sections[std::size_t(i - 1)].design;
        for (const DrawText& text : block.texts) {
            if (text.text.rfind("1:", 0) != 0) continue;
            const Rect box = textBox(text);
            for (std::size_t k = 1; k < design.size(); ++k) {
                for (double t = 0.0; t <= 1.0; t += 0.05) {
                    const DrawPoint p{-(design[k - 1].offset * (1 - t) + design[k].offset * t),
                                      design[k - 1].elevation * (1 - t) + design[k].elevation * t};
                    EXPECT_FALSE(box.holds(p)) << "section " << i << " " << text.text;
                }
            }
        }
    }
}

TEST(SectionSheetDrawing, ReadsScales) {
    const struct {
        const char* text;
        double scale;  // 0: refused
    } rows[] = {{"1:200", 200}, {"200", 200}, {" 1：500 ", 500}, {"1:10000", 10000},
                {"1:0", 0},     {"-200", 0},  {"1:-200", 0},     {"1:20000", 0},
                {"2:200", 0},   {"1:", 0},    {"", 0},           {"一比二百", 0}};
    for (const auto& row : rows) {
        double scale = -1;
        EXPECT_EQ(readScale(row.text, scale), row.scale > 0) << row.text;
        EXPECT_EQ(scale, row.scale > 0 ? row.scale : -1) << row.text;
    }
}

}  // namespace
}  // namespace printout
