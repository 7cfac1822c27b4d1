// SPDX-License-Identifier: GPL-3.0-or-later
// Survey files that are not what they seem, opened in the window: a workbook
// or other binary is named for what it is, and running out of memory keeps
// the window and the survey on screen. The reading itself is tested in
// tests/storage/survey_io_test.cpp.

#include <sys/resource.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QTest>

#include "counting_survey.h"
#include "dialog_driver.h"
#include "survey_file/survey_file.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/views/main_form.h"

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
        const section::SectionSurvey before = (*mainWindow.document().survey().closedOutline());
        DialogDriver driver({acknowledge()});
        QVERIFY(!mainWindow.openSurvey(file("binary.xlsx")));
        QCOMPARE(driver.log(), QStringList({"message: 文件“" + file("binary.xlsx") + "”没有打开。" +
                                            reason + "。"}));
        QCOMPARE((*mainWindow.document().survey().closedOutline()), before);
        QCOMPARE(mainWindow.windowTitle(), "good.csv - Velmorin");
    }

    // A sparse file far larger than the memory the process may take.
    void running_out_of_memory_keeps_the_window_and_the_survey() {
        write("good.csv", countingSurvey(30));
        write("huge.csv", "桩号,高程H,距离S\n");
        QVERIFY(::truncate(QFile::encodeName(file("huge.csv")).constData(), 8LL << 30) == 0);
        window::MainWindow mainWindow;
        QVERIFY(mainWindow.openSurvey(file("good.csv")));
        const section::SectionSurvey before = (*mainWindow.document().survey().closedOutline());

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
        QCOMPARE((*mainWindow.document().survey().closedOutline()), before);
        QCOMPARE(mainWindow.windowTitle(), "good.csv - Velmorin");
    }
};

QTEST_MAIN(SurveyFileFaultsTest)
#include "survey_file_faults_test.moc"
