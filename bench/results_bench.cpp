// SPDX-License-Identifier: GPL-3.0-or-later
// `velmorin --results` on a survey file of 1,000,000 points (2,000 sections of
// 500 points, with stations; about 21 MB), timed as a whole process side by
// side with bench/areas_volumes.py (Python's csv module) on the same file,
// alternating, and its peak memory against the file's size.
// Usage: results_bench VELMORIN areas_volumes.py   (tools/bench runs it)

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "million_points.h"

namespace {

constexpr int kRuns = 7;

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: results_bench VELMORIN areas_volumes.py\n");
        return 2;
    }
    const MillionPointFile million;
    const std::string& file = million.path();
    const double megabytes = std::filesystem::file_size(file) / 1e6;
    std::vector<double> velmorin, python;
    long peak = 0;
    for (int k = 0; k <= kRuns; ++k) {
        const ProcessRun ours = runProcess({argv[1], "--results", file});
        const ProcessRun theirs = runProcess({"python3", argv[2], file});
        if (ours.status != 0 || theirs.status != 0) {
            std::fprintf(stderr, "a run failed (status %d, %d)\n", ours.status, theirs.status);
            return 1;
        }
        if (k == 0) continue;  // the first of each warms the caches
        velmorin.push_back(ours.seconds);
        python.push_back(theirs.seconds);
        peak = std::max(peak, ours.peakKilobytes);
    }
    const double ratio = median(python) / median(velmorin);
    const double memory = peak * 1024.0 / 1e6 / megabytes;
    std::printf("survey file: %d sections x %d points, %.1f MB\n", kMillionSections,
                kMillionSectionPoints, megabytes);
    std::printf("velmorin --results: median %.0f ms, peak memory %.1f MB (%.2fx the file)\n",
                median(velmorin) * 1e3, peak / 1024.0, memory);
    std::printf("python3 csv script: median %.0f ms\n", median(python) * 1e3);
    std::printf("ratio of medians: %.1fx faster (goal >= 10x); memory goal < 3x the file\n", ratio);
    return ratio >= 10 && memory < 3 ? 0 : 1;
}
