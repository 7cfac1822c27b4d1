// SPDX-License-Identifier: GPL-3.0-or-later
// The workbook opened by a spreadsheet program nobody here wrote: LibreOffice,
// headless, turns it into CSV with its own recalculation of the formulas; it
// must give the table's figures and its 合计, and the 合计 must be SUM formulas.

#include "spreadsheet/quantity_workbook.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "grouped_table.h"
#include "printout/quantity_table.h"
#include "printout/road_table.h"
#include "quantity_surveys.h"
#include "section/any_survey.h"
#include "section/cut_fill_survey.h"

namespace {

namespace fs = std::filesystem;

// A folder of its own for each run, LibreOffice's profile in it.
struct Scratch {
    fs::path folder;
    Scratch() {
        char name[] = "/tmp/velmorin-xlsx-XXXXXX";
        folder = ::mkdtemp(name);
        // Recalculate every formula on load instead of trusting the values
        // stored with them.
        const fs::path profile = folder / "home/.config/libreoffice/4/user";
        fs::create_directories(profile);
        std::ofstream(profile / "registrymodifications.xcu")
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
               "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
               "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
               "<item oor:path=\"/org.openoffice.Office.Calc/Formula/Load\">"
               "<prop oor:name=\"OOXMLRecalcMode\" oor:op=\"fuse\"><value>0</value></prop></item>\n"
               "</oor:items>\n";
    }
    ~Scratch() { fs::remove_all(folder); }
};

bool haveSoffice() {
    return std::system("command -v soffice >/dev/null 2>&1") == 0;
}

using Rows = std::vector<std::vector<std::string>>;

// LibreOffice's CSV of the workbook: UTF-8, cells as shown, or with their
// formulas instead of their values.
Rows converted(const Scratch& scratch, const fs::path& workbook, bool formulas) {
    const fs::path out = scratch.folder / (formulas ? "formulas" : "values");
    const std::string filter = std::string(
                                   "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,"
                                   "true,true,") +
                               (formulas ? "true" : "false");
    const std::string command = "HOME='" + (scratch.folder / "home").string() +
                                "' soffice --headless --convert-to '" + filter + "' --outdir '" +
                                out.string() + "' '" + workbook.string() + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::ifstream csv(out / (workbook.stem().string() + ".csv"));
    Rows rows;
    for (std::string line; std::getline(csv, line);) {
        std::vector<std::string> cells;
        std::stringstream split(line);
        for (std::string cell; std::getline(split, cell, ',');) {
            if (cell.size() >= 2 && cell.front() == '"') cell = cell.substr(1, cell.size() - 2);
            cells.push_back(cell);
        }
        rows.push_back(cells);
    }
    return rows;
}

// The row whose first cell is `key`.
const std::vector<std::string>* rowOf(const Rows& rows, const std::string& key) {
    for (const auto& row : rows) {
        if (!row.empty() && row[0] == key) return &row;
    }
    return nullptr;
}

void expectSameFigures(const printout::QuantityTable& table, const Rows& rows) {
    for (const printout::QuantityPage& page : table.pages) {
        for (const printout::QuantityRow& row : page.rows) {
            const auto* read = rowOf(rows, row.key);
            ASSERT_TRUE(read) << row.key;
            for (std::size_t c = 0; c < row.cells.size(); ++c)
                EXPECT_EQ(c + 1 < read->size() ? (*read)[c + 1] : "", row.cells[c])
                    << row.key << " column " << c + 1;
        }
    }
    const auto* total = rowOf(rows, "合计");
    ASSERT_EQ(total != nullptr, table.summed());
    if (!total) return;
    for (std::size_t c = 0; c < table.total.cells.size(); ++c)
        EXPECT_EQ(c + 1 < total->size() ? (*total)[c + 1] : "", table.total.cells[c]) << c + 1;
}

printout::QuantityTable closedTable() {
    std::mt19937 random(20261208);
    return printout::quantityTable(
        quantity_surveys::closedSurvey(random, 45, false),
        {"某某公路改建工程", "K1+000～K1+440", "张三", "李四", "2026-12-08"});
}

TEST(QuantityWorkbook, libreoffice_reads_the_figures_and_works_out_the_same_totals) {
    if (!haveSoffice()) GTEST_SKIP() << "soffice is not installed";
    const Scratch scratch;
    const printout::QuantityTable table = closedTable();
    const fs::path workbook = scratch.folder / "数量表.xlsx";
    const spreadsheet::WorkbookWritten written =
        spreadsheet::writeQuantityWorkbook(table, workbook.string());
    ASSERT_TRUE(written.ok) << written.errorNumber;

    const Rows values = converted(scratch, workbook, false);
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values[0][0], "土方数量表");
    ASSERT_TRUE(rowOf(values, "工程名称"));
    EXPECT_EQ((*rowOf(values, "工程名称"))[1], "某某公路改建工程");
    EXPECT_EQ((*rowOf(values, "复核"))[1], "李四");
    const auto* head = rowOf(values, "断面");
    ASSERT_TRUE(head);
    EXPECT_EQ((*head)[3], "体积(m³)");
    expectSameFigures(table, values);

