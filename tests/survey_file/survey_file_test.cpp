// SPDX-License-Identifier: GPL-3.0-or-later
// Survey files against the dialogue: the same data typed, written by hand or
// saved by the program give the same record; every kind of fault in a file
// gets a message naming its line, column and cell.

#include "survey_file/survey_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "../dialogue/scripted_ui.h"
#include "dialogue/asking.h"
#include "dialogue/run.h"
#include "read_parts.h"
#include "runtime/number_text.h"
#include "section/calculation.h"
#include "survey_file/cells.h"

namespace {

using section::SectionSurvey;
using section::testing::point;
using section::testing::script;
using section::testing::ScriptedUi;

SectionSurvey typed(std::vector<std::optional<std::string>> answers) {
    ScriptedUi ui(std::move(answers));
    SectionSurvey record;
    EXPECT_EQ(section::runCalculation(ui, record), section::CalculationEnd::Finished);
    EXPECT_TRUE(ui.allAnswersUsed());
    return record;
}

SectionSurvey opened(std::string_view text) {
    survey_file::SurveyRead result = survey_file::readSurvey(text);
    EXPECT_TRUE(closedOf(result)) << result.error.message;
    if (!closedOf(result)) return {};
    EXPECT_TRUE(section::calculateSurvey(*closedOf(result)));
    return *closedOf(result);
}

// Two sections at K1+000 and K1+020.5: a triangle and a wider one.
SectionSurvey typedWithStations() {
    return typed(script({{"2", "y", "1000", "3", "1020.5", "4"},
                         point("50", "2"),
                         point("51", "0"),
                         point("50", "-2"),
                         point("52", "0"),
                         point("52", "3"),
                         point("50", "-3"),
                         point("49.75", "0.0625"),
                         {""}}));
}

TEST(SurveyFile, written_by_hand_saved_or_typed_the_data_give_the_same_record) {
    const SectionSurvey expected = typedWithStations();
    EXPECT_EQ(opened("桩号,高程H,距离S\n"
                     "K1+000.000,50,2\nK1+000.000,51,0\nK1+000.000,50,-2\n"
                     "1020.5,52,0\n1020.5,52,3\nK1+20.5,50,-3\n1020.5,49.75,0.0625\n"),
              expected);
    // A copy from a spreadsheet: tabs, CRLF, blanks, a comment, a blank line,
    // full-width digits and quotes.
    EXPECT_EQ(opened("\xEF\xBB\xBF桩号 \t 高程 H\tS\r\n# 第一个断面\r\n1000\t50\t２\r\n"
                     "1000\t51\t0\r\n\r\n1000\t50\t－2\r\n\"K1+020.500\"\t52\t0\r\n"
                     "1020.5\t52\t3\r\n1020.5\t50\t-3\r\n1020.5\t49.75\t0.0625\r\n"),
              expected);
    EXPECT_EQ(opened(survey_file::writeSurvey(expected)), expected);
}

TEST(SurveyFile, numbered_sections_carry_their_spacings_and_may_have_no_points) {
    const SectionSurvey expected = typed(script({{"3", "n", "2", "0", "1"},
                                                 point("10", "0"),
                                                 point("10", "4"),
                                                 point("8", "0"),
                                                 {"20", "", "12.5", "", "", ""}}));
    EXPECT_EQ(opened("断面,高程H,距离S,间距DL\n1,10,0,20\n1,10,4,\n2,,,12.5\n3,8,0,\n"), expected);
    EXPECT_EQ(opened(survey_file::writeSurvey(expected)), expected);
}

TEST(SurveyFile, saves_utf8_with_bom_crlf_and_shortest_numbers_that_read_back) {
    SectionSurvey survey = typed(script({{"1", "Y", "999.9996", "1"}, point("1e-7", "-3e20")}));
    const std::string file = survey_file::writeSurvey(survey);
    EXPECT_EQ(file, "\xEF\xBB\xBF桩号,高程H,距离S\r\n999.9996,1e-07,-3e+20\r\n");
    const SectionSurvey back = opened(file);
    EXPECT_EQ(back.stationAnswer(), "y");  // typed "Y"
    EXPECT_EQ(back.stations(1), survey.stations(1));
    EXPECT_EQ(back.elevations(1, 1), survey.elevations(1, 1));
    EXPECT_EQ(back.offsets(1, 1), survey.offsets(1, 1));
}

struct FaultRow {
    const char* name;
    std::string file;
    std::string message;
};

void PrintTo(const FaultRow& row, std::ostream* out) {
    *out << row.name;
}

class FaultyFile : public testing::TestWithParam<FaultRow> {};

TEST_P(FaultyFile, opens_nothing_and_names_line_column_and_cell) {
    const survey_file::SurveyRead result = survey_file::readSurvey(GetParam().file);
    EXPECT_FALSE(result.survey);
    EXPECT_EQ(result.error.message, GetParam().message);
}

const std::string kStations = "桩号,高程H,距离S\n";
const std::string kNumbered = "断面,高程H,距离S,间距DL\n";

INSTANTIATE_TEST_SUITE_P(
    , FaultyFile,
    testing::Values(
        FaultRow{"letter_O_for_a_zero", kStations + "1000,1,0\n1000,2,1\n1000,1,2\n1020,1O.5,0\n",
                 "第 5 行第 2 列“1O.5”不是有效的高程"},
        FaultRow{"empty_file", "",
                 "文件中没有数据：第一行应为表头“桩号,高程H,距离S”或“断面,高程H,距离S,间距DL”"},
        FaultRow{"header_only", "# 注释\n" + kStations, "文件中只有表头，没有断面数据"},
        FaultRow{"unknown_header", "里程,H,S\n1,2,3\n",
                 "第 1 行第 1 列“里程”不是有效的表头，应为“桩号”或“断面”"},
        FaultRow{"missing_distance_header", "桩号,H\n", "第 1 行第 3 列没有表头，应为“距离S”或“S”"},
        FaultRow{"spacing_column_with_stations", "桩号,H,S,DL\n", "第 1 行第 4 列“DL”是多余的数据"},
        FaultRow{"missing_distance", kStations + "1000,1,\n", "第 2 行第 3 列没有距离"},
        FaultRow{"distance_out_of_range", kStations + "1000,1,4e38\n",
                 "第 2 行第 3 列“4e38”超出了允许的范围（绝对值不超过 3.4E+38）"},
        FaultRow{"bad_station", kStations + "K1-020,1,2\n", "第 2 行第 1 列“K1-020”不是有效的桩号"},
        FaultRow{"metres_of_a_station_past_999", kStations + "K1+1020,1,2\n",
                 "第 2 行第 1 列“K1+1020”不是有效的桩号"},
        FaultRow{"no_station", kStations + ",1,2\n", "第 2 行第 1 列没有桩号"},
        FaultRow{"a_pointless_row_among_points", kStations + "1000,1,2\n1000,,\n",
                 "第 3 行第 2 列没有高程"},
        FaultRow{"an_extra_cell", kStations + "1000,1,2,3\n", "第 2 行第 4 列“3”是多余的数据"},
        FaultRow{"numbers_out_of_order", kNumbered + "1,1,2,10\n3,1,2,\n",
                 "第 3 行第 1 列“3”不是下一个断面的编号：断面应按 1、2、3……的顺序编号，这里应为 2"},
        FaultRow{"missing_spacing", kNumbered + "1,1,2,\n2,1,2,\n",
                 "第 2 行第 4 列：第 1 号断面没有到第 2 号断面的间距 DL"},
        FaultRow{
            "two_spacings", kNumbered + "1,1,2,10\n1,1,3,12\n2,1,2,\n",
            "第 3 行第 4 列“12”与第 2 行给出的第 1 号断面的间距“10”不同，每个断面只能有一个间距"},
        FaultRow{"spacing_after_the_last_section", kNumbered + "1,1,2,10\n2,1,2,5\n",
                 "第 3 行第 4 列“5”：第 2 号断面是最后一个断面，后面没有断面，不应有间距"},
        FaultRow{"long_cell_quoted_short", kStations + "1000," + std::string(40, 'x') + ",2\n",
                 "第 2 行第 2 列“" + std::string(30, 'x') + "…”不是有效的高程"}),
    [](const testing::TestParamInfo<FaultRow>& info) { return info.param.name; });

// The fast path for plain decimals gives exactly what the prompts give.
TEST(SurveyFile, reads_cells_exactly_as_the_prompts_read_answers) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> digits(1, 18), digit(0, 9), coin(0, 1);
    for (int k = 0; k < 200000; ++k) {
        std::string text = coin(random) ? "-" : "";
        const int count = digits(random);
        const int point = std::uniform_int_distribution<int>(0, count)(random);
        for (int d = 0; d < count; ++d) {
            if (d == point) text += '.';
            text += char('0' + digit(random));
        }
        const survey_file::CellNumber cell = survey_file::readFloat(text);
        const std::optional<double> typed = runtime::textToValue(text);
        ASSERT_TRUE(typed) << text;
        ASSERT_EQ(cell.fault, survey_file::CellNumber::Fault::None) << text;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(cell.value), std::bit_cast<std::uint64_t>(*typed))
            << text;
    }
}

