// SPDX-License-Identifier: GPL-3.0-or-later
// The check box 计算书附断面图 in the PDF export's file dialog: off at first,
// the sheet written as checked (the drawings' colours on its first page or
// none), and offered next time as it was left; and the same box in the print
// dialog, printing to a PDF file.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "dialog_driver.h"
#include "document/survey_document.h"
#include "pdf_page_image.h"
#include "section/cut_fill_calculation.h"
#include "window/platform/application.h"
#include "window/printing/printing.h"

namespace {

// Three sections, each a road 10 m wide on ground that falls across it: cut and fill.
section::CutFillSurvey slopedRoad() {
    section::CutFillSurvey survey;
    survey.stationAnswer = "y";
    for (int i = 0; i < 3; ++i) {
        section::CutFillSection s;
        s.station = 1000.0 + 20.0 * i;
        s.ground = {{4.0 + i, -12.0}, {0.0, 12.0}};
        s.design = {{0.0, -12.0}, {2.0, -5.0}, {2.0, 5.0}, {0.0, 12.0}};
        survey.sections.push_back(s);
    }
    section::calculateCutFill(survey);
    return survey;
}

}  // namespace

class SheetDrawingsChoiceTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QWidget parent;
    window::Printing printing{&parent};
    document::SurveyDocument document;

  private slots:
    void initTestCase() {
        window::prepareApplication(*qApp);
        QSettings().remove(QStringLiteral("printing/sectionDrawings"));
        document.replaceSurvey(section::Survey(slopedRoad()), QStringLiteral("打开文件"), {});
    }

    void the_pdf_has_the_drawings_as_the_box_says_and_the_box_is_remembered() {
        // Left as offered (off), checked, then unchecked again.
        const struct {
            bool offered;
            bool chosen;
        } rounds[] = {{false, false}, {false, true}, {true, false}};
        int round = 0;
        for (const auto& [offered, chosen] : rounds) {
            const QString pdf = folder.filePath(QStringLiteral("sheet%1.pdf").arg(++round));
            DialogDriver driver({chooseFile(pdf)});
            bool seen = false;
            bool found = false;
            driver.onOpen([&](QWidget* dialog) {
                auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("sectionDrawings"));
                found = box && box->text().startsWith(QStringLiteral("计算书附断面图"));
                if (!box) return;
                seen = box->isChecked();
                box->setChecked(chosen);
            });
            QVERIFY(printing.exportPdf(document));
            QVERIFY2(driver.scriptDone(), qPrintable(driver.log().join(u'\n')));
            QVERIFY(found);
            QCOMPARE(seen, offered);
            const QImage page = pdf_page_image::pageImage(pdf, 1, 60);
            QVERIFY(!page.isNull());
            QCOMPARE(pdf_page_image::colouredPixels(page) > 100, chosen);
        }
    }

    // Qt's own print dialog, its printer the PDF file it offers last.
    void the_print_dialog_has_the_box_and_prints_what_it_says() {
        const QString pdf = folder.filePath(QStringLiteral("printed.pdf"));
        DialogDriver driver({acceptDialog()});
        bool found = false;
        driver.onOpen([&](QWidget* dialog) {
            auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("sectionDrawings"));
            auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
            auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
            found = box && printers && file;
            if (!found) return;
            box->setChecked(true);
            printers->setCurrentIndex(printers->count() - 1);
            file->setText(pdf);
        });
        printing.printWithDialog(document);
        QVERIFY2(driver.scriptDone(), qPrintable(driver.log().join(u'\n')));
        QVERIFY(found);
        const QImage page = pdf_page_image::pageImage(pdf, 1, 60);
        QVERIFY(!page.isNull());
        QVERIFY(pdf_page_image::colouredPixels(page) > 100);
    }
};

QTEST_MAIN(SheetDrawingsChoiceTest)
#include "sheet_drawings_choice_test.moc"
