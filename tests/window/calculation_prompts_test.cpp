// SPDX-License-Identifier: GPL-3.0-or-later
// Whole calculations through the real prompts and message boxes: the answers are
// typed into each dialog as it opens, and the window's text boxes are read at the
// end.

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "dialog_driver.h"
#include "lone_form.h"
#include "storage/data_folder.h"
#include "window/platform/application.h"
#include "window/views/main_form.h"

namespace {

const QString sectionCountPrompt = "请输入断面的个数 :";
const QString stationQuestion = "是否需要输入断面桩号 ? 需要输入按 Y ; 不要输入按 N";

// One point: its elevation and distance, each accepted with Enter at the confirm
// prompt.
QList<Reply> point(const QString& h, const QString& s) {
    return {answer(h), answer(""), answer(s), answer("")};
}

// Two sections at stations 1000 and 1020, each a triangle entered left, top,
// right: 2 m either side of the centre line, 1 m and 2 m high. Areas 2 and 4 m²,
// spacing 20 m, volume 60 m³.
QList<Reply> twoTriangles() {
    QList<Reply> script{answer("2"), answer("y"),    answer("1000"),
                        answer("3"), answer("1020"), answer("3")};
    script << point("100", "2") << point("101", "0") << point("100", "-2");
    script << point("100", "2") << point("102", "0") << point("100", "-2");
    script << answer("1");  // pause before the results of the pair
    return script;
}

}  // namespace

class CalculationPromptsTest : public QObject {
    Q_OBJECT

    window::MainForm* form = nullptr;

    QString box(section::TextBox which) const { return form->textBox(which)->text(); }

