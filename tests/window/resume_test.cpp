// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing typed is lost: a calculation abandoned with Cancel goes on where it
// stopped, its answers replayed unseen; 否 keeps the old answers in a backup;
// a journal that does not replay is moved aside; a data folder that cannot be
// written is told once and the calculation goes on.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <csignal>

#include "dialog_driver.h"
#include "document/survey_document.h"
#include "lone_form.h"
#include "storage/data_folder.h"
#include "survey_file/survey_file.h"
#include "window/platform/application.h"
#include "window/views/main_form.h"

namespace {

QList<Reply> point(const QString& h, const QString& s) {
    return {answer(h), answer(""), answer(s), answer("")};
}

// Two sections without stations, 2 and 1 points; point 2 entered again.
QList<Reply> wholeRun() {
    return QList<Reply>{answer("2"), answer("n"), answer("2"), answer("1")} + point("100", "2") +
           QList<Reply>{answer("101"), answer("0"),  answer("102"),
                        answer(""),    answer("-2"), answer("")} +
           point("99", "0") + QList<Reply>{answer("20"), answer(""), answer("")};
}

const QString kQuestion =
    "上次的计算没有完成：共 2 个断面，已输入到第 1 号断面的第 2 个观测点。是否接着输入？";

QStringList journals(const QString& kind) {
    return QDir(storage::dataFolder())
        .entryList({QStringLiteral("calculation-%1-*.journal").arg(kind)},
                   QDir::Files | QDir::System);
}

// The unfinished journals: this instance's, or another's.
QStringList unfinished() {
    return journals("[0-9]*");
}

QString journalPath() {
    const QStringList names = unfinished();
    return names.size() == 1 ? QDir(storage::dataFolder()).filePath(names[0]) : QString();
}

void appendTo(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    file.write(bytes);
}

}  // namespace

class ResumeTest : public QObject {
    Q_OBJECT

    window::MainForm* form = nullptr;
    section::SectionSurvey uninterrupted;

