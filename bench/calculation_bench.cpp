// Speed of the areas and volumes of a large survey: 1,000 sections of 1,000
// points each. Run: tools/bench

#include <benchmark/benchmark.h>

#include <random>

#include "section/area.h"
#include "section/volumes.h"

namespace {

section::SectionSurvey largeSurvey(int sections, int points) {
    section::SectionSurvey survey;
    survey.resize(sections);
    for (int i = 1; i <= sections; ++i) survey.setPointCount(i, static_cast<std::int16_t>(points));
    survey.allocatePoints();
    std::mt19937 random(1);
    std::uniform_real_distribution<float> elevation(95.0f, 105.0f);
    for (int i = 1; i <= sections; ++i) {
        for (int j = 1; j <= points; ++j) {
            // Across the road and back, so each outline is closed and wide.
            const float across =
                j <= points / 2 ? 20.0f - 0.08f * j : -20.0f + 0.08f * (j - points / 2);
            survey.setPoint(i, j, elevation(random), across);
        }
        if (i < sections) survey.setSpacing(i, 20.0f);
    }
    return survey;
}

void areasAndVolumes(benchmark::State& state) {
    const int sections = 1000;
    const int points = 1000;
    section::SectionSurvey survey = largeSurvey(sections, points);
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
