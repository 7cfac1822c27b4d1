// SPDX-License-Identifier: GPL-3.0-or-later
// Time to set the calculation sheet of 1,000 sections (three points each,
// stations entered) with the program's own sheet renderer on a PDF file in
// the temporary folder, the same painter and printer class as on paper but
// without CUPS. Run: tools/bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>

#include "generated_survey.h"
#include "paper/sheet_renderer.h"
#include "printout/dayang.h"
#include "section/area.h"
#include "section/volumes.h"
#include "window/platform/application.h"

namespace {

// Qt's PDF writer starts every page object with this.
qsizetype pagesIn(const QString& file) {
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly)) return 0;
    return pdf.readAll().count("/Type /Page\n");
}

void sheetOfThousandSectionsOnPdf(benchmark::State& state) {
    section::SectionSurvey survey = generatedSurvey(1000, 3);
    survey.setStationAnswer("y");
    section::computeAreas(survey);
    section::computeVolumes(survey);
    const QString file = QDir::temp().filePath(QStringLiteral("velmorin-sheet-bench.pdf"));
    int lines = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const printout::Sheet sheet = printout::dayang(survey);
        if (!paper::renderSheet(sheet, printer)) {
            state.SkipWithError("the PDF file could not be written");
            return;
        }
        lines = static_cast<int>(sheet.lines.size());
    }
    state.counters["lines"] = lines;
    state.counters["pages"] = static_cast<double>(pagesIn(file));
    state.counters["pdf_bytes"] = static_cast<double>(QFile(file).size());
}
BENCHMARK(sheetOfThousandSectionsOnPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    // The fonts and the PDF need a GUI application, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    window::prepareApplication(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
