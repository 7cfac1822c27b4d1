// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/survey_lines.h"

#include <gtest/gtest.h>

#include "cut_fill_lines.h"

namespace section {
namespace {

using cut_fill_test::line;

// Two sections with stations: K0+100 with the points given, K0+120 with none.
Survey closedOutline(std::initializer_list<std::pair<double, double>> points) {
    SectionSurvey survey;
    survey.setStationAnswer("Y");
    survey.resize(2);
    survey.setStation(1, 100);
    survey.setStation(2, 120);
    survey.setPointCount(1, static_cast<std::int16_t>(points.size()));
    survey.allocatePoints();
    int j = 1;
    for (const auto& [s, h] : points) survey.setPoint(1, j++, h, s);
    Survey held(std::move(survey));
    EXPECT_EQ(calculate(held), std::nullopt);
    return held;
}

// K0+000 with a ground line 1 m above a design line 10 m wide, K0+020 with a ground line only.
Survey cutFill() {
    CutFillSurvey survey;
    survey.stationAnswer = "Y";
    survey.sections.resize(2);
    survey.sections[0].ground = line({{-10, 100}, {10, 100}});
    survey.sections[0].design = line({{-5, 99}, {5, 99}});
    survey.sections[1].station = 20;
    survey.sections[1].ground = line({{-10, 100}, {0, 101}, {10, 100}});
    Survey held(std::move(survey));
    EXPECT_EQ(calculate(held), std::nullopt);
    return held;
}

TEST(SurveyLines, a_closed_outline_is_one_line_a_section_without_areas_whose_points_move) {
    const Survey survey = closedOutline({{0, 10}, {5, 10}, {5, 8}});
    const LineShape shape = lineShape(survey);
    EXPECT_EQ(shape.lines, std::vector{SurveyLine::Outline});
    EXPECT_FALSE(shape.areas);
    EXPECT_FALSE(shape.orderedByOffset);
    EXPECT_EQ(lineName(SurveyLine::Outline), "");
    EXPECT_EQ(pointCount(survey, 1, SurveyLine::Outline), 3);
    EXPECT_EQ(pointCount(survey, 2, SurveyLine::Outline), 0);
    EXPECT_EQ(point(survey, 1, SurveyLine::Outline, 3), (Point{8, 5}));
    EXPECT_EQ(sectionAreas(survey, 1).missing, "");
    EXPECT_EQ(cellSectionName(survey, 2), sectionName(survey, 2));
}

TEST(SurveyLines, a_cut_and_fill_section_is_a_ground_and_a_design_line_in_the_order_of_s) {
    const Survey survey = cutFill();
    const LineShape shape = lineShape(survey);
    EXPECT_EQ(shape.lines, (std::vector{SurveyLine::Ground, SurveyLine::Design}));
    EXPECT_TRUE(shape.areas);
    EXPECT_TRUE(shape.orderedByOffset);
    EXPECT_EQ(lineName(SurveyLine::Ground), "地面线");
    EXPECT_EQ(lineName(SurveyLine::Design), "设计线");
    EXPECT_EQ(pointCount(survey, 2, SurveyLine::Ground), 3);
    EXPECT_EQ(pointCount(survey, 2, SurveyLine::Design), 0);
    EXPECT_EQ(point(survey, 1, SurveyLine::Design, 2), (Point{99, 5}));
    EXPECT_EQ(spacing(survey, 1), 20.0);
    EXPECT_EQ(cellSectionName(survey, 2), "K0+020.000断面");
}

TEST(SurveyLines, a_section_shows_its_areas_or_why_it_has_none) {
    const Survey survey = cutFill();
    const SectionAreas areas = sectionAreas(survey, 1);
    EXPECT_EQ(areas.missing, "");
    EXPECT_EQ(areas.cut, "10.000");
    EXPECT_EQ(areas.fill, "0.000");
    EXPECT_EQ(sectionAreas(survey, 2).missing, "只有地面线，没有设计线");
}

}  // namespace
}  // namespace section
