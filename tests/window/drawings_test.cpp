// SPDX-License-Identifier: GPL-3.0-or-later
// The drawings in the window: the outline grows and repaints while the
// prompts are open; after a calculation every section can be paged through;
// the overview holds the record's values, copies rows as tab-separated text
// and exports them, and its curve runs through the running totals. What looks
// wrong is told without a dialog after a typed or an opened calculation:
// listed once under the drawing, counted in the status bar, said by the
// drawing for the section shown and marked in the overview's rows; a plain
// survey clears it.

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "dialog_driver.h"
#include "section/checks.h"
#include "section/figures.h"
#include "storage/data_folder.h"
#include "survey_file/survey_file.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/views/main_form.h"
#include "window/views/results_overview.h"
#include "window/views/section_canvas.h"
#include "window/views/section_panel.h"
#include "window/views/volume_curve.h"
#include "window/views/warnings_dock.h"

namespace {

QList<Reply> point(const QString& h, const QString& s) {
    return {answer(h), answer(""), answer(s), answer("")};
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
  public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

const QByteArray kStations =
    "桩号,高程H,距离S\n1000,100,4\n1000,101,0\n1000,100,-4\n"
    "1020,100,2\n1020,100,-2\n1040,99,5\n1040,98,0\n1040,99,-5\n";
const QByteArray kNumbered =
    "断面,H,S,DL\n1,10,0,20\n1,11,2,\n1,10,4,\n2,9,0,15\n2,8,3,\n2,9,5,\n3,,,\n";

const QByteArray kPlain = "桩号,高程H,距离S\n1000,100,2\n1000,101,0\n1000,100,-2\n";

QStringList textsOf(const std::vector<section::SurveyWarning>& warnings) {
    QStringList texts;
    for (const section::SurveyWarning& w : warnings) texts << QString::fromStdString(w.text);
    return texts;
}

}  // namespace

class DrawingsTest : public QObject {
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
        QDir(storage::dataFolder()).removeRecursively();
        mainWindow = new window::MainWindow;
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    }

    void cleanup() { delete mainWindow; }

    // At the confirm of point 2's distance: the point is drawn, highlighted,
    // repainted since it was typed, although the prompt is modal.
    void the_outline_repaints_while_a_prompt_is_open() {
        window::SectionCanvas& canvas = mainWindow->sectionPanel().canvas();
        PaintCounter paints;
        canvas.installEventFilter(&paints);
        int paintsAtDraft = 0;
        connect(&mainWindow->form(), &window::MainForm::draftShown, this,
                [&] { paintsAtDraft = paints.count; });
        std::optional<window::CanvasPicture> seen;
        bool repainted = false;
        DialogDriver driver(QList<Reply>{answer("1"), answer("n"), answer("3")} +
                            point("100", "2") +
                            QList<Reply>{answer("101"), answer(""), answer("-3")} +
                            QList<Reply>{answer("")} + point("100", "-2"));
        driver.onOpen([&](QWidget* dialog) {
            if (seen ||
                !qobject_cast<QInputDialog*>(dialog)->labelText().startsWith("确认输入距离") ||
                !canvas.picture().pendingOffset ||
                canvas.picture().section.lines[0].points.size() != 1)
                return;
            seen = canvas.picture();
            const int before = paintsAtDraft;
            // The prompt stays open meanwhile.
            repainted = QTest::qWaitFor([&] { return paints.count > before; }, 30000);
        });
        mainWindow->form().findChild<QPushButton*>("Command1")->click();
        QVERIFY(driver.scriptDone());
        QVERIFY(seen);
        QCOMPARE(*seen->pendingOffset, -3.0f);
        QCOMPARE(*seen->pendingElevation, 101.0f);
        QVERIFY2(repainted, "no repaint under the prompt");
        QCOMPARE(mainWindow->sectionPanel().caption(), "面积 2.000 平方米，3 个观测点");
    }

    void every_section_can_be_paged_after_a_calculation() {
        QVERIFY(open(kStations));
        window::SectionPanel& panel = mainWindow->sectionPanel();
        QCOMPARE(panel.title(), "K1+000.000");
        QCOMPARE(panel.caption(), "面积 4.000 平方米，3 个观测点");
        QToolButton* next = nullptr;
        for (auto* button : panel.findChildren<QToolButton*>()) {
            if (button->text() == "▶") next = button;
        }
        next->click();
        QCOMPARE(panel.title(), "K1+020.000");
        QCOMPARE(panel.caption(), "只有 2 个观测点，围不成断面，没有面积");
        QCOMPARE(panel.canvas().picture().section.lines[0].points.size(), 2u);
        next->click();
        QCOMPARE(panel.title(), "K1+040.000");
        QVERIFY(!next->isEnabled());
    }

