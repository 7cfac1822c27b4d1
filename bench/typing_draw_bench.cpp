// SPDX-License-Identifier: GPL-3.0-or-later
// Typing a section of 2,000 points: the time from the draft the dialogue
// hands to the window (after Enter) until the drawing beside the form has
// drawn it, for each kind of Enter: an elevation typed, a distance typed, a
// point confirmed. A point beyond the outline's reach so far (the drawing's
// scale then changes) is timed apart. Medians and the slowest of the runs,
// wall time and this thread's processor time.
// Usage: typing_draw_bench   (tools/bench runs it)

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "dialogue/user_interface.h"
#include "million_points.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/views/section_panel.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kConfirmed = 2000;
constexpr int kTyped = 60;  // points typed on top of them
constexpr double kGoalMs = 16;

using Point = section::SectionDraft::Point;

// Across the road and back, 2,100 points: the first half goes out, the rest
// comes back within the outline's reach.
Point outlinePoint(int j) {
    const int half = 1050;
    const double across = j <= half ? 21.0 - 0.04 * j : -21.0 + 0.04 * (j - half);
    const double h = 100.0 + ((j * 7919) % 1000) / 500.0 - (j > half ? 1.0 : 0.0);
    return {static_cast<decltype(Point::elevation)>(h),
            static_cast<decltype(Point::offset)>(across)};
}

struct Times {
    std::vector<double> wall, cpu;  // milliseconds
};

void timeDrawing(window::MainWindow& mainWindow, const section::SectionDraft& draft, Times& times) {
    const auto start = Clock::now();
    const double cpu = threadCpuSeconds();
    mainWindow.sectionPanel().showDraft(draft);
    mainWindow.sectionPanel().repaint();
    times.cpu.push_back((threadCpuSeconds() - cpu) * 1e3);
    times.wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    window::prepareApplication(app);
    window::MainWindow mainWindow;
    mainWindow.show();
    for (int k = 0; k < 10; ++k) QApplication::processEvents();

    std::map<std::string, Times> times;
    section::SectionDraft draft;
    draft.section = 1;
    for (int j = 1; j <= kConfirmed; ++j) draft.points.push_back(outlinePoint(j));
    timeDrawing(mainWindow, draft, times["first drawing of the section"]);
    for (int j = kConfirmed + 1; j <= kConfirmed + kTyped; ++j) {
        const Point next = outlinePoint(j);
        draft.elevation = next.elevation;
        timeDrawing(mainWindow, draft, times["elevation typed"]);
        draft.offset = next.offset;
        timeDrawing(mainWindow, draft, times["distance typed"]);
        draft.points.push_back(next);
        draft.elevation.reset();
        draft.offset.reset();
        timeDrawing(mainWindow, draft, times["point confirmed"]);
    }
    // Points far beyond the others: the whole drawing changes scale.
    for (int k = 1; k <= 10; ++k) {
        draft.elevation = static_cast<decltype(Point::elevation)>(100 + 10 * k);
        draft.offset = static_cast<decltype(Point::offset)>(30 * k);
        timeDrawing(mainWindow, draft, times["distance typed, scale changed"]);
    }
    std::printf("a section of %d points, drawn %dx%d:\n", kConfirmed,
                mainWindow.sectionPanel().width(), mainWindow.sectionPanel().height());
    double worst = 0;
    for (const auto& [what, kind] : times) {
        std::printf("%-31s median %6.2f ms (processor %6.2f ms), slowest %6.2f ms, %zu drafts\n",
                    what.c_str(), median(kind.wall), median(kind.cpu),
                    *std::max_element(kind.wall.begin(), kind.wall.end()), kind.wall.size());
        if (what == "elevation typed" || what == "distance typed" || what == "point confirmed")
            worst = std::max(worst, median(kind.cpu));
    }
    std::printf("goal: each kind of Enter drawn within %.0f ms (median processor time)\n", kGoalMs);
    return worst <= kGoalMs ? 0 : 1;
}
