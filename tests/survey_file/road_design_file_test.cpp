// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/road_design_file.h"

#include <gtest/gtest.h>

#include <random>

namespace survey_file {
namespace {

using section::DesignFault;
using section::DesignTable;
using section::RoadDesign;
using section::RoadSide;
using section::SlopeKind;
using section::StationRange;

// The example of the road design file's documentation.
constexpr std::string_view kExample =
    "[纵断面]\n"
    "桩号,高程,竖曲线半径\n"
    "K0+000,100.000,\n"
    "K0+300,106.000,3000\n"
    "K0+700,102.000,\n"
    "[路幅]\n"
    "桩号,侧,宽度,横坡\n"
    "K0+000,左,3.75,-2\n"
    "K0+000,右,0.75,-3\n"
    "# 一行注释\n"
    "[边坡]\n"
    "侧,类型,坡率,高度,平台宽,平台横坡\n"
    "左,填,1.5,8,2,-3\n"
    "左,填,1.75,,,\n"
    "右,挖,0.75,,,\n"
    "[边沟]\n"
    "侧,内坡率,沟深,沟底宽,外坡率\n"
    "左,1,0.6,0.4,1\n"
    "[边坡]\n"
    "起点桩号,终点桩号,侧,类型,坡率,高度,平台宽,平台横坡\n"
    "K0+100,K0+200,右,挖,0.5,,,\n"
    "[断链]\n"
    "断前桩号,断后桩号\n"
    "K1+100,K1+080\n";

RoadDesign exampleDesign() {
    RoadDesign d;
    d.profile = {{0, 100, std::nullopt}, {300, 106, 3000}, {700, 102, std::nullopt}};
    d.plates = {{0, RoadSide::Left, 3.75, -2}, {0, RoadSide::Right, 0.75, -3}};
    d.slopes = {{std::nullopt, RoadSide::Left, SlopeKind::Fill, 1.5, 8, 2, -3},
                {std::nullopt, RoadSide::Left, SlopeKind::Fill, 1.75, std::nullopt, 0, 0},
                {std::nullopt, RoadSide::Right, SlopeKind::Cut, 0.75, std::nullopt, 0, 0},
                {StationRange{100, 200}, RoadSide::Right, SlopeKind::Cut, 0.5, std::nullopt, 0, 0}};
    d.ditches = {{std::nullopt, RoadSide::Left, 1, 0.6, 0.4, 1}};
    d.breaks = {{1100, 1080}};
    return d;
}

TEST(RoadDesignFile, the_documented_example_reads_as_its_tables_with_each_rows_line) {
    const RoadDesignRead read = readRoadDesign(kExample);
    ASSERT_TRUE(read.design) << read.error.message;
    EXPECT_EQ(*read.design, exampleDesign());
    const std::vector<DesignRowPlace> slopes = {{13, false}, {14, false}, {15, false}, {21, true}};
    EXPECT_EQ(read.lines[DesignTable::Slopes], slopes);
    EXPECT_EQ(read.lines[DesignTable::Breaks], (std::vector<DesignRowPlace>{{24, false}}));
}

// The earthworks' tables as the documentation shows them, stations written
// either way, an empty share taken as 0, classes also in Latin letters.
constexpr std::string_view kEarthworks =
    "[土石分类]\n"
    "起点桩号,终点桩号,Ⅰ,Ⅱ,Ⅲ,Ⅳ,Ⅴ,Ⅵ\n"
    "K0+000,K0+450,0,30,0,70,0,0\n"
    "450,K0+480,,100,,,,\n"
    "[换算系数]\n"
    "I,ii,Ⅲ,IV,Ｖ,VI\n"
    "1.23,1.16,1.09,0.92,0.92,0.9\n"
    "[构造物]\n"
    "起点桩号,终点桩号,名称\n"
    "K0+480,K0+520,小桥\n"
    "[运距]\n"
    "免费运距,经济运距\n"
    "20,\n";

TEST(RoadDesignFile, the_earthworks_tables_read_with_each_rows_line) {
    const RoadDesignRead read = readRoadDesign(kEarthworks);
    ASSERT_TRUE(read.design) << read.error.message;
    RoadDesign expected;
    expected.soilClasses = {{{0, 450}, {0, 30, 0, 70, 0, 0}}, {{450, 480}, {0, 100, 0, 0, 0, 0}}};
    expected.factors = section::ClassFigures{1.23, 1.16, 1.09, 0.92, 0.92, 0.9};
    expected.structures = {{{480, 520}, "小桥"}};
    expected.haul = section::HaulDistances{20, std::nullopt};
    EXPECT_EQ(*read.design, expected);
    EXPECT_EQ(read.lines[DesignTable::SoilClasses],
              (std::vector<DesignRowPlace>{{3, false}, {4, false}}));
    EXPECT_EQ(read.lines[DesignTable::Structures], (std::vector<DesignRowPlace>{{10, false}}));
    EXPECT_EQ(read.lines[DesignTable::Haul], (std::vector<DesignRowPlace>{{13, false}}));
}

TEST(RoadDesignFile, tabs_a_byte_order_mark_and_gbk_read_as_the_survey_file_does) {
    std::string tabs = "\xEF\xBB\xBF";
    for (char c : kExample) tabs += c == ',' ? '\t' : c;
    const RoadDesignRead fromTabs = readRoadDesign(tabs);
    ASSERT_TRUE(fromTabs.design) << fromTabs.error.message;
    EXPECT_EQ(*fromTabs.design, exampleDesign());

    const std::string gbk =
        "\x5b\xb6\xcf\xc1\xb4\x5d\x0a\xb6\xcf\xc7\xb0\xd7\xae\xba\xc5\x2c"
        "\xb6\xcf\xba\xf3\xd7\xae\xba\xc5\x0aK1+100,K1+080\n";
    const auto fromGbk = [](std::string_view bytes) -> std::optional<std::string> {
        if (!bytes.starts_with("\x5b\xb6")) return std::nullopt;
        return "[断链]\n断前桩号,断后桩号\n" + std::string(bytes.substr(24));
    };
    const RoadDesignRead read = readRoadDesignFile(gbk, fromGbk);
    ASSERT_TRUE(read.design) << read.error.message;
    EXPECT_EQ(read.design->breaks, (std::vector<section::ChainBreak>{{1100, 1080}}));
    EXPECT_FALSE(readRoadDesignFile("\x01\x02\x00\x03", fromGbk).design);
    EXPECT_TRUE(readRoadDesignFile("\xB0\xB1\n", fromGbk).error.message.find("道路设计文件") !=
                std::string::npos);
}

// Designs of every table, some rows with ranges between rows without, values
// of any precision and sign, heights and radii left out now and then.
RoadDesign randomDesign(std::mt19937_64& random) {
    std::uniform_real_distribution<double> any(-2000, 2000);
    const auto count = [&] { return random() % 4 == 0 ? 0 : 1 + int(random() % 5); };
    const auto maybe = [&]() -> std::optional<double> {
        if (random() % 3 == 0) return std::nullopt;
        return any(random);
    };
    const auto side = [&] { return random() % 2 ? RoadSide::Left : RoadSide::Right; };
    const auto range = [&](int k) -> std::optional<StationRange> {
        if (random() % 2) return std::nullopt;
        return StationRange{1000.0 * k, 1000.0 * k + any(random) / 20 + 100};  // apart
    };
    const auto berm = [&] { return random() % 2 ? 0.0 : any(random); };
    RoadDesign d;
    for (int k = count(); k > 0; --k) d.profile.push_back({any(random), any(random), maybe()});
    for (int k = count(); k > 0; --k)
        d.plates.push_back({any(random), side(), any(random), any(random) / 1e7});
    for (int k = count(); k > 0; --k)
        d.slopes.push_back({range(k), side(), random() % 2 ? SlopeKind::Fill : SlopeKind::Cut,
                            any(random), maybe(), berm(), berm()});
    for (int k = count(); k > 0; --k)
        d.ditches.push_back({range(k + 10), side(), any(random), any(random), 0, any(random)});
    for (int k = count(); k > 0; --k) d.breaks.push_back({any(random) * 1e9, any(random)});
    const auto six = [&] {
        section::ClassFigures figures{};
        for (double& figure : figures) figure = random() % 3 == 0 ? 0.0 : any(random);
        return figures;
    };
    for (int k = count(); k > 0; --k) d.soilClasses.push_back({{any(random), any(random)}, six()});
    if (random() % 2) d.factors = six();
    // Names as a spreadsheet may hold them: with separators, quotes and blanks inside.
    const std::string names[] = {"小桥", "", "1-4×3m \"涵洞\", 左\t侧", "隧道 2"};
    for (int k = count(); k > 0; --k)
        d.structures.push_back({{any(random), any(random)}, names[random() % 4]});
    if (random() % 2) d.haul = section::HaulDistances{any(random), maybe()};
    return d;
}

TEST(RoadDesignFile, any_design_written_reads_back_exactly) {
    std::mt19937_64 random(32);
    for (int round = 0; round < 300; ++round) {
        const RoadDesign design = randomDesign(random);
        const std::string text = writeRoadDesign(design);
        const RoadDesignRead back = readRoadDesign(text);
        ASSERT_TRUE(back.design) << back.error.message << "\n" << text;
        EXPECT_EQ(*back.design, design) << text;
        EXPECT_EQ(back.lines[DesignTable::Slopes].size(), design.slopes.size());
    }
    EXPECT_EQ(writeRoadDesign({}), "\xEF\xBB\xBF");
}

TEST(RoadDesignFile, a_fault_names_its_line_column_table_and_column_name) {
    const struct {
        const char* name;
        std::string text;
        std::string message;
    } rows[] = {
        {"a comma in a number", "[路幅]\n桩号,侧,宽度,横坡\nK0+000,左,\"3,75\",-2\n",
         "第 3 行第 3 列（[路幅] 的“宽度”）：“3,75”不是数，请写成 3.75 这样的数"},
        {"a bad station", "[断链]\n断前桩号,断后桩号\nK1+100,K1x080\n",
         "第 3 行第 2 列（[断链] 的“断后桩号”）：“K1x080”不是桩号"},
        {"an empty cell that must hold a value", "[纵断面]\n桩号,高程,竖曲线半径\nK0+000,,\n",
         "第 3 行第 2 列（[纵断面] 的“高程”）：这一格不能空"},
        {"a side word", "[边沟]\n侧,内坡率,沟深,沟底宽,外坡率\n上,1,0.6,0.4,1\n",
         "第 3 行第 1 列（[边沟] 的“侧”）：“上”不是侧，请写“左”或“右”"},
        {"a kind word", "[边坡]\n侧,类型,坡率,高度,平台宽,平台横坡\n左,填方,1.5,,,\n",
         "第 3 行第 2 列（[边坡] 的“类型”）：“填方”不是类型，请写“填”或“挖”"},
        {"an unknown table", "[纵断面]\n桩号,高程,竖曲线半径\n[路面]\n",
         "第 3 行第 1 列：“[路面]”不是道路设计的表名，应为 [纵断面]、[路幅]、[边坡]、[边沟]、"
         "[断链]、[土石分类]、[换算系数]、[构造物] 或 [运距]"},
        {"a share that is no number",
         "[土石分类]\n起点桩号,终点桩号,Ⅰ,Ⅱ,Ⅲ,Ⅳ,Ⅴ,Ⅵ\n0,450,0,3O,,70,,\n",
         "第 3 行第 4 列（[土石分类] 的“Ⅱ”）：“3O”不是数"},
        {"a class header of another class", "[土石分类]\n起点桩号,终点桩号,Ⅰ,III,Ⅲ,Ⅳ,Ⅴ,Ⅵ\n",
         "第 2 行第 4 列（[土石分类] 的表头）：“III”不是这一列的表头，应为“Ⅱ”"},
        {"a factor left empty", "[换算系数]\nⅠ,Ⅱ,Ⅲ,Ⅳ,Ⅴ,Ⅵ\n1.23,1.16,1.09,,0.92,0.92\n",
         "第 3 行第 4 列（[换算系数] 的“Ⅳ”）：这一格不能空"},
        {"a second row of factors",
         "[换算系数]\nⅠ,Ⅱ,Ⅲ,Ⅳ,Ⅴ,Ⅵ\n1,1,1,1,1,1\n\n[换算系数]\nⅠ,Ⅱ,Ⅲ,Ⅳ,Ⅴ,Ⅵ\n2,1,1,1,1,1\n",
         "第 7 行第 1 列（[换算系数]）：这张表只有一行数据，第 3 行已经给出"},
        {"a second row of haul distances", "[运距]\n免费运距,经济运距\n20,\n40,500\n",
         "第 4 行第 1 列（[运距]）：这张表只有一行数据，第 3 行已经给出"},
        {"a free haul left empty", "[运距]\n免费运距,经济运距\n,500\n",
         "第 3 行第 1 列（[运距] 的“免费运距”）：这一格不能空"},
        {"a structure's bad station", "[构造物]\n起点桩号,终点桩号,名称\nK0+480,K0+52O,小桥\n",
         "第 3 行第 2 列（[构造物] 的“终点桩号”）：“K0+52O”不是桩号"},
        {"a structure's cell beyond its name",
         "[构造物]\n起点桩号,终点桩号,名称\n480,520,小桥,左\n",
         "第 3 行第 4 列（[构造物]）：“左”是多余的数据，这张表只有 3 列"},
        {"a row before any title", "\n桩号,高程,竖曲线半径\n",
         "第 2 行第 1 列：这一行之前没有表名"},
        {"a title without its header", "[断链]\n[路幅]\n",
         "第 1 行第 1 列（[断链]）：表名下面没有表头，应为“断前桩号,断后桩号”"},
        {"a header column missing", "[路幅]\n桩号,侧,宽度\n",
         "第 2 行第 4 列（[路幅] 的表头）：没有这一列的表头，应为“横坡”"},
        {"an unknown header column", "[边沟]\n起点桩号,终点桩号,侧,内坡率,深,沟底宽,外坡率\n",
         "第 2 行第 5 列（[边沟] 的表头）：“深”不是这一列的表头，应为“沟深”"},
        {"a cell beyond the table", "[断链]\n断前桩号,断后桩号\n1100,1080,1\n",
         "第 3 行第 3 列（[断链]）：“1”是多余的数据，这张表只有 2 列"},
        {"too many cells", "[断链]\n断前桩号,断后桩号\n1" + std::string(20, ',') + "\n",
         "第 3 行第 17 列（[断链]）：这一行的列数太多"},
        {"a range ending before it starts",
         "[边坡]\n起点桩号,终点桩号,侧,类型,坡率,高度,平台宽,平台横坡\n200,100,左,填,1.5,,,\n",
         "第 3 行第 2 列（[边坡] 的“终点桩号”）：“100”在起点桩号“200”之前"},
        {"ranges of one side and kind that overlap",
         "[边坡]\n起点桩号,终点桩号,侧,类型,坡率,高度,平台宽,平台横坡\n"
         "0,100,左,填,1.5,,,\n100,200,左,填,1.5,,,\n100,200,右,填,1.5,,,\n"
         "0,100,左,挖,1.5,,,\n[边坡]\n起点桩号,终点桩号,侧,类型,坡率,高度,平台宽,平台横坡\n"
         "150,300,左,填,1,,,\n",
         "第 9 行第 1 列（[边坡] 的“起点桩号”）：这一行的桩号范围与第 4 行的范围重叠，"
         "左侧填方的边坡在一处只能有一种"},
    };
    for (const auto& row : rows) {
        const RoadDesignRead read = readRoadDesign(row.text);
        EXPECT_FALSE(read.design) << row.name;
        EXPECT_TRUE(read.error.message.starts_with(row.message))
            << row.name << ": " << read.error.message;
    }
    // Line numbers go on from the lines before, as in a survey file.
    EXPECT_EQ(readRoadDesign("[断链]\n断前桩号,断后桩号\n1,x\n", 10).error.line, 13);
}

TEST(RoadDesignFile, a_fault_of_the_design_names_the_rows_line_and_column) {
    const RoadDesignRead read = readRoadDesign(kExample);
    ASSERT_TRUE(read.design);
    EXPECT_EQ(designFaultText({DesignTable::Slopes, 3, 4, "坡率应大于 0"}, read.lines),
              "第 21 行第 5 列（[边坡] 的“坡率”）：坡率应大于 0");
    EXPECT_EQ(designFaultText({DesignTable::Slopes, 1, 2, "坡率应大于 0"}, read.lines),
              "第 14 行第 3 列（[边坡] 的“坡率”）：坡率应大于 0");
    EXPECT_EQ(designFaultText({DesignTable::Profile, 1, -1, "两条竖曲线重叠", 2}, read.lines),
              "第 4 行（[纵断面]）：两条竖曲线重叠（另见第 5 行）");
    // A design typed in the window has no lines.
    EXPECT_EQ(designFaultText({DesignTable::Plates, 0, 2, "宽度不能为负"}, {}),
              "[路幅] 的第 1 行第 3 列（“宽度”）：宽度不能为负");
}

}  // namespace
}  // namespace survey_file