    void calculate(const QList<Reply>& script) {
        DialogDriver driver(script);
        form->findChild<QPushButton*>("Command1")->click();
        QVERIFY2(driver.scriptDone(), qPrintable(driver.log().join('\n')));
    }

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }

    void init() {
        QDir(storage::dataFolder()).removeRecursively();
        form = new LoneForm;
        calculate(wholeRun());
        uninterrupted = (*form->document().survey().closedOutline());
    }

    void cleanup() { delete form; }

    // Cancelled in a re-entry, then a line cut in mid-write at the end; gone
    // on and cancelled again, then NULs as a power cut leaves them: each time
    // the journal is cut back to its whole lines before it is written on.
    void a_cancelled_run_goes_on_where_it_stopped_and_ends_as_if_never_interrupted() {
        const window::MainForm::Screen finished = form->screen();
        calculate(wholeRun().mid(0, 10) << cancel());
        appendTo(journalPath(), "0123abcd\tanswer\televat");
        calculate(QList<Reply>{press("是")} + wholeRun().mid(10, 4) << cancel());
        appendTo(journalPath(), QByteArray(300, '\0'));

        calculate(QList<Reply>{press("是")} + wholeRun().mid(14));
        QCOMPARE((*form->document().survey().closedOutline()), uninterrupted);
        QCOMPARE(form->screen(), finished);
        QVERIFY(unfinished().isEmpty());
        QFile last(storage::lastCalculationPath());
        QVERIFY(last.open(QIODevice::ReadOnly));
        QCOMPARE(last.readAll().toStdString(), survey_file::writeSurvey(uninterrupted));
    }

    // The 工程信息 stays with the document through a typed run, and the copy
    // kept of the run carries it too.
    void a_typed_run_is_kept_with_the_project_information_held() {
        section::ProjectInfo project;
        project.projectName = "某公路改建工程";
        project.calculatedBy = "王工";
        form->document().setProject(project);
        calculate(wholeRun());
        QCOMPARE(form->document().project(), project);
        QFile last(storage::lastCalculationPath());
        QVERIFY(last.open(QIODevice::ReadOnly));
        QCOMPARE(last.readAll().toStdString(), survey_file::writeSurvey(uninterrupted, project));
    }

    void the_question_says_how_far_it_got_and_no_keeps_a_backup() {
        calculate(wholeRun().mid(0, 10) << cancel());
        QString question;
        {
            DialogDriver driver({press("否"), cancel()});
            driver.onOpen([&](QWidget* dialog) {
                if (question.isEmpty())
                    question = dialog->findChild<QLabel*>("qt_msgbox_label")->text();
            });
            form->findChild<QPushButton*>("Command1")->click();
            QVERIFY(driver.scriptDone());
            QCOMPARE(driver.log().last(), "请输入断面的个数 :");
        }
        QCOMPARE(question, kQuestion);
        QVERIFY(unfinished().isEmpty());
        QCOMPARE(journals("backup").size(), 1);
    }

    // Under the name of earlier versions.
    void a_journal_that_does_not_replay_is_moved_aside_and_a_new_run_starts() {
        appendTo(QDir(storage::dataFolder()).filePath("calculation.journal"),
                 "velmorin-journal 1\n00000000\tanswer\tpause\t1\t0\t\n");
        calculate({acknowledge(), cancel()});
        QCOMPARE(journals("damaged").size(), 1);
        QVERIFY(!QFile::exists(QDir(storage::dataFolder()).filePath("calculation.journal")));
        QCOMPARE((*form->document().survey().closedOutline()), uninterrupted);
    }

    // Told before the folder test below: a data folder's failure is told once.
    void the_journal_stays_when_the_last_calculation_cannot_be_written() {
        QVERIFY(QFile::remove(storage::lastCalculationPath()));
        QVERIFY(QDir().mkdir(storage::lastCalculationPath()));
        calculate(wholeRun() << acknowledge());
        QCOMPARE(unfinished().size(), 1);
        QVERIFY(QDir().rmdir(storage::lastCalculationPath()));
        {
            DialogDriver driver({press("是")});  // every answer replays: finished and kept
            form->findChild<QPushButton*>("Command1")->click();
            QVERIFY(driver.scriptDone());
            QCOMPARE(driver.log(), QStringList{"message: 上次完成的计算没有保存为最近一次计算。"
                                               "是否重新显示这次计算？"});
        }
        QVERIFY(unfinished().isEmpty());
        QVERIFY(QFile::exists(storage::lastCalculationPath()));
        QCOMPARE((*form->document().survey().closedOutline()), uninterrupted);
    }

    // A file size limit stands for a full disk at answer 7 (a distance);
    // space returns at the next prompt. The journal keeps the six before it,
    // nothing after: resumed there, no point takes another's values.
    void a_failed_write_ends_journaling_for_the_run_and_resume_goes_on_before_it() {
        std::signal(SIGXFSZ, SIG_IGN);
        int dialogs = 0;
        QString told;
        {
            DialogDriver driver(wholeRun().mid(0, 7) + QList<Reply>{acknowledge()} +
                                wholeRun().mid(7, 5) + QList<Reply>{cancel()});
            driver.onOpen([&](QWidget* dialog) {
                const rlim_t size = QFileInfo(journalPath()).size();
                const rlimit limit{dialogs == 6 ? size : RLIM_INFINITY, RLIM_INFINITY};
                setrlimit(RLIMIT_FSIZE, &limit);
                if (dialogs++ == 7) told = dialog->findChild<QLabel*>("qt_msgbox_label")->text();
            });
            form->findChild<QPushButton*>("Command1")->click();
            QVERIFY2(driver.scriptDone(), qPrintable(driver.log().join('\n')));
        }
        QVERIFY2(told.contains("本次计算从这里起输入的数据不再记录"), qPrintable(told));
        calculate(QList<Reply>{press("是")} + wholeRun().mid(6));
        QCOMPARE((*form->document().survey().closedOutline()), uninterrupted);
        QVERIFY(unfinished().isEmpty());
    }

    // A FIFO would block a plain open, an endless device fill the memory.
    void journals_that_are_not_regular_files_or_too_large_are_moved_aside_without_hanging() {
        const QDir folder(storage::dataFolder());
        QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath("calculation.journal")), 0644), 0);
        QVERIFY(QFile::link("/dev/zero", folder.filePath("calculation-1-1.journal")));
        QFile large(folder.filePath("calculation-2-2.journal"));
        QVERIFY(large.open(QIODevice::WriteOnly));
        QVERIFY(large.resize(qint64(300) << 20));  // sparse: no room taken
        large.close();
        QStringList messages;
        {
            DialogDriver driver({acknowledge(), acknowledge(), acknowledge(), cancel()});
            form->findChild<QPushButton*>("Command1")->click();
            QVERIFY(driver.scriptDone());
            messages = driver.log().filter("message: ");
        }
        QCOMPARE(messages.size(), 3);
        QCOMPARE(messages.filter("不是普通文件").size(), 2);
        QCOMPARE(messages.filter("文件大于 256 MB").size(), 1);
        QVERIFY(unfinished().isEmpty());
        QCOMPARE(journals("damaged").size(), 3);
    }

    // The other instance is stood for by a lock this test takes on a journal.
    void a_journal_another_instance_holds_is_neither_offered_nor_moved_until_it_ends() {
        calculate(wholeRun().mid(0, 10) << cancel());
        const QString other = QDir(storage::dataFolder()).filePath("calculation-1-2.journal");
        // A copy: this instance still holds its own until its next calculation.
        const QString own = journalPath();
        QVERIFY(QFile::copy(own, other));
        QVERIFY(QFile::remove(own));
        const int fd = ::open(QFile::encodeName(other), O_RDONLY | O_CLOEXEC);
        QVERIFY(fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0);
        QFile journal(other);
        QVERIFY(journal.open(QIODevice::ReadOnly));
        const QByteArray before = journal.readAll();
        journal.close();
        {
            DialogDriver driver({cancel()});
            form->findChild<QPushButton*>("Command1")->click();
            QVERIFY(driver.scriptDone());
            QCOMPARE(driver.log(), QStringList{"请输入断面的个数 :"});
        }
        QVERIFY(journal.open(QIODevice::ReadOnly));
        QCOMPARE(journal.readAll(), before);
        QCOMPARE(unfinished(), QStringList{"calculation-1-2.journal"});
        ::close(fd);
        calculate(QList<Reply>{press("是")} + wholeRun().mid(10));
        QCOMPARE((*form->document().survey().closedOutline()), uninterrupted);
        QVERIFY(unfinished().isEmpty());
    }

    // The data folder's place is taken by a file: nothing can be written there.
    void a_data_folder_that_cannot_be_written_is_told_once_and_the_calculation_goes_on() {
        const QByteArray home = qgetenv("XDG_DATA_HOME");
        QDir().mkpath(QString::fromUtf8(home) + "/blocked");
        QFile blocker(QString::fromUtf8(home) + "/blocked/velmorin");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_DATA_HOME", home + "/blocked");
        QStringList messages;
        {
            DialogDriver driver(QList<Reply>{answer("2"), acknowledge()} + wholeRun().mid(1));
            form->findChild<QPushButton*>("Command1")->click();
            QVERIFY(driver.scriptDone());
            messages = driver.log().filter("message: ");
        }
        qputenv("XDG_DATA_HOME", home);
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains("无法写入文件"));
        QCOMPARE((*form->document().survey().closedOutline()), uninterrupted);
    }
};

QTEST_MAIN(ResumeTest)
#include "resume_test.moc"
