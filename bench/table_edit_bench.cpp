// SPDX-License-Identifier: GPL-3.0-or-later
// One cell edit of a survey of 2,000 sections of 50 points (10^5 points, with
// stations) through the document: from setCell until the survey table's model
// has told its views which rows changed, the recalculation and the document's
// announcement in between. Cells all over the survey, an elevation, a distance
// or a station each time. Also the same edit in the main window with the
// table open until everything it changed has been painted (table row,
// boxes, drawing) and its step is on the disk: within one frame too.
// Medians and the slowest of the runs, wall time and this thread's processor
// time.
// Usage: table_edit_bench   (tools/bench runs it)

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "document/survey_document.h"
#include "generated_survey.h"
#include "million_points.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/table/survey_table_dock.h"
#include "window/table/survey_table_model.h"
#include "window/table/survey_table_view.h"
#include "window/views/main_form.h"

namespace {

using Clock = std::chrono::steady_clock;
using document::Column;

constexpr int kSections = 2000;
constexpr int kPoints = 50;
constexpr int kEdits = 600;
constexpr double kGoalMs = 16;

struct Times {
    std::vector<double> wall, cpu;  // milliseconds
};

section::SectionSurvey stationedSurvey() {
    section::SectionSurvey survey = generatedSurvey(kSections, kPoints);
    survey.setStationAnswer("Y");
    return survey;
}

// Cells all over the survey, each given a value it does not hold yet.
class Edits {
  public:
    document::Cell next(const section::SectionSurvey& survey, Column column) {
        const int i = pick(1, kSections);
        const int j = pick(1, kPoints);
        const double small = pick(-500, 500) / 1000.0;
        switch (column) {
            case Column::Elevation:
                return {i, j, column, survey.elevations(i, j) + small};
            case Column::Offset:
                return {i, j, column, survey.offsets(i, j) + small};
            default:  // a station moved less than half way to its neighbours
                return {i, 0, column, survey.stations(i) + small};
        }
    }

  private:
    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random_); }
    std::mt19937 random_{7};
};

const char* nameOf(Column column) {
    return column == Column::Elevation ? "elevation"
           : column == Column::Offset  ? "distance"
                                       : "station";
}

void print(const std::map<std::string, Times>& times) {
    for (const auto& [what, kind] : times)
        std::printf("%-40s median %6.3f ms (processor %6.3f ms), slowest %6.2f ms, %zu edits\n",
                    what.c_str(), median(kind.wall), median(kind.cpu),
                    *std::max_element(kind.wall.begin(), kind.wall.end()), kind.wall.size());
}

double worstMedian(const std::map<std::string, Times>& times) {
    double worst = 0;
    for (const auto& entry : times) worst = std::max(worst, median(entry.second.wall));
    return worst;
}

// Through the document and the table model alone.
double timeModel() {
    document::SurveyDocument document;
    document.undoStack()->setUndoLimit(100);
    document.replaceSurvey(stationedSurvey(), "计算", "");
    window::SurveyTableModel model(document);
    Clock::time_point announced;
    int rowsTold = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& from, const QModelIndex& to) {
                         announced = Clock::now();
                         rowsTold += to.row() - from.row() + 1;
                     });
    std::map<std::string, Times> times;
    Edits edits;
    for (int k = 0; k < kEdits; ++k) {
        const Column column = std::array{Column::Elevation, Column::Offset, Column::Station}[k % 3];
        const document::Cell cell = edits.next(document.survey(), column);
        announced = {};
        const double cpu = threadCpuSeconds();
        const auto start = Clock::now();
        if (document.setCell(cell) != document::Outcome::Done || announced == Clock::time_point{}) {
            std::printf("FAILED: an edit of section %d was not taken or not told\n", cell.section);
            return 1e9;
        }
        Times& kind = times[std::string(nameOf(column)) + " edited, model told"];
        kind.cpu.push_back((threadCpuSeconds() - cpu) * 1e3);
        kind.wall.push_back(std::chrono::duration<double, std::milli>(announced - start).count());
    }
    std::printf("%d sections of %d points, with stations; %d rows told in all:\n", kSections,
                kPoints, rowsTold);
    print(times);
    return worstMedian(times);
}

// In the main window, the table open on the section edited: until painted.
double timeWindow() {
    window::MainWindow mainWindow;
    mainWindow.resize(1280, 800);
    mainWindow.show();
    document::SurveyDocument& document = mainWindow.form().document();
    document.undoStack()->setUndoLimit(100);
    document.replaceSurvey(stationedSurvey(), "计算", "");
    mainWindow.table().show();
    for (int k = 0; k < 10; ++k) QApplication::processEvents();
    window::SurveyTableView& view = *mainWindow.table().view();
    std::map<std::string, Times> times;
    Edits edits;
    for (int k = 0; k < kEdits / 3; ++k) {
        const Column column = std::array{Column::Elevation, Column::Offset, Column::Station}[k % 3];
        const document::Cell cell = edits.next(document.survey(), column);
        // The row edited is the current one, as when it is typed into.
        view.setCurrentIndex(view.tableModel()->index(
            view.tableModel()->rowOf(cell.section, cell.point), window::SurveyTableModel::Key));
        QApplication::processEvents();
        const double cpu = threadCpuSeconds();
        const auto start = Clock::now();
        document.setCell(cell);
        QApplication::processEvents();
        Times& kind = times[std::string(nameOf(column)) + " edited, window painted"];
        kind.cpu.push_back((threadCpuSeconds() - cpu) * 1e3);
        kind.wall.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::printf("the same in the main window, %dx%d, table beside the form:\n", mainWindow.width(),
                mainWindow.height());
    print(times);
    return worstMedian(times);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window keeps the unsaved edits in its data folder: one of its own.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    QApplication app(argc, argv);
    window::prepareApplication(app);
    const double worst = std::max(timeModel(), timeWindow());
    std::printf(
        "goal: each kind of cell edit told to the table, and painted in the window, within %.0f "
        "ms (median wall time)\n",
        kGoalMs);
    return worst <= kGoalMs ? 0 : 1;
}
