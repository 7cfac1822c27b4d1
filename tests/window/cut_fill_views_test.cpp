// SPDX-License-Identifier: GPL-3.0-or-later
// The views of a cut-and-fill survey, filled straight into the document: the
// drawing shades the cut and the fill on their sides of a crossing and draws
// its legend, titles each section with its areas or says it has none (never
// breaking inside a number with its unit), zooms back to the whole section
// with 全图 or another section but keeps its exaggeration, and
// turns back to the closed outline when one replaces the survey; the
// overview's cells are the results' rows, its curve runs through the running
// totals, and its switch shows the mass curve.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTextLayout>
#include <QToolButton>
#include <QUndoStack>

#include "../section/cut_fill_lines.h"
#include "cut_then_fill.h"
#include "document/survey_document.h"
#include "section/cut_fill_figures.h"
#include "section/cut_fill_rows.h"
#include "section/earthworks.h"
#include "section/haul.h"
#include "window/views/heading_text.h"
#include "window/views/profile_view.h"
#include "window/views/results_overview.h"
#include "window/views/section_canvas.h"
#include "window/views/section_panel.h"
#include "window/views/volume_curve.h"

namespace {

using section::cut_fill_test::Line;
using section::cut_fill_test::line;

// K0+000: the ground rises through a level design at S = 0: cut 8 x 8 / 2 =
// 32 m² on its left (S > 0), fill 6 x 6 / 2 = 18 m² on its right.
// K0+020: a formation 10 m wide 5 m above flat ground with 2:1 slopes, 100 m² of fill.
// K0+040: a ground line only.
section::CutFillSurvey survey() {
    section::CutFillSurvey data;
    data.stationAnswer = "Y";
    data.sections.push_back({0, 0, line({{-6, 94}, {10, 110}}), line({{-6, 100}, {8, 100}})});
    data.sections.push_back(
        {20, 0, line({{-20, 100}, {20, 100}}), line({{-15, 100}, {-5, 105}, {5, 105}, {15, 100}})});
    data.sections.push_back({40, 0, line({{-10, 100}, {10, 101}}), {}});
    return data;
}

// One closed section of three points.
section::SectionSurvey aClosedOutline() {
    section::SectionSurvey closed;
    closed.resize(1);
    closed.setStationAnswer("N");
    closed.setPointCount(1, 3);
    closed.allocatePoints();
    for (int j = 1; j <= 3; ++j) closed.setPoint(1, j, j % 2, j);
    return closed;
}

// The lines a word-wrapping label of `width` pixels cuts `text` into.
QStringList wrapped(const QString& text, const QFont& font, double width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

bool reddish(QColor c) {
    return c.red() > c.blue() + 40;
}
bool bluish(QColor c) {
    return c.blue() > c.red() + 40;
}

QColor pixel(const QImage& image, QPointF at) {
    return image.pixelColor(at.toPoint());
}

}  // namespace

class CutFillViewsTest : public QObject {
    Q_OBJECT

    document::SurveyDocument* document = nullptr;

  private slots:
    void init() {
        document = new document::SurveyDocument;
        QVERIFY(document->replaceSurvey(section::Survey(survey()), "打开文件", "a.hdm").done());
    }
    void cleanup() { delete document; }

    void the_cut_and_the_fill_are_shaded_on_their_sides_of_the_crossing_under_a_legend() {
        window::SectionPanel panel(*document);
        panel.resize(420, 420);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        window::SectionCanvas& canvas = panel.canvas();
        const QImage image = canvas.grab().toImage();
        const window::SectionScale scale = canvas.scale();
        auto at = [&](double s, double h) {
            const window::Pixel p = scale.toPixel(s, h);
            return QPointF(p.x, p.y);
        };
        // The lines cross at S = 0, H = 100; the triangles' centroids.
        const QPointF cut = at(16.0 / 3, 100 + 8.0 / 3);
        const QPointF fill = at(-4.0, 98.0);
        QVERIFY2(reddish(pixel(image, cut)), qPrintable(pixel(image, cut).name()));
        QVERIFY2(bluish(pixel(image, fill)), qPrintable(pixel(image, fill).name()));
        // S positive on the left: the cut (S > 0) left of the crossing.
        QVERIFY(cut.x() < at(0, 100).x() && at(0, 100).x() < fill.x());
        // Neither shading beyond the common range nor above the ground.
        QVERIFY(!reddish(pixel(image, at(9, 107))) && !bluish(pixel(image, at(9, 107))));
        QVERIFY(!reddish(pixel(image, at(4, 106))));

        QStringList texts;
        for (const auto& entry : canvas.legend()) {
            texts << entry.text;
            const QColor mark = pixel(image, entry.mark.center());
            if (entry.text == "挖方") QVERIFY(reddish(mark));
            if (entry.text == "填方") QVERIFY(bluish(mark));
            if (!entry.shaded) QVERIFY2(mark.lightness() < 150, qPrintable(entry.text));
            // Its text is drawn: dark pixels inside its rectangle.
            int dark = 0;
            const QRect label = entry.label.toAlignedRect();
            for (int x = label.left(); x <= label.right(); ++x)
                for (int y = label.top(); y <= label.bottom(); ++y)
                    dark += image.pixelColor(x, y).lightness() < 128;
            QVERIFY2(dark > 10, qPrintable(entry.text));
        }
        QCOMPARE(texts, QStringList({"地面线", "设计线", "挖方", "填方"}));
    }

