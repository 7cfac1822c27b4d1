// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet and the 土方数量表 with 工程信息, written as PDF and read back page by
// page with pdftotext: every page has its heading and "第 X 页 共 Y 页" with the
// right Y, the last page the signature line; the table's pages their 小计
// and the last its 合计. Without 工程信息 the sheet has none of it.

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "grouped_table.h"
#include "paper/fonts.h"
#include "paper/pdf_export.h"
#include "paper/quantity_table_renderer.h"
#include "printout/dayang.h"
#include "printout/page_frame.h"
#include "printout/quantity_table.h"
#include "quantity_surveys.h"

namespace {

const section::ProjectInfo kProject{"某某公路改建工程", "K1+000～K3+000", "张三", "李四",
                                    "2026-12-08"};

QString pdfInfo(const QString& pdf) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished();
    return QString::fromUtf8(info.readAllStandardOutput());
}

// Each page's text, blanks collapsed.
QStringList pagesOf(const QString& pdf) {
    const QRegularExpressionMatch count =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(pdfInfo(pdf));
    QStringList pages;
    for (int page = 1; page <= count.captured(1).toInt(); ++page) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                    QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
        text.waitForFinished();
        pages << QString::fromUtf8(text.readAllStandardOutput())
                     .replace(QRegularExpression(QStringLiteral("[ \\f]+")), QStringLiteral(" "));
    }
    return pages;
}

QString written(const paper::PdfDrawing& drawing, const QTemporaryDir& folder,
                const QString& name) {
    const QString path = folder.filePath(name);
    const QString error = paper::exportPdf(drawing, path);
    return error.isEmpty() ? path : QString();
}

}  // namespace

class FramedPrintoutsTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

  private slots:
    void initTestCase() { paper::installFontSubstitutions(); }

    void every_page_of_a_long_sheet_has_its_heading_and_number() {
        std::mt19937 random(22);
        const section::SectionSurvey survey = quantity_surveys::closedSurvey(random, 120, true);
        const printout::Sheet sheet = printout::framedSheet(printout::dayang(survey), kProject);
        const QString pdf = written(paper::sheetDrawing(sheet), folder, "计算书.pdf");
        QVERIFY(!pdf.isEmpty());
        const QStringList pages = pagesOf(pdf);
        QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
        for (int k = 0; k < pages.size(); ++k) {
            const QString& page = pages[k];
            QVERIFY2(page.contains(QStringLiteral("工程名称：某某公路改建工程")), qPrintable(page));
            QVERIFY(page.contains(QStringLiteral("路段：K1+000～K3+000")));
            QVERIFY2(
                page.contains(QStringLiteral("第 %1 页 共 %2 页").arg(k + 1).arg(pages.size())),
                qPrintable(page));
            const bool last = k + 1 == pages.size();
            QCOMPARE(page.contains(QStringLiteral("计算：张三")), last);
            QCOMPARE(page.contains(QStringLiteral("复核：李四")), last);
            QCOMPARE(page.contains(QStringLiteral("日期：2026-12-08")), last);
        }
        // The sheet's own lines all there, the total on the last page.
        QVERIFY(pages.last().contains(QStringLiteral("总体积")));

        const QString plain =
            written(paper::sheetDrawing(printout::dayang(survey)), folder, "plain.pdf");
        const QStringList plainPages = pagesOf(plain);
        for (const QString& page : plainPages) {
            QVERIFY(!page.contains(QStringLiteral("工程名称")));
            QVERIFY(!page.contains(QStringLiteral(" 页 共 ")));
            QVERIFY(!page.contains(QStringLiteral("计算：")));
        }
        // The frame takes room on every page: never fewer pages than without it.
        QVERIFY(pages.size() >= plainPages.size());
    }

    void the_quantity_tables_pages_carry_their_subtotals_and_the_last_the_total() {
        std::mt19937 random(23);
        const section::SectionSurvey survey = quantity_surveys::closedSurvey(random, 95, true);
        const printout::QuantityTable table = printout::quantityTable(survey, kProject);
        const QString pdf = written(paper::quantityTableDrawing(table), folder, "数量表.pdf");
        QVERIFY(!pdf.isEmpty());
        const QStringList pages = pagesOf(pdf);
        QCOMPARE(pages.size(), int(table.pages.size()));
        for (int k = 0; k < pages.size(); ++k) {
            const QString& page = pages[k];
            const printout::QuantityPage& rows = table.pages[std::size_t(k)];
            QVERIFY(page.contains(QStringLiteral("工程名称：某某公路改建工程")));
            QVERIFY(
                page.contains(QStringLiteral("第 %1 页 共 %2 页").arg(k + 1).arg(pages.size())));
            QVERIFY2(page.contains(QStringLiteral("小计 %1 %2")
                                       .arg(QString::fromStdString(rows.subtotal.cells[1]),
                                            QString::fromStdString(rows.subtotal.cells[2]))),
                     qPrintable(page));
            for (const printout::QuantityRow& row : rows.rows)
                QVERIFY(page.contains(QString::fromStdString(row.key)));
            const bool last = k + 1 == pages.size();
            QCOMPARE(page.contains(QStringLiteral("合计 %1 %2")
                                       .arg(QString::fromStdString(table.total.cells[1]),
                                            QString::fromStdString(table.total.cells[2]))),
                     last);
            QCOMPARE(page.contains(QStringLiteral("复核：李四")), last);
        }
        // A range from the print dialog: only those pages, each with its own number.
        const QString part = folder.filePath("数量表第2至3页.pdf");
        QPdfWriter writer(part);
        writer.setPageLayout(paper::quantityTablePageLayout(table));
        QVERIFY(paper::renderQuantityTable(table, writer, {2, 3}));
        const QStringList printed = pagesOf(part);
        QCOMPARE(printed.size(), 2);
        QCOMPARE(printed[0], pages[1]);
        QCOMPARE(printed[1], pages[2]);
    }

    // Every page: the note under the title, the groups' headings over their
    // columns; the page with a kilometre's end its 本公里小计 after the 小计;
    // the last the 合计, then the footnote once. On A3 across.
    void a_large_table_prints_its_groups_note_kilometre_and_footnote_on_a3() {
        const printout::QuantityTable table = grouped_table::table();
        const QPageLayout layout = paper::quantityTablePageLayout(table);
        QCOMPARE(layout.pageSize().id(), QPageSize::A3);
        QCOMPARE(layout.orientation(), QPageLayout::Landscape);
        const QString pdf = written(paper::quantityTableDrawing(table), folder, "土石方.pdf");
        QVERIFY(!pdf.isEmpty());
        QVERIFY2(pdfInfo(pdf).contains(QStringLiteral("1191 x 842 pts (A3)")),
                 qPrintable(pdfInfo(pdf)));
        const QStringList pages = pagesOf(pdf);
        QCOMPARE(pages.size(), 2);
        const QString kilometre = QStringLiteral("本公里小计 11.004 11.004");
        for (int k = 0; k < pages.size(); ++k) {
            const QString& page = pages[k];
            const bool last = k + 1 == pages.size();
            for (const char* text :
                 {"体积按棱台法计算", "断面面积", "本桩利用(天然方)", "挖余 土(天然方)",
                  "挖余 石(天然方)", "纵向调配", "挖方总数量"})
                QVERIFY2(page.contains(QString::fromUtf8(text)), text);
            const qsizetype subtotal = page.indexOf(QStringLiteral("本页小计 "));
            QVERIFY(subtotal > page.indexOf(QStringLiteral("K0+800")));
            QCOMPARE(page.indexOf(kilometre) > subtotal, last);
            QCOMPARE(page.contains(QStringLiteral("合计 11.004")), last);
            QCOMPARE(page.contains(QString::fromStdString(table.footnote)), last);
            QCOMPARE(page.count(QString::fromStdString(table.footnote)), last ? 1 : 0);
        }
        const QString& last = pages.last();
        QVERIFY(last.indexOf(kilometre) < last.indexOf(QStringLiteral("合计 11.004")));
        QVERIFY(last.indexOf(QStringLiteral("合计 11.004")) <
                last.indexOf(QString::fromStdString(table.footnote)));
        QVERIFY(last.indexOf(QString::fromStdString(table.footnote)) <
                last.indexOf(QStringLiteral("复核：李四")));
    }
};

QTEST_MAIN(FramedPrintoutsTest)
#include "framed_printouts_test.moc"
