// SPDX-License-Identifier: GPL-3.0-or-later
// An opened survey is saved as the last calculation while the window goes
// on: the saves land in order, a typed calculation after it is the one kept,
// and a data folder that cannot be written is told on the window's thread.

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "dialog_driver.h"
#include "dialogue/run.h"
#include "survey_file/survey_file.h"
#include "window/files/data_folder.h"
#include "window/form/main_form.h"
#include "window/platform/application.h"

namespace {

// `sections` sections of `points` points each, without stations.
section::SectionSurvey numberedSurvey(int sections, int points) {
    section::SectionSurvey survey;
    survey.resize(sections);
    survey.setStationAnswer("n");
    for (int i = 1; i <= sections; ++i) survey.setPointCount(i, static_cast<std::int16_t>(points));
    survey.allocatePoints();
    for (int i = 1; i <= sections; ++i) {
        for (int j = 1; j <= points; ++j) survey.setPoint(i, j, float(i + j % 3), float(j % 7));
        if (i < sections) survey.setSpacing(i, 20.0f);
    }
    return survey;
}

std::string lastCalculation() {
    QFile file(window::lastCalculationPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

}  // namespace

class LastCalculationSaverTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }

    void init() { QDir(window::dataFolder()).removeRecursively(); }

    void opened_surveys_are_saved_in_the_order_they_were_opened() {
        window::MainForm form;
        QCOMPARE(form.showSurvey(numberedSurvey(400, 500)), section::CalculationEnd::Finished);
        QCOMPARE(form.showSurvey(numberedSurvey(3, 4)), section::CalculationEnd::Finished);
        form.waitForLastCalculation();
        QCOMPARE(lastCalculation(), survey_file::writeSurvey(form.survey()));
    }

    // The large opened survey is still being written when the typing starts.
    void a_typed_calculation_after_an_opened_one_is_the_one_kept() {
        window::MainForm form;
        QCOMPARE(form.showSurvey(numberedSurvey(400, 500)), section::CalculationEnd::Finished);
        {
            DialogDriver typing({answer("1"), answer("n"), answer("0")});
            form.findChild<QPushButton*>("Command1")->click();
            QVERIFY(typing.scriptDone());
        }
        QCOMPARE(form.survey().sectionCount(), 1);
        form.waitForLastCalculation();
        QCOMPARE(lastCalculation(), survey_file::writeSurvey(form.survey()));
    }

    void a_data_folder_that_cannot_be_written_is_told_and_the_survey_stays_open() {
        QTemporaryDir home;
        QFile blocker(home.filePath("data"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));  // a file where the folder would be
        blocker.close();
        const QByteArray before = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        window::MainForm form;
        DialogDriver driver({acknowledge()});
        QCOMPARE(form.showSurvey(numberedSurvey(2, 3)), section::CalculationEnd::Finished);
        QTRY_VERIFY_WITH_TIMEOUT(driver.scriptDone(), 30000);
        qputenv("XDG_DATA_HOME", before);
        QCOMPARE(driver.log().size(), 1);
        QVERIFY2(driver.log().first().contains("最近一次计算.csv"),
                 qPrintable(driver.log().first()));
        QVERIFY(driver.log().first().contains("本次运行中不再提示"));
        QCOMPARE(form.survey().sectionCount(), 2);
    }
};

QTEST_MAIN(LastCalculationSaverTest)
#include "last_calculation_saver_test.moc"
