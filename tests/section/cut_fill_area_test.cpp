// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_area.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <random>
#include <vector>

namespace section {
namespace {

using Line = std::vector<LinePoint>;

// Points given as (S, H), the way a section is drawn.
Line line(std::initializer_list<std::pair<double, double>> points) {
    Line result;
    for (const auto& [s, h] : points) result.push_back({h, s});
    return result;
}

Line reversed(Line points) {
    std::reverse(points.begin(), points.end());
    return points;
}

CutFillAreas areasOf(const Line& ground, const Line& design) {
    const SectionCutFill result = cutFillAreas(ground, design);
    EXPECT_FALSE(result.backStep);
    EXPECT_TRUE(result.areas);
    return result.areas.value_or(CutFillAreas{-1, -1});
}

TEST(CutFillArea,
     an_embankment_10_m_wide_5_m_high_with_2_to_1_slopes_is_100_square_metres_of_fill) {
    // Top 10 m, bottom 10 + 2 x (2 x 5) = 30 m, height 5: (10 + 30) / 2 x 5.
    const Line ground = line({{-20, 0}, {20, 0}});
    const Line embankment = line({{-15, 0}, {-5, 5}, {5, 5}, {15, 0}});
    EXPECT_EQ(areasOf(ground, embankment), (CutFillAreas{0, 100}));
    // The design line running on along the ground beyond the toes: the same.
    const Line longer = line({{-20, 0}, {-15, 0}, {-5, 5}, {5, 5}, {15, 0}, {20, 0}});
    EXPECT_EQ(areasOf(ground, longer), (CutFillAreas{0, 100}));
    // The same cutting: the ground above the design.
    EXPECT_EQ(areasOf(embankment, ground), (CutFillAreas{100, 0}));
}

TEST(CutFillArea, splits_exactly_where_the_lines_cross) {
    // Ground H = S over -2..2 against a level design at 0: a triangle of 2
    // either side of the crossing at S = 0.
    EXPECT_EQ(areasOf(line({{-2, -2}, {2, 2}}), line({{-2, 0}, {2, 0}})), (CutFillAreas{2, 2}));
    // Ground 0 -> 3 and design 3 -> 0 over 0..2 cross at S = 1, between
    // breakpoints: two triangles of base 1 and height 3.
    EXPECT_EQ(areasOf(line({{0, 0}, {2, 3}}), line({{0, 3}, {2, 0}})), (CutFillAreas{1.5, 1.5}));
    // Touching without crossing adds nothing to the other side.
    EXPECT_EQ(areasOf(line({{0, 1}, {1, 0}, {2, 1}}), line({{0, 0}, {2, 0}})),
              (CutFillAreas{1, 0}));
}

TEST(CutFillArea, vertical_steps_add_only_the_values_either_side) {
    // Design 0 over 0..2, a step up to 3, 3 over 2..4; ground level at 1.
    const Line design = line({{0, 0}, {2, 0}, {2, 3}, {4, 3}});
    const Line ground = line({{0, 1}, {4, 1}});
    EXPECT_EQ(areasOf(ground, design), (CutFillAreas{2, 4}));
    // A step of several points, and one at the end of the range: the
    // vertical line at the end closes the region whatever the step.
    const Line steps = line({{0, 5}, {0, 0}, {2, 0}, {2, 7}, {2, 3}, {4, 3}, {4, -9}});
    EXPECT_EQ(areasOf(ground, steps), (CutFillAreas{2, 4}));
}

TEST(CutFillArea, reads_lines_given_right_to_left_the_same) {
    const Line ground = line({{-20, 0}, {20, 0}});
    const Line embankment = line({{-15, 0}, {-5, 5}, {5, 5}, {15, 0}});
    EXPECT_EQ(areasOf(reversed(ground), embankment), (CutFillAreas{0, 100}));
    EXPECT_EQ(areasOf(ground, reversed(embankment)), (CutFillAreas{0, 100}));
    const Line design = line({{0, 0}, {2, 0}, {2, 3}, {4, 3}});
    EXPECT_EQ(areasOf(line({{4, 1}, {0, 1}}), reversed(design)), (CutFillAreas{2, 4}));
}

TEST(CutFillArea, counts_only_the_range_where_both_lines_exist) {
    // Ground over 0..10, design over 5..20: only 5..10 counts.
    EXPECT_EQ(areasOf(line({{0, 2}, {10, 2}}), line({{5, 0}, {20, 0}})), (CutFillAreas{10, 0}));
}

TEST(CutFillArea, has_no_areas_without_overlap_or_without_two_points) {
    const Line ground = line({{0, 0}, {2, 1}});
    for (const Line& design : {line({{3, 0}, {5, 0}}),     // apart
                               line({{2, 0}, {5, 0}}),     // touching at one S
                               line({{1, 0}, {1, 5}}),     // a vertical line: no width
                               line({{1, 0}}), Line{}}) {  // fewer than two points
        const SectionCutFill result = cutFillAreas(ground, design);
        EXPECT_FALSE(result.areas);
        EXPECT_FALSE(result.backStep);
    }
}

TEST(CutFillArea, names_the_first_point_that_goes_back_in_s) {
    const Line ground = line({{0, 0}, {2, 0}, {2, 1}, {1, 1}, {0, 3}});
    const Line design = line({{5, 0}, {3, 0}, {4, 0}});
    EXPECT_EQ(pointGoingBack(ground), 4);
    EXPECT_EQ(pointGoingBack(design), 3);
    EXPECT_EQ(pointGoingBack(line({{1, 0}, {1, 2}, {0, 1}, {2, 0}})), 4);
    EXPECT_EQ(pointGoingBack(line({{1, 0}, {1, 2}, {1, 1}})), 0);
    SectionCutFill result = cutFillAreas(ground, design);
    EXPECT_EQ(result.backStep, (BackStep{LineKind::Ground, 4}));
    EXPECT_FALSE(result.areas);
    result = cutFillAreas(line({{0, 0}, {9, 0}}), design);
    EXPECT_EQ(result.backStep, (BackStep{LineKind::Design, 3}));
    EXPECT_FALSE(result.areas);
}

// The exact reference: lines on an integer grid of S, so that between two
// neighbouring whole S both lines are linear, and each unit strip's cut and
// fill are small fractions worked out exactly.
struct Fraction {
    std::int64_t num = 0, den = 1;
    long double value() const { return static_cast<long double>(num) / den; }
};
Fraction operator-(Fraction a, Fraction b) {
    return {a.num * b.den - b.num * a.den, a.den * b.den};
}

// The line's value at whole S `at` on the segment of positive width that
// covers [strip, strip + 1].
Fraction valueOn(const Line& points, std::int64_t strip, std::int64_t at) {
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        auto s0 = std::int64_t(points[k].offset), s1 = std::int64_t(points[k + 1].offset);
        auto h0 = std::int64_t(points[k].elevation), h1 = std::int64_t(points[k + 1].elevation);
        if (s0 > s1) std::swap(s0, s1), std::swap(h0, h1);
        if (s0 <= strip && strip + 1 <= s1)
            return {h0 * (s1 - s0) + (h1 - h0) * (at - s0), s1 - s0};
    }
    ADD_FAILURE() << "no segment over strip " << strip;
    return {};
}

CutFillAreas referenceAreas(const Line& ground, const Line& design, long double& magnitude) {
    auto range = [](const Line& l) {
        const auto [lo, hi] = std::minmax_element(
            l.begin(), l.end(), [](auto& a, auto& b) { return a.offset < b.offset; });
        return std::pair{std::int64_t(lo->offset), std::int64_t(hi->offset)};
    };
    const auto [glo, ghi] = range(ground);
    const auto [dlo, dhi] = range(design);
    long double cut = 0, fill = 0;
    magnitude = 0;
    for (std::int64_t k = std::max(glo, dlo); k < std::min(ghi, dhi); ++k) {
        const Fraction ea = valueOn(ground, k, k) - valueOn(design, k, k);
        const Fraction eb = valueOn(ground, k, k + 1) - valueOn(design, k, k + 1);
        const long double a = ea.value(), b = eb.value();
        if (a >= 0 && b >= 0) {
            cut += (a + b) / 2;
        } else if (a <= 0 && b <= 0) {
            fill -= (a + b) / 2;
        } else {
            // a^2 / (a - b) / 2 on the side of a, b^2 / (a - b) / 2 on the other.
            const Fraction diff = ea - eb;  // a - b, never zero here
            const long double pa = static_cast<long double>(ea.num) * ea.num * diff.den /
                                   (static_cast<long double>(ea.den) * ea.den * diff.num) / 2;
            const long double pb = static_cast<long double>(eb.num) * eb.num * diff.den /
                                   (static_cast<long double>(eb.den) * eb.den * diff.num) / 2;
            (a > 0 ? cut : fill) += std::abs(pa);
            (a > 0 ? fill : cut) += std::abs(pb);
        }
        magnitude += std::abs(a) + std::abs(b);
    }
    return {static_cast<double>(cut), static_cast<double>(fill)};
}

// n points from S = start, steps of 0 to 3 (0 a vertical step), whole H in
// -6..6, given left to right or right to left.
Line randomLine(std::mt19937_64& random, int n, int start) {
    Line points;
    int s = start;
    for (int k = 0; k < n; ++k) {
        if (k > 0) s += int(random() % 4);
        points.push_back({double(int(random() % 13) - 6), double(s)});
    }
    return random() % 2 ? reversed(points) : points;
}

TEST(CutFillArea, agrees_with_exact_fractions_on_random_grid_lines) {
    // Both lines stay within |H| <= 6 and strips of width <= 3 with at most
    // 120 strips, so the rounding of 64-bit arithmetic stays below 1e-12
    // here, while any misplaced crossing, strip or step is off by a fraction
    // of denominator at most a few thousand: 1e-9 tells the two apart.
    std::mt19937_64 random(20);
    int compared = 0;
    for (int round = 0; round < 20000; ++round) {
        const Line ground = randomLine(random, 2 + int(random() % 40), int(random() % 10));
        const Line design = randomLine(random, 2 + int(random() % 40), int(random() % 10));
        const SectionCutFill result = cutFillAreas(ground, design);
        ASSERT_FALSE(result.backStep);
        long double magnitude = 0;
        const auto range = [](const Line& l) {
            return std::pair{std::min(l.front().offset, l.back().offset),
                             std::max(l.front().offset, l.back().offset)};
        };
        const bool overlap = std::max(range(ground).first, range(design).first) <
                             std::min(range(ground).second, range(design).second);
        ASSERT_EQ(result.areas.has_value(), overlap) << round;
        if (!overlap) continue;
        const CutFillAreas expected = referenceAreas(ground, design, magnitude);
        EXPECT_NEAR(result.areas->cut, expected.cut, 1e-9) << round;
        EXPECT_NEAR(result.areas->fill, expected.fill, 1e-9) << round;
        // Ground and design swapped: cut and fill swap exactly.
        EXPECT_EQ(cutFillAreas(design, ground).areas,
                  (CutFillAreas{result.areas->fill, result.areas->cut}));
        ++compared;
    }
    EXPECT_GT(compared, 10000);
}

}  // namespace
}  // namespace section
