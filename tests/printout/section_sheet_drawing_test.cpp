// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/section_sheet_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <sstream>
#include <string>

#include "printout/section_block.h"
#include "quantity_surveys.h"
#include "runtime/number_format.h"
#include "section/figures.h"

namespace printout {
namespace {

bool holds(const Bounds& box, DrawPoint p) {
    return p.x >= box.left - 1e-9 && p.x <= box.right + 1e-9 && p.y >= box.bottom - 1e-9 &&
           p.y <= box.top + 1e-9;
}

// Every corner of what the block draws, its texts' boxes included.
std::vector<DrawPoint> corners(const DrawingBlock& block) {
    std::vector<DrawPoint> points;
    for (const DrawLine& line : block.lines)
        points.insert(points.end(), line.points.begin(), line.points.end());
    for (const DrawText& text : block.texts) {
        const Bounds box = textBounds(text);
        points.insert(points.end(), {{box.left, box.bottom}, {box.right, box.top}});
    }
    return points;
}

double hatchArea(const DrawingBlock& block, const char* layer) {
    double sum = 0.0;
    for (const DrawHatch& hatch : block.hatches) {
        double twice = 0.0;
        const std::size_t n = hatch.outline.size();
        for (std::size_t k = 0; k < n; ++k) {
            const DrawPoint &a = hatch.outline[k], &b = hatch.outline[(k + 1) % n];
            twice += a.x * b.y - b.x * a.y;
        }
        sum += hatch.layer == layer ? std::abs(twice) / 2 : 0.0;
    }
    return sum;
}

bool hasText(const DrawingBlock& block, const std::string& part, bool whole = true) {
    return std::ranges::any_of(block.texts, [&](const DrawText& t) {
        return whole ? t.text == part : t.text.find(part) != std::string::npos;
    });
}

// Whether a text's box holds a point of the line, sampled along it.
bool covers(const Bounds& box, const std::vector<section::Point>& line) {
    for (std::size_t k = 1; k < line.size(); ++k)
        for (double t = 0.0; t <= 1.0; t += 0.05)
            if (holds(box, {-(line[k - 1].offset * (1 - t) + line[k].offset * t),
                            line[k - 1].elevation * (1 - t) + line[k].elevation * t}))
                return true;
    return false;
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
// cut slopes of 1:1, over random ground from 6 m below to 6 m above it; the
// first section's ground level 3 mm below the road's edges, so that its
// slopes are a few millimetres of rounded points.
section::Survey roadSurvey(std::mt19937& random, int n) {
    section::CutFillSurvey record;
    record.stationAnswer = "Y";
    std::uniform_real_distribution<double> lift(-6.0, 6.0), tilt(-0.15, 0.15);
    for (int i = 0; i < n; ++i) {
        section::CutFillSection s;
        s.station = 20.0 * i;
        const double centre = i == 0 ? 99.847 : 100.0 + 0.01 * s.station + lift(random);
        const double grade = i == 0 ? 0.0 : tilt(random);
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

// Inside its sheet's frame and clear of the title block, labels included,
// unless it is too large for a sheet at the scale.
void expectOnItsSheet(const SheetDrawing& drawing, int i) {
    const DrawingBlock& block = drawing.blocks[std::size_t(i - 1)];
    const BlockInsert& insert = drawing.inserts[std::size_t(i - 1)];
    EXPECT_EQ(insert.block, i - 1);
    if (std::ranges::count(drawing.oversize, i) > 0) return;
    const double mm = drawing.metresPerMillimetre();
    const SheetFrame frame;
    const DrawPoint sheet = drawing.sheets[std::size_t(insert.sheet)].base;
    const Bounds inside{sheet.x + frame.margin * mm, sheet.y + frame.margin * mm,
                        sheet.x + (drawing.paper.width - frame.margin) * mm,
                        sheet.y + (drawing.paper.height - frame.margin) * mm};
    const Bounds title{inside.right - frame.titleWidth * mm, inside.bottom, inside.right,
                       inside.bottom + frame.titleHeight * mm};
    for (const DrawPoint& p : corners(block)) {
        const DrawPoint at{insert.at.x + p.x - block.base.x, insert.at.y + p.y - block.base.y};
        ASSERT_TRUE(holds(inside, at) && !holds(title, at)) << at.x << " " << at.y;
    }
}

// Hatched as computed; at the centre line the elevations the road design
// gave and their difference; each catch point ringed, its slope ratio clear
// of both lines.
void expectRoadFigures(const DrawingBlock& block, const section::CutFillSection& s) {
    ASSERT_TRUE(s.areas && s.fit && s.fit->groundElevation);
    EXPECT_NEAR(hatchArea(block, kCutLayer), s.areas->cut, 1e-6);
    EXPECT_NEAR(hatchArea(block, kFillLayer), s.areas->fill, 1e-6);
    EXPECT_TRUE(
        hasText(block, "地面高程 " + runtime::formatFixed3(*s.fit->groundElevation), false));
    EXPECT_TRUE(hasText(block, "设计高程 " + runtime::formatFixed3(s.fit->designElevation), false));
    EXPECT_TRUE(showsItsHeightAsTheDifference(block));
    EXPECT_TRUE(hasText(block, "25"));  // the ground's ends' distance, under the grid
    std::size_t catches = 0;
    for (const section::SideFit& side : {s.fit->left, s.fit->right}) {
        if (!side.catchDistance) continue;
        ++catches;
        EXPECT_TRUE(hasText(block, side.kind == section::SlopeKind::Fill ? "1:1.5" : "1:1"));
    }
    EXPECT_EQ(block.circles.size(), catches);
    for (const DrawText& text : block.texts)
        EXPECT_FALSE(text.text.starts_with("1:") &&
                     (covers(textBounds(text), s.design) || covers(textBounds(text), s.ground)))
            << text.text;
}

// Generated roads and closed outlines at every scale on both papers: each
// section one block and one insert, on its sheet; labelled with its station,
// elevations, areas and slope ratios; each sheet numbered and scaled in its
// title block.
TEST(SectionSheetDrawing, DrawsEverySectionOnItsSheetWithItsFigures) {
    std::mt19937 random(34);
    const section::ProjectInfo project{"青石岭至下湾公路", "K0+000～K0+780", "王工", "李工",
                                       "2026-12-10"};
    std::vector<section::Survey> surveys;
    surveys.push_back(roadSurvey(random, 40));
    surveys.emplace_back(quantity_surveys::closedSurvey(random, 25, false));
    std::size_t sections = 0, oversize = 0;
    for (const double scale : kSheetScales) {
        for (const Paper& paper : {Paper::a3(), Paper::a4()}) {
            for (const section::Survey& survey : surveys) {
                const SheetDrawing drawing = sectionSheets(survey, project, {paper, scale});
                const int n = survey.sectionCount();
                ASSERT_EQ(drawing.blocks.size(), std::size_t(n));
                ASSERT_EQ(drawing.inserts.size(), std::size_t(n));
                ASSERT_EQ(int(drawing.sheets.size()), drawing.inserts.back().sheet + 1);
                sections += std::size_t(n);
                oversize += drawing.oversize.size();
                std::set<std::string> names;
                for (int i = 1; i <= n; ++i) {
                    SCOPED_TRACE(testing::Message()
                                 << "1:" << scale << " " << paper.width << " section " << i);
                    const DrawingBlock& block = drawing.blocks[std::size_t(i - 1)];
                    EXPECT_TRUE(names.insert(block.name).second) << block.name;
                    EXPECT_EQ(block.name.find_first_of("<>/\\\":;?*|=`"), std::string::npos);
                    expectOnItsSheet(drawing, i);
                    EXPECT_TRUE(hasText(block, section::sectionName(survey, i)));
                    if (const section::CutFillSurvey* lines = survey.cutFill()) {
                        expectRoadFigures(block, lines->sections[std::size_t(i - 1)]);
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
                    EXPECT_TRUE(hasText(sheet, project.projectName) &&
                                hasText(sheet, project.date));
                }
            }
        }
    }
    EXPECT_LT(oversize, sections / 2);  // most are checked against the frame
}

// A point typed a million kilometres off coarsens the grid instead of
// drawing a line every metre, and the section is named as too large.
TEST(SectionSheetDrawing, CoarsensTheGridOfAMistypedSection) {
    section::CutFillSurvey record;
    record.sections.push_back(
        {.ground = {{100, -1e9}, {101, 10}}, .design = {{100, -5}, {100, 5}}});
    const SheetDrawing drawing = sectionSheets(section::Survey(std::move(record)), {});
    ASSERT_EQ(drawing.blocks.size(), 1u);
    EXPECT_LT(drawing.blocks[0].lines.size(), 3000u);
    EXPECT_EQ(drawing.oversize, std::vector<int>{1});
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
