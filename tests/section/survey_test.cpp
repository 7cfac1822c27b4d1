// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/survey.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace section {
namespace {

SectionSurvey surveyWithCounts(std::initializer_list<std::int16_t> counts) {
    SectionSurvey survey;
    survey.resize(static_cast<int>(counts.size()));
    int i = 1;
    for (std::int16_t c : counts) survey.setPointCount(i++, c);
    survey.allocatePoints();
    return survey;
}

TEST(SectionSurvey, starts_empty_with_index_zero_readable) {
    SectionSurvey survey;
    EXPECT_EQ(survey.sectionCount(), 0);
    EXPECT_EQ(survey.stationAnswer(), "");
    EXPECT_EQ(survey.totalVolume(), 0.0);
    EXPECT_EQ(survey.stations(0), 0.0);
    EXPECT_EQ(survey.areas(0), 0.0);
    EXPECT_THROW(survey.stations(1), std::out_of_range);
}

TEST(SectionSurvey, holds_every_point_position_up_to_the_largest_closing_point) {
    SectionSurvey survey = surveyWithCounts({3, 7, 5});
    EXPECT_EQ(survey.maxPointCount(), 7);
    for (int j = 1; j <= 3; ++j) survey.setPoint(1, j, 10.0 * j, -1.0 * j);
    for (int j = 1; j <= 7; ++j) survey.setPoint(2, j, 20.0 + j, 2.0 * j);

    EXPECT_EQ(survey.elevations(1, 3), 30.0);
    EXPECT_EQ(survey.offsets(1, 2), -2.0);
    EXPECT_EQ(survey.elevations(2, 7), 27.0);
    // Positions past a section's own points, up to 8, read 0 ...
    for (int j = 4; j <= 8; ++j) {
        EXPECT_EQ(survey.elevations(1, j), 0.0) << j;
        EXPECT_EQ(survey.offsets(1, j), 0.0) << j;
    }
    EXPECT_EQ(survey.elevations(2, 8), 0.0);
    EXPECT_EQ(survey.elevations(0, 0), 0.0);
    // ... and nothing past them exists.
    EXPECT_THROW(survey.elevations(1, 9), std::out_of_range);
    EXPECT_THROW(survey.elevations(4, 1), std::out_of_range);
    EXPECT_THROW(survey.setPoint(1, 4, 1.0, 1.0), std::out_of_range);
}

TEST(SectionSurvey, keeps_volumes_one_short_of_the_sections) {
    SectionSurvey survey = surveyWithCounts({3, 3});
    survey.setVolume(1, 5.0);
    EXPECT_EQ(survey.volumes(1), 5.0);
    EXPECT_THROW(survey.volumes(2), std::out_of_range);
    EXPECT_THROW(survey.setSpacing(2, 1.0), std::out_of_range);
    EXPECT_EQ(survey.spacings(2), 0.0);  // index N stays 0
}

TEST(SectionSurvey, forgets_everything_when_resized) {
    SectionSurvey survey = surveyWithCounts({4, 4, 4});
    survey.setStationAnswer("y");
    survey.setStation(2, 1250.5);
    survey.setPoint(3, 4, 1.0, 2.0);
    survey.setTotalVolume(9.0);

    survey.resize(2);
    EXPECT_EQ(survey, SectionSurvey(surveyWithCounts({0, 0})));
    EXPECT_THROW(survey.stations(3), std::out_of_range);
}

TEST(SectionSurvey, grows_with_the_points_entered_not_with_the_largest_section) {
    SectionSurvey survey;
    survey.resize(1001);
    for (int i = 1; i <= 1000; ++i) survey.setPointCount(i, 3);
    survey.setPointCount(1001, 30000);
    survey.allocatePoints();

    const std::size_t points = 1000 * 3 + 30000;
    const std::size_t pointBytes = points * 2 * sizeof(double);
    EXPECT_EQ(survey.maxPointCount(), 30000);
    EXPECT_LT(survey.heldBytes(), pointBytes + 1002 * 48);
    EXPECT_EQ(survey.elevations(1, 30001), 0.0);  // room for the largest closing point
}

TEST(SectionSurvey, takes_memory_for_absurd_counts_only_as_points_arrive) {
    SectionSurvey survey;
    survey.resize(32767);
    for (int i = 1; i <= 32767; ++i) survey.setPointCount(i, 32766);
    survey.allocatePoints();  // a full layout would need 8.6 GB
    EXPECT_LT(survey.heldBytes(), 64u << 20);
    survey.setPoint(1, 1, 100.0, 2.0);
    EXPECT_EQ(survey.elevations(1, 1), 100.0);
    EXPECT_EQ(survey.elevations(32767, 32766), 0.0);
    EXPECT_THROW(survey.sectionElevations(2), std::logic_error);  // not entered yet
}

// Letters put on and taken off again leave a survey equal to one that never
// had any, as undoing a typed station must.
TEST(SectionSurvey, equals_a_survey_without_letters_once_its_last_letters_are_gone) {
    const SectionSurvey plain = surveyWithCounts({0, 0, 0});
    SectionSurvey lettered = plain;
    lettered.setStationPrefix(1, "ZK");
    lettered.setStationPrefix(3, "-");
    EXPECT_NE(lettered, plain);
    lettered.setStationPrefix(1, "");
    EXPECT_NE(lettered, plain);
    EXPECT_EQ(lettered.stationPrefix(3), "-");
    lettered.setStationPrefix(3, "");
    EXPECT_EQ(lettered, plain);
}

TEST(SectionSurvey, counts_y_in_either_case_as_stations_entered) {
    SectionSurvey survey;
    for (const char* yes : {"y", "Y", " y", "Y  "}) {
        survey.setStationAnswer(yes);
        EXPECT_TRUE(survey.stationsEntered()) << yes;
    }
    for (const char* no : {"", "n", "N", "yes", "是"}) {
        survey.setStationAnswer(no);
        EXPECT_FALSE(survey.stationsEntered()) << no;
    }
}

}  // namespace
}  // namespace section
