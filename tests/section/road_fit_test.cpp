// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/road_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>
#include <variant>
#include <vector>

#include "section/cut_fill_area.h"

namespace section {
namespace {

const std::optional<double> kNone;
constexpr RoadSide L = RoadSide::Left, R = RoadSide::Right;
constexpr SlopeKind kFill = SlopeKind::Fill, kCut = SlopeKind::Cut;

// A level road at 100 with a lane of 3.75 m at -2 % each side: the road
// edges at 3.75 m, 100 - 0.075 = 99.925.
RoadDesign levelRoad(std::vector<SlopeRow> slopes, std::vector<DitchRow> ditches = {}) {
    RoadDesign design;
    design.profile = {{-1000, 100, kNone}, {1000, 100, kNone}};
    design.plates = {{0, L, 3.75, -2}, {0, R, 3.75, -2}};
    design.slopes = std::move(slopes);
    design.ditches = std::move(ditches);
    return design;
}

PreparedRoad prepared(const RoadDesign& design) {
    auto road = PreparedRoad::prepare(design);
    EXPECT_TRUE(std::holds_alternative<PreparedRoad>(road));
    return std::holds_alternative<PreparedRoad>(road) ? std::get<PreparedRoad>(road)
                                                      : PreparedRoad();
}

// Ground from S = -40 to 40 at `centre`, rising `grade` per metre to the left.
std::vector<Point> ground(double centre, double grade = 0, double half = 40) {
    return {{centre - grade * half, -half}, {centre + grade * half, half}};
}

// One slope each side, the same.
std::vector<SlopeRow> bothSides(std::vector<SlopeRow> rows) {
    const std::size_t n = rows.size();
    for (std::size_t k = 0; k < n; ++k) {
        rows.push_back(rows[k]);
        rows.back().side = R;
    }
    return rows;
}

const std::vector<SlopeRow> kFillSlope = bothSides({{std::nullopt, L, kFill, 1.5, kNone, 0, 0}});
const std::vector<SlopeRow> kCutSlope = bothSides(
    {{std::nullopt, L, kCut, 0.75, 10.0, 2, -3}, {std::nullopt, L, kCut, 1, kNone, 0, 0}});
// Inner slope to (4.35, 99.325), bottom to (4.75, 99.325), outer slope to
// (5.35, 99.925).
const std::vector<DitchRow> kDitches = {{std::nullopt, L, 1, 0.6, 0.4, 1},
                                        {std::nullopt, R, 1, 0.6, 0.4, 1}};

TEST(RoadFit, the_catch_points_are_where_the_slopes_meet_the_ground_by_hand) {
    const struct {
        const char* what;
        RoadDesign design;
        std::vector<Point> ground;
        SlopeKind kind;
        double left, right;  // catch distances
    } rows[] = {
        // 4.925 down at 1:1.5: 3.75 + 7.3875.
        {"fill on flat ground", levelRoad(kFillSlope), ground(95), kFill, 11.1375, 11.1375},
        // Left: ground 95.375 at the edge, 4.55 below, the gap closing by
        // 1/1.5 + 0.1 a metre: 3.75 + 4.55 / (2/3 + 0.1). Right: ground 94.625,
        // 5.3 below, closing by 1/1.5 - 0.1: 3.75 + 5.3 / (2/3 - 0.1).
        {"fill on a sloping ground", levelRoad(kFillSlope), ground(95, 0.1), kFill,
         3.75 + 4.55 / (2.0 / 3 + 0.1), 3.75 + 5.3 / (2.0 / 3 - 0.1)},
        // 2 down to (6.75, 97.925), a berm of 1 at -3 % to (7.75, 97.895), then
        // 2.895 down at 1:1.75: 7.75 + 5.06625.
        {"fill with a berm",
         levelRoad(bothSides({{std::nullopt, L, kFill, 1.5, 2.0, 1, -3},
                              {std::nullopt, L, kFill, 1.75, kNone, 0, 0}})),
         ground(95), kFill, 12.81625, 12.81625},
        // The last stage again and again: (5.75, 97.925), (6.75, 97.925),
        // (8.75, 95.925), (9.75, 95.925), then 0.925 down at 1:1.
        {"fill with a repeated stage",
         levelRoad(bothSides({{std::nullopt, L, kFill, 1, 2.0, 1, 0}})), ground(95), kFill, 10.675,
         10.675},
        // From the ditch's outer top (5.35, 99.925) 4.075 up at 1:0.75.
        {"cut with a ditch", levelRoad(kCutSlope, kDitches), ground(104), kCut, 8.40625, 8.40625},
        // 10 up to (12.85, 109.925), the berm to (14.85, 109.865), 2.135 up at 1:1.
        {"cut with a ditch and a berm", levelRoad(kCutSlope, kDitches), ground(112), kCut, 16.985,
         16.985},
        // From (5.35, 99.925): left the ground 104.535 there, closing by
        // 1/0.75 - 0.1 a metre; right 103.465, closing by 1/0.75 + 0.1.
        {"cut on a sloping ground", levelRoad(kCutSlope, kDitches), ground(104, 0.1), kCut,
         5.35 + 4.61 / (4.0 / 3 - 0.1), 5.35 + 3.54 / (4.0 / 3 + 0.1)},
        // Without a ditch the cut slope starts at the edge: 4.075 up at 1:0.75.
        {"cut without a ditch", levelRoad(kCutSlope), ground(104), kCut, 3.75 + 3.05625,
         3.75 + 3.05625},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        // The ground given right to left, then left to right: the same.
        std::vector<Point> line = row.ground;
        for (int order = 0; order < 2; ++order) {
            std::reverse(line.begin(), line.end());
            const FittedDesign fitted = prepared(row.design).fit(500, line);
            EXPECT_TRUE(fitted.fit.warnings.empty());
            EXPECT_EQ(fitted.fit.left.kind, row.kind);
            EXPECT_EQ(fitted.fit.right.kind, row.kind);
            EXPECT_NEAR(fitted.fit.left.catchDistance.value_or(-1), row.left, 1e-9);
            EXPECT_NEAR(fitted.fit.right.catchDistance.value_or(-1), row.right, 1e-9);
            EXPECT_NEAR(fitted.line.front().offset, -row.right, 1e-9);
            EXPECT_NEAR(fitted.line.back().offset, row.left, 1e-9);
        }
    }
}

// The ground's elevations at S, linear between its points: the lowest and
// the highest, which differ at a vertical step.
std::pair<double, double> groundAt(const std::vector<Point>& ground, double s) {
    std::pair<double, double> range{HUGE_VAL, -HUGE_VAL};
    for (std::size_t k = 1; k < ground.size(); ++k) {
        Point a = ground[k - 1], b = ground[k];
        if (a.offset > b.offset) std::swap(a, b);
        if (s < a.offset || s > b.offset) continue;
        for (const double z : {a.elevation, b.elevation}) {
            const double at = a.offset == b.offset
                                  ? z
                                  : a.elevation + (b.elevation - a.elevation) * (s - a.offset) /
                                                      (b.offset - a.offset);
            range = {std::min(range.first, at), std::max(range.second, at)};
        }
    }
    return range;
}

void expectLine(const std::vector<Point>& line, const std::vector<Point>& expected) {
    ASSERT_EQ(line.size(), expected.size());
    for (std::size_t k = 0; k < line.size(); ++k) {
        EXPECT_NEAR(line[k].offset, expected[k].offset, 1e-9) << k;
        EXPECT_NEAR(line[k].elevation, expected[k].elevation, 1e-9) << k;
    }
}

TEST(RoadFit, the_line_runs_in_order_of_s_through_the_ditch_and_the_berm) {
    const FittedDesign fitted = prepared(levelRoad(kCutSlope, kDitches)).fit(0, ground(112));
    const std::vector<Point> left = {{99.925, 3.75}, {99.325, 4.35},   {99.325, 4.75},
                                     {99.925, 5.35}, {109.925, 12.85}, {109.865, 14.85},
                                     {112, 16.985}};
    std::vector<Point> expected;
    for (auto point = left.rbegin(); point != left.rend(); ++point)
        expected.push_back({point->elevation, -point->offset});
    expected.push_back({100, 0});
    expected.insert(expected.end(), left.begin(), left.end());
    expectLine(fitted.line, expected);
    EXPECT_EQ(fitted.fit.groundElevation, 112.0);
    EXPECT_EQ(fitted.fit.designElevation, 100.0);
    EXPECT_EQ(fitted.fit.left.roadEdge, 3.75);
}

TEST(RoadFit, what_does_not_fit_ends_the_line_at_the_ground_and_is_warned) {
    // Fill 1:1.5 from (3.75, 99.925) reaches S = 8 at 99.925 - 4.25 / 1.5.
    const FittedDesign missing = prepared(levelRoad(kFillSlope)).fit(0, ground(95, 0, 8));
    expectLine(missing.line, {{99.925 - 4.25 / 1.5, -8},
                              {99.925, -3.75},
                              {100, 0},
                              {99.925, 3.75},
                              {99.925 - 4.25 / 1.5, 8}});
    EXPECT_FALSE(missing.fit.left.catchDistance);
    EXPECT_EQ(missing.fit.warnings, (std::vector<FitWarning>{{FitProblem::SlopeMisses, L},
                                                             {FitProblem::SlopeMisses, R}}));

    const FittedDesign narrow = prepared(levelRoad(kFillSlope)).fit(0, ground(95, 0, 3));
    expectLine(narrow.line, {{99.94, -3}, {100, 0}, {99.94, 3}});
    EXPECT_EQ(narrow.fit.left.roadEdge, 3.75);
    EXPECT_EQ(narrow.fit.warnings, (std::vector<FitWarning>{{FitProblem::RoadWiderThanGround, L},
                                                            {FitProblem::RoadWiderThanGround, R}}));

    // No cut slope on the left: the template ends at the ditch's top. Ground
    // only left of S = 2, past the 纵断面's end.
    RoadDesign noCutLeft = levelRoad({{std::nullopt, R, kCut, 1, kNone, 0, 0}}, kDitches);
    const FittedDesign bare = prepared(noCutLeft).fit(1200, {{104, 2}, {104, 40}});
    EXPECT_EQ(bare.line.back().offset, 5.35);
    EXPECT_EQ(bare.fit.left.kind, kCut);
    EXPECT_EQ(bare.fit.warnings,
              (std::vector<FitWarning>{{FitProblem::OutsideProfile, std::nullopt},
                                       {FitProblem::NoGroundAtCentre, std::nullopt},
                                       {FitProblem::SlopeMisses, L},
                                       {FitProblem::RoadWiderThanGround, R}}));
}

// 加宽 and 超高 from K0+000 to K0+100: left 3.75 at -2 % to 4.75 at +4 %,
// right 3.75 at -2 % to 3.75 at -6 %. Halfway the left is 4.25 at +1 %
// (up 0.0425), the right 3.75 at -4 % (down 0.15); before and after they
// hold as given.
TEST(RoadFit, widths_and_crossfalls_change_linearly_between_given_stations) {
    RoadDesign design = levelRoad({});
    design.plates.push_back({100, L, 4.75, 4});
    design.plates.push_back({100, R, 3.75, -6});
    const PreparedRoad road = prepared(design);
    const struct {
        double chainage;
        std::vector<Point> line;
    } rows[] = {
        {-50, {{99.925, -3.75}, {100, 0}, {99.925, 3.75}}},
        {50, {{99.85, -3.75}, {100, 0}, {100.0425, 4.25}}},
        {250, {{99.775, -3.75}, {100, 0}, {100.19, 4.75}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.chainage);
        expectLine(road.fit(row.chainage, ground(90)).line, row.line);
    }
}

TEST(RoadFit, rows_of_a_station_range_replace_the_others_of_their_side_and_kind_there) {
    std::vector<SlopeRow> slopes = kFillSlope;
    slopes.push_back({StationRange{0, 100}, L, kFill, 1, kNone, 0, 0});
    const PreparedRoad road = prepared(levelRoad(slopes));
    // 1:1 from (3.75, 99.925) to 95: 3.75 + 4.925.
    EXPECT_NEAR(road.fit(100, ground(95)).fit.left.catchDistance.value_or(-1), 8.675, 1e-9);
    EXPECT_NEAR(road.fit(100, ground(95)).fit.right.catchDistance.value_or(-1), 11.1375, 1e-9);
    EXPECT_NEAR(road.fit(101, ground(95)).fit.left.catchDistance.value_or(-1), 11.1375, 1e-9);
}

// Rough ground of random points with vertical steps, of random widths,
// either way round, and a design with berms, ditches and a vertical stage:
// the line keeps to increasing S; a side that catches ends there on the
// ground, one that does not ends at the ground line's end.
TEST(RoadFit, every_line_runs_in_order_of_s_and_ends_on_the_ground_or_at_its_end) {
    std::vector<SlopeRow> slopes = kCutSlope;
    for (const SlopeRow& stage : bothSides({{std::nullopt, L, kFill, 1.5, 1.0, 0.5, 4},
                                            {std::nullopt, L, kFill, 0, 0.5, 0.2, -2}}))
        slopes.push_back(stage);
    const PreparedRoad road = prepared(levelRoad(slopes, kDitches));
    std::mt19937 random(32);
    std::uniform_real_distribution<double> height(90, 110), step(0, 2), half(2, 20);
    int caught = 0, missed = 0;
    for (int k = 0; k < 2000; ++k) {
        std::vector<Point> ground;
        const double left = half(random);
        for (double s = -half(random); s < left; s += step(random)) {
            ground.push_back({height(random), s});
            if (ground.size() % 5 == 0) ground.push_back({height(random), s});
        }
        const double ends[] = {std::max(0.0, ground.back().offset),
                               std::max(0.0, -ground.front().offset)};
        if (k % 2) std::reverse(ground.begin(), ground.end());
        const FittedDesign fitted = road.fit(0, ground);
        ASSERT_FALSE(cutFillAreas(ground, fitted.line).backStep) << k;
        for (const RoadSide side : {L, R}) {
            SCOPED_TRACE(k * 2 + (side == R));
            const SideFit& fit = side == L ? fitted.fit.left : fitted.fit.right;
            const Point end = side == L ? fitted.line.back() : fitted.line.front();
            if (!fit.catchDistance) {
                ++missed;
                EXPECT_NEAR(std::abs(end.offset), ends[side == R], 1e-9);
                continue;
            }
            ++caught;
            EXPECT_NEAR(std::abs(end.offset), *fit.catchDistance, 1e-9);
            const auto [low, high] = groundAt(ground, end.offset);
            EXPECT_TRUE(low - 1e-6 <= end.elevation && end.elevation <= high + 1e-6);
        }
    }
    EXPECT_GT(caught, 1000);
    EXPECT_GT(missed, 100);
}

}  // namespace
}  // namespace section
