// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/line_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printed_sheet.h"

namespace printout {

std::ostream& operator<<(std::ostream& out, const PlacedText& placed) {
    return out << "{line " << placed.line << ", column " << placed.column << ", \"" << placed.text
               << "\"}";
}

namespace {

// East-Asian width: ASCII one column, a Chinese character two, as in a Song
// face with half-width Latin letters.
double eastAsianWidth(std::string_view text) {
    double columns = 0;
    for (unsigned char byte : text) {
        if (byte < 0x80)
            columns += 1;  // ASCII
        else if (byte >= 0xE0)
            columns += 2;  // lead byte of a three-byte (CJK) character
    }
    return columns;
}

const std::string k17 = "102.350/-3.500012";   // 17 characters
const std::string k18 = "1102.350/-3.500012";  // 18 characters

struct LayoutRow {
    const char* name;
    PrintLine items;
    std::vector<PlacedText> texts;
    int lineCount;
};

// The row's name stands for it in test names and messages.
void PrintTo(const LayoutRow& row, std::ostream* out) {
    *out << row.name;
}

class LineLayoutRules : public testing::TestWithParam<LayoutRow> {};

TEST_P(LineLayoutRules, PlacesEveryTextAtItsLineAndColumn) {
    const LayoutRow& row = GetParam();
    const LineLayout layout = layoutLine(row.items, eastAsianWidth);
    EXPECT_EQ(layout.texts, row.texts);
    EXPECT_EQ(layout.lineCount, row.lineCount);
}

INSTANTIATE_TEST_SUITE_P(
    , LineLayoutRules,
    testing::Values(
        LayoutRow{"no_items_make_one_empty_line", {}, {}, 1},
        LayoutRow{
            "a_text_without_a_column_stop_starts_at_column_1", {Text{"DL="}}, {{0, 1, "DL="}}, 1},
        LayoutRow{"texts_follow_each_other_without_a_blank",
                  {ColumnStop{24}, Text{"DL="}, Text{"20.000"}},
                  {{0, 24, "DL="}, {0, 27, "20.000"}},
                  1},
        LayoutRow{"a_number_gets_a_blank_on_each_side",
                  {ColumnStop{24}, Text{"S("}, Number{12}, Text{")="}},
                  {{0, 24, "S("}, {0, 26, " 12 "}, {0, 30, ")="}},
                  1},
        LayoutRow{"a_negative_number_has_its_sign_in_place_of_the_front_blank",
                  {Text{"D("}, Number{-3}, Text{")"}},
                  {{0, 1, "D("}, {0, 3, "-3 "}, {0, 6, ")"}},
                  1},
        LayoutRow{"chinese_characters_take_two_columns",
                  {ColumnStop{12}, Text{"( 第 1 号断面 ) :"}, ColumnStop{29}, Text{"x"}},
                  {{0, 12, "( 第 1 号断面 ) :"}, {0, 29, "x"}},
                  1},
        LayoutRow{"a_text_of_exactly_17_characters_keeps_the_next_point_on_the_line",
                  {ColumnStop{12}, Text{k17}, ColumnStop{29}, Text{"x"}},
                  {{0, 12, k17}, {0, 29, "x"}},
                  1},
        LayoutRow{"a_text_of_18_characters_sends_the_next_point_to_the_next_line",
                  {ColumnStop{12}, Text{k18}, ColumnStop{29}, Text{"x"}, ColumnStop{46}, Text{"y"}},
                  {{0, 12, k18}, {1, 29, "x"}, {1, 46, "y"}},
                  2},
        LayoutRow{"a_column_stop_left_of_the_position_goes_to_the_next_line",
                  {ColumnStop{20}, Text{"abc"}, ColumnStop{10}, Text{"d"}},
                  {{0, 20, "abc"}, {1, 10, "d"}},
                  2},
        LayoutRow{"every_overflow_starts_one_more_line",
                  {ColumnStop{5}, Text{k18}, ColumnStop{5}, Text{k18}, ColumnStop{5}},
                  {{0, 5, k18}, {1, 5, k18}},
                  3}),
    [](const testing::TestParamInfo<LayoutRow>& info) { return info.param.name; });

TEST(LineLayout, TakesAPositionPastAColumnByARoundingErrorAsAtTheColumn) {
    const auto measuredWidth = [](std::string_view text) { return text.size() * (1 + 1e-12); };
    const LineLayout layout =
        layoutLine({ColumnStop{12}, Text{k17}, ColumnStop{29}}, measuredWidth);
    EXPECT_EQ(layout.lineCount, 1);
}

}  // namespace
}  // namespace printout
