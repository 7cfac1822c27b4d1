// SPDX-License-Identifier: GPL-3.0-or-later
// Section drawings on PDF pages. The 横断面图 sheets: a page per sheet of the
// sheet's paper, and each sheet's entities and each section's block where
// they lie on the sheet, true to the scale, read back with pdfinfo and
// pdftotext -bbox. The calculation sheet with a drawing of each section: the
// lines are those of the sheet without drawings; each drawing sits at the
// right of its own section's lines, inside the page, clear of every other;
// and in the PDF the boxes hold the coloured cut and fill while the rest of
// the page has none.

#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <numbers>
#include <random>

#include "paper/fonts.h"
#include "paper/pdf_export.h"
#include "paper/section_sheets_pdf.h"
#include "paper/sheet_figure.h"
#include "pdf_page_image.h"
#include "printout/survey_printouts.h"
#include "quantity_surveys.h"

using namespace printout;

namespace {

// Closed outlines of 3 to 40 points, and one so long that it runs over a page.
section::Survey closedOutlines(std::mt19937& random) {
    section::SectionSurvey survey;
    const int n = 24;
    survey.resize(n);
    survey.setStationAnswer("y");
    std::vector<int> counts;
    for (int i = 1; i <= n; ++i) {
        counts.push_back(i == 9 ? 420 : std::uniform_int_distribution<int>(3, 40)(random));
        survey.setPointCount(i, counts.back());
    }
    survey.allocatePoints();
    for (int i = 1; i <= n; ++i) {
        const double width = quantity_surveys::millimetres(random, 5000, 60000);
        const double depth = quantity_surveys::millimetres(random, 500, 8000);
        for (int j = 1; j <= counts[i - 1]; ++j) {
            const double angle = 2 * std::numbers::pi * j / counts[i - 1];
            survey.setPoint(i, j, depth * std::sin(angle), width / 2 * (1 + std::cos(angle)));
        }
        survey.setStation(i, 1000.0 + 20.0 * i);
    }
    section::calculateSurvey(survey);
    return section::Survey(std::move(survey));
}

QPdfWriter* pdfDevice(const QString& file) {
    auto* writer = new QPdfWriter(file);
    writer->setResolution(1200);
    writer->setPageLayout(paper::pdfPageLayout());
    return writer;
}

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

class SectionDrawingsPdfTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

  private slots:
    void initTestCase() { paper::installFontSubstitutions(); }

