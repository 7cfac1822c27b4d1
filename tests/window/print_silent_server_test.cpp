// SPDX-License-Identifier: GPL-3.0-or-later
// A print server that takes the connection and never answers: the print
// button returns at once and says the print service does not answer within
// seconds, so do the print dialog and the preview without opening, quitting while the sheet is sent
// or its job followed does not wait on the server, a followed job ends unknown, and the PDF way out
// does not wait on it either. Each test is a process of its own, pointed at its own silent server
// before anything asks CUPS.

#include "print_silent_server.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "dialog_driver.h"
#include "printout/dayang.h"
#include "section/survey.h"
#include "window/form/main_form.h"
#include "window/main_window.h"
#include "window/printing/job_watch.h"
#include "window/printing/pdf_export.h"

namespace {

using namespace std::chrono_literals;

class SilentPrintServer : public testing::Test {
  protected:
    void SetUp() override {
        setenv("CUPS_SERVER", server.address().c_str(), 1);
        setenv("PRINTER", "velmorin-test", 1);
    }

    print_test::SilentServer server;
};

TEST_F(SilentPrintServer, ThePrintButtonAnswersAtOnceAndSaysThePrintServiceDoesNotAnswer) {
    window::MainForm form;
    DialogDriver driver({acknowledge()});
    QElapsedTimer clock;
    clock.start();
    form.findChild<QPushButton*>("Command3")->click();
    EXPECT_LT(clock.elapsed(), 1500);
    ASSERT_TRUE(QTest::qWaitFor([&] { return driver.scriptDone(); }, 15000));
    EXPECT_LT(clock.elapsed(), 8000);
    EXPECT_EQ(driver.log().join('\n').toStdString(),
              "message: 打印服务（CUPS）没有应答，无法打印。请稍后再试，或检查系统的打印服务。");
}

// The print dialog and the preview would ask through Qt's printer, which waits
// without a limit: they are not opened, and the user is told why.
TEST_F(SilentPrintServer, ThePrintDialogAndThePreviewSayThePrintServiceDoesNotAnswer) {
    window::MainWindow window;
    for (const QString& start :
         {QStringLiteral("打印(&P)"), QStringLiteral("打印预览"), QStringLiteral("打印土方数量表"),
          QStringLiteral("土方数量表预览")}) {
        QAction* action = nullptr;
        for (QAction* item : window.menuBar()->actions().first()->menu()->actions())
            if (item->text().startsWith(start)) action = item;
        ASSERT_NE(action, nullptr);
        DialogDriver driver({acknowledge()});
        QElapsedTimer clock;
        clock.start();
        action->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return driver.scriptDone(); }, 15000));
        EXPECT_LT(clock.elapsed(), 8000);
        EXPECT_EQ(
            driver.log().join('\n').toStdString(),
            "message: 打印服务（CUPS）没有应答，无法打印。请稍后再试，或检查系统的打印服务。");
    }
}

TEST_F(SilentPrintServer, QuittingWhileTheSheetIsSentOrItsJobFollowedIsPrompt) {
    auto form = std::make_unique<window::MainForm>();
    DialogDriver driver({});
    form->findChild<QPushButton*>("Command3")->click();
    QTest::qWait(500);  // the sheet's printer being asked
    QElapsedTimer clock;
    clock.start();
    form.reset();
    EXPECT_LT(clock.elapsed(), 1000);

    auto watch = std::make_unique<window::JobWatch>("velmorin-test", 1, 2s);
    QTest::qWait(500);  // the job's state being asked
    clock.restart();
    watch.reset();
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(driver.log().isEmpty()) << driver.log().join('\n').toStdString();
}

TEST_F(SilentPrintServer, AFollowedJobWhoseServerFallsSilentEndsUnknown) {
    window::JobWatch watch("velmorin-test", 1, 60s);
    QSignalSpy ended(&watch, &window::JobWatch::ended);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ended.isEmpty(); }, 30000));
    EXPECT_EQ(ended.first().first().value<window::PrintResult>().outcome,
              window::PrintOutcome::JobServerGone);
}

TEST_F(SilentPrintServer, ThePdfWayOutDoesNotWaitOnTheServer) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("计算书.pdf");
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(window::exportSheetPdf(printout::dayang(section::SectionSurvey{}), pdf), QString());
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(QFile::exists(pdf));
}

}  // namespace
