// SPDX-License-Identifier: GPL-3.0-or-later
// The last typed calculation's copy in the data folder: opening a survey
// file never overwrites it, and a typed calculation that could not be kept
// there counts as unsaved work, asked about before another survey replaces it.

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "dialog_driver.h"
#include "storage/data_folder.h"
#include "survey_file/survey_file.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/views/main_form.h"

namespace {

std::string lastCalculation() {
    QFile file(storage::lastCalculationPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// One section of three points, without stations.
QList<Reply> typedOneSection() {
    return {answer("1"), answer("n"),  answer("3"),  answer("50"), answer(""),
            answer("2"), answer(""),   answer("51"), answer(""),   answer("0"),
            answer(""),  answer("50"), answer(""),   answer("-2"), answer("")};
}

}  // namespace

class LastCalculationTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString file(const QString& name) const { return folder.filePath(name); }

    void writeSurveyFile(const QString& name) const {
        QFile out(file(name));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("断面,高程H,距离S,间距DL\n1,10,0,20\n1,10,4,\n1,8,2,\n2,8,0,\n2,9,3,\n2,7,1,\n");
    }

    static void type(window::MainWindow& mainWindow) {
        DialogDriver typing(typedOneSection());
        mainWindow.form().findChild<QPushButton*>("Command1")->click();
        QVERIFY2(typing.scriptDone(), qPrintable(typing.log().join('\n')));
    }

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }

    void init() { QDir(storage::dataFolder()).removeRecursively(); }

    void opening_a_file_after_a_typed_calculation_keeps_the_typed_one_as_the_last() {
        window::MainWindow mainWindow;
        type(mainWindow);
        const section::SectionSurvey typed = (*mainWindow.document().survey().closedOutline());
        QCOMPARE(lastCalculation(), survey_file::writeSurvey(typed));
        QVERIFY(!mainWindow.document().modified());
        writeSurveyFile("other.csv");
        DialogDriver none({});
        QVERIFY(mainWindow.openSurvey(file("other.csv")));
        QVERIFY(none.log().isEmpty());
        QCOMPARE(lastCalculation(), survey_file::writeSurvey(typed));
        QVERIFY(mainWindow.openLastCalculation());
        QCOMPARE((*mainWindow.document().survey().closedOutline()), typed);
        QCOMPARE(mainWindow.windowTitle(), "最近一次计算 - Velmorin");
    }

    // A file where the data folder would be: the calculation is told as not
    // kept, and opening another survey asks first, so that it can be saved.
    void a_typed_calculation_not_kept_is_asked_about_before_another_survey_replaces_it() {
        QTemporaryDir home;
        QFile blocker(home.filePath("data"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QByteArray before = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        window::MainWindow mainWindow;
        {
            // The journal of the answers cannot be written either: the data
            // folder's failure is told once, after the first answer.
            QList<Reply> script = typedOneSection();
            script.insert(1, acknowledge());
            DialogDriver typing(script);
            mainWindow.form().findChild<QPushButton*>("Command1")->click();
            QVERIFY2(typing.scriptDone(), qPrintable(typing.log().join(u'\n')));
            QVERIFY(typing.log().at(1).contains("文件夹不存在"));
        }
        qputenv("XDG_DATA_HOME", before);
        QVERIFY(mainWindow.document().modified());
        QCOMPARE(mainWindow.windowTitle(), "未命名* - Velmorin");
        writeSurveyFile("other.csv");
        DialogDriver asked({press("取消")});
        QVERIFY(!mainWindow.openSurvey(file("other.csv")));
        QVERIFY2(asked.scriptDone(), qPrintable(asked.log().join(u'\n')));
        QVERIFY(asked.log().first().contains("是否保存修改"));
        QCOMPARE(mainWindow.document().survey().sectionCount(), 1);
    }
};

QTEST_MAIN(LastCalculationTest)
#include "last_calculation_test.moc"
