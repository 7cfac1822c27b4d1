// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/cut_fill_figures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "cut_fill_lines.h"
#include "runtime/exact_decimal.h"
#include "section/cut_fill_calculation.h"
#include "section/cut_fill_rows.h"

namespace section {
namespace {

using cut_fill_test::line;
using runtime::Int128;

// A fraction of whole numbers in lowest terms, denominator positive: the
// reference the figures are held to, worked out apart from them. Throws
// where 128 bits do not hold it.
void check(bool overflow) {
    if (overflow) throw std::overflow_error("beyond 128 bits");
}
Int128 times(Int128 a, Int128 b) {
    Int128 out;
    check(__builtin_mul_overflow(a, b, &out));
    return out;
}
Int128 plus(Int128 a, Int128 b) {
    Int128 out;
    check(__builtin_add_overflow(a, b, &out));
    return out;
}

struct Fraction {
    Int128 p = 0, q = 1;
    Fraction(Int128 numerator = 0, Int128 denominator = 1) : p(numerator), q(denominator) {
        if (q < 0) p = -p, q = -q;
        Int128 a = p < 0 ? -p : p, b = q;
        while (b != 0) a = std::exchange(b, a % b);
        if (a > 1) p /= a, q /= a;
    }
    friend Fraction operator+(Fraction a, Fraction b) {
        return {plus(times(a.p, b.q), times(b.p, a.q)), times(a.q, b.q)};
    }
    friend Fraction operator-(Fraction a, Fraction b) { return a + Fraction(-b.p, b.q); }
    friend Fraction operator*(Fraction a, Fraction b) { return {times(a.p, b.p), times(a.q, b.q)}; }
    friend Fraction operator/(Fraction a, Fraction b) { return {times(a.p, b.q), times(a.q, b.p)}; }
    bool negative() const { return p < 0; }
};

// The fraction rounded to a whole number, halves to the even one, written
// as thousandths: "12.345".
std::string thousandths(Fraction x) {
    Int128 whole = x.p / x.q, rest = x.p % x.q;  // toward zero
    if (rest < 0) whole -= 1, rest += x.q;       // down
    if (2 * rest > x.q || (2 * rest == x.q && whole % 2 != 0)) whole += 1;
    const bool negative = whole < 0;
    const long long magnitude = static_cast<long long>(negative ? -whole : whole);
    std::string digits = std::to_string(magnitude);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return (negative ? "-" : "") + digits.substr(0, digits.size() - 3) + "." +
           digits.substr(digits.size() - 3);
}

// A line on a grid: S in tenths of a metre, H in units of 5 mm, in
// increasing S.
struct GridLine {
    std::vector<int> s, h;
    Fraction at(int x) const {  // x within the line, in tenths
        std::size_t k = 0;
        while (s[k + 1] < x) ++k;
        return Fraction(h[k]) + Fraction(Int128(h[k + 1] - h[k]) * (x - s[k]), s[k + 1] - s[k]);
    }
};

// Twice the cut and twice the fill in units of 0.1 m x 5 mm: strip by strip
// between the points of either line, split where the lines cross.
std::pair<Fraction, Fraction> twiceAreas(const GridLine& ground, const GridLine& design) {
    std::vector<int> cuts;
    const int lo = std::max(ground.s.front(), design.s.front());
    const int hi = std::min(ground.s.back(), design.s.back());
    for (const GridLine* l : {&ground, &design})
        for (int x : l->s)
            if (lo <= x && x <= hi) cuts.push_back(x);
    std::ranges::sort(cuts);
    Fraction cut, fill;
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
        const int a = cuts[k], b = cuts[k + 1];
        if (a == b) continue;
        const Fraction fa = ground.at(a) - design.at(a), fb = ground.at(b) - design.at(b);
        const Fraction w(b - a);
        for (auto [e0, e1, sum] :
             {std::tuple{fa, fb, &cut}, std::tuple{Fraction() - fa, Fraction() - fb, &fill}}) {
            if (!e0.negative() && !e1.negative())
                *sum = *sum + (e0 + e1) * w;
            else if (!e0.negative() && e0.p != 0)
                *sum = *sum + e0 * e0 * w / (e0 - e1);
            else if (!e1.negative() && e1.p != 0)
                *sum = *sum + e1 * e1 * w / (e1 - e0);
        }
    }
    return {cut, fill};
}

// The values as typed: the nearest 64-bit values of the decimals.
Point point(int s, int h) {
    return {h / 200.0, s / 10.0};
}

CutFillSection sectionOf(double station, const GridLine& ground, const GridLine& design) {
    CutFillSection section;
    section.station = station;
    for (std::size_t k = 0; k < ground.s.size(); ++k)
        section.ground.push_back(point(ground.s[k], ground.h[k]));
    for (std::size_t k = 0; k < design.s.size(); ++k)
        section.design.push_back(point(design.s[k], design.h[k]));
    return section;
}

// A 2.5 m wide strip 25 mm high: 0.0625 m², which 64 bits hold as a little
// more; its volumes and totals over 1 m the same.
TEST(CutFillFigures, round_a_strip_of_an_exact_half_to_even) {
    CutFillSurvey survey;
    survey.stationAnswer = "Y";
    for (const double station : {0.0, 1.0, 2.0})
        survey.sections.push_back(
            {station, 0.0, line({{0, 0.025}, {2.5, 0.025}}), line({{0, 0}, {2.5, 0}})});
    ASSERT_FALSE(calculateCutFill(survey));
    const CutFillFigures figures(survey);
    EXPECT_EQ(figures.cut().area(1), "0.062");
    EXPECT_EQ(figures.cut().volume(1), "0.062");
    EXPECT_EQ(figures.cut().runningTotal(2), "0.062");
    EXPECT_EQ(figures.cut().total(), "0.125");
    EXPECT_EQ(figures.fill().area(1), "0.000");
    EXPECT_EQ(figures.net(), "0.125");
    const ResultTable table = cutFillResultTable(survey);
    EXPECT_EQ(table.rows[0][2], "0.062");
    EXPECT_EQ(table.rows[0][5], "0.062");
    EXPECT_EQ(table.rows[1][7], "0.062");
}

// Random grid lines, crossing or not, whose exact areas are often halves at
// the third decimal: every area, volume, running total and the net as the
// exact fractions round, and the results table and a section's figures
// alone the same.
TEST(CutFillFigures, round_as_the_exact_fractions_on_random_grid_lines) {
    std::mt19937 random(9);
    auto pick = [&](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    auto heights = [&](GridLine l, int low, int high) {
        for (std::size_t k = 0; k < l.s.size(); ++k) l.h.push_back(pick(low, high));
        return l;
    };
    auto gridLine = [&](int from, int to, int low, int high) {
        GridLine l;
        for (int x = from; x < to; x += pick(2, 20)) l.s.push_back(x);
        l.s.push_back(to);
        return heights(l, low, high);
    };
    int halves = 0, held = 0;
    for (int round = 0; round < 1000; ++round) try {
            CutFillSurvey survey;
            survey.stationAnswer = "Y";
            std::vector<std::pair<Fraction, Fraction>> areas;  // in m², exactly
            std::vector<int> stations;                         // in half metres
            int station = pick(0, 4000);
            for (int i = 0; i < 4; ++i) {
                const GridLine ground = gridLine(-pick(1, 60), pick(1, 60), 10, 60);
                // Every other survey, the design on the ground's points and
                // below it: whole strips, areas often exact halves. Else a
                // design of its own points crossing the ground now and then:
                // the fractions (each crossing lengthens the reference's).
                GridLine design;
                if (round % 2 == 0) {
                    const std::size_t first = pick(0, int(ground.s.size()) - 2);
                    design.s.assign(ground.s.begin() + first,
                                    ground.s.begin() + pick(first + 2, int(ground.s.size())));
                    design = heights(design, -40, 10);
                } else {
                    design = gridLine(ground.s.front() + pick(0, 20), ground.s.back() - pick(0, 20),
                                      -40, 25);
                }
                if (design.s.size() < 2 || design.s.front() >= design.s.back()) continue;
                stations.push_back(station);
                survey.sections.push_back(sectionOf(station * 0.5, ground, design));
                const auto [cut, fill] = twiceAreas(ground, design);
                areas.emplace_back(cut * Fraction(1, 4000), fill * Fraction(1, 4000));
                station += pick(1, 400);
            }
            ASSERT_FALSE(calculateCutFill(survey));
            const CutFillFigures figures(survey);
            const ResultTable table = cutFillResultTable(survey);
            Fraction runningCut, runningFill;
            const int n = survey.sectionCount();
            for (int i = 1; i <= n; ++i) {
                const auto& [cut, fill] = areas[std::size_t(i - 1)];
                SCOPED_TRACE("round " + std::to_string(round) + ", section " + std::to_string(i));
                halves += (cut * Fraction(1000)).q == 2;
                halves += (fill * Fraction(1000)).q == 2;
                EXPECT_EQ(figures.cut().area(i), thousandths(cut * Fraction(1000)));
                EXPECT_EQ(figures.fill().area(i), thousandths(fill * Fraction(1000)));
                // The tight spans hold the exact areas, within a hair.
                ExactSection exact(survey.sections[std::size_t(i - 1)]);
                for (const auto& [span, value] :
                     {std::pair{exact.spans().cut, exact.exact().cut},
                      std::pair{exact.spans().fill, exact.exact().fill}}) {
                    using runtime::ExactFraction;
                    EXPECT_FALSE((ExactFraction(span.high) - value).isNegative());
                    EXPECT_FALSE((value - ExactFraction(span.low)).isNegative());
                    EXPECT_LT((span.high - span.low).nearest(), 1e-12);
                }
                const AreaFigures alone = cutFillAreaFigures(survey.sections[std::size_t(i - 1)]);
                EXPECT_EQ(alone.cut, figures.cut().area(i));
                EXPECT_EQ(alone.fill, figures.fill().area(i));
                EXPECT_EQ(figures.cut().runningTotal(i), thousandths(runningCut * Fraction(1000)));
                EXPECT_EQ(figures.fill().runningTotal(i),
                          thousandths(runningFill * Fraction(1000)));
                const std::vector<std::string>& row = table.rows[std::size_t(i - 1)];
                EXPECT_EQ(row[2], figures.cut().area(i));
                EXPECT_EQ(row[7], figures.cut().runningTotal(i));
                if (i == n) break;
                const Fraction spacing(stations[std::size_t(i)] - stations[std::size_t(i - 1)], 2);
                const auto& [nextCut, nextFill] = areas[std::size_t(i)];
                const Fraction cutVolume = (cut + nextCut) * spacing * Fraction(1, 2);
                const Fraction fillVolume = (fill + nextFill) * spacing * Fraction(1, 2);
                EXPECT_EQ(figures.cut().volume(i), thousandths(cutVolume * Fraction(1000)));
                EXPECT_EQ(figures.fill().volume(i), thousandths(fillVolume * Fraction(1000)));
                EXPECT_EQ(row[5], figures.cut().volume(i));
                EXPECT_EQ(row[6], figures.fill().volume(i));
                runningCut = runningCut + cutVolume;
                runningFill = runningFill + fillVolume;
            }
            EXPECT_EQ(figures.net(), thousandths((runningCut - runningFill) * Fraction(1000)));
            ++held;
        } catch (const std::overflow_error&) {
            // The reference's own limit: this survey is not held to it.
        }
    // The property is about halves: enough of them were met.
    EXPECT_GT(held, 900);
    EXPECT_GT(halves, 300);
}

}  // namespace
}  // namespace section
