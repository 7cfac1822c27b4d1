// SPDX-License-Identifier: GPL-3.0-or-later
// The check box 计算书附断面图 in the PDF export's file dialog and in the
// print dialog: off at first, the sheet written as checked (the drawings'
// colours on its first page or none), and offered next time, in either
// dialog, as it was left.

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

    // Left as offered (off), checked, printed as offered (checked), then
    // unchecked again. Qt's own print dialog prints to the PDF file it offers
    // as its last printer.
    void each_dialog_offers_the_box_as_left_and_writes_what_it_says() {
        const struct {
            bool print;
            bool offered;
            bool chosen;
        } rounds[] = {
            {false, false, false}, {false, false, true}, {true, true, true}, {false, true, false}};
        int round = 0;
        for (const auto& [print, offered, chosen] : rounds) {
            const QString pdf = folder.filePath(QStringLiteral("sheet%1.pdf").arg(++round));
            DialogDriver driver({print ? acceptDialog() : chooseFile(pdf)});
            int seen = -1;
            driver.onOpen([&](QWidget* dialog) {
                auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("sectionDrawings"));
                if (!box || !box->text().startsWith(QStringLiteral("计算书附断面图"))) return;
                seen = box->isChecked();
                box->setChecked(chosen);
                auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
                auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
                if (!print || !printers || !file) return;
                printers->setCurrentIndex(printers->count() - 1);
                file->setText(pdf);
            });
            if (print)
                printing.printWithDialog(document);
            else
                QVERIFY(printing.exportPdf(document));
            QVERIFY2(driver.scriptDone(), qPrintable(driver.log().join(u'\n')));
            QCOMPARE(seen, int(offered));
            const QImage page = pdf_page_image::pageImage(pdf, 1, 60);
            QVERIFY2(!page.isNull(), qPrintable(pdf));
            QCOMPARE(pdf_page_image::colouredPixels(page) > 100, chosen);
        }
    }
};

QTEST_MAIN(SheetDrawingsChoiceTest)
#include "sheet_drawings_choice_test.moc"
