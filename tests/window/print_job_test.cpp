// SPDX-License-Identifier: GPL-3.0-or-later
// Print jobs followed by the id CUPS gives them, never by guessing: a job is
// told printed only when CUPS says so (a server that forgets finished jobs at
// once leaves it unknown, as does a deleted queue or a scheduler gone), other
// programs' jobs on the queue are never taken for ours, a job waiting in its
// queue is said in the status bar without freezing the window, and a failed
// or stuck job is told when it is learned. Uses the test queues and the private scheduler
// without job history of tools/setup-test-printer; each test is a process.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <string>

#include "dialog_driver.h"
#include "lone_form.h"
#include "print_pdf.h"
#include "section/survey.h"
#include "window/printing/job_watch.h"
#include "window/printing/sheet_printer.h"
#include "window/views/main_form.h"

namespace {

using namespace std::chrono_literals;

// Far beyond what the queues take: a deadline that only catches a hang.
constexpr int kHang = 30000;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

class PrintJob : public testing::Test {
  protected:
    void SetUp() override {
        server = environment("VELMORIN_TEST_PRIVATE_CUPS");
        held = environment("VELMORIN_TEST_HELD_PRINTER");
        if (server.empty() || held.empty())
            GTEST_SKIP() << "run through ./test, which sets up the test printers";
    }

    void TearDown() override {
        if (!held.empty()) std::system(("cancel -a " + held + " 2>/dev/null").c_str());
        if (const std::string jamming = environment("VELMORIN_TEST_JAMMING_PRINTER");
            !jamming.empty())
            std::system(("cancel -a " + jamming + "; cupsenable " + jamming).c_str());
    }

    // Another program's job on the held queue, by `lp`; its id.
    int otherJob() const {
        const std::string out =
            print_test::commandOutput("echo other | lp -d " + held + " 2>/dev/null");
        const std::size_t dash = out.rfind('-', out.find(" ("));
        return std::atoi(out.c_str() + dash + 1);
    }

    // The empty survey's sheet printed on `queue` as the default printer, and
    // its job followed; null (the test failed) when it was not handed over.
    static std::unique_ptr<window::JobWatch> printAndWatch(const std::string& queue) {
        setenv("PRINTER", queue.c_str(), 1);
        const window::PrintedSheet printed = window::printSheet(section::SectionSurvey{});
        if (!printed.result.printed() || printed.job == 0) {
            ADD_FAILURE() << printed.result.message.toStdString();
            return nullptr;
        }
        return std::make_unique<window::JobWatch>(printed.printer, printed.job, 10s);
    }

    static void cancelJob(int id) { std::system(("cancel " + std::to_string(id)).c_str()); }

    std::string server;  // the private scheduler, without job history
    std::string held;
};

window::PrintOutcome outcomeOf(const QSignalSpy& ended) {
    return ended.first().first().value<window::PrintResult>().outcome;
}

window::PrintResult resultOf(const QSignalSpy& ended) {
    return ended.first().first().value<window::PrintResult>();
}

// Such a server keeps no word of a finished job: the sheet may well be printed,
// but nothing confirms it, and nothing says it failed.
TEST_F(PrintJob, ClaimsNothingWhenTheServerForgetsFinishedJobsAtOnce) {
    setenv("CUPS_SERVER", server.c_str(), 1);
    setenv("PRINTER", "velmorin-fast", 1);
    for (int k = 0; k < 3; ++k) {
        const window::PrintedSheet printed = window::printSheet(section::SectionSurvey{});
        ASSERT_TRUE(printed.result.printed()) << printed.result.message.toStdString();
        ASSERT_GT(printed.job, 0);
        window::JobWatch watch(printed.printer, printed.job, 2s);
        QSignalSpy ended(&watch, &window::JobWatch::ended);
        ASSERT_TRUE(ended.wait(kHang));
        EXPECT_EQ(outcomeOf(ended), window::PrintOutcome::JobForgotten);
    }
}

// Held jobs of another program before and after ours; the later one cancelled:
// ours still waits (the watch, begun after the cancel and without patience,
// says so at its first look), and only its own end is told.
TEST_F(PrintJob, FollowsOnlyItsOwnJobAmongOtherProgramsJobs) {
    setenv("PRINTER", held.c_str(), 1);
    const int before = otherJob();
    const window::PrintedSheet printed = window::printSheet(section::SectionSurvey{});
    ASSERT_TRUE(printed.result.printed()) << printed.result.message.toStdString();
    const int after = otherJob();
    ASSERT_LT(before, printed.job);
    ASSERT_LT(printed.job, after);

    cancelJob(after);
    window::JobWatch watch(printed.printer, printed.job, 0ms);
    QSignalSpy waiting(&watch, &window::JobWatch::stillWaiting);
    QSignalSpy ended(&watch, &window::JobWatch::ended);
    EXPECT_TRUE(waiting.wait(kHang));
    EXPECT_TRUE(ended.isEmpty());
    cancelJob(printed.job);
    ASSERT_TRUE(ended.wait(kHang));
    EXPECT_EQ(outcomeOf(ended), window::PrintOutcome::JobFailed);
}

TEST_F(PrintJob, AQueuedJobIsSaidInTheStatusBarWithoutFreezingTheWindow) {
    setenv("PRINTER", held.c_str(), 1);
    LoneForm form;
    form.printing().setJobPatience(300ms);
    QSignalSpy status(&form.printing(), &window::Printing::statusMessage);
    DialogDriver driver({});
    form.findChild<QPushButton*>("Command3")->click();
    // The click returns while the job is being sent: nothing is said yet.
    EXPECT_TRUE(status.isEmpty());
    ASSERT_TRUE(status.wait(kHang));
    EXPECT_EQ(status.first().first().toString().toStdString(),
              "计算书已送到打印机“" + held + "”，正在排队等候打印。");
    EXPECT_TRUE(driver.log().isEmpty()) << driver.log().join('\n').toStdString();
}

TEST_F(PrintJob, AJobTheQueueAbortsIsToldWhenLearnedWithAWayToPdf) {
    const std::string failing = environment("VELMORIN_TEST_FAILING_PRINTER");
    setenv("PRINTER", failing.c_str(), 1);
    LoneForm form;
    QSignalSpy export_(&form.printing(), &window::Printing::exportRequested);
    DialogDriver driver({press("导出为 PDF…")});
    form.findChild<QPushButton*>("Command3")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return driver.scriptDone(); }, kHang));
    EXPECT_EQ(
        driver.log().first().toStdString(),
        "message: 默认打印机“" + failing +
            "”没有完成打印任务（任务已中止或被取消），计算书没有打印出来。请检查打印机后再打印。");
    EXPECT_EQ(export_.size(), 1);
}

