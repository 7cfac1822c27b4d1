// SPDX-License-Identifier: GPL-3.0-or-later
// The window's layout follows the kind of survey: a cut-and-fill survey gets
// the workbench (the drawing large in the centre, the results below it, the
// table at the left), a closed outline the typed form with the drawing docked
// beside it; undo switches back too, and each kind's layout is remembered.

#include "window/workbench.h"

#include <QDockWidget>
#include <QFile>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "dialog_driver.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/table/survey_table_dock.h"
#include "window/views/main_form.h"
#include "window/views/results_overview.h"
#include "window/views/section_panel.h"

namespace {

const QByteArray kHdm =
    "BEGIN,1000\r\n-5,10\r\n5,10\r\nNEXT\r\n-5,8\r\n5,8\r\n"
    "BEGIN,1020\r\n-5,10\r\n5,10\r\nNEXT\r\n-5,9\r\n5,9\r\n";
const QByteArray kClosed =
    "断面,高程H,距离S,间距DL\n1,10,0,20\n1,10,4,\n1,8,2,\n2,8,0,\n2,9,3,\n2,7,1,\n";

}  // namespace

class WorkbenchTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    QString write(const QString& name, const QByteArray& bytes) const {
        QFile out(folder.filePath(name));
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        return out.fileName();
    }

    static bool formShown(window::MainWindow& mainWindow) { return mainWindow.form().isVisible(); }
    static QDockWidget* drawingDock(window::MainWindow& mainWindow) {
        return mainWindow.findChild<QDockWidget*>("drawingDock");
    }

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }
    void init() { QSettings().clear(); }  // each test starts with no layout remembered

    void a_cut_and_fill_survey_has_the_drawing_in_the_centre_and_a_closed_one_the_form() {
        window::MainWindow mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        QVERIFY(formShown(mainWindow));
        QVERIFY(drawingDock(mainWindow)->isVisible());
        DialogDriver none({});
        QVERIFY(mainWindow.openSurvey(write("road.hdm", kHdm)));
        QVERIFY(!formShown(mainWindow));
        QVERIFY(!drawingDock(mainWindow)->isVisible());
        window::SectionPanel& panel = mainWindow.sectionPanel();
        QVERIFY(panel.isVisible());
        QVERIFY(mainWindow.centralWidget()->isAncestorOf(&panel));
        QVERIFY(mainWindow.workbench().results().isVisible());
        QVERIFY(mainWindow.table().isVisible());
        // The drawing is the largest part of the window.
        QTRY_VERIFY(panel.width() > mainWindow.table().width());
        QVERIFY(panel.height() > mainWindow.workbench().results().height());

        QVERIFY(mainWindow.openSurvey(write("closed.csv", kClosed)));
        QVERIFY(formShown(mainWindow));
        QVERIFY(drawingDock(mainWindow)->isAncestorOf(&panel));
        QVERIFY(drawingDock(mainWindow)->isVisible());
        mainWindow.document().undoStack()->undo();  // the 里程文件 again
        QVERIFY(!formShown(mainWindow));
        QVERIFY(mainWindow.centralWidget()->isAncestorOf(&panel));
        QVERIFY(none.log().isEmpty());
    }

    void each_kinds_layout_is_remembered_across_runs() {
        QList<int> sizes;
        {
            window::MainWindow mainWindow;
            mainWindow.show();
            QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
            DialogDriver none({});
            QVERIFY(mainWindow.openSurvey(write("road.hdm", kHdm)));
            auto* split = mainWindow.centralWidget()->findChild<QSplitter*>();
            QVERIFY(split);
            const int total = split->sizes().value(0) + split->sizes().value(1);
            split->setSizes({total / 4, total - total / 4});
            sizes = split->sizes();
            mainWindow.table().hide();
            QVERIFY(mainWindow.close());
        }
        window::MainWindow mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        DialogDriver none({});
        QVERIFY(mainWindow.openSurvey(write("road.hdm", kHdm)));
        QCOMPARE(mainWindow.centralWidget()->findChild<QSplitter*>()->sizes(), sizes);
        QVERIFY(!mainWindow.table().isVisible());
    }
};

QTEST_MAIN(WorkbenchTest)
#include "workbench_test.moc"
