// Time to set the calculation sheet of 1,000 sections (three points each,
// stations entered) with the program's own Qt print device on a PDF file in
// the temporary folder, the same painter and printer class as on paper but
// without CUPS. Run: tools/bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>

#include "generated_survey.h"
#include "printout/dayang.h"
#include "section/area.h"
#include "section/volumes.h"
#include "window/application.h"
#include "window/painter_printer.h"

namespace {

// Counts the calls the sheet makes while the Qt device sets them.
class CountingDevice : public printout::PrintDevice {
  public:
    explicit CountingDevice(printout::PrintDevice& device) : device_(device) {}
    int lines() const { return lines_; }

    void setPageStart(double acrossTwips, double downTwips) override {
        device_.setPageStart(acrossTwips, downTwips);
    }
    void setFontName(const std::string& name) override { device_.setFontName(name); }
    void setFontSize(double points) override { device_.setFontSize(points); }
    void printLine(const printout::PrintLine& items) override {
        ++lines_;
        device_.printLine(items);
    }
    void endDocument() override { device_.endDocument(); }

  private:
    printout::PrintDevice& device_;
    int lines_ = 0;
};

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
        window::PainterPrinter qtDevice(printer);
        if (!qtDevice.begin()) {
            state.SkipWithError("the PDF file cannot be opened");
            return;
        }
        CountingDevice device(qtDevice);
        printout::dayang(device, survey);
        if (!qtDevice.handedOver()) {
            state.SkipWithError("the PDF file was not finished");
            return;
        }
        lines = device.lines();
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
