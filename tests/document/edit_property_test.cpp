// SPDX-License-Identifier: GPL-3.0-or-later
// Random edit sequences on random surveys: after every edit the record equals a
// full calculation of its data bit for bit, an overflowing edit changes nothing,
// undoing every step gives back each earlier record exactly, and redoing them
// all gives the last one.

#include <gtest/gtest.h>

#include <QUndoStack>
#include <limits>
#include <random>

#include "document/survey_document.h"
#include "section/any_survey.h"
#include "section/calculation.h"
#include "section/survey_warnings.h"

namespace document {
namespace {

using section::SectionSurvey;

class RandomEdits {
  public:
    explicit RandomEdits(unsigned seed) : random_(seed) {}

    SectionSurvey survey() {
        SectionSurvey survey;
        const int sections = pick(7);
        survey.resize(sections);
        survey.setStationAnswer(pick(2) ? "y" : "n");
        for (int i = 1; i <= sections; ++i)
            survey.setPointCount(i, static_cast<std::int16_t>(pick(7) - 1));  // -1..5
        survey.allocatePoints();
        for (int i = 1; i <= sections; ++i) {
            survey.setStation(i, value());
            for (int j = 1; j <= survey.pointCounts(i); ++j)
                survey.setPoint(i, j, value(), value());
            if (i < sections) survey.setSpacing(i, value());
        }
        return survey;
    }

    // One edit at a random place, now and then outside the survey.
    document::Edited edit(SurveyDocument& document) {
        const SectionSurvey& survey = (*document.survey().closedOutline());
        const int i = pick(survey.sectionCount() + 2);
        const int j = i >= 1 && i <= survey.sectionCount() ? pick(survey.pointCounts(i) + 2) : 1;
        switch (pick(9)) {
            case 0:
                return document.setCell({i, j, Column::Elevation, value()});
            case 1:
                return document.setCell({i, j, Column::Offset, value()});
            case 2:
                return document.setCell({i, 0, Column::Station, value()});
            case 3:
                return document.setCell({i, 0, Column::Spacing, value()});
            case 4:
                return document.paste({{i, j, Column::Elevation, value()},
                                       {i, j + 1, Column::Offset, value()},
                                       {i, 0, Column::Station, value()}});
            case 5:
                return pick(2) ? document.insertPoint({i, j}, {value(), value()})
                               : document.deletePoints({{i, j}});
            case 6:
                return pick(2) ? document.movePointUp(i, j) : document.movePointDown(i, j);
            case 7: {
                SectionRow row{.station = value(), .spacing = value()};
                for (int k = pick(5); k > 0; --k) row.points.push_back({value(), value()});
                return document.insertSection(i, std::move(row));
            }
            default:
                return document.deleteSection(i);
        }
    }

  private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    Value value() {
        const int roll = pick(100);
        if (roll < 3)
            return std::numeric_limits<Value>::max() *
                   Value(pick(2) ? 0.97 : -0.97);  // overflows sooner or later
        if (roll < 6) return 0;
        return static_cast<Value>(std::uniform_real_distribution<double>(-300, 300)(random_));
    }

    std::mt19937 random_;
};

bool consistent(const SectionSurvey& survey) {
    SectionSurvey full = survey;
    return section::calculateSurvey(full) && full == survey;
}

std::vector<std::pair<int, std::string>> texts(
    const std::vector<section::SurveyWarning>& warnings) {
    std::vector<std::pair<int, std::string>> found;
    for (const section::SurveyWarning& warning : warnings)
        found.emplace_back(warning.section, warning.text);
    return found;
}

TEST(SurveyEdits, random_edit_sequences_equal_full_calculations_and_undo_exactly) {
    int overflows = 0;
    int done = 0;
    for (unsigned seed = 1; seed <= 1000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomEdits random(seed);
        SurveyDocument document;
        if (document.replaceSurvey(random.survey(), "计算", "") != Outcome::Done) continue;
        std::vector<SectionSurvey> states{(*document.survey().closedOutline())};
        for (int step = 0; step < 60; ++step) {
            const SectionSurvey before = (*document.survey().closedOutline());
            const int steps = document.undoStack()->count();
            const Outcome outcome = random.edit(document).outcome;
            if (outcome != Outcome::Done || document.undoStack()->count() == steps) {
                ASSERT_TRUE((*document.survey().closedOutline()) == before) << "step " << step;
                ASSERT_EQ(document.undoStack()->count(), steps);
                overflows += outcome == Outcome::Overflow;
                continue;
            }
            ++done;
            ASSERT_TRUE(consistent((*document.survey().closedOutline()))) << "step " << step;
            states.push_back((*document.survey().closedOutline()));
            // Asked for now and then, the warnings are those of the survey as it is,
            // whatever steps came in between.
            if (step % 3 == 0) {
                ASSERT_EQ(texts(document.warnings()), texts(section::warnings(document.survey())))
                    << "step " << step;
            }
        }
        for (std::size_t k = states.size() - 1; k-- > 0;) {
            document.undoStack()->undo();
            ASSERT_TRUE((*document.survey().closedOutline()) == states[k]) << "undo to " << k;
        }
        ASSERT_EQ(texts(document.warnings()), texts(section::warnings(document.survey())));
        while (document.undoStack()->canRedo()) document.undoStack()->redo();
        ASSERT_TRUE((*document.survey().closedOutline()) == states.back());
    }
    // The sequences reach both ends: many edits kept, some refused for overflow.
    EXPECT_GT(done, 10000);
    EXPECT_GT(overflows, 300);
}

}  // namespace
}  // namespace document