    const Rows formulas = converted(scratch, workbook, true);
    const auto* total = rowOf(formulas, "合计");
    ASSERT_TRUE(total);
    // Heading rows 1 to 7, the column heads on row 8, sections on 9 to 53.
    EXPECT_EQ((*total)[2], "=SUM(C9:C53)");
    EXPECT_EQ((*total)[3], "=SUM(D9:D53)");
}

// Rows of 1.0004 shown 1.000 add up to the 11.004 printed, as they would
// not if the workbook held the rounded figures; groups head their columns in
// merged cells; the note comes under the title, the footnote after 合计.
TEST(QuantityWorkbook, unrounded_figures_sum_to_the_printed_total_under_their_groups) {
    if (!haveSoffice()) GTEST_SKIP() << "soffice is not installed";
    const Scratch scratch;
    const printout::QuantityTable table = grouped_table::table();
    const fs::path workbook = scratch.folder / "土石方.xlsx";
    ASSERT_TRUE(spreadsheet::writeQuantityWorkbook(table, workbook.string()).ok);
    const Rows values = converted(scratch, workbook, false);
    ASSERT_GE(values.size(), 2u);
    EXPECT_EQ(values[0][0], table.title);
    EXPECT_EQ(values[1][0], table.note);
    const auto at = [&](const std::string& key) {
        for (std::size_t k = 0; k < values.size(); ++k)
            if (!values[k].empty() && values[k][0] == key) return k;
        return values.size();
    };
    const std::size_t head = at("桩号");
    ASSERT_LT(head + 1, values.size());
    const auto cell = [&](std::size_t row, std::size_t column) {
        return column < values[row].size() ? values[row][column] : std::string();
    };
    // The group over its columns, a column of none over both rows.
    EXPECT_EQ(cell(head, 1), "断面面积");
    EXPECT_EQ(cell(head, 2), "");
    EXPECT_EQ(cell(head + 1, 1), "挖方(m²)");
    EXPECT_EQ(cell(head + 1, 2), "填方(m²)");
    EXPECT_EQ(cell(head, 4), "挖方总数量(m³)");
    EXPECT_EQ(cell(head + 1, 4), "");
    EXPECT_EQ(cell(head, 5), "Ⅰ");
    EXPECT_EQ(cell(head + 1, 5), "%");
    EXPECT_EQ(cell(head + 1, 6), "数量(m³)");
    expectSameFigures(table, values);
    EXPECT_EQ(at(table.footnote), at("合计") + 1);

    const Rows formulas = converted(scratch, workbook, true);
    const auto* total = rowOf(formulas, "合计");
    ASSERT_TRUE(total);
    EXPECT_TRUE((*total)[4].starts_with("=SUM(E")) << (*total)[4];
}

