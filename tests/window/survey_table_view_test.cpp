// SPDX-License-Identifier: GPL-3.0-or-later
// The survey table typed into with the keyboard as a spreadsheet, and a block
// pasted through the clipboard.

#include "window/table/survey_table_view.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include "survey_file/survey_file.h"
#include "window/table/survey_table_dock.h"
#include "window/table/survey_table_model.h"

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
        document.replaceSurvey(*read.survey, "打开文件", "");
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
        QCOMPARE(view.currentIndex(), view.model()->index(0, SurveyTableModel::Elevation));
        QVERIFY(!current.isEmpty());
        QCOMPARE(current.back()[0].toInt(), 1);
        QCOMPARE(current.back()[1].toInt(), 1);

        // Typing replaces the cell; Enter commits and moves down.
        type(view, "49.5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(document.survey().elevations(1, 1), 49.5);
        QCOMPARE(view.currentIndex().row(), 1);

        // A bad value keeps the editor open with the reason.
        type(view, "5x");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        QCOMPARE(message.back()[0].toString(), "第 2 行第 2 列“5x”不是有效的高程");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(document.survey().elevations(1, 2), 5.0);
        QCOMPARE(view.currentIndex().column(), int(SurveyTableModel::Offset));

        // Tab at the end of a row goes on to the next row; Enter back to where the Tabs began.
        type(view, "1");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(view.currentIndex(), view.model()->index(2, SurveyTableModel::Key));
        view.setCurrentIndex(view.model()->index(3, SurveyTableModel::Elevation));
        type(view, "47");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        type(view, "-5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(document.survey().pointCounts(1), 4);
        QCOMPARE(document.survey().offsets(1, 4), -5.0);
        QCOMPARE(view.currentIndex(), view.model()->index(4, SurveyTableModel::Elevation));

        // F2 edits in place: the text stays and the typing goes on at its end.
        view.setCurrentIndex(view.model()->index(0, SurveyTableModel::Offset));
        QTest::keyClick(&view, Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), "5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(document.survey().offsets(1, 1), 25.0);

        // A block through the clipboard, one step, past the last row too.
        const int steps = document.undoStack()->count();
        QApplication::clipboard()->setText("100\t60\t1\r\n120\t61\t2\r\n");
        view.setCurrentIndex(view.model()->index(3, SurveyTableModel::Key));
        QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(document.undoStack()->count(), steps + 1);
        QCOMPARE(document.survey().sectionCount(), 2);
        QCOMPARE(document.survey().elevations(1, 4), 60.0);
        QCOMPARE(document.survey().elevations(2, 1), 61.0);

        // Copy gives tab-separated lines; Alt+Down moves the point, Ctrl+Delete deletes it.
        view.selectionModel()->setCurrentIndex(view.model()->index(0, SurveyTableModel::Elevation),
                                               QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), "49.5\n");
        QTest::keyClick(&view, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(document.survey().elevations(1, 2), 49.5);
        QCOMPARE(view.currentIndex().row(), 1);
        QTest::keyClick(&view, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(document.survey().pointCounts(1), 3);
        QCOMPARE(document.undoStack()->undoText(), "删除观测点");
    }
};

QTEST_MAIN(SurveyTableViewTest)
#include "survey_table_view_test.moc"
