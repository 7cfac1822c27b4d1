// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

#include "section/calculation.h"

namespace section {
namespace {

using Points = std::vector<std::pair<double, double>>;  // (H, S)

struct Entered {
    double stationOrSpacing = 20.0;  // the station, or the spacing to the next section
    Points points;
};

const Points kTriangle{{100, 2}, {101, 0}, {100, -2}};  // area 2
const Points kReversed{{100, -2}, {101, 0}, {100, 2}};  // area -2
const Points kBowTie{{100, 2}, {101, -2}, {101, 2}, {100, -2}};

SectionSurvey calculated(const std::vector<Entered>& sections, bool stations) {
    SectionSurvey survey;
    survey.resize(int(sections.size()));
    survey.setStationAnswer(stations ? "y" : "n");
    std::vector<double> elevations;
    std::vector<double> offsets;
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        const Entered& entered = sections[i - 1];
        if (stations) survey.setStation(i, entered.stationOrSpacing);
        if (!stations && i < survey.sectionCount()) survey.setSpacing(i, entered.stationOrSpacing);
        survey.setPointCount(i, std::int16_t(entered.points.size()));
        for (auto [h, s] : entered.points) {
            elevations.push_back(h);
            offsets.push_back(s);
        }
    }
    survey.takePoints(std::move(elevations), std::move(offsets));
    EXPECT_TRUE(calculateSurvey(survey));
    return survey;
}

struct Case {
    const char* name;
    std::vector<Entered> sections;
    bool stations;
    std::vector<std::pair<int, WarningKind>> told;  // (section, kind), in order
    std::string firstText;                          // the first warning's, in full
};

const Points kTwoPoints{{100, 2}, {100, -2}};

// One row for every kind, its text in full once; and what must not be told.
const std::vector<Case> kCases = {
    {"plain", {{1000, kTriangle}, {1020, kTriangle}}, true, {}, ""},
    {"one_the_other_way_among_most",
     {{20, kTriangle}, {20, kTriangle}, {20, kReversed}},
     false,
     {{3, WarningKind::OtherWay}},
     "第 3 号断面的面积为 -2.000 平方米，与多数断面的正负相反：观测点可能是按相反的方向输入的，"
     "请核对这个断面的观测点顺序。"},
    // The total is 0 instead of 40; as many of either sign: the first decides.
    {"two_identical_one_reversed",
     {{1000, kTriangle}, {1020, kReversed}},
     true,
     {{2, WarningKind::OtherWay}},
     "K1+020.000断面的面积为 -2.000 平方米，与K1+000.000断面的正负相反（正负两种断面一样多，"
     "以K1+000.000断面为准）：观测点可能是按相反的方向输入的，请核对这个断面的观测点顺序。"},
    {"no_direction_for_an_area_that_reads_zero",
     {{20, kTriangle}, {20, {{100, -0.01f}, {100.01f, 0}, {100, 0.01f}}}},
     false,
     {},
     ""},
    {"self_crossing",
     {{20, kTriangle}, {20, kBowTie}},
     false,
     {{2, WarningKind::SelfCrossing}},
     "第 2 号断面的轮廓线自相交叉（第 1 至 2 点的连线与第 3 至 4 点的连线相交），面积不可靠："
     "请核对观测点的顺序。"},
    // No separate spacing warning: with stations the spacings are their differences.
    {"station_repeated",
     {{1000, kTriangle}, {1000, kBowTie}, {990, kTriangle}},
     true,
     {{2, WarningKind::StationRepeated},
      {2, WarningKind::SelfCrossing},
      {3, WarningKind::StationDecreasing}},
     "K1+000.000断面（第 2 个断面）的桩号与前一个断面相同，间距为 0，这一段没有体积："
     "同一个桩号可能输入了两次，请核对桩号。"},
    {"station_decreasing",
     {{1020, kTriangle}, {1010, kTriangle}},
     true,
     {{2, WarningKind::StationDecreasing}},
     "K1+010.000断面（第 2 个断面）的桩号小于前一个断面的桩号 K1+020.000，间距为 -10.000 米，"
     "这一段的体积为负：桩号应当逐个增大，请核对桩号。"},
    {"spacings_of_zero_or_less",
     {{-5, kTriangle}, {0, kTriangle}, {10, kTriangle}},
     false,
     {{1, WarningKind::SpacingNotPositive}, {2, WarningKind::SpacingNotPositive}},
     "第 1 号断面至第 2 号断面的间距为 -5.000 米，这一段的体积为负：间距应当大于零，"
     "请核对间距。"},
    {"fewer_than_three_points",
     {{20, kTriangle}, {20, kTwoPoints}, {20, {}}},
     false,
     {{2, WarningKind::TooFewPoints}, {3, WarningKind::TooFewPoints}},
     "第 2 号断面只有 2 个观测点，围不成断面，面积为 0：别的断面有三个以上的观测点，"
     "这个断面可能漏输了观测点。"},
    {"fewer_than_three_points_everywhere", {{20, kTwoPoints}, {20, {}}}, false, {}, ""},
};

class SurveyWarnings : public testing::TestWithParam<Case> {};

TEST_P(SurveyWarnings, tell_what_looks_wrong_once_each_in_section_order) {
    const Case& row = GetParam();
    const std::vector<SurveyWarning> warnings =
        surveyWarnings(calculated(row.sections, row.stations));
    std::vector<std::pair<int, WarningKind>> told;
    for (const SurveyWarning& w : warnings) told.emplace_back(w.section, w.kind);
    EXPECT_EQ(told, row.told);
    if (!warnings.empty()) {
        EXPECT_EQ(warnings.front().text, row.firstText);
    }
}

INSTANTIATE_TEST_SUITE_P(Surveys, SurveyWarnings, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A star-shaped outline around the origin: simple, whatever the radii.
std::vector<std::pair<double, double>> star(int n, std::mt19937& random) {
    std::uniform_real_distribution<double> radius(1.0, 10.0);
    std::vector<std::pair<double, double>> points;
    for (int k = 0; k < n; ++k) {
        const double angle = 2 * std::numbers::pi * k / n;
        const double r = radius(random);
        points.emplace_back(r * std::sin(angle), r * std::cos(angle));
    }
    return points;
}

bool properlyCross(std::pair<double, double> a, std::pair<double, double> b,
                   std::pair<double, double> c, std::pair<double, double> d) {
    auto side = [](auto p, auto q, auto r) {
        const double x = (q.first - p.first) * (r.second - p.second) -
                         (q.second - p.second) * (r.first - p.first);
        return (x > 0) - (x < 0);
    };
    return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
}

bool crossesByEveryPair(const std::vector<std::pair<double, double>>& points) {
    const int n = int(points.size());
    for (int k = 0; k < n; ++k) {
        for (int m = k + 2; m < n; ++m) {
            if ((m + 1) % n == k) continue;
            if (properlyCross(points[k], points[(k + 1) % n], points[m], points[(m + 1) % n]))
                return true;
        }
    }
    return false;
}

std::optional<Crossing> crossingOf(const std::vector<std::pair<double, double>>& points) {
    std::vector<PointValue> elevations;
    std::vector<PointValue> offsets;
    for (auto [s, h] : points) {
        offsets.push_back(PointValue(s));
        elevations.push_back(PointValue(h));
    }
    // Rounded to the record's width, as the record holds them.
    std::vector<std::pair<double, double>> held;
    for (std::size_t k = 0; k < points.size(); ++k) held.emplace_back(offsets[k], elevations[k]);
    const std::optional<Crossing> crossing =
        outlineCrossing(elevations.data(), offsets.data(), int(points.size()));
    EXPECT_EQ(crossing.has_value(), crossesByEveryPair(held));
    return crossing;
}

TEST(OutlineCrossing, agrees_with_testing_every_pair_of_edges) {
    std::mt19937 random(7);
    int crossed = 0;
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::pair<double, double>> points = star(4 + round % 12, random);
        EXPECT_FALSE(crossingOf(points)) << "round " << round;
        // Two points swapped: usually, not always, a crossing.
        std::uniform_int_distribution<std::size_t> any(0, points.size() - 1);
        std::swap(points[any(random)], points[any(random)]);
        crossed += crossingOf(points).has_value();
    }
    EXPECT_GT(crossed, 1000);
}

TEST(OutlineCrossing, ignores_touching_and_repeated_points) {
    // A spike down and up the same line, and a point entered twice.
    EXPECT_FALSE(crossingOf({{2, 100}, {0, 99}, {0, 98}, {0, 99}, {-2, 100}, {0, 101}}));
    EXPECT_FALSE(crossingOf({{2, 100}, {0, 101}, {0, 101}, {-2, 100}}));
}

// How fast it goes is bench/calculation_bench's concern.
TEST(OutlineCrossing, finds_the_one_mistyped_point_of_thirty_thousand) {
    // A cut 3 km across: the ground from left to right, the formation back.
    std::mt19937 random(11);
    std::uniform_real_distribution<double> rough(0.0, 1.0);
    std::vector<PointValue> elevations;
    std::vector<PointValue> offsets;
    for (int k = 0; k < 15000; ++k) {
        offsets.push_back(PointValue(1500 - k * 0.2));
        elevations.push_back(PointValue(100 + rough(random)));
    }
    for (int k = 0; k < 15000; ++k) {
        offsets.push_back(PointValue(-1500 + k * 0.2));
        elevations.push_back(PointValue(95 + rough(random) / 2));
    }
    EXPECT_FALSE(outlineCrossing(elevations.data(), offsets.data(), 30000));
    // One ground point mistyped below the formation.
    elevations[7000] = PointValue(90);
    const std::optional<Crossing> crossing =
        outlineCrossing(elevations.data(), offsets.data(), 30000);
    ASSERT_TRUE(crossing);
    EXPECT_TRUE(crossing->edge == 6999 || crossing->edge == 7000);
    // A zig-zag whose edges all reach across the road: checked in part, not
    // pair by pair for minutes: the sweep stops when its budget of tests runs
    // out, and claims no crossing.
    for (int k = 0; k < 30000; ++k) {
        offsets[k] = PointValue(k % 2 == 0 ? -10 : 10);
        elevations[k] = PointValue(k * 0.001);
    }
    EXPECT_FALSE(outlineCrossing(elevations.data(), offsets.data(), 30000));
}

// The warnings after each step worked out from those before it and the
// sections the step changed are those of the whole survey, whatever the
// steps: points turned round, crossed, too few; stations and spacings out of
// order; the usual direction or the sections with outlines changing with them.
TEST(SurveyWarnings, after_random_steps_those_of_the_sections_changed_make_up_the_whole) {
    const std::vector<Points> shapes{kTriangle, kReversed, kBowTie, kTwoPoints, {}};
    for (const bool stations : {false, true}) {
        for (unsigned seed = 1; seed <= 30; ++seed) {
            std::mt19937 random(seed);
            auto pick = [&](int from, int to) {
                return std::uniform_int_distribution<int>(from, to)(random);
            };
            std::vector<Entered> sections(8);
            for (int i = 0; i < 8; ++i) sections[i] = {20.0 * i, shapes[pick(0, 2)]};
            std::vector<SurveyWarning> warnings = surveyWarnings(calculated(sections, stations));
            for (int step = 0; step < 40; ++step) {
                const int first = pick(1, 8);
                const int last = std::min(8, first + pick(0, 1));
                for (int i = first; i <= last; ++i) {
                    Entered& entered = sections[i - 1];
                    if (pick(0, 2) == 0)
                        entered.stationOrSpacing += pick(-30, 30);
                    else
                        entered.points = shapes[pick(0, int(shapes.size()) - 1)];
                }
                const SectionSurvey survey = calculated(sections, stations);
                warnings = surveyWarnings(survey, warnings, first, last);
                const std::vector<SurveyWarning> whole = surveyWarnings(survey);
                SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
                ASSERT_EQ(warnings.size(), whole.size());
                for (std::size_t k = 0; k < whole.size(); ++k) {
                    EXPECT_EQ(warnings[k].section, whole[k].section);
                    EXPECT_EQ(warnings[k].kind, whole[k].kind);
                    EXPECT_EQ(warnings[k].text, whole[k].text);
                }
            }
        }
    }
}

}  // namespace
}  // namespace section
