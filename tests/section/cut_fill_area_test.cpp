// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_area.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <random>
#include <vector>

#include "cut_fill_lines.h"

namespace section {
namespace {

using section::cut_fill_test::Line;
using section::cut_fill_test::line;

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

// A grid line's segments of positive width by the unit strip they cover:
// segment[k - start] covers [k, k + 1].
struct GridLine {
    struct Segment {
        std::int64_t s0, h0, s1, h1;
    };
    std::int64_t start = 0;
    std::vector<Segment> segment;

    explicit GridLine(Line points) {
        if (points.back().offset < points.front().offset) points = reversed(points);
        start = std::int64_t(points.front().offset);
        for (std::size_t k = 0; k + 1 < points.size(); ++k) {
            const Segment piece{std::int64_t(points[k].offset), std::int64_t(points[k].elevation),
                                std::int64_t(points[k + 1].offset),
                                std::int64_t(points[k + 1].elevation)};
            for (std::int64_t strip = piece.s0; strip < piece.s1; ++strip) segment.push_back(piece);
        }
    }
    // The line's value at whole S `at` on the segment that covers the strip
    // [strip, strip + 1].
    Fraction valueOn(std::int64_t strip, std::int64_t at) const {
        const Segment& p = segment.at(std::size_t(strip - start));
        return {p.h0 * (p.s1 - p.s0) + (p.h1 - p.h0) * (at - p.s0), p.s1 - p.s0};
    }
    std::int64_t end() const { return start + std::int64_t(segment.size()); }
};

CutFillAreas referenceAreas(const Line& groundPoints, const Line& designPoints,
                            long double& magnitude) {
    const GridLine ground(groundPoints), design(designPoints);
    long double cut = 0, fill = 0;
    magnitude = 0;
    for (std::int64_t k = std::max(ground.start, design.start);
         k < std::min(ground.end(), design.end()); ++k) {
        const Fraction ea = ground.valueOn(k, k) - design.valueOn(k, k);
        const Fraction eb = ground.valueOn(k, k + 1) - design.valueOn(k, k + 1);
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

bool overlapping(const Line& ground, const Line& design) {
    const auto range = [](const Line& l) {
        return std::pair{std::min(l.front().offset, l.back().offset),
                         std::max(l.front().offset, l.back().offset)};
    };
    return std::max(range(ground).first, range(design).first) <
           std::min(range(ground).second, range(design).second);
}

// Compares one pair of lines with the reference; false when they do not
// overlap. The tolerance is absolute plus a share of the sum of |ground -
// design| over the strips, which bounds what rounding can add up to.
bool agreesWithReference(const Line& ground, const Line& design, double absolute, double share) {
    const SectionCutFill result = cutFillAreas(ground, design);
    EXPECT_FALSE(result.backStep);
    const bool overlap = overlapping(ground, design);
    EXPECT_EQ(result.areas.has_value(), overlap);
    if (!overlap || !result.areas) return false;
    long double magnitude = 0;
    const CutFillAreas expected = referenceAreas(ground, design, magnitude);
    const double tolerance = absolute + share * static_cast<double>(magnitude);
    EXPECT_NEAR(result.areas->cut, expected.cut, tolerance);
    EXPECT_NEAR(result.areas->fill, expected.fill, tolerance);
    // Ground and design swapped: cut and fill swap exactly.
    EXPECT_EQ(cutFillAreas(design, ground).areas,
              (CutFillAreas{result.areas->fill, result.areas->cut}));
    return true;
}

TEST(CutFillArea, agrees_with_exact_fractions_on_random_grid_lines) {
    // Both lines stay within |H| <= 6 and strips of width <= 3 with at most
    // 120 strips, so the rounding of 64-bit arithmetic stays below 1e-12
    // here, while any misplaced crossing, strip or step is off by a fraction
    // of denominator at most a few thousand: 1e-9 tells the two apart.
    std::mt19937_64 random(20);
    int compared = 0;
    for (int round = 0; round < 20000; ++round) {
        SCOPED_TRACE(round);
        const Line ground = randomLine(random, 2 + int(random() % 40), int(random() % 10));
        const Line design = randomLine(random, 2 + int(random() % 40), int(random() % 10));
        compared += agreesWithReference(ground, design, 1e-9, 0.0);
    }
    EXPECT_GT(compared, 10000);
}

TEST(CutFillArea, long_lines_swept_in_two_halves_agree_with_exact_fractions) {
    // Sections this long are swept in two halves, split halfway along the
    // common range. The rounding now adds up over some 100,000 strips: the
    // tolerance grows with the sum of |ground - design|, 1e-12 of it, still
    // far below a misplaced strip's fraction.
    std::mt19937_64 random(21);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        const int n = 30000 + int(random() % 40000);
        const Line ground = randomLine(random, n, int(random() % 10));
        const Line design = randomLine(random, 30000 + int(random() % 40000), int(random() % 10));
        EXPECT_TRUE(agreesWithReference(ground, design, 1e-9, 1e-12));
    }
}

// The line with its point `m` (0-based) moved back against the line's
// direction by 1 to 3.
Line movedBack(Line points, std::size_t m, std::mt19937_64& random) {
    const double by = 1.0 + double(random() % 3);
    const bool rising = points.back().offset >= points.front().offset;
    points[m].offset = points[m - 1].offset + (rising ? -by : by);
    return points;
}

TEST(CutFillArea, a_point_going_back_is_named_wherever_the_sweep_meets_it) {
    // Short and long lines (one sweep, two halves), the point moved back
    // anywhere: inside the common range, where the halves meet, or beyond
    // the other line's end where the sweep never goes. Whatever the lines'
    // order, the one named is the first of the ground line, else of the
    // design line.
    std::mt19937_64 random(22);
    for (int round = 0; round < 3000; ++round) {
        SCOPED_TRACE(round);
        const bool longLines = round % 100 == 0;
        const int n = longLines ? 40000 : 2 + int(random() % 40);
        Line ground = randomLine(random, n, int(random() % 10));
        Line design =
            randomLine(random, longLines ? 40000 : 2 + int(random() % 40), int(random() % 10));
        const auto somewhere = [&](const Line& l) {
            switch (random() % 4) {
                case 0:
                    return l.size() / 2;  // where the halves meet, about
                case 1:
                    return std::size_t(1);
                case 2:
                    return l.size() - 1;
                default:
                    return 1 + std::size_t(random() % (l.size() - 1));
            }
        };
        const int which = int(random() % 4);  // none, ground, design, both
        if (which & 1) ground = movedBack(ground, somewhere(ground), random);
        if (which & 2) design = movedBack(design, somewhere(design), random);
        const SectionCutFill result = cutFillAreas(ground, design);
        std::optional<BackStep> expected;
        if (const int point = pointGoingBack(ground)) {
            expected = BackStep{LineKind::Ground, point};
        } else if (const int point = pointGoingBack(design)) {
            expected = BackStep{LineKind::Design, point};
        }
        ASSERT_EQ(result.backStep, expected);
        EXPECT_EQ(result.areas.has_value(), !expected && overlapping(ground, design));
    }
}

}  // namespace
}  // namespace section
