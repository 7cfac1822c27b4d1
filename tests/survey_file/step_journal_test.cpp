// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/step_journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using section::CutFillSection;
using section::CutFillSurvey;
using section::Point;
using section::SectionSurvey;

std::vector<Point> line(std::mt19937& random, int count) {
    std::uniform_real_distribution<double> value(-50, 50);
    std::vector<Point> points(static_cast<std::size_t>(count));
    for (Point& point : points) point = {value(random), value(random)};
    return points;
}

CutFillSection randomSection(std::mt19937& random, bool cutFill) {
    CutFillSection section;
    section.station = std::uniform_real_distribution<double>(0, 1e4)(random);
    section.spacing = std::uniform_real_distribution<double>(0, 50)(random) / 3;
    section.ground = line(random, std::uniform_int_distribution<int>(0, 6)(random));
    if (cutFill) section.design = line(random, std::uniform_int_distribution<int>(0, 6)(random));
    // Letters and codes ride along; a code may hold blanks, colons and digits.
    static const char* const kPrefixes[] = {"", "", "ZK", "-"};
    static const char* const kCodes[] = {"DM", "", "a 1:b"};
    section.stationPrefix = kPrefixes[random() % 4];
    if (cutFill && random() % 2 == 0)
        for (std::size_t k = 0; k < section.ground.size(); ++k)
            section.groundCodes.push_back(kCodes[(k + random()) % 3]);
    return section;
}

SectionSurvey closed(const std::vector<CutFillSection>& sections) {
    SectionSurvey survey;
    const int n = static_cast<int>(sections.size());
    survey.resize(n);
    survey.setStationAnswer("Y");
    std::vector<double> elevations, offsets;
    for (int i = 1; i <= n; ++i) {
        survey.setStation(i, sections[i - 1].station);
        survey.setStationPrefix(i, sections[i - 1].stationPrefix);
        if (i < n) survey.setSpacing(i, sections[i - 1].spacing);
        survey.setPointCount(i, std::int16_t(sections[i - 1].ground.size()));
        for (const Point& point : sections[i - 1].ground) {
            elevations.push_back(point.elevation);
            offsets.push_back(point.offset);
        }
    }
    survey.takePoints(elevations, offsets);
    return survey;
}

// Random steps as the document makes them: values or points of one section
// (recorded with the section before, whose spacing a step may move), or a
// section put in or taken out (recorded up to the last). Each step's
// record is written from the survey after it.
template <class Record>
std::vector<std::string> edit(std::vector<CutFillSection>& sections, std::mt19937& random,
                              bool cutFill, int steps, Record record) {
    std::vector<std::string> records;
    for (int k = 0; k < steps; ++k) {
        const int n = static_cast<int>(sections.size());
        const int i = std::uniform_int_distribution<int>(1, n + 1)(random);
        const int what = std::uniform_int_distribution<int>(0, 3)(random);
        int from = std::max(1, i - 1), to = std::min(i, n);
        if (what == 0 || i > n) {
            sections.insert(sections.begin() + (i - 1), randomSection(random, cutFill));
            to = static_cast<int>(sections.size());
        } else if (what == 1 && n > 0) {
            sections.erase(sections.begin() + (i - 1));
            to = static_cast<int>(sections.size());
            from = std::min(from, to + 1);
        } else {
            sections[i - 1] = randomSection(random, cutFill);
        }
        records.push_back(record(sections, from, to));
    }
    return records;
}

std::string joined(const std::vector<std::string>& records, std::size_t count) {
    std::string text;
    for (std::size_t k = 0; k < count; ++k) text += records[k];
    return text;
}

