// SPDX-License-Identifier: GPL-3.0-or-later
// Survey files in the window: a file saved by the program, one written by hand
// in UTF-8 and one converted to GB18030 with tabs open to the same record and
// the same text boxes as the same data typed at the prompts; a bad file opens
// nothing; opening shows a busy cursor and the file in the status bar, then
// names the window, enables saving and remembers the file at once; the
// reopened last calculation is saved to a place of the user's own.

#include <QAction>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <future>

#include "dialog_driver.h"
#include "printout/section_sheet_drawing.h"
#include "storage/data_folder.h"
#include "storage/interchange_export.h"
#include "storage/recent_files.h"
#include "storage/survey_io.h"
#include "window/busy_opening.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/section_sheets_dialog.h"
#include "window/views/main_form.h"

namespace {

QList<Reply> point(const QString& h, const QString& s) {
    return {answer(h), answer(""), answer(s), answer("")};
}

// K1+000 and K1+020.5, no. 2 a wider outline.
QList<Reply> typedStations() {
    return QList<Reply>{answer("2"), answer("y"),      answer("1000"),
                        answer("3"), answer("1020.5"), answer("3")} +
           point("50", "2") + point("51", "0") + point("50", "-2") + point("52", "3") +
           point("52.5", "0") + point("50", "-3") + QList<Reply>{answer("")};
}

const QString kHandWritten = QStringLiteral(
    "桩号,高程H,距离S\n"
    "K1+000.000,50,2\nK1+000.000,51,0\nK1+000.000,50,-2\n"
    "K1+020.500,52,3\nK1+020.500,52.5,0\nK1+020.500,50,-3\n");

}  // namespace

class SurveyFilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    window::MainWindow* mainWindow = nullptr;

    window::MainForm& form() const { return mainWindow->form(); }
    QString file(const QString& name) const { return folder.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const {
        QFile out(file(name));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    QAction* menuAction(const QString& start) const {
        for (QAction* action : mainWindow->menuBar()->actions().first()->menu()->actions()) {
            if (action->text().startsWith(start)) return action;
        }
        return nullptr;
    }
    QAction* saveAction() const { return menuAction("保存测量数据"); }
    QAction* saveAsAction() const { return menuAction("测量数据另存为"); }

  private slots:
    void initTestCase() {
        // Settings (the recent files) in the test's own folder.
        qputenv("XDG_CONFIG_HOME", folder.filePath("config").toUtf8());
        window::prepareApplication(*qApp);
    }

    void init() {
        mainWindow = new window::MainWindow;
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
    }

    void cleanup() { delete mainWindow; }

    void saved_hand_written_and_gb18030_files_open_as_the_same_data_typed() {
        {
            DialogDriver typing(typedStations());
            form().findChild<QPushButton*>("Command1")->click();
            QVERIFY(typing.scriptDone());
        }
        const section::Survey typed = mainWindow->document().survey();
        const window::MainForm::Screen screen = form().screen();
        QCOMPARE(storage::saveSurvey(file("saved.csv"), typed, document::FileFormat::SurveyCsv),
                 QString());
        write("hand.csv", kHandWritten.toUtf8());
        QStringEncoder gb18030("GB18030");
        write("gb18030.txt", gb18030(QString(kHandWritten).replace(',', '\t')));

        for (const QString& name : QStringList{"saved.csv", "hand.csv", "gb18030.txt"}) {
            delete mainWindow;
            mainWindow = new window::MainWindow;
            DialogDriver none({});
            QVERIFY2(mainWindow->openSurvey(file(name)), qPrintable(name));
            QVERIFY(mainWindow->document().survey() == typed);
            QCOMPARE(form().screen(), screen);
            QCOMPARE(mainWindow->windowTitle(), name + " - Velmorin");
            QVERIFY(saveAction()->isEnabled());
            QCOMPARE(storage::recentFiles().first(), file(name));
        }
    }

    void a_bad_file_opens_nothing_and_says_where_it_is_wrong() {
        write("good.csv", kHandWritten.toUtf8());
        QVERIFY(mainWindow->openSurvey(file("good.csv")));
        const section::SectionSurvey before = (*mainWindow->document().survey().closedOutline());
        const window::MainForm::Screen screen = form().screen();

        write("bad.csv", "桩号,高程H,距离S\n1000,1,0\n1000,2,1\n1000,1,2\n1020,1O.5,0\n");
        DialogDriver driver({acknowledge()});
        QVERIFY(!mainWindow->openSurvey(file("bad.csv")));
        QCOMPARE(driver.log(),
                 QStringList({"message: 测量数据文件“" + file("bad.csv") +
                              "”有误，没有打开：第 5 行第 2 列“1O.5”不是有效的高程。"}));
        QCOMPARE((*mainWindow->document().survey().closedOutline()), before);
        QCOMPARE(form().screen(), screen);
        QCOMPARE(mainWindow->windowTitle(), "good.csv - Velmorin");
    }

    // The text tells what a file is; its ending only where the text reads as
    // none of the formats, so that a survey saved under another ending opens.
    void a_survey_saved_under_another_ending_opens_again() {
        write("hand.csv", kHandWritten.toUtf8());
        QVERIFY(mainWindow->openSurvey(file("hand.csv")));
        const section::SectionSurvey opened = (*mainWindow->document().survey().closedOutline());
        for (const QString name : {"saved.hdm", "saved.xml", "saved.txt"}) {
            DialogDriver driver({chooseFile(file(name))});
            saveAsAction()->trigger();
            QVERIFY(driver.scriptDone());
            QVERIFY2(mainWindow->openSurvey(file(name)), qPrintable(name));
            QCOMPARE((*mainWindow->document().survey().closedOutline()), opened);
        }
    }

    // As after a restart: a new window opens the last calculation kept.
    void the_last_calculation_reopens_in_a_new_window() {
        write("hand.csv", kHandWritten.toUtf8());
        QVERIFY(mainWindow->openSurvey(file("hand.csv")));
        const section::SectionSurvey opened = (*mainWindow->document().survey().closedOutline());
        delete mainWindow;
        mainWindow = new window::MainWindow;
        QCOMPARE((*mainWindow->document().survey().closedOutline()), section::SectionSurvey());
        QVERIFY(mainWindow->openSurvey(storage::lastCalculationPath(), false));
        QCOMPARE((*mainWindow->document().survey().closedOutline()), opened);
        QVERIFY(!storage::recentFiles().contains(storage::lastCalculationPath()));
    }

    // The submenu is enabled and lists the file at once, without a restart.
    void opening_and_saving_fill_the_recent_files_at_once() {
        for (const QString& earlier : storage::recentFiles()) storage::forgetFile(earlier);
        delete mainWindow;
        mainWindow = new window::MainWindow;
        QMenu* recent = menuAction("最近打开的文件")->menu();
        QVERIFY(!recent->isEnabled());
        write("first.csv", kHandWritten.toUtf8());
        QVERIFY(mainWindow->openSurvey(file("first.csv")));
        QVERIFY(recent->isEnabled());
        QCOMPARE(recent->actions().size(), 1);
        QCOMPARE(recent->actions().first()->text(), "&1 " + file("first.csv"));
        DialogDriver saving({chooseFile(file("second.csv"))});
        saveAsAction()->trigger();
        QVERIFY(saving.scriptDone());
        QCOMPARE(recent->actions().size(), 2);
        QCOMPARE(recent->actions().first()->text(), "&1 " + file("second.csv"));
    }

    // A name typed without its ending is saved with ".csv": a file of that
    // name already there is replaced only after asking about it.
    void saving_under_a_name_without_ending_asks_before_replacing_its_csv() {
        write("hand.csv", kHandWritten.toUtf8());
        QVERIFY(mainWindow->openSurvey(file("hand.csv")));
        write("replaced.csv", "桩号,高程H,距离S\n");
        DialogDriver saving({chooseFile(file("replaced")), press("替换")});
        saveAsAction()->trigger();
        QVERIFY(saving.scriptDone());
        QCOMPARE(saving.log().size(), 2);
        QVERIFY(saving.log().last().contains("replaced.csv"));
        QCOMPARE(mainWindow->windowTitle(), "replaced.csv - Velmorin");
        QVERIFY(QFileInfo(file("replaced.csv")).size() > 100);
        QVERIFY(!QFileInfo::exists(file("replaced")));
    }

    // The last calculation's copy in the data folder is overwritten by the
    // next calculation: saving proposes the documents folder and a name of
    // the survey's own.
    void saving_the_reopened_last_calculation_proposes_a_place_of_the_users_own() {
        write("hand.csv", kHandWritten.toUtf8());
        QVERIFY(mainWindow->openSurvey(file("hand.csv")));
        QVERIFY(mainWindow->openLastCalculation());
        QCOMPARE(mainWindow->windowTitle(), "最近一次计算 - Velmorin");
        QString proposed;
        DialogDriver saving({chooseFile(file("kept.csv"))});
        saving.onOpen([&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            if (files)
                proposed = files->directory().absoluteFilePath(files->selectedFiles().first());
        });
        saveAction()->trigger();
        QVERIFY(saving.scriptDone());
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString users = QFileInfo(documents).isDir() ? documents : QDir::homePath();
        QCOMPARE(proposed, QDir(users).filePath("K1+000.000～K1+020.500 测量数据.csv"));
        QVERIFY(QFileInfo::exists(file("kept.csv")));
        QCOMPARE(mainWindow->windowTitle(), "kept.csv - Velmorin");
    }

    void opening_shows_a_busy_cursor_and_the_file_in_the_status_bar_until_done() {
        write("hand.csv", kHandWritten.toUtf8());
        std::optional<Qt::CursorShape> cursor;
        QString status;
        connect(&mainWindow->document(), &document::SurveyDocument::changed, this, [&] {
            if (const QCursor* busy = QGuiApplication::overrideCursor()) cursor = busy->shape();
            status = mainWindow->statusBar()->currentMessage();
        });
        QVERIFY(mainWindow->openSurvey(file("hand.csv")));
        QCOMPARE(cursor, std::optional(Qt::WaitCursor));
        QCOMPARE(status, "正在打开“" + QDir::toNativeSeparators(file("hand.csv")) + "”……");
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(mainWindow->statusBar()->currentMessage(), QString());

        // A bad file's message is read with the usual cursor.
        write("bad.csv", "桩号,高程H,距离S\n1000,x,0\n");
        DialogDriver driver({acknowledge()});
        bool busyAtMessage = true;
        driver.onOpen([&](QWidget*) { busyAtMessage = QGuiApplication::overrideCursor(); });
        QVERIFY(!mainWindow->openSurvey(file("bad.csv")));
        QVERIFY(driver.scriptDone());
        QVERIFY(!busyAtMessage);
    }

    // A read held up until the test lets it go: the dialog comes, the
    // window's timers run meanwhile, and 取消 gives the open up.
    void a_long_open_shows_its_progress_keeps_the_window_going_and_can_be_given_up() {
        write("hand.csv", kHandWritten.toUtf8());
        for (const bool giveUp : {false, true}) {
            std::promise<void> release;
            std::shared_future<void> released = release.get_future().share();
            std::atomic<bool> readEnded = false;
            const auto heldRead = [&, released](const QString& path,
                                                survey_file::ReadProgress* progress) {
                progress->store(survey_file::kReadDone / 2);
                released.wait();
                storage::OpenedSurvey opened = storage::openSurvey(path);
                readEnded = true;
                return opened;
            };
            int ticks = 0;
            QTimer ticking;
            connect(&ticking, &QTimer::timeout, this, [&] { ++ticks; });
            ticking.start(10);
            QString shown;
            QTimer poll;
            connect(&poll, &QTimer::timeout, this, [&] {
                auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
                // Shown, and showing how far the reading has got.
                if (!dialog || !shown.isEmpty() || dialog->value() != survey_file::kReadDone / 2)
                    return;
                shown = dialog->labelText();
                if (giveUp) {
                    dialog->findChild<QPushButton*>()->click();
                } else {
                    release.set_value();
                }
            });
            poll.start(10);
            const std::optional<storage::OpenedSurvey> read =
                window::readResponsively(*mainWindow, file("hand.csv"), heldRead);
            QCOMPARE(shown, "正在读取“" + QDir::toNativeSeparators(file("hand.csv")) + "”……");
            QVERIFY(ticks > 0);
            QCOMPARE(read.has_value(), !giveUp);
            if (giveUp) release.set_value();
            QTRY_VERIFY(readEnded);
            if (!giveUp) QCOMPARE(read->survey->sectionCount(), 2);
        }
    }

    // Thrown on the worker, thrown to the caller, whose guard tells the user.
    void what_the_reading_throws_reaches_the_caller() {
        QVERIFY_THROWS_EXCEPTION(
            std::length_error,
            window::readResponsively(
                *mainWindow, file("any.csv"),
                [](const QString&, survey_file::ReadProgress*) -> storage::OpenedSurvey {
                    throw std::length_error("too long");
                }));
    }

    void the_sections_go_out_as_dxf_and_landxml_from_the_file_menu() {
        write("hand.csv", kHandWritten.toUtf8());
        QVERIFY(mainWindow->openSurvey(file("hand.csv")));
        {
            // Proposed beside the survey as a PDF; a DXF by the name typed.
            DialogDriver driver({acceptDialog()});
            driver.onOpen([&](QWidget* dialog) {
                auto* sheets = qobject_cast<window::SectionSheetsDialog*>(dialog);
                QVERIFY(sheets);
                QCOMPARE(QDir::fromNativeSeparators(sheets->file()->text()),
                         file("hand 横断面图.pdf"));
                sheets->file()->setText(file("drawing.dxf"));
            });
            menuAction("导出横断面图")->trigger();
            QVERIFY(driver.scriptDone());
        }
        QFile dxf(file("drawing.dxf"));
        QVERIFY(dxf.open(QIODevice::ReadOnly));
        const document::SurveyDocument& held = mainWindow->document();
        QCOMPARE(dxf.readAll(),
                 storage::sectionSheetsDxf(printout::sectionSheets(held.survey(), held.project())));
        {
            DialogDriver driver({chooseFile(file("sections.xml"))});
            menuAction("导出 LandXML")->trigger();
            QVERIFY(driver.scriptDone());
        }
        // Read back as a survey file: the same sections.
        QVERIFY(mainWindow->openSurvey(file("sections.xml")));
        QCOMPARE(mainWindow->document().survey().sectionCount(), 2);
    }

    // As the command line does: what would not read back is refused with the
    // reason, and no file is written.
    void landxml_that_would_not_read_back_is_refused_from_the_file_menu() {
        write("far.csv", "断面,高程H,距离S,间距DL\n1,100,0,3e38\n2,100,0,3e38\n3,100,0,\n");
        QVERIFY(mainWindow->openSurvey(file("far.csv")));
        DialogDriver driver({chooseFile(file("far.xml")), acknowledge()});
        menuAction("导出 LandXML")->trigger();
        QVERIFY(driver.scriptDone());
        QVERIFY2(driver.log().last().startsWith("message: 没有写 LandXML：没有输入桩号时"),
                 qPrintable(driver.log().last()));
        QVERIFY(!QFileInfo::exists(file("far.xml")));
    }

    void a_file_dropped_on_the_window_opens() {
        write("dropped.csv", kHandWritten.toUtf8());
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file("dropped.csv"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(mainWindow, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(mainWindow, &drop);
        QTRY_COMPARE_WITH_TIMEOUT(mainWindow->windowTitle(), "dropped.csv - Velmorin", 30000);
        QCOMPARE(mainWindow->document().survey().sectionCount(), 2);
    }
};

QTEST_MAIN(SurveyFilesTest)
#include "survey_files_test.moc"
