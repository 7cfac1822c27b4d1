// SPDX-License-Identifier: GPL-3.0-or-later
// When the sheet cannot be printed, printSheet says why in Chinese and leaves
// no job behind. libcups keeps its server and default printer per process, so
// each test runs in a process of its own (one CTest test each) and sets up its
// scenario in the environment before anything asks CUPS.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QString>
#include <csignal>
#include <cstdlib>
#include <string>

#include "print_pdf.h"
#include "section/survey.h"
#include "window/printing/sheet_printer.h"

namespace {

using namespace print_test;

constexpr const char* kOutsideTest =
    "the test printers are not set up: run through ./test, which sets them up";

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The empty survey's sheet: the messages do not depend on what is printed.
std::string printEmptySheet() {
    return window::printSheet(section::SectionSurvey{}).result.message.toStdString();
}

TEST(PrintRefusal, SaysThePrintServiceIsUnreachableWhenCupsDoesNotAnswer) {
    setenv("CUPS_SERVER", "/nonexistent/cups.sock", 1);
    EXPECT_EQ(printEmptySheet(),
              "无法连接打印服务（CUPS），无法打印。请确认系统的打印服务已经启动。");
}

TEST(PrintRefusal, NamesAPrinterAskedForThatDoesNotExist) {
    if (testQueue().empty()) GTEST_SKIP() << kOutsideTest;
    setenv("PRINTER", "NoSuchQueue", 1);
    EXPECT_EQ(printEmptySheet(),
              "没有名为“NoSuchQueue”的打印机，无法打印。请检查环境变量 PRINTER（或 "
              "LPDEST）中的打印机名称，"
              "或在系统中设置默认打印机。");
}

TEST(PrintRefusal, SaysNoDefaultPrinterIsSetWhenNoneIsAskedForOrSet) {
    if (testQueue().empty()) GTEST_SKIP() << kOutsideTest;
    unsetenv("PRINTER");
    unsetenv("LPDEST");
    if (std::system("lpstat -d 2>/dev/null | grep -q 'system default destination:'") == 0)
        GTEST_SKIP() << "this machine has a default printer of its own";
    EXPECT_EQ(printEmptySheet(),
              "没有设置默认打印机，无法打印。请先在系统中添加打印机并设为默认。");
}

// A full disk: every write past a few kilobytes fails (here by the file size
// limit; the signal it raises ignored, the write fails with EFBIG). The torn
// PDF is not sent, and the message names the file and the reason.
TEST(PrintRefusal, SendsNoTornSheetWhenItsFileCannotBeWrittenWhole) {
    if (testQueue().empty()) GTEST_SKIP() << kOutsideTest;
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{4096, 4096};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    clearPdfFolder();
    const std::string message = printEmptySheet();
    EXPECT_EQ(message.rfind("无法写入文件“", 0), 0u) << message;
    EXPECT_NE(message.find("velmorin-"), std::string::npos) << message;
    const std::string end = "。计算书没有送到打印机“" + testQueue() +
                            "”。请在临时文件夹所在的磁盘上腾出空间后再打印，或把计算书导出为 PDF。";
    ASSERT_GT(message.size(), end.size());
    EXPECT_EQ(message.substr(message.size() - end.size()), end);
    EXPECT_EQ(queuedJobs(testQueue()), "");
}

struct RefusalRow {
    const char* name;
    const char* queueVariable;  // names the test queue in the environment
    std::string before;         // the message is before + “queue” + after
    std::string after;
};

// The row's name stands for it in test names and messages.
void PrintTo(const RefusalRow& row, std::ostream* out) {
    *out << row.name;
}

class RefusingQueue : public testing::TestWithParam<RefusalRow> {};

TEST_P(RefusingQueue, SaysWhatIsWrongWithTheDefaultPrinterAndLeavesNoJobWaiting) {
    const RefusalRow& row = GetParam();
    const std::string queue = environment(row.queueVariable);
    if (queue.empty()) GTEST_SKIP() << kOutsideTest;
    setenv("PRINTER", queue.c_str(), 1);

    EXPECT_EQ(printEmptySheet(), row.before + "“" + queue + "”" + row.after);
    EXPECT_EQ(queuedJobs(queue), "");
}

INSTANTIATE_TEST_SUITE_P(
    , RefusingQueue,
    testing::Values(RefusalRow{"not_accepting_jobs", "VELMORIN_TEST_REJECTING_PRINTER",
                               "默认打印机",
                               "目前不接受打印任务，无法打印。"
                               "请在系统的打印机设置中让它接受任务后再打印。"},
                    RefusalRow{"stopped", "VELMORIN_TEST_STOPPED_PRINTER", "默认打印机",
                               "已停止，无法打印。请在系统的打印机设置中恢复它后再打印。"}),
    [](const testing::TestParamInfo<RefusalRow>& info) { return info.param.name; });

}  // namespace
