// SPDX-License-Identifier: GPL-3.0-or-later
// Cut and fill: the areas of a section of 1,000,000 points per line (goal at
// least 100 M points a second), and `velmorin --results` on a 20 MB 里程文件
// against bench/cut_fill.py (Python's csv module, the same arithmetic), as
// whole processes, alternating (goal at least 10x faster).
// Usage: cut_fill_bench VELMORIN cut_fill.py   (tools/bench runs it)

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "million_points.h"
#include "section/cut_fill_area.h"

namespace {

using section::Point;

// A ground line wandering about a design line that crosses it often, both
// with some vertical steps, the design given right to left.
void randomLines(int n, std::vector<Point>& ground, std::vector<Point>& design) {
    std::mt19937_64 random(1);
    std::uniform_real_distribution<double> step(0.0, 0.02), height(-1.0, 1.0);
    double sg = 0, sd = 0;
    for (int k = 0; k < n; ++k) {
        ground.push_back({100 + height(random), sg});
        design.push_back({100 + height(random) * 0.5, sd});
        if (k % 50 != 0) sg += step(random);
        if (k % 70 != 0) sd += step(random);
    }
    std::reverse(design.begin(), design.end());
}

double areasPointsPerSecond() {
    std::vector<Point> ground, design;
    constexpr int kPoints = 1'000'000;
    randomLines(kPoints, ground, design);
    std::vector<double> seconds;
    double check = 0;
    for (int run = 0; run < 21; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const section::SectionCutFill result = section::cutFillAreas(ground, design);
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        check += result.areas ? result.areas->cut + result.areas->fill : -1;
    }
    const double rate = 2.0 * kPoints / median(seconds);
    std::printf(
        "cut and fill areas, 2 lines x %d points: median %.2f ms, %.0f M points/s "
        "(goal >= 100)  [%g]\n",
        kPoints, median(seconds) * 1e3, rate / 1e6, check);
    return rate;
}

// About 20 MB: 2,000 sections with ground and design lines of 400 points each.
std::string writeHdmFile() {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("velmorin-cut-fill-bench-" + std::to_string(::getpid()) + ".hdm"))
                                 .string();
    std::ofstream out(path, std::ios::binary);
    std::mt19937_64 random(2);
    char line[64];
    for (int i = 0; i < 2000; ++i) {
        std::snprintf(line, sizeof line, "BEGIN,%d.000:%d\r\n", 1000 + 20 * i, i + 1);
        out << line;
        for (int l = 0; l < 2; ++l) {
            if (l == 1) out << "NEXT\r\n";
            for (int k = 0; k < 315; ++k) {
                const double offset = -31.4 + k * 0.2;
                const double h = 100 + (l ? 0.5 : double(random() % 2001) / 1000);
                std::snprintf(line, sizeof line, "%.3f,%.3f\r\n", offset, h);
                out << line;
            }
        }
    }
    return path;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: cut_fill_bench VELMORIN cut_fill.py\n");
        return 2;
    }
    const double rate = areasPointsPerSecond();
    std::fflush(stdout);  // before the runs fork
    const std::string file = writeHdmFile();
    const double megabytes = std::filesystem::file_size(file) / 1e6;
    std::vector<double> velmorin, python;
    for (int k = 0; k <= 5; ++k) {
        const ProcessRun ours = runProcess({argv[1], "--results", file});
        const ProcessRun theirs = runProcess({"python3", argv[2], file});
        if (ours.status != 0 || theirs.status != 0) {
            std::fprintf(stderr, "a run failed (status %d, %d)\n", ours.status, theirs.status);
            std::filesystem::remove(file);
            return 1;
        }
        if (k == 0) continue;  // the first of each warms the caches
        velmorin.push_back(ours.seconds);
        python.push_back(theirs.seconds);
    }
    std::filesystem::remove(file);
    const double ratio = median(python) / median(velmorin);
    std::printf(
        "里程文件 of %.1f MB: velmorin --results median %.0f ms, python3 csv script "
        "median %.0f ms: %.1fx faster (goal >= 10x)\n",
        megabytes, median(velmorin) * 1e3, median(python) * 1e3, ratio);
    return rate >= 100e6 && ratio >= 10 ? 0 : 1;
}