    // Sheets side by side in model space, a block whose base is not its
    // origin, at 1:500 on A4: every text lands where the sheet puts it.
    void each_sheet_is_a_page_with_its_entities_true_to_scale() {
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
    void figures_sit_beside_their_own_lines_in_colour_data() {
        QTest::addColumn<QByteArray>("kind");
        QTest::newRow("closed outlines") << QByteArray("closed");
        QTest::newRow("cut and fill") << QByteArray("cutFill");
    }
    void figures_sit_beside_their_own_lines_in_colour() {
        QFETCH(QByteArray, kind);
        std::mt19937 random(34);
        const section::Survey survey =
            kind == "closed" ? closedOutlines(random)
                             : section::Survey(quantity_surveys::cutFillSurvey(random, 40));
        const printout::Sheet plain = printout::calculationSheet(survey, {});
        const printout::Sheet with =
            printout::calculationSheet(survey, {}, SectionDrawings::Beside);
        QVERIFY(plain.figures.empty());
        QVERIFY(plain == printout::calculationSheet(survey, {}, SectionDrawings::Without));
        QVERIFY(with.lines == plain.lines);
        QCOMPARE(int(with.figures.size()), survey.sectionCount());

        std::unique_ptr<QPdfWriter> device(pdfDevice(folder.filePath(kind + "-places.pdf")));
        const QRectF page(0, 0, device->width(), device->height());
        const std::vector<paper::FigurePlace> places = paper::figurePlaces(with, *device);
        QCOMPARE(places.size(), with.figures.size());
        const double mm = device->logicalDpiX() / 25.4;
        for (std::size_t k = 0; k < places.size(); ++k) {
            const printout::SheetFigure& figure = with.figures[k];
            const paper::FigurePlace& place = places[k];
            const QString at = QStringLiteral("figure %1").arg(k + 1);
            // Its lines are its section's: from the header to the empty line after it.
            const printout::PrintLine& header = with.lines[figure.firstLine].items;
            QVERIFY2(
                header.size() == 2 && std::get<printout::Text>(header[1]).text.starts_with("( "),
                qPrintable(at));
            QVERIFY2(with.lines.at(figure.lastLine + 1).items.empty(), qPrintable(at));
            QCOMPARE(place.box.top(), place.text.top());
            QVERIFY2(place.box.left() > place.text.right(), qPrintable(at));
            QVERIFY2(page.contains(place.box), qPrintable(at));
            QVERIFY2(place.box.width() >= 25 * mm, qPrintable(at));
            QVERIFY2(place.box.height() >= std::min(30 * mm, page.bottom() - place.box.top()) - 1,
                     qPrintable(at));
            QVERIFY2(place.box.height() >= place.text.height(), qPrintable(at));
            for (std::size_t other = 0; other < k; ++other) {
                if (places[other].page == place.page)
                    QVERIFY2(!places[other].box.intersects(place.box), qPrintable(at));
            }
        }

        // In the PDF, colour in each box of page 1 and nowhere else: the boxes
        // from the printable area at 1200 dpi to the page at 60 dpi.
        const QString pdf = folder.filePath(kind + ".pdf");
        QCOMPARE(paper::exportSheetPdf(with, pdf), QString());
        const QImage image = pdf_page_image::pageImage(pdf, 1, 60);
        QVERIFY(!image.isNull());
        std::vector<QRectF> boxes;
        for (const paper::FigurePlace& place : places) {
            if (place.page == 1)
                boxes.push_back(QRectF(place.box.topLeft() / 20 + QPointF(10, 10) / 72 * 60,
                                       place.box.size() / 20));
        }
        QVERIFY(!boxes.empty());
        std::vector<int> inBox(boxes.size(), 0);
        int outside = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!pdf_page_image::coloured(image.pixel(x, y))) continue;
                const auto box = std::find_if(boxes.begin(), boxes.end(), [&](const QRectF& b) {
                    return b.adjusted(-1, -1, 1, 1).contains(QPointF(x + 0.5, y + 0.5));
                });
                ++(box == boxes.end() ? outside : inBox[box - boxes.begin()]);
            }
        }
        QCOMPARE(outside, 0);
        for (std::size_t k = 0; k < boxes.size(); ++k)
            QVERIFY2(inBox[k] > 20,
                     qPrintable(QStringLiteral("figure %1: %2 pixels").arg(k + 1).arg(inBox[k])));
    }

    void a_figure_shows_the_road_and_as_much_ground_again_beside_it() {
        using printout::DrawLine;
        const DrawLine ground{printout::kGroundLayer, {{-30, 2}, {-10, 1}, {10, 0}, {30, -3}}};
        const DrawLine road{printout::kDesignLayer, {{-5, 0.5}, {5, 0.5}}};
        const DrawLine outline{printout::kOutlineLayer, {{0, 0}, {8, 0}, {8, -2}}, true};
        const struct {
            const char* name;
            std::vector<DrawLine> lines;
            QRectF shown;  // left, bottom, width, height in metres
        } rows[] = {
            {"a closed outline whole", {outline}, QRectF(0, -2, 8, 2)},
            {"ground without a road whole", {ground}, QRectF(-30, -3, 60, 5)},
            {"a road on wide ground", {ground, road}, QRectF(-10, 0, 20, 1)},
        };
        for (const auto& row : rows) {
            printout::DrawingBlock block;
            block.lines = row.lines;
            QVERIFY2(paper::shownPart(block) == row.shown, row.name);
        }
    }
};

QTEST_MAIN(SectionDrawingsPdfTest)
#include "section_drawings_pdf_test.moc"
