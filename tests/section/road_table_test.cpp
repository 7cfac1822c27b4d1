// SPDX-License-Identifier: GPL-3.0-or-later
// The 路基设计表's rows from the fits the road design gave.
#include "section/road_table.h"

#include <gtest/gtest.h>

#include "cut_fill_lines.h"
#include "section/any_survey.h"
#include "section/road_fit.h"

namespace section {

// Rows as their texts in a failure's message.
void PrintTo(const RoadTableRow& row, std::ostream* out) {
    *out << row.station;
    for (const std::string& cell : row.cells) *out << " | " << cell;
}

namespace {

using cut_fill_test::line;

struct Case {
    const char* name;
    CutFillSection section;
    RoadTableRow expected;
};

SideFit side(SlopeKind kind, double edge, std::optional<double> catchPoint) {
    return {kind, edge, catchPoint};
}

// The section alone at K0+100 (stations) or numbered.
std::vector<RoadTableRow> rowsOf(CutFillSection section, bool stations = true) {
    section.station = 100;
    CutFillSurvey survey{stations ? "Y" : "N", {section}};
    return roadTableRows(Survey(std::move(survey)));
}

TEST(RoadTable, rows_show_the_fit_of_each_section_and_what_the_ground_gives_without_one) {
    const auto flat = line({{-20, 100}, {20, 100}});
    const Case cases[] = {
        {"fill, the right slope missing the ground",
         {.ground = flat,
          .fit = RoadFit{100.0, 101.25, side(SlopeKind::Fill, 4.5, 6.375),
                         side(SlopeKind::Cut, 4.5, std::nullopt)}},
         {"K0+100.000",
          {"100.000", "101.250", "1.250", "", "4.500", "4.500", "6.375", "", "填", "挖"}}},
        {"cut, its depth shown positive",
         {.ground = flat,
          .fit = RoadFit{102.3456, 101.0, side(SlopeKind::Cut, 5.25, 9.0004),
                         side(SlopeKind::Cut, 3.75, 7.1235)}},
         {"K0+100.000",
          {"102.346", "101.000", "", "1.346", "5.250", "3.750", "9.000", "7.124", "挖", "挖"}}},
        // 0.0015 exactly: the difference of the doubles lies below it and
        // would round down.
        {"a height rounded once from the exact difference",
         {.ground = flat,
          .fit = RoadFit{100.0, 100.0015, side(SlopeKind::Fill, 4, 4.5),
                         side(SlopeKind::Fill, 4, 4.5)}},
         {"K0+100.000",
          {"100.000", "100.002", "0.002", "", "4.000", "4.000", "4.500", "4.500", "填", "填"}}},
        {"a design on the ground, neither fill nor cut",
         {.ground = flat,
          .fit = RoadFit{100.0, 100.0, side(SlopeKind::Fill, 4, 4), side(SlopeKind::Fill, 4, 4)}},
         {"K0+100.000",
          {"100.000", "100.000", "0.000", "", "4.000", "4.000", "4.000", "4.000", "填", "填"}}},
        {"a fit without ground at the centre line",
         {.ground = line({{2, 100}, {20, 101}}),
          .fit = RoadFit{std::nullopt, 100.5, side(SlopeKind::Fill, 4, std::nullopt),
                         side(SlopeKind::Fill, 4, std::nullopt)}},
         {"K0+100.000", {"", "100.500", "", "", "4.000", "4.000", "", "", "填", "填"}}},
        {"no fit: the ground between two points across the centre line",
         {.ground = line({{-3, 99.5}, {1, 101.5}, {4, 90}}), .design = flat},
         {"K0+100.000", {"101.000"}}},
        {"no fit: the ground through a point on the centre line, right to left",
         {.ground = line({{10, 90}, {0, 98.7654}, {-10, 90}})},
         {"K0+100.000", {"98.765"}}},
        {"no fit: the ground short of the centre line",
         {.ground = line({{1, 99}, {5, 101}})},
         {"K0+100.000", {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rowsOf(c.section), std::vector<RoadTableRow>{c.expected});
    }
}

// A level road 8 m wide at 100 m, fill slopes 1:1.5 and cut slopes 1:1, put
// on flat ground by the fitter: 2 m of fill meets the ground 4 + 1.5 x 2 = 7 m
// out, 3 m of cut 4 + 3 = 7 m out.
TEST(RoadTable, rows_of_the_fitter_match_a_hand_calculation) {
    RoadDesign design;
    design.profile = {{0, 100}, {1000, 100}};
    design.plates = {{0, RoadSide::Left, 4, 0}, {0, RoadSide::Right, 4, 0}};
    for (RoadSide side : {RoadSide::Left, RoadSide::Right}) {
        design.slopes.push_back({.side = side, .kind = SlopeKind::Fill, .ratio = 1.5});
        design.slopes.push_back({.side = side, .kind = SlopeKind::Cut, .ratio = 1});
    }
    const auto prepared = PreparedRoad::prepare(design);
    ASSERT_TRUE(std::holds_alternative<PreparedRoad>(prepared));
    const struct {
        double ground;
        RoadTableRow expected;
    } cases[] = {
        {98,
         {"K0+100.000",
          {"98.000", "100.000", "2.000", "", "4.000", "4.000", "7.000", "7.000", "填", "填"}}},
        {103,
         {"K0+100.000",
          {"103.000", "100.000", "", "3.000", "4.000", "4.000", "7.000", "7.000", "挖", "挖"}}},
    };
    for (const auto& c : cases) {
        CutFillSection section{.ground = line({{-20, c.ground}, {20, c.ground}})};
        section.fit = std::get<PreparedRoad>(prepared).fit(100, section.ground).fit;
        EXPECT_EQ(rowsOf(section), std::vector<RoadTableRow>{c.expected}) << c.ground;
    }
}

TEST(RoadTable, names_numbered_sections_and_has_no_rows_for_closed_outlines) {
    const CutFillSection section{.ground = line({{-1, 100}, {1, 100}})};
    EXPECT_EQ(rowsOf(section, false).at(0).station, "第 1 号断面");
    EXPECT_TRUE(roadTableRows(Survey(SectionSurvey())).empty());
}

}  // namespace
}  // namespace section
