// SPDX-License-Identifier: GPL-3.0-or-later
// The 土方调配: balanced stretches on the mass curve, nearest first, and what
// is wasted or borrowed.
#include "section/haul.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace section {

void PrintTo(const HaulStretch& s, std::ostream* out) {
    *out << "cut " << s.cut.first << "-" << s.cut.last << " fill " << s.fill.first << "-"
         << s.fill.last << " volume " << s.volume << " moment " << s.moment;
}
void PrintTo(const UnbalancedVolume& u, std::ostream* out) {
    *out << (u.kind == Unbalanced::Waste ? "弃方 " : "借方 ") << u.rows.first << "-" << u.rows.last
         << " " << u.volume;
}

namespace {

// Pairs of `length` metres end to end from chainage 0, each with its net
// (挖余 compacted when positive, 填缺 when negative).
Earthworks pairs(const std::vector<double>& nets, double length = 20) {
    Earthworks works;
    double from = 0;
    for (std::size_t i = 0; i < nets.size(); ++i) {
        EarthworksRow row;
        row.section = int(i) + 2;
        row.fromChainage = from;
        row.toChainage = from += length;
        (nets[i] > 0 ? row.surplusCompacted : row.shortfall) = std::abs(nets[i]);
        works.rows.push_back(row);
    }
    return works;
}

TEST(Haul, the_worked_check_moves_150_cubic_metres_an_average_of_42_667_metres) {
    const Haul hauled = haul(pairs({100, 50, -80, -70}), HaulDistances{});
    EXPECT_EQ(hauled.massCurve,
              (std::vector<MassPoint>{{0, 0}, {20, 100}, {40, 150}, {60, 70}, {80, 0}}));
    ASSERT_EQ(hauled.stretches.size(), 1u);
    const HaulStretch& stretch = hauled.stretches[0];
    EXPECT_EQ(stretch.cut, (RowSpan{0, 1}));
    EXPECT_EQ(stretch.fill, (RowSpan{2, 3}));
    EXPECT_DOUBLE_EQ(stretch.volume, 150);
    EXPECT_DOUBLE_EQ(stretch.moment, 6400);
    EXPECT_NEAR(stretch.averageHaul(), 42.667, 5e-4);
    EXPECT_DOUBLE_EQ(stretch.overhaul, 3400);
    EXPECT_TRUE(hauled.unbalanced.empty());
}

struct Case {
    const char* name;
    std::vector<double> nets;
    std::optional<double> economic;
    std::vector<HaulStretch> stretches;  // overhaul beyond the default 20 m
    std::vector<UnbalancedVolume> unbalanced;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

constexpr auto W = Unbalanced::Waste;
constexpr auto B = Unbalanced::Borrow;

const Case kCases[] = {
    {"a_surplus_left_at_the_end_is_wasted",
     {100, -30},
     {},
     {{{0, 0}, {1, 1}, 30, 600, 0}},
     {{W, {0, 0}, 70}}},
    {"a_deficit_before_any_surplus_is_borrowed",
     {-50, 20},
     {},
     {{{1, 1}, {0, 0}, 20, 400, 0}},
     {{B, {0, 0}, 30}}},
    {"the_stretch_closes_where_the_curve_returns_and_the_rest_waits_for_the_next",
     {10, -20, 10},
     {},
     {{{0, 0}, {1, 1}, 10, 200, 0}, {{2, 2}, {1, 1}, 10, 200, 0}},
     {}},
    {"a_stretch_closes_where_the_curve_comes_back_to_a_level_it_had",
     {100, 50, -50, -100},
     {},
     {{{1, 1}, {2, 2}, 50, 1000, 0}, {{0, 0}, {3, 3}, 100, 6000, 4000}},
     {}},
    {"a_surplus_waiting_far_off_leaves_the_stretches_after_it_apart",
     {5, 0, 0, 0, 0, 0, 1, -1, 1, -1},
     {},
     {{{6, 6}, {7, 7}, 1, 20, 0}, {{8, 8}, {9, 9}, 1, 20, 0}},
     {{W, {0, 0}, 5}}},
    {"a_surplus_goes_to_the_nearest_deficit_first",
     {10, 30, -20, -20},
     {},
     {{{0, 1}, {2, 3}, 40, 20 * 20 + 10 * 40 + 10 * 60, 1400 - 800}},
     {}},
    {"pairs_without_a_net_neither_haul_nor_split_what_is_left",
     {30, 0, 20, 0, -10},
     {},
     {{{2, 2}, {4, 4}, 10, 400, 200}},
     {{W, {0, 2}, 40}}},
    {"nothing_goes_further_than_the_economic_haul",
     {100, 0, 0, 0, -100},
     50,
     {},
     {{W, {0, 0}, 100}, {B, {4, 4}, 100}}},
    {"what_waits_beyond_the_economic_haul_is_wasted_and_the_deficit_borrowed",
     {60, 40, 0, -100},
     50,
     {{{1, 1}, {3, 3}, 40, 1600, 800}},
     {{W, {0, 0}, 60}, {B, {3, 3}, 60}}},
};

class HaulCases : public testing::TestWithParam<Case> {};

TEST_P(HaulCases, balance_nearest_first_and_leave_the_rest_where_it_lies) {
    const Case& c = GetParam();
    const Haul hauled = haul(pairs(c.nets), {20, c.economic});
    EXPECT_EQ(hauled.stretches, c.stretches);
    EXPECT_EQ(hauled.unbalanced, c.unbalanced);
}

INSTANTIATE_TEST_SUITE_P(Nets, HaulCases, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Between pairs with a 构造物 between them the curve stays level and the haul
// crosses the gap: 100 m³ from 0–20 to 60–80 over 60 m.
TEST(Haul, crosses_a_structure_with_the_curve_level_across_it) {
    Earthworks works = pairs({100, -100});
    works.rows[1].fromChainage = 60;
    works.rows[1].toChainage = 80;
    const Haul hauled = haul(works, {});
    EXPECT_EQ(hauled.massCurve, (std::vector<MassPoint>{{0, 0}, {20, 100}, {60, 100}, {80, 0}}));
    ASSERT_EQ(hauled.stretches.size(), 1u);
    EXPECT_DOUBLE_EQ(hauled.stretches[0].moment, 6000);
    EXPECT_DOUBLE_EQ(hauled.stretches[0].overhaul, 4000);
}

// The 长链 K0+040 = K0+030 puts K0+035 five metres past K0+040: the cut of
// K0+020–K0+040 goes to the fill of K0+035–K0+055 over 25 m between the
// pairs' centres (15 m by the stations as written).
TEST(Haul, measures_a_haul_across_a_chain_break_along_the_road) {
    CutFillSurvey survey{"Y", {}};
    for (double station : {20.0, 40.0, 35.0, 55.0})
        survey.sections.push_back({.station = station, .areas = CutFillAreas{1, 1}});
    survey.sections[0].cutVolume = 100;
    survey.sections[2].fillVolume = 100;
    RoadDesign design;
    design.breaks = {{40, 30}};
    design.factors = ClassFigures{1, 1, 1, 1, 1, 1};
    const Haul hauled = haul(earthworks(survey, design), {});
    ASSERT_EQ(hauled.stretches.size(), 1u);
    EXPECT_DOUBLE_EQ(hauled.stretches[0].volume, 100);
    EXPECT_DOUBLE_EQ(hauled.stretches[0].averageHaul(), 25);
    EXPECT_EQ(hauled.massCurve.back(), (MassPoint{65, 0}));
}

double sumOf(const Haul& hauled, Unbalanced kind) {
    double sum = 0;
    for (const UnbalancedVolume& u : hauled.unbalanced)
        if (u.kind == kind) sum += u.volume;
    return sum;
}

// On random nets along pairs of random lengths: everything hauled or left
// over adds up to the surplus and to the deficit; no haul is longer than the
// economic haul; a stretch's overhaul is its moment less the free haul's
// share. With a balanced total and no economic haul nothing is left over and
// the moment is the least there is: the area between the curve of the nets
// heaped at the pairs' centres and zero.
TEST(Haul, volumes_add_up_and_no_haul_runs_too_far_on_random_nets) {
    std::mt19937 random(33);
    std::uniform_real_distribution<double> volume(-300, 300);
    std::uniform_real_distribution<double> length(5, 50);
    for (int round = 0; round < 300; ++round) {
        const bool balanced = round % 3 == 0;
        std::vector<double> nets(std::size_t(1 + random() % 30));
        for (double& net : nets) net = random() % 5 == 0 ? 0.0 : volume(random);
        Earthworks works = pairs(nets);
        double chainage = 0;
        for (EarthworksRow& row : works.rows) {
            row.fromChainage = chainage += random() % 4 == 0 ? length(random) : 0.0;
            row.toChainage = chainage += length(random);
        }
        if (balanced) {
            double sum = 0;
            for (const EarthworksRow& row : works.rows) sum += row.surplusCompacted - row.shortfall;
            EarthworksRow last{.fromChainage = chainage, .toChainage = chainage + 20};
            (sum < 0 ? last.surplusCompacted : last.shortfall) = std::abs(sum);
            works.rows.push_back(last);
        }
        const std::optional<double> economic =
            balanced || random() % 2 ? std::nullopt : std::optional(length(random) * 4);
        const double freeHaul = length(random);
        const Haul hauled = haul(works, {freeHaul, economic});

        double surplus = 0, deficit = 0, hauledVolume = 0, moment = 0;
        for (const EarthworksRow& row : works.rows) {
            surplus += row.surplusCompacted;
            deficit += row.shortfall;
        }
        const double tolerance = 1e-6 * (surplus + deficit + 1);
        for (const HaulStretch& s : hauled.stretches) {
            EXPECT_GT(s.volume, 0);
            EXPECT_GE(s.moment, 0);
            if (economic) {
                EXPECT_LE(s.averageHaul(), *economic + 1e-9);
            }
            EXPECT_NEAR(s.overhaul, std::max(0.0, s.moment - s.volume * freeHaul), tolerance);
            hauledVolume += s.volume;
            moment += s.moment;
        }
        EXPECT_NEAR(hauledVolume + sumOf(hauled, Unbalanced::Waste), surplus, tolerance);
        EXPECT_NEAR(hauledVolume + sumOf(hauled, Unbalanced::Borrow), deficit, tolerance);
        ASSERT_FALSE(hauled.massCurve.empty());
        EXPECT_NEAR(hauled.massCurve.back().total, surplus - deficit, tolerance);
        if (!balanced) continue;
        EXPECT_TRUE(hauled.unbalanced.empty());
        double heaped = 0, area = 0;
        for (std::size_t i = 0; i + 1 < works.rows.size(); ++i) {
            const EarthworksRow& row = works.rows[i];
            const EarthworksRow& next = works.rows[i + 1];
            heaped += row.surplusCompacted - row.shortfall;
            area += std::abs(heaped) * ((next.fromChainage + next.toChainage) / 2 -
                                        (row.fromChainage + row.toChainage) / 2);
        }
        EXPECT_NEAR(moment, area, 1e-9 * (area + 1));
    }
}

}  // namespace
}  // namespace section
