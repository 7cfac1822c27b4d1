// SPDX-License-Identifier: GPL-3.0-or-later
// The print button when no printing system answers (this process points libcups
// at a socket that does not exist): the reason shows in a warning box, which
// offers the sheet as a PDF instead.

#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "dialog_driver.h"
#include "lone_form.h"
#include "storage/data_folder.h"
#include "window/main_window.h"
#include "window/platform/application.h"
#include "window/views/main_form.h"

class NoCupsServerTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }

    void print_button_shows_why_nothing_was_printed() {
        LoneForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        DialogDriver driver({acknowledge()});
        driver.onOpen([&](QWidget* dialog) {
            title = dialog->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) icon = box->icon();
        });

        form.findChild<QPushButton*>("Command3")->click();

        QTRY_VERIFY_WITH_TIMEOUT(driver.scriptDone(), 30000);
        QCOMPARE(driver.log().size(), 1);
        QVERIFY(driver.log().first().size() > QString("message: ").size());
        QCOMPARE(title, "Velmorin");
        QCOMPARE(icon, QMessageBox::Warning);
    }

    // Print news arrives whenever the job watch learns it; over an open prompt
    // the box would take the Enter typed for the prompt.
    void a_print_failure_told_during_a_prompt_waits_until_the_prompts_end() {
        QDir(storage::dataFolder()).removeRecursively();
        LoneForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QString failure = QStringLiteral("默认打印机“PDF”没有完成打印任务。");
        bool told = false;
        DialogDriver driver({answer("2"), answer("n"), cancel(), acknowledge()});
        driver.onOpen([&](QWidget*) {
            if (told) return;
            told = true;  // while the next prompt is open
            QTimer::singleShot(0, &form, [&] { form.printing().tellCannotPrint(failure); });
        });
        form.findChild<QPushButton*>("Command1")->click();
        QTRY_VERIFY2_WITH_TIMEOUT(driver.scriptDone(), qPrintable(driver.log().join('\n')), 30000);
        QCOMPARE(
            driver.log(),
            QStringList({"请输入断面的个数 :", "是否需要输入断面桩号 ? 需要输入按 Y ; 不要输入按 N",
                         "请输入1号断面中观测的点数 :", "message: " + failure}));
    }

    void the_message_offers_the_sheet_as_a_pdf_instead() {
        window::MainWindow mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        QTemporaryDir folder;
        const QString pdf = folder.filePath("计算书.pdf");
        DialogDriver driver({press("导出为 PDF…"), chooseFile(pdf)});
        mainWindow.form().findChild<QPushButton*>("Command3")->click();
        QTRY_VERIFY2_WITH_TIMEOUT(driver.scriptDone(), qPrintable(driver.log().join('\n')), 30000);
        QFile written(pdf);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.read(5) == "%PDF-");
        QVERIFY(mainWindow.statusBar()->currentMessage().contains("计算书已导出为"));
    }
};

QTEST_MAIN(NoCupsServerTest)
#include "no_cups_server_test.moc"
