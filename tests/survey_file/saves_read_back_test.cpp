// SPDX-License-Identifier: GPL-3.0-or-later
// Every save reopens the same: random surveys of both kinds, with stations
// (adjacent sections at one station among them) and with spacings, with
// 工程信息 holding commas, quotes and tabs, written in every format that
// opens again and read back.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "read_parts.h"
#include "section/survey.h"
#include "survey_file/hdm.h"
#include "survey_file/landxml.h"
#include "survey_file/survey_file.h"

namespace survey_file {
namespace {

using section::CutFillSurvey;
using section::ProjectInfo;
using section::SectionSurvey;

const LandXmlStamp kStamp{"2026-12-09", "12:00:00"};

class RandomSurveys {
  public:
    explicit RandomSurveys(unsigned seed) : random_(seed) {}

    // Whole millimetres (what a 里程文件 keeps) or any value a cell can hold.
    double value(bool millimetres) {
        if (millimetres || pick(3) == 0)
            return double(std::int64_t(pick(2000001)) - 1000000) / 1000;
        const double mantissa = std::uniform_real_distribution<double>(-10, 10)(random_);
        return mantissa * std::pow(10.0, int(pick(40)) - 10);
    }

    // Stations from a few, so that adjacent sections often share one.
    double station(bool millimetres) {
        static constexpr double kStations[] = {0, 1000, 1020.5, 1040};
        return pick(2) == 0 ? kStations[pick(4)] : std::abs(value(millimetres));
    }

    ProjectInfo project() {
        static constexpr const char* kParts[] = {"某某公路", ",", "\"",     "\t", "K1+000～K2+000",
                                                 "张三",     "a", "“引号”", " "};
        ProjectInfo info;
        for (std::string* item :
             {&info.projectName, &info.segment, &info.calculatedBy, &info.checkedBy, &info.date}) {
            const int parts = int(pick(4));
            for (int k = 0; k < parts; ++k) *item += kParts[pick(std::size(kParts))];
            // A cell's blanks at either end are not kept: the dialog trims them too.
            while (item->starts_with(' ') || item->starts_with('\t')) item->erase(0, 1);
            while (item->ends_with(' ') || item->ends_with('\t')) item->pop_back();
        }
        return info;
    }

    SectionSurvey closed(bool stations) {
        SectionSurvey survey;
        const int n = 1 + int(pick(6));
        survey.resize(n);
        survey.setStationAnswer(stations ? "y" : "n");
        for (int i = 1; i <= n; ++i) {
            if (stations) survey.setStation(i, station(false));
            survey.setPointCount(i, std::int16_t(pick(5)));
        }
        survey.allocatePoints();
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= survey.pointCounts(i); ++j)
                survey.setPoint(i, j, value(false), value(false));
            if (!stations && i < n) survey.setSpacing(i, std::abs(value(false)));
        }
        return survey;
    }

    CutFillSurvey cutFill(bool stations, bool millimetres) {
        CutFillSurvey survey;
        survey.stationAnswer = stations ? "y" : "n";
        const int n = 1 + int(pick(6));
        for (int i = 0; i < n; ++i) {
            section::CutFillSection section;
            if (stations) section.station = station(millimetres);
            if (!stations && i + 1 < n) section.spacing = std::abs(value(millimetres));
            for (auto* line : {&section.ground, &section.design}) {
                const int points = int(pick(5));
                for (int k = 0; k < points; ++k)
                    line->push_back({value(millimetres), value(millimetres)});
            }
            survey.sections.push_back(std::move(section));
        }
        return survey;
    }

  private:
    std::uint64_t pick(std::uint64_t below) { return random_() % below; }

    std::mt19937_64 random_;
};

// What was entered, nothing computed: the stations or the spacings, the points.
void expectSame(const SectionSurvey& back, const SectionSurvey& survey, const std::string& file) {
    ASSERT_EQ(back.sectionCount(), survey.sectionCount()) << file;
    ASSERT_EQ(back.stationsEntered(), survey.stationsEntered()) << file;
    const int n = survey.sectionCount();
    for (int i = 1; i <= n; ++i) {
        if (survey.stationsEntered()) {
            EXPECT_EQ(back.stations(i), survey.stations(i)) << file;
        } else if (i < n) {
            EXPECT_EQ(back.spacings(i), survey.spacings(i)) << file;
        }
        ASSERT_EQ(back.pointCounts(i), survey.pointCounts(i)) << file;
        for (int j = 1; j <= survey.pointCounts(i); ++j) {
            EXPECT_EQ(back.elevations(i, j), survey.elevations(i, j)) << file;
            EXPECT_EQ(back.offsets(i, j), survey.offsets(i, j)) << file;
        }
    }
}

