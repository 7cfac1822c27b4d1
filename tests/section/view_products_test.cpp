// SPDX-License-Identifier: GPL-3.0-or-later
// What the views show of a survey, asked of either kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "cut_fill_lines.h"
#include "section/running_curves.h"
#include "section/section_picture.h"
#include "section/survey_captions.h"
#include "section/survey_lines.h"

namespace section {
namespace {

using cut_fill_test::line;
using cut_fill_test::Line;

// A 2 m square at K1+000, two points at K1+020: 40 m³ between them.
Survey closedSurvey() {
    SectionSurvey survey;
    survey.resize(2);
    survey.setStationAnswer("Y");
    survey.setStation(1, 1000);
    survey.setStation(2, 1020);
    survey.setPointCount(1, 4);
    survey.setPointCount(2, 2);
    survey.allocatePoints();
    const double square[4][2] = {{0, 0}, {0, 2}, {2, 2}, {2, 0}};
    for (int j = 1; j <= 4; ++j) survey.setPoint(1, j, square[j - 1][0], square[j - 1][1]);
    survey.setPoint(2, 1, 0, 0);
    survey.setPoint(2, 2, 1, 1);
    Survey held(std::move(survey));
    EXPECT_FALSE(calculate(held));
    return held;
}

// Two embankments of 100 m² on flat ground 20 m apart, then ground alone.
Survey cutFillSurvey() {
    CutFillSurvey survey;
    survey.stationAnswer = "Y";
    const Line ground = line({{-20, 0}, {20, 0}});
    const Line bank = line({{-15, 0}, {-5, 5}, {5, 5}, {15, 0}});
    survey.sections = {{.station = 1000, .ground = ground, .design = bank},
                       {.station = 1020, .ground = ground, .design = bank},
                       {.station = 1040, .ground = ground}};
    Survey held(std::move(survey));
    EXPECT_FALSE(calculate(held));
    return held;
}

TEST(TotalsLine, says_the_totals_of_either_kind_and_the_section_count) {
    EXPECT_EQ(totalsLine(closedSurvey()), "总体积：40.000 立方米，共 2 个断面");
    EXPECT_EQ(totalsLine(cutFillSurvey()),
              "挖方总量：0.000 立方米，填方总量：2000.000 立方米，净方（挖 − 填）：-2000.000 "
              "立方米，共 3 个断面");
}

TEST(SectionCaption, names_the_section_and_says_its_area_and_points_or_why_it_has_none) {
    const Survey closed = closedSurvey();
    const Survey lines = cutFillSurvey();
    struct Row {
        const Survey* survey;
        int section;
        const char* title;
        const char* caption;
    };
    const Row rows[] = {
        {&closed, 1, "K1+000.000", "面积 4.000 平方米，4 个观测点"},
        {&closed, 2, "K1+020.000", "只有 2 个观测点，围不成断面，没有面积"},
        {&lines, 2, "K1+020.000  挖方面积 0.000 平方米  填方面积 100.000 平方米",
         "地面线 2 个点，设计线 4 个点"},
        {&lines, 3, "K1+040.000  没有挖方和填方面积", "地面线 2 个点，设计线 0 个点"},
        {&closed, 0, "断面图", "单击“进行计算”后，这里显示正在输入的断面。"},
        {&lines, 4, "断面图", "还没有断面。"},
    };
    for (const Row& row : rows) {
        const SectionCaption caption = sectionCaption(*row.survey, row.section);
        EXPECT_EQ(caption.title, row.title);
        EXPECT_EQ(caption.caption, row.caption);
    }
}

TEST(RunningCurves, run_along_the_stations_with_one_curve_or_cut_and_fill_or_their_difference) {
    using Along = std::vector<std::pair<double, double>>;
    struct Row {
        Survey survey;
        bool mass;
        const char* title;
        bool legend;
        std::vector<std::pair<CurveRole, Along>> curves;
    };
    const Along stations = {{1000, 0}, {1020, 40}};
    const Row rows[] = {
        {closedSurvey(), false, "累计土方曲线", false, {{CurveRole::Volume, stations}}},
        {cutFillSurvey(),
         false,
         "累计挖方和累计填方曲线",
         true,
         {{CurveRole::Cut, {{1000, 0}, {1020, 0}, {1040, 0}}},
          {CurveRole::Fill, {{1000, 0}, {1020, 2000}, {1040, 2000}}}}},
        {cutFillSurvey(),
         true,
         "土方累积曲线",
         true,
         // The 填缺 of the pair with volumes; the last has none.
         {{CurveRole::Mass, {{1000, 0}, {1020, -2000}}}}},
    };
    for (const Row& row : rows) {
        const RunningCurves made = runningCurves(row.survey, row.mass);
        EXPECT_EQ(made.title, row.title);
        EXPECT_EQ(made.legend, row.legend);
        EXPECT_TRUE(made.stations);
        ASSERT_EQ(made.curves.size(), row.curves.size()) << row.title;
        for (std::size_t k = 0; k < row.curves.size(); ++k) {
            EXPECT_EQ(made.curves[k].role, row.curves[k].first);
            Along points;
            for (const CurvePoint& point : made.curves[k].points)
                points.emplace_back(point.along, point.total);
            EXPECT_EQ(points, row.curves[k].second) << row.title << " " << k;
        }
    }
    EXPECT_FALSE(hasMassCurve(closedSurvey()));
    EXPECT_TRUE(hasMassCurve(cutFillSurvey()));
}

// The worked haul check as a survey (factors of 1, so the nets are the
// volumes): the curve along the stations, one balance line at level 0
// across the four pairs; with a 长链 of 10 m at K0+040 the chainage runs
// on and the axis says so.
TEST(RunningCurves, the_mass_curve_is_the_hauls_with_its_balanced_stretches) {
    CutFillSurvey record{"Y", {}};
    const double nets[] = {100, 50, -80, -70, 0};
    for (int i = 0; i < 5; ++i) {
        record.sections.push_back({.station = 20.0 * i,
                                   .areas = CutFillAreas{1, 1},
                                   .cutVolume = std::max(nets[i], 0.0),
                                   .fillVolume = std::max(-nets[i], 0.0)});
    }
    RoadDesign design;
    design.factors = ClassFigures{1, 1, 1, 1, 1, 1};
    Survey survey(record);
    ASSERT_FALSE(survey.setRoadDesign(design));
    RunningCurves mass = runningCurves(survey, true);
    EXPECT_EQ(mass.alongAxis, "桩号 (米)");
    ASSERT_EQ(mass.curves.size(), 1u);
    std::vector<double> totals;
    for (const CurvePoint& point : mass.curves[0].points) totals.push_back(point.total);
    EXPECT_EQ(totals, (std::vector<double>{0, 100, 150, 70, 0}));
    ASSERT_EQ(mass.balances.size(), 1u);
    EXPECT_EQ(mass.balances[0], (BalanceLine{0, 80, 0, 150, 6400.0 / 150}));
    EXPECT_EQ(mass.haulSummary,
              "调配 1 段，共 150.000 立方米（压实方），平均运距 42.667 米；弃方 0.000 立方米，借方 "
              "0.000 立方米");

    design.breaks = {{40, 30}};
    for (int i = 3; i < 5; ++i) record.sections[std::size_t(i)].station -= 10;
    survey = Survey(record);
    ASSERT_FALSE(survey.setRoadDesign(design));
    mass = runningCurves(survey, true);
    EXPECT_EQ(mass.alongAxis, "里程 (米)");
    EXPECT_EQ(mass.curves[0].points.back().along, 80);
    EXPECT_EQ(mass.balances[0].to, 80);
}

// Twice the signed area of a closed outline, in (S, H).
double doubleArea(const std::vector<Point>& outline) {
    double sum = 0;
    for (std::size_t k = 0; k < outline.size(); ++k) {
        const Point& a = outline[k];
        const Point& b = outline[(k + 1) % outline.size()];
        sum += a.offset * b.elevation - b.offset * a.elevation;
    }
    return sum;
}

TEST(SectionPicture, draws_an_outline_or_two_lines_with_the_regions_between_them) {
    using Role = PictureLine::Role;
    using Shade = PictureRegion::Role;
    const Survey closed = closedSurvey();
    const Survey lines = cutFillSurvey();
    struct Row {
        const Survey* survey;
        int section;
        std::vector<PictureLine> lines;
        std::vector<std::pair<Shade, double>> regions;  // each with its area
    };
    const Line flat = line({{-20, 0}, {20, 0}});
    const Line bank = line({{-15, 0}, {-5, 5}, {5, 5}, {15, 0}});
    const Row rows[] = {
        {&closed, 1, {{Role::Outline, line({{0, 0}, {2, 0}, {2, 2}, {0, 2}})}}, {}},
        {&closed, 2, {{Role::Outline, line({{0, 0}, {1, 1}})}}, {}},
        {&lines, 1, {{Role::Ground, flat}, {Role::Design, bank}}, {{Shade::Fill, 100}}},
        {&lines, 3, {{Role::Ground, flat}, {Role::Design, {}}}, {}},
        {&closed, 3, {{Role::Outline, {}}}, {}},
        {&lines, 0, {{Role::Ground, {}}, {Role::Design, {}}}, {}},
    };
    for (const Row& row : rows) {
        const SectionPicture picture = sectionPicture(*row.survey, row.section);
        EXPECT_EQ(picture.lines, row.lines) << row.section;
        ASSERT_EQ(picture.regions.size(), row.regions.size()) << row.section;
        for (std::size_t k = 0; k < row.regions.size(); ++k) {
            EXPECT_EQ(picture.regions[k].role, row.regions[k].first);
            EXPECT_DOUBLE_EQ(std::abs(doubleArea(picture.regions[k].outline)) / 2,
                             row.regions[k].second);
        }
    }
}

// A generated design line's ends are its catch points where the fit found
// them, 坡脚 in fill and 坡口 in cut; the title's 中桩填挖高 is the design less
// the ground at the centre. A typed line has neither, fit or not.
TEST(SectionPicture, marks_the_catch_points_and_the_centre_height_of_a_generated_line) {
    using Mark = PictureMark::Role;
    const Line ground = line({{-20, 0}, {20, 0}});
    const Line bank = line({{-15, 0}, {-5, 5}, {5, 5}, {15, 0}});
    const Line cut = line({{-12, 0}, {-5, -2}, {5, -2}, {12, 0}});
    const auto fit = [](SlopeKind kind, std::optional<double> left, std::optional<double> right,
                        std::optional<double> groundHeight, double design) {
        return RoadFit{.groundElevation = groundHeight,
                       .designElevation = design,
                       .left = {kind, 5, left},
                       .right = {kind, 5, right}};
    };
    struct Row {
        const char* name;
        CutFillSection section;
        std::vector<PictureMark> marks;
        std::string height;
    };
    const Row rows[] = {
        {"fill on both sides",
         {.ground = ground,
          .design = bank,
          .designGenerated = true,
          .fit = fit(SlopeKind::Fill, 15, 15, 0.0, 5.0)},
         {{Mark::Toe, {0, 15}}, {Mark::Toe, {0, -15}}},
         "中桩填高 5.000 m"},
        {"cut, the left slope missing the ground",
         {.ground = ground,
          .design = cut,
          .designGenerated = true,
          .fit = fit(SlopeKind::Cut, std::nullopt, 12, 0.567, 0.0)},
         {{Mark::Crest, {0, -12}}},
         "中桩挖深 0.567 m"},
        {"no ground at the centre line",
         {.ground = ground,
          .design = bank,
          .designGenerated = true,
          .fit = fit(SlopeKind::Fill, 15, 15, std::nullopt, 5.0)},
         {{Mark::Toe, {0, 15}}, {Mark::Toe, {0, -15}}},
         ""},
        {"typed",
         {.ground = ground, .design = bank, .fit = fit(SlopeKind::Fill, 15, 15, 0, 5)},
         {},
         ""},
    };
    for (const Row& row : rows) {
        CutFillSurvey survey;
        survey.sections = {row.section};
        const SectionPicture picture = sectionPicture(Survey(std::move(survey)), 1);
        EXPECT_EQ(picture.catchPoints, row.marks) << row.name;
        EXPECT_EQ(picture.centreHeight, row.height) << row.name;
    }
}

// The table's rows follow the lines of each section; only lines in the order
// of S keep a new point where the line ends, and only sections with two lines
// have areas, or say why they have none.
TEST(LineShape, is_one_outline_or_a_ground_and_a_design_line_with_their_areas) {
    const struct {
        const char* name;
        Survey survey;
        std::vector<SurveyLine> lines;
        bool areas;
        int section;
        SectionAreas shown;
    } rows[] = {
        {"closed outline", closedSurvey(), {SurveyLine::Outline}, false, 1, {"", "", ""}},
        {"cut and fill",
         cutFillSurvey(),
         {SurveyLine::Ground, SurveyLine::Design},
         true,
         1,
         {"0.000", "100.000", ""}},
        {"ground alone",
         cutFillSurvey(),
         {SurveyLine::Ground, SurveyLine::Design},
         true,
         3,
         {"", "", "只有地面线，没有设计线"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const LineShape shape = lineShape(row.survey);
        EXPECT_EQ(shape.lines, row.lines);
        EXPECT_EQ(shape.areas, row.areas);
        EXPECT_EQ(shape.orderedByOffset, row.areas);
        const SectionAreas areas = sectionAreas(row.survey, row.section);
        EXPECT_EQ(areas.missing, row.shown.missing);
        EXPECT_EQ(areas.cut, row.shown.cut);
        EXPECT_EQ(areas.fill, row.shown.fill);
    }
}

}  // namespace
}  // namespace section
