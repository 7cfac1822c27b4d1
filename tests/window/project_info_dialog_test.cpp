// SPDX-License-Identifier: GPL-3.0-or-later
// 文件 ▸ 工程信息…: what the dialog accepts is the document's 工程信息 as one
// undoable step, marks the survey changed and is saved with it; cancelled or
// unchanged, nothing happens. 日期 proposes today.

#include "window/project_info_dialog.h"

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <functional>

#include "dialog_driver.h"
#include "document/survey_document.h"
#include "storage/survey_io.h"
#include "window/main_window.h"

namespace {

// Runs `fill` on the dialog once it is open, then accepts it (or rejects it).
void whenOpen(const std::function<void(window::ProjectInfoDialog&)>& fill, bool accept = true) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, fill, accept] {
        auto* dialog = qobject_cast<window::ProjectInfoDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        poll->stop();
        poll->deleteLater();
        fill(*dialog);
        accept ? dialog->accept() : dialog->reject();
    });
    poll->start(10);
}

// A survey of two sections, calculated.
section::SectionSurvey twoSections() {
    section::SectionSurvey survey;
    survey.resize(2);
    survey.setStationAnswer("y");
    for (int i = 1; i <= 2; ++i) survey.setPointCount(i, 3);
    survey.allocatePoints();
    for (int i = 1; i <= 2; ++i) {
        survey.setStation(i, 1000 + 20 * i);
        survey.setPoint(i, 1, 100, 2);
        survey.setPoint(i, 2, 101, 0);
        survey.setPoint(i, 3, 100, -2);
    }
    return survey;
}

}  // namespace

class ProjectInfoDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void accepted_values_are_one_undoable_step_of_the_document() {
        document::SurveyDocument document;
        QCOMPARE(document.replaceSurvey(twoSections(), QStringLiteral("打开文件"), {}),
                 document::Outcome::Done);
        document.markSaved({QStringLiteral("two.csv")});
        QSignalSpy changed(&document, &document::SurveyDocument::projectChanged);
        QString proposedDate;
        whenOpen([&](window::ProjectInfoDialog& dialog) {
            proposedDate = dialog.field(4)->text();
            // Typed as setText: QTest::keyClicks cannot type Chinese.
            dialog.field(0)->setText(QStringLiteral("某某公路改建工程"));
            dialog.field(1)->setText(QStringLiteral(" K1+000～K2+000 "));
            dialog.field(2)->setText(QStringLiteral("张三"));
            dialog.field(3)->setText(QStringLiteral("李四, 王五"));
        });
        window::editProjectInfo(document, nullptr);
        QCOMPARE(proposedDate, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
        const section::ProjectInfo filled{"某某公路改建工程", "K1+000～K2+000", "张三",
                                          "李四, 王五", proposedDate.toStdString()};
        QCOMPARE(document.project(), filled);
        QCOMPARE(changed.count(), 1);
        QVERIFY(document.modified());
        QCOMPARE(document.undoStack()->undoText(), QStringLiteral("修改工程信息"));

        document.undoStack()->undo();
        QCOMPARE(document.project(), section::ProjectInfo{});
        QVERIFY(!document.modified());
        QCOMPARE(document.survey().sectionCount(), 2);
        document.undoStack()->redo();
        QCOMPARE(document.project(), filled);

        // Unchanged or cancelled: no step.
        const int steps = document.undoStack()->count();
        whenOpen([](window::ProjectInfoDialog&) {});
        window::editProjectInfo(document, nullptr);
        whenOpen([](window::ProjectInfoDialog& dialog) { dialog.field(0)->clear(); }, false);
        window::editProjectInfo(document, nullptr);
        QCOMPARE(document.undoStack()->count(), steps);
        QCOMPARE(document.project(), filled);

        // Saved with the survey, it reads back the same; a typed run keeps it.
        QTemporaryDir folder;
        const QString path = folder.filePath("工程.csv");
        QCOMPARE(storage::saveSurvey(path, document.survey(), document::FileFormat::SurveyCsv,
                                     document.project()),
                 QString());
        const storage::OpenedSurvey opened = storage::openSurvey(path);
        QVERIFY(opened.survey);
        QCOMPARE(opened.project, filled);
        QCOMPARE(document.replaceSurvey(twoSections(), QStringLiteral("计算"), {}),
                 document::Outcome::Done);
        QCOMPARE(document.project(), filled);
    }

    // A control character in a field (a tab aside) is refused by name, the
    // dialog left open to mend it; nothing is replaced behind the user's back.
    void a_control_character_is_refused_naming_the_field_and_the_dialog_stays() {
        window::ProjectInfoDialog dialog({});
        dialog.show();
        dialog.field(1)->setText(QStringLiteral("K1+000\u0007K2+000"));
        {
            DialogDriver driver({acknowledge()});
            dialog.accept();
            QVERIFY(driver.scriptDone());
            QCOMPARE(driver.log(), QStringList{"message: “路段”中有控制字符（U+0007，例如换行），"
                                               "不能用作工程信息。请删去它，再单击“确定”。"});
        }
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        dialog.field(1)->setText(QStringLiteral("K1+000～K2+000"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.project().segment, "K1+000～K2+000");
    }

    void the_window_menu_opens_it_and_the_title_shows_the_change() {
        window::MainWindow window;
        window.show();
        QAction* action = nullptr;
        for (QAction* item : window.menuBar()->actions().first()->menu()->actions())
            if (item->text().startsWith(QStringLiteral("工程信息"))) action = item;
        QVERIFY(action);
        const QString before = window.windowTitle();
        QVERIFY(!before.contains(u'*'));
        whenOpen([](window::ProjectInfoDialog& dialog) {
            dialog.field(0)->setText(QStringLiteral("某某公路"));
        });
        action->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(window.windowTitle().contains(u'*'), 30000);
    }
};

QTEST_MAIN(ProjectInfoDialogTest)
#include "project_info_dialog_test.moc"
