// SPDX-License-Identifier: GPL-3.0-or-later
// `velmorin --results` on a survey file of 1,000,000 points (2,000 sections of
// 500 points, with stations; about 21 MB), timed as a whole process side by
// side with bench/areas_volumes.py (Python's csv module) on the same file,
// alternating, and its peak memory against the file's size.
// Usage: results_bench VELMORIN areas_volumes.py   (tools/bench runs it)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kSections = 2000;
constexpr int kPoints = 500;
constexpr int kRuns = 7;

// Stations 20 m apart; each outline runs across the road and back.
std::string writeSurvey(const std::string& path) {
    std::mt19937 random(1);
    std::uniform_int_distribution<int> millimetres(95000, 105000);
    std::ofstream out(path, std::ios::binary);
    out << "桩号,高程H,距离S\r\n";
    char row[64];
    for (int i = 0; i < kSections; ++i) {
        const int station = 1000 + 20 * i;
        for (int j = 1; j <= kPoints; ++j) {
            const int across = j <= kPoints / 2 ? 20000 - 80 * j : -20000 + 80 * (j - kPoints / 2);
            const int h = millimetres(random);
            const int n = std::snprintf(row, sizeof row, "%d,%d.%03d,%s%d.%03d\r\n", station,
                                        h / 1000, h % 1000, across < 0 ? "-" : "",
                                        std::abs(across) / 1000, std::abs(across) % 1000);
            out.write(row, n);
        }
    }
    return path;
}

struct Run {
    double seconds = 0;
    long peakKilobytes = 0;
    int status = 0;
};

// Runs the command with its output to /dev/null; wall time and peak memory.
Run run(const std::vector<std::string>& command) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::vector<char*> argv;
        for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), usage.ru_maxrss, status};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: results_bench VELMORIN areas_volumes.py\n");
        return 2;
    }
    const std::string file =
        writeSurvey((std::filesystem::temp_directory_path() / "velmorin-million-points.csv"));
    const double megabytes = std::filesystem::file_size(file) / 1e6;
    std::vector<double> velmorin, python;
    long peak = 0;
    for (int k = 0; k <= kRuns; ++k) {
        const Run ours = run({argv[1], "--results", file});
        const Run theirs = run({"python3", argv[2], file});
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
    std::printf("survey file: %d sections x %d points, %.1f MB\n", kSections, kPoints, megabytes);
    std::printf("velmorin --results: median %.0f ms, peak memory %.1f MB (%.2fx the file)\n",
                median(velmorin) * 1e3, peak / 1024.0, memory);
    std::printf("python3 csv script: median %.0f ms\n", median(python) * 1e3);
    std::printf("ratio of medians: %.1fx faster (goal >= 10x); memory goal < 3x the file\n", ratio);
    return ratio >= 10 && memory < 3 ? 0 : 1;
}
