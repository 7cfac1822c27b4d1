// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet of a survey read converted from feet says so in one line under
// its title, the drawings beside their sections still; gaps, materials and
// no report at all leave the sheet as it always was.

#include <gtest/gtest.h>

#include "printout/sheet_writer.h"
#include "printout/survey_printouts.h"
#include "quantity_surveys.h"
#include "section/any_survey.h"

namespace printout {
namespace {

TEST(ReadingNoteSheet, a_conversion_is_one_line_under_the_title_and_nothing_else_prints) {
    const std::string note = "测量数据由英尺换算为米（1 英尺 = 0.3048 米）";
    std::mt19937 random(35);
    for (section::Survey survey : {section::Survey(quantity_surveys::closedSurvey(random, 3, true)),
                                   section::Survey(quantity_surveys::cutFillSurvey(random, 3))}) {
        const section::ReadingReport told{
            .notes = {},
            .sheetNotes = {},
            .gaps = {"第 1 个断面的地面线断开"},
            .materials = section::readMaterials(survey, {{2, "Curb", 1}})};
        section::ReadingReport converted = told;
        converted.sheetNotes = {note};
        for (const SectionDrawings drawings : {SectionDrawings::Without, SectionDrawings::Beside}) {
            const Sheet plain = calculationSheet(survey, {}, drawings);
            EXPECT_EQ(calculationSheet(survey, {}, drawings, told), plain);
            Sheet expected = plain;
            expected.lines.insert(expected.lines.begin() + 1,
                                  {10.0, {ColumnStop{kHeadingColumn}, Text{note}}});
            for (SheetFigure& figure : expected.figures) {
                ++figure.firstLine;
                ++figure.lastLine;
            }
            EXPECT_EQ(calculationSheet(survey, {}, drawings, converted), expected);
        }
    }
}

}  // namespace
}  // namespace printout
