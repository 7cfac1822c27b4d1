// SPDX-License-Identifier: GPL-3.0-or-later
// Blocks pasted into the cut-and-fill table go where the closed outline's
// table puts them: past the last section into new sections, from a line's
// empty row on along that line (never over into the next line), a 线 column
// choosing the line; one step each. A value typed on a new survey before its
// station is told, not dropped; the drawing rings the table's current point.

#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>
#include <cmath>
#include <cstdlib>

#include "dialog_driver.h"
#include "document/survey_document.h"
#include "menu_action.h"
#include "window/edit_recovery.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/table/survey_table_dock.h"
#include "window/table/survey_table_model.h"
#include "window/table/survey_table_view.h"
#include "window/views/drawing_style.h"
#include "window/views/main_form.h"
#include "window/views/section_canvas.h"
#include "window/views/section_panel.h"

namespace {

using Field = window::SurveyTableModel::Field;

// K0+000: the ground at 100 from S = -10 to 10, the design at 99 from -5 to 5.
// Its rows: ground 0-1, the ground's empty row 2, design 3-4, the design's
// empty row 5, the empty row at the end 6.
section::CutFillSurvey oneSection() {
    section::CutFillSurvey survey;
    survey.stationAnswer = "Y";
    survey.sections.push_back({});
    survey.sections[0].ground = {{100, -10}, {100, 10}};
    survey.sections[0].design = {{99, -5}, {99, 5}};
    return survey;
}

// A line's distances, "S1 S2 …".
QString offsets(const std::vector<section::Point>& line) {
    QStringList list;
    for (const section::Point& point : line) list << QString::number(point.offset);
    return list.join(u' ');
}

// The survey's lines: "地面线 S… / 设计线 S…" per section, sections joined by " | ".
QString lines(const section::CutFillSurvey& survey) {
    QStringList list;
    for (const section::CutFillSection& s : survey.sections)
        list << QString::number(s.station) + ": " + offsets(s.ground) + " / " + offsets(s.design);
    return list.join(" | ");
}

}  // namespace

class CutFillPasteTest : public QObject {
    Q_OBJECT

    window::MainWindow* mainWindow = nullptr;

