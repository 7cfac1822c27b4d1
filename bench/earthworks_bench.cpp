// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the 路基土石方数量计算表 of 5,000 calculated cut-and-fill sections:
// the earthworks figures (classes by station range, 本桩利用, 填缺, 挖余) and
// the table with its pages and exact sums, without printing (goal: within
// 100 ms, which the haul shares).
// Run: tools/bench

#include <benchmark/benchmark.h>

#include <random>

#include "benchmark_goals.h"
#include "printout/earthworks_table.h"
#include "section/any_survey.h"

namespace {

constexpr int kSections = 5000;
constexpr double kSpacing = 20;

// Ground lines of 21 points wandering across a level design 20 m wide, so
// that sections have cut, fill or both.
section::CutFillSurvey survey() {
    std::mt19937_64 random(33);
    std::uniform_real_distribution<double> rough(-0.4, 0.4), level(-3, 3);
    section::CutFillSurvey lines;
    lines.stationAnswer = "Y";
    for (int i = 0; i < kSections; ++i) {
        section::CutFillSection section;
        section.station = i * kSpacing;
        const double centre = 100 + level(random);
        for (int k = 0; k <= 20; ++k)
            section.ground.push_back({centre + rough(random), -20 + 2.0 * k});
        section.design = {{100, -20}, {100, 20}};
        lines.sections.push_back(std::move(section));
    }
    return lines;
}

// A class range every 300 m, a culvert every 2 km, a 长链 halfway.
section::RoadDesign design() {
    section::RoadDesign road;
    std::mt19937_64 random(34);
    for (double from = 0; from < kSections * kSpacing; from += 300) {
        section::ClassFigures percent{};
        percent[random() % 3] = 60;
        percent[3 + random() % 3] = 40;
        road.soilClasses.push_back({{from, from + 300}, percent});
    }
    for (double at = 1010; at < kSections * kSpacing; at += 2000)
        road.structures.push_back({{at, at + 15}, "涵洞"});
    road.breaks = {{50010, 50000}};
    return road;
}

void earthworksFiguresAndTable(benchmark::State& state) {
    section::Survey held(survey());
    if (held.setRoadDesign(design()) || section::calculate(held)) {
        state.SkipWithError("the survey does not calculate");
        return;
    }
    std::size_t rows = 0, pages = 0;
    for (auto _ : state) {
        // The table works out the figures itself.
        const printout::QuantityTable table = printout::earthworksTable(held, {});
        rows = 0;
        for (const printout::QuantityPage& page : table.pages) rows += page.rows.size();
        pages = table.pages.size();
        benchmark::DoNotOptimize(table.total.cells.data());
    }
    state.counters["rows"] = double(rows);
    state.counters["pages"] = double(pages);
}
BENCHMARK(earthworksFiguresAndTable)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv, [](const BenchmarkTimes& times) {
        return withinGoal(times, "earthworksFiguresAndTable", 100,
                          "the earthworks figures and table of 5,000 sections within 100 ms");
    });
}
