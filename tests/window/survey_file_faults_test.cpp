// SPDX-License-Identifier: GPL-3.0-or-later
// Survey files that are not what they seem: a FIFO or a folder is refused at
// once, a file under /proc is read to its end, a file rewritten while it is
// read never ends the program and is said to have changed, a workbook or
// other binary is named for what it is, the system's reasons come in Chinese,
// and running out of memory keeps the window and the survey on screen.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <future>
#include <thread>

#include "dialog_driver.h"
#include "storage/survey_io.h"
#include "survey_file/survey_file.h"
#include "window/form/main_form.h"
#include "window/main_window.h"
#include "window/platform/application.h"

namespace {

constexpr int kPointsPerSection = 10;

// Points whose elevations count 1, 2, 3 ... in file order, ten to a section:
// any survey read from a prefix of it keeps that count unbroken.
QByteArray countingSurvey(int points) {
    QByteArray text = "桩号,高程H,距离S\n";
    for (int k = 1; k <= points; ++k)
        text += QByteArray::number(1000 + 20 * ((k - 1) / kPointsPerSection)) + ',' +
                QByteArray::number(k) + ",0\n";
    return text;
}

bool isCountingPrefix(const section::SectionSurvey& survey) {
    int expected = 1;
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        for (int j = 1; j <= survey.pointCounts(i); ++j) {
            if (survey.elevations(i, j) != float(expected++)) return false;
        }
    }
    return true;
}

// readAnySurveyFile with a time limit, so that a hang fails the test.
storage::OpenedSurvey readWithin(const QString& path, int seconds) {
    std::packaged_task<storage::OpenedSurvey()> task(
        [path] { return storage::readAnySurveyFile(path); });
    std::future<storage::OpenedSurvey> result = task.get_future();
    std::thread(std::move(task)).detach();
    if (result.wait_for(std::chrono::seconds(seconds)) != std::future_status::ready)
        return {std::nullopt, QStringLiteral("hung")};
    return result.get();
}

}  // namespace

class SurveyFileFaultsTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString file(const QString& name) const { return folder.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile out(file(name));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }

    void non_regular_files_are_refused_at_once_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("fifo without a writer")
            << "pipe.csv"
            << "这是一个管道（FIFO），不是普通文件：请先把数据保存为文件再打开";
        QTest::newRow("folder") << "folder.csv"
                                << "这是一个文件夹，不是文件";
    }

    void non_regular_files_are_refused_at_once() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QVERIFY(::mkfifo(QFile::encodeName(file("pipe.csv")).constData(), 0600) == 0 ||
                errno == EEXIST);
        QVERIFY(QDir(folder.path()).mkpath("folder.csv"));
        const storage::OpenedSurvey opened = readWithin(file(name), 30);
        QVERIFY(!opened.survey);
        QCOMPARE(opened.error, "无法打开文件“" + file(name) + "”：" + reason + "。");
    }

    // Such files give their size as 0.
    void a_file_under_proc_is_read_to_its_end() {
        const storage::OpenedSurvey opened = storage::readAnySurveyFile("/proc/self/status");
        QVERIFY(!opened.survey);
        QVERIFY2(opened.error.contains("第 1 行第 1 列“Name:”不是有效的表头"),
                 qPrintable(opened.error));
    }

    // A spreadsheet saving over the file: cut short, then written again. A
    // mapped file would end the program with SIGBUS here.
    void a_file_rewritten_while_read_never_crashes_and_is_said_changed() {
        const QByteArray full = countingSurvey(300000);
        const qsizetype cut = countingSurvey(1000).size();
        write("saving.csv", full);
        std::atomic<bool> stop = false;
        std::thread spreadsheet([&] {
            const int fd = ::open(QFile::encodeName(file("saving.csv")).constData(), O_WRONLY);
            while (!stop) {
                if (::ftruncate(fd, cut) != 0 || ::pwrite(fd, full.data(), full.size(), 0) < 0)
                    break;
            }
            ::close(fd);
        });
        int changed = 0, read = 0, other = 0;
        QElapsedTimer clock;
        clock.start();
        for (int k = 0; (k < 30 || changed == 0) && clock.elapsed() < 20000; ++k) {
            const storage::OpenedSurvey opened = readWithin(file("saving.csv"), 30);
            if (opened.survey) {
                QVERIFY(isCountingPrefix(*opened.survey));
                ++read;
            } else if (opened.error.contains("文件在读取时被改动")) {
                ++changed;
            } else {
                // Caught between two writes, the file really was cut there.
                QVERIFY2(opened.error.startsWith("测量数据文件“"), qPrintable(opened.error));
                ++other;
            }
        }
        stop = true;
        spreadsheet.join();
        qInfo("read %d, changed %d, cut between writes %d", read, changed, other);
        QVERIFY(changed > 0);
    }

    void reasons_from_the_system_are_in_chinese_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing.csv"
                                 << "文件不存在";
        QTest::newRow("under a file") << "plain.csv/x.csv"
                                      << "文件不存在";
        QTest::newRow("link to itself") << "loop.csv"
                                        << "符号链接的层数太多（也许链接指向了自己）";
        QTest::newRow("name too long") << QString(300, u'长') + ".csv"
                                       << "文件名或路径太长";
    }

    void reasons_from_the_system_are_in_chinese() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        write("plain.csv", "桩号,H,S\n");
        QFile::link(file("loop.csv"), file("loop.csv"));
        const storage::OpenedSurvey opened = storage::readAnySurveyFile(file(name));
        QCOMPARE(opened.error, "无法打开文件“" + file(name) + "”：" + reason + "。");
    }

    void binary_files_are_named_without_their_bytes_and_keep_the_survey_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("xlsx") << QByteArray("PK\x03\x04\x14\0\x06\0", 8) +
                                     "[Content_Types].xml\x8d\x92\x01PK\x03\x04xl/workbook.xml"
                              << "这是 Excel 工作簿，不是 CSV 文件：请在电子表格程序中另存为 CSV"
                                 "（逗号分隔）后再打开";
        QTest::newRow("neither utf8 nor gb18030")
            << QByteArray("\xB6\xCF\xC3\xE6,H,S\n1,\xFF\x81\x20,2\n")
            << QString::fromUtf8(survey_file::kNotText.data(), survey_file::kNotText.size());
    }

    void binary_files_are_named_without_their_bytes_and_keep_the_survey() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        write("good.csv", countingSurvey(30));
        write("binary.xlsx", bytes);
        window::MainWindow mainWindow;
        QVERIFY(mainWindow.openSurvey(file("good.csv")));
        const section::SectionSurvey before = mainWindow.form().survey();
        DialogDriver driver({acknowledge()});
        QVERIFY(!mainWindow.openSurvey(file("binary.xlsx")));
        QCOMPARE(driver.log(), QStringList({"message: 文件“" + file("binary.xlsx") + "”没有打开。" +
                                            reason + "。"}));
        QCOMPARE(mainWindow.form().survey(), before);
        QCOMPARE(mainWindow.windowTitle(), "good.csv - Velmorin");
    }

    // Text that would read as nonsense is named by its line: one line in
    // another encoding than the rest, line ends that are a lone CR.
    void text_the_reader_would_misread_names_its_line_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QString otherEncoding =
            "，而文件的其余部分是 UTF-8：一个文件只能用一种编码，请在文本编辑器中把这一行改为 "
            "UTF-8（例如重新输入这一行）后再打开";
        QTest::newRow("one line in GBK")
            << QByteArray("桩号,高程H,距离S\n1000,1,0\n\xB6\xCF\xC3\xE6,1,0\n")
            << "第 3 行不是 UTF-8 编码，像是 GBK 编码" + otherEncoding;
        QTest::newRow("utf8 by its mark, broken inside")
            << QByteArray("\xEF\xBB\xBF桩号,H,S\n1000,\xE6\x96,2\n")
            << "第 2 行不是 UTF-8 编码，像是 GBK 编码" + otherEncoding;
        QTest::newRow("CR line ends")
            << QByteArray("桩号,高程H,距离S\r1000,1,0\r1000,2,0\r")
            << QString(
                   "第 1 行的行尾是单独的回车符（CR，旧版 Mac 文本的行尾），本程序读 CRLF 或 LF "
                   "行尾：请在文本编辑器中把行尾改为 Windows（CRLF）或 Unix（LF）格式后再打开");
    }

    void text_the_reader_would_misread_names_its_line() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        write("misread.csv", bytes);
        const storage::OpenedSurvey opened = storage::readAnySurveyFile(file("misread.csv"));
        QVERIFY(!opened.survey && !opened.cutFill);
        QCOMPARE(opened.error,
                 "测量数据文件“" + file("misread.csv") + "”有误，没有打开：" + reason + "。");
    }

    // A sparse file far larger than the memory the process may take.
    void running_out_of_memory_keeps_the_window_and_the_survey() {
        write("good.csv", countingSurvey(30));
        write("huge.csv", "桩号,高程H,距离S\n");
        QVERIFY(::truncate(QFile::encodeName(file("huge.csv")).constData(), 8LL << 30) == 0);
        window::MainWindow mainWindow;
        QVERIFY(mainWindow.openSurvey(file("good.csv")));
        const section::SectionSurvey before = mainWindow.form().survey();

        rlimit old{};
        QVERIFY(::getrlimit(RLIMIT_AS, &old) == 0);
        rlimit limited = old;
        limited.rlim_cur = 4ULL << 30;
        QVERIFY(::setrlimit(RLIMIT_AS, &limited) == 0);
        DialogDriver driver({acknowledge()});
        const bool opened = mainWindow.openSurvey(file("huge.csv"));
        ::setrlimit(RLIMIT_AS, &old);

        QVERIFY(!opened);
        QCOMPARE(driver.log(), QStringList({"message: 无法打开文件“" + file("huge.csv") +
                                            "”：内存不足（文件太大）。"}));
        QCOMPARE(mainWindow.form().survey(), before);
        QCOMPARE(mainWindow.windowTitle(), "good.csv - Velmorin");
    }
};

QTEST_MAIN(SurveyFileFaultsTest)
#include "survey_file_faults_test.moc"
