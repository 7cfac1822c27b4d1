// SPDX-License-Identifier: GPL-3.0-or-later
// A survey's file goes with the step that brought the survey: undoing an
// open (or 新建) gives the earlier survey its own file, title and saved state
// back, so 保存 never writes one survey over another's file. 保存 writes a
// survey's own file without a dialog, 另存为 asks; a file changed by another
// program or window since it was read or written is not saved over without
// asking; a 里程文件's losses are named before the replace question, with CSV
// offered.

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "dialog_driver.h"
#include "document/survey_document.h"
#include "menu_action.h"
#include "storage/data_folder.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/platform/file_dialogs.h"
#include "window/views/main_form.h"

namespace {

const QByteArray kClosed =
    "桩号,高程H,距离S\r\n"
    "K1+000.000,50,2\r\nK1+000.000,51,0\r\nK1+000.000,50,-2\r\n"
    "K1+020.500,52,3\r\nK1+020.500,52.5,0\r\nK1+020.500,50,-3\r\n";

const QByteArray kHdm =
    "BEGIN,1000\r\n-5,10\r\n5,10\r\nNEXT\r\n-5,8\r\n5,8\r\n"
    "BEGIN,1020\r\n-5,10\r\n5,10\r\nNEXT\r\n-5,9\r\n5,9\r\n";

}  // namespace

class FileTieTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    window::MainWindow* mainWindow = nullptr;

    document::SurveyDocument& document() const { return mainWindow->document(); }
    QString file(const QString& name) const { return folder.filePath(name); }
    QUndoStack& steps() const { return *document().undoStack(); }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile out(file(name));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QByteArray read(const QString& name) const {
        QFile in(file(name));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    QString title() const { return mainWindow->windowTitle(); }
    void trigger(const QString& entry) const { menuAction(*mainWindow, entry)->trigger(); }
    // Opened without any question.
    void open(const QString& name) const {
        DialogDriver none({});
        QVERIFY(mainWindow->openSurvey(file(name)));
        QVERIFY2(none.log().isEmpty(), qPrintable(none.log().join(u'\n')));
    }

    // One edit of the first point's elevation, so that there is something to save.
    void edit(double elevation) const {
        document::Cell cell{1, 1, document::Column::Elevation, elevation};
        if (document().survey().kind() == section::SurveyKind::CutFill)
            QVERIFY(
                document()
                    .setCell({1, 1, document::Column::Elevation, elevation, document::Line::Ground})
                    .done());
        else
            QCOMPARE(document().setCell(cell), document::Outcome::Done);
    }

  private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", folder.filePath("config").toUtf8());
        window::prepareApplication(*qApp);
    }

    void init() {
        QDir(storage::dataFolder()).removeRecursively();
        mainWindow = new window::MainWindow;
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    }

    void cleanup() { delete mainWindow; }

    void undoing_an_open_gives_the_earlier_survey_its_own_file_back() {
        write("a.csv", kClosed);
        write("b.hdm", kHdm);
        open("a.csv");
        edit(49);
        QCOMPARE(title(), "a.csv* - Velmorin");
        steps().undo();
        QCOMPARE(title(), "a.csv - Velmorin");
        open("b.hdm");
        QCOMPARE(title(), "b.hdm - Velmorin");
        steps().undo();
        QCOMPARE(document().fileName(), file("a.csv"));
        QCOMPARE(document().survey().kind(), section::SurveyKind::ClosedOutline);
        QCOMPARE(title(), "a.csv - Velmorin");
        QVERIFY(!document().modified());
        steps().redo();  // b again
        QCOMPARE(title(), "b.hdm - Velmorin");
        QVERIFY(!document().modified());
        steps().undo();
        edit(48);
        DialogDriver none({});
        trigger("保存测量数据");  // no dialog: a's own file, in a's format
        QVERIFY2(none.scriptDone(), qPrintable(none.log().join(u'\n')));
        QVERIFY2(none.log().isEmpty(), qPrintable(none.log().join('\n')));
        QCOMPARE(read("b.hdm"), kHdm);
        QVERIFY(read("a.csv").contains("1000,48,2"));
        QCOMPARE(title(), "a.csv - Velmorin");
    }

    void undoing_new_gives_the_opened_survey_its_file_back() {
        write("a.csv", kClosed);
        open("a.csv");
        DialogDriver none({});
        mainWindow->newSurvey(section::SurveyKind::ClosedOutline, true);
        QCOMPARE(title(), "Velmorin");
        QVERIFY(document().fileName().isEmpty());
        steps().undo();
        QCOMPARE(title(), "a.csv - Velmorin");
        QVERIFY(none.log().isEmpty());
    }

    void a_file_changed_elsewhere_since_it_was_read_is_saved_over_only_when_the_user_says_so() {
        write("a.csv", kClosed);
        open("a.csv");
        edit(45);
        const QByteArray theirs = kClosed + "K1+040.000,50,1\r\n";
        write("a.csv", theirs);  // another window saved it meanwhile
        for (const QString& answerGiven : {QStringLiteral("取消"), QStringLiteral("覆盖")}) {
            DialogDriver asked({press(answerGiven)});
            trigger("保存测量数据");
            QVERIFY2(asked.scriptDone(), qPrintable(asked.log().join(u'\n')));
            QVERIFY2(asked.log().first().contains("已被其他程序或窗口修改"),
                     qPrintable(asked.log().first()));
        }
        QVERIFY(read("a.csv").contains("1000,45,2"));
        QVERIFY(!document().modified());
        // Written by this window: the next save asks nothing.
        edit(44);
        {
            DialogDriver none({});
            trigger("保存测量数据");
            QVERIFY(none.log().isEmpty());
        }
        QVERIFY(read("a.csv").contains("1000,44,2"));
        // 另存为 from the question: theirs kept, ours under a new name.
        write("a.csv", theirs);
        edit(43);
        DialogDriver saveAs({press("另存为…"), chooseFile(file("ours.csv"))});
        trigger("保存测量数据");
        QVERIFY2(saveAs.scriptDone(), qPrintable(saveAs.log().join(u'\n')));
        QCOMPARE(read("a.csv"), theirs);
        QVERIFY(read("ours.csv").contains("1000,43,2"));
        QCOMPARE(title(), "ours.csv - Velmorin");
    }

    // What a 里程文件 cannot keep is asked before whether to replace it, and
    // CSV is offered there: the survey then goes whole beside it.
    void a_hdm_that_would_lose_something_is_asked_about_first_and_csv_offered() {
        write("b.hdm", kHdm);
        write("b.csv", "x");
        open("b.hdm");
        edit(10.0004);  // finer than the millimetre
        DialogDriver asked({press("保存为 CSV"), press("替换")});
        trigger("保存测量数据");
        QVERIFY2(asked.scriptDone(), qPrintable(asked.log().join(u'\n')));
        QCOMPARE(asked.log().size(), 2);
        QVERIFY2(asked.log().first().contains("“b.hdm”是里程文件，其中不能保存"),
                 qPrintable(asked.log().first()));
        QVERIFY(asked.log().last().contains("“b.csv”已经存在"));
        QCOMPARE(read("b.hdm"), kHdm);
        QVERIFY(read("b.csv").contains("10.0004"));
        QCOMPARE(title(), "b.csv - Velmorin");
    }

    // Exports are proposed beside the survey's file and after its name: the
    // file's, else the 工程名称 (made fit for a file name), else its stations.
    void exports_are_proposed_after_the_surveys_name() {
        write("路线A.csv", kClosed);
        open("路线A.csv");
        const auto proposed = [&] {
            return window::exportPath(document(), QStringLiteral("横断面图"),
                                      QStringLiteral("dxf"));
        };
        QCOMPARE(proposed(), file("路线A 横断面图.dxf"));
        document().setProject({"某公路/一标", "", "", "", ""});
        QCOMPARE(QFileInfo(proposed()).fileName(), "路线A 横断面图.dxf");
        document().markSaved(document::FileTie{});  // as a typed calculation, no file
        QCOMPARE(QFileInfo(proposed()).fileName(), "某公路_一标 横断面图.dxf");
        document().setProject({});
        QCOMPARE(QFileInfo(proposed()).fileName(), "K1+000.000～K1+020.500 横断面图.dxf");
        mainWindow->newSurvey(section::SurveyKind::ClosedOutline, false);
        QCOMPARE(QFileInfo(proposed()).fileName(), "横断面图.dxf");
    }
};

QTEST_MAIN(FileTieTest)
#include "file_tie_test.moc"
