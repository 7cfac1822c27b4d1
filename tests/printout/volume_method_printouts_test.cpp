// SPDX-License-Identifier: GPL-3.0-or-later
// Every printout of a survey worked out by the prismoid says so and shows
// its figures; one by average end areas reads as it always did.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "printout/survey_printouts.h"
#include "section/any_survey.h"

namespace printout {
namespace {

using section::VolumeMethod;

// Areas 10 and 40, 20 m apart, of either kind: cut only for the lines.
section::Survey worked(bool lines, VolumeMethod method) {
    section::Survey survey;
    if (lines) {
        section::CutFillSurvey record;
        record.stationAnswer = "y";
        for (const double h : {1.0, 4.0})
            record.sections.push_back({.station = h == 1 ? 0.0 : 20.0,
                                       .ground = {{h, -5}, {h, 5}},
                                       .design = {{0, -5}, {0, 5}}});
        survey = std::move(record);
    } else {
        section::SectionSurvey record;
        record.resize(2);
        record.setStationAnswer("n");
        record.setPointCount(1, 4);
        record.setPointCount(2, 4);
        record.allocatePoints();
        for (int i = 1; i <= 2; ++i) {
            const double h = i == 1 ? 1 : 4;
            record.setPoint(i, 1, 0, 0);
            record.setPoint(i, 2, 0, 10);
            record.setPoint(i, 3, h, 10);
            record.setPoint(i, 4, h, 0);
        }
        record.setSpacing(1, 20);
        survey = std::move(record);
    }
    survey.setVolumeMethod(method);
    EXPECT_FALSE(section::calculate(survey));
    return survey;
}

std::vector<std::string> texts(const Sheet& sheet) {
    std::vector<std::string> lines;
    for (const SheetLine& line : sheet.lines) {
        std::string text;
        for (const PrintItem& item : line.items)
            if (const auto* t = std::get_if<Text>(&item)) text += t->text;
        lines.push_back(text);
    }
    return lines;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(VolumeMethodPrintouts, the_sheet_the_table_and_the_results_say_the_method_and_agree) {
    struct Row {
        bool lines;
        VolumeMethod method;
        const char* total;
    };
    for (const Row& row : {Row{false, VolumeMethod::AverageEndArea, "500.000"},
                           Row{false, VolumeMethod::Prismoidal, "466.667"},
                           Row{true, VolumeMethod::AverageEndArea, "500.000"},
                           Row{true, VolumeMethod::Prismoidal, "466.667"}}) {
        const section::Survey survey = worked(row.lines, row.method);
        const bool prismoid = row.method == VolumeMethod::Prismoidal;
        const std::string name = (row.lines ? "lines " : "outlines ") + methodName(row.method);

        const std::vector<std::string> sheet = texts(calculationSheet(survey, {}));
        const auto total = std::ranges::find_if(sheet, [&](const std::string& line) {
            return contains(line, "总") && contains(line, row.total);
        });
        ASSERT_NE(total, sheet.end()) << name;
        const auto note = std::ranges::find(sheet, "体积按棱台法计算");
        EXPECT_EQ(note != sheet.end(), prismoid) << name;
        // Under the totals, nothing of the default's sheet moved.
        if (prismoid) {
            EXPECT_GT(note, total) << name;
        }

        const QuantityTable table = quantityTable(survey, {});
        EXPECT_EQ(table.note, prismoid ? "体积按棱台法计算" : "") << name;
        const int volumeColumn = row.lines ? 3 : 2;
        EXPECT_EQ(table.total.cells.at(std::size_t(volumeColumn)), row.total) << name;

        const section::ResultTable results = section::resultTable(survey);
        EXPECT_EQ(results.rows.back().at(row.lines ? 7 : 4), row.total) << name;
        const auto marked = std::ranges::count_if(results.header, [](const std::string& head) {
            return contains(head, "(立方米，棱台法)");
        });
        const auto volumes = std::ranges::count_if(
            results.header, [](const std::string& head) { return contains(head, "立方米"); });
        EXPECT_EQ(marked, prismoid ? volumes : 0) << name;
        EXPECT_EQ(volumes, row.lines ? 4 : 2) << name;
    }
}

}  // namespace
}  // namespace printout
