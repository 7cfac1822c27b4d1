// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of putting a road design on the ground: the design lines of 2,000
// sections of 200 ground points each, fitted and their cut and fill areas
// worked out, as after every edit of the design (goal: within 50 ms).
// Run: tools/bench

#include <benchmark/benchmark.h>

#include <random>
#include <variant>
#include <vector>

#include "benchmark_goals.h"
#include "section/cut_fill_area.h"
#include "section/road_fit.h"

namespace {

using section::Point;
using section::RoadSide;
using section::SlopeKind;

constexpr int kSections = 2000;
constexpr int kGroundPoints = 200;
constexpr double kSpacing = 20;
const std::optional<double> kUnlimited;

// A road of two lanes and shoulders, crest and sag curves, slopes in stages
// with berms and ditches on both sides, and a 长链 halfway.
section::RoadDesign roadDesign() {
    section::RoadDesign design;
    design.profile = {{0, 100, kUnlimited},
                      {10000, 160, 20000.0},
                      {25000, 115, 15000.0},
                      {kSections * kSpacing + 100, 180, kUnlimited}};
    for (const RoadSide side : {RoadSide::Left, RoadSide::Right}) {
        design.plates.push_back({0, side, 3.75, -2});
        design.plates.push_back({0, side, 0.75, -3});
        design.plates.push_back({20000, side, 4.75, side == RoadSide::Left ? 4.0 : -4.0});
        design.plates.push_back({20000, side, 0.75, -3});
        for (const SlopeKind kind : {SlopeKind::Fill, SlopeKind::Cut}) {
            design.slopes.push_back({std::nullopt, side, kind, 1.5, 2.0, 1.5, -3});
            design.slopes.push_back({std::nullopt, side, kind, 1.75, kUnlimited, 0, 0});
        }
        design.ditches.push_back({std::nullopt, side, 1, 0.6, 0.4, 1});
    }
    design.breaks = {{20100, 20080}};
    return design;
}

// Ground lines wandering a few metres either side of the design, left to
// right, so that sides come out in fill and in cut.
std::vector<std::vector<Point>> groundLines(const section::PreparedRoad& road) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> rough(-0.3, 0.3), level(-6, 6), cross(-0.15, 0.15);
    std::vector<std::vector<Point>> lines(kSections);
    for (int i = 0; i < kSections; ++i) {
        const double centre = road.centreElevation(i * kSpacing).value_or(100) + level(random);
        const double grade = cross(random);
        for (int k = 0; k < kGroundPoints; ++k) {
            const double offset = 30 - k * 60.0 / (kGroundPoints - 1);
            lines[i].push_back({centre + grade * offset + rough(random), offset});
        }
    }
    return lines;
}

void roadFitAndAreas(benchmark::State& state) {
    const auto prepared = section::PreparedRoad::prepare(roadDesign());
    if (!std::holds_alternative<section::PreparedRoad>(prepared)) {
        state.SkipWithError("the design does not prepare");
        return;
    }
    const section::PreparedRoad& road = std::get<section::PreparedRoad>(prepared);
    const std::vector<std::vector<Point>> grounds = groundLines(road);
    int warnings = 0, cutSides = 0;
    for (auto _ : state) {
        double total = 0;
        warnings = cutSides = 0;
        for (int i = 0; i < kSections; ++i) {
            const section::FittedDesign fitted = road.fit(i * kSpacing, grounds[i]);
            const section::SectionCutFill areas = section::cutFillAreas(grounds[i], fitted.line);
            if (areas.areas) total += areas.areas->cut + areas.areas->fill;
            warnings += static_cast<int>(fitted.fit.warnings.size());
            cutSides += (fitted.fit.left.kind == SlopeKind::Cut) +
                        (fitted.fit.right.kind == SlopeKind::Cut);
        }
        benchmark::DoNotOptimize(total);
    }
    // Both kinds of side and (almost) no misses: the goal covers real fits.
    state.counters["cut_sides"] = cutSides;
    state.counters["warnings"] = warnings;
}
BENCHMARK(roadFitAndAreas)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv, [](const BenchmarkTimes& times) {
        return withinGoal(times, "roadFitAndAreas", 50,
                          "2,000 sections of 200 ground points fitted with their areas within "
                          "50 ms");
    });
}
