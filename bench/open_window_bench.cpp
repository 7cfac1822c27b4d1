// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the 1,000,000-point survey file (million_points.h) in the window,
// from the call until its text boxes are filled and the window has drawn
// them, against `velmorin --results` on the same file as a whole process,
// and against the command line's own work (read, calculate, CSV) in this
// process; and once more with the results overview open. Each open in a new
// window; medians of the runs, wall time and processor time (on a shared
// machine the wall time waits for the others; the processor time counts the
// last calculation's save on its own thread too).
// Usage: open_window_bench VELMORIN   (tools/bench runs it)

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "million_points.h"
#include "section/calculation.h"
#include "storage/survey_io.h"
#include "survey_file/survey_file.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/views/main_form.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 7;
constexpr double kGoal = 1.5;

// Wall and processor seconds of one run.
struct Timed {
    double wall = -1;
    double cpu = -1;
};

class Stopwatch {
  public:
    Timed read() const {
        return {std::chrono::duration<double>(Clock::now() - wall_).count(),
                processCpuSeconds() - cpu_};
    }

  private:
    Clock::time_point wall_ = Clock::now();
    double cpu_ = processCpuSeconds();
};

// What `velmorin --results` does between start and exit.
Timed commandLineWork(const QString& path) {
    const Stopwatch watch;
    storage::OpenedSurvey opened = storage::openSurvey(path);
    if (!opened.survey || section::calculate(*opened.survey)) return {};
    if (survey_file::resultsCsv(*opened.survey).empty()) return {};
    return watch.read();
}

struct Opening {
    Timed filled;  // openSurvey returned, the boxes written
    Timed drawn;   // and the window drawn
};

Opening openInWindow(const QString& path, bool withOverview) {
    window::MainWindow mainWindow;
    mainWindow.show();
    if (withOverview) mainWindow.showOverview();
    for (int k = 0; k < 10; ++k) QApplication::processEvents();
    Opening opening;
    const Stopwatch watch;
    if (!mainWindow.openSurvey(path)) return opening;
    opening.filled = watch.read();
    mainWindow.repaint();
    QApplication::processEvents();
    opening.drawn = watch.read();
    const QString total = mainWindow.form().textBox(section::TextBox::Text10)->text();
    if (!total.endsWith(QStringLiteral("立方米"))) return {};
    return opening;
}

struct Medians {
    std::vector<double> wall, cpu;
    void add(Timed t) {
        wall.push_back(t.wall * 1e3);
        cpu.push_back(t.cpu * 1e3);
    }
    void print(const char* what) const {
        std::printf("%-38s median %5.0f ms (processor %5.0f ms)\n", what, median(wall),
                    median(cpu));
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: open_window_bench VELMORIN\n");
        return 2;
    }
    // The data folder and the settings of this run only.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    window::prepareApplication(app);

    const MillionPointFile million;
    const std::string& file = million.path();
    const QString path = QString::fromStdString(file);
    Medians process, work, filled, drawn, overview;
    for (int k = 0; k <= kRuns; ++k) {
        const ProcessRun results = runProcess({argv[1], "--results", file});
        const Timed inProcess = commandLineWork(path);
        const Opening opening = openInWindow(path, false);
        const Opening withOverview = openInWindow(path, true);
        if (results.status != 0 || inProcess.wall < 0 || opening.drawn.wall < 0 ||
            withOverview.drawn.wall < 0) {
            std::fprintf(stderr, "a run failed (status %d)\n", results.status);
            return 1;
        }
        if (k == 0) continue;  // the first of each warms the caches
        process.add({results.seconds, results.cpuSeconds});
        work.add(inProcess);
        filled.add(opening.filled);
        drawn.add(opening.drawn);
        overview.add(withOverview.drawn);
    }
    std::printf("survey file: %d sections x %d points\n", kMillionSections, kMillionSectionPoints);
    process.print("velmorin --results (whole process):");
    work.print("the same work in this process:");
    filled.print("opened in the window, boxes filled:");
    drawn.print("and the window drawn:");
    overview.print("the same, the results overview open:");
    const double ratio = median(drawn.cpu) / median(process.cpu);
    std::printf(
        "window / --results: %.2fx processor, %.2fx wall (goal <= %.1fx); "
        "window / the same work: %.2fx processor\n",
        ratio, median(drawn.wall) / median(process.wall), kGoal,
        median(drawn.cpu) / median(work.cpu));
    return ratio <= kGoal ? 0 : 1;
}
