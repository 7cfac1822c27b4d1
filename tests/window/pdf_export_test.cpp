// SPDX-License-Identifier: GPL-3.0-or-later
// A PDF of the sheet is whole only as Qt finished it: cut off anywhere, or with
// a block lost before its cross-reference table (as when writes failed on a
// full disk), it is not, and then it never replaces the earlier file.

#include "window/pdf_export.h"

#include <QTemporaryDir>
#include <QTest>

#include "printout/sheet.h"
#include "small_disk.h"

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
        QCOMPARE(window::exportSheetPdf(sheetOf(120), path), QString());
        const QByteArray pdf = contents(path);
        QVERIFY(window::pdfIsWhole(pdf));
        QString error;
        QVERIFY(window::pdfIsWhole(window::sheetPdf(sheetOf(3), error)));
        QCOMPARE(error, QString());

        const qsizetype trailer = pdf.lastIndexOf("trailer");
        for (qsizetype cut = 0; cut < pdf.size(); cut += 97)
            QVERIFY2(!window::pdfIsWhole(pdf.left(cut)), qPrintable(QString::number(cut)));
        QVERIFY(!window::pdfIsWhole(pdf.left(pdf.size() - 3)));
        for (qsizetype lost = 0; lost + 64 < trailer; lost += 89)
            QVERIFY2(!window::pdfIsWhole(QByteArray(pdf).remove(lost, 64)),
                     qPrintable(QString::number(lost)));
    }

    void a_pdf_that_does_not_fit_leaves_the_earlier_one() {
        const SmallDisk disk(folder.filePath("full"), "size=64k");
        if (!disk.mounted()) QSKIP("cannot mount a small tmpfs here (not root?)");
        const QString path = disk.filePath("计算书.pdf");
        QCOMPARE(window::exportSheetPdf(sheetOf(3), path), QString());
        const QByteArray earlier = contents(path);
        // Room for a part of the longer sheet only.
        QCOMPARE(window::exportSheetPdf(sheetOf(20000), path),
                 "无法写入文件“" + path + "”：磁盘空间不足。");
        QCOMPARE(contents(path), earlier);
        QCOMPARE(QDir(disk.filePath(".")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"计算书.pdf"});
    }
};

QTEST_MAIN(PdfExportTest)
#include "pdf_export_test.moc"
