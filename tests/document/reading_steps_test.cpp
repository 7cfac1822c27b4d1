// SPDX-License-Identifier: GPL-3.0-or-later
// What reading a file told comes and goes with the step that put its survey
// in and is there when the change is told; edits leave it as read, and each
// material stays with the section it was read for, with the sheet's digits.

#include <gtest/gtest.h>

#include <QUndoStack>
#include <functional>

#include "document/survey_document.h"

namespace document {
namespace {

// Ground alone at K0+000, K0+020 and K0+000 again (a chain that goes back).
section::Survey threeSections() {
    section::CutFillSurvey survey;
    survey.stationAnswer = "Y";
    for (double station : {0.0, 20.0, 0.0})
        survey.sections.push_back({.station = station, .ground = {{10, 5}, {10, -5}}});
    return section::Survey(std::move(survey));
}

// Materials of sections 1 to 3; section 9 is none.
const std::vector<section::SectionMaterial> kMaterials{
    {1, "Base", 2.125}, {1, "Curb", 0.0625}, {2, "Base", 2.1245}, {3, "Walk", 1}, {9, "No", 1}};
const section::ReadingReport kRead{{"文件以英尺为单位…"},
                                   {"测量数据由英尺换算为米…"},
                                   {"第 2 个断面的地面线断开…"},
                                   section::readMaterials(threeSections(), kMaterials)};

void open(SurveyDocument& document) {
    ASSERT_TRUE(document
                    .replaceSurvey(threeSections(), "打开文件", "/tmp/feet.xml", std::nullopt,
                                   Replacing::AsSaved, kRead)
                    .done());
}

TEST(ReadingSteps, the_report_comes_and_goes_with_the_step_that_put_its_survey_in) {
    SurveyDocument document;
    std::vector<section::ReadingReport> told;
    QObject::connect(&document, &SurveyDocument::changed,
                     [&] { told.push_back(document.reading()); });
    open(document);
    ASSERT_TRUE(document.replaceSurvey(threeSections(), "新建", "").done());
    document.undoStack()->undo();
    document.undoStack()->undo();
    document.undoStack()->redo();
    const section::ReadingReport none;
    EXPECT_EQ(told, (std::vector{kRead, none, kRead, none, kRead}));
}

TEST(ReadingSteps, each_material_stays_with_its_section_through_edits) {
    const std::string first = "Base 2.125，Curb 0.062", second = "Base 2.124", third = "Walk 1.000";
    const struct {
        const char* edit;
        std::function<Edited(SurveyDocument&)> step;
        std::vector<std::string> shown;
    } rows[] = {
        {"none", [](auto&) { return Edited{}; }, {first, second, third}},
        {"one put in before",
         [](auto& d) {
             return d.insertSection(1, {.station = -20, .points = {{1, 1}, {1, -1}}});
         },
         {"", first, second, third}},
        {"the middle one taken out", [](auto& d) { return d.deleteSection(2); }, {first, third}},
        {"a station changed",
         [](auto& d) {
             return d.setCell({2, 0, Column::Station, 25.0, Line::Ground});
         },
         {first, "", third}},
    };
    for (const auto& row : rows) {
        SurveyDocument document;
        open(document);
        ASSERT_TRUE(row.step(document).done()) << row.edit;
        EXPECT_EQ(document.reading(), kRead) << row.edit;
        std::vector<std::string> shown;
        for (const auto& materials : section::sectionMaterials(document.survey(), kRead))
            shown.push_back(section::materialsText(materials));
        EXPECT_EQ(shown, row.shown) << row.edit;
    }
}

}  // namespace
}  // namespace document
