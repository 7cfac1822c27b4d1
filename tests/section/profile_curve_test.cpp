// SPDX-License-Identifier: GPL-3.0-or-later
// The 纵断面 along the road as its view draws it.
#include "section/profile_curve.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "cut_fill_lines.h"

namespace section {
namespace {

using cut_fill_test::line;

Survey withStations(std::vector<CutFillSection> sections, RoadDesign design) {
    CutFillSurvey survey;
    survey.stationAnswer = "Y";
    survey.sections = std::move(sections);
    Survey held(std::move(survey));
    EXPECT_FALSE(held.setRoadDesign(std::move(design)));
    return held;
}

// 变坡点 K5+030 at 427.68 between grades of +5 % and -4 %, R = 2000: T = 90,
// E = 2.025; the curve runs from K4+940 to K5+120.
TEST(ProfileCurve, draws_the_design_through_its_vertical_curve_and_marks_both_ends) {
    RoadDesign design;
    design.profile = {{4930, 422.68, {}}, {5030, 427.68, 2000}, {5230, 419.68, {}}};
    const ProfileCurve curve = profileCurve(withStations({}, design));
    ASSERT_EQ(curve.gradePoints.size(), 3u);
    EXPECT_EQ(curve.gradePoints[1], (GradeMark{{5030, 427.68}, 5030}));
    ASSERT_EQ(curve.curveEnds.size(), 2u);
    EXPECT_DOUBLE_EQ(curve.curveEnds[0].chainage, 4940);
    EXPECT_NEAR(curve.curveEnds[0].elevation, 423.18, 1e-9);
    EXPECT_DOUBLE_EQ(curve.curveEnds[1].chainage, 5120);
    EXPECT_NEAR(curve.curveEnds[1].elevation, 424.08, 1e-9);
    // From the first 变坡点 to the last, in order.
    EXPECT_DOUBLE_EQ(curve.design.front().chainage, 4930);
    EXPECT_DOUBLE_EQ(curve.design.back().chainage, 5230);
    EXPECT_TRUE(std::ranges::is_sorted(curve.design, {}, &ProfilePoint::chainage));
    const auto within = std::ranges::count_if(
        curve.design, [](const ProfilePoint& p) { return p.chainage > 4940 && p.chainage < 5120; });
    EXPECT_GE(within, 2 * kProfileSamples - 2);
}

// The ground where the fit found it, else the ground line at S = 0; along the
// continuous chainage, a 长链 K1+100 = K1+080 putting the second K1+090 20 m
// further on; without stations, along the spacings.
TEST(ProfileCurve, puts_the_ground_at_the_centre_line_along_the_chainage) {
    const auto ground = line({{-10, 1}, {10, 3}});
    RoadDesign breaks;
    breaks.breaks = {{1100, 1080}};
    const Survey chained =
        withStations({{.station = 1060, .ground = ground},
                      {.station = 1100, .ground = ground, .fit = RoadFit{.groundElevation = 7.5}},
                      {.station = 1090, .ground = line({{1, 0}, {5, 0}})},
                      {.station = 1090, .ground = ground}},
                     breaks);
    EXPECT_EQ(profileCurve(chained).ground,
              (std::vector<ProfilePoint>{{1060, 2}, {1100, 7.5}, {1110, 2}}));
    EXPECT_TRUE(profileCurve(chained).design.empty());

    CutFillSurvey spaced;
    spaced.sections = {{.spacing = 20, .ground = ground}, {.spacing = 0, .ground = ground}};
    EXPECT_EQ(profileCurve(Survey(std::move(spaced))).ground,
              (std::vector<ProfilePoint>{{0, 2}, {20, 2}}));
}

}  // namespace
}  // namespace section
