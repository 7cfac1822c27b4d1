// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/road_profile.h"

#include <gtest/gtest.h>

#include <variant>
#include <vector>

namespace section {
namespace {

RoadProfile madeProfile(const std::vector<GradePoint>& points) {
    auto made = RoadProfile::make(points, Chainage());
    EXPECT_TRUE(std::holds_alternative<RoadProfile>(made));
    return std::holds_alternative<RoadProfile>(made) ? std::get<RoadProfile>(made) : RoadProfile();
}

// 变坡点 K5+030 at 427.68, +5 % before and -4 % after, R = 2000: ω = -0.09,
// L = 180, T = 90, E = 90² / 4000 = 2.025; the curve runs K4+940 to K5+120.
// At K5+000, x = 60: the tangent 427.68 - 0.05 x 30 = 426.18, less
// 60² / 4000 = 0.9: 425.28. At K5+100, x = 160: 427.68 + 0.05 x 70 = 431.18,
// less 160² / 4000 = 6.4: 424.78.
TEST(RoadProfile, a_crest_curve_lies_below_its_tangents_by_x_squared_over_2r) {
    const RoadProfile profile = madeProfile({{4900, 427.68 - 0.05 * 130, std::nullopt},
                                             {5030, 427.68, 2000.0},
                                             {5200, 427.68 - 0.04 * 170, std::nullopt}});
    const struct {
        double chainage, elevation;
    } rows[] = {
        {4900, 421.18},       {4940, 427.68 - 0.05 * 90},  // the curve's start, on the tangent
        {5000, 425.280},      {5030, 427.68 - 2.025},      // E below the 变坡点
        {5100, 424.780},      {5120, 427.68 - 0.04 * 90},  // the curve's end, on the tangent
        {5200, 427.68 - 6.8},
    };
    for (const auto& row : rows)
        EXPECT_NEAR(profile.elevation(row.chainage).value_or(-1), row.elevation, 1e-9)
            << row.chainage;
    EXPECT_FALSE(profile.elevation(4899.99));
    EXPECT_FALSE(profile.elevation(5200.01));
    EXPECT_EQ(profile.nearestEndElevation(5300), 427.68 - 6.8);
}

// A sag, -2 % then +3 %, R = 1000: T = 25; 10 m into the curve it lies
// 10² / 2000 = 0.05 above the tangent 50 + 0.02 x 15 = 50.3.
TEST(RoadProfile, a_sag_curve_lies_above_its_tangents) {
    const RoadProfile profile =
        madeProfile({{0, 51, std::nullopt}, {50, 50, 1000.0}, {100, 51.5, std::nullopt}});
    EXPECT_NEAR(profile.elevation(35).value_or(-1), 50.35, 1e-12);
    EXPECT_NEAR(profile.elevation(50).value_or(-1), 50 + 25.0 * 25 / 2000, 1e-12);
}

}  // namespace
}  // namespace section
