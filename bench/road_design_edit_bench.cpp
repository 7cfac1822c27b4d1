// SPDX-License-Identifier: GPL-3.0-or-later
// One 路幅 width changed in the road design of a cut-and-fill survey of
// 1,000 sections of 100 ground points: in the main window, from the step
// until everything it changed has been painted (every generated design line
// put on its ground again, the drawing, the table, the warnings). Median and
// slowest of the runs, wall time and this thread's processor time.
// Usage: road_design_edit_bench   (tools/bench runs it)

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "document/survey_document.h"
#include "million_points.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/table/survey_table_dock.h"
#include "window/views/main_form.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSections = 1000;
constexpr int kPoints = 100;
constexpr int kEdits = 60;
constexpr double kGoalMs = 16;

// Rolling ground 60 m across, K1+000 on, 20 m apart, to the millimetre as
// surveyed; no design typed.
section::CutFillSurvey groundSurvey() {
    section::CutFillSurvey survey{.stationAnswer = "Y", .sections = {}};
    for (int i = 0; i < kSections; ++i) {
        section::CutFillSection section{.station = 1000.0 + 20.0 * i};
        for (int j = 0; j < kPoints; ++j) {
            const double s = 30.0 - 60.0 * j / (kPoints - 1);
            const double h = 100.0 + 3.0 * std::sin(i * 0.05) + 0.02 * s;
            section.ground.push_back(
                {std::nearbyint(h * 1000.0) / 1000.0, std::nearbyint(s * 1000.0) / 1000.0});
        }
        survey.sections.push_back(std::move(section));
    }
    return survey;
}

section::RoadDesign road(double laneWidth) {
    using section::RoadSide;
    using section::SlopeKind;
    section::RoadDesign design;
    design.profile = {{.station = 1000, .elevation = 100},
                      {.station = 11000, .elevation = 106, .radius = 20000},
                      {.station = 21000, .elevation = 100}};
    for (RoadSide side : {RoadSide::Left, RoadSide::Right}) {
        design.plates.push_back(
            {.station = 1000, .side = side, .width = laneWidth, .crossfall = -2});
        design.plates.push_back({.station = 1000, .side = side, .width = 0.75, .crossfall = -3});
        design.slopes.push_back({.side = side, .kind = SlopeKind::Fill, .ratio = 1.5});
        design.slopes.push_back({.side = side, .kind = SlopeKind::Cut, .ratio = 0.75});
        design.ditches.push_back(
            {.side = side, .innerRatio = 1, .depth = 0.6, .bottomWidth = 0.4, .outerRatio = 1});
    }
    return design;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window keeps the unsaved edits in its data folder: one of its own.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    QApplication app(argc, argv);
    window::prepareApplication(app);
    window::MainWindow mainWindow;
    mainWindow.resize(1280, 800);
    mainWindow.show();
    document::SurveyDocument& document = mainWindow.form().document();
    document.undoStack()->setUndoLimit(100);
    document.replaceSurvey(groundSurvey(), "打开文件", "");
    document.setRoadDesign(road(3.75), "打开道路设计");
    mainWindow.table().show();
    for (int k = 0; k < 10; ++k) QApplication::processEvents();

    std::vector<double> wall, cpu;
    for (int k = 0; k < kEdits; ++k) {
        const double cpuStart = threadCpuSeconds();
        const auto start = Clock::now();
        if (!document.setRoadDesign(road(3.5 + 0.01 * (k % 50)), "修改道路设计").done()) {
            std::printf("FAILED: the width was not taken\n");
            return 1;
        }
        QApplication::processEvents();
        cpu.push_back((threadCpuSeconds() - cpuStart) * 1e3);
        wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::printf(
        "one 路幅 width changed, %d sections of %d ground points, window %dx%d painted: "
        "median %.3f ms (processor %.3f ms), slowest %.2f ms, %d edits\n",
        kSections, kPoints, mainWindow.width(), mainWindow.height(), median(wall), median(cpu),
        *std::max_element(wall.begin(), wall.end()), kEdits);
    std::printf("goal: painted within %.0f ms (median wall time)\n", kGoalMs);
    return median(wall) <= kGoalMs ? 0 : 1;
}
