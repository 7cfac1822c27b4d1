// SPDX-License-Identifier: GPL-3.0-or-later
// Edits not saved: the title's mark, the undo menu, the questions before the
// survey is put aside, and the copy in the data folder a later start offers.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <unistd.h>
#endif

#include "dialog_driver.h"
#include "document/survey_document.h"
#include "menu_action.h"
#include "section/calculation.h"
#include "storage/data_folder.h"
#include "storage/survey_io.h"
#include "storage/unsaved_edits.h"
#include "survey_file/hdm.h"
#include "survey_file/survey_file.h"
#include "window/edit_recovery.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/table/survey_table_dock.h"
#include "window/table/survey_table_model.h"
#include "window/table/survey_table_view.h"
#include "window/views/main_form.h"

namespace {

const char* const kSurvey =
    "桩号,高程H,距离S\n1000,1,0\n1000,2,1\n1000,1,2\n1020,1,0\n1020,3,1\n1020,1,2\n";

}  // namespace

class UnsavedEditsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    window::MainWindow* mainWindow = nullptr;

    QString file(const QString& name) const { return dir.filePath(name); }
    document::SurveyDocument& document() const { return mainWindow->document(); }
    void openHand() {
        QFile out(file("hand.csv"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(kSurvey);
        out.close();
        QVERIFY(mainWindow->openSurvey(file("hand.csv")));
    }
    void editOneElevation() {
        QCOMPARE(document().setCell({1, 2, document::Column::Elevation, 7.5}),
                 document::Outcome::Done);
    }

    // Three steps after the copy, each recorded with the section before the
    // one it changed: the last holds sections 1 and 2 again.
    void editThreeSteps() {
        QCOMPARE(document().setCell({2, 3, document::Column::Offset, 2.25}),
                 document::Outcome::Done);
        QCOMPARE(document().setCell({1, 0, document::Column::Station, 990}),
                 document::Outcome::Done);
        QCOMPARE(document().setCell({2, 1, document::Column::Elevation, -4}),
                 document::Outcome::Done);
    }
    static void removeAny(const QString& path) {
        if (QFileInfo(path).isDir())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
    QByteArray steps() const {
        QFile records(window::unsavedEditsStepsPath());
        return records.open(QIODevice::ReadOnly) ? records.readAll() : QByteArray();
    }
    // As after a kill: the window gone without being asked, its copy left
    // and `records` as its steps; a new start offers them, answered 是. What
    // the dialogs said, or why not.
    QString restartWithSteps(const QByteArray& records) {
        for (const QString& kept : {file("kept.csv"), file("kept.name")}) QFile::remove(kept);
        if (!QFile::copy(window::unsavedEditsPath(), file("kept.csv")) ||
            !QFile::copy(window::unsavedEditsNamePath(), file("kept.name")))
            return "no copy";
        document().undoStack()->clear();
        delete mainWindow;
        storage::removeUnsavedEdits();
        QFile written(window::unsavedEditsStepsPath());
        if (!QFile::copy(file("kept.csv"), window::unsavedEditsPath()) ||
            !QFile::copy(file("kept.name"), window::unsavedEditsNamePath()) ||
            !written.open(QIODevice::WriteOnly) || written.write(records) != records.size())
            return "not restored";
        written.close();
        mainWindow = new window::MainWindow;
        DialogDriver driver({press("是")});
        mainWindow->offerUnsavedEdits();
        return driver.log().join(" | ") + (driver.scriptDone() ? "" : " | not answered");
    }

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }

    void init() {
        storage::removeUnsavedEdits();
        mainWindow = new window::MainWindow;
    }
    void cleanup() {
        document().markSaved();
        delete mainWindow;
    }

    void an_edit_marks_the_title_names_its_undo_and_is_on_disk_at_once() {
        openHand();
        QCOMPARE(mainWindow->windowTitle(), "hand.csv - Velmorin");
        editOneElevation();
        QCOMPARE(mainWindow->windowTitle(), "hand.csv* - Velmorin");
        QCOMPARE(menuAction(*mainWindow, "撤销")->text(), "撤销 修改高程");
        QVERIFY(menuAction(*mainWindow, "撤销")->shortcuts().contains(QKeySequence::Undo));
        QVERIFY(menuAction(*mainWindow, "重做")->shortcuts().contains(QKeySequence("Ctrl+Y")));
        // The copy is the edited survey, written before anything else happens.
        QFile kept(window::unsavedEditsPath());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll().toStdString(),
                 survey_file::writeSurvey((*document().survey().closedOutline())));
        // Undone to what the file holds: nothing left to keep.
        document().undoStack()->undo();
        QCOMPARE(mainWindow->windowTitle(), "hand.csv - Velmorin");
        QVERIFY(!QFile::exists(window::unsavedEditsPath()));
    }

    void closing_or_opening_over_edits_asks_and_cancel_keeps_everything() {
        openHand();
        editOneElevation();
        const section::SectionSurvey edited = (*document().survey().closedOutline());
        {
            DialogDriver driver({press("取消")});
            QVERIFY(!mainWindow->close());
            QVERIFY(driver.scriptDone());
            QCOMPARE(driver.log(),
                     QStringList{"message: 测量数据已经修改，还没有保存。是否保存修改？"});
        }
        {
            DialogDriver driver({press("取消")});
            QVERIFY(!mainWindow->openSurvey(file("hand.csv")));
            QVERIFY(driver.scriptDone());
        }
        QCOMPARE((*document().survey().closedOutline()), edited);
        QVERIFY(QFile::exists(window::unsavedEditsPath()));
        // 保存 writes the survey's own file, and then the window may go.
        DialogDriver driver({press("保存")});
        const bool closed = mainWindow->close();
        QVERIFY2(closed, qPrintable(driver.log().join(" | ")));
        QVERIFY(!QFile::exists(window::unsavedEditsPath()));
        QCOMPARE(mainWindow->windowTitle(), "hand.csv - Velmorin");
        const storage::OpenedSurvey saved = storage::openSurvey(file("hand.csv"));
        QVERIFY(saved.survey && saved.survey->closedOutline());
        section::SectionSurvey back = *saved.survey->closedOutline();
        section::calculateSurvey(back);
        QCOMPARE(back, edited);
    }

    // They reopen as the file they belong to, named with the time of the
    // last edit in the question.
    void a_later_start_offers_the_edits_as_their_files_and_they_stay_unsaved() {
        openHand();
        editOneElevation();
        const section::SectionSurvey edited = (*document().survey().closedOutline());
        const QString told = restartWithSteps({});
        const QString named = QStringLiteral("上次修改的“%1”没有保存（最后一次修改在 %2")
                                  .arg(QDir::toNativeSeparators(file("hand.csv")),
                                       QDate::currentDate().toString("yyyy-MM-dd"));
        QVERIFY2(told.contains(named) && !told.contains("not answered"), qPrintable(told));
        QCOMPARE(survey_file::writeSurvey((*document().survey().closedOutline())),
                 survey_file::writeSurvey(edited));
        QVERIFY(document().modified());
        QCOMPARE(document().fileName(), file("hand.csv"));
        QCOMPARE(mainWindow->windowTitle(), "hand.csv* - Velmorin");
    }

    // A 里程文件 reopens as one: saving proposes it, and writes it as one.
    void edits_of_a_field_file_reopen_as_that_file_and_save_in_its_format() {
        section::CutFillSurvey field{"Y", {}};
        for (const double station : {1000.0, 1020.0})
            field.sections.push_back(
                {station, 0, {{100, -5}, {101, 0}, {100, 5}}, {{99, -6}, {99, 6}}});
        {
            QFile out(file("field.hdm"));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(QByteArray::fromStdString(survey_file::writeHdm(field)));
        }
        QVERIFY(mainWindow->openSurvey(file("field.hdm")));
        using document::Line;
        QVERIFY(document().setCell({1, 2, document::Column::Elevation, 102, Line::Ground}).done());
        const std::string edited = survey_file::writeHdm((*document().survey().cutFill()));
        const QString told = restartWithSteps(steps());
        QVERIFY2(told.contains(QDir::toNativeSeparators(file("field.hdm"))), qPrintable(told));
        QCOMPARE(mainWindow->windowTitle(), "field.hdm* - Velmorin");
        QVERIFY(QFile::remove(file("field.hdm")));
        QString proposed, type;
        DialogDriver driver({chooseFile(file("field.hdm"))});
        driver.onOpen([&](QWidget* dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
                proposed = files->selectedFiles().value(0);
                type = files->selectedNameFilter();
            }
        });
        menuAction(*mainWindow, "保存测量数据")->trigger();
        const QString log = driver.log().join(" | ");
        QVERIFY2(!log.contains("unexpected") && !log.contains("chose"), qPrintable(log));
        if (!proposed.isEmpty()) {  // a save that asks at all proposes the file
            QCOMPARE(proposed, file("field.hdm"));
            QVERIFY2(type.startsWith("里程文件"), qPrintable(type));
        }
        QFile saved(file("field.hdm"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().toStdString(), edited);
        QVERIFY(!document().modified());
    }

    // The copy holds the first step; the steps after it are appended beside it
    // and replayed on reopening, all but one the kill tore half-way.
    void the_steps_after_the_copy_are_reopened_and_a_torn_last_one_is_dropped() {
        openHand();
        editOneElevation();
        const QByteArray copied = [] {
            QFile kept(window::unsavedEditsPath());
            return kept.open(QIODevice::ReadOnly) ? kept.readAll() : QByteArray();
        }();
        editThreeSteps();
        {
            QFile kept(window::unsavedEditsPath());
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), copied);  // the later steps are not in the copy
        }
        // As after a kill in the middle of the last step's record.
        const QByteArray records = steps();
        QCOMPARE(records.count('\n'), 3);
        const QString told = restartWithSteps(records.left(records.size() - 9));
        QVERIFY2(told.startsWith("message: 上次修改") && told.contains("最后一步修改在写入") &&
                     !told.contains("not answered"),
                 qPrintable(told));
        // The steps but the torn one, the station 990 too: the one before it.
        QCOMPARE(document().survey().closedOutline()->elevations(2, 1), 1.0);
        QCOMPARE(document().survey().closedOutline()->offsets(2, 3), 2.25);
        QCOMPARE(document().survey().closedOutline()->stations(1), 990.0);
        QVERIFY(!QFile::exists(window::unsavedEditsStepsPath()) ||
                QFileInfo(window::unsavedEditsStepsPath()).size() == 0);
        QVERIFY(document().modified());
    }

    // A damaged record in the middle is skipped, the good ones after it are
    // kept, and the question says which one was lost: here the last step
    // holds the section of the lost one again.
    void a_damaged_step_is_named_and_the_steps_after_it_are_reopened() {
        openHand();
        editOneElevation();
        editThreeSteps();
        const std::string edited = survey_file::writeSurvey((*document().survey().closedOutline()));
        QByteArray records = steps();
        const qsizetype second = records.indexOf('\n') + 1;
        records[second + 10] = records[second + 10] == '9' ? '8' : '9';
        const QString told = restartWithSteps(records);
        QVERIFY2(told.contains("第 2 条记录已损坏") && told.contains("已把它移到") &&
                     !told.contains("not answered"),
                 qPrintable(told));
        // Kept aside as it was, for whoever wants to look.
        const QDir folder(storage::dataFolder());
        const QStringList aside = folder.entryList({"未保存的修改（损坏 *.steps"}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QFile kept(folder.filePath(aside.first()));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), records);
        kept.remove();
        QCOMPARE(survey_file::writeSurvey((*document().survey().closedOutline())), edited);
    }

    void a_recovery_file_that_does_not_read_back_is_moved_aside_and_the_rest_offered_data() {
        QTest::addColumn<QString>("name");  // the broken one of the two
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("offered");  // the copy still is
        QTest::newRow("steps a FIFO") << "未保存的修改.steps"
                                      << "fifo"
                                      << "管道" << true;
        QTest::newRow("steps a folder") << "未保存的修改.steps"
                                        << "folder"
                                        << "文件夹" << true;
        QTest::newRow("copy a FIFO") << "未保存的修改.csv"
                                     << "fifo"
                                     << "管道" << false;
        QTest::newRow("copy a folder") << "未保存的修改.csv"
                                       << "folder"
                                       << "文件夹" << false;
        QTest::newRow("copy damaged") << "未保存的修改.csv"
                                      << "text"
                                      << "有误" << false;
    }
    void a_recovery_file_that_does_not_read_back_is_moved_aside_and_the_rest_offered() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QFETCH(bool, offered);
        const QDir folder(storage::dataFolder());
        QVERIFY(folder.mkpath("."));
        removeAny(window::unsavedEditsPath());
        removeAny(window::unsavedEditsStepsPath());
        const auto write = [](const QString& path, const QByteArray& bytes) {
            QFile out(path);
            return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
        };
        QVERIFY(write(window::unsavedEditsPath(), kSurvey));
        QVERIFY(write(window::unsavedEditsStepsPath(), {}));
        const QString broken = folder.filePath(name);
        removeAny(broken);
        if (kind == "fifo") {
#ifdef Q_OS_UNIX
            QCOMPARE(::mkfifo(QFile::encodeName(broken).constData(), 0600), 0);
#else
            QSKIP("no FIFOs here");
#endif
        } else if (kind == "folder") {
            QVERIFY(folder.mkdir(name));
        } else {
            QVERIFY(write(broken, "桩号,高程H,距离S\n1000,abc,0\n"));
        }
        DialogDriver driver({offered ? press("是") : acknowledge()});
        mainWindow->offerUnsavedEdits();
        const QString said = driver.log().join(" | ");
        QVERIFY2(driver.scriptDone(), qPrintable(said));
        QVERIFY2(said.contains(reason) && said.contains("已把它移到") && !said.contains("权限"),
                 qPrintable(said));
        QCOMPARE(document().survey().sectionCount(), offered ? 2 : 0);
        // Not there to stop the next start; kept beside it.
        QVERIFY(!QFileInfo::exists(broken) || QFileInfo(broken).isFile());
        const QStringList aside =
            folder.entryList({"未保存的修改（损坏 *"}, QDir::AllEntries | QDir::System);
        QCOMPARE(aside.size(), offered ? 1 : 2);
        for (const QString& moved : aside) removeAny(folder.filePath(moved));
    }

    // A last calculation that is no file would fail every later keeping.
    void a_last_calculation_that_is_a_folder_is_moved_aside_at_the_start() {
        QFile::remove(storage::lastCalculationPath());
        QVERIFY(QDir().mkpath(storage::lastCalculationPath()));
        DialogDriver driver({acknowledge()});
        mainWindow->offerUnsavedEdits();
        const QString told = driver.log().join(" | ");
        QVERIFY2(
            driver.scriptDone() && told.contains("这是一个文件夹") && told.contains("已把它移到"),
            qPrintable(told));
        QVERIFY(!QFileInfo::exists(storage::lastCalculationPath()));
        for (const QString& moved :
             QDir(storage::dataFolder()).entryList({"最近一次计算（损坏 *"}, QDir::Dirs))
            removeAny(QDir(storage::dataFolder()).filePath(moved));
    }

    // Another instance's edits, under names of its own: not offered while it
    // runs (its lock held), offered once it has ended, and then kept as this
    // instance's.
    void another_instances_edits_are_offered_once_it_has_ended() {
        const QString stem =
            QDir(storage::dataFolder()).filePath("未保存的修改-20261209-101500-123-4242");
        for (const auto& [ending, bytes] :
             {std::pair<QString, QByteArray>{".csv", kSurvey}, {".name", file("a.csv").toUtf8()}}) {
            QFile out(stem + ending);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(bytes);
        }
        {
            const storage::FolderLock running(stem + ".lock");
            QCOMPARE(running.state(), storage::FolderLock::State::Held);
            DialogDriver none({});
            mainWindow->offerUnsavedEdits();
            QVERIFY2(none.log().isEmpty(), qPrintable(none.log().join(" | ")));
        }
        DialogDriver driver({press("是")});
        mainWindow->offerUnsavedEdits();
        const QString told = driver.log().join(" | ");
        QVERIFY2(driver.scriptDone() && told.contains(QDir::toNativeSeparators(file("a.csv"))),
                 qPrintable(told));
        QCOMPARE(document().survey().sectionCount(), 2);
        QCOMPARE(mainWindow->windowTitle(), "a.csv* - Velmorin");
        for (const char* ending : {".csv", ".steps", ".name", ".lock"})
            QVERIFY2(!QFileInfo::exists(stem + ending), ending);
        QVERIFY(QFile::exists(window::unsavedEditsPath()));
    }

    // The same for a cut-and-fill survey: its steps replayed on its copy,
    // with the 工程信息 set between them.
    // The steps hold sections only: the method's step is kept by a whole
    // copy, and the steps after it reopen on it.
    void a_volume_method_step_reopens_with_the_steps_after_it() {
        openHand();
        editOneElevation();
        QVERIFY(document().setVolumeMethod(section::VolumeMethod::Prismoidal).done());
        editThreeSteps();
        const section::Survey edited = document().survey();
        const QString told = restartWithSteps(steps());
        QVERIFY2(!told.contains("not answered"), qPrintable(told));
        QCOMPARE(document().survey().volumeMethod(), section::VolumeMethod::Prismoidal);
        QVERIFY(document().survey() == edited);
        QCOMPARE(mainWindow->windowTitle(), "hand.csv*（棱台法） - Velmorin");
    }

    void a_cut_and_fill_surveys_steps_are_reopened_too() {
        section::CutFillSurvey survey{"Y", {}};
        for (const double station : {1000.0, 1020.0})
            survey.sections.push_back(
                {station, 0, {{100, -5}, {101, 0}, {100, 5}}, {{99, -6}, {99, 6}}});
        QVERIFY(document().replaceSurvey(section::Survey(survey), "计算", {}).done());
        using document::Line;
        QVERIFY(document().setCell({1, 2, document::Column::Elevation, 102, Line::Ground}).done());
        const section::ProjectInfo project{"测试公路", "", "张三", "", "2026-12-09"};
        document().setProject(project);
        QVERIFY(document().setCell({2, 3, document::Column::Offset, 7, Line::Design}).done());
        QVERIFY(document().setCell({2, 3, document::Column::Elevation, 98, Line::Design}).done());
        const std::string edited = survey_file::writeSurvey((*document().survey().cutFill()));
        QVERIFY(QFileInfo(window::unsavedEditsStepsPath()).size() > 0);
        QVERIFY(QFile::copy(window::unsavedEditsPath(), file("cut.csv")));
        QVERIFY(QFile::copy(window::unsavedEditsStepsPath(), file("cut.steps")));
        document().undoStack()->clear();
        delete mainWindow;
        storage::removeUnsavedEdits();
        QVERIFY(QFile::copy(file("cut.csv"), window::unsavedEditsPath()));
        QVERIFY(QFile::copy(file("cut.steps"), window::unsavedEditsStepsPath()));
        mainWindow = new window::MainWindow;
        DialogDriver driver({press("是")});
        mainWindow->offerUnsavedEdits();
        QVERIFY2(driver.scriptDone(), qPrintable(driver.log().join(" | ")));
        QCOMPARE(document().survey().kind(), section::SurveyKind::CutFill);
        QCOMPARE(survey_file::writeSurvey((*document().survey().cutFill())), edited);
        QCOMPARE(document().project(), project);
        QVERIFY(document().modified());
        QCOMPARE(mainWindow->windowTitle(), "未保存的修改* - Velmorin");  // belongs to no file
    }

    void ctrl_t_shows_the_table_on_the_first_elevation_and_an_edit_there_is_a_step() {
        openHand();
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow));
        QAction* table = menuAction(*mainWindow, "测量数据表");
        QCOMPARE(table->shortcut(), QKeySequence("Ctrl+T"));
        table->trigger();
        window::SurveyTableView& view = *mainWindow->table().view();
        QVERIFY(mainWindow->table().isVisible());
        QCOMPARE(view.currentIndex(), view.model()->index(0, view.tableModel()->elevationColumn()));
        QVERIFY(view.model()->setData(view.currentIndex(), "7.5"));
        QCOMPARE(document().survey().closedOutline()->elevations(1, 1), 7.5);
        QCOMPARE(mainWindow->windowTitle(), "hand.csv* - Velmorin");
        // The boxes show what a finished run of the edited survey leaves.
        QCOMPARE(mainWindow->form().screen(), [&] {
            window::MainWindow fresh;
            DialogDriver none({});
            section::SectionSurvey edited = (*document().survey().closedOutline());
            fresh.form().showSurvey(std::move(edited));
            return fresh.form().screen();
        }());
    }

    // A survey just read, or made new, is what its file holds: opening,
    // 新建, their undo and redo and saving what is unchanged touch nothing in
    // the data folder. The copy starts with the first edit.
    void opening_new_undo_and_saving_write_nothing_in_the_data_folder() {
#ifdef Q_OS_LINUX
        QVERIFY(QDir().mkpath(storage::dataFolder()));
        const int events = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(events >= 0);
        QVERIFY(inotify_add_watch(events, QFile::encodeName(storage::dataFolder()).constData(),
                                  IN_CREATE | IN_MODIFY | IN_MOVED_TO | IN_DELETE) >= 0);
        openHand();
        document().undoStack()->undo();
        document().undoStack()->redo();
        mainWindow->newSurvey(section::SurveyKind::ClosedOutline, true);
        mainWindow->newSurvey(section::SurveyKind::CutFill, false);
        document().undoStack()->undo();
        QVERIFY(mainWindow->openSurvey(file("hand.csv")));
        menuAction(*mainWindow, "保存")->trigger();
        char event[4096];
        const ssize_t told = read(events, event, sizeof event);
        close(events);
        QCOMPARE(told, ssize_t(-1));
        editOneElevation();
        QVERIFY(QFile::exists(window::unsavedEditsPath()));
#else
        QSKIP("the data folder is watched with inotify");
#endif
    }

    void new_asks_for_stations_and_starts_an_empty_survey() {
        openHand();
        DialogDriver driver({press("闭合断面"), press("输入间距")});
        menuAction(*mainWindow, "新建")->trigger();
        QVERIFY(driver.scriptDone());
        QCOMPARE(document().survey().sectionCount(), 0);
        QVERIFY(!document().survey().stationsEntered());
        QCOMPARE(mainWindow->windowTitle(), "Velmorin");
        QCOMPARE(menuAction(*mainWindow, "新建")->shortcut(), QKeySequence(QKeySequence::New));
    }
};

QTEST_MAIN(UnsavedEditsTest)
#include "unsaved_edits_test.moc"