void expectSame(const CutFillSurvey& back, const CutFillSurvey& survey, const std::string& file) {
    ASSERT_EQ(back.sections.size(), survey.sections.size()) << file;
    ASSERT_EQ(back.stationsEntered(), survey.stationsEntered()) << file;
    for (std::size_t k = 0; k < survey.sections.size(); ++k) {
        const section::CutFillSection &to = back.sections[k], &from = survey.sections[k];
        if (survey.stationsEntered()) {
            EXPECT_EQ(to.station, from.station) << file;
        } else if (k + 1 < survey.sections.size()) {
            EXPECT_EQ(to.spacing, from.spacing) << file;
        }
        EXPECT_EQ(to.ground, from.ground) << file;
        EXPECT_EQ(to.design, from.design) << file;
    }
}

// Each kind's CSV writer and its part of a read.
std::string csvOf(const SectionSurvey& survey, const ProjectInfo& project) {
    return writeSurvey(survey, project);
}
std::string csvOf(const CutFillSurvey& survey, const ProjectInfo& project) {
    return writeSurvey(survey, project);
}
const SectionSurvey* part(const SurveyRead& read, const SectionSurvey&) {
    return closedOf(read);
}
const CutFillSurvey* part(const SurveyRead& read, const CutFillSurvey&) {
    return cutFillOf(read);
}

// The file read back gives the survey and the 工程信息 written.
template <class Survey>
void expectReadBack(const std::string& file, const SurveyRead& read, const Survey& survey,
                    const ProjectInfo& project) {
    const auto* back = part(read, survey);
    ASSERT_TRUE(back) << read.error.message << "\n" << file;
    expectSame(*back, survey, file);
    EXPECT_EQ(read.project, project) << file;
}

// The volume method too, which a 里程文件 has no place for.
template <class Survey>
void expectCsvAndLandXmlReadBack(const Survey& survey, const ProjectInfo& project) {
    const std::string csv = csvOf(survey, project);
    const SurveyRead fromCsv = readSurvey(csv);
    expectReadBack(csv, fromCsv, survey, project);
    const std::string xml = *landXml(survey, kStamp, project);
    const SurveyRead fromXml = readLandXml(xml);
    expectReadBack(xml, fromXml, survey, project);
    const section::Survey whole(survey);
    for (const SurveyRead* read : {&fromCsv, &fromXml}) {
        if (read->survey) {
            EXPECT_EQ(read->survey->volumeMethod(), whole.volumeMethod()) << csv;
        }
    }
}

// Every third survey worked out by the prismoid.
SectionSurvey withMethod(SectionSurvey survey, int round) {
    if (round % 3 == 0) survey.setVolumeMethod(section::VolumeMethod::Prismoidal);
    return survey;
}
CutFillSurvey withMethod(CutFillSurvey survey, int round) {
    if (round % 3 == 0) survey.volumeMethod = section::VolumeMethod::Prismoidal;
    return survey;
}

TEST(SavesReadBack, closed_outline_surveys_reopen_the_same_from_csv_and_landxml) {
    RandomSurveys random(30);
    for (int round = 0; round < 400; ++round) {
        const SectionSurvey survey = withMethod(random.closed(round % 2 == 0), round);
        expectCsvAndLandXmlReadBack(survey, random.project());
    }
}

TEST(SavesReadBack, cut_fill_surveys_reopen_the_same_from_csv_landxml_and_hdm) {
    RandomSurveys random(31);
    for (int round = 0; round < 400; ++round) {
        const bool stations = round % 2 == 0;
        const CutFillSurvey survey = withMethod(random.cutFill(stations, round % 4 == 0), round);
        expectCsvAndLandXmlReadBack(survey, random.project());
        // A 里程文件 is written as it is only when it keeps everything.
        if (!stations || !whatHdmLeavesOut(survey, {}).empty()) continue;
        const std::string hdm = writeHdm(survey);
        expectReadBack(hdm, readHdm(hdm), survey, {});
    }
}

