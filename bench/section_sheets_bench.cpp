// SPDX-License-Identifier: GPL-3.0-or-later
// Time to write the 横断面图 sheets of 500 cut-and-fill sections made by a
// road design, from the calculated survey to the file, as PDF and as DXF, A3
// at 1:200 (goal: within 2 s each). Run: tools/bench

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <random>

#include "benchmark_goals.h"
#include "paper/fonts.h"
#include "paper/section_sheets_pdf.h"
#include "printout/section_sheet_drawing.h"

namespace {

constexpr int kSections = 500;

// A road rising 0.5 % over ground rolling up to 3 m above and below it,
// surveyed every 2.5 m, 30 m either side: 7.5 m lanes at -2 %, fill slopes 1:1.5 and cut slopes
// 1:1, so that sections go from all fill to all cut and between.
section::Survey roadSurvey() {
    std::mt19937 random(34);
    std::uniform_real_distribution<double> lift(-0.3, 0.3), bump(-0.2, 0.2);
    section::CutFillSurvey record{"Y", {}};
    double wander = 0.0;  // the ground at the centre line, from the road's level
    for (int i = 0; i < kSections; ++i) {
        section::CutFillSection cross;
        cross.station = 20.0 * i;
        wander = std::clamp(wander + lift(random), -3.0, 3.0);
        const double centre = 97.0 + 0.1 * i + wander;
        const double tilt = 0.1 * std::sin(i / 17.0);
        for (double offset = -30.0; offset <= 30.0; offset += 2.5)
            cross.ground.push_back({centre + tilt * offset + bump(random), offset});
        record.sections.push_back(std::move(cross));
    }
    section::RoadDesign design;
    design.profile = {{0, 97, std::nullopt},
                      {kSections * 20.0, 97 + kSections * 0.1, std::nullopt}};
    design.plates = {{0, section::RoadSide::Left, 7.5, -2}, {0, section::RoadSide::Right, 7.5, -2}};
    for (const section::RoadSide side : {section::RoadSide::Left, section::RoadSide::Right}) {
        design.slopes.push_back({std::nullopt, side, section::SlopeKind::Fill, 1.5});
        design.slopes.push_back({std::nullopt, side, section::SlopeKind::Cut, 1.0});
    }
    section::Survey survey(std::move(record));
    if (survey.setRoadDesign(std::move(design)) || section::calculate(survey)) std::abort();
    return survey;
}

const section::ProjectInfo kProject{"某某公路改建工程", "K0+000～K10+000", "张三", "李四",
                                    "2026-12-10"};

void sheetsWritten(benchmark::State& state, const char* name) {
    const section::Survey survey = roadSurvey();
    const QString file = QDir::temp().filePath(QString::fromUtf8(name));
    std::size_t sheets = 0;
    for (auto _ : state) {
        const printout::SheetDrawing drawing = printout::sectionSheets(survey, kProject);
        if (const QString error = paper::exportSectionSheets(drawing, file); !error.isEmpty()) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
        sheets = drawing.sheets.size();
    }
    state.counters["sheets"] = double(sheets);
    state.counters["bytes"] = double(QFile(file).size());
    QFile::remove(file);
}

void sheetsAsPdf(benchmark::State& state) {
    sheetsWritten(state, "velmorin-sheets-bench.pdf");
}
BENCHMARK(sheetsAsPdf)->Unit(benchmark::kMillisecond);

void sheetsAsDxf(benchmark::State& state) {
    sheetsWritten(state, "velmorin-sheets-bench.dxf");
}
BENCHMARK(sheetsAsDxf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // The fonts and the PDF need a GUI application, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    paper::installFontSubstitutions();
    return runBenchmarks(argc, argv, [](const BenchmarkTimes& times) {
        const bool pdf = withinGoal(times, "sheetsAsPdf", 2000,
                                    "the 横断面图 sheets of 500 sections as PDF within 2 s");
        const bool dxf = withinGoal(times, "sheetsAsDxf", 2000,
                                    "the 横断面图 sheets of 500 sections as DXF within 2 s");
        return pdf && dxf;
    });
}
