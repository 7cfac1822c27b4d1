// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "section/road_fit.h"

namespace section {
namespace {

const std::optional<double> kNone;
constexpr StationRange k0to200{0, 200}, k100to300{100, 300}, k200to400{200, 400};

// A design that prepares; each row below spoils one table of it.
RoadDesign goodDesign() {
    RoadDesign design;
    design.profile = {{0, 100, kNone}, {300, 106, 3000.0}, {700, 102, kNone}};
    design.plates = {{0, RoadSide::Left, 3.75, -2}, {0, RoadSide::Right, 3.75, -2}};
    design.slopes = {{std::nullopt, RoadSide::Left, SlopeKind::Fill, 1.5, 8.0, 2, -3},
                     {std::nullopt, RoadSide::Left, SlopeKind::Fill, 1.75, kNone, 0, 0}};
    design.ditches = {{std::nullopt, RoadSide::Left, 1, 0.6, 0.4, 1}};
    design.breaks = {{1100, 1080}};
    // Shares whose sum is 100 only to the last bit.
    design.soilClasses = {{{0, 450}, {30.5, 0.1, 17.8, 28.9, 22.7, 0}},
                          {{450, 480}, {0, 100, 0, 0, 0, 0}}};
    design.factors = kDefaultFactors;
    design.structures = {{{480, 520}, "小桥"}, {{520, 560}, "涵洞"}};
    design.haul = HaulDistances{20, 300.0};
    return design;
}

TEST(RoadDesignFaults, the_good_design_prepares) {
    EXPECT_TRUE(std::holds_alternative<PreparedRoad>(PreparedRoad::prepare(goodDesign())));
}

TEST(RoadDesignFaults, each_names_its_table_row_column_and_the_row_it_clashes_with) {
    const struct {
        const char* what;
        void (*spoil)(RoadDesign&);
        DesignFault where;  // the message only checked for the stations it names
        std::string names;
    } rows[] = {
        {"变坡点 out of order",
         [](RoadDesign& d) { d.profile[1].station = 0; },
         {DesignTable::Profile, 1, 0, "", 0},
         "K0+000"},
        {"a radius at the last 变坡点",
         [](RoadDesign& d) { d.profile[2].radius = 500.0; },
         {DesignTable::Profile, 2, 2, ""},
         "K0+700"},
        {"a radius of 0",
         [](RoadDesign& d) { d.profile[1].radius = 0.0; },
         {DesignTable::Profile, 1, 2, ""},
         "K0+300"},
        // Grades +2 %, -1 %, about +2 % (the 断链 makes the last one 520 m
        // long): T = 15000 x 0.03 / 2 = 225 and about as much, over 400 m.
        {"curves that overlap",
         [](RoadDesign& d) {
             d.profile = {
                 {0, 100, kNone}, {300, 106, 15000.0}, {700, 102, 15000.0}, {1200, 112, kNone}};
         },
         {DesignTable::Profile, 2, 2, "", 1},
         "K0+300.000 与 K0+700.000"},
        // T = 30000 x 0.03 / 2 = 450, over the 300 m back to the start.
        {"a curve past the start",
         [](RoadDesign& d) { d.profile[1].radius = 30000.0; },
         {DesignTable::Profile, 1, 2, "", 0},
         "起点 K0+000"},
        {"a negative width",
         [](RoadDesign& d) { d.plates[1].width = -1; },
         {DesignTable::Plates, 1, 2, ""},
         "K0+000"},
        {"plate counts that differ",
         [](RoadDesign& d) {
             d.plates.push_back({100, RoadSide::Left, 3.75, -2});
             d.plates.push_back({100, RoadSide::Left, 0.75, -3});
             d.plates.push_back({100, RoadSide::Right, 3.75, -2});
         },
         {DesignTable::Plates, 2, -1, "", 0},
         "K0+100.000 左侧有 2 块"},
        {"a stage without height before the last",
         [](RoadDesign& d) { d.slopes[0].height = kNone; },
         {DesignTable::Slopes, 0, 3, "", 1},
         "第 1 级"},
        {"a ranged slope ratio below 0",
         [](RoadDesign& d) {
             d.slopes.push_back({k0to200, RoadSide::Right, SlopeKind::Cut, -0.5, kNone, 0, 0});
         },
         {DesignTable::Slopes, 2, 4, ""},
         "K0+000.000～K0+200.000 右侧挖方"},
        {"ranges that overlap",
         [](RoadDesign& d) {
             d.slopes.push_back({k0to200, RoadSide::Left, SlopeKind::Cut, 0.5, kNone, 0, 0});
             d.slopes.push_back({k200to400, RoadSide::Left, SlopeKind::Cut, 0.5, kNone, 0, 0});
             d.slopes.push_back({k100to300, RoadSide::Left, SlopeKind::Cut, 0.5, kNone, 0, 0});
         },
         {DesignTable::Slopes, 4, 0, "", 2},
         "K0+100.000～K0+300.000"},
        {"a range backwards",
         [](RoadDesign& d) {
             d.ditches.push_back({StationRange{300, 100}, RoadSide::Left, 1, 0.6, 0.4, 1});
         },
         {DesignTable::Ditches, 1, 0, ""},
         "K0+300.000～K0+100.000"},
        {"a negative ditch depth",
         [](RoadDesign& d) { d.ditches[0].depth = -0.6; },
         {DesignTable::Ditches, 0, 2, ""},
         "沟深"},
        {"two ditches for one side",
         [](RoadDesign& d) { d.ditches.push_back(d.ditches[0]); },
         {DesignTable::Ditches, 1, -1, "", 0},
         "边沟左侧"},
        {"shares that add up to 95",
         [](RoadDesign& d) { d.soilClasses[1].percent = {0, 30, 0, 65, 0, 0}; },
         {DesignTable::SoilClasses, 1, -1, ""},
         "土石分类 K0+450.000～K0+480.000 的六类百分比加起来是 95，应为 100"},
        {"a negative share",
         [](RoadDesign& d) { d.soilClasses[1].percent = {0, 30, -10, 80, 0, 0}; },
         {DesignTable::SoilClasses, 1, 4, ""},
         "土石分类 K0+450.000～K0+480.000 的Ⅲ 类百分比是 -10"},
        {"classes whose range runs backwards",
         [](RoadDesign& d) {
             d.soilClasses[1].range = {480, 450};
         },
         {DesignTable::SoilClasses, 1, 1, ""},
         "终点桩号 K0+450.000 在起点桩号 K0+480.000 之前"},
        {"class ranges that overlap",
         [](RoadDesign& d) {
             d.soilClasses.push_back({{400, 600}, {100, 0, 0, 0, 0, 0}});
         },
         {DesignTable::SoilClasses, 2, 0, "", 0},
         "K0+400.000～K0+600.000 与 K0+000.000～K0+450.000 重叠"},
        {"structure ranges that overlap",
         [](RoadDesign& d) {
             d.structures.push_back({{500, 505}, "涵洞"});
         },
         {DesignTable::Structures, 2, 0, "", 0},
         "一处只能有一座构造物"},
        {"a structure whose range runs backwards",
         [](RoadDesign& d) {
             d.structures[0].range = {520, 480};
         },
         {DesignTable::Structures, 0, 1, ""},
         "K0+520.000 之前"},
        {"a factor of 0",
         [](RoadDesign& d) { (*d.factors)[3] = 0; },
         {DesignTable::Factors, 0, 3, ""},
         "Ⅳ 类的换算系数是 0"},
        {"a negative free haul",
         [](RoadDesign& d) { d.haul->freeHaul = -5; },
         {DesignTable::Haul, 0, 0, ""},
         "-5 米"},
        {"an economic haul no longer than the free",
         [](RoadDesign& d) { d.haul->economicHaul = 20.0; },
         {DesignTable::Haul, 0, 1, ""},
         "经济运距 20 米不比免费运距 20 米长"},
        {"breaks out of order",
         [](RoadDesign& d) {
             d.breaks.push_back({1050, 1200});
         },
         {DesignTable::Breaks, 1, 0, "", 0},
         "K1+050"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        RoadDesign design = goodDesign();
        row.spoil(design);
        const auto prepared = PreparedRoad::prepare(design);
        ASSERT_TRUE(std::holds_alternative<DesignFault>(prepared));
        DesignFault fault = std::get<DesignFault>(prepared);
        EXPECT_NE(fault.message.find(row.names), std::string::npos) << fault.message;
        fault.message.clear();
        EXPECT_EQ(fault, row.where);
    }
}

}  // namespace
}  // namespace section
