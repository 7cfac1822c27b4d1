// SPDX-License-Identifier: GPL-3.0-or-later
// A printer chosen in the print dialog prints as the 打 印 button does: the
// job followed until CUPS says it has printed, and said in the status bar;
// only the pages asked for go to the printer, keeping their numbers; the
// printer chosen is proposed again next time. Uses the test queue of
// tools/setup-test-printer.

#include <gtest/gtest.h>

#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "menu_action.h"
#include "paper/pdf_export.h"
#include "print_pdf.h"
#include "printout/dayang.h"
#include "section/calculation.h"
#include "section/survey.h"
#include "window/main_window.h"
#include "window/printing/sheet_printer.h"
#include "window/views/main_form.h"

namespace {

class PrintDialog : public testing::Test {
  protected:
    void SetUp() override {
        queue = print_test::testQueue();
        if (queue.empty()) GTEST_SKIP() << "run through ./test, which sets up the test printers";
        print_test::clearPdfFolder();
    }
    std::string queue;
};

// `sections` sections of three points without stations: a sheet of several pages.
section::SectionSurvey longSurvey(int sections) {
    section::SectionSurvey survey;
    survey.resize(sections);
    survey.setStationAnswer("n");
    for (int i = 1; i <= sections; ++i) survey.setPointCount(i, 3);
    survey.allocatePoints();
    for (int i = 1; i <= sections; ++i) {
        survey.setPoint(i, 1, 10.0 + i % 5, 0.0);
        survey.setPoint(i, 2, 12.0, 4.0);
        survey.setPoint(i, 3, 8.0, 2.5);
        if (i < sections) survey.setSpacing(i, 20.0);
    }
    EXPECT_TRUE(section::calculateSurvey(survey));
    return survey;
}

TEST_F(PrintDialog, TheChosenPrinterIsFollowedAsTheButtonDoesAndProposedAgain) {
    QSettings().remove("printing/chosenPrinter");
    window::MainWindow mainWindow;
    QSignalSpy status(&mainWindow.printing(), &window::Printing::statusMessage);
    {
        DialogDriver driver({acceptDialog()});
        menuAction(mainWindow, QStringLiteral("打印(&P)"))->trigger();
        ASSERT_TRUE(driver.scriptDone()) << driver.log().join(u'\n').toStdString();
    }
    const QString printed = QStringLiteral("计算书已在打印机“%1”上打印。").arg(queue.c_str());
    // Generous: only a hang fails here.
    for (int k = 0; k < 60 && !(status.size() && status.last().first() == printed); ++k)
        status.wait(1000);
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last().first().toString(), printed);
    EXPECT_FALSE(print_test::waitForPdf().empty());
    EXPECT_EQ(QSettings().value("printing/chosenPrinter").toString().toStdString(), queue);

    // Another printer chosen last time is the one the dialog opens on.
    const char* held = std::getenv("VELMORIN_TEST_HELD_PRINTER");
    ASSERT_TRUE(held);
    QSettings().setValue("printing/chosenPrinter", held);
    QString offered;
    DialogDriver looking({});  // the dialog is closed unanswered
    looking.onOpen([&](QWidget* dialog) {
        if (auto* print = qobject_cast<QPrintDialog*>(dialog))
            offered = print->printer()->printerName();
    });
    menuAction(mainWindow, QStringLiteral("打印(&P)"))->trigger();
    EXPECT_EQ(offered.toStdString(), held);
}

TEST_F(PrintDialog, OnlyThePagesAskedForArePrintedWithTheirNumbers) {
    const printout::Sheet sheet = printout::dayang(longSurvey(120));
    QTemporaryDir folder;
    const QString whole = folder.filePath("whole.pdf");
    ASSERT_EQ(paper::exportSheetPdf(sheet, whole), QString());
    const std::vector<std::vector<std::string>> pages = print_test::pdfPages(whole.toStdString());
    ASSERT_GE(pages.size(), 3u);
    const window::PrintedSheet printed = window::printOn(
        [&sheet](const QPageLayout& page) { return paper::sheetDrawing(sheet, page); },
        {QString::fromStdString(queue), paper::pdfPageLayout(), {2, 2}, 1});
    ASSERT_TRUE(printed.result.printed()) << printed.result.message.toStdString();
    const std::string pdf = print_test::waitForPdf();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(print_test::pdfPageCount(pdf), 1);
    EXPECT_EQ(print_test::pdfPages(pdf).front(), pages[1]);
}

}  // namespace
