// SPDX-License-Identifier: GPL-3.0-or-later
// The warnings a road design adds: station order along the continuous
// chainage, stations a 断链 leaves unsettled, and designs that do not fit.

#include "section/survey_warnings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace section {
namespace {

// Flat ground at 98 from S = -width to width at each station, no design typed.
Survey flatSurvey(std::vector<double> stations, double width = 30, bool entered = true) {
    CutFillSurvey survey{.stationAnswer = entered ? "Y" : "N", .sections = {}};
    for (double station : stations) {
        CutFillSection& section = survey.sections.emplace_back();
        section.station = station;
        section.spacing = 20;
        section.ground = {{98, -width}, {98, width}};
    }
    return Survey(std::move(survey));
}

// A level road at 100 from K1+000 to K3+000, 5 m each side, fill 1:1.5.
RoadDesign levelRoad(std::vector<ChainBreak> breaks) {
    RoadDesign road{
        .profile = {{.station = 1000, .elevation = 100}, {.station = 3000, .elevation = 100}},
        .breaks = std::move(breaks)};
    for (RoadSide side : {RoadSide::Left, RoadSide::Right}) {
        road.plates.push_back({.station = 1000, .side = side, .width = 5});
        road.slopes.push_back({.side = side, .kind = SlopeKind::Fill, .ratio = 1.5});
    }
    return road;
}

struct Told {
    int section;
    WarningKind kind;
    std::string says;
};

TEST(SurveyWarnings, a_road_design_tells_unsettled_stations_and_sections_it_does_not_fit) {
    const struct {
        const char* what;
        Survey survey;
        std::vector<ChainBreak> breaks;
        std::vector<Told> told;
    } cases[] = {
        {"K1+100 after K1+060 may be either; K1+090 after it lies past the 长链",
         flatSurvey({1060, 1100, 1090}),
         {{.before = 1100, .after = 1080}},
         {{2, WarningKind::StationInBreak, "长链 K1+100.000=K1+080.000 的重叠段内"}}},
        {"a station in a 短链's gap",
         flatSurvey({1980, 2020}),
         {{.before = 2000, .after = 2050}},
         {{2, WarningKind::StationInBreak, "落在短链 K2+000.000=K2+050.000 的空缺中"}}},
        {"ground narrower than the road",
         flatSurvey({1100, 1120}, 4),
         {},
         {{1, WarningKind::DesignMisfit, "左侧路基比地面线宽"},
          {1, WarningKind::DesignMisfit, "右侧路基比地面线宽"},
          {2, WarningKind::DesignMisfit, "左侧路基比地面线宽"},
          {2, WarningKind::DesignMisfit, "右侧路基比地面线宽"}}},
        {"ground too narrow for the slopes",
         flatSurvey({1100}, 7),
         {},
         {{1, WarningKind::DesignMisfit, "左侧填方边坡没有在地面线范围内与地面线相交，坡脚"},
          {1, WarningKind::DesignMisfit, "右侧填方边坡没有在地面线范围内与地面线相交，坡脚"}}},
        {"a section past the 纵断面",
         flatSurvey({3100}),
         {},
         {{1, WarningKind::DesignMisfit, "不在纵断面的桩号范围内"}}},
        {"no stations to place the design by",
         flatSurvey({0, 0}, 30, false),
         {},
         {{1, WarningKind::NoAreas, "只有地面线"},
          {1, WarningKind::DesignMisfit, "没有桩号"},
          {2, WarningKind::NoAreas, "只有地面线"}}},
    };
    for (auto& [what, survey, breaks, told] : cases) {
        SCOPED_TRACE(what);
        Survey designed = Survey(*survey.cutFill());
        ASSERT_FALSE(designed.setRoadDesign(levelRoad(breaks)));
        ASSERT_FALSE(calculate(designed));
        const std::vector<SurveyWarning> found = warnings(designed);
        ASSERT_EQ(found.size(), told.size());
        for (std::size_t k = 0; k < told.size(); ++k) {
            EXPECT_EQ(found[k].section, told[k].section);
            EXPECT_EQ(found[k].kind, told[k].kind);
            EXPECT_NE(found[k].text.find(told[k].says), std::string::npos) << found[k].text;
        }
    }
}

// A station with its letters, and the same survey as closed outlines (a
// triangle each) or cut-and-fill sections (flat ground), calculated.
struct Lettered {
    const char* prefix;
    double station;
};

Survey lettered(std::vector<Lettered> stations, SurveyKind kind) {
    Survey survey = flatSurvey({});
    for (const Lettered& at : stations) {
        CutFillSection& section = survey.cutFill()->sections.emplace_back();
        section.station = at.station;
        section.stationPrefix = at.prefix;
        section.ground = {{98, -30}, {98, 30}};
    }
    if (kind == SurveyKind::ClosedOutline) {
        SectionSurvey closed;
        closed.resize(int(stations.size()));
        closed.setStationAnswer("y");
        for (int i = 1; i <= closed.sectionCount(); ++i) {
            closed.setStation(i, stations[std::size_t(i - 1)].station);
            closed.setStationPrefix(i, stations[std::size_t(i - 1)].prefix);
            closed.setPointCount(i, 3);
        }
        closed.allocatePoints();
        for (int i = 1; i <= closed.sectionCount(); ++i)
            for (int j = 1; j <= 3; ++j) closed.setPoint(i, j, j == 2 ? 101 : 100, 2 - j);
        survey = Survey(std::move(closed));
    }
    EXPECT_FALSE(calculate(survey));
    return survey;
}

// The warnings but those of the lines' areas (the sections have no design).
std::vector<SurveyWarning> ofStations(const Survey& survey) {
    std::vector<SurveyWarning> found = warnings(survey);
    std::erase_if(found, [](const SurveyWarning& w) { return w.kind == WarningKind::NoAreas; });
    return found;
}

// Every warning that names a station names it with its letters, whichever
// kind of section and whether a 断链 orders the stations; letters that
// change from one section to the next are told, the spacing still the
// stations' difference in value.
TEST(SurveyWarnings, name_stations_with_their_letters_and_tell_where_the_letters_change) {
    const std::vector<Lettered> stations = {{"ZK", 1060}, {"ZK", 1050}, {"YK", 1070}, {"-", 1090}};
    const std::vector<Told> told = {
        {2, WarningKind::StationDecreasing,
         "ZK1+050.000断面（第 2 个断面）的桩号小于前一个断面的桩号 ZK1+060.000，间距为 -10.000 "
         "米"},
        {3, WarningKind::StationLettersChange,
         "YK1+070.000断面（第 3 个断面）的桩号冠号“YK”，与前一个断面 ZK1+050.000的“ZK”不同："
         "两断面之间的间距按桩号的数值计为 20.000 米。左幅、右幅等不同冠号的线应分开计算，"
         "请核对桩号。"},
        {4, WarningKind::StationLettersChange,
         "1+090.000断面（第 4 个断面）没有桩号冠号，与前一个断面 YK1+070.000的“YK”不同"}};
    for (const SurveyKind kind : {SurveyKind::ClosedOutline, SurveyKind::CutFill}) {
        for (const bool chained : {false, true}) {
            SCOPED_TRACE(std::string(kind == SurveyKind::CutFill ? "lines" : "outlines") +
                         (chained ? " across a 断链" : ""));
            Survey survey = lettered(stations, kind);
            if (chained) {
                // A 断链 past them all: the order is told along the road.
                ASSERT_FALSE(survey.setRoadDesign({.breaks = {{.before = 2000, .after = 2010}}}));
                ASSERT_FALSE(calculate(survey));
            }
            const std::vector<SurveyWarning> found = ofStations(survey);
            ASSERT_EQ(found.size(), told.size());
            for (std::size_t k = 0; k < told.size(); ++k) {
                EXPECT_EQ(found[k].section, told[k].section);
                EXPECT_EQ(found[k].kind, told[k].kind);
                EXPECT_NE(found[k].text.find(told[k].says), std::string::npos) << found[k].text;
            }
        }
    }
    // One line's letters throughout: nothing told of them.
    for (const SurveyKind kind : {SurveyKind::ClosedOutline, SurveyKind::CutFill})
        EXPECT_TRUE(ofStations(lettered({{"ZK", 0}, {"ZK", 20}}, kind)).empty());
}

// Classes, factors, structures and haul distances say nothing of the design
// lines: with them alone a survey's typed lines give the same areas,
// volumes and warnings, stations or none.
TEST(SurveyWarnings, a_design_of_the_earthworks_tables_alone_changes_no_figure_and_no_warning) {
    const RoadDesign earthworks{.soilClasses = {{{0, 450}, {0, 30, 0, 70, 0, 0}}},
                                .factors = kDefaultFactors,
                                .structures = {{{480, 520}, "小桥"}},
                                .haul = HaulDistances{20, 300.0}};
    for (const bool entered : {true, false}) {
        SCOPED_TRACE(entered ? "stations" : "no stations");
        Survey plain = flatSurvey({0, 20, 40, 60}, 30, entered);
        std::vector<CutFillSection>& sections = plain.cutFill()->sections;
        sections[0].design = {{100, -10}, {100, 10}};
        // Wider than its ground: told as a line the ground does not cover.
        sections[1].design = {{97, -40}, {97, 40}};
        sections[3].design = {{99, -5}, {99, 5}};
        Survey designed = plain;
        ASSERT_FALSE(designed.setRoadDesign(earthworks));
        ASSERT_FALSE(calculate(plain));
        ASSERT_FALSE(calculate(designed));
        EXPECT_EQ(*designed.cutFill(), *plain.cutFill());
        const std::vector<SurveyWarning> told = warnings(plain);
        EXPECT_GE(told.size(), 2u);  // the uncovered line, the section without one
        const std::vector<SurveyWarning> found = warnings(designed);
        ASSERT_EQ(found.size(), told.size());
        for (std::size_t k = 0; k < told.size(); ++k) {
            EXPECT_EQ(found[k].kind, told[k].kind);
            EXPECT_EQ(found[k].text, told[k].text);
        }
    }
}

}  // namespace
}  // namespace section
