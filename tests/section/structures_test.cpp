// SPDX-License-Identifier: GPL-3.0-or-later
// 构造物: the road a structure covers carries no volume, in every output.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "runtime/number_format.h"
#include "section/any_survey.h"
#include "section/cut_fill_figures.h"
#include "section/earthworks.h"
#include "section/figures.h"
#include "section/survey_warnings.h"

namespace section {
namespace {

// Level ground 1 m above a level design 10 m wide: 10 m² of cut.
CutFillSection cutting(double station) {
    CutFillSection section;
    section.station = station;
    section.ground = {{1, -5}, {1, 5}};
    section.design = {{0, -5}, {0, 5}};
    return section;
}

Survey cutFillAt(const std::vector<double>& stations, RoadDesign design) {
    CutFillSurvey lines;
    lines.stationAnswer = "Y";
    for (double station : stations) lines.sections.push_back(cutting(station));
    Survey survey(std::move(lines));
    EXPECT_FALSE(survey.setRoadDesign(std::move(design)));
    EXPECT_FALSE(calculate(survey));
    return survey;
}

StructureRow bridge(double from, double to) {
    return {{from, to}, "小桥"};
}

struct Case {
    const char* name;
    std::vector<double> stations;
    std::vector<ChainBreak> breaks;
    std::vector<StructureRow> structures;
    double spacing;  // of the first pair
    int warned;      // pairs a warning says a structure cut
};

TEST(Structures, leave_the_road_they_cover_out_of_the_pairs_length) {
    const std::vector<Case> cases{
        {"sections at both ends of a bridge", {480, 520}, {}, {bridge(480, 520)}, 0, 1},
        {"a bridge inside the pair", {470, 530}, {}, {bridge(480, 520)}, 20, 1},
        {"a bridge reaching beyond the pair", {470, 530}, {}, {bridge(500, 600)}, 30, 1},
        {"a 长链 inside the pair", {470, 530}, {{500, 490}}, {bridge(480, 495)}, 55, 1},
        {"a bridge beyond the survey", {470, 530}, {}, {bridge(600, 700)}, 60, 0},
        {"no structure", {470, 530.001}, {}, {}, 60.001, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RoadDesign design;
        design.breaks = c.breaks;
        design.structures = c.structures;
        const Survey survey = cutFillAt(c.stations, design);
        const CutFillSection& first = survey.cutFill()->sections[0];
        EXPECT_EQ(first.spacing, c.spacing);
        EXPECT_EQ(first.cutVolume, 10 * c.spacing);
        EXPECT_EQ(CutFillFigures(*survey.cutFill()).cut().total(),
                  runtime::formatFixed3(10 * c.spacing));
        const auto said = std::ranges::count_if(warnings(survey), [](const SurveyWarning& w) {
            return w.kind == WarningKind::StructureCut;
        });
        EXPECT_EQ(said, c.warned);
    }
}

// A design refuses structures that overlap; the chainage still counts
// their road once.
TEST(Structures, overlapping_leave_their_road_out_once) {
    const Chainage chainage({}, {{480, 510}, {500, 520}});
    const std::vector<ChainedStation> placed = chainage.place({470, 530});
    EXPECT_EQ(chainage.spacing(placed[0], placed[1]), 20);
    EXPECT_EQ(chainage.structuresAcross(placed[0], placed[1]), (std::vector<int>{0, 1}));
}

TEST(Structures, leave_spacings_entered_without_stations_whole) {
    CutFillSurvey lines;
    lines.stationAnswer = "N";
    lines.sections = {cutting(0), cutting(0)};
    lines.sections[0].spacing = 60;
    Survey survey(std::move(lines));
    RoadDesign design;
    design.structures = {bridge(10, 50)};
    ASSERT_FALSE(survey.setRoadDesign(design));
    ASSERT_FALSE(calculate(survey));
    EXPECT_EQ(survey.cutFill()->sections[0].cutVolume, 600);
    const Earthworks works = earthworks(*survey.cutFill(), design);
    ASSERT_EQ(works.rows.size(), 1u);
    EXPECT_TRUE(works.rows[0].structures.empty());
}

TEST(Structures, shorten_the_exact_figures_as_they_shorten_the_volumes) {
    // A volume of exactly 10.0005, rounded to the even 10.000 only from the
    // length the calculation counted, not from the stations' 60 m.
    CutFillSurvey lines;
    lines.stationAnswer = "Y";
    lines.sections = {cutting(0), cutting(60)};
    lines.sections[0].ground = {{1.00005, -0.5}, {1.00005, 0.5}};  // 1.00005 m²
    lines.sections[0].design = {{0, -0.5}, {0, 0.5}};
    lines.sections[1].ground = lines.sections[1].design;  // none
    Survey survey(std::move(lines));
    RoadDesign design;
    design.structures = {bridge(10, 50)};
    ASSERT_FALSE(survey.setRoadDesign(design));
    ASSERT_FALSE(calculate(survey));
    const CutFillFigures figures(*survey.cutFill());
    EXPECT_EQ(figures.cut().volume(1), "10.000");
    EXPECT_EQ(figures.cut().total(), "10.000");
}

TEST(Structures, shorten_closed_outline_pairs_too) {
    SectionSurvey closed;
    closed.resize(2);
    closed.setStationAnswer("y");
    for (int i = 1; i <= 2; ++i) closed.setPointCount(i, 3);
    closed.allocatePoints();
    for (int i = 1; i <= 2; ++i) {
        closed.setPoint(i, 1, 0, 0);
        closed.setPoint(i, 2, 0, 4);
        closed.setPoint(i, 3, 5, 0);
    }
    closed.setStation(1, 470);
    closed.setStation(2, 530);
    Survey survey(std::move(closed));
    RoadDesign design;
    design.structures = {bridge(480, 520)};
    ASSERT_FALSE(survey.setRoadDesign(design));
    ASSERT_FALSE(calculate(survey));
    EXPECT_EQ(survey.closedOutline()->spacings(1), 20);
    EXPECT_EQ(Figures(*survey.closedOutline()).total(), "200.000");
}

}  // namespace
}  // namespace section
