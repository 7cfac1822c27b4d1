// SPDX-License-Identifier: GPL-3.0-or-later
// The road design as steps of the document: a design puts its lines on the
// ground of every section whose design is not typed, one undoable step; the
// generated lines follow the ground and are not edited by hand until kept as
// typed points; a design that cannot be used changes nothing; 断链 move the
// spacings of either kind.

#include <gtest/gtest.h>

#include <QUndoStack>

#include "document/survey_document.h"

namespace document {
namespace {

using section::CutFillSection;
using section::CutFillSurvey;
using section::RoadDesign;
using section::RoadSide;
using section::SlopeKind;

// Flat ground at 98 from S = -30 to 30 at K0+000, K0+020, K0+040; the
// second section has a typed design line.
CutFillSurvey groundOnly() {
    CutFillSurvey survey{.stationAnswer = "Y", .sections = {}};
    for (int k = 0; k < 3; ++k)
        survey.sections.push_back({.station = 20.0 * k, .ground = {{98, -30}, {98, 0}, {98, 30}}});
    survey.sections[1].design = {{98, -10}, {99, 0}, {98, 10}};
    return survey;
}

// A level road at 100, 5 m each side without crossfall, fill slopes 1:1.5:
// over ground at 98 the catch points lie 5 + 1.5 x 2 = 8 m out, and the
// fill is (10 + 16) / 2 x 2 = 26 m².
RoadDesign levelRoad() {
    RoadDesign road;
    road.profile = {{.station = 0, .elevation = 100}, {.station = 100, .elevation = 100}};
    road.plates = {{.station = 0, .side = RoadSide::Left, .width = 5},
                   {.station = 0, .side = RoadSide::Right, .width = 5}};
    for (RoadSide side : {RoadSide::Left, RoadSide::Right})
        road.slopes.push_back({.side = side, .kind = SlopeKind::Fill, .ratio = 1.5});
    return road;
}

struct Opened {
    explicit Opened(section::Survey data) {
        EXPECT_TRUE(document.replaceSurvey(std::move(data), "打开文件", "a.csv").done());
        QObject::connect(&document, &SurveyDocument::changed,
                         [this](const Change& change) { changes.push_back(change); });
    }
    const CutFillSection& at(int i) const {
        return document.survey().cutFill()->sections[std::size_t(i - 1)];
    }
    SurveyDocument document;
    std::vector<Change> changes;
};

TEST(RoadDesignSteps, a_design_puts_its_lines_on_the_sections_without_typed_ones_as_one_step) {
    Opened opened(groundOnly());
    int told = 0;
    QObject::connect(&opened.document, &SurveyDocument::roadDesignChanged, [&] { ++told; });
    const std::vector<section::Point> typed = opened.at(2).design;
    ASSERT_TRUE(opened.document.setRoadDesign(levelRoad(), "打开道路设计").done());

    EXPECT_EQ(opened.document.undoStack()->undoText(), "打开道路设计");
    for (int i : {1, 3}) {
        EXPECT_TRUE(opened.at(i).designGenerated);
        ASSERT_TRUE(opened.at(i).areas);
        EXPECT_DOUBLE_EQ(opened.at(i).areas->fill, 26.0);
        ASSERT_TRUE(opened.at(i).fit);
        EXPECT_DOUBLE_EQ(*opened.at(i).fit->left.catchDistance, 8.0);
        EXPECT_EQ(opened.at(i).fit->right.kind, SlopeKind::Fill);
    }
    EXPECT_FALSE(opened.at(2).designGenerated);
    EXPECT_EQ(opened.at(2).design, typed);
    ASSERT_EQ(opened.changes.size(), 1u);
    EXPECT_EQ(opened.changes[0].kind, Change::Kind::Points);
    EXPECT_EQ(opened.changes[0].last, 3);
    EXPECT_EQ(told, 1);

    // Undone, the survey is as opened; redone, as designed.
    const CutFillSurvey designed = *opened.document.survey().cutFill();
    opened.document.undoStack()->undo();
    EXPECT_TRUE(opened.document.survey().roadDesign().empty());
    EXPECT_TRUE(opened.at(1).design.empty());
    EXPECT_FALSE(opened.at(1).designGenerated);
    opened.document.undoStack()->redo();
    EXPECT_EQ(*opened.document.survey().cutFill(), designed);
    EXPECT_EQ(told, 3);
}

// Codes name the points a file gave: a generated line has none, even where
// codes were left beside a line without points; the ground's and a typed
// line's stay with their points through the design's steps.
TEST(RoadDesignSteps, a_generated_line_takes_no_codes_and_the_others_keep_theirs) {
    CutFillSurvey survey = groundOnly();
    for (CutFillSection& section : survey.sections) section.groundCodes = {"DM", "ZX", "DM"};
    survey.sections[0].designCodes = {"SJ"};
    survey.sections[1].designCodes = {"", "SJ", ""};
    Opened opened(std::move(survey));
    ASSERT_TRUE(opened.document.setRoadDesign(levelRoad(), "打开道路设计").done());
    ASSERT_TRUE(opened.at(1).designGenerated);
    EXPECT_TRUE(opened.at(1).designCodes.empty());
    EXPECT_EQ(opened.at(2).designCodes, (std::vector<std::string>{"", "SJ", ""}));
    // A ground point put in: the line is put on the ground anew, codeless.
    ASSERT_TRUE(opened.document.insertPoint({1, 2, Line::Ground}, {98, -10}).done());
    EXPECT_TRUE(opened.at(1).designCodes.empty());
    EXPECT_EQ(opened.at(1).groundCodes, (std::vector<std::string>{"DM", "", "ZX", "DM"}));
    ASSERT_TRUE(opened.document.keepDesignLine(1).done());
    EXPECT_TRUE(opened.at(1).designCodes.empty());
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(opened.at(i).groundCodes.size(), opened.at(i).ground.size());
}

TEST(RoadDesignSteps, a_generated_line_follows_the_ground_and_is_typed_only_once_kept) {
    Opened opened(groundOnly());
    ASSERT_TRUE(opened.document.setRoadDesign(levelRoad(), "打开道路设计").done());
    opened.changes.clear();

    // Ground 1 m lower: the catch point 1.5 m further out, the line anew.
    for (int point : {1, 2, 3})
        ASSERT_TRUE(
            opened.document.setCell({1, point, Column::Elevation, 97.0, Line::Ground}).done());
    EXPECT_DOUBLE_EQ(*opened.at(1).fit->right.catchDistance, 9.5);
    EXPECT_EQ(opened.changes.back().kind, Change::Kind::Points);

    const Edited refused = opened.document.setCell({1, 1, Column::Elevation, 50.0, Line::Design});
    EXPECT_EQ(refused, Outcome::Refused);
    EXPECT_NE(refused.why.find("改为输入的设计线"), std::string::npos);
    EXPECT_EQ(opened.document.insertPoint({1, 1, Line::Design}, {1, 1}), Outcome::Refused);
    EXPECT_EQ(opened.document.deletePoints({{1, 1, Line::Design}}), Outcome::Refused);
    EXPECT_EQ(opened.document.keepDesignLine(2), Outcome::Refused);  // typed already

    const std::vector<section::Point> generated = opened.at(1).design;
    ASSERT_TRUE(opened.document.keepDesignLine(1).done());
    EXPECT_EQ(opened.document.undoStack()->undoText(), "改为输入的设计线");
    EXPECT_FALSE(opened.at(1).designGenerated);
    EXPECT_EQ(opened.at(1).design, generated);
    ASSERT_TRUE(opened.document.setCell({1, 1, Column::Elevation, 97.5, Line::Design}).done());
    // Kept, the line no longer follows the ground.
    ASSERT_TRUE(opened.document.setCell({1, 2, Column::Elevation, 96.0, Line::Ground}).done());
    EXPECT_EQ(opened.at(1).design.size(), generated.size());
    EXPECT_DOUBLE_EQ(opened.at(1).design[0].elevation, 97.5);

    for (int k = 0; k < 3; ++k) opened.document.undoStack()->undo();
    EXPECT_TRUE(opened.at(1).designGenerated);
    EXPECT_EQ(opened.at(1).design, generated);
}

TEST(RoadDesignSteps, a_design_that_cannot_be_used_is_refused_and_changes_nothing) {
    Opened opened(groundOnly());
    RoadDesign bad = levelRoad();
    bad.profile.front().radius = 3000.0;  // no vertical curve at the first 变坡点
    ASSERT_TRUE(SurveyDocument::designFault(bad));
    EXPECT_FALSE(SurveyDocument::designFault(levelRoad()));

    const CutFillSurvey before = *opened.document.survey().cutFill();
    const int steps = opened.document.undoStack()->count();
    const Edited refused = opened.document.setRoadDesign(bad, "修改道路设计");
    EXPECT_EQ(refused, Outcome::Refused);
    EXPECT_EQ(refused.why, SurveyDocument::designFault(bad)->message);
    EXPECT_EQ(*opened.document.survey().cutFill(), before);
    EXPECT_TRUE(opened.document.survey().roadDesign().empty());
    EXPECT_EQ(opened.document.undoStack()->count(), steps);
    EXPECT_TRUE(opened.changes.empty());
}

// A 长链 K1+100 = K1+080: after K1+100 the station K1+090 lies 10 m on.
TEST(RoadDesignSteps, chain_breaks_move_the_spacings_and_the_station_order_of_either_kind) {
    section::SectionSurvey closed;
    closed.resize(3);
    closed.setStationAnswer("Y");
    const double stations[] = {1060, 1100, 1090};
    for (int i = 1; i <= 3; ++i) {
        closed.setStation(i, stations[i - 1]);
        closed.setPointCount(i, 3);
    }
    closed.takePoints(std::vector<double>(9, 0.0), {0, 1, 0, 0, 1, 0, 0, 1, 0});
    CutFillSurvey lines = groundOnly();
    for (int i = 0; i < 3; ++i) lines.sections[std::size_t(i)].station = stations[i];

    for (section::Survey survey : {section::Survey(std::move(closed)), section::Survey(lines)}) {
        SCOPED_TRACE(survey.cutFill() ? "cut and fill" : "closed outline");
        Opened opened(std::move(survey));
        const auto decreasing = [&] {
            return std::ranges::count(opened.document.warnings(),
                                      section::WarningKind::StationDecreasing,
                                      &section::SurveyWarning::kind);
        };
        EXPECT_EQ(decreasing(), 1);
        ASSERT_TRUE(
            opened.document
                .setRoadDesign({.breaks = {{.before = 1100, .after = 1080}}}, "修改道路设计")
                .done());
        const section::Survey& now = opened.document.survey();
        const auto spacing = [&](int i) {
            return now.cutFill() ? now.cutFill()->sections[std::size_t(i - 1)].spacing
                                 : double(now.closedOutline()->spacings(i));
        };
        EXPECT_EQ(spacing(1), 40.0);
        EXPECT_EQ(spacing(2), 10.0);
        EXPECT_EQ(decreasing(), 0);
    }
}

}  // namespace
}  // namespace document
