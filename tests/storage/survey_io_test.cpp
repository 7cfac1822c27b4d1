// SPDX-License-Identifier: GPL-3.0-or-later
// Survey files that are not what they seem, read without a window: a FIFO or
// a folder is refused at once, a file under /proc is read to its end, a file
// rewritten while it is read never ends the program and is said to have
// changed, the system's reasons come in Chinese, and text that would be
// misread names its line.

#include "storage/survey_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "counting_survey.h"
#include "qstring_print.h"

namespace {

// openSurvey with a time limit, so that a hang fails the test.
storage::OpenedSurvey readWithin(const QString& path, int seconds) {
    std::packaged_task<storage::OpenedSurvey()> task([path] { return storage::openSurvey(path); });
    std::future<storage::OpenedSurvey> result = task.get_future();
    std::thread(std::move(task)).detach();
    if (result.wait_for(std::chrono::seconds(seconds)) != std::future_status::ready)
        return {std::nullopt, QStringLiteral("hung")};
    return result.get();
}

struct Row {
    const char* name;  // of the case, in a failure
    QString file;
    QString reason;
};

struct BytesRow {
    const char* name;
    QByteArray bytes;
    QString reason;
};

class SurveyIo : public testing::Test {
  protected:
    QTemporaryDir folder;
    QString file(const QString& name) const { return folder.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile out(file(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
};

TEST_F(SurveyIo, non_regular_files_are_refused_at_once) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(file("pipe.csv")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(folder.path()).mkpath("folder.csv"));
    const Row rows[] = {
        {"fifo without a writer", "pipe.csv",
         "这是一个管道（FIFO），不是普通文件：请先把数据保存为文件再打开"},
        {"folder", "folder.csv", "这是一个文件夹，不是文件"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const storage::OpenedSurvey opened = readWithin(file(row.file), 30);
        EXPECT_FALSE(opened.survey);
        EXPECT_EQ(opened.error, "无法打开文件“" + file(row.file) + "”：" + row.reason + "。");
    }
}

// Such files give their size as 0.
TEST(SurveyIoSystemFiles, a_file_under_proc_is_read_to_its_end) {
    const storage::OpenedSurvey opened = storage::openSurvey("/proc/self/status");
    EXPECT_FALSE(opened.survey);
    EXPECT_TRUE(opened.error.contains("第 1 行第 1 列“Name:”不是有效的表头"))
        << opened.error.toStdString();
}

// A spreadsheet saving over the file: cut short, then written again. A mapped
// file would end the program with SIGBUS here.
TEST_F(SurveyIo, a_file_rewritten_while_read_never_crashes_and_is_said_changed) {
    const QByteArray full = countingSurvey(300000);
    const qsizetype cut = countingSurvey(1000).size();
    write("saving.csv", full);
    std::atomic<bool> stop = false;
    std::thread spreadsheet([&] {
        const int fd = ::open(QFile::encodeName(file("saving.csv")).constData(), O_WRONLY);
        while (!stop) {
            if (::ftruncate(fd, cut) != 0 || ::pwrite(fd, full.data(), full.size(), 0) < 0) break;
        }
        ::close(fd);
    });
    int changed = 0, read = 0, other = 0;
    QElapsedTimer clock;
    clock.start();
    for (int k = 0; (k < 30 || changed == 0) && clock.elapsed() < 20000; ++k) {
        const storage::OpenedSurvey opened = readWithin(file("saving.csv"), 30);
        if (opened.survey) {
            ASSERT_TRUE(opened.survey->closedOutline());
            EXPECT_TRUE(isCountingPrefix(*opened.survey->closedOutline()));
            ++read;
        } else if (opened.error.contains("文件在读取时被改动")) {
            ++changed;
        } else {
            // Caught between two writes, the file really was cut there.
            EXPECT_TRUE(opened.error.startsWith("测量数据文件“")) << opened.error.toStdString();
            ++other;
        }
    }
    stop = true;
    spreadsheet.join();
    EXPECT_GT(changed, 0) << "read " << read << ", cut between writes " << other;
}

TEST_F(SurveyIo, reasons_from_the_system_are_in_chinese) {
    write("plain.csv", "桩号,H,S\n");
    QFile::link(file("loop.csv"), file("loop.csv"));
    const Row rows[] = {
        {"missing", "missing.csv", "文件不存在"},
        {"under a file", "plain.csv/x.csv", "文件不存在"},
        {"link to itself", "loop.csv", "符号链接的层数太多（也许链接指向了自己）"},
        {"name too long", QString(300, u'长') + ".csv", "文件名或路径太长"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const storage::OpenedSurvey opened = storage::openSurvey(file(row.file));
        EXPECT_EQ(opened.error, "无法打开文件“" + file(row.file) + "”：" + row.reason + "。");
    }
}

// Text that would read as nonsense is named by its line: one line in another
// encoding than the rest, line ends that are a lone CR.
TEST_F(SurveyIo, text_the_reader_would_misread_names_its_line) {
    const QString otherEncoding =
        "，而文件的其余部分是 UTF-8：一个文件只能用一种编码，请在文本编辑器中把这一行改为 "
        "UTF-8（例如重新输入这一行）后再打开";
    const BytesRow rows[] = {
        {"one line in GBK", QByteArray("桩号,高程H,距离S\n1000,1,0\n\xB6\xCF\xC3\xE6,1,0\n"),
         "第 3 行不是 UTF-8 编码，像是 GBK 编码" + otherEncoding},
        {"utf8 by its mark, broken inside", QByteArray("\xEF\xBB\xBF桩号,H,S\n1000,\xE6\x96,2\n"),
         "第 2 行不是 UTF-8 编码，像是 GBK 编码" + otherEncoding},
        {"CR line ends", QByteArray("桩号,高程H,距离S\r1000,1,0\r1000,2,0\r"),
         "第 1 行的行尾是单独的回车符（CR，旧版 Mac 文本的行尾），本程序读 CRLF 或 LF "
         "行尾：请在文本编辑器中把行尾改为 Windows（CRLF）或 Unix（LF）格式后再打开"},
    };
    for (const BytesRow& row : rows) {
        SCOPED_TRACE(row.name);
        write("misread.csv", row.bytes);
        const storage::OpenedSurvey opened = storage::openSurvey(file("misread.csv"));
        EXPECT_FALSE(opened.survey);
        EXPECT_EQ(opened.error,
                  "测量数据文件“" + file("misread.csv") + "”有误，没有打开：" + row.reason + "。");
    }
}

// Text that reads as none of the formats is told as what its name says.
TEST_F(SurveyIo, a_broken_file_is_told_as_what_its_name_says) {
    const Row rows[] = {
        {"hdm", "broken.hdm", "里程文件“%1”有误，没有打开：第 1 行"},
        {"xml", "broken.xml", "测量数据文件“%1”有误，没有打开：第 2 行：XML 格式有误"},
        {"csv", "broken.csv", "测量数据文件“%1”有误，没有打开：第 1 行"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        write(row.file, "1,2\n");
        const storage::OpenedSurvey opened = storage::openSurvey(file(row.file));
        EXPECT_FALSE(opened.survey);
        EXPECT_TRUE(opened.error.startsWith(row.reason.arg(file(row.file))))
            << opened.error.toStdString();
    }
}

// Each kind saved in the format its name chooses opens again the same, in that format.
TEST_F(SurveyIo, a_saved_survey_opens_again_in_the_format_its_name_chose) {
    using document::FileFormat;
    write("closed.csv", "工程名称,新路\n桩号,高程H,距离S\n1000,50,2\n1000,51,0\n");
    write("lines.csv", "桩号,线,高程H,距离S\n1000,地面线,1,-5\n1000,设计线,2,-5\n");
    const struct {
        const char* name;
        QString from, to;
        FileFormat format;
    } rows[] = {
        {"closed outline under .hdm stays CSV", "closed.csv", "closed.hdm", FileFormat::SurveyCsv},
        {"cut and fill as a 里程文件", "lines.csv", "lines.hdm", FileFormat::Hdm},
        {"cut and fill as CSV", "lines.csv", "lines.txt", FileFormat::SurveyCsv},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const storage::OpenedSurvey from = storage::openSurvey(file(row.from));
        ASSERT_TRUE(from.survey) << from.error.toStdString();
        const FileFormat format = storage::formatToSave(*from.survey, file(row.to));
        EXPECT_EQ(format, row.format);
        EXPECT_EQ(storage::saveSurvey(file(row.to), *from.survey, format, from.project), QString());
        const storage::OpenedSurvey back = storage::openSurvey(file(row.to));
        ASSERT_TRUE(back.survey) << back.error.toStdString();
        EXPECT_EQ(*back.survey, *from.survey);
        EXPECT_EQ(back.format, row.format);
        // A 里程文件 has no room for 工程信息.
        if (format == FileFormat::SurveyCsv) {
            EXPECT_EQ(back.project, from.project);
        }
    }
}

TEST_F(SurveyIo, a_survey_a_hdm_cannot_hold_is_refused_and_nothing_is_written) {
    write("numbered.csv", "断面,线,高程H,距离S,间距DL\n1,地面线,1,-5,20\n2,地面线,1,-5,\n");
    const storage::OpenedSurvey opened = storage::openSurvey(file("numbered.csv"));
    ASSERT_TRUE(opened.survey) << opened.error.toStdString();
    EXPECT_EQ(storage::saveSurvey(file("numbered.hdm"), *opened.survey, document::FileFormat::Hdm),
              "没有保存“" + file("numbered.hdm") +
                  "”：里程文件按桩号记录断面，这个测量数据没有输入桩号：请保存为 CSV 文件。");
    EXPECT_FALSE(QFile::exists(file("numbered.hdm")));
}

// A UTF-8 survey CSV, with or without a byte-order mark, and one in GBK read
// to the same survey.
TEST_F(SurveyIo, a_survey_reads_the_same_in_utf8_with_or_without_a_mark_and_in_gbk) {
    const QString text = QStringLiteral(
        "桩号,高程H,距离S\r\n1000,1,0\r\n1000,2,1\r\n1000,1,2\r\n1020,1,0\r\n1020,3,1\r\n1020,1,"
        "2\r\n");
    QStringEncoder gbk("GB18030");
    write("utf8.csv", text.toUtf8());
    write("marked.csv", "\xEF\xBB\xBF" + text.toUtf8());
    write("gbk.csv", gbk(text));
    const storage::OpenedSurvey utf8 = storage::openSurvey(file("utf8.csv"));
    ASSERT_TRUE(utf8.survey) << utf8.error.toStdString();
    for (const char* name : {"marked.csv", "gbk.csv"}) {
        const storage::OpenedSurvey other = storage::openSurvey(file(name));
        ASSERT_TRUE(other.survey) << name << other.error.toStdString();
        EXPECT_EQ(*other.survey, *utf8.survey) << name;
    }
}

}  // namespace
