// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/earthworks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>
#include <string>

#include "runtime/number_format.h"

namespace section {
namespace {

// Sections at `stations`, every pair with areas and the volumes given
// (cut, fill per pair), as the calculation leaves them.
CutFillSurvey pairs(const std::vector<double>& stations,
                    const std::vector<std::pair<double, double>>& volumes) {
    CutFillSurvey survey;
    survey.stationAnswer = "y";
    for (std::size_t i = 0; i < stations.size(); ++i) {
        CutFillSection section;
        section.station = stations[i];
        section.areas = CutFillAreas{1, 1};
        if (i < volumes.size()) std::tie(section.cutVolume, section.fillVolume) = volumes[i];
        survey.sections.push_back(section);
    }
    return survey;
}

SoilClassRow classes(double from, double to, ClassFigures percent) {
    return {{from, to}, percent};
}

std::string fixed(double value) {
    return runtime::formatFixed3(value);
}

TEST(Earthworks, uses_the_cut_class_by_class_until_the_fill_is_met) {
    RoadDesign design;
    design.soilClasses = {classes(0, 450, {0, 30, 0, 70, 0, 0})};
    const Earthworks works = earthworks(pairs({0, 10}, {{300, 200}}), design);
    ASSERT_EQ(works.rows.size(), 1u);
    const EarthworksRow& row = works.rows[0];
    EXPECT_EQ(row.section, 2);
    EXPECT_EQ(fixed(row.cutByClass[1]), "90.000");
    EXPECT_EQ(fixed(row.cutByClass[3]), "210.000");
    EXPECT_EQ(fixed(row.used[1]), "90.000");
    EXPECT_EQ(fixed(row.used[3]), "112.621");
    EXPECT_EQ(fixed(row.surplus[1]), "0.000");
    EXPECT_EQ(fixed(row.surplus[3]), "97.379");
    EXPECT_EQ(fixed(row.shortfall), "0.000");
    EXPECT_EQ(fixed(row.surplusCompacted), fixed(97.379310 / 0.92));
    EXPECT_FALSE(row.classAssumed);
    // More fill than the cut makes: all of it is used, the rest is missing.
    const Earthworks short_ = earthworks(pairs({0, 10}, {{300, 400}}), design);
    EXPECT_EQ(short_.rows[0].used, short_.rows[0].cutByClass);
    EXPECT_EQ(fixed(short_.rows[0].shortfall), fixed(400 - 90 / 1.16 - 210 / 0.92));
}

struct SharesCase {
    const char* name;
    std::vector<double> stations;
    std::vector<ChainBreak> breaks;
    std::vector<SoilClassRow> classes;
    std::vector<StructureRow> structures;
    ClassFigures percent;
    bool assumed;
    std::vector<int> structuresCut;
};

TEST(Earthworks, weighs_the_class_ranges_by_the_length_of_the_pair_they_cover) {
    const std::vector<SharesCase> cases{
        {"two ranges and a stretch of none, taken as Ⅱ",
         {0, 100},
         {},
         {classes(0, 40, {100, 0, 0, 0, 0, 0}), classes(40, 80, {0, 0, 0, 100, 0, 0})},
         {},
         {40, 20, 0, 40, 0, 0},
         true,
         {}},
        {"a 短链 inside the pair leaves its gap out",
         {0, 120},
         {{50, 70}},
         {classes(0, 50, {100, 0, 0, 0, 0, 0}), classes(70, 120, {0, 0, 0, 100, 0, 0})},
         {},
         {50, 0, 0, 50, 0, 0},
         false,
         {}},
        {"a 构造物 inside the pair counts for no class",
         {470, 530},
         {},
         {classes(470, 500, {100, 0, 0, 0, 0, 0}), classes(500, 530, {0, 0, 0, 0, 100, 0})},
         {{{480, 520}, "小桥"}},
         {50, 0, 0, 0, 50, 0},
         false,
         {0}},
        {"a pair within a 构造物 takes the classes at its start",
         {480, 520},
         {},
         {classes(400, 500, {0, 0, 100, 0, 0, 0})},
         {{{480, 520}, "小桥"}},
         {0, 0, 100, 0, 0, 0},
         false,
         {0}},
    };
    for (const SharesCase& c : cases) {
        SCOPED_TRACE(c.name);
        RoadDesign design;
        design.breaks = c.breaks;
        design.soilClasses = c.classes;
        design.structures = c.structures;
        const Earthworks works = earthworks(pairs(c.stations, {{100, 0}}), design);
        ASSERT_EQ(works.rows.size(), 1u);
        for (int j = 0; j < kSoilClasses; ++j)
            EXPECT_NEAR(works.rows[0].percent[j], c.percent[j], 1e-9) << j;
        EXPECT_EQ(works.rows[0].classAssumed, c.assumed);
        EXPECT_EQ(works.rows[0].structures, c.structuresCut);
    }
}

void expectClose(double a, double b, const char* what) {
    EXPECT_LE(std::abs(a - b), 1e-9 * std::max({1.0, std::abs(a), std::abs(b)})) << what;
}

// 挖 = Σ 利用 + Σ 挖余 and 填 = Σ 利用ⱼ/Kⱼ + 填缺 on `row`, every figure ≥ 0.
void expectBalanced(const EarthworksRow& row, const ClassFigures& factors) {
    double used = 0.0, surplus = 0.0, usedCompacted = 0.0, surplusCompacted = 0.0;
    for (int j = 0; j < kSoilClasses; ++j) {
        EXPECT_GE(row.used[j], 0.0);
        EXPECT_GE(row.surplus[j], 0.0);
        used += row.used[j];
        surplus += row.surplus[j];
        usedCompacted += row.used[j] / factors[j];
        surplusCompacted += row.surplus[j] / factors[j];
    }
    EXPECT_GE(row.shortfall, 0.0);
    // Cut left over and fill still missing on the same pair would be a pair
    // that did not use its own cut.
    EXPECT_TRUE(row.shortfall == 0.0 || surplus == 0.0);
    expectClose(row.cut, used + surplus, "挖 = 利用 + 挖余");
    expectClose(row.fill, usedCompacted + row.shortfall, "填 = 利用/K + 填缺");
    expectClose(row.surplusCompacted, surplusCompacted, "挖余 compacted");
    expectClose(std::accumulate(row.percent.begin(), row.percent.end(), 0.0), 100.0, "100 %");
}

TEST(Earthworks, cut_and_fill_balance_on_every_pair_and_in_total) {
    std::mt19937 random(33);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int trial = 0; trial < 200; ++trial) {
        SCOPED_TRACE(trial);
        const int n = 2 + int(unit(random) * 30);
        std::vector<double> stations;
        std::vector<std::pair<double, double>> volumes;
        double station = std::round(unit(random) * 2000);
        for (int i = 0; i < n; ++i, station += std::round(unit(random) * 50)) {
            stations.push_back(station);
            volumes.emplace_back(unit(random) < 0.2 ? 0.0 : unit(random) * 1000,
                                 unit(random) < 0.2 ? 0.0 : unit(random) * 1000);
        }
        RoadDesign design;
        ClassFigures factors;
        for (double& k : factors) k = 0.8 + unit(random) * 0.6;
        design.factors = factors;
        for (double from = stations.front() - 20; from < station;) {
            const double to = from + std::round(unit(random) * 200);
            ClassFigures percent{};
            for (int left = 100, j = 0; j < kSoilClasses; ++j) {
                percent[j] = j == kSoilClasses - 1 ? left : std::round(unit(random) * left);
                left -= int(percent[j]);
            }
            if (unit(random) < 0.8) design.soilClasses.push_back(classes(from, to, percent));
            from = to;
        }
        if (unit(random) < 0.5) design.structures.push_back({{station - 60, station - 40}, "涵洞"});
        CutFillSurvey survey = pairs(stations, volumes);
        if (n > 2) survey.sections[1].areas.reset();  // its pairs have no volumes
        const Earthworks works = earthworks(survey, design);
        EXPECT_EQ(works.factors, factors);
        EXPECT_EQ(works.rows.size(), std::size_t(n > 2 ? n - 3 : n - 1));
        double cut = 0.0, fill = 0.0, used = 0.0, surplus = 0.0, usedCompacted = 0.0,
               shortfall = 0.0;
        for (std::size_t r = 0; r < works.rows.size(); ++r) {
            const EarthworksRow& row = works.rows[r];
            if (r > 0) {
                EXPECT_GT(row.section, works.rows[r - 1].section);
            }
            EXPECT_EQ(row.cut, survey.sections[std::size_t(row.section - 2)].cutVolume);
            expectBalanced(row, factors);
            cut += row.cut;
            fill += row.fill;
            shortfall += row.shortfall;
            for (int j = 0; j < kSoilClasses; ++j) {
                used += row.used[j];
                surplus += row.surplus[j];
                usedCompacted += row.used[j] / factors[j];
            }
        }
        expectClose(cut, used + surplus, "Σ挖 = Σ利用 + Σ挖余");
        expectClose(fill, usedCompacted + shortfall, "Σ填 = Σ利用/K + Σ填缺");
    }
}

}  // namespace
}  // namespace section
