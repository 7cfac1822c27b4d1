// SPDX-License-Identifier: GPL-3.0-or-later
// Prints real sheets on the test queue (a cups-pdf printer set up by
// tools/setup-test-printer) and reads the PDF back.

#include <gtest/gtest.h>

#include <QAction>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSignalSpy>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dialogue/run.h"
#include "grouped_table.h"
#include "paper/pdf_export.h"
#include "print_pdf.h"
#include "printout/dayang.h"
#include "section/survey.h"
#include "window/main_window.h"
#include "window/printing/quantity_table_print.h"
#include "window/printing/sheet_printer.h"
#include "window/views/main_form.h"

namespace {

using section::SectionSurvey;
using namespace print_test;
namespace fs = std::filesystem;

class PrintedSheet : public testing::Test {
  protected:
    void SetUp() override {
        if (testQueue().empty() || pdfFolder().empty())
            GTEST_SKIP() << "PRINTER and VELMORIN_TEST_PDF_DIR are not set: run through ./test, "
                            "which sets up the test printer";
        clearPdfFolder();
    }

    // Prints the survey as the print button does, from a thread of its own,
    // and returns the PDF's path (empty when none came).
    static std::string print(const SectionSurvey& survey) {
        window::SheetPrint job(survey);
        QSignalSpy finished(&job, &window::SheetPrint::finished);
        if (!finished.wait(20000)) return {};
        const window::PrintResult result =
            finished.first().first().value<window::PrintedSheet>().result;
        EXPECT_TRUE(result.printed()) << result.message.toStdString();
        return waitForPdf();
    }
};

// Two sections at K1+000 and K1+020, three points each, 20 m apart.
SectionSurvey twoSectionSurvey() {
    SectionSurvey survey;
    survey.resize(2);
    survey.setStationAnswer("y");
    survey.setStation(1, 1000);
    survey.setStation(2, 1020);
    survey.setPointCount(1, 3);
    survey.setPointCount(2, 3);
    survey.allocatePoints();
    survey.setPoint(1, 1, 102.35f, -3.5f);
    survey.setPoint(1, 2, 101.8f, 0);
    survey.setPoint(1, 3, 102.1f, 4.25f);
    survey.setPoint(2, 1, 103, -3.5f);
    survey.setPoint(2, 2, 102.5f, 0);
    survey.setPoint(2, 3, 103.2f, 4);
    survey.setSpacing(1, 20);
    survey.setArea(1, 18.375f);
    survey.setArea(2, 18.375f);
    survey.setVolume(1, 367.5f);
    survey.setTotalVolume(367.5f);
    return survey;
}

// Sections of `points` points each, numbered (no stations), point j of
// section i at elevation i and distance j.
SectionSurvey numberedSurvey(int sections, int points) {
    SectionSurvey survey;
    survey.resize(sections);
    survey.setStationAnswer("n");
    for (int i = 1; i <= sections; ++i) survey.setPointCount(i, static_cast<std::int16_t>(points));
    survey.allocatePoints();
    for (int i = 1; i <= sections; ++i) {
        for (int j = 1; j <= points; ++j) survey.setPoint(i, j, double(i), double(j));
    }
    return survey;
}

TEST_F(PrintedSheet, HoldsEveryLineOfATwoSectionSurvey) {
    const std::string pdf = print(twoSectionSurvey());
    ASSERT_FALSE(pdf.empty()) << "no PDF in " << pdfFolder();

    const std::vector<std::string> expected{
        "( 方量计算 )",
        "观测点高程/距离 h(米)/观测点至断面端点距离 d(米):",
        "( K1+000.000断面 ) :",
        "102.350/-3.500 101.800/0.000 102.100/4.250",
        "( K1+020.000断面 ) :",
        "103.000/-3.500 102.500/0.000 103.200/4.000",
        "断面间距(米) :",
        "DL=20.000",
        "断面面积 (平方米) :",
        "K1+000.000断面面积 : S( 1 )=18.375",
        "K1+020.000断面面积 : S( 2 )=18.375",
        "计算后的体积 (立方米) :",
        "第1段体积 : D( 1 )=367.500",
        "总体积 : [ D ]=367.500 (立方米)",
    };
    EXPECT_EQ(pdfLines(pdf), expected);
    EXPECT_EQ(pdfPageCount(pdf), 1);
}

// 40 sections of 7 points take about 170 lines: more than two A4 pages.
TEST_F(PrintedSheet, ContinuesALongSheetOnNewPagesWithoutLosingALine) {
    const std::string pdf = print(numberedSurvey(40, 7));
    ASSERT_FALSE(pdf.empty()) << "no PDF in " << pdfFolder();

    const std::vector<std::string> lines = pdfLines(pdf);
    EXPECT_GE(pdfPageCount(pdf), 3);
    auto line = lines.begin();
    for (int i = 1; i <= 40; ++i) {
        const std::string n = std::to_string(i) + ".000/";
        const std::vector<std::string> block{
            "( 第 " + std::to_string(i) + " 号断面 ) :",
            n + "1.000 " + n + "2.000 " + n + "3.000 " + n + "4.000 " + n + "5.000",
            n + "6.000 " + n + "7.000"};
        line = std::search(line, lines.end(), block.begin(), block.end());
        ASSERT_NE(line, lines.end()) << "section " << i << " is missing or out of order";
    }
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("DL=", 0) == 0; }),
              39);
    EXPECT_EQ(lines.back(), "总体积 : [ D ]=0.000 (立方米)");
}

