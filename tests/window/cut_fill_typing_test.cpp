// SPDX-License-Identifier: GPL-3.0-or-later
// 文件 ▸ 新建 ▸ 填挖方断面 in the real main window, then a ground line and a
// design line typed into the table, the drawing and the overview following.
#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "dialog_driver.h"
#include "document/survey_document.h"
#include "menu_action.h"
#include "storage/survey_io.h"
#include "window/edit_recovery.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/table/cut_fill_table_model.h"
#include "window/table/survey_table_dock.h"
#include "window/table/survey_table_model.h"
#include "window/table/survey_table_view.h"
#include "window/views/main_form.h"

namespace {

using Field = window::CutFillTableModel::Field;

}  // namespace

class CutFillTypingTest : public QObject {
    Q_OBJECT

    window::MainWindow* mainWindow = nullptr;

    document::SurveyDocument& document() const { return mainWindow->document(); }
    window::CutFillTableModel& table() const { return *mainWindow->table().view()->cutFillModel(); }
    QString cell(int row, Field field) const {
        return table().data(table().index(row, table().column(field)), Qt::DisplayRole).toString();
    }
    void type(int row, Field field, const QString& text) {
        QCOMPARE(table().commit(table().index(row, table().column(field)), text), QString());
    }

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }
    void init() {
        QFile::remove(window::unsavedEditsPath());
        mainWindow = new window::MainWindow;
    }
    void cleanup() {
        document().markSaved();
        delete mainWindow;
    }

    void a_new_cut_and_fill_survey_typed_into_the_table_gives_its_areas() {
        DialogDriver driver({press("填挖方断面"), press("输入桩号")});
        menuAction(*mainWindow, "新建")->trigger();
        QVERIFY(driver.scriptDone());
        QCOMPARE(document().survey().kind(), section::SurveyKind::CutFill);
        QVERIFY((*document().survey().cutFill()).stationsEntered());
        QVERIFY(!mainWindow->table().isHidden());
        QCOMPARE(table().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "线");
        type(0, Field::Key, "K1+000");
        QCOMPARE(cell(0, Field::Fill), "没有观测点");
        // The ground line, each point on its line's empty row.
        const QList<std::pair<QString, QString>> ground{{"0", "-20"}, {"0", "20"}};
        int row = 0;
        for (const auto& [h, s] : ground) {
            type(row, Field::Elevation, h);
            type(row, Field::Offset, s);
            ++row;
        }
        QCOMPARE(cell(0, Field::Fill), "只有地面线，没有设计线");
        ++row;  // past the ground line's empty row
        const QList<std::pair<QString, QString>> design{
            {"0", "-15"}, {"5", "-5"}, {"5", "5"}, {"0", "15"}};
        for (const auto& [h, s] : design) {
            QCOMPARE(cell(row, Field::LineName), "设计线");
            type(row, Field::Elevation, h);
            type(row, Field::Offset, s);
            ++row;
        }
        QCOMPARE(cell(0, Field::Cut), "0.000");
        QCOMPARE(cell(0, Field::Fill), "100.000");
        QCOMPARE((*document().survey().cutFill()).sections.front().design.size(), 4u);
        // A distance going back is refused with the cell named, nothing changed.
        const QString refusal =
            table().commit(table().index(4, table().column(Field::Offset)), "-30");
        QVERIFY2(refusal.contains("K1+000.000断面设计线第 2 点的距离S"), qPrintable(refusal));
        QVERIFY2(refusal.contains("第 3 点往回走了"), qPrintable(refusal));
        QCOMPARE(cell(4, Field::Offset), "-5");
        // The areas shown follow the next edit.
        type(4, Field::Elevation, "10");
        QCOMPARE(cell(0, Field::Fill), "150.000");
    }
};

QTEST_MAIN(CutFillTypingTest)
#include "cut_fill_typing_test.moc"
