// SPDX-License-Identifier: GPL-3.0-or-later
// The 横断面图 sheets as PDF: a page per sheet of the sheet's paper, and each
// sheet's entities and each section's block where they lie on the sheet, true
// to the scale, read back with pdfinfo and pdftotext -bbox.
#include "paper/section_sheets_pdf.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "paper/fonts.h"
#include "pdf_page_image.h"

using namespace printout;

namespace {

// The box of `word` on `page` in points from the page's upper left corner:
// its left edge and its bottom.
QPointF wordAt(const QString& pdf, int page, const QString& word) {
    const QString html = pdf_page_image::toolOutput(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
         QString::number(page), pdf, QStringLiteral("-")});
    const QRegularExpression box(
        QStringLiteral(R"re(xMin="([\d.]+)" yMin="[\d.]+" xMax="[\d.]+" yMax="([\d.]+)">%1<)re")
            .arg(QRegularExpression::escape(word)));
    const QRegularExpressionMatch match = box.match(html);
    return match.hasMatch() ? QPointF(match.captured(1).toDouble(), match.captured(2).toDouble())
                            : QPointF(-1, -1);
}

constexpr double kPointsPerMillimetre = 72.0 / 25.4;

DrawText label(DrawPoint at, const char* text, double scale) {
    return {kLabelLayer, at, 3.0 * scale / 1000.0, text};
}

}  // namespace

class SectionSheetsPdfTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

  private slots:
    void initTestCase() { paper::installFontSubstitutions(); }

    // Sheets side by side in model space, a block whose base is not its
    // origin, at 1:500 on A4: every text lands where the sheet puts it.
    void eachSheetIsAPageWithItsEntitiesTrueToScale() {
        SheetDrawing drawing;
        drawing.paper = Paper::a4();
        drawing.scale = 500.0;
        const double mm = drawing.metresPerMillimetre();
        for (int sheet = 0; sheet < 2; ++sheet) {
            DrawingBlock frame;
            frame.base = {sheet * 200.0, -50.0};
            frame.texts = {label({frame.base.x + 20 * mm, frame.base.y + 30 * mm},
                                 sheet ? "SHEET2" : "SHEET1", drawing.scale)};
            drawing.sheets.push_back(frame);
        }
        DrawingBlock section;
        section.name = "断面1";
        section.base = {-12.0, 100.0};
        section.texts = {label({-12.0 + 10 * mm, 100.0 + 5 * mm}, "K0+020", drawing.scale)};
        drawing.blocks = {section};
        // The base 150 mm across and 120 mm up on the second sheet.
        drawing.inserts = {{0, 1, {200.0 + 150 * mm, -50.0 + 120 * mm}}};

        const QString pdf = folder.filePath(QStringLiteral("横断面图.pdf"));
        QCOMPARE(paper::exportSectionSheets(drawing, pdf), QString());
        const QString info = pdf_page_image::toolOutput(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\n"))),
                 qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("842 x 595 pts (A4)")), qPrintable(info));

        const double height = 210.0;
        struct Expected {
            int page;
            const char* word;
            double x, y;  // mm from the lower left corner
        };
        for (const Expected& each : {Expected{1, "SHEET1", 20, 30}, Expected{2, "SHEET2", 20, 30},
                                     Expected{2, "K0+020", 160, 125}}) {
            const QPointF at = wordAt(pdf, each.page, QString::fromLatin1(each.word));
            QVERIFY2(std::abs(at.x() - each.x * kPointsPerMillimetre) < 1.0, each.word);
            // The box's bottom is the base line less the font's descent.
            const double baseLine = (height - each.y) * kPointsPerMillimetre;
            QVERIFY2(at.y() >= baseLine && at.y() < baseLine + 2.5, each.word);
        }
        QVERIFY(wordAt(pdf, 1, QStringLiteral("K0+020")).x() < 0);
    }
};

QTEST_MAIN(SectionSheetsPdfTest)
#include "section_sheets_pdf_test.moc"
