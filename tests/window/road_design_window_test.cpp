// SPDX-License-Identifier: GPL-3.0-or-later
// The road design in the window. 编辑 ▸ 道路设计: each cell typed and each
// block pasted is one step of the document's undo stack; a design the
// document refuses is told, its cell marked, and nothing changes; the tables
// follow undo. 文件 ▸ 打开道路设计… makes a file's design the survey's, or
// tells where the file is wrong; 保存道路设计… writes it. A design line the
// road design generated is shown in the survey table greyed and read-only;
// typing or pasting into it says to keep it as typed points first, and
// 改为输入的设计线 does that as one step.

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "dialog_driver.h"
#include "document/survey_document.h"
#include "menu_action.h"
#include "storage/road_design_io.h"
#include "window/design/design_table_model.h"
#include "window/design/road_design_dock.h"
#include "window/edit_recovery.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/road_design_files.h"
#include "window/table/survey_table_dock.h"
#include "window/table/survey_table_model.h"
#include "window/table/survey_table_view.h"

namespace {

using section::DesignTable;

// Flat ground at 100 from S = -30 to 30 at K0+000 and K0+020, no design typed.
section::CutFillSurvey ground() {
    section::CutFillSurvey survey;
    survey.stationAnswer = "Y";
    for (const double station : {0.0, 20.0})
        survey.sections.push_back({.station = station, .ground = {{100, -30}, {100, 30}}});
    return survey;
}

// An embankment about 2 m high, 7.5 m wide, slopes of 1:1.5; two vertical
// curves 200 m apart further on.
section::RoadDesign design() {
    using section::RoadSide;
    using section::SlopeKind;
    section::RoadDesign design;
    design.profile = {{0, 101, {}}, {300, 107, 3000}, {500, 103, 3000}, {800, 106, {}}};
    design.plates = {{0, RoadSide::Left, 3.75, -2}, {0, RoadSide::Right, 3.75, -2}};
    design.slopes = {{{}, RoadSide::Left, SlopeKind::Fill, 1.5},
                     {{}, RoadSide::Right, SlopeKind::Fill, 1.5}};
    return design;
}

}  // namespace

class RoadDesignWindowTest : public QObject {
    Q_OBJECT

    window::MainWindow* mainWindow = nullptr;