    void each_section_is_titled_by_its_areas_or_that_it_has_none() {
        window::SectionPanel panel(*document);
        const section::CutFillFigures figures((*document->survey().cutFill()));
        QCOMPARE(panel.title(), "K0+000.000  挖方面积 " +
                                    QString::fromStdString(figures.cut().area(1)) +
                                    " 平方米  填方面积 " +
                                    QString::fromStdString(figures.fill().area(1)) + " 平方米");
        QCOMPARE(panel.title(), "K0+000.000  挖方面积 32.000 平方米  填方面积 18.000 平方米");
        QVERIFY(panel.warning().isEmpty());
        panel.showSection(2);
        QCOMPARE(panel.title(), "K0+020.000  挖方面积 0.000 平方米  填方面积 100.000 平方米");
        const auto& regions = panel.canvas().picture().section.regions;
        QCOMPARE(regions.size(), 1u);
        QCOMPARE(regions[0].role, section::PictureRegion::Role::Fill);
        panel.showSection(3);
        QCOMPARE(panel.title(), "K0+040.000  没有挖方和填方面积");
        QVERIFY(panel.warning().contains("只有地面线，没有设计线"));
        QCOMPARE(panel.caption(), "地面线 2 个点，设计线 0 个点");
    }

    void the_panel_fits_on_its_button_or_another_section_and_keeps_the_exaggeration() {
        window::SectionPanel panel(*document);
        panel.resize(420, 420);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        window::SectionCanvas& canvas = panel.canvas();
        QToolButton* fit = nullptr;
        for (QToolButton* button : panel.findChildren<QToolButton*>())
            if (button->text() == QStringLiteral("全图")) fit = button;
        QComboBox* times = nullptr;
        for (QComboBox* box : panel.findChildren<QComboBox*>())
            if (box->accessibleName() == QStringLiteral("竖向放大")) times = box;
        QVERIFY(fit && times);
        QVERIFY(canvas.cornerText().isEmpty());  // equal scales by default
        times->setCurrentIndex(times->findData(5));
        const window::SectionScale fitted = canvas.scale();
        QCOMPARE(fitted.pixelsPerMetreUp(), 5 * fitted.pixelsPerMetre);
        canvas.zoomAbout({150, 150}, 3);
        canvas.panBy({20, -10});
        QVERIFY(canvas.scale() != fitted);
        fit->click();
        QCOMPARE(canvas.scale(), fitted);
        // Typing into the section on show keeps the view; another section fits.
        canvas.zoomAbout({150, 150}, 3);
        panel.showSection(1);
        QVERIFY(!canvas.isFitted());
        panel.showSection(2);
        QVERIFY(canvas.isFitted());
        QCOMPARE(canvas.exaggeration(), 5);
        QCOMPARE(canvas.cornerText(), QStringLiteral("竖向 ×5"));
    }

