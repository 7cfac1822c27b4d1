// SPDX-License-Identifier: GPL-3.0-or-later
// The panes of the tables of a cut-and-fill survey (路基设计表,
// 路基土石方数量计算表, 土方调配表): the rows of the document's survey under
// their heads, read-only, following its changes; for a closed outline hidden,
// and their menu entries (视图 and 文件) disabled.

#include "window/views/quantity_table_dock.h"

#include <QAction>
#include <QHeaderView>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

#include "cut_then_fill.h"
#include "document/survey_document.h"
#include "menu_action.h"
#include "printout/earthworks_table.h"
#include "printout/haul_table.h"
#include "section/road_table.h"
#include "window/main_window.h"

namespace {

// Two sections on flat ground at 100 m; the first with the fit of a road
// 1.25 m above it, the second with a typed design line and no fit.
section::CutFillSurvey survey(double firstStation) {
    section::CutFillSurvey data;
    data.stationAnswer = "Y";
    const section::SideFit fill{section::SlopeKind::Fill, 4.5, 6.375};
    data.sections = {{.station = firstStation,
                      .ground = {{100, -10}, {100, 10}},
                      .fit = section::RoadFit{100.0, 101.25, fill, fill}},
                     {.station = firstStation + 20,
                      .ground = {{100, -10}, {100, 10}},
                      .design = {{101, -5}, {101, 5}}}};
    return data;
}

QStringList rowTexts(const QTableView& view, int row) {
    QStringList texts;
    for (int c = 0; c < view.model()->columnCount(); ++c)
        texts << view.model()->index(row, c).data().toString();
    return texts;
}

}  // namespace

class QuantityTableDockTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { QSettings().clear(); }  // no layout remembered from an earlier run

    void the_pane_shows_the_rows_of_a_cut_and_fill_survey_and_follows_its_changes() {
        window::MainWindow mainWindow;
        document::SurveyDocument& document = mainWindow.document();
        window::QuantityTableDock& dock = mainWindow.roadTable();
        QAction* shown = menuAction(mainWindow, QStringLiteral("路基设计表(&B)"));
        QAction* print = menuAction(mainWindow, QStringLiteral("打印路基设计表"));
        QCOMPARE(shown, dock.toggleViewAction());
        QVERIFY(print);
        QVERIFY(!shown->isEnabled() && !print->isEnabled());

        QVERIFY(document.replaceSurvey(section::Survey(survey(1000)), "打开文件", "a.hdm").done());
        QVERIFY(shown->isEnabled() && print->isEnabled());
        QVERIFY(dock.isHidden());
        mainWindow.show();
        shown->trigger();
        QVERIFY(dock.isVisible());
        const QTableView& view = dock.view();
        QCOMPARE(view.editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(view.model()->rowCount(), 2);
        QCOMPARE(view.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("桩号"));
        QCOMPARE(view.model()->headerData(3, Qt::Horizontal).toString(),
                 QStringLiteral("填高\n(m)"));
        QCOMPARE(view.model()->headerData(10, Qt::Horizontal).toString(), QStringLiteral("右边坡"));
        QCOMPARE(rowTexts(view, 0), (QStringList{"K1+000.000", "100.000", "101.250", "1.250", "",
                                                 "4.500", "4.500", "6.375", "6.375", "填", "填"}));
        QCOMPARE(rowTexts(view, 1),
                 (QStringList{"K1+020.000", "100.000", "", "", "", "", "", "", "", "", ""}));

        // Another survey of the same kind: the pane, still open, shows it.
        QVERIFY(document.replaceSurvey(section::Survey(survey(2000)), "打开文件", "b.hdm").done());
        QCOMPARE(view.model()->index(1, 0).data().toString(), QStringLiteral("K2+020.000"));

        // Back to a closed outline: no table, the pane gone and its entries off.
        QVERIFY(document
                    .replaceSurvey(section::emptySurvey(section::SurveyKind::ClosedOutline, false),
                                   "新建", "")
                    .done());
        QVERIFY(dock.isHidden());
        QVERIFY(!shown->isEnabled() && !print->isEnabled());
        QCOMPARE(view.model()->rowCount(), 0);
        // Undo brings the cut-and-fill survey back, its entries on again.
        document.undoStack()->undo();
        QVERIFY(shown->isEnabled() && print->isEnabled());
    }

    // Each pane shows its table as the printout makes it: every page's rows,
    // the 合计 last, the heads of grouped columns under their group; a closed
    // outline hides it and turns its entries off.
    void the_haul_and_earthworks_panes_show_their_tables_rows() {
        window::MainWindow mainWindow;
        document::SurveyDocument& document = mainWindow.document();
        using Producer =
            printout::QuantityTable (*)(const section::Survey&, const section::ProjectInfo&, int);
        const struct {
            QString view, print;
            window::QuantityTableDock& dock;
            Producer table;
        } panes[] = {
            {QStringLiteral("土方调配表(&U)"), QStringLiteral("导出土方调配表为 Excel"),
             mainWindow.haulTable(), printout::haulTable},
            {QStringLiteral("路基土石方数量计算表(&M)"),
             QStringLiteral("导出路基土石方数量计算表为 Excel"), mainWindow.earthworksTable(),
             printout::earthworksTable},
        };
        mainWindow.show();
        for (const auto& pane : panes) {
            QAction* shown = menuAction(mainWindow, pane.view);
            QAction* print = menuAction(mainWindow, pane.print);
            QCOMPARE(shown, pane.dock.toggleViewAction());
            QVERIFY(print && !print->isEnabled() && !shown->isEnabled());

            QVERIFY(
                document.replaceSurvey(section::Survey(cutThenFill()), "打开文件", "c.hdm").done());
            QVERIFY(shown->isEnabled() && print->isEnabled());
            shown->trigger();
            const QTableView& view = pane.dock.view();
            QCOMPARE(view.editTriggers(), QAbstractItemView::NoEditTriggers);
            const printout::QuantityTable table = pane.table(document.survey(), {}, 0);
            int row = 0;
            for (const printout::QuantityPage& page : table.pages) {
                for (const printout::QuantityRow& printed : page.rows) {
                    QStringList cells{QString::fromStdString(printed.key)};
                    for (const std::string& cell : printed.cells)
                        cells << QString::fromStdString(cell);
                    QCOMPARE(rowTexts(view, row++), cells);
                }
            }
            QCOMPARE(view.model()->rowCount(), row + 1);
            QCOMPARE(rowTexts(view, row).first(), QStringLiteral("合计"));
            for (std::size_t c = 0; c < table.columns.size(); ++c) {
                const QString head =
                    view.model()->headerData(int(c) + 1, Qt::Horizontal).toString();
                const printout::QuantityColumn& column = table.columns[c];
                QVERIFY(head.startsWith(QString::fromStdString(
                    column.group.empty() ? column.title : column.group + "\n")));
            }

            QVERIFY(
                document
                    .replaceSurvey(section::emptySurvey(section::SurveyKind::ClosedOutline, false),
                                   "新建", "")
                    .done());
            QVERIFY(pane.dock.isHidden());
            QVERIFY(!shown->isEnabled() && !print->isEnabled());
            QCOMPARE(view.model()->rowCount(), 0);
        }
    }
};

QTEST_MAIN(QuantityTableDockTest)
#include "quantity_table_dock_test.moc"