TEST(SurveyFile, reads_stations_as_the_station_prompt_does) {
    for (const char* text :
         {"K0+100", "K1+20.5", "k12+345.678", "K-1+-234.5", "K-1+020.5", "K-0+010", "1020.5",
          "\xEF\xBC\xAB\xEF\xBC\x91+020.5", " K2+000.001 ", "ZK1+020", "yk0+5", "DK12+345.6",
          "0+000", " -0+010 ", "ABC2+1", "1e+3"}) {
        std::optional<std::string> prefix;
        const survey_file::CellNumber cell =
            survey_file::readStation(survey_file::trimBlanks(text), &prefix);
        ASSERT_EQ(cell.fault, survey_file::CellNumber::Fault::None) << text;
        section::testing::ScriptedUi ui({text});
        // In metres the prompt keeps the letters of the section before.
        const section::TypedStation typed = section::askStation(
            ui, {.kind = section::PromptKind::Station, .text = "请输入2号断面的桩号 :"}, "YK");
        EXPECT_EQ(typed.metres, cell.value) << text;
        EXPECT_EQ(typed.prefix, prefix.value_or("YK")) << text;
        EXPECT_TRUE(ui.errors().empty()) << text;
    }
    // A bad one: the message any bad value gets, then the prompt again.
    for (const char* text : {"K1+1000", "K1", "K+5", "Kx", "ABCD1+000", "ZK1+", "1+1000"}) {
        EXPECT_EQ(survey_file::readStation(text).fault, survey_file::CellNumber::Fault::NotANumber);
        section::testing::ScriptedUi ui({text, section::testing::kCancel});
        EXPECT_THROW(section::askStation(ui, {.kind = section::PromptKind::Station,
                                              .text = "请输入1号断面的桩号 :"}),
                     section::CalculationCancelled);
        ASSERT_EQ(ui.errors().size(), 1u);
        EXPECT_EQ(ui.errors()[0], "“" + std::string(text) +
                                      "”不是有效的桩号。请输入以米为单位的数值，例如 12.345。");
    }
}

