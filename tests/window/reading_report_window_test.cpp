// SPDX-License-Identifier: GPL-3.0-or-later
// What reading a file told, in the window: a conversion from feet and the
// gaps of lines in pieces listed above the warnings, the pane shown and no
// dialog in the way; the materials in a column of the results; none of it
// for a file that told nothing, and gone with the next file opened.

#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "dialog_driver.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/views/results_overview.h"
#include "window/views/warnings_dock.h"

namespace {

QString realFile(const QString& name) {
    return QStringLiteral(VELMORIN_REAL_FILES "/") + name;
}

// The first row's 材料 with the column's head, or nothing without the column.
QString materials(const QTableWidget& table) {
    const int last = table.columnCount() - 1;
    const QString head = table.horizontalHeaderItem(last)->text().remove(u'\n');
    return head == QStringLiteral("材料(平方米)") ? head + u' ' + table.item(0, last)->text()
                                                  : QString();
}

}  // namespace

class ReadingReportWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    QString plainCsv() {
        const QString path = folder.filePath(QStringLiteral("plain.csv"));
        QFile out(path);
        if (out.open(QIODevice::WriteOnly)) out.write("桩号,高程H,距离S\n0,1,0\n0,1,2\n0,0,2\n");
        return path;
    }

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }
    void init() { QSettings().clear(); }  // no layout remembered

    void opening_tells_what_the_reading_told_without_a_dialog_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("note");       // how the pane's first line starts
        QTest::addColumn<QString>("materials");  // the first row's
        QTest::newRow("US feet") << "us-survey-foot.xml"
                                 << "文件以美国测量英尺为单位，已换算为米"
                                 << "";
        QTest::newRow("feet") << "foot.xml"
                              << "文件以英尺为单位，已换算为米（1 英尺 = 0.3048 米"
                              << "";
        QTest::newRow("pieces") << "ground-pieces.xml"
                                << "第 2 个断面（sta=10）的地面线断开"
                                << "";
        QTest::newRow("materials") << "civil3d-materials.xml"
                                   << ""
                                   << "材料(平方米) Base 2.125，Subbase 3.325";
    }

    void opening_tells_what_the_reading_told_without_a_dialog() {
        QFETCH(QString, file);
        QFETCH(QString, note);
        QFETCH(QString, materials);
        window::MainWindow mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        DialogDriver driver({});  // any dialog would be unexpected, rejected and logged
        QVERIFY(mainWindow.openSurvey(realFile(file), false));
        QCOMPARE(driver.log(), QStringList());
        const window::WarningsDock& pane = mainWindow.warnings();
        const QString first = pane.lines().value(0);
        if (!note.isEmpty()) QVERIFY2(first.startsWith(note), qPrintable(first));
        QCOMPARE(pane.statusWord().endsWith(QStringLiteral("1 条读入说明")), !note.isEmpty());
        QCOMPARE(pane.isVisible(), !first.isEmpty());
        const QTableWidget& results = mainWindow.showOverview().table();
        QCOMPARE(::materials(results), materials);
        // The next file brings its own: here, nothing.
        QVERIFY(mainWindow.openSurvey(plainCsv(), false));
        QVERIFY(pane.lines().isEmpty());
        QCOMPARE(::materials(results), QString());
    }

    // Each kind's layout is remembered, here the lines' with the pane closed:
    // a file of that kind read in feet shows its note all the same.
    void a_layout_remembered_without_the_pane_does_not_hide_the_notes() {
        window::MainWindow mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        DialogDriver driver({});
        QVERIFY(mainWindow.openSurvey(realFile(QStringLiteral("foot.xml")), false));
        mainWindow.warnings().close();
        QVERIFY(mainWindow.openSurvey(plainCsv(), false));
        QVERIFY(mainWindow.openSurvey(realFile(QStringLiteral("foot.xml")), false));
        QVERIFY(mainWindow.warnings().isVisible());
        QCOMPARE(driver.log(), QStringList());
    }
};

QTEST_MAIN(ReadingReportWindowTest)
#include "reading_report_window_test.moc"
