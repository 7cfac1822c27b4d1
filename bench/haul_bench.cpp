// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the earthworks of 5,000 cut-and-fill sections: the 土方调配 alone,
// and the 路基土石方数量计算表 with the 土方调配表 made ready to print, as the
// window makes them after an edit (goal: both tables within 100 ms).
// Run: tools/bench

#include <benchmark/benchmark.h>

#include <random>

#include "benchmark_goals.h"
#include "printout/earthworks_table.h"
#include "printout/haul_table.h"
#include "section/any_survey.h"
#include "section/earthworks.h"
#include "section/haul.h"

namespace {

constexpr int kSections = 5000;
constexpr double kSpacing = 20;

// Sections 20 m apart, areas wandering between cut and fill, volumes by the
// average-end-area rule; classes changing every 500 m, a bridge every 10 km,
// a 长链 halfway and an economic haul, so that every branch is taken.
section::Survey survey() {
    std::mt19937_64 random(33);
    std::uniform_real_distribution<double> area(0, 40), sway(-1, 1);
    section::CutFillSurvey record{"Y", {}};
    double lean = 0;
    for (int i = 0; i < kSections; ++i) {
        lean = std::clamp(lean + sway(random) * 0.3, -1.0, 1.0);
        const double size = area(random);
        record.sections.push_back({.station = i * kSpacing,
                                   .spacing = kSpacing,
                                   .areas = section::CutFillAreas{size * std::max(0.0, lean),
                                                                  size * std::max(0.0, -lean)}});
    }
    for (int i = 0; i + 1 < kSections; ++i) {
        auto& here = record.sections[std::size_t(i)];
        const auto& next = *record.sections[std::size_t(i) + 1].areas;
        here.cutVolume = (here.areas->cut + next.cut) * kSpacing / 2;
        here.fillVolume = (here.areas->fill + next.fill) * kSpacing / 2;
    }
    section::RoadDesign design;
    for (double from = 0; from < kSections * kSpacing; from += 500)
        design.soilClasses.push_back({{from, from + 500}, {0, 60, 10, 30, 0, 0}});
    for (double at = 10000; at < kSections * kSpacing; at += 10000)
        design.structures.push_back({{at, at + 40}, "小桥"});
    design.haul = section::HaulDistances{20, 500};
    section::Survey held(std::move(record));
    if (held.setRoadDesign(std::move(design))) std::abort();
    return held;
}

void haulAlone(benchmark::State& state) {
    const section::Survey held = survey();
    const section::Earthworks works = section::earthworks(*held.cutFill(), held.roadDesign());
    std::size_t stretches = 0;
    for (auto _ : state) {
        const section::Haul hauled = section::haul(works, *held.roadDesign().haul);
        stretches = hauled.stretches.size();
        benchmark::DoNotOptimize(hauled.massCurve.data());
    }
    state.counters["stretches"] = double(stretches);
}
BENCHMARK(haulAlone)->Unit(benchmark::kMillisecond);

void haulTable(benchmark::State& state) {
    const section::Survey held = survey();
    for (auto _ : state) {
        const printout::QuantityTable haul = printout::haulTable(held, {});
        benchmark::DoNotOptimize(haul.pages.data());
    }
}
BENCHMARK(haulTable)->Unit(benchmark::kMillisecond);

void earthworksAndHaulTables(benchmark::State& state) {
    const section::Survey held = survey();
    std::size_t pages = 0;
    for (auto _ : state) {
        const printout::QuantityTable sheet = printout::earthworksTable(held, {});
        const printout::QuantityTable haul = printout::haulTable(held, {});
        pages = sheet.pages.size() + haul.pages.size();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = double(pages);
}
BENCHMARK(earthworksAndHaulTables)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv, [](const BenchmarkTimes& times) {
        return withinGoal(times, "earthworksAndHaulTables", 100,
                          "the earthworks sheet and the haul table of 5,000 sections within "
                          "100 ms");
    });
}
