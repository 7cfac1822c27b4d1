// SPDX-License-Identifier: GPL-3.0-or-later
#include "million_points.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>

MillionPointFile::MillionPointFile()
    : path_(std::filesystem::temp_directory_path() /
            ("velmorin-million-points-" + std::to_string(getpid()) + ".csv")) {
    // Stations 20 m apart; each outline runs across the road and back.
    std::mt19937 random(1);
    std::uniform_int_distribution<int> millimetres(95000, 105000);
    std::ofstream out(path_, std::ios::binary);
    out << "桩号,高程H,距离S\r\n";
    char row[64];
    for (int i = 0; i < kMillionSections; ++i) {
        const int station = 1000 + 20 * i;
        for (int j = 1; j <= kMillionSectionPoints; ++j) {
            const int half = kMillionSectionPoints / 2;
            const int across = j <= half ? 20000 - 80 * j : -20000 + 80 * (j - half);
            const int h = millimetres(random);
            const int n = std::snprintf(row, sizeof row, "%d,%d.%03d,%s%d.%03d\r\n", station,
                                        h / 1000, h % 1000, across < 0 ? "-" : "",
                                        std::abs(across) / 1000, std::abs(across) % 1000);
            out.write(row, n);
        }
    }
}

MillionPointFile::~MillionPointFile() {
    std::filesystem::remove(path_);
}

ProcessRun runProcess(const std::vector<std::string>& command) {
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
    auto seconds = [](timeval t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return {elapsed.count(), seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_maxrss,
            status};
}

namespace {

double cpuSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

}  // namespace

double processCpuSeconds() {
    return cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
}

double threadCpuSeconds() {
    return cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