    document::SurveyDocument& document() const { return mainWindow->document(); }
    const section::RoadDesign& held() const { return document().survey().roadDesign(); }
    window::DesignTableModel& table(DesignTable which) const {
        return *mainWindow->roadDesign().view(which)->tableModel();
    }
    int steps() const { return document().undoStack()->count(); }
    window::SurveyTableView& view() const { return *mainWindow->table().view(); }
    window::SurveyTableModel& surveyTable() const { return *view().tableModel(); }
    const section::CutFillSection& first() const {
        return document().survey().cutFill()->sections.front();
    }
    // The 高程H cell of the first design row of section 1.
    QModelIndex designCell() const {
        for (int row = 0; row < surveyTable().dataRows(); ++row)
            if (surveyTable().place(row).line == section::SurveyLine::Design)
                return surveyTable().index(row, surveyTable().elevationColumn());
        return {};
    }

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }
    void init() {
        QFile::remove(window::unsavedEditsPath());
        mainWindow = new window::MainWindow;
        QVERIFY(document().replaceSurvey(section::Survey(ground()), "打开文件", "").done());
        QVERIFY(document().setRoadDesign(design(), "打开道路设计").done());
        QVERIFY(first().designGenerated);
    }
    void cleanup() {
        document().markSaved();
        delete mainWindow;
    }

    void the_edit_menu_shows_the_tables_titled_as_the_file() {
        window::RoadDesignDock& dock = mainWindow->roadDesign();
        QVERIFY(dock.isHidden());
        menuAction(*mainWindow, "道路设计")->trigger();
        QVERIFY(!dock.isHidden());
        QStringList tabs;
        for (int k = 0; k < dock.tabs()->count(); ++k) tabs << dock.tabs()->tabText(k);
        QCOMPARE(tabs.join(','), "纵断面,路幅,边坡,边沟,断链,土石分类,换算系数,构造物,运距");
        QCOMPARE(table(DesignTable::Profile)
                     .data(table(DesignTable::Profile).index(1, 0), Qt::DisplayRole),
                 "K0+300.000");
        // The rows of the design and one to type a new row into.
        QCOMPARE(table(DesignTable::Plates).rowCount(), 3);
    }

    void a_cell_typed_is_one_step_that_undo_takes_back() {
        window::DesignTableModel& profile = table(DesignTable::Profile);
        const int before = steps();
        QVERIFY(profile.setData(profile.index(1, 1), "107.5", Qt::EditRole));
        QCOMPARE(held().profile[1].elevation, 107.5);
        QCOMPARE(steps(), before + 1);
        QCOMPARE(document().undoStack()->undoText(), "修改道路设计");
        document().undoStack()->undo();
        QCOMPARE(held(), design());
        QCOMPARE(profile.data(profile.index(1, 1), Qt::DisplayRole), "107");
        // A row typed on the empty row at the end comes and goes with its step.
        window::DesignTableModel& plates = table(DesignTable::Plates);
        QVERIFY(plates.setData(plates.index(2, 2), "0.75", Qt::EditRole));
        QCOMPARE(plates.rowCount(), 4);
        document().undoStack()->undo();
        QCOMPARE(plates.rowCount(), 3);
    }

    // Rows copied from a spreadsheet, pasted with the table's own 粘贴 (Ctrl+V).
    void a_pasted_block_is_one_step() {
        window::DesignTableView& view = *mainWindow->roadDesign().view(DesignTable::Plates);
        const int before = steps();
        QApplication::clipboard()->setText("K0+000\t右\t3.5\t-2\r\nK0+000\t左\t0.75\t-3\r\n");
        view.setCurrentIndex(view.model()->index(1, 0));
        view.pasteClipboard();
        QCOMPARE(steps(), before + 1);
        QCOMPARE(held().plates.size(), 3u);
        QCOMPARE(held().plates[1].width, 3.5);
        QCOMPARE(held().plates[2], (section::PlateRow{0, section::RoadSide::Left, 0.75, -3}));
        document().undoStack()->undo();
        QCOMPARE(held(), design());
    }

    void a_refused_design_is_told_and_marked_and_nothing_changes_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("told");
        QTest::newRow("a cell the file would refuse")
            << int(DesignTable::Profile) << 1 << 1 << "1O7"
            << "纵断面表第 2 行“高程”：“1O7”不是有效的高程";
        QTest::newRow("a side that is neither") << int(DesignTable::Plates) << 0 << 1 << "中"
                                                << "路幅表第 1 行“侧”：“中”不是有效的侧";
        // T = 100000 × 4 % / 2 = 2000 m: the two curves overlap.
        QTest::newRow("two vertical curves that overlap")
            << int(DesignTable::Profile) << 1 << 2 << "100000"
            << "";
    }
    void a_refused_design_is_told_and_marked_and_nothing_changes() {
        QFETCH(int, which);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, told);
        window::DesignTableModel& model = table(DesignTable(which));
        const int before = steps();
        QVERIFY(!model.setData(model.index(row, column), typed, Qt::EditRole));
        QCOMPARE(held(), design());
        QCOMPARE(steps(), before);
        const QString shown = mainWindow->roadDesign().shownMessage();
        QVERIFY2(shown.startsWith(told) && shown.contains("保持不变"), qPrintable(shown));
        // The cell at fault is marked, with the message as its tip.
        const auto marked = [&](int r, int c) {
            return model.data(model.index(r, c), Qt::BackgroundRole).isValid();
        };
        QVERIFY(marked(row, column));
        QCOMPARE(model.data(model.index(row, column), Qt::ToolTipRole).toString(), shown);
        QVERIFY(!marked(row + 1, column));
        // The next change that goes through clears both.
        window::DesignTableModel& plates = table(DesignTable::Plates);
        QVERIFY(plates.setData(plates.index(1, 2), "3.5", Qt::EditRole));
        QCOMPARE(mainWindow->roadDesign().shownMessage(), QString());
        QVERIFY(!marked(row, column));
    }

    // A row of six shares pasted is one step; shares that no longer add up
    // are refused with the row marked. The factors show their defaults in
    // grey until one is typed.
    void the_earthworks_tables_take_shares_and_show_the_default_factors() {
        window::DesignTableView& classes = *mainWindow->roadDesign().view(DesignTable::SoilClasses);
        const int before = steps();
        QApplication::clipboard()->setText("K0+000\tK0+450\t0\t30\t0\t70\t0\t0\r\n");
        classes.setCurrentIndex(classes.model()->index(0, 0));
        classes.pasteClipboard();
        QCOMPARE(steps(), before + 1);
        QCOMPARE(held().soilClasses,
                 (std::vector<section::SoilClassRow>{{{0, 450}, {0, 30, 0, 70, 0, 0}}}));
        window::DesignTableModel& shares = *classes.tableModel();
        QVERIFY(!shares.setData(shares.index(0, 5), "60", Qt::EditRole));
        QCOMPARE(steps(), before + 1);
        const QString shown = mainWindow->roadDesign().shownMessage();
        QVERIFY2(
            shown.startsWith("土石分类 K0+000.000～K0+450.000 的六类百分比加起来是 90，应为 100"),
            qPrintable(shown));
        QVERIFY(shares.data(shares.index(0, 7), Qt::BackgroundRole).isValid());

        window::DesignTableModel& factors = table(DesignTable::Factors);
        QCOMPARE(factors.rowCount(), 1);
        QCOMPARE(factors.data(factors.index(0, 3), Qt::DisplayRole), "0.92");
        QVERIFY(factors.data(factors.index(0, 3), Qt::ForegroundRole).isValid());
        QVERIFY(factors.setData(factors.index(0, 3), "0.9", Qt::EditRole));
        QCOMPARE(held().factors, (section::ClassFigures{1.23, 1.16, 1.09, 0.9, 0.92, 0.92}));
        QVERIFY(!factors.data(factors.index(0, 3), Qt::ForegroundRole).isValid());
        document().undoStack()->undo();
        QVERIFY(!held().factors);
        QCOMPARE(factors.data(factors.index(0, 3), Qt::DisplayRole), "0.92");
    }

    void a_design_file_opens_as_one_step_or_is_told_with_its_line() {
        QTemporaryDir folder;
        const auto write = [&](const QString& name, const QByteArray& text) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        };
        write("good.csv",
              "[纵断面]\n桩号,高程,竖曲线半径\nK0+000,100.000,\nK0+300,106.000,3000\n"
              "K0+700,102.000,\n");
        write("bad.csv", "[纵断面]\n桩号,高程,竖曲线半径\nK0+000,1O0,\n");
        const int before = steps();
        QVERIFY(window::openRoadDesign(mainWindow, document(), folder.filePath("good.csv")));
        QCOMPARE(held().profile.size(), 3u);
        QCOMPARE(steps(), before + 1);
        QCOMPARE(document().undoStack()->undoText(), "打开道路设计");
        QCOMPARE(table(DesignTable::Profile).rowCount(), 4);

        DialogDriver driver({acknowledge()});
        QVERIFY(!window::openRoadDesign(mainWindow, document(), folder.filePath("bad.csv")));
        QVERIFY(driver.scriptDone());
        const QString message = driver.log().value(0);
        QVERIFY2(message.contains("bad.csv"), qPrintable(message));
        QCOMPARE(held().profile.size(), 3u);
        QCOMPARE(steps(), before + 1);
    }

    // Saved through the menu's dialog, the design reads back as it was.
    void the_design_saves_to_a_file_that_reads_back_the_same() {
        QTemporaryDir folder;
        const QString path = folder.filePath("路线.csv");
        DialogDriver driver({chooseFile(path)});
        menuAction(*mainWindow, "保存道路设计")->trigger();
        QVERIFY(driver.scriptDone());
        const storage::OpenedDesign opened = storage::openRoadDesign(path);
        QVERIFY2(opened.design, qPrintable(opened.error));
        QCOMPARE(*opened.design, held());
    }

    void a_generated_line_is_greyed_and_read_only() {
        const QModelIndex cell = designCell();
        QVERIFY(cell.isValid());
        QVERIFY(!(surveyTable().flags(cell) & Qt::ItemIsEditable));
        QCOMPARE(surveyTable().data(cell, Qt::ToolTipRole).toString(), "由道路设计生成");
        QVERIFY(surveyTable().data(cell, Qt::FontRole).value<QFont>().italic());
        // To the millimetre: its values are worked out, not typed.
        QVERIFY(surveyTable()
                    .data(cell, Qt::DisplayRole)
                    .toString()
                    .contains(QRegularExpression("^-?\\d+\\.\\d{3}$")));
        // The ground line stays as typed.
        const QModelIndex groundCell = surveyTable().index(0, surveyTable().elevationColumn());
        QVERIFY(surveyTable().flags(groundCell) & Qt::ItemIsEditable);
        QVERIFY(!surveyTable().data(groundCell, Qt::ToolTipRole).isValid());
    }

    void typing_or_pasting_into_it_says_to_keep_it_first() {
        const std::vector<section::Point> line = first().design;
        const int before = steps();
        const QModelIndex cell = designCell();
        const QString typed = surveyTable().commit(cell, "99");
        QVERIFY2(typed.contains("改为输入的设计线"), qPrintable(typed));
        const QString pasted =
            surveyTable().paste(cell.row(), cell.column(), QStringLiteral("99\t-1\n"));
        QVERIFY2(pasted.contains("改为输入的设计线") && pasted.contains("粘贴没有进行"),
                 qPrintable(pasted));
        QCOMPARE(first().design, line);
        QCOMPARE(steps(), before);
    }

    void keeping_the_line_makes_its_points_typed_in_one_step() {
        const std::vector<section::Point> generated = first().design;
        const QModelIndex cell = designCell();
        view().setCurrentIndex(cell);
        const int before = steps();
        view().keepDesignAction()->trigger();
        QVERIFY(!first().designGenerated);
        QCOMPARE(first().design, generated);
        QCOMPARE(steps(), before + 1);
        QVERIFY(surveyTable().flags(designCell()) & Qt::ItemIsEditable);
        QCOMPARE(surveyTable().commit(designCell(), "101"), QString());
        document().undoStack()->undo();
        document().undoStack()->undo();
        QVERIFY(first().designGenerated);
        QVERIFY(!(surveyTable().flags(designCell()) & Qt::ItemIsEditable));
    }
};

QTEST_MAIN(RoadDesignWindowTest)
#include "road_design_window_test.moc"