TEST(QuantityWorkbook, cut_and_fill_columns_and_a_section_without_areas) {
    if (!haveSoffice()) GTEST_SKIP() << "soffice is not installed";
    const Scratch scratch;
    section::CutFillSurvey survey;
    survey.stationAnswer = "y";
    const double stations[] = {1000, 1020, 1040.5, 1060};
    for (int i = 0; i < 4; ++i) {
        section::CutFillSection s;
        s.station = stations[i];
        s.spacing = i < 3 ? stations[i + 1] - stations[i] : 0.0;
        if (i != 2) s.areas = section::CutFillAreas{12.5 + i, 3.25 * i};
        // As the calculation leaves them: no volumes next to the section
        // without areas.
        s.cutVolume = i == 0 ? 100.125 : 0.0;
        s.fillVolume = i == 0 ? 20.5 : 0.0;
        survey.sections.push_back(s);
    }
    const printout::QuantityTable table = printout::quantityTable(survey, {});
    const fs::path workbook = scratch.folder / "cut-fill.xlsx";
    ASSERT_TRUE(spreadsheet::writeQuantityWorkbook(table, workbook.string()).ok);
    const Rows values = converted(scratch, workbook, false);
    EXPECT_FALSE(rowOf(values, "工程名称"));
    expectSameFigures(table, values);
    EXPECT_EQ((*rowOf(values, "K1+040.500"))[1], "无");
    EXPECT_EQ((*rowOf(values, "合计"))[4], "100.125");
    EXPECT_EQ((*rowOf(values, "合计"))[5], "20.500");
}

TEST(QuantityWorkbook, the_road_table_has_its_figures_and_sides_and_no_total) {
    if (!haveSoffice()) GTEST_SKIP() << "soffice is not installed";
    const Scratch scratch;
    section::CutFillSurvey survey;
    survey.stationAnswer = "y";
    const section::SideFit fill{section::SlopeKind::Fill, 4.5, 7.25};
    const section::SideFit cut{section::SlopeKind::Cut, 5.25, std::nullopt};
    survey.sections = {{.station = 1000,
                        .ground = {{100.5, -5}, {99.5, 5}},
                        .fit = section::RoadFit{100.0, 101.125, fill, cut}},
                       {.station = 1020, .ground = {{99.5, -5}, {99.5, 5}}}};
    section::ProjectInfo project;
    project.projectName = "某某公路改建工程";
    const printout::QuantityTable table =
        printout::roadTable(section::Survey(std::move(survey)), project);
    const fs::path workbook = scratch.folder / "路基设计表.xlsx";
    ASSERT_TRUE(spreadsheet::writeQuantityWorkbook(table, workbook.string()).ok);
    const Rows values = converted(scratch, workbook, false);
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values[0][0], "路基设计表");
    EXPECT_EQ((*rowOf(values, "工程名称"))[1], "某某公路改建工程");
    const auto* head = rowOf(values, "桩号");
    ASSERT_TRUE(head);
    EXPECT_EQ(*head,
              (std::vector<std::string>{"桩号", "地面高程(m)", "设计高程(m)", "填高(m)", "挖深(m)",
                                        "左路基宽度(m)", "右路基宽度(m)", "左坡脚/坡口(m)",
                                        "右坡脚/坡口(m)", "左边坡", "右边坡"}));
    expectSameFigures(table, values);
    EXPECT_EQ((*rowOf(values, "K1+000.000"))[3], "1.125");
    EXPECT_EQ((*rowOf(values, "K1+000.000"))[10], "挖");
    EXPECT_EQ((*rowOf(values, "K1+020.000"))[1], "99.500");
}

TEST(QuantityWorkbook, a_folder_that_cannot_be_written_gives_the_reason_and_no_library_lines) {
    testing::internal::CaptureStderr();
    const spreadsheet::WorkbookWritten written =
        spreadsheet::writeQuantityWorkbook(closedTable(), "/nonexistent-folder/数量表.xlsx");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(written.ok);
    EXPECT_NE(written.errorNumber, 0);
}

TEST(QuantityWorkbook, a_project_value_longer_than_a_cell_is_refused_not_dropped) {
    const Scratch scratch;
    const fs::path workbook = scratch.folder / "数量表.xlsx";
    for (const std::size_t length :
         {spreadsheet::kMostCellCharacters, spreadsheet::kMostCellCharacters + 1}) {
        printout::QuantityTable table = closedTable();
        table.project.segment =
            std::string(length - 1, 'a') + "段";  // one character of three bytes
        const spreadsheet::WorkbookWritten written =
            spreadsheet::writeQuantityWorkbook(table, workbook.string());
        const bool fits = length <= spreadsheet::kMostCellCharacters;
        EXPECT_EQ(written.ok, fits) << length;
        EXPECT_EQ(written.refused.empty(), fits) << written.refused;
        if (!fits) {
            EXPECT_NE(written.refused.find("“路段”有 32768 个字符"), std::string::npos);
        }
    }
}

}  // namespace
