// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the areas and volumes of a large survey: 1,000 sections of 1,000
// points each. Run: tools/bench

#include <benchmark/benchmark.h>

#include "generated_survey.h"
#include "section/area.h"
#include "section/volumes.h"

namespace {

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

}  // namespace

BENCHMARK_MAIN();