// Columns are as wide as the average character of the current font: in the
// Song face 5 points at 10 points and 6 points at 12 points.
TEST_F(PrintedSheet, SetsColumnsInCharacterWidthsAndTheTitleLarger) {
    const std::string pdf = print(numberedSurvey(1, 7));
    ASSERT_FALSE(pdf.empty()) << "no PDF in " << pdfFolder();

    const std::vector<Word> words = pdfWords(pdf);
    auto word = [&](const std::string& text) {
        auto found =
            std::find_if(words.begin(), words.end(), [&](const Word& w) { return w.text == text; });
        return found == words.end() ? Word{} : *found;
    };
    const Word title = word("(");  // the first word: "( 方量计算 )" at column 28, 12 points
    const Word legend = word("观测点高程/距离");  // column 22, 10 points
    ASSERT_GT(legend.height, 0);
    EXPECT_NEAR(title.x - legend.x, 27 * 6.0 - 21 * 5.0, 0.5);
    EXPECT_NEAR(word("方量计算").height / legend.height, 12.0 / 10.0, 0.05);
    // Points at columns 12 and 29, the sixth again at column 12 of the next line.
    EXPECT_NEAR(word("1.000/2.000").x - word("1.000/1.000").x, 17 * 5.0, 0.5);
    EXPECT_NEAR(word("1.000/6.000").x, word("1.000/1.000").x, 0.1);
}

// The PDF export is the printed sheet: the same lines on the same pages, for
// stations, numbered sections and a sheet of several pages.
TEST_F(PrintedSheet, ExportsAPdfThatReadsBackAsThePrintedSheetPageByPage) {
    const std::string exported = (fs::temp_directory_path() / "velmorin-export-test.pdf").string();
    for (const SectionSurvey& survey :
         {twoSectionSurvey(), numberedSurvey(2, 3), numberedSurvey(40, 7)}) {
        clearPdfFolder();
        const std::string printed = print(survey);
        ASSERT_FALSE(printed.empty());
        ASSERT_EQ(paper::exportSheetPdf(printout::dayang(survey), QString::fromStdString(exported)),
                  QString());
        EXPECT_EQ(pdfPages(exported), pdfPages(printed));
    }
    EXPECT_EQ(pdfLines(exported).front(), "( 方量计算 )");
    EXPECT_GE(pdfPageCount(exported), 3);
    fs::remove(exported);
}

TEST_F(PrintedSheet, PreviewShowsAsManyPagesAsThePrinterPrints) {
    window::MainWindow mainWindow;
    ASSERT_TRUE(mainWindow.form().showSurvey(numberedSurvey(40, 7)).done());
    int previewPages = 0;
    DialogDriver driver({});
    driver.onOpen([&](QWidget* dialog) {
        if (auto* preview = dialog->findChild<QPrintPreviewWidget*>())
            previewPages = preview->pageCount();
    });
    for (QAction* action : mainWindow.findChildren<QAction*>()) {
        if (action->text().startsWith("打印预览")) action->trigger();
    }
    ASSERT_EQ(driver.log().size(), 1);  // the preview, closed by the driver
    const std::string printed = print((*mainWindow.document().survey().closedOutline()));
    EXPECT_EQ(previewPages, pdfPageCount(printed));
    EXPECT_GE(previewPages, 3);
}

TEST_F(PrintedSheet, MakesOneJobForEachPrint) {
    const SectionSurvey survey = twoSectionSurvey();
    ASSERT_FALSE(print(survey).empty());
    ASSERT_FALSE(print(survey).empty());

    std::vector<std::string> pdfs;
    for (const auto& entry : std::filesystem::directory_iterator(pdfFolder())) {
        if (entry.path().extension() == ".pdf") pdfs.push_back(entry.path());
    }
    ASSERT_EQ(pdfs.size(), 2u);
    EXPECT_EQ(pdfLines(pdfs[0]), pdfLines(pdfs[1]));
}

// A large table goes to the printer as the window sends it, on the paper it
// was laid out on: A3 (the queue turns the page across onto it), not
// shrunk onto the queue's A4.
TEST_F(PrintedSheet, PrintsALargeTableOnA3Across) {
    const printout::QuantityTable table = grouped_table::table();
    QPrinter printer;
    window::setUpForQuantityTable(table, printer);
    window::SheetPrint job(
        [table](const QPageLayout&) { return paper::quantityTableDrawing(table); },
        {QString::fromStdString(testQueue()), printer.pageLayout()});
    QSignalSpy finished(&job, &window::SheetPrint::finished);
    ASSERT_TRUE(finished.wait(20000));
    const std::string pdf = waitForPdf();
    ASSERT_FALSE(pdf.empty()) << "no PDF in " << pdfFolder();
    const std::string info = commandOutput("pdfinfo '" + pdf + "'");
    EXPECT_NE(info.find("842 x 1191 pts (A3)"), std::string::npos) << info;
    EXPECT_EQ(pdfPageCount(pdf), 2);
}

}  // namespace