    void the_overview_holds_the_records_values_for_stations_and_numbers_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("stations") << kStations;
        QTest::newRow("numbered") << kNumbered;
    }

    void the_overview_holds_the_records_values_for_stations_and_numbers() {
        QFETCH(QByteArray, data);
        QVERIFY(open(data));
        const section::SectionSurvey& record = (*mainWindow->document().survey().closedOutline());
        window::ResultsOverview& overview = mainWindow->showOverview();
        QTableWidget& table = overview.table();
        const int shift = record.stationsEntered() ? 1 : 0;
        QCOMPARE(table.rowCount(), record.sectionCount());
        const section::Figures figures(record);
        double running = 0.0;
        for (int i = 1; i <= record.sectionCount(); ++i) {
            auto cell = [&](int column) { return table.item(i - 1, column + shift)->text(); };
            QCOMPARE(table.item(i - 1, 0)->text(), QString::number(i));
            QCOMPARE(cell(1), QString::fromStdString(figures.area(i)));
            QCOMPARE(cell(4), QString::fromStdString(figures.runningTotal(i)));
            QCOMPARE(overview.curve().points()[i - 1].total, running);
            if (i == record.sectionCount()) break;
            QCOMPARE(cell(2).toDouble(), record.spacings(i));
            QCOMPARE(cell(3), QString::fromStdString(figures.volume(i)));
            running = record.volumes(i) + running;
        }
        QCOMPARE(running, record.totalVolume());
        QVERIFY(
            overview.totalText().startsWith("总体积：" + QString::fromStdString(figures.total())));
    }

    void overview_rows_copy_as_columns_and_export_as_csv() {
        QVERIFY(open(kStations));
        window::ResultsOverview& overview = mainWindow->showOverview();
        overview.table().selectRow(0);
        overview.table().setFocus();
        QTest::keyClick(&overview.table(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 "1\tK1+000.000\t4.000\t20.000\t40.000\t0.000\n");
        const QString csv = folder.filePath("结果.csv");
        QCOMPARE(overview.exportCsv(csv), QString());
        QFile written(csv);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().toStdString(),
                 survey_file::resultsCsv(mainWindow->document().survey(),
                                         survey_file::CsvFor::Spreadsheet));
        QCOMPARE(overview.curve().points().back().along, 1040.0);
    }

    void an_opened_survey_is_told_under_the_drawing_in_it_and_in_the_overview() {
        const QRect formRoom = mainWindow->scrollArea().geometry();
        DialogDriver driver({});
        QVERIFY(open(kStations));
        QVERIFY2(driver.log().isEmpty(), qPrintable(driver.log().join('\n')));
        const QStringList told =
            textsOf(section::surveyWarnings((*mainWindow->document().survey().closedOutline())));
        QCOMPARE(told.size(), 2);
        QVERIFY(told[0].startsWith("K1+020.000断面只有 2 个观测点"));
        QVERIFY(told[1].startsWith("K1+040.000断面的面积为 -"));  // a V where 1 is a Λ
        window::WarningsDock& dock = mainWindow->warnings();
        QCOMPARE(dock.lines(), told);
        QTRY_VERIFY_WITH_TIMEOUT(dock.isVisible(), 30000);
        QCOMPARE(dock.statusWord(), "⚠ 2 条计算提醒");
        QCOMPARE(mainWindow->scrollArea().geometry(), formRoom);  // under the drawing
        window::SectionPanel& panel = mainWindow->sectionPanel();
        QCOMPARE(panel.warning(), QString());
        auto* list = dock.findChild<QListWidget*>();
        const QRect second = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(panel.title(), "K1+040.000");
        panel.showSection(2);
        QCOMPARE(panel.warning(), "⚠ " + told[0]);
        window::ResultsOverview& overview = mainWindow->showOverview();
        for (int r = 0; r < overview.table().rowCount(); ++r) {
            const QString tip = r == 0 ? QString() : told[r - 1];
            QCOMPARE(overview.table().item(r, 3)->toolTip(), tip);
            QCOMPARE(overview.table().item(r, 0)->icon().isNull(), tip.isEmpty());
        }
        QVERIFY(overview.warningsText().startsWith("⚠ 2 条计算提醒"));
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
        QCOMPARE(mainWindow->document().survey().closedOutline()->totalVolume(), 0.0f);
        window::WarningsDock& dock = mainWindow->warnings();
        QCOMPARE(dock.lines().size(), 1);
        QVERIFY(dock.lines()[0].startsWith(
            "第 2 号断面的面积为 -2.000 平方米，与第 1 号断面的正负相反"));
        QTRY_VERIFY_WITH_TIMEOUT(dock.isVisible(), 30000);
        // No window of their own to take the keyboard.
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QWidgetList shown;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible()) shown << top;
        }
        QCOMPARE(shown, QWidgetList{mainWindow});

        window::ResultsOverview& overview = mainWindow->showOverview();
        QVERIFY(open(kPlain));
        QVERIFY(dock.lines().isEmpty());
        QVERIFY(!dock.isVisible());
        QCOMPARE(dock.statusWord(), QString());
        QCOMPARE(overview.warningsText(), QString());
        QVERIFY(overview.table().item(0, 0)->icon().isNull());
    }
};

QTEST_MAIN(DrawingsTest)
#include "drawings_test.moc"