// Most rows are read in one pass; a blank before each separator sends every
// row through the cells instead. Both ways read the same survey, or fail with
// the same message.
TEST(SurveyFile, plain_rows_read_as_rows_split_into_cells) {
    std::string tooMany = kStations;
    for (int k = 0; k <= section::kMostPoints; ++k) tooMany += "1000,1,2\n";
    const std::string rows[] = {
        kStations + "1000,102.345,-19.92\n1000,-.5,5.\n1000,-0,0\n1020,1,2\n1020,3,4\n",
        kStations + "1000,1,2\n1000.0,3,4\n1000.0,5,6\nK1+020,1,2\nK1+020,2,3\n",
        "桩号\tH\tS\r\n1000\t1\t2\r\n1000\t3\t4\r\n1000\t5\t6,7\r\n",
        kStations + "1000,1,2\n1000,1234567890.1234567,2\n1000,1e2,3\n",
        kStations + "1000,1,2\n1000,1.2.3,4\n",
        kStations + "1000,1,2\n1000,-,4\n",
        kStations + "1000,1,2\n1000,1,2x\n",
        kStations + "1000,1,2\n1000,1,2,\n1000,1,\n",
        kStations + "1000,1,2\n1000,1,2,3\n",
        kStations + "1000,,\n1000,1,2\n",
        kStations + "1000,1,2\n1000,,\n",
        kStations + "\"1000\",1,2\n1000,3,4\n\"1000\",5,6\n",
        kNumbered + "1,10,0,20\n1,10,4\n2,,,12.5\n3,8,0,\n3,8,1\n",
        // Line ends: none at the end, a CR at the end, a CR too many, a comment after.
        kStations + "1000,1,2\r\n1000,3,4",
        kStations + "1000,1,2\r\n1000,3,4\r",
        kStations + "1000,1,2\r\n1000,3,4\r\r\n1000,5,6\r\n",
        kStations + "1000,1,2\n# 1000,3,4\n1000,5,6\n\n",
        tooMany,
    };
    for (const std::string& text : rows) {
        const char separator = text.find('\t') != std::string::npos ? '\t' : ',';
        std::string padded;
        for (char c : text) padded += c == separator ? std::string(" ") + c : std::string(1, c);
        const survey_file::SurveyRead plain = survey_file::readSurvey(text);
        const survey_file::SurveyRead split = survey_file::readSurvey(padded);
        EXPECT_EQ(plain.survey, split.survey) << text.substr(0, 200);
        EXPECT_EQ(plain.error.message, split.error.message) << text.substr(0, 200);
    }
}

TEST(SurveyFile, tells_utf8_from_other_bytes) {
    EXPECT_TRUE(survey_file::isUtf8("桩号,高程H,距离S\r\n1000,1,2"));
    EXPECT_FALSE(survey_file::isUtf8("\xB6\xCF\xC3\xE6"));  // 断面 in GBK
    EXPECT_FALSE(survey_file::isUtf8("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(survey_file::isUtf8("\xC0\xAF"));          // an overlong "/"
    EXPECT_FALSE(survey_file::isUtf8("12345678\xE6\x96"));  // cut short
}

}  // namespace
