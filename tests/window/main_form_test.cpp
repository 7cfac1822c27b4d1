// SPDX-License-Identifier: GPL-3.0-or-later
// The window as built: every control where the layout puts it, with its caption,
// font and colours, the schematic painted, the tab order and the start state.

#include "window/views/main_form.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <new>
#include <stdexcept>

#include "dialog_driver.h"
#include "lone_form.h"
#include "window/platform/application.h"
#include "window/platform/guarded.h"
#include "window/platform/startup.h"
#include "window/views/form_controls.h"
#include "window/views/form_layout.h"
#include "window/views/qt_user_interface.h"

using window::ControlKind;
using window::ControlRow;

namespace {

// Colours within a few units of each other (Fusion shades button faces).
bool near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

const QColor paleYellow(255, 255, 192);

}  // namespace

class MainFormTest : public QObject {
    Q_OBJECT

    window::MainForm* form = nullptr;

    template <typename T>
    T* control(const QString& name) const {
        return form->findChild<T*>(name);
    }

  private slots:
    void initTestCase() { window::prepareApplication(*qApp); }

    void init() {
        form = new LoneForm;
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
    }

    void cleanup() { delete form; }

    void every_control_has_the_geometry_caption_and_font_of_its_row() {
        for (const ControlRow& row : window::controlTable()) {
            auto* widget = control<QWidget>(row.name);
            QVERIFY2(widget, row.name);
            QCOMPARE(widget->geometry(),
                     QRect(row.left / 15, row.top / 15, row.width / 15, row.height / 15));
            QCOMPARE(widget->font(), window::fontOf(row.font));
            const QString caption = QString::fromUtf8(row.caption);
            if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), caption);
            if (auto* button = qobject_cast<QPushButton*>(widget))
                QCOMPARE(button->text(), caption);
        }
    }

    void twips_become_pixels_at_15_to_one_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("section count box") << "Text1" << QRect(344, 104, 209, 18);
        QTest::newRow("print button") << "Command3" << QRect(512, 560, 65, 33);
        QTest::newRow("S axis caption") << "Label24" << QRect(952, 224, 17, 25);
    }

    void twips_become_pixels_at_15_to_one() {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        QCOMPARE(control<QWidget>(name)->geometry(), pixels);
    }

    void window_opens_large_enough_to_show_the_whole_layout() {
        QCOMPARE(form->windowTitle(), "Velmorin");
        QVERIFY(form->width() >= 969);
        QVERIFY(form->height() >= 593);
        QVERIFY(form->width() < 1100);
    }

    void window_shows_the_road_section_icon_of_the_desktop_entry() {
        // Null when the picture is not built in or no SVG icon engine is installed.
        const QImage icon = form->windowIcon().pixmap(64).toImage();
        QVERIFY(!icon.isNull());
        // The top dash of the red centre line, in the middle of the picture.
        QVERIFY(near(icon.pixelColor(31, 9), QColor(0xe0, 0x20, 0x20), 8));
    }

    void fonts_are_bold_in_their_sizes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("face");
        QTest::newRow("F1 text box") << "Text1" << 9.0 << "AR PL UMing CN";
        QTest::newRow("F1 button") << "Command2" << 9.0 << "AR PL UMing CN";
        QTest::newRow("F2 title") << "Label1" << 14.25 << "AR PL UMing CN";
        QTest::newRow("F3 point label") << "Label28" << 8.25 << "DejaVu Sans Condensed";
        QTest::newRow("F4 axis caption") << "Label23" << 13.5 << "DejaVu Sans Condensed";
    }

    // The face really used shows whether "宋体" found a Song face instead of a
    // sans face that lacks the look (or boxes instead of Chinese).
    void fonts_are_bold_in_their_sizes() {
        QFETCH(QString, name);
        QFETCH(double, points);
        QFETCH(QString, face);
        const QFont font = control<QWidget>(name)->font();
        QCOMPARE(font.pointSizeF(), points);
        QVERIFY(font.bold());
        QCOMPARE(QFontInfo(font).family(), face);
    }

    void with_a_chinese_face_installed_no_font_warning_appears() {
        DialogDriver driver({});
        QVERIFY(window::chineseFontInstalled());
        window::warnIfNoChineseFont(form);
        QCOMPARE(driver.log(), QStringList());
    }

    void point_labels_keep_their_caption_on_one_line() {
        for (int i = 25; i <= 33; ++i) {
            auto* label = control<QLabel>(QStringLiteral("Label%1").arg(i));
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->text()));
        }
    }

    void centre_line_caption_wraps_s_0_onto_a_second_line() {
        auto* label = control<QLabel>("Label34");
        QVERIFY(label->wordWrap());
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) > label->width());
        QVERIFY(label->heightForWidth(label->width()) >= 2 * label->fontMetrics().lineSpacing());
    }

    void labels_are_opaque_pale_yellow_like_the_window() {
        QCOMPARE(form->palette().color(QPalette::Window), paleYellow);
        for (auto* label : form->findChildren<QLabel*>()) {
            QVERIFY(label->autoFillBackground());
            QCOMPARE(label->palette().color(QPalette::Window), paleYellow);
        }
    }

    void buttons_show_their_own_face_colour_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("face");
        QTest::newRow("calculate") << "Command1" << QColor(192, 192, 192);
        QTest::newRow("exit") << "Command2" << QColor(192, 192, 192);
        QTest::newRow("print") << "Command3" << QColor(255, 192, 192);
    }

    void buttons_show_their_own_face_colour() {
        QFETCH(QString, name);
        QFETCH(QColor, face);
        auto* button = control<QPushButton>(name);
        const QImage image = button->grab().toImage();
        const QColor shown = image.pixelColor(6, image.height() / 2);
        QVERIFY2(near(shown, face, 12), qPrintable(shown.name()));
    }

    void schematic_and_frame_are_painted_on_the_window_data() {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("top edge of the results frame") << QPoint(400, 320) << QColor(Qt::red);
        QTest::newRow("second band divider") << QPoint(200, 432) << QColor(Qt::red);
        QTest::newRow("H axis") << QPoint(680, 150) << QColor(Qt::red);
        QTest::newRow("outline edge P1-P9") << QPoint(700, 144) << QColor(Qt::black);
        QTest::newRow("gap in the centre line") << QPoint(800, 76) << paleYellow;
        QTest::newRow("empty window below the title") << QPoint(300, 200) << paleYellow;
    }

    void schematic_and_frame_are_painted_on_the_window() {
        QFETCH(QPoint, pixel);
        QFETCH(QColor, colour);
        const QImage image = form->grab().toImage();
        const QColor shown = image.pixelColor(pixel);
        QVERIFY2(near(shown, colour, 40), qPrintable(shown.name()));
    }

    void at_start_all_text_boxes_are_empty_and_the_section_count_box_has_the_focus() {
        const auto boxes = form->findChildren<QLineEdit*>();
        QCOMPARE(boxes.size(), 12);
        for (auto* box : boxes) QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        QCOMPARE(QApplication::focusWidget(), control<QWidget>("Text1"));
    }

    void tab_visits_text_boxes_and_buttons_in_layout_order() {
        const QStringList expected{"Text1",    "Text2",    "Text3",  "Text4",  "Text5",
                                   "Command1", "Command2", "Text6",  "Text7",  "Text8",
                                   "Text9",    "Text10",   "Text11", "Text12", "Command3"};
        QStringList visited;
        for (const QString& name : expected) {
            Q_UNUSED(name);
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
        QCOMPARE(QApplication::focusWidget()->objectName(), "Text1");
    }

    // A pressed button would open a prompt or a message box, or close the window.
    void enter_and_escape_press_no_button() {
        DialogDriver driver({});
        for (auto* button : form->findChildren<QPushButton*>()) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
        QTest::keyClick(control<QWidget>("Text1"), Qt::Key_Return);
        QTest::keyClick(control<QWidget>("Text1"), Qt::Key_Escape);
        QCOMPARE(driver.log(), QStringList());
        QVERIFY(form->isVisible());
    }

    // The box is too narrow for the text: it shows the beginning, as a box
    // written by the program always does.
    void writing_a_box_replaces_typed_text_and_shows_its_beginning() {
        auto* box = control<QLineEdit>("Text2");
        QTest::keyClicks(box, "12.5");
        const QString text = "请注意： 现在是 K12+345.678 桩号断面";
        QVERIFY(box->fontMetrics().horizontalAdvance(text) > box->width());
        window::QtUserInterface(*form).setText(section::TextBox::Text2, text.toStdString());
        QCOMPARE(box->text(), text);
        QCOMPARE(box->cursorPosition(), 0);
    }

    // Typing into a result box would make it contradict the sheet: the boxes
    // take no typing, yet their text can be selected and copied.
    void text_boxes_take_no_typing_but_their_text_can_be_copied() {
        auto* total = control<QLineEdit>("Text10");
        window::QtUserInterface(*form).setText(section::TextBox::Text10, " 60.000立方米");
        total->setFocus();
        QTest::keyClicks(total, "999");
        QTest::keyClick(total, Qt::Key_Backspace);
        QCOMPARE(total->text(), " 60.000立方米");
        QTest::keyClick(total, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(total, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), " 60.000立方米");
    }

    void controls_are_named_for_screen_readers_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessibleName");
        QTest::newRow("section count") << "Text1"
                                       << "断面个数说明";
        QTest::newRow("section being entered") << "Text11"
                                               << "输入断面号说明";
        QTest::newRow("points of the section") << "Text12"
                                               << "断面中测量点数说明";
        QTest::newRow("elevation") << "Text4"
                                   << "高程";
        QTest::newRow("first area") << "Text6"
                                    << "第一断面面积";
        QTest::newRow("total volume") << "Text10"
                                      << "总方量";
        QTest::newRow("calculate button") << "Command1"
                                          << "进行计算";
        QTest::newRow("print button") << "Command3"
                                      << "打 印";
    }

    void controls_are_named_for_screen_readers() {
        QFETCH(QString, name);
        QFETCH(QString, accessibleName);
        QCOMPARE(control<QWidget>(name)->accessibleName(), accessibleName);
    }

    // An index error or a failed allocation inside a button's work: a message,
    // the record untouched, and the window still there for the next click.
    void an_error_escaping_a_handler_is_shown_and_the_program_goes_on() {
        DialogDriver driver({acknowledge(), acknowledge()});
        QVERIFY(!window::runGuarded(form, [] { throw std::out_of_range("section index 7"); }));
        QVERIFY(!window::runGuarded(form, [] { throw std::bad_alloc(); }));
        QVERIFY(window::runGuarded(form, [] {}));
        QVERIFY(driver.scriptDone());
        QCOMPARE(
            driver.log(),
            QStringList({"message: 程序内部出错（下标越界）。"
                         "本次操作没有完成，上一次完成的计算结果保持不变。",
                         "message: 内存不足。本次操作没有完成，上一次完成的计算结果保持不变。"}));
        QVERIFY(form->isVisible());
        QCOMPARE((*form->document().survey().closedOutline()), section::SectionSurvey());
    }

    void exit_button_closes_the_window_without_a_question() {
        DialogDriver driver({});
        control<QPushButton>("Command2")->click();
        QVERIFY(!form->isVisible());
        QCOMPARE(driver.log(), QStringList());
    }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
