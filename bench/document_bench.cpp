// SPDX-License-Identifier: GPL-3.0-or-later
// One edit of a survey of 2,000 sections of 50 points (10^5 points) through the
// document, recalculation included, drawing not; it redoes only what it
// touches, so it costs a small part of a full calculation and stays far below
// a frame (16 ms). Run: tools/bench

#include <benchmark/benchmark.h>

#include <QUndoStack>

#include "benchmark_goals.h"
#include "document/survey_document.h"
#include "generated_survey.h"
#include "section/calculation.h"

namespace {

constexpr int kSections = 2000;
constexpr int kPoints = 50;

document::SurveyDocument& loadedDocument() {
    static document::SurveyDocument document;
    if (document.survey().sectionCount() == 0) {
        document.undoStack()->setUndoLimit(100);
        document.replaceSurvey(generatedSurvey(kSections, kPoints), "计算", "");
    }
    return document;
}

void elevationEdit(benchmark::State& state) {
    document::SurveyDocument& document = loadedDocument();
    document::Value value = 100;
    for (auto _ : state) {
        value = value == 100 ? 101 : 100;
        document.setCell({kSections / 2, kPoints / 2, document::Column::Elevation, value});
        benchmark::DoNotOptimize(document.survey().closedOutline()->totalVolume());
    }
}
BENCHMARK(elevationEdit)->Unit(benchmark::kMicrosecond);

// Every later point moves in the flat arrays, and back on the undo.
void pointInsertedAndUndone(benchmark::State& state) {
    document::SurveyDocument& document = loadedDocument();
    for (auto _ : state) {
        document.insertPoint({1, 2}, {100, 0});
        document.undoStack()->undo();
        benchmark::DoNotOptimize(document.survey().closedOutline()->totalVolume());
    }
}
BENCHMARK(pointInsertedAndUndone)->Unit(benchmark::kMicrosecond);

void stationEdit(benchmark::State& state) {
    document::SurveyDocument& document = loadedDocument();
    const document::Value station = document.survey().closedOutline()->stations(kSections / 2);
    document::Value value = station;
    for (auto _ : state) {
        value = value == station ? station + 1 : station;
        document.setCell({kSections / 2, 0, document::Column::Station, value});
        benchmark::DoNotOptimize(document.survey().closedOutline()->totalVolume());
    }
}
BENCHMARK(stationEdit)->Unit(benchmark::kMicrosecond);

// What an edit would cost if it redid everything.
void fullCalculation(benchmark::State& state) {
    section::SectionSurvey survey = *loadedDocument().survey().closedOutline();
    for (auto _ : state) {
        section::calculateSurvey(survey);
        benchmark::DoNotOptimize(survey.totalVolume());
    }
}
BENCHMARK(fullCalculation)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv, [](const BenchmarkTimes& times) {
        bool met = true;
        for (const char* edit : {"elevationEdit", "stationEdit"})
            met &= withinGoal(times, edit, 16, "an edit recalculated within a frame");
        if (const auto full = times.find("fullCalculation"); full != times.end())
            met &= withinGoal(times, "elevationEdit", full->second / 2,
                              "an edit costs under half a full calculation");
        return met;
    });
}
