// SPDX-License-Identifier: GPL-3.0-or-later
// The survey table typed into with the keyboard as a spreadsheet, and a block
// pasted through the clipboard.

#include "window/table/survey_table_view.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>
#include <QUndoStack>

#include "survey_file/survey_file.h"
#include "window/main_window.h"
#include "window/table/survey_table_dock.h"
#include "window/table/survey_table_model.h"
#include "window/views/main_form.h"
#include "window/views/section_canvas.h"
#include "window/views/section_panel.h"

using window::SurveyTableModel;
using window::SurveyTableView;

class SurveyTableViewTest : public QObject {
    Q_OBJECT

  private slots:
    // Key by key to whatever has the focus: the first key opens the editor,
    // which takes the rest, as when a user types.
    static void type(QWidget& view, const QString& text) {
        for (const QChar c : text) {
            QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : &view;
            QTest::keyClick(to, c.toLatin1());
        }
    }

    void a_survey_is_typed_corrected_and_pasted_with_the_keyboard() {
        document::SurveyDocument document;
        auto read = survey_file::readSurvey("桩号,高程H,距离S\n100,50,2\n100,51,0\n100,50,-2\n");
        QVERIFY(read.survey);
        document.replaceSurvey(std::move(*read.survey), "打开文件", "");
        window::SurveyTableDock dock(document);
        QCOMPARE(dock.windowTitle(), "测量数据表");
        SurveyTableView& view = *dock.view();
        dock.resize(500, 400);
        dock.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dock));
        dock.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dock));
        QSignalSpy current(&view, &SurveyTableView::currentPointChanged);
        QSignalSpy message(&view, &SurveyTableView::message);
        view.focusCurrentCell();
        QCOMPARE(view.currentIndex(), view.model()->index(0, view.tableModel()->elevationColumn()));
        QVERIFY(!current.isEmpty());
        QCOMPARE(current.back()[0].toInt(), 1);
        QCOMPARE(current.back()[1].toInt(), 1);

        // Typing replaces the cell; Enter commits and moves down.
        type(view, "49.5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(document.survey().closedOutline()->elevations(1, 1), 49.5);
        QCOMPARE(view.currentIndex().row(), 1);

        // A bad value keeps the editor open with the reason.
        type(view, "5x");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        QCOMPARE(message.back()[0].toString(), "第 2 行第 2 列“5x”不是有效的高程");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(document.survey().closedOutline()->elevations(1, 2), 5.0);
        QCOMPARE(view.currentIndex().column(), view.tableModel()->offsetColumn());

        // Tab at the end of a row goes on to the next row; Enter back to where the Tabs began.
        type(view, "1");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(view.currentIndex(), view.model()->index(2, SurveyTableModel::Key));
        view.setCurrentIndex(view.model()->index(3, view.tableModel()->elevationColumn()));
        type(view, "47");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        type(view, "-5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(document.survey().closedOutline()->pointCounts(1), 4);
        QCOMPARE(document.survey().closedOutline()->offsets(1, 4), -5.0);
        QCOMPARE(view.currentIndex(), view.model()->index(4, view.tableModel()->elevationColumn()));

        // F2 edits in place: the text stays and the typing goes on at its end.
        view.setCurrentIndex(view.model()->index(0, view.tableModel()->offsetColumn()));
        QTest::keyClick(&view, Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), "5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(document.survey().closedOutline()->offsets(1, 1), 25.0);

        // A block through the clipboard, one step, past the last row too.
        const int steps = document.undoStack()->count();
        QApplication::clipboard()->setText("100\t60\t1\r\n120\t61\t2\r\n");
        view.setCurrentIndex(view.model()->index(3, SurveyTableModel::Key));
        QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(document.undoStack()->count(), steps + 1);
        QCOMPARE(document.survey().sectionCount(), 2);
        QCOMPARE(document.survey().closedOutline()->elevations(1, 4), 60.0);
        QCOMPARE(document.survey().closedOutline()->elevations(2, 1), 61.0);

        // Copy gives tab-separated lines; Alt+Down moves the point, Ctrl+Delete deletes it.
        view.selectionModel()->setCurrentIndex(
            view.model()->index(0, view.tableModel()->elevationColumn()),
            QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), "49.5\n");
        QTest::keyClick(&view, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(document.survey().closedOutline()->elevations(1, 2), 49.5);
        QCOMPARE(view.currentIndex().row(), 1);
        QTest::keyClick(&view, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(document.survey().closedOutline()->pointCounts(1), 3);
        QCOMPARE(document.undoStack()->undoText(), "删除观测点");
    }

    // A refused value is not left half-typed when the user goes elsewhere: the
    // cell shows the survey's value again and the status bar keeps the reason.
    void a_refused_value_left_by_a_click_or_the_focus_shows_the_survey_again() {
        window::MainWindow mainWindow;
        document::SurveyDocument& document = mainWindow.document();
        auto read = survey_file::readSurvey("桩号,高程H,距离S\n100,50,2\n100,51,0\n100,50,-2\n");
        QVERIFY(read.survey);
        document.replaceSurvey(std::move(*read.survey), "打开文件", "");
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        mainWindow.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
        mainWindow.table().show();
        SurveyTableView& view = *mainWindow.table().view();
        const section::SectionSurvey before = (*document.survey().closedOutline());
        const int steps = document.undoStack()->count();
        const QString refusal = "第 1 行第 2 列“5x”不是有效的高程";
        const auto refuse = [&] {
            view.setCurrentIndex(view.model()->index(0, view.tableModel()->elevationColumn()));
            view.focusCurrentCell();
            type(view, "5x");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
            QCOMPARE(mainWindow.statusBar()->currentMessage(), refusal);
            QVERIFY(QToolTip::isVisible());
            QCOMPARE(QToolTip::text(), refusal);
        };
        const auto expectShownAgain = [&](const char* after) {
            QVERIFY2(
                !view.indexWidget(view.model()->index(0, view.tableModel()->elevationColumn())),
                after);
            QCOMPARE(view.model()->index(0, view.tableModel()->elevationColumn()).data().toString(),
                     "50");
            QCOMPARE(mainWindow.statusBar()->currentMessage(), refusal);
            QVERIFY2((*document.survey().closedOutline()) == before, after);
            QCOMPARE(document.undoStack()->count(), steps);
            QVERIFY2(!QToolTip::isVisible(), after);  // the reason is not left beside another cell
        };

        refuse();
        const QModelIndex other = view.model()->index(2, view.tableModel()->offsetColumn());
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(other).center());
        QCOMPARE(view.currentIndex(), other);
        expectShownAgain("a click on another cell");

        refuse();
        view.setCurrentIndex(view.model()->index(1, view.tableModel()->elevationColumn()));
        expectShownAgain("another cell chosen by the keyboard");

        // Left without Enter: refused as it goes, with the same reason.
        view.setCurrentIndex(view.model()->index(0, view.tableModel()->elevationColumn()));
        mainWindow.statusBar()->clearMessage();
        type(view, "5x");
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(other).center());
        expectShownAgain("a click without Enter");

        refuse();
        mainWindow.form().setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        expectShownAgain("the focus elsewhere");

        // The same cell chosen again edits afresh, from the survey's value.
        view.setCurrentIndex(view.model()->index(0, view.tableModel()->elevationColumn()));
        view.focusCurrentCell();
        QTest::keyClick(&view, Qt::Key_F2);
        auto* line = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(line);
        QCOMPARE(line->text(), "50");

        // The next good edit takes the refusal off the status bar.
        line->setText("49");
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(document.survey().closedOutline()->elevations(1, 1), 49.0);
        QCOMPARE(mainWindow.statusBar()->currentMessage(), QString());
    }

    // The drawing follows the current cell: its section shown, its point ringed
    // on a value cell and none on a station cell or the empty row.
    void the_current_point_is_ringed_in_the_drawing() {
        window::MainWindow mainWindow;
        document::SurveyDocument& document = mainWindow.document();
        auto read = survey_file::readSurvey(
            "桩号,高程H,距离S\n100,50,2\n100,51,0\n100,50,-2\n120,50,2\n120,52,0\n120,50,-2\n");
        QVERIFY(read.survey);
        document.replaceSurvey(std::move(*read.survey), "打开文件", "");
        mainWindow.show();
        mainWindow.showTable();
        SurveyTableView& view = *mainWindow.table().view();
        const window::SectionCanvas& canvas = mainWindow.sectionPanel().canvas();
        const auto go = [&](int row, int column) {
            view.setCurrentIndex(view.model()->index(row, column));
        };
        go(4, view.tableModel()->offsetColumn());
        QCOMPARE(mainWindow.sectionPanel().title(), "K0+120.000");
        QCOMPARE(canvas.picture().highlighted.point, 2);
        go(2, view.tableModel()->elevationColumn());
        QCOMPARE(mainWindow.sectionPanel().title(), "K0+100.000");
        QCOMPARE(canvas.picture().highlighted.point, 3);
        // An edit redraws the section and keeps the ring.
        QVERIFY(view.model()->setData(view.currentIndex(), "49"));
        QCOMPARE(canvas.picture().highlighted.point, 3);
        go(2, SurveyTableModel::Key);
        QCOMPARE(canvas.picture().highlighted.point, 0);
        go(4, view.tableModel()->elevationColumn());
        go(view.model()->rowCount() - 1, view.tableModel()->elevationColumn());
        QCOMPARE(mainWindow.sectionPanel().title(), "K0+120.000");
        QCOMPARE(canvas.picture().highlighted.point, 0);
    }
};

QTEST_MAIN(SurveyTableViewTest)
#include "survey_table_view_test.moc"