// The queue's device fails and the queue stops, as CUPS does by default: the
// job would wait for ever. It is told stuck with the printer's own words.
TEST_F(PrintJob, AJobOnAQueueThatStopsIsToldStuckWithThePrintersWords) {
    const std::string jamming = environment("VELMORIN_TEST_JAMMING_PRINTER");
    const auto watch = printAndWatch(jamming);
    ASSERT_TRUE(watch);
    QSignalSpy ended(watch.get(), &window::JobWatch::ended);
    ASSERT_TRUE(ended.wait(kHang));
    EXPECT_EQ(resultOf(ended).message.toStdString(),
              "默认打印机“" + jamming +
                  "”已停止（paper jam），计算书还在队列中，没有打印出来。"
                  "请排除打印机的故障后在系统的打印机设置中恢复它，或取消这个任务后导出为 PDF。");
}

// Deleting a queue deletes its jobs and their history: nothing is confirmed.
TEST_F(PrintJob, AJobWhoseQueueIsDeletedIsToldUnknownNeverPrinted) {
    const std::string doomed = "velmorin-test-doomed";
    ASSERT_EQ(std::system(("lpadmin -p " + doomed + " -E -v velmorin-jam:/ -m raw " +
                           "-o job-hold-until-default=indefinite 2>/dev/null")
                              .c_str()),
              0);
    const auto watch = printAndWatch(doomed);
    ASSERT_TRUE(watch);
    QSignalSpy ended(watch.get(), &window::JobWatch::ended);
    EXPECT_FALSE(ended.wait(500));  // held
    std::system(("lpadmin -x " + doomed).c_str());
    ASSERT_TRUE(ended.wait(kHang));
    EXPECT_EQ(resultOf(ended).message.toStdString(),
              "无法确认计算书是否已打印：打印机“" + doomed +
                  "”已从系统中删除，它的打印任务也随之删除。"
                  "请查看打印机是否已打出计算书，需要时可导出为 PDF。");
}

// A scheduler that has gone away (died, or stopped) may come back with the
// job; one that stays away leaves it unknown, after a grace of some seconds.
TEST_F(PrintJob, AJobWhoseSchedulerStaysAwayIsToldUnknown) {
    setenv("CUPS_SERVER", "/nonexistent/cups.sock", 1);
    window::JobWatch watch("velmorin-test", 1, 60s);
    QSignalSpy ended(&watch, &window::JobWatch::ended);
    EXPECT_FALSE(ended.wait(5000));  // within the grace: nothing may be said
    ASSERT_TRUE(ended.wait(kHang));
    EXPECT_EQ(outcomeOf(ended), window::PrintOutcome::JobServerGone);
}

}  // namespace