    // Groups: "K0+000.000", "挖方面积 32.000 平方米", "地面线 2 个点", ...
    void a_narrow_heading_wraps_between_its_groups_never_inside_one() {
        window::SectionPanel panel(*document);
        panel.resize(panel.minimumSizeHint().width(), 500);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        const QRegularExpression between(QStringLiteral("  |，"));
        int wraps = 0;
        for (const int i : {1, 3}) {
            panel.showSection(i);
            for (const QString name : {"sectionTitle", "sectionCaption"}) {
                const QLabel* label = panel.findChild<QLabel*>(name);
                const QStringList groups =
                    window::asWritten(label->text()).split(between, Qt::SkipEmptyParts);
                for (const double width : {double(label->contentsRect().width()), 90.0, 160.0}) {
                    const QStringList lines = wrapped(label->text(), label->font(), width);
                    wraps += lines.size() > 1;
                    for (const QString& line : lines)
                        for (const QString& part :
                             window::asWritten(line).trimmed().split(between, Qt::SkipEmptyParts))
                            QVERIFY2(groups.contains(part.trimmed()), qPrintable(lines.join('|')));
                }
            }
        }
        QVERIFY(wraps > 4);
    }

    void a_closed_outline_replacing_the_survey_is_drawn_as_before_and_undo_brings_the_lines_back() {
        window::SectionPanel panel(*document);
        panel.show();
        QCOMPARE(document->replaceSurvey(aClosedOutline(), "计算", ""), document::Outcome::Done);
        const auto& lines = panel.canvas().picture().section.lines;
        QCOMPARE(lines.size(), 1u);
        QCOMPARE(lines[0].role, section::PictureLine::Role::Outline);
        QCOMPARE(lines[0].points.size(), 3u);
        QVERIFY(panel.canvas().legend().empty());
        QVERIFY(panel.caption().startsWith("面积 "));
        document->undoStack()->undo();
        QCOMPARE(lines.size(), 2u);
        QCOMPARE(lines[0].role, section::PictureLine::Role::Ground);
        QCOMPARE(lines[0].points, survey().sections[0].ground);
        QCOMPARE(panel.canvas().legend().size(), 4u);
    }

    void the_overview_holds_the_cut_and_fill_rows_and_its_curves_their_running_totals() {
        window::ResultsOverview overview(*document);
        overview.show();
        overview.showSurvey();
        const QTableWidget& table = overview.table();
        const section::ResultTable results =
            section::cutFillResultTable((*document->survey().cutFill()));
        QCOMPARE(table.columnCount(), 9);
        QCOMPARE(table.rowCount(), 3);
        for (int c = 0; c < 9; ++c)
            QCOMPARE(table.horizontalHeaderItem(c)->text().remove(u'\n'),
                     QString::fromStdString(results.header[c]));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 9; ++c)
                QCOMPARE(table.item(r, c)->text(), QString::fromStdString(results.rows[r][c]));
        // By hand: (32 + 0) / 2 x 20 of cut and (18 + 100) / 2 x 20 of fill to
        // K0+020; K0+040 has no areas, so nothing to it.
        const QStringList second = {"2", "K0+020.000", "0.000",   "100.000", "20.000",
                                    "",  "",           "320.000", "1180.000"};
        for (int c = 0; c < 9; ++c) QCOMPARE(table.item(1, c)->text(), second[c]);
        QCOMPARE(table.item(0, 5)->text(), "320.000");
        QCOMPARE(table.item(0, 6)->text(), "1180.000");
        QCOMPARE(table.item(2, 2)->text(), "");
        QVERIFY(table.item(2, 3)->toolTip().contains("只有地面线，没有设计线"));
        QVERIFY(!table.item(2, 0)->icon().isNull());
        QVERIFY(table.item(1, 0)->icon().isNull());
        QVERIFY(overview.warningsText().startsWith("⚠ 1 条计算提醒"));
        QCOMPARE(overview.totalText(),
                 "挖方总量：320.000 立方米，填方总量：1180.000 立方米，"
                 "净方（挖 − 填）：-860.000 立方米，共 3 个断面");