    document::SurveyDocument& document() const { return mainWindow->document(); }
    window::SurveyTableView& view() const { return *mainWindow->table().view(); }
    window::SurveyTableModel& table() const { return *view().tableModel(); }

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }
    void init() {
        QFile::remove(window::unsavedEditsPath());
        mainWindow = new window::MainWindow;
        QVERIFY(document().replaceSurvey(section::Survey(oneSection()), "打开文件", "").done());
    }
    void cleanup() {
        document().markSaved();
        delete mainWindow;
    }

    void blocks_paste_as_in_the_closed_outlines_table_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("block");
        QTest::addColumn<QString>("after");
        QTest::newRow("a new section, its lines named, on the empty row at the end")
            << 6 << int(Field::Key)
            << "K0+020\t地面线\t100\t-10\nK0+020\t地面线\t100\t10\n"
               "K0+020\t设计线\t99\t-5\nK0+020\t设计线\t99\t5\n"
            << "0: -10 10 / -5 5 | 20: -10 10 / -5 5";
        QTest::newRow("two new sections, a spreadsheet's 线 column first")
            << 6 << int(Field::Key)
            << "K0+020\t设计线\t99\t-5\nK0+020\t设计线\t99\t5\nK0+020\t地面线\t100\t-10\n"
               "K0+020\t地面线\t100\t10\nK0+040\t地面线\t100\t-10\nK0+040\t地面线\t100\t10\n"
            << "0: -10 10 / -5 5 | 20: -10 10 / -5 5 | 40: -10 10 / ";
        QTest::newRow("points without a key or line go on with the last ground line")
            << 6 << int(Field::Elevation) << "100\t11\n100\t12\n"
            << "0: -10 10 11 12 / -5 5";
        QTest::newRow("design points on the design line's empty row")
            << 5 << int(Field::Elevation) << "98\t6\n97\t7\n"
            << "0: -10 10 / -5 5 6 7";
        QTest::newRow("ground points on the ground line's empty row stay on the ground line")
            << 2 << int(Field::Elevation) << "100\t11\n100\t12\n100\t13\n"
            << "0: -10 10 11 12 13 / -5 5";
        QTest::newRow("a 线 column on the ground's empty row moves on to the design line")
            << 2 << int(Field::Key) << "K0+000\t地面线\t100\t11\nK0+000\t设计线\t99\t6\n"
            << "0: -10 10 11 / -5 5 6";
        QTest::newRow("from a point on through the line's empty row")
            << 4 << int(Field::Elevation) << "99\t4\n98\t6\n"
            << "0: -10 10 / -5 4 6";
    }
    void blocks_paste_as_in_the_closed_outlines_table() {
        QFETCH(int, row);
        QFETCH(int, field);
        QFETCH(QString, block);
        QFETCH(QString, after);
        const int steps = document().undoStack()->count();
        QCOMPARE(table().paste(row, table().column(Field(field)), block), QString());
        QCOMPARE(lines((*document().survey().cutFill())), after);
        QCOMPARE(document().undoStack()->count(), steps + 1);
        QCOMPARE(document().undoStack()->undoText(), "粘贴");
        document().undoStack()->undo();
        QCOMPARE(lines((*document().survey().cutFill())), lines(oneSection()));
        // The table follows the new rows: the last row is the empty one.
        document().undoStack()->redo();
        QCOMPARE(table().place(table().rowCount() - 1).section, 0);
        QCOMPARE(table().place(table().rowCount() - 2).section,
                 (*document().survey().cutFill()).sectionCount());
    }

    // Without stations the key is the section's number and the spacing is
    // the section's own: the last one's, given with the new section after it.
    void sections_without_stations_are_numbered_and_take_their_spacings() {
        section::CutFillSurvey survey = oneSection();
        survey.stationAnswer = "N";
        QVERIFY(document().replaceSurvey(section::Survey(survey), "打开文件", "").done());
        QCOMPARE(table().columnCount(), 7);
        QCOMPARE(table().paste(6, 0,
                               "1\t地面线\t100\t11\t25\n2\t地面线\t100\t-10\n"
                               "2\t地面线\t100\t10\n2\t设计线\t99\t0\n"),
                 QString());
        QCOMPARE(lines((*document().survey().cutFill())), "0: -10 10 11 / -5 5 | 0: -10 10 / 0");
        QCOMPARE((*document().survey().cutFill()).sections[0].spacing, 25.0);
        const QString refusal = table().paste(table().dataRows(), 0, "4\t地面线\t100\t-10\n");
        QVERIFY2(refusal.contains("“4”不是下一个断面的编号"), qPrintable(refusal));
        QVERIFY2(refusal.contains("这里应为 3"), qPrintable(refusal));
    }

    void a_block_that_cannot_be_placed_is_refused_whole_data() {
        QTest::addColumn<QString>("section");  // pasted at the end first, when given
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("block");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("a line of another name") << "" << 6 << "K0+020\t中线\t100\t-10\n"
                                                << "第 7 行第 2 列“中线”不是有效的线";
        QTest::newRow("a point without its distance") << "" << 6 << "K0+020\t地面线\t100\n"
                                                      << "第 7 行第 4 列没有距离";
        QTest::newRow("another station on a line's empty row before the last section")
            << "K0+020\t地面线\t100\t-10\n"
            << 2 << "K0+040\t地面线\t100\t11\n"
            << "第 3 行第 1 列与这个断面的桩号不同：新的断面请粘贴在最后一行";
        QTest::newRow("a cell beyond the table's columns")
            << "" << 6 << "K0+020\t地面线\t100\t-10\t\t\t9\n"
            << "第 7 行第 7 列“9”在表格之外";
    }
    void a_block_that_cannot_be_placed_is_refused_whole() {
        QFETCH(QString, section);
        QFETCH(int, row);
        QFETCH(QString, block);
        QFETCH(QString, refusal);
        if (!section.isEmpty()) QCOMPARE(table().paste(table().dataRows(), 0, section), QString());
        const QString before = lines((*document().survey().cutFill()));
        QSignalSpy told(&table(), &window::SurveyTableModel::refused);
        const int steps = document().undoStack()->count();
        const QString message = table().paste(row, 0, block);
        QVERIFY2(message.contains(refusal), qPrintable(message));
        QVERIFY2(message.endsWith("粘贴没有进行，数据保持不变。"), qPrintable(message));
        QCOMPARE(told.size(), 1);
        QCOMPARE(document().undoStack()->count(), steps);
        QCOMPARE(lines((*document().survey().cutFill())), before);
    }

    void a_value_typed_on_a_new_survey_before_its_station_is_told() {
        document().markSaved();
        DialogDriver driver({press("填挖方断面"), press("输入桩号")});
        menuAction(*mainWindow, "新建")->trigger();
        QVERIFY(driver.scriptDone());
        QCOMPARE((*document().survey().cutFill()).sectionCount(), 0);
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        view().setFocus();
        view().setCurrentIndex(table().index(0, table().column(Field::Elevation)));
        QTest::keyClick(&view(), '5');
        const QString told = mainWindow->statusBar()->currentMessage();
        QVERIFY2(told.contains("第 1 行（最后一行）的高程H不能输入"), qPrintable(told));
        QVERIFY2(told.contains("请先在这一行输入桩号"), qPrintable(told));
        QCOMPARE((*document().survey().cutFill()).sectionCount(), 0);
    }

    // The ground's second point, then the design's first: each ringed in turn.
    void the_drawing_rings_the_tables_current_point() {
        mainWindow->resize(1200, 800);
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        window::SectionCanvas& canvas = mainWindow->sectionPanel().canvas();
        for (const auto& [row, point] :
             {std::pair{1, section::Point{100, 10}}, std::pair{3, section::Point{99, -5}}}) {
            view().setCurrentIndex(table().index(row, table().column(Field::Offset)));
            const QImage image = canvas.grab().toImage();
            const window::Pixel at = canvas.scale().toPixel(point.offset, point.elevation);
            int near = 0, far = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    const QColor h = window::kHighlightColour;
                    if (std::abs(c.red() - h.red()) + std::abs(c.green() - h.green()) +
                            std::abs(c.blue() - h.blue()) >=
                        40)
                        continue;
                    (std::hypot(x - at.x, y - at.y) < 10 ? near : far) += 1;
                }
            QVERIFY2(near > 20, qPrintable(QString::number(near)));
            QCOMPARE(far, 0);
        }
        // A station cell rings nothing.
        view().setCurrentIndex(table().index(1, table().column(Field::Key)));
        QCOMPARE(canvas.picture().highlighted.point, 0);
    }
};

QTEST_MAIN(CutFillPasteTest)
#include "cut_fill_paste_test.moc"
