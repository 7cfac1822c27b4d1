// SPDX-License-Identifier: GPL-3.0-or-later
// A PDF of the sheet is whole only as Qt finished it: cut off anywhere, or with
// a block lost before its cross-reference table (as when writes failed on a
// full disk), it is not. (That it then leaves the earlier file is tested on a
// full disk with the program itself, in output_safety_test.sh.)

#include "paper/pdf_export.h"

#include <QTemporaryDir>
#include <QTest>

#include "printout/sheet.h"

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

printout::Sheet sheetOf(int lines) {
    printout::Sheet sheet;
    sheet.fontName = "宋体";
    for (int k = 0; k < lines; ++k)
        sheet.lines.push_back({10.0, {printout::Text{"第" + std::to_string(k) + "行 断面面积"}}});
    return sheet;
}

}  // namespace

class PdfExportTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

  private slots:
    void a_pdf_is_whole_only_as_finished() {
        const QString path = folder.filePath("计算书.pdf");
        QCOMPARE(paper::exportSheetPdf(sheetOf(120), path), QString());
        const QByteArray pdf = contents(path);
        QVERIFY(paper::pdfIsWhole(pdf));
        QString error;
        QVERIFY(paper::pdfIsWhole(paper::sheetPdf(sheetOf(3), error)));
        QCOMPARE(error, QString());

        const qsizetype trailer = pdf.lastIndexOf("trailer");
        for (qsizetype cut = 0; cut < pdf.size(); cut += 97)
            QVERIFY2(!paper::pdfIsWhole(pdf.left(cut)), qPrintable(QString::number(cut)));
        QVERIFY(!paper::pdfIsWhole(pdf.left(pdf.size() - 3)));
        for (qsizetype lost = 0; lost + 64 < trailer; lost += 89)
            QVERIFY2(!paper::pdfIsWhole(QByteArray(pdf).remove(lost, 64)),
                     qPrintable(QString::number(lost)));
    }
};

QTEST_MAIN(PdfExportTest)
#include "pdf_export_test.moc"
