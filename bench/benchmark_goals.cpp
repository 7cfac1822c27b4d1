// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchmark_goals.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// The console's table as usual, each run's time kept as well.
class GoalReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            times[run.run_name.function_name] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    BenchmarkTimes times;
};

}  // namespace

int runBenchmarks(int argc, char** argv,
                  const std::function<bool(const BenchmarkTimes&)>& goalsMet) {
    benchmark::Initialize(&argc, argv);
    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return goalsMet(reporter.times) ? 0 : 1;
}

bool withinGoal(const BenchmarkTimes& times, const std::string& name, double limitMs,
                const std::string& what) {
    const auto found = times.find(name);
    if (found == times.end()) return true;
    const bool met = found->second <= limitMs;
    std::printf("%s: %.3f ms, goal %s (at most %.3f ms)%s\n", name.c_str(), found->second,
                what.c_str(), limitMs, met ? "" : "  MISSED");
    return met;
}