TEST(StepJournal, replaying_the_steps_of_random_edits_gives_each_survey_after_them) {
    for (const bool cutFill : {false, true}) {
        for (unsigned seed = 1; seed <= 40; ++seed) {
            std::mt19937 random(seed);
            std::vector<CutFillSection> sections;
            for (int i = 0; i < 5; ++i) sections.push_back(randomSection(random, cutFill));
            const std::vector<CutFillSection> start = sections;
            std::vector<std::vector<CutFillSection>> after;
            const auto records =
                edit(sections, random, cutFill, 12, [&](const auto& now, int from, int to) {
                    after.push_back(now);
                    return cutFill ? survey_file::stepRecord(CutFillSurvey{"Y", now}, from, to)
                                   : survey_file::stepRecord(closed(now), from, to);
                });
            for (std::size_t k = 1; k <= records.size(); ++k) {
                SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(k));
                const std::string text = joined(records, k);
                // A torn last record: every step before it, nothing after.
                const std::string torn = text.substr(0, text.size() - 1 - seed % 7);
                if (cutFill) {
                    CutFillSurvey survey{"Y", start};
                    EXPECT_EQ(survey_file::replaySteps(survey, text).steps, int(k));
                    EXPECT_EQ(survey.sections, after[k - 1]);
                    // A copy already holding some of the steps is no harm.
                    EXPECT_FALSE(survey_file::replaySteps(survey, text).torn);
                    EXPECT_EQ(survey.sections, after[k - 1]);
                    CutFillSurvey cut{"Y", start};
                    const survey_file::StepReplay replayed = survey_file::replaySteps(cut, torn);
                    EXPECT_TRUE(replayed.torn);
                    EXPECT_EQ(replayed.steps, int(k) - 1);
                    EXPECT_EQ(cut.sections, k > 1 ? after[k - 2] : start);
                } else {
                    SectionSurvey survey = closed(start);
                    EXPECT_EQ(survey_file::replaySteps(survey, text).steps, int(k));
                    EXPECT_EQ(survey, closed(after[k - 1]));
                    EXPECT_FALSE(survey_file::replaySteps(survey, text).torn);
                    EXPECT_EQ(survey, closed(after[k - 1]));
                    SectionSurvey cut = closed(start);
                    const survey_file::StepReplay replayed = survey_file::replaySteps(cut, torn);
                    EXPECT_TRUE(replayed.torn);
                    EXPECT_EQ(replayed.steps, int(k) - 1);
                    EXPECT_EQ(cut, closed(k > 1 ? after[k - 2] : start));
                }
            }
        }
    }
}

