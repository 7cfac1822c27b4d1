// SPDX-License-Identifier: GPL-3.0-or-later
// What looks wrong in a survey, told in the window without a dialog: after a
// typed or an opened calculation the warnings are listed once under the
// drawing, the status bar says how many, the drawing says those of the
// section shown and the overview marks the rows; a plain survey clears them.

#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "dialog_driver.h"
#include "section/checks.h"
#include "window/application.h"
#include "window/main_form.h"
#include "window/main_window.h"
#include "window/results_overview.h"
#include "window/section_panel.h"
#include "window/warnings_dock.h"

namespace {

// Two identical sections, the second entered the other way round, and a
// third of two points.
const QByteArray kReversed =
    "桩号,高程H,距离S\n1000,100,2\n1000,101,0\n1000,100,-2\n"
    "1020,100,-2\n1020,101,0\n1020,100,2\n1040,100,2\n1040,101,2\n1060,100,2\n1060,101,0\n"
    "1060,100,-2\n";
const QByteArray kPlain = "桩号,高程H,距离S\n1000,100,2\n1000,101,0\n1000,100,-2\n";

QList<Reply> point(const QString& h, const QString& s) {
    return {answer(h), answer(""), answer(s), answer("")};
}

QStringList textsOf(const std::vector<section::SurveyWarning>& warnings) {
    QStringList texts;
    for (const section::SurveyWarning& w : warnings) texts << QString::fromStdString(w.text);
    return texts;
}

}  // namespace

class WarningsTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    window::MainWindow* mainWindow = nullptr;

    bool open(const QByteArray& data) {
        QFile file(folder.filePath("survey.csv"));
        file.open(QIODevice::WriteOnly);
        file.write(data);
        file.close();
        return mainWindow->openSurvey(file.fileName());
    }

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }

    void init() {
        mainWindow = new window::MainWindow;
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    }

    void cleanup() { delete mainWindow; }

    void an_opened_survey_lists_its_warnings_once_without_a_dialog() {
        const QRect formRoom = mainWindow->scrollArea().geometry();
        DialogDriver driver({});
        QVERIFY(open(kReversed));
        QVERIFY2(driver.log().isEmpty(), qPrintable(driver.log().join('\n')));
        window::WarningsDock& dock = mainWindow->warnings();
        const QStringList expected = textsOf(section::surveyWarnings(mainWindow->form().survey()));
        QCOMPARE(expected.size(), 2);
        QVERIFY(expected[0].startsWith("K1+020.000断面的面积为 -2.000 平方米"));
        QVERIFY(expected[1].startsWith("K1+040.000断面只有 2 个观测点"));
        QCOMPARE(dock.lines(), expected);
        QTRY_VERIFY(dock.isVisible());
        QCOMPARE(dock.statusWord(), "⚠ 2 条计算提醒");
        // Beside the form, under the drawing: the form's room is unchanged.
        QCOMPARE(mainWindow->scrollArea().geometry(), formRoom);
        QCOMPARE(mainWindow->dockWidgetArea(&dock), Qt::RightDockWidgetArea);
    }

    void the_drawing_says_the_warnings_of_the_section_shown() {
        QVERIFY(open(kReversed));
        window::SectionPanel& panel = mainWindow->sectionPanel();
        const std::vector<section::SurveyWarning> warnings =
            section::surveyWarnings(mainWindow->form().survey());
        QCOMPARE(panel.title(), "K1+000.000");
        QCOMPARE(panel.warning(), QString());
        panel.showSection(2);
        QCOMPARE(panel.title(), "K1+020.000");
        QCOMPARE(panel.warning(), "⚠ " + QString::fromStdString(warnings[0].text));
        panel.showSection(3);
        QCOMPARE(panel.warning(), "⚠ " + QString::fromStdString(warnings[1].text));
        panel.showSection(4);
        QCOMPARE(panel.warning(), QString());
    }

    void the_overview_marks_the_rows_of_sections_with_warnings() {
        QVERIFY(open(kReversed));
        window::ResultsOverview& overview = mainWindow->showOverview();
        QTableWidget& table = overview.table();
        const QStringList expected = textsOf(section::surveyWarnings(mainWindow->form().survey()));
        for (int r = 0; r < table.rowCount(); ++r) {
            const QString tip = r == 1 ? expected[0] : r == 2 ? expected[1] : QString();
            for (int c = 0; c < table.columnCount(); ++c)
                QCOMPARE(table.item(r, c)->toolTip(), tip);
            QCOMPARE(table.item(r, 0)->icon().isNull(), tip.isEmpty());
            QCOMPARE(table.item(r, 0)->text(), QString::number(r + 1));
        }
        QVERIFY(overview.warningsText().startsWith("⚠ 2 条计算提醒"));
        // A plain survey clears the marks.
        QVERIFY(open(kPlain));
        QCOMPARE(table.item(0, 0)->toolTip(), QString());
        QVERIFY(table.item(0, 0)->icon().isNull());
        QCOMPARE(overview.warningsText(), QString());
    }

    // The prompts keep the keyboard to the end; the warnings come after, in
    // the window, and the next plain calculation takes them away.
    void a_typed_calculation_lists_its_warnings_after_the_last_prompt() {
        DialogDriver driver(QList<Reply>{answer("2"), answer("n"), answer("3"), answer("3")} +
                            point("100", "2") + point("101", "0") + point("100", "-2") +
                            point("100", "-2") + point("101", "0") + point("100", "2") +
                            QList<Reply>{answer("20"), answer(""), answer("")});
        mainWindow->form().findChild<QPushButton*>("Command1")->click();
        QVERIFY(driver.scriptDone());
        QVERIFY2(!driver.log().join('\n').contains("unexpected"),
                 qPrintable(driver.log().join('\n')));
        QCOMPARE(mainWindow->form().survey().totalVolume(), 0.0f);
        window::WarningsDock& dock = mainWindow->warnings();
        QCOMPARE(dock.lines().size(), 1);
        QVERIFY(dock.lines()[0].startsWith(
            "第 2 号断面的面积为 -2.000 平方米，与第 1 号断面的正负相反"));
        QTRY_VERIFY(dock.isVisible());
        // No window of their own to take the keyboard.
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QWidgetList shown;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible()) shown << top;
        }
        QCOMPARE(shown, QWidgetList{mainWindow});

        QVERIFY(open(kPlain));
        QVERIFY(dock.lines().isEmpty());
        QVERIFY(!dock.isVisible());
        QCOMPARE(dock.statusWord(), QString());
    }
};

QTEST_MAIN(WarningsTest)
#include "warnings_test.moc"
