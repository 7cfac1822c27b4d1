// SPDX-License-Identifier: GPL-3.0-or-later
// The 路基设计表 pane: the rows of the document's survey under their heads,
// read-only, following its changes; for a closed outline hidden, and its
// menu entries (视图 and 文件) disabled.

#include "window/views/road_table_dock.h"

#include <QAction>
#include <QHeaderView>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QUndoStack>

#include "document/survey_document.h"
#include "menu_action.h"
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

class RoadTableDockTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { QSettings().clear(); }  // no layout remembered from an earlier run

    void the_pane_shows_the_rows_of_a_cut_and_fill_survey_and_follows_its_changes() {
        window::MainWindow mainWindow;
        document::SurveyDocument& document = mainWindow.document();
        window::RoadTableDock& dock = mainWindow.roadTable();
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
};

QTEST_MAIN(RoadTableDockTest)
#include "road_table_dock_test.moc"
