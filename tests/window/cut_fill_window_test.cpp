// SPDX-License-Identifier: GPL-3.0-or-later
// A cut-and-fill survey through the real main window: a 里程文件 opened into
// the document and its table, saved in both formats and read back, a new one
// typed into the table, its sheet as a PDF; and the table's model alone:
// an edit goes to the document, its undo comes back to the table.
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "dialog_driver.h"
#include "document/survey_document.h"
#include "menu_action.h"
#include "section/cut_fill_calculation.h"
#include "storage/survey_io.h"
#include "window/edit_recovery.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/table/cut_fill_table_model.h"
#include "window/table/survey_table_dock.h"
#include "window/table/survey_table_model.h"
#include "window/table/survey_table_view.h"
#include "window/views/main_form.h"
#include "window/views/warnings_dock.h"

namespace {

using Field = window::CutFillTableModel::Field;

// Two embankments 10 m wide and 5 m high on flat ground, 2:1 slopes: 100 m²
// of fill each. Offsets negative to the left.
const char* const kHdm =
    "BEGIN,1000.000:1\r\n-20.000,0.000\r\n20.000,0.000\r\nNEXT\r\n"
    "-15.000,0.000\r\n-5.000,5.000\r\n5.000,5.000\r\n15.000,0.000\r\n"
    "BEGIN,1020.000:2\r\n-20.000,0.000\r\n20.000,0.000\r\nNEXT\r\n"
    "-15.000,0.000\r\n-5.000,5.000\r\n5.000,5.000\r\n15.000,0.000\r\n";

}  // namespace

class CutFillWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    window::MainWindow* mainWindow = nullptr;

    QString file(const QString& name) const { return dir.filePath(name); }
    document::SurveyDocument& document() const { return mainWindow->document(); }
    window::CutFillTableModel& table() const { return *mainWindow->table().view()->cutFillModel(); }
    QString cell(int row, Field field) const {
        return table().data(table().index(row, table().column(field)), Qt::DisplayRole).toString();
    }
    void type(int row, Field field, const QString& text) {
        QCOMPARE(table().commit(table().index(row, table().column(field)), text), QString());
    }
    void openHdm() {
        QFile out(file("road.hdm"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(kHdm);
        out.close();
        QVERIFY(mainWindow->openSurvey(file("road.hdm")));
    }
    // Saved through 文件 ▸ 另存为 as `name`, then read back as the window opens it.
    section::CutFillSurvey savedAndReadBack(const QString& name) {
        DialogDriver driver({chooseFile(file(name))});
        menuAction(*mainWindow, "测量数据另存为")->trigger();
        [&] { QVERIFY(driver.scriptDone()); }();
        storage::OpenedSurvey opened = storage::openSurvey(file(name));
        [&] { QVERIFY2(opened.survey && opened.survey->cutFill(), qPrintable(opened.error)); }();
        section::CutFillSurvey back = *opened.survey->cutFill();
        [&] { QVERIFY(!section::calculateCutFill(back)); }();
        return back;
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

    void an_opened_hdm_is_a_cut_and_fill_survey_with_both_lines_in_the_table() {
        openHdm();
        QCOMPARE(document().survey().kind(), section::SurveyKind::CutFill);
        QCOMPARE(document().undoStack()->undoText(), "打开文件");
        QCOMPARE((*document().survey().cutFill()).totalFill, 2000.0);
        QCOMPARE(mainWindow->table().view()->shownModel(), &table());
        // Section 1: two ground points, a row for the next, four design points, a row for the next.
        QCOMPARE(cell(0, Field::LineName), "地面线");
        QCOMPARE(cell(0, Field::Offset), "20");
        QCOMPARE(cell(2, Field::Elevation), "");
        QCOMPARE(cell(3, Field::LineName), "设计线");
        QCOMPARE(cell(4, Field::Elevation), "5");
        QCOMPARE(cell(0, Field::Cut), "0.000");
        QCOMPARE(cell(0, Field::Fill), "100.000");
        QCOMPARE(cell(8, Field::Key), "1020");
        QCOMPARE(table().rowCount(), 17);
        // The boxes of a closed run show nothing.
        for (const QString& box : mainWindow->form().screen()) QCOMPARE(box, QString());
    }

    void saving_writes_the_kind_held_in_the_format_of_the_chosen_ending() {
        openHdm();
        QCOMPARE(savedAndReadBack("again.hdm"), (*document().survey().cutFill()));
        QVERIFY(!document().modified());
        QCOMPARE(savedAndReadBack("again.csv"), (*document().survey().cutFill()));
        QFile csv(file("again.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(csv.readAll()).contains("地面线"));
        // A closed outline opened after it puts the closed model back.
        QFile closed(file("closed.csv"));
        QVERIFY(closed.open(QIODevice::WriteOnly));
        closed.write("桩号,高程H,距离S\n1000,1,0\n1000,2,1\n1000,1,2\n");
        closed.close();
        QVERIFY(mainWindow->openSurvey(file("closed.csv")));
        QCOMPARE(document().survey().kind(), section::SurveyKind::ClosedOutline);
        QCOMPARE(mainWindow->table().view()->shownModel(),
                 static_cast<window::TableModel*>(mainWindow->table().view()->tableModel()));
    }

    void saving_as_hdm_asks_first_when_the_file_cannot_keep_everything() {
        openHdm();
        section::ProjectInfo project;
        project.projectName = "某公路";
        document().setProject(project);
        type(1, Field::Offset, "-20.0004");  // finer than the millimetre
        const auto save = [&](const QString& button) {
            DialogDriver driver({chooseFile(file("kept.hdm")), press(button)});
            QString offered;  // the file type the dialog opens on: the open file's
            driver.onOpen([&](QWidget* dialog) {
                if (auto* files = qobject_cast<QFileDialog*>(dialog))
                    offered = files->selectedNameFilter();
            });
            menuAction(*mainWindow, "测量数据另存为")->trigger();
            QCOMPARE(offered, "里程文件 (*.hdm)");
            QVERIFY(driver.scriptDone());
            const QString asked = driver.log().last();
            QVERIFY2(asked.startsWith("message: “kept.hdm”是里程文件，其中不能保存"),
                     qPrintable(asked));
            QVERIFY(asked.contains("工程信息"));
            QVERIFY(asked.contains("三位小数"));
        };
        save("取消");
        QVERIFY(!QFile::exists(file("kept.hdm")));
        QVERIFY(document().modified());
        save("保存为里程文件");
        QVERIFY(QFile::exists(file("kept.hdm")));
        QVERIFY(!document().modified());
        // As CSV nothing is left out, and nothing is asked.
        QCOMPARE(savedAndReadBack("kept.csv"), (*document().survey().cutFill()));
    }

    void an_edit_goes_to_the_document_and_its_undo_back_to_the_table() {
        // The model alone on a document: the drawing's own following is its own test's.
        document::SurveyDocument alone;
        QFile out(file("alone.hdm"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(kHdm);
        out.close();
        QVERIFY(alone
                    .replaceSurvey(std::move(*storage::openSurvey(file("alone.hdm")).survey),
                                   "打开文件", {})
                    .done());
        window::CutFillTableModel model(alone);
        const auto cellOf = [&model](int row, Field field) {
            return model.data(model.index(row, model.column(field)), Qt::DisplayRole).toString();
        };
        QCOMPARE(model.commit(model.index(4, model.column(Field::Elevation)), "6"), QString());
        QCOMPARE((*alone.survey().cutFill()).sections[0].design[1].elevation, 6.0);
        QCOMPARE(alone.undoStack()->undoText(), "修改高程");
        QVERIFY(cellOf(0, Field::Fill) != "100.000");
        alone.undoStack()->undo();
        QCOMPARE(cellOf(4, Field::Elevation), "5");
        QCOMPARE(cellOf(0, Field::Fill), "100.000");
        // A paste of a point's two cells is one step; the areas are passed over.
        QCOMPARE(model.paste(2, model.column(Field::Elevation), "0\t-25\t9\t9\n"), QString());
        QCOMPARE(alone.undoStack()->undoText(), "粘贴");
        QCOMPARE((*alone.survey().cutFill()).sections[0].ground.size(), 3u);
        QCOMPARE(model.rowCount(), 18);
        alone.undoStack()->undo();
        QCOMPARE(model.rowCount(), 17);
        // Deleting a section's rows and their undo.
        QCOMPARE(model.deleteSection(9), QString());
        QCOMPARE((*alone.survey().cutFill()).sectionCount(), 1);
        QCOMPARE(model.rowCount(), 9);
        alone.undoStack()->undo();
        QCOMPARE(model.rowCount(), 17);
        QCOMPARE(cellOf(8, Field::Key), "1020");
        // The areas are worked out, not typed.
        QVERIFY(model.commit(model.index(0, model.column(Field::Cut)), "1").contains("由计算得出"));
    }

    void the_warnings_pane_lists_a_section_without_areas_and_a_new_survey_clears_it() {
        QFile out(file("ground only.hdm"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(kHdm);
        out.write("BEGIN,1040.000:3\r\n-20.000,0.000\r\n20.000,0.000\r\n");
        out.close();
        QVERIFY(mainWindow->openSurvey(file("ground only.hdm")));
        const QStringList lines = mainWindow->warnings().lines();
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].startsWith("K1+040.000断面") && lines[0].contains("没有设计线"),
                 qPrintable(lines[0]));
        QCOMPARE(mainWindow->warnings().statusWord(), "⚠ 1 条计算提醒");
        document().markSaved();
        DialogDriver driver({press("填挖方断面"), press("输入桩号")});
        menuAction(*mainWindow, "新建")->trigger();
        QVERIFY(driver.scriptDone());
        QCOMPARE((*document().survey().cutFill()).sectionCount(), 0);
        QVERIFY(mainWindow->warnings().lines().isEmpty());
        QCOMPARE(mainWindow->warnings().statusWord(), QString());
    }

    // The pane follows the document: an edit's first warning shows it, an
    // undo takes it away; a pane closed on purpose stays closed while typing.
    void the_warnings_pane_follows_edits_and_their_undo() {
        using document::Column;
        openHdm();
        window::WarningsDock& pane = mainWindow->warnings();
        QVERIFY(pane.isHidden());
        QVERIFY(document().setCell({2, 0, Column::Station, 1000}).done());
        QCOMPARE(pane.lines().size(), 1);
        QVERIFY2(pane.lines()[0].contains("K1+000.000"), qPrintable(pane.lines()[0]));
        QVERIFY(!pane.isHidden());
        QCOMPARE(pane.statusWord(), "⚠ 1 条计算提醒");
        pane.hide();
        QVERIFY(document().setCell({1, 1, Column::Elevation, 0.5, document::Line::Ground}).done());
        QVERIFY(pane.isHidden());
        QCOMPARE(pane.statusWord(), "⚠ 1 条计算提醒");
        document().undoStack()->undo();
        document().undoStack()->undo();
        QVERIFY(pane.lines().isEmpty());
        QVERIFY(pane.isHidden());
        QCOMPARE(pane.statusWord(), QString());
        document().undoStack()->undo();  // the survey before the file: none
        document().undoStack()->redo();  // the file again, as it was opened
        QVERIFY(pane.isHidden());
        document().undoStack()->redo();
        QVERIFY(!pane.isHidden());
    }

    void the_pdf_is_the_cut_and_fill_sheet() {
        openHdm();
        const QString pdf = file("sheet.pdf");
        DialogDriver driver({chooseFile(pdf)});
        QVERIFY(mainWindow->printing().exportPdf(document()));
        QVERIFY(driver.scriptDone());
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString sheet = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QVERIFY2(sheet.contains("填方面积=100.000"), qPrintable(sheet));
        QVERIFY2(sheet.contains("总填方 : 2000.000"), qPrintable(sheet));
        QVERIFY2(sheet.contains("净方量 (挖-填) : -2000.000"), qPrintable(sheet));
    }
};

QTEST_MAIN(CutFillWindowTest)
#include "cut_fill_window_test.moc"
