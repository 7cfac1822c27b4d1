// SPDX-License-Identifier: GPL-3.0-or-later
// The road design's tables as the editor shows and reads their cells.
#include "window/design/design_rows.h"

#include <gtest/gtest.h>

namespace window {
namespace {

using section::DesignTable;

section::RoadDesign example() {
    using section::RoadSide;
    using section::SlopeKind;
    section::RoadDesign design;
    design.profile = {{0, 100, {}}, {300, 106, 3000}, {700, 102, {}}};
    design.plates = {{0, RoadSide::Left, 3.75, -2}, {0, RoadSide::Right, 3.75, -2}};
    design.slopes = {{{}, RoadSide::Left, SlopeKind::Fill, 1.5, 8, 2, -3},
                     {section::StationRange{100, 200}, RoadSide::Right, SlopeKind::Cut, 0.75}};
    design.ditches = {{{}, RoadSide::Left, 1, 0.6, 0.4, 1}};
    design.breaks = {{1100, 1080}};
    design.soilClasses = {{{0, 450}, {0, 30, 0, 70, 0, 0}}};
    design.structures = {{{480, 520}, "小桥"}};
    return design;
}

// Each cell typed reads back as shown: stations in K notation whichever way
// typed, sides and kinds in words, an optional value left empty, a berm's
// empty width 0 as the file reads it.
TEST(DesignRows, show_a_typed_cell_as_the_file_writes_it) {
    struct Row {
        DesignTable table;
        int row, column;
        const char* typed;
        const char* shown;
    };
    const Row rows[] = {
        {DesignTable::Profile, 1, 0, "K0+350.5", "K0+350.500"},
        {DesignTable::Profile, 1, 0, "350.5", "K0+350.500"},
        {DesignTable::Profile, 1, 1, " 107.25 ", "107.25"},
        {DesignTable::Profile, 1, 2, "", ""},
        {DesignTable::Plates, 0, 1, "右", "右"},
        {DesignTable::Plates, 1, 3, "4", "4"},
        {DesignTable::Slopes, 0, 3, "挖", "挖"},
        {DesignTable::Slopes, 0, 0, "K0+050", "K0+050.000"},
        {DesignTable::Slopes, 0, 1, "K0+050", "K0+050.000"},
        {DesignTable::Slopes, 1, 1, "", ""},
        {DesignTable::Slopes, 1, 5, "12", "12"},
        {DesignTable::Slopes, 0, 6, "", "0"},
        {DesignTable::Ditches, 0, 5, "0", "0"},
        {DesignTable::Breaks, 0, 1, "K1+090", "K1+090.000"},
        {DesignTable::SoilClasses, 0, 1, "K0+400", "K0+400.000"},
        {DesignTable::SoilClasses, 0, 5, "40", "40"},
        {DesignTable::SoilClasses, 0, 2, "", "0"},
        {DesignTable::Factors, 0, 5, "0.9", "0.9"},
        {DesignTable::Structures, 0, 2, " 中桥 ", "中桥"},
        {DesignTable::Structures, 0, 2, "", ""},
        {DesignTable::Haul, 0, 0, "25", "25"},
        {DesignTable::Haul, 0, 1, "", ""},
    };
    for (const Row& row : rows) {
        section::RoadDesign design = example();
        EXPECT_EQ(setDesignCell(design, row.table, row.row, row.column, row.typed), "")
            << row.typed;
        EXPECT_EQ(designCellText(design, row.table, row.row, row.column),
                  QString::fromUtf8(row.shown))
            << row.typed;
    }
}

TEST(DesignRows, refuse_a_cell_in_the_files_words_leaving_the_design_as_it_was) {
    struct Row {
        DesignTable table;
        int column;
        const char* typed;
        const char* why;
    };
    const Row rows[] = {
        {DesignTable::Profile, 1, "1O6", "“1O6”不是有效的高程"},
        {DesignTable::Profile, 0, "K0+3x", "“K0+3x”不是有效的桩号"},
        {DesignTable::Plates, 2, "", "没有宽度"},
        {DesignTable::Plates, 1, "中", "“中”不是有效的侧：应为“左”或“右”"},
        {DesignTable::Slopes, 3, "", "没有类型：应为“填”或“挖”"},
        {DesignTable::Slopes, 5, "高", "“高”不是有效的高度"},
        {DesignTable::SoilClasses, 3, "3O", "“3O”不是有效的Ⅱ"},
        {DesignTable::SoilClasses, 0, "", "没有起点桩号"},
        {DesignTable::Factors, 2, "", "没有Ⅲ"},
        {DesignTable::Haul, 0, "", "没有免费运距"},
    };
    for (const Row& row : rows) {
        section::RoadDesign design = example();
        EXPECT_EQ(setDesignCell(design, row.table, 0, row.column, row.typed), row.why);
        section::RoadDesign unchanged = example();
        // A refused cell's row keeps every other value; the caller drops the copy.
        EXPECT_EQ(designRowCount(design, row.table), designRowCount(unchanged, row.table));
    }
}

// A cell typed one row past the last adds a row that goes on from the last.
TEST(DesignRows, add_a_row_past_the_last_going_on_from_it) {
    section::RoadDesign design = example();
    EXPECT_EQ(setDesignCell(design, DesignTable::Profile, 3, 1, "99"), "");
    EXPECT_EQ(design.profile.back(), (section::GradePoint{800, 99, {}}));
    EXPECT_EQ(setDesignCell(design, DesignTable::Plates, 2, 2, "0.75"), "");
    EXPECT_EQ(design.plates.back(), (section::PlateRow{0, section::RoadSide::Right, 0.75, -2}));
    section::RoadDesign empty;
    EXPECT_EQ(setDesignCell(empty, DesignTable::Ditches, 0, 2, "右"), "");
    EXPECT_EQ(empty.ditches,
              (std::vector<section::DitchRow>{{{}, section::RoadSide::Right, 1, 0.6, 0.4, 1}}));
}

// 换算系数 and 运距 are one row each, their defaults until changed; ranges of
// 土石分类 and 构造物 go on from the last one's end, so that none overlaps.
TEST(DesignRows, show_one_row_of_defaults_and_go_on_from_the_last_range) {
    section::RoadDesign design = example();
    EXPECT_EQ(designRowCount(design, DesignTable::Factors), 1);
    EXPECT_TRUE(designShowsDefaults(design, DesignTable::Factors));
    EXPECT_EQ(designCellText(design, DesignTable::Factors, 0, 0), "1.23");
    EXPECT_EQ(designCellText(design, DesignTable::Haul, 0, 0), "20");
    EXPECT_EQ(setDesignCell(design, DesignTable::Factors, 0, 1, "1.2"), "");
    EXPECT_EQ(design.factors, (section::ClassFigures{1.23, 1.2, 1.09, 0.92, 0.92, 0.92}));
    EXPECT_FALSE(designShowsDefaults(design, DesignTable::Factors));
    EXPECT_EQ(setDesignCell(design, DesignTable::Factors, 1, 1, "1.2"), "换算系数表只有一行");
    insertDesignRow(design, DesignTable::Factors, 0);
    EXPECT_EQ(designRowCount(design, DesignTable::Factors), 1);
    removeDesignRows(design, DesignTable::Factors, {0});
    EXPECT_FALSE(design.factors);
    EXPECT_EQ(setDesignCell(design, DesignTable::Haul, 0, 1, "300"), "");
    EXPECT_EQ(design.haul, (section::HaulDistances{20, 300.0}));

    EXPECT_EQ(setDesignCell(design, DesignTable::SoilClasses, 1, 7, "10"), "");
    EXPECT_EQ(design.soilClasses[1], (section::SoilClassRow{{450, 550}, {0, 30, 0, 70, 0, 10}}));
    section::RoadDesign empty;
    EXPECT_EQ(setDesignCell(empty, DesignTable::SoilClasses, 0, 1, "K0+200"), "");
    EXPECT_EQ(empty.soilClasses,
              (std::vector<section::SoilClassRow>{{{0, 200}, {0, 100, 0, 0, 0, 0}}}));
    // A start typed past the end takes the end along, for the end to be typed next.
    EXPECT_EQ(setDesignCell(empty, DesignTable::Structures, 0, 0, "K0+480"), "");
    EXPECT_EQ(empty.structures, (std::vector<section::StructureRow>{{{480, 480}, ""}}));
}

TEST(DesignRows, put_a_grade_point_in_halfway_on_the_grade_and_take_rows_out) {
    section::RoadDesign design = example();
    insertDesignRow(design, DesignTable::Profile, 0);
    EXPECT_EQ(design.profile[1], (section::GradePoint{150, 103, {}}));
    insertDesignRow(design, DesignTable::Plates, 1);
    EXPECT_EQ(design.plates[2], design.plates[1]);
    removeDesignRows(design, DesignTable::Profile, {1, 3, 1});
    EXPECT_EQ(design.profile,
              (std::vector<section::GradePoint>{example().profile[0], example().profile[1]}));
}

// A fault's column counts the range columns only on rows that have a range;
// the editor always shows them.
TEST(DesignRows, place_a_faults_column_among_the_editors_columns) {
    const section::RoadDesign design = example();
    using section::DesignFault;
    EXPECT_EQ(faultColumn(design, DesignFault{DesignTable::Slopes, 0, 2, {}}), 4);
    EXPECT_EQ(faultColumn(design, DesignFault{DesignTable::Slopes, 1, 4, {}}), 4);
    EXPECT_EQ(faultColumn(design, DesignFault{DesignTable::Ditches, 0, 0, {}}), 2);
    EXPECT_EQ(faultColumn(design, DesignFault{DesignTable::Profile, 2, 2, {}}), 2);
    EXPECT_EQ(faultColumn(design, DesignFault{DesignTable::Plates, 1, -1, {}}), -1);
    EXPECT_EQ(faultColumn(design, DesignFault{DesignTable::SoilClasses, 0, 1, {}}), 1);
}

}  // namespace
}  // namespace window
