// SPDX-License-Identifier: GPL-3.0-or-later
// Volumes by the survey's method: the worked check of either kind, and the
// prismoid's figures against a long double reference rounded once.

#include "section/volume_method.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "cut_fill_lines.h"
#include "section/any_survey.h"
#include "section/cut_fill_figures.h"
#include "section/figures.h"
#include "section/running_curves.h"

namespace section {
namespace {

using cut_fill_test::line;

// Rectangles of the widths and heights given, one a section, `spacing`
// apart; a negative height goes round the other way, so its area is negative.
Survey rectangles(const std::vector<std::pair<double, double>>& sizes, double spacing) {
    SectionSurvey survey;
    survey.resize(static_cast<int>(sizes.size()));
    survey.setStationAnswer("n");
    for (int i = 1; i <= survey.sectionCount(); ++i) survey.setPointCount(i, 4);
    survey.allocatePoints();
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        const auto [width, height] = sizes[std::size_t(i - 1)];
        const double h = std::abs(height), s = height < 0 ? -width : width;
        survey.setPoint(i, 1, 0, 0);
        survey.setPoint(i, 2, 0, s);
        survey.setPoint(i, 3, h, s);
        survey.setPoint(i, 4, h, 0);
        if (i < survey.sectionCount()) survey.setSpacing(i, spacing);
    }
    return Survey(std::move(survey));
}

// Ground lines `heights` above (or below) a level design 10 m wide, 20 m apart.
Survey grounds(std::initializer_list<double> heights) {
    CutFillSurvey survey;
    survey.stationAnswer = "y";
    double station = 0;
    for (double h : heights) {
        survey.sections.push_back({.station = station,
                                   .ground = line({{-5, h}, {5, h}}),
                                   .design = line({{-5, 0}, {5, 0}})});
        station += 20;
    }
    return Survey(std::move(survey));
}

std::string total(const Survey& survey) {
    if (const CutFillSurvey* lines = survey.cutFill()) {
        const CutFillFigures figures(*lines);
        return figures.cut().total() + " " + figures.fill().total();
    }
    return Figures(*survey.closedOutline()).total();
}

// Areas 10 and 40, 20 m apart: 500 by average end areas, 466.667 as a
// prismoid, for either kind and for cut and fill alike; a figure exactly on
// a half (areas 1 and 4, whose mean is 2) rounds to the even neighbour.
TEST(VolumeMethod, areas_10_and_40_give_500_or_466_667) {
    struct Row {
        const char* name;
        Survey survey;
        VolumeMethod method;
        const char* total;
    };
    const auto prismoid = VolumeMethod::Prismoidal, average = VolumeMethod::AverageEndArea;
    Row rows[] = {
        {"closed outlines", rectangles({{10, 1}, {10, 4}}, 20), average, "500.000"},
        {"closed outlines", rectangles({{10, 1}, {10, 4}}, 20), prismoid, "466.667"},
        {"entered clockwise", rectangles({{10, -1}, {10, -4}}, 20), prismoid, "-466.667"},
        {"of opposite signs", rectangles({{10, 1}, {10, -4}}, 20), prismoid, "-200.000"},
        {"cut", grounds({1, 4}), average, "500.000 0.000"},
        {"cut", grounds({1, 4}), prismoid, "466.667 0.000"},
        {"fill", grounds({-1, -4}), prismoid, "0.000 466.667"},
        {"cut then fill", grounds({1, -4}), prismoid, "66.667 266.667"},
        {"on a half", rectangles({{1, 1}, {2, 2}}, 0.0015), prismoid, "0.004"},
        {"on a half, clockwise", rectangles({{1, -1}, {1, -1}}, 0.0025), prismoid, "-0.002"},
        {"on a half, summed", rectangles({{1, 1}, {2, 2}, {2, 2}}, 0.0015), prismoid, "0.010"},
    };
    for (Row& row : rows) {
        row.survey.setVolumeMethod(row.method);
        ASSERT_FALSE(calculate(row.survey)) << row.name;
        EXPECT_EQ(row.survey.volumeMethod(), row.method) << row.name;
        EXPECT_EQ(total(row.survey), row.total) << row.name << " " << methodName(row.method);
        const RunningCurves curves = runningCurves(row.survey, false);
        EXPECT_EQ(curves.title.ends_with("（棱台法）"), row.method == prismoid) << row.name;
        const double last = curves.curves[0].points.back().total;
        EXPECT_NEAR(last, std::stod(row.total), 5e-4) << row.name;
    }
}

// Figures against a long double reference rounded once, where the reference
// lies far enough from a half to tell; counts the figures checked.
struct RoundedOnce {
    int compared = 0;
    void check(long double reference, const std::string& text, const std::string& where) {
        const long double thousandths = std::abs(reference) * 1000;
        if (std::abs(thousandths - std::floor(thousandths) - 0.5L) < 1e-6L) return;
        char wanted[64];
        std::snprintf(wanted, sizeof wanted, "%.3Lf", reference);
        EXPECT_EQ(text, wanted) << where;
        ++compared;
    }
};

double millimetres(std::mt19937& random, int from, int to) {
    return std::uniform_int_distribution<int>(from, to)(random) / 1000.0;
}

// Triangles of random millimetres and spacings: each volume and running
// total of the prismoid as the reference gives it, where the reference is
// far enough from a half to tell.
TEST(VolumeMethod, prismoid_figures_are_the_exact_values_rounded_once) {
    std::mt19937 random(33);
    RoundedOnce rounded;
    for (int trial = 0; trial < 40; ++trial) {
        const int n = 2 + trial % 9;
        SectionSurvey closed;
        closed.resize(n);
        closed.setStationAnswer("n");
        closed.setVolumeMethod(VolumeMethod::Prismoidal);
        for (int i = 1; i <= n; ++i) closed.setPointCount(i, 3);
        closed.allocatePoints();
        std::vector<long double> areas(n + 1), spacings(n + 1);
        for (int i = 1; i <= n; ++i) {
            const int base = std::uniform_int_distribution<int>(1, 40000)(random);
            const int height = std::uniform_int_distribution<int>(1, 9000)(random);
            closed.setPoint(i, 1, 0, 0);
            closed.setPoint(i, 2, 0, base / 1000.0);
            closed.setPoint(i, 3, height / 1000.0, millimetres(random, 0, 40000));
            areas[i] = (long double)base * height / 2'000'000;  // exact in long double
            if (i < n) {
                const int spacing = std::uniform_int_distribution<int>(1, 60000)(random);
                closed.setSpacing(i, spacing / 1000.0);
                spacings[i] = spacing / 1000.0L;
            }
        }
        Survey survey(std::move(closed));
        ASSERT_FALSE(calculate(survey));
        const Figures figures(*survey.closedOutline());
        long double running = 0;
        for (int i = 1; i < n; ++i) {
            const long double volume =
                spacings[i] * (areas[i] + areas[i + 1] + std::sqrt(areas[i] * areas[i + 1])) / 3;
            running += volume;
            const std::string where =
                "trial " + std::to_string(trial) + ", pair " + std::to_string(i);
            rounded.check(volume, figures.volume(i), where);
            rounded.check(running, figures.runningTotal(i + 1), where);
        }
    }
    EXPECT_GT(rounded.compared, 300);
}

// Equal squares p × p, (2k + 1)/(2000 p²) apart: the prismoid is exactly
// k/1000 + 0.0005, which goes to the even thousandth, either way round.
TEST(VolumeMethod, prismoids_exactly_on_a_half_go_to_the_even_thousandth) {
    std::mt19937 random(35);
    const double sides[] = {0.25, 0.5, 1, 2, 2.5, 4, 5, 12.5};
    for (int trial = 0; trial < 200; ++trial) {
        const double p = sides[trial % 8];
        const long long k = std::uniform_int_distribution<long long>(0, 999'999)(random);
        const double spacing = double(2 * k + 1) / (2000.0 * p * p);
        const bool clockwise = trial % 2 == 1;
        Survey survey = rectangles({{p, clockwise ? -p : p}, {p, clockwise ? -p : p}}, spacing);
        survey.setVolumeMethod(VolumeMethod::Prismoidal);
        ASSERT_FALSE(calculate(survey));
        const long long even = k % 2 == 0 ? k : k + 1;
        char wanted[64];
        std::snprintf(wanted, sizeof wanted, "%s%lld.%03lld", clockwise && even ? "-" : "",
                      even / 1000, even % 1000);
        EXPECT_EQ(total(survey), wanted) << "p " << p << ", spacing " << spacing;
    }
}

// Random ground lines across a level design: each cut and fill volume and
// running total of the prismoid as long double gives it from the areas,
// which lie within 10^-12 of the exact ones.
TEST(VolumeMethod, prismoid_cut_and_fill_figures_are_the_exact_values_rounded_once) {
    std::mt19937 random(34);
    const auto metres = [&](int from, int to) { return millimetres(random, from, to); };
    RoundedOnce rounded;
    for (int trial = 0; trial < 30; ++trial) {
        CutFillSurvey lines;
        lines.stationAnswer = "y";
        lines.volumeMethod = VolumeMethod::Prismoidal;
        double station = metres(0, 2'000'000);
        const int n = 2 + trial % 7;
        for (int i = 0; i < n; ++i) {
            CutFillSection section{.station = station};
            station += metres(1000, 50000);
            for (int k = -2; k <= 2; ++k) section.ground.push_back({metres(0, 5000), 5.0 * k});
            const double design = metres(0, 5000);
            section.design = {{design, -10}, {design, 10}};
            lines.sections.push_back(section);
        }
        Survey survey(std::move(lines));
        ASSERT_FALSE(calculate(survey));
        const CutFillSurvey& done = *survey.cutFill();
        const CutFillFigures figures(done);
        for (const bool cut : {true, false}) {
            const FigureSeries& series = cut ? figures.cut() : figures.fill();
            long double running = 0;
            for (int i = 1; i < n; ++i) {
                const auto area = [&](int k) -> long double {
                    const CutFillAreas& areas = *done.sections[std::size_t(k - 1)].areas;
                    return cut ? areas.cut : areas.fill;
                };
                const long double a = area(i), b = area(i + 1);
                const long double spacing = done.sections[std::size_t(i - 1)].spacing;
                const long double volume = spacing * (a + b + std::sqrt(a * b)) / 3;
                running += volume;
                const std::string where = "trial " + std::to_string(trial) + ", pair " +
                                          std::to_string(i) + (cut ? ", cut" : ", fill");
                rounded.check(volume, series.volume(i), where);
                rounded.check(running, series.runningTotal(i + 1), where);
            }
        }
    }
    EXPECT_GT(rounded.compared, 300);
}

}  // namespace
}  // namespace section