// Each limit holds for every reader, so that nothing saved fails to reopen.
TEST(SavesReadBack, a_closed_section_has_at_most_the_same_points_in_every_format) {
    for (const int points : {section::kMostPoints, section::kMostPoints + 1}) {
        SectionSurvey survey;
        survey.resize(1);
        survey.setStationAnswer("y");
        survey.setPointCount(1, std::int16_t(points));
        survey.allocatePoints();
        const bool allowed = points <= section::kMostPoints;
        const SurveyRead fromCsv = readSurvey(writeSurvey(survey));
        const SurveyRead fromXml = readLandXml(*landXml(survey, kStamp));
        EXPECT_EQ(closedOf(fromCsv) != nullptr, allowed) << points;
        EXPECT_EQ(closedOf(fromXml) != nullptr, allowed) << points;
        if (!allowed) {
            EXPECT_NE(fromXml.error.message.find("最多 32766 个点"), std::string::npos)
                << fromXml.error.message;
        }
    }
}

TEST(SavesReadBack, adjacent_sections_at_one_station_are_marked_and_a_wrong_mark_is_named) {
    const struct {
        const char* name;
        std::string rows;
        int sections;  // 0: the message
        std::string message;
    } rows[] = {
        {"two at one station", "1000,1,0\r\n1000#2,2,0\r\n1020,3,0\r\n", 3, ""},
        {"metres and K form are one section", "1000,1,0\r\nK1+000,2,0\r\n", 1, ""},
        {"rows of the second stay together", "1000,1,0\r\n1000#2,2,0\r\nK1+000#2,3,0\r\n", 2, ""},
        {"a mark with no section before it", "1000#2,1,0\r\n", 0,
         "第 2 行第 1 列“1000#2”：上一个断面的桩号与它不同，“#2”只用于同一桩号上相邻的第 2 "
         "个及以后的断面"},
        {"a mark skipped", "1000,1,0\r\n1000#3,2,0\r\n", 0,
         "第 3 行第 1 列“1000#3”：与上一个断面桩号相同，应写成“1000”（属于上一个断面）或"
         "“1000#2”（同一桩号上的下一个断面）"},
        {"no number after the mark", "1000,1,0\r\n1000#x,2,0\r\n", 0,
         "第 3 行第 1 列“1000#x”不是有效的桩号：“#”后应为同一桩号上相邻的第几个断面（2、3……）"},
    };
    for (const auto& row : rows) {
        const SurveyRead closed = readSurvey("桩号,高程H,距离S\r\n" + row.rows);
        if (row.sections == 0) {
            EXPECT_FALSE(closedOf(closed)) << row.name;
            EXPECT_EQ(closed.error.message, row.message) << row.name;
        } else {
            ASSERT_TRUE(closedOf(closed)) << row.name << ": " << closed.error.message;
            EXPECT_EQ(closedOf(closed)->sectionCount(), row.sections) << row.name;
        }
    }
}

// A reader given a progress counter moves it as it goes, for the window's
// progress bar: every kind of file, of some 20,000 lines.
TEST(ReadProgress, every_reader_tells_how_far_it_has_got) {
    CutFillSurvey cutFill;
    cutFill.stationAnswer = "y";
    for (int k = 0; k < 400; ++k) {
        section::CutFillSection section;
        section.station = 20.0 * k;
        section.ground.assign(25, {100, 1});
        section.design.assign(25, {99, 1});
        cutFill.sections.push_back(std::move(section));
    }
    const std::string csv = writeSurvey(cutFill), hdm = writeHdm(cutFill);
    const std::string xml = *landXml(cutFill, kStamp);
    std::string closed = "桩号,高程H,距离S\n";
    for (int k = 0; k < 20000; ++k) closed += std::to_string(k / 50) + ",1,2\n";
    const std::function<bool(ReadProgress*)> reads[] = {
        [&](ReadProgress* p) { return closedOf(readSurvey(closed, p)) != nullptr; },
        [&](ReadProgress* p) { return cutFillOf(readSurvey(csv, p)) != nullptr; },
        [&](ReadProgress* p) { return cutFillOf(readHdm(hdm, p)) != nullptr; },
        [&](ReadProgress* p) { return cutFillOf(readLandXml(xml, p)) != nullptr; },
    };
    for (const auto& read : reads) {
        ReadProgress progress = 0;
        EXPECT_TRUE(read(&progress));
        EXPECT_GT(progress.load(), 0);
        EXPECT_LE(progress.load(), kReadDone);
    }
}

}  // namespace
}  // namespace survey_file
