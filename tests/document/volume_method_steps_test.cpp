// SPDX-License-Identifier: GPL-3.0-or-later
// The volume method as a step of the document: every volume worked out
// again, undone and redone to the bit, told to the views; and the edits
// after it keep to it, of either kind.

#include <gtest/gtest.h>

#include <QUndoStack>

#include "document/survey_document.h"

namespace document {
namespace {

using section::VolumeMethod;

// Rectangles 10 m wide, 1, 4 and 2 m high, 20 m apart.
section::Survey outlines() {
    section::SectionSurvey survey;
    survey.resize(3);
    survey.setStationAnswer("n");
    for (int i = 1; i <= 3; ++i) survey.setPointCount(i, 4);
    survey.allocatePoints();
    const double heights[] = {1, 4, 2};
    for (int i = 1; i <= 3; ++i) {
        survey.setPoint(i, 1, 0, 0);
        survey.setPoint(i, 2, 0, 10);
        survey.setPoint(i, 3, heights[i - 1], 10);
        survey.setPoint(i, 4, heights[i - 1], 0);
        if (i < 3) survey.setSpacing(i, 20);
    }
    return survey;
}

// Ground 1, 4 and -2 m about a level design 10 m wide, at K0+000, +020, +040.
section::Survey lines() {
    section::CutFillSurvey survey{.stationAnswer = "Y", .sections = {}};
    const double heights[] = {1, 4, -2};
    for (int k = 0; k < 3; ++k)
        survey.sections.push_back({.station = 20.0 * k,
                                   .ground = {{heights[k], -5}, {heights[k], 5}},
                                   .design = {{0, -5}, {0, 5}}});
    return survey;
}

// The survey worked out whole by `method`, to compare with a step's.
section::Survey calculatedBy(section::Survey survey, VolumeMethod method) {
    survey.setVolumeMethod(method);
    EXPECT_FALSE(section::calculate(survey));
    return survey;
}

TEST(VolumeMethodSteps, the_method_is_one_step_that_works_every_volume_out_again) {
    for (const section::Survey& data : {outlines(), lines()}) {
        SurveyDocument document;
        ASSERT_TRUE(
            document.replaceSurvey(data, "打开文件", "a.csv", std::nullopt, Replacing::AsSaved)
                .done());
        int changes = 0, told = 0;
        QObject::connect(&document, &SurveyDocument::changed, [&](const Change& change) {
            ++changes;
            EXPECT_EQ(change.last, 3);
        });
        QObject::connect(&document, &SurveyDocument::volumeMethodChanged, [&] { ++told; });

        ASSERT_TRUE(document.setVolumeMethod(VolumeMethod::Prismoidal).done());
        EXPECT_EQ(document.undoStack()->undoText(), "修改体积计算方法");
        EXPECT_EQ(document.survey(), calculatedBy(data, VolumeMethod::Prismoidal));
        EXPECT_NE(document.survey(), calculatedBy(data, VolumeMethod::AverageEndArea));
        EXPECT_TRUE(document.modified());
        EXPECT_EQ(told, 1);
        EXPECT_EQ(changes, 1);
        // The same method again is no step.
        ASSERT_TRUE(document.setVolumeMethod(VolumeMethod::Prismoidal).done());
        EXPECT_EQ(document.undoStack()->count(), 2);

        document.undoStack()->undo();
        EXPECT_EQ(document.survey(), calculatedBy(data, VolumeMethod::AverageEndArea));
        EXPECT_FALSE(document.modified());
        document.undoStack()->redo();
        EXPECT_EQ(document.survey(), calculatedBy(data, VolumeMethod::Prismoidal));
        EXPECT_EQ(told, 3);
        EXPECT_EQ(changes, 3);
    }
}

// A section put in and another taken out: the volumes as the whole survey
// by the prismoid gives them.
TEST(VolumeMethodSteps, edits_after_it_keep_to_the_method) {
    for (const section::Survey& data : {outlines(), lines()}) {
        SurveyDocument document;
        ASSERT_TRUE(document.replaceSurvey(data, "打开文件", "a.csv").done());
        ASSERT_TRUE(document.setVolumeMethod(VolumeMethod::Prismoidal).done());
        const bool closed = data.kind() == section::SurveyKind::ClosedOutline;
        SectionRow row{.station = 10, .spacing = 5, .pointCount = 4};
        row.points = {{0, 0}, {0, 10}, {3, 10}, {3, 0}};
        if (!closed)
            row = {.station = 10, .points = {{3, -5}, {3, 5}}, .design = {{0, -5}, {0, 5}}};
        ASSERT_TRUE(document.insertSection(2, row).done());
        ASSERT_TRUE(document.deleteSection(4).done());
        section::Survey whole = document.survey();
        EXPECT_EQ(whole.volumeMethod(), VolumeMethod::Prismoidal);
        ASSERT_FALSE(section::calculate(whole));
        EXPECT_EQ(document.survey(), whole);
    }
}

}  // namespace
}  // namespace document
