// SPDX-License-Identifier: GPL-3.0-or-later
// A print server that takes the connection and never answers: the print
// button returns before the server is heard from and says the print service
// does not answer, so do the print dialog and the preview without opening,
// quitting while the sheet is sent or its job followed ends without a word, a
// followed job ends unknown, and the PDF way out never asks the server. How
// soon each returns is bench/silent_print_bench's concern: here a deadline
// only catches a hang. Each test is a process of its own, pointed at its own
// silent server before anything asks CUPS.

#include "print_silent_server.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "dialog_driver.h"
#include "lone_form.h"
#include "paper/pdf_export.h"
#include "printout/dayang.h"
#include "section/survey.h"
#include "window/main_window.h"
#include "window/printing/job_watch.h"
#include "window/views/main_form.h"

namespace {

using namespace std::chrono_literals;

// Far beyond the few seconds a silent server is waited for.
constexpr int kHang = 30000;

class SilentPrintServer : public testing::Test {
  protected:
    void SetUp() override {
        setenv("CUPS_SERVER", server.address().c_str(), 1);
        setenv("PRINTER", "velmorin-test", 1);
    }

    print_test::SilentServer server;
};

TEST_F(SilentPrintServer, ThePrintButtonAnswersAtOnceAndSaysThePrintServiceDoesNotAnswer) {
    LoneForm form;
    DialogDriver driver({acknowledge()});
    form.findChild<QPushButton*>("Command3")->click();
    // Had the click waited for the server, its message would be answered by now.
    EXPECT_TRUE(driver.log().isEmpty()) << driver.log().join('\n').toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return driver.scriptDone(); }, kHang));
    EXPECT_EQ(driver.log().join('\n').toStdString(),
              "message: 打印服务（CUPS）没有应答，无法打印。请稍后再试，或检查系统的打印服务。");
}

// The print dialog and the preview would ask through Qt's printer, which waits
// without a limit: they are not opened, and the user is told why. The message
// is read for a while before it is answered, as on a busy machine. A
// cut-and-fill survey, which has a 路基设计表 too.
TEST_F(SilentPrintServer, ThePrintDialogAndThePreviewSayThePrintServiceDoesNotAnswer) {
    window::MainWindow window;
    section::CutFillSurvey lines;
    lines.stationAnswer = "Y";
    lines.sections = {{.station = 0, .ground = {{10, -5}, {10, 5}}, .design = {{11, -5}, {11, 5}}},
                      {.station = 20, .ground = {{10, -5}, {10, 5}}}};
    ASSERT_TRUE(
        window.document().replaceSurvey(section::Survey(std::move(lines)), "打开文件", "").done());
    for (const QString& start :
         {QStringLiteral("打印(&P)"), QStringLiteral("打印预览"), QStringLiteral("打印土方数量表"),
          QStringLiteral("土方数量表预览"), QStringLiteral("打印路基设计表"),
          QStringLiteral("路基设计表预览")}) {
        QAction* action = nullptr;
        for (QAction* item : window.menuBar()->actions().first()->menu()->actions())
            if (item->text().startsWith(start)) action = item;
        ASSERT_NE(action, nullptr);
        DialogDriver driver({acknowledge()});
        driver.onOpen([](QWidget*) { QTest::qWait(200); });
        action->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return driver.scriptDone(); }, kHang));
        EXPECT_EQ(
            driver.log().join('\n').toStdString(),
            "message: 打印服务（CUPS）没有应答，无法打印。请稍后再试，或检查系统的打印服务。");
    }
}

// Each is ended while the server holds its question.
TEST_F(SilentPrintServer, QuittingWhileTheSheetIsSentOrItsJobFollowedEndsWithoutAWord) {
    auto form = std::make_unique<LoneForm>();
    DialogDriver driver({});
    form->findChild<QPushButton*>("Command3")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.connections() > 0; }, kHang));
    form.reset();

    const int before = server.connections();
    auto watch = std::make_unique<window::JobWatch>("velmorin-test", 1, 2s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.connections() > before; }, kHang));
    watch.reset();
    QCoreApplication::processEvents();
    EXPECT_TRUE(driver.log().isEmpty()) << driver.log().join('\n').toStdString();
}

TEST_F(SilentPrintServer, AFollowedJobWhoseServerFallsSilentEndsUnknown) {
    window::JobWatch watch("velmorin-test", 1, 60s);
    QSignalSpy ended(&watch, &window::JobWatch::ended);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ended.isEmpty(); }, kHang));
    EXPECT_EQ(ended.first().first().value<window::PrintResult>().outcome,
              window::PrintOutcome::JobServerGone);
}

TEST_F(SilentPrintServer, ThePdfWayOutDoesNotWaitOnTheServer) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("计算书.pdf");
    EXPECT_EQ(paper::exportSheetPdf(printout::dayang(section::SectionSurvey{}), pdf), QString());
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(server.connections(), 0);
}

}  // namespace
