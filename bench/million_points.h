// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The survey file of the opening benchmarks: 1,000,000 points (2,000 sections
// of 500 points, with stations; about 21 MB), and how to time a whole process.

#include <string>
#include <vector>

constexpr int kMillionSections = 2000;
constexpr int kMillionSectionPoints = 500;

// The file in the temporary folder, this process's own (other benchmarks
// may be writing theirs meanwhile), the same bytes every time; removed with
// the object.
class MillionPointFile {
  public:
    MillionPointFile();
    ~MillionPointFile();
    MillionPointFile(const MillionPointFile&) = delete;
    MillionPointFile& operator=(const MillionPointFile&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

struct ProcessRun {
    double seconds = 0;
    double cpuSeconds = 0;  // user and system
    long peakKilobytes = 0;
    int status = 0;
};

// Runs the command with its output to /dev/null; wall time, processor time
// and peak memory.
ProcessRun runProcess(const std::vector<std::string>& command);

// Processor time of this process or of this thread so far, in seconds: on a
// machine shared with other work, wall time says little.
double processCpuSeconds();
double threadCpuSeconds();

double median(std::vector<double> values);