    void calculate() { form->findChild<QPushButton*>("Command1")->click(); }

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }

    void init() {
        // No journal of an earlier test's abandoned run to resume.
        QDir(storage::dataFolder()).removeRecursively();
        form = new LoneForm;
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }

    void cleanup() { delete form; }

    void two_sections_with_stations_show_areas_spacing_and_volumes() {
        DialogDriver driver(twoTriangles());
        calculate();

        QVERIFY(driver.scriptDone());
        QCOMPARE(driver.log().size(), 31);
        QCOMPARE(driver.log().first(), sectionCountPrompt);
        QCOMPARE(driver.log()[1], stationQuestion);
        QCOMPARE(driver.log()[2], "请输入1号断面的桩号 :");
        QCOMPARE(driver.log().last(), "请输入不等于零的任意数显示计算结果");

        using enum section::TextBox;
        QCOMPARE(box(Text1), "本次计算共有2个断面");
        QCOMPARE(box(Text2), "请注意： 现在是 K1+020.000 桩号断面");
        QCOMPARE(box(Text11), "本断面是第2 个断面");
        QCOMPARE(box(Text6), " 2.000平方米");
        QCOMPARE(box(Text7), " 4.000平方米");
        QCOMPARE(box(Text8), "  20米");
        QCOMPARE(box(Text9), " 60.000立方米");
        QCOMPARE(box(Text10), " 60.000立方米");
        QCOMPARE(form->document().survey().sectionCount(), 2);
        QCOMPARE((*form->document().survey().closedOutline()).totalVolume(), 60.0f);
    }

    // Cancel (the button, or Esc) at a confirm prompt turns the value down as
    // "0" does: 105 is entered again as 101 and the areas are those of 101.
    void cancel_at_a_confirm_prompt_enters_the_value_again() {
        QList<Reply> script{answer("2"), answer("y"),    answer("1000"),
                            answer("3"), answer("1020"), answer("3")};
        script << point("100", "2") << answer("105") << cancel() << answer("101") << answer("")
               << answer("0") << answer("") << point("100", "-2");
        script << point("100", "2") << point("102", "0") << point("100", "-2") << answer("1");
        DialogDriver driver(script);
        calculate();

        QVERIFY(driver.scriptDone());
        QCOMPARE(driver.log()[12], "输入第 2 观测点的正确高程 H :");
        QCOMPARE((*form->document().survey().closedOutline()).elevations(1, 2), 101.0);
        QCOMPARE(box(section::TextBox::Text6), " 2.000平方米");
        QCOMPARE(box(section::TextBox::Text10), " 60.000立方米");
    }

    void cancel_in_the_middle_keeps_the_last_finished_survey() {
        {
            DialogDriver first(twoTriangles());
            calculate();
            QVERIFY(first.scriptDone());
        }
        const section::SectionSurvey finished = (*form->document().survey().closedOutline());

        DialogDriver second({answer("3"), answer("n"), answer("4"), cancel()});
        calculate();
        QVERIFY(second.scriptDone());
        QCOMPARE(second.log().last(), "请输入2号断面中观测的点数 :");
        QVERIFY((*form->document().survey().closedOutline()) == finished);
        QCOMPARE(box(section::TextBox::Text10), " 60.000立方米");
    }

    // A second run abandoned at each kind of prompt where Cancel abandons, and
    // one that overflows: every box shows again what the first run left.
    void an_abandoned_run_leaves_every_box_as_the_last_finished_run_left_it_data() {
        QTest::addColumn<QList<Reply>>("script");
        const QList<Reply> threeSectionsOnePointEach{answer("3"), answer("n"), answer("1"),
                                                     answer("1"), answer("1")};
        const QList<Reply> threePoints = point("5", "1") + point("6", "0") + point("7", "-1");
        QTest::newRow("section count") << QList<Reply>{cancel()};
        QTest::newRow("station") << QList<Reply>{answer("2"), answer("y"), cancel()};
        QTest::newRow("point count") << QList<Reply>{answer("2"), answer("n"), cancel()};
        QTest::newRow("elevation")
            << threeSectionsOnePointEach +
                   QList<Reply>{answer("5"), answer(""), answer("1"), answer(""), cancel()};
        QTest::newRow("elevation entered again")
            << threeSectionsOnePointEach + QList<Reply>{answer("5"), answer("0"), cancel()};
        QTest::newRow("distance") << threeSectionsOnePointEach +
                                         QList<Reply>{answer("5"), answer(""), cancel()};
        QTest::newRow("second spacing") << threeSectionsOnePointEach + threePoints +
                                               QList<Reply>{answer("25"), answer(""), cancel()};
        QTest::newRow("spacing entered again")
            << threeSectionsOnePointEach + threePoints +
                   QList<Reply>{answer("25"), answer("0"), cancel()};
        QTest::newRow("overflow") << QList<Reply>{answer("2"),  answer("y"),     answer("3e38"),
                                                  answer("0"),  answer("-3e38"), answer("0"),
                                                  acknowledge()};
    }

    void an_abandoned_run_leaves_every_box_as_the_last_finished_run_left_it() {
        QFETCH(QList<Reply>, script);
        {
            DialogDriver first(twoTriangles());
            calculate();
            QVERIFY(first.scriptDone());
        }
        const window::MainForm::Screen finished = form->screen();
        const section::SectionSurvey record = (*form->document().survey().closedOutline());

        DialogDriver second(script);
        calculate();
        QVERIFY2(second.scriptDone(), qPrintable(second.log().join('\n')));
        QCOMPARE(form->screen(), finished);
        QCOMPARE((*form->document().survey().closedOutline()), record);
    }

    void bad_answer_gets_a_warning_and_the_same_prompt_again() {
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        DialogDriver driver({answer("abc"), acknowledge(), cancel()});
        driver.onOpen([&](QWidget* dialog) {
            if (auto* message = qobject_cast<QMessageBox*>(dialog)) {
                title = message->windowTitle();
                icon = message->icon();
            }
        });
        calculate();

        QVERIFY(driver.scriptDone());
        QCOMPARE(driver.log().size(), 3);
        QCOMPARE(driver.log()[0], sectionCountPrompt);
        QVERIFY(driver.log()[1].startsWith("message: "));
        QVERIFY(driver.log()[1].contains("abc"));
        QCOMPARE(driver.log()[2], sectionCountPrompt);
        QCOMPARE(title, "Velmorin");
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE((*form->document().survey().closedOutline()), section::SectionSurvey());
    }

    // The distance prompt is the longest: it must wrap, not stretch the dialog
    // across the screen.
    void long_prompt_wraps_under_the_window_title_with_an_empty_field_and_chinese_buttons() {
        QString title, field;
        QStringList buttons;
        int width = 0;
        bool wraps = false;
        DialogDriver driver(
            {answer("1"), answer("n"), answer("1"), answer("100"), answer(""), cancel()});
        driver.onOpen([&](QWidget* dialog) {
            auto* prompt = qobject_cast<QInputDialog*>(dialog);
            if (!prompt || !prompt->labelText().contains("距离 S")) return;
            title = dialog->windowTitle();
            field = dialog->findChild<QLineEdit*>()->text();
            for (auto* button : dialog->findChild<QDialogButtonBox*>()->buttons())
                buttons << button->text();
            width = dialog->width();
            wraps = dialog->findChild<QLabel*>()->wordWrap();
        });
        calculate();

        QVERIFY(driver.scriptDone());
        QCOMPARE(title, "Velmorin");
        QCOMPARE(field, "");
        buttons.sort();
        QCOMPARE(buttons, QStringList({"取消", "确定"}));
        QVERIFY(wraps);
        QVERIFY2(width > 300 && width < 640, qPrintable(QString::number(width)));
    }
};

QTEST_MAIN(CalculationPromptsTest)
#include "calculation_prompts_test.moc"
