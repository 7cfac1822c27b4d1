// SPDX-License-Identifier: GPL-3.0-or-later
// Cell edits of a large survey redo only what they touch (how fast is
// bench/document_bench's concern), yet leave the record a full calculation
// would: the part redone meets the parts kept.

#include <gtest/gtest.h>

#include "document/survey_document.h"
#include "section/calculation.h"

namespace document {
namespace {

using section::SectionSurvey;

constexpr int kSections = 2000;
constexpr int kPoints = 50;

SectionSurvey large() {
    SectionSurvey survey;
    survey.resize(kSections);
    survey.setStationAnswer("y");
    for (int i = 1; i <= kSections; ++i) survey.setPointCount(i, kPoints);
    survey.allocatePoints();
    for (int i = 1; i <= kSections; ++i) {
        survey.setStation(i, 20 * static_cast<Value>(i));
        for (int j = 1; j <= kPoints; ++j)
            survey.setPoint(i, j, static_cast<Value>(100 + (i * j) % 7),
                            static_cast<Value>(j <= kPoints / 2 ? 25 - j : j - 75));
    }
    return survey;
}

TEST(LargeSurveyEdits, each_cell_of_100000_points_edited_leaves_a_full_calculations_record) {
    SurveyDocument document;
    ASSERT_EQ(document.replaceSurvey(large(), "计算", ""), Outcome::Done);
    // The first, a middle and the last section; each kind of cell.
    for (const int section : {1, kSections / 2, kSections}) {
        for (const Cell& cell : {Cell{section, kPoints / 2, Column::Elevation, Value(93.5)},
                                 Cell{section, 1, Column::Offset, Value(-30.25)},
                                 Cell{section, 0, Column::Station, Value(20 * section + 7)}}) {
            SCOPED_TRACE("section " + std::to_string(section) + ", point " +
                         std::to_string(cell.point));
            ASSERT_EQ(document.setCell(cell), Outcome::Done);
            SectionSurvey full = (*document.survey().closedOutline());
            ASSERT_TRUE(section::calculateSurvey(full));
            EXPECT_TRUE(full == (*document.survey().closedOutline()));
        }
    }
}

}  // namespace
}  // namespace document