        const auto rows = section::cutFillRows((*document->survey().cutFill()));
        const auto& curves = overview.curve().series();
        QCOMPARE(curves.size(), 2u);
        QCOMPARE(curves[0].name, "累计挖方");
        QCOMPARE(curves[1].name, "累计填方");
        for (std::size_t k = 0; k < rows.size(); ++k) {
            QCOMPARE(curves[0].points[k].along, *rows[k].station);
            QCOMPARE(curves[0].points[k].total, rows[k].runningCut);
            QCOMPARE(curves[1].points[k].total, rows[k].runningFill);
        }
        QVERIFY(overview.massCurveSwitch().isVisible());
        overview.massCurveSwitch().setChecked(true);
        QCOMPARE(overview.curve().series().size(), 1u);
        QCOMPARE(overview.curve().title(), "土方累积曲线");
        // The haul's mass curve (挖余 compacted − 填缺) with a line for each
        // of its balanced stretches, and what they move written under it.
        const section::Haul hauled = section::haul(
            section::earthworks(*document->survey().cutFill(), document->survey().roadDesign()),
            {});
        QList<double> mass, expected;
        for (const auto& point : overview.curve().points()) mass << point.total;
        for (const section::MassPoint& point : hauled.massCurve) expected << point.total;
        QCOMPARE(mass, expected);
        QCOMPARE(overview.curve().drawnBalances().size(), hauled.stretches.size());
        QVERIFY(overview.haulText().startsWith(
            QStringLiteral("调配 %1 段").arg(hauled.stretches.size())));
        // Falling from the top left corner: the legend goes to another.
        const QRectF legend = overview.curve().legendBox();
        QVERIFY(!legend.isEmpty());
        for (const QPolygonF& curve : overview.curve().drawnCurves())
            for (qsizetype k = 0; k + 1 < curve.size(); ++k)
                for (int step = 0; step <= 64; ++step)
                    QVERIFY(!legend.contains(curve[k] + (curve[k + 1] - curve[k]) * (step / 64.0)));
        overview.massCurveSwitch().setChecked(false);
        QCOMPARE(overview.curve().series().size(), 2u);
        QVERIFY(overview.haulText().isEmpty());
    }

    // One balanced stretch: its line at level 0 from K0+000 to K0+060, with
    // its volume and average haul, and the sum of the haul under the totals.
    void the_mass_curve_draws_the_balanced_stretch_at_its_level() {
        QVERIFY(
            document->replaceSurvey(section::Survey(cutThenFill()), "打开文件", "c.hdm").done());
        window::ResultsOverview overview(*document);
        overview.resize(900, 500);
        overview.show();
        overview.showSurvey();
        overview.massCurveSwitch().setChecked(true);
        const window::VolumeCurve& curve = overview.curve();
        const auto balances = curve.drawnBalances();
        QCOMPARE(balances.size(), 1u);
        const std::vector<QPolygonF> drawn = curve.drawnCurves();
        const QPolygonF& mass = drawn.front();
        QCOMPARE(mass.size(), 4);
        QCOMPARE(balances[0].line.p1(), mass.front());
        QCOMPARE(balances[0].line.p2().x(), mass.back().x());
        QCOMPARE(balances[0].line.dy(), 0.0);
        QCOMPARE(balances[0].label, QStringLiteral("345 m³ · 38.4 m"));
        QCOMPARE(overview.haulText(),
                 QStringLiteral("调配 1 段，共 344.828 立方米（压实方），平均运距 38.400 米；"
                                "弃方 0.000 立方米，借方 82.759 立方米"));
    }

    void the_overview_follows_the_document_from_one_kind_to_the_other() {
        window::ResultsOverview overview(*document);
        overview.show();
        overview.showSurvey();
        // The 纵断面 beside the curves: the ground at the centre line of each section.
        QVERIFY(overview.profileOffered());
        QCOMPARE(overview.profile().curve().ground,
                 (std::vector<section::ProfilePoint>{{0, 100}, {20, 100}, {40, 100.5}}));
        QCOMPARE(overview.profile().drawnGround().size(), 3);
        overview.massCurveSwitch().setChecked(true);
        QCOMPARE(document->replaceSurvey(aClosedOutline(), "计算", ""), document::Outcome::Done);
        QVERIFY(!overview.massCurveSwitch().isVisible());
        QVERIFY(!overview.profileOffered());
        QCOMPARE(overview.curve().series().size(), 1u);
        QCOMPARE(overview.curve().title(), "累计土方曲线");
        QVERIFY(overview.totalText().startsWith("总体积："));
        QCOMPARE(overview.table().columnCount(),
                 int(section::resultTable(document->survey()).header.size()));
        document->undoStack()->undo();
        QCOMPARE(overview.table().columnCount(), 9);
        // The switch kept: the mass curve again.
        QCOMPARE(overview.curve().title(), "土方累积曲线");
        QVERIFY(overview.profileOffered());
    }
};

QTEST_MAIN(CutFillViewsTest)
#include "cut_fill_views_test.moc"