// A cut-and-fill line may be longer than a closed outline's 32,767 points:
// its step, and every step after it, replays.
TEST(StepJournal, a_cut_and_fill_line_beyond_32767_points_replays_with_the_steps_after_it) {
    std::mt19937 random(5);
    std::vector<CutFillSection> sections{randomSection(random, true), randomSection(random, true)};
    const CutFillSurvey start{"Y", sections};
    sections[0].ground = line(random, 40'000);
    sections[0].design = line(random, 70'000);
    const std::string longLine = survey_file::stepRecord(CutFillSurvey{"Y", sections}, 1, 1);
    sections[1].station += 5;
    const std::string later = survey_file::stepRecord(CutFillSurvey{"Y", sections}, 1, 2);
    CutFillSurvey survey = start;
    const survey_file::StepReplay replayed = survey_file::replaySteps(survey, longLine + later);
    EXPECT_EQ(replayed.steps, 2);
    EXPECT_FALSE(replayed.torn);
    EXPECT_EQ(survey.sections, sections);
}

// A design step's record sets the design and leaves the sections; the
// last whole one holds; one torn by a kill is lost alone, the copy's design
// staying, and generated design lines are recorded empty.
TEST(StepJournal, design_records_set_the_road_design_between_the_section_steps) {
    std::mt19937 random(11);
    std::vector<CutFillSection> sections{randomSection(random, true), randomSection(random, true)};
    section::RoadDesign first{.profile = {{.station = 0, .elevation = 100},
                                          {.station = 500, .elevation = 103.25, .radius = 2000},
                                          {.station = 900, .elevation = 101}},
                              .breaks = {{.before = 300, .after = 280.5}}};
    section::RoadDesign second = first;
    second.plates = {
        {.station = 0, .side = section::RoadSide::Right, .width = 3.75, .crossfall = -2}};
    second.soilClasses = {{{0, 450}, {0, 30, 0, 70, 0, 0}}};
    second.structures = {{{480, 520}, "涵洞 \"1-4×3m\", 左侧"}};
    second.haul = section::HaulDistances{30, 400};
    const section::Survey start{CutFillSurvey{"Y", sections}};
    sections[1].designGenerated = true;
    const std::string step = survey_file::stepRecord(CutFillSurvey{"Y", sections}, 2, 2);
    const std::string records =
        survey_file::designRecord(first) + step + survey_file::designRecord(second);

    section::Survey survey(start);
    survey_file::StepReplay replayed = survey_file::replaySteps(survey, records);
    EXPECT_EQ(replayed.steps, 3);
    EXPECT_TRUE(replayed.lost.empty());
    EXPECT_EQ(survey.roadDesign(), second);
    EXPECT_TRUE(survey.cutFill()->sections[1].design.empty());
    EXPECT_EQ(survey.cutFill()->sections[1].ground, sections[1].ground);

    const std::string lastCut = records.substr(0, records.size() - 10);
    survey = section::Survey(start);
    replayed = survey_file::replaySteps(survey, lastCut);
    EXPECT_TRUE(replayed.torn);
    EXPECT_EQ(replayed.lost, std::vector<int>{3});
    EXPECT_TRUE(replayed.stale.empty());
    EXPECT_EQ(survey.roadDesign(), first);
}

// One record damaged anywhere past its head: the others replay, and every
// section not reported stale is as after the last step.
TEST(StepJournal, a_damaged_record_is_skipped_and_the_good_ones_after_it_replay) {
    for (const bool cutFill : {false, true}) {
        for (unsigned seed = 1; seed <= 60; ++seed) {
            SCOPED_TRACE("seed " + std::to_string(seed) + (cutFill ? ", cut and fill" : ""));
            std::mt19937 random(seed);
            std::vector<CutFillSection> sections;
            for (int i = 0; i < 6; ++i) sections.push_back(randomSection(random, cutFill));
            const std::vector<CutFillSection> start = sections;
            std::vector<std::pair<int, int>> ranges;
            auto records =
                edit(sections, random, cutFill, 10, [&](const auto& now, int from, int to) {
                    ranges.emplace_back(from, to);
                    return cutFill ? survey_file::stepRecord(CutFillSurvey{"Y", now}, from, to)
                                   : survey_file::stepRecord(closed(now), from, to);
                });
            const std::size_t bad = seed % (records.size() - 1);
            std::string& damaged = records[bad];
            const std::size_t head =
                damaged.find(' ', damaged.find(' ', damaged.find(' ', 2) + 1) + 1);
            damaged[std::uniform_int_distribution<std::size_t>(head + 1,
                                                               damaged.size() - 2)(random)] ^= 4;
            const std::string text = joined(records, records.size());
            // Both kinds replay through one path: the closed outline's
            // sections are checked by their count, the cut and fill's whole.
            const auto check = [&](const survey_file::StepReplay& replayed, std::size_t count) {
                EXPECT_EQ(replayed.steps, int(records.size()) - 1);
                EXPECT_FALSE(replayed.torn);
                EXPECT_EQ(replayed.lost, std::vector<int>{int(bad) + 1});
                EXPECT_EQ(count, sections.size());
                EXPECT_LE(int(replayed.stale.size()), ranges[bad].second - ranges[bad].first + 1);
            };
            if (cutFill) {
                CutFillSurvey survey{"Y", start};
                const survey_file::StepReplay replayed = survey_file::replaySteps(survey, text);
                check(replayed, survey.sections.size());
                for (std::size_t i = 1; i <= std::min(sections.size(), survey.sections.size());
                     ++i) {
                    if (!std::ranges::count(replayed.stale, int(i))) {
                        EXPECT_EQ(survey.sections[i - 1], sections[i - 1]) << "section " << i;
                    }
                }
            } else {
                SectionSurvey survey = closed(start);
                const survey_file::StepReplay replayed = survey_file::replaySteps(survey, text);
                check(replayed, std::size_t(survey.sectionCount()));
            }
        }
    }
}

// Without a head that reads, the lost step may have held any section: every
// one not written again after it is reported. A record of the other kind is
// lost the same way.
TEST(StepJournal, a_record_whose_head_is_lost_leaves_every_section_not_written_again_stale) {
    std::mt19937 random(3);
    std::vector<CutFillSection> sections{randomSection(random, false), randomSection(random, false),
                                         randomSection(random, false)};
    const SectionSurvey start = closed(sections);
    sections[0].station += 1;
    std::string damaged = survey_file::stepRecord(closed(sections), 1, 1);
    damaged[0] = 'X';
    sections[1].station += 1;
    const std::string second = survey_file::stepRecord(closed(sections), 2, 2);
    const std::string other = survey_file::stepRecord(CutFillSurvey{"Y", sections}, 3, 3);
    SectionSurvey survey = start;
    const survey_file::StepReplay replayed =
        survey_file::replaySteps(survey, damaged + other + second);
    EXPECT_EQ(replayed.steps, 1);
    EXPECT_FALSE(replayed.torn);
    EXPECT_EQ(replayed.lost, (std::vector<int>{1, 2}));
    EXPECT_EQ(replayed.stale, (std::vector<int>{1, 3}));
    EXPECT_EQ(survey.stations(2), sections[1].station);
    EXPECT_EQ(survey.stations(1), start.stations(1));
    // A record cut short of its end of line is torn however whole it looks;
    // its head names the section it held.
    SectionSurvey unended = start;
    const survey_file::StepReplay cut =
        survey_file::replaySteps(unended, second.substr(0, second.size() - 1));
    EXPECT_TRUE(cut.torn);
    EXPECT_EQ(cut.lost, std::vector<int>{1});
    EXPECT_EQ(cut.stale, std::vector<int>{2});
    EXPECT_EQ(unended, start);
}

}  // namespace
