// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the Google benchmarks of a program and hands their times to the
// program's goals, so that tools/bench names a benchmark whose goal was missed.

#include <functional>
#include <map>
#include <string>

// Each benchmark's mean wall time per iteration, in milliseconds, by its name.
using BenchmarkTimes = std::map<std::string, double>;

// Runs the benchmarks the command line selects (all by default) and returns 0
// when `goalsMet` says so of their times, 1 otherwise.
int runBenchmarks(int argc, char** argv,
                  const std::function<bool(const BenchmarkTimes&)>& goalsMet);

// Says whether the benchmark `name` took at most `limitMs` (`what` names the
// goal); one the command line left out is not judged.
bool withinGoal(const BenchmarkTimes& times, const std::string& name, double limitMs,
                const std::string& what);
