// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the areas and volumes of a large survey: 1,000 sections of 1,000
// points each; and of the check of a long outline for crossings. Run: tools/bench

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "benchmark_goals.h"
#include "generated_survey.h"
#include "section/area.h"
#include "section/checks.h"
#include "section/volumes.h"

namespace {

using section::PointValue;

void areasAndVolumes(benchmark::State& state) {
    const int sections = 1000;
    const int points = 1000;
    section::SectionSurvey survey = generatedSurvey(sections, points);
    for (auto _ : state) {
        section::computeAreas(survey);
        section::computeVolumes(survey);
        benchmark::DoNotOptimize(survey.totalVolume());
    }
    state.SetItemsProcessed(state.iterations() * sections * points);
    state.counters["points_per_second"] = benchmark::Counter(
        static_cast<double>(sections) * points, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(areasAndVolumes)->Unit(benchmark::kMillisecond);

constexpr int kOutlinePoints = 30000;

// A cut 3 km across: the ground from left to right, the formation back; with
// `mistyped`, one ground point below the formation.
void cutAcross(std::vector<PointValue>& elevations, std::vector<PointValue>& offsets,
               bool mistyped) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> rough(0.0, 1.0);
    elevations.clear();
    offsets.clear();
    for (int k = 0; k < kOutlinePoints / 2; ++k) {
        offsets.push_back(PointValue(1500 - k * 0.2));
        elevations.push_back(PointValue(100 + rough(random)));
    }
    for (int k = 0; k < kOutlinePoints / 2; ++k) {
        offsets.push_back(PointValue(-1500 + k * 0.2));
        elevations.push_back(PointValue(95 + rough(random) / 2));
    }
    if (mistyped) elevations[7000] = PointValue(90);
}

// The three checks of a long outline together: a clean cut, the same with one
// point mistyped, and a zig-zag whose edges all reach across the road.
void outlineCrossings(benchmark::State& state) {
    std::vector<PointValue> cleanElevations, cleanOffsets, wrongElevations, wrongOffsets;
    cutAcross(cleanElevations, cleanOffsets, false);
    cutAcross(wrongElevations, wrongOffsets, true);
    std::vector<PointValue> zigElevations, zigOffsets;
    for (int k = 0; k < kOutlinePoints; ++k) {
        zigOffsets.push_back(PointValue(k % 2 == 0 ? -10 : 10));
        zigElevations.push_back(PointValue(k * 0.001));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            section::outlineCrossing(cleanElevations.data(), cleanOffsets.data(), kOutlinePoints));
        benchmark::DoNotOptimize(
            section::outlineCrossing(wrongElevations.data(), wrongOffsets.data(), kOutlinePoints));
        benchmark::DoNotOptimize(
            section::outlineCrossing(zigElevations.data(), zigOffsets.data(), kOutlinePoints));
    }
}
BENCHMARK(outlineCrossings)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv, [](const BenchmarkTimes& times) {
        return withinGoal(times, "outlineCrossings", 1000,
                          "three outlines of 30,000 points checked for crossings within 1 s");
    });
}
