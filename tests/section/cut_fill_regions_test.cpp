// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_regions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "cut_fill_lines.h"
#include "section/cut_fill_area.h"

namespace section {
namespace {

using section::cut_fill_test::Line;
using section::cut_fill_test::line;

// The area enclosed, by the shoelace rule in (S, H): negative for an outline
// that runs along the top left to right and back along the foot.
double signedArea(const Line& outline) {
    double twice = 0.0;
    for (std::size_t k = 0; k < outline.size(); ++k) {
        const Point& p = outline[k];
        const Point& q = outline[(k + 1) % outline.size()];
        twice += p.offset * q.elevation - q.offset * p.elevation;
    }
    return twice / 2.0;
}

TEST(CutFillRegions, split_where_the_lines_cross_cut_on_the_side_where_the_ground_is_above) {
    // The ground rises through a level design at S = 0: fill for S < 0, cut for S > 0.
    const CutFillRegions regions =
        cutFillRegions(line({{-2, -2}, {2, 2}}), line({{-3, 0}, {3, 0}}));
    ASSERT_EQ(regions.cut.size(), 1u);
    ASSERT_EQ(regions.fill.size(), 1u);
    EXPECT_EQ(regions.cut[0], line({{0, 0}, {2, 2}, {2, 0}}));
    EXPECT_EQ(regions.fill[0], line({{-2, 0}, {0, 0}, {-2, -2}}));
}

TEST(CutFillRegions, a_vertical_step_across_the_design_closes_one_region_and_opens_the_other) {
    const CutFillRegions regions =
        cutFillRegions(line({{4, -1}, {2, -1}, {2, 1}, {0, 1}}), line({{0, 0}, {4, 0}}));
    ASSERT_EQ(regions.cut.size(), 1u);
    ASSERT_EQ(regions.fill.size(), 1u);
    EXPECT_EQ(regions.cut[0], line({{0, 1}, {2, 1}, {2, 0}, {0, 0}}));
    EXPECT_EQ(regions.fill[0], line({{2, 0}, {4, 0}, {4, -1}, {2, -1}}));
}

TEST(CutFillRegions, lines_that_coincide_over_a_stretch_part_two_regions_there) {
    // Cut, then the lines together from S = 2 to 4, then cut again: two regions.
    const CutFillRegions regions =
        cutFillRegions(line({{0, 1}, {2, 0}, {4, 0}, {6, 1}}), line({{0, 0}, {6, 0}}));
    EXPECT_TRUE(regions.fill.empty());
    ASSERT_EQ(regions.cut.size(), 2u);
    EXPECT_EQ(regions.cut[0], line({{0, 1}, {2, 0}, {0, 0}}));
    EXPECT_EQ(regions.cut[1], line({{4, 0}, {6, 1}, {6, 0}}));
}

TEST(CutFillRegions, a_section_without_areas_has_no_regions) {
    const Line level = line({{0, 0}, {4, 0}});
    for (const auto& [ground, design] :
         {std::pair{level, line({{5, 1}, {9, 1}})}, std::pair{line({{1, 1}}), level},
          std::pair{line({{0, 1}, {3, 1}, {2, 1}}), level}}) {
        const CutFillRegions regions = cutFillRegions(ground, design);
        EXPECT_TRUE(regions.cut.empty() && regions.fill.empty());
    }
}

Line randomLine(std::mt19937_64& random, int n) {
    std::uniform_real_distribution<double> height(-3.0, 3.0), step(0.0, 1.5);
    Line points;
    double s = step(random) * 4;
    for (int k = 0; k < n; ++k) {
        points.push_back({height(random), s});
        if (random() % 5) s += step(random);  // else a vertical step
    }
    if (random() % 2) std::reverse(points.begin(), points.end());
    return points;
}

// Whether `line` read in increasing S lies on or below `height` at S = at,
// taking either value at a vertical step.
bool atOrBelow(const Line& line, double at, double height) {
    for (std::size_t k = 0; k + 1 < line.size(); ++k) {
        const Point& p = line[k];
        const Point& q = line[k + 1];
        const double lo = std::min(p.offset, q.offset), hi = std::max(p.offset, q.offset);
        if (at < lo || at > hi) continue;
        const double value = p.offset == q.offset
                                 ? std::min(p.elevation, q.elevation)
                                 : p.elevation + (q.elevation - p.elevation) * (at - p.offset) /
                                                     (q.offset - p.offset);
        if (value <= height + 1e-9) return true;
    }
    return false;
}

TEST(CutFillRegions, enclose_exactly_the_cut_and_fill_areas_on_their_sides_of_random_lines) {
    std::mt19937_64 random(7);
    for (int trial = 0; trial < 2000; ++trial) {
        const Line ground = randomLine(random, 2 + int(random() % 30));
        const Line design = randomLine(random, 2 + int(random() % 30));
        const SectionCutFill areas = cutFillAreas(ground, design);
        const CutFillRegions regions = cutFillRegions(ground, design);
        if (!areas.areas) {
            EXPECT_TRUE(regions.cut.empty() && regions.fill.empty()) << trial;
            continue;
        }
        for (const auto& [outlines, area, upper, lower] :
             {std::tuple{&regions.cut, areas.areas->cut, &ground, &design},
              std::tuple{&regions.fill, areas.areas->fill, &design, &ground}}) {
            double sum = 0.0;
            for (const Line& outline : *outlines) {
                ASSERT_GE(outline.size(), 3u) << trial;
                const double enclosed = signedArea(outline);
                EXPECT_LE(enclosed, 1e-12) << trial;  // all traced the same way round
                sum -= enclosed;
                // The first point lies on the upper line, the last on the lower.
                EXPECT_TRUE(atOrBelow(*upper, outline.front().offset, outline.front().elevation))
                    << trial;
                EXPECT_TRUE(atOrBelow(*lower, outline.back().offset, outline.back().elevation))
                    << trial;
            }
            EXPECT_NEAR(sum, area, 1e-9 * std::max(1.0, area)) << trial;
        }
    }
}

}  // namespace
}  // namespace section
