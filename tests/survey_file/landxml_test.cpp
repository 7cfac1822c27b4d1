// SPDX-License-Identifier: GPL-3.0-or-later
// LandXML: both kinds of survey read back exactly as written, with and without
// stations; the figures in the file are the record's; files of other programs
// are read for what we use; every fault is named with its line.

#include "survey_file/landxml.h"

#include <gtest/gtest.h>

#include <array>
#include <pugixml.hpp>
#include <random>

#include "../dialogue/random_survey.h"
#include "read_parts.h"
#include "runtime/number_text.h"
#include "section/calculation.h"
#include "survey_file/xml_encoding.h"

namespace {

using section::CutFillSurvey;
using section::SectionSurvey;

const survey_file::LandXmlStamp kStamp{"2026-12-08", "16:54:17"};

double attribute(const pugi::xml_node& node, const char* name) {
    return *runtime::readNumber(node.attribute(name).value());
}

// Letters a station may have before its kilometres, "" the usual K.
constexpr std::array<const char*, 4> kLetters{"", "ZK", "YK", "DK"};

CutFillSurvey randomCutFill(std::mt19937& random, bool stations) {
    std::uniform_real_distribution<double> value(-500.0, 500.0);
    CutFillSurvey survey;
    survey.stationAnswer = stations ? "y" : "n";
    const int n = 1 + int(random() % 5);
    for (int k = 0; k < n; ++k) {
        section::CutFillSection section;
        section.station = stations ? value(random) : 0.0;
        if (stations) section.stationPrefix = kLetters[random() % kLetters.size()];
        for (auto* line : {&section.ground, &section.design})
            for (int j = int(random() % 6); j > 0; --j)
                line->push_back({value(random) / 3, value(random) / 7});
        if (random() % 3) section.areas = section::CutFillAreas{value(random), value(random)};
        if (k + 1 < n) {
            section.spacing = value(random) / 9;
            section.cutVolume = value(random) * 3;
            section.fillVolume = value(random) * 5;
        }
        survey.totalCut += section.cutVolume;
        survey.totalFill += section.fillVolume;
        survey.sections.push_back(section);
    }
    return survey;
}

TEST(LandXml, closed_surveys_read_back_equal_and_the_file_holds_their_areas_and_volumes) {
    std::mt19937 random(21);
    for (int round = 0; round < 300; ++round) {
        SectionSurvey survey = section::testing::randomSurvey(random);
        ASSERT_TRUE(section::calculateSurvey(survey));
        const std::optional<std::string> xml = survey_file::landXml(survey, kStamp);
        ASSERT_TRUE(xml);
        survey_file::SurveyRead read = survey_file::readLandXml(*xml);
        ASSERT_TRUE(closedOf(read)) << read.error.message;
        ASSERT_TRUE(section::calculateSurvey(*closedOf(read)));
        EXPECT_EQ(*closedOf(read), survey) << *xml;

        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(xml->c_str()));
        const pugi::xml_node crossSects =
            document.child("LandXML").child("Alignments").child("Alignment").child("CrossSects");
        EXPECT_STREQ(crossSects.attribute("calcMethod").value(), "AverageEndArea");
        int i = 0;
        double sum = 0.0;
        for (pugi::xml_node section : crossSects.children("CrossSect")) {
            ++i;
            const pugi::xml_node outline = section.child("DesignCrossSectSurf");
            EXPECT_STREQ(outline.attribute("closedArea").value(), "true");
            EXPECT_EQ(attribute(outline, "area"), survey.areas(i));
            if (i < survey.sectionCount())
                EXPECT_EQ(attribute(outline, "volume"), survey.volumes(i));
            else
                EXPECT_FALSE(outline.attribute("volume"));
            EXPECT_EQ(attribute(section, "sta"),
                      survey.stationsEntered() ? survey.stations(i) : sum);
            sum += survey.spacings(i);
        }
        EXPECT_EQ(i, survey.sectionCount());
    }
}

TEST(LandXml, cut_fill_surveys_read_back_equal_and_the_file_holds_their_areas_and_volumes) {
    std::mt19937 random(20);
    for (int round = 0; round < 300; ++round) {
        const CutFillSurvey survey = randomCutFill(random, round % 2);
        const std::optional<std::string> xml = survey_file::landXml(survey, kStamp);
        ASSERT_TRUE(xml);
        const survey_file::SurveyRead read = survey_file::readLandXml(*xml);
        ASSERT_TRUE(cutFillOf(read)) << read.error.message;
        EXPECT_EQ(*cutFillOf(read), survey) << *xml;

        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(xml->c_str()));
        std::size_t k = 0;
        for (pugi::xml_node section : document.child("LandXML")
                                          .child("Alignments")
                                          .child("Alignment")
                                          .child("CrossSects")
                                          .children("CrossSect")) {
            const section::CutFillSection& from = survey.sections[k++];
            EXPECT_EQ(bool(section.attribute("areaCut")), bool(from.areas));
            if (from.areas) {
                EXPECT_EQ(attribute(section, "areaCut"), from.areas->cut);
                EXPECT_EQ(attribute(section, "areaFill"), from.areas->fill);
            }
            if (k < survey.sections.size()) {
                EXPECT_EQ(attribute(section, "volumeCut"), from.cutVolume);
                EXPECT_EQ(attribute(section, "volumeFill"), from.fillVolume);
            }
        }
        EXPECT_EQ(k, survey.sections.size());
    }
}

TEST(LandXml, offsets_are_negative_to_the_left_and_the_ground_comes_before_the_design) {
    CutFillSurvey survey;
    survey.stationAnswer = "y";
    section::CutFillSection section;
    section.station = 1000;
    section.ground = {{100, 2}, {100.5, -3}};
    section.design = {{101, 1.5}};
    survey.sections = {section};
    const std::string xml = *survey_file::landXml(survey, kStamp);
    const std::size_t ground = xml.find("<PntList2D>-2 100 3 100.5</PntList2D>");
    const std::size_t design = xml.find("<CrossSectPnt>-1.5 101</CrossSectPnt>");
    EXPECT_NE(ground, std::string::npos) << xml;
    EXPECT_NE(design, std::string::npos) << xml;
    EXPECT_LT(ground, design);
    EXPECT_NE(xml.find(R"(date="2026-12-08" time="16:54:17" version="1.2")"), std::string::npos);
    EXPECT_NE(xml.find(R"(name="K1+000.000")"), std::string::npos);
    EXPECT_FALSE(survey_file::landXml(CutFillSurvey{}, kStamp));
}

// `sta` is the number; the name shows the station with its letters, and
// gives them back when it says the same station. A bare "0+020.000" names
// many programs' sections without meaning "no letters": it reads as K.
TEST(LandXml, station_letters_go_into_the_section_name_and_come_back_from_it) {
    const struct {
        const char* prefix;
        double station;
        const char* name;
        const char* readBack;
    } rows[] = {{"ZK", 1020, "ZK1+020.000", "ZK"},
                {"YK", 1020.0625, "YK1+020.063", "YK"},
                {"", 1040, "K1+040.000", ""},
                {"-", 1060, "1+060.000", ""}};
    SectionSurvey survey;
    survey.resize(int(std::size(rows)));
    survey.setStationAnswer("y");
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        survey.setStation(i, rows[i - 1].station);
        survey.setStationPrefix(i, rows[i - 1].prefix);
    }
    survey.allocatePoints();
    ASSERT_TRUE(section::calculateSurvey(survey));
    const std::string xml = *survey_file::landXml(survey, kStamp);
    survey_file::SurveyRead read = survey_file::readLandXml(xml);
    ASSERT_TRUE(closedOf(read)) << read.error.message;
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        const auto& row = rows[i - 1];
        EXPECT_NE(xml.find("sta=\"" + runtime::numberToText(row.station) + "\" name=\"" + row.name +
                           "\""),
                  std::string::npos)
            << xml;
        EXPECT_EQ(closedOf(read)->stations(i), row.station);
        EXPECT_EQ(closedOf(read)->stationPrefix(i), row.readBack) << row.name;
    }

    // Names of other programs: letters taken only from a name of the same station.
    for (const auto& [name, prefix] : {std::pair{"ZK1+020.00", "ZK"},
                                       {"zk1+020", "ZK"},
                                       {"ZK1+030", ""},
                                       {"0+020.00", ""},
                                       {"ABCD1+020", ""},
                                       {"桥头", ""}}) {
        const survey_file::SurveyRead named = survey_file::readLandXml(
            std::string(
                R"(<LandXML><Alignments><Alignment><CrossSects><CrossSect sta="1020" name=")") +
            name + R"("/></CrossSects></Alignment></Alignments></LandXML>)");
        ASSERT_TRUE(named.survey) << named.error.message;
        EXPECT_EQ(named.survey->stationPrefix(1), prefix) << name;
    }
}

TEST(LandXml, another_programs_file_gives_its_lines_stations_and_figures) {
    const survey_file::SurveyRead read = survey_file::readLandXml(R"(<?xml version="1.0"?>
<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2" version="1.2" date="2020-01-01" time="00:00:00">
  <Units><Metric areaUnit="squareMeter" linearUnit="meter" volumeUnit="cubicMeter"/></Units>
  <CgPoints><CgPoint name="1">1 2 3</CgPoint></CgPoints>
  <Alignments>
    <Alignment name="A" length="20" staStart="0">
      <CoordGeom><Line><Start>0 0</Start><End>0 20</End></Line></CoordGeom>
      <CrossSects name="EG-FG">
        <CrossSect sta="0" areaCut="1.5" volumeCut="30" volumeFill="0">
          <CrossSectSurf name="EG"><PntList2D>-10 5
            10 6</PntList2D></CrossSectSurf>
          <CrossSectSurf name="Other"><PntList2D>0 0 1 1</PntList2D></CrossSectSurf>
          <DesignCrossSectSurf name="FG" side="both"><CrossSectPnt code="EP">-5 4</CrossSectPnt><CrossSectPnt>5 4</CrossSectPnt></DesignCrossSectSurf>
          <Feature name="other"><Property label="x" value="y"/></Feature>
        </CrossSect>
        <CrossSect sta="20"/>
      </CrossSects>
    </Alignment>
  </Alignments>
</LandXML>)");
    ASSERT_TRUE(cutFillOf(read)) << read.error.message;
    const CutFillSurvey& survey = *cutFillOf(read);
    EXPECT_TRUE(survey.stationsEntered());
    ASSERT_EQ(survey.sectionCount(), 2);
    EXPECT_EQ(survey.sections[0].ground, (std::vector<section::Point>{{5, 10}, {6, -10}}));
    EXPECT_EQ(survey.sections[0].design, (std::vector<section::Point>{{4, 5}, {4, -5}}));
    EXPECT_EQ(survey.sections[0].areas, (section::CutFillAreas{1.5, 0}));
    EXPECT_EQ(survey.sections[1].station, 20);
    EXPECT_FALSE(survey.sections[1].areas);
    EXPECT_EQ(survey.totalCut, 30);
}

TEST(LandXml, the_project_information_reads_back_and_another_programs_project_gives_its_name) {
    CutFillSurvey survey;
    survey.stationAnswer = "y";
    section::CutFillSection section;
    section.ground = {{100, 2}, {100.5, -3}};
    survey.sections = {section};
    const section::ProjectInfo full{"某某公路改建工程", "K1+000～K1+040", "张三", "李四",
                                    "2026-12-09"};
    const section::ProjectInfo some{"", "", "", "李四 & \"王五\"", ""};
    for (const section::ProjectInfo& project : {full, some, section::ProjectInfo{}}) {
        const std::string xml = *survey_file::landXml(survey, kStamp, project);
        EXPECT_EQ(xml.find("<Project") != std::string::npos, !project.empty()) << xml;
        const survey_file::SurveyRead read = survey_file::readLandXml(xml);
        ASSERT_TRUE(cutFillOf(read)) << read.error.message;
        EXPECT_EQ(read.project, project) << xml;
    }
    const survey_file::SurveyRead other = survey_file::readLandXml(
        R"(<LandXML><Project name="G15 改扩建" desc="第三合同段" state="proposed">)"
        R"(<Feature name="other"><Property label="计算" value="x"/></Feature></Project>)"
        R"(<Alignments><Alignment name="A" length="0" staStart="0"><CrossSects>)"
        R"(<CrossSect sta="0"/></CrossSects></Alignment></Alignments></LandXML>)");
    ASSERT_TRUE(cutFillOf(other)) << other.error.message;
    EXPECT_EQ(other.project, (section::ProjectInfo{"G15 改扩建", "第三合同段", "", "", ""}));
}

std::string withSection(const std::string& inside) {
    return "<LandXML>\n<Alignments>\n<Alignment name=\"A\" length=\"0\" staStart=\"0\">\n"
           "<CrossSects>\n" +
           inside + "\n</CrossSects>\n</Alignment>\n</Alignments>\n</LandXML>";
}

TEST(LandXml, every_fault_is_named_with_its_line) {
    const struct {
        const char* name;
        std::string text;
        std::string message;
    } rows[] = {
        {"broken XML", "<LandXML>\n<Units>\n</LandXML>",
         "第 3 行：XML 格式有误：结束标记与开始标记不配对"},
        {"not LandXML", "<html/>",
         "第 1 行：这不是 LandXML 文件：最外层的元素是“html”，应为“LandXML”"},
        {"no sections", "<LandXML><Alignments/></LandXML>",
         "文件中没有横断面（LandXML 的 "
         "Alignments/Alignment/CrossSects）：请在设计程序中导出带横断面的 "
         "LandXML 文件"},
        {"imperial without its foot",
         "<LandXML>\n<Units><Imperial areaUnit=\"squareFoot\"/></Units></LandXML>",
         "第 2 行：文件的英制单位（Imperial）没有写明 linearUnit（长度单位）：请在原来的程序中导出"
         "以米或英尺为单位的 LandXML 文件"},
        {"imperial in acres",
         "<LandXML>\n<Units><Imperial linearUnit=\"foot\" areaUnit=\"acre\"/></Units></LandXML>",
         "第 2 行：文件的单位 areaUnit "
         "是“acre”，本程序读“squareFoot”：请在原来的程序中导出以米或英尺"
         "为单位的 LandXML 文件"},
        {"millimetres", "<LandXML><Units>\n<Metric linearUnit=\"millimeter\"/></Units></LandXML>",
         "第 2 行：文件的单位 linearUnit 是“millimeter”，本程序只读“meter”"},
        {"no station", withSection("<CrossSect/>"), "第 5 行：CrossSect 缺少属性 sta"},
        {"bad station", withSection("<CrossSect sta=\"1O\"/>"),
         "第 5 行：CrossSect 的属性 sta“1O”不是有效的数"},
        {"bad coordinate on its own line",
         withSection(
             "<CrossSect sta=\"0\"><CrossSectSurf name=\"g\"><PntList2D>1 2\n3 x</PntList2D>"
             "</CrossSectSurf></CrossSect>"),
         "第 6 行：PntList2D 中的坐标“x”不是有效的数"},
        {"odd count",
         withSection("<CrossSect sta=\"0\"><CrossSectSurf name=\"g\"><PntList2D>1 2 3</PntList2D>"
                     "</CrossSectSurf></CrossSect>"),
         "第 5 行：PntList2D 中有 3 个数，应为“偏距 高程”成对的数"},
        {"slope distance",
         withSection("<CrossSect sta=\"0\"><DesignCrossSectSurf>\n<CrossSectPnt dataFormat=\"Slope "
                     "Distance\">1 2</CrossSectPnt></DesignCrossSectSurf></CrossSect>"),
         "第 6 行：CrossSectPnt 的 dataFormat 是“Slope Distance”，本程序只读“Offset "
         "Elevation”（偏距 "
         "高程）的点"},
        {"point by reference",
         withSection("<CrossSect sta=\"0\"><DesignCrossSectSurf><CrossSectPnt pntRef=\"7\"/>"
                     "</DesignCrossSectSurf></CrossSect>"),
         "第 5 行：CrossSectPnt 没有坐标（只引用了别处的点），本程序读不了"},
        {"a control character in the project",
         "<LandXML>\n<Project name=\"甲&#7;乙\"/>" +
             withSection("<CrossSect sta=\"0\"/>").substr(std::string("<LandXML>").size()),
         "第 2 行：工程信息“甲\xEF\xBF\xBD乙”中有控制字符（U+0007），不能作为工程信息：请在文本"
         "编辑器中删去它"},
        {"three numbers in a point",
         withSection("<CrossSect sta=\"0\"><DesignCrossSectSurf><CrossSectPnt>1 2 3</CrossSectPnt>"
                     "</DesignCrossSectSurf></CrossSect>"),
         "第 5 行：CrossSectPnt 中有 3 个数，应为“偏距 高程”成对的数（一个点两个数）"},
    };
    for (const auto& row : rows) {
        const survey_file::SurveyRead read = survey_file::readLandXml(row.text);
        EXPECT_FALSE(closedOf(read) || cutFillOf(read)) << row.name;
        EXPECT_EQ(read.error.message, row.message) << row.name;
    }
}

TEST(LandXml, a_running_station_beyond_the_range_of_a_value_is_refused_by_either_kind) {
    for (const double last : {3e38, 0.4e38}) {
        CutFillSurvey cutFill;
        cutFill.stationAnswer = "n";
        cutFill.sections.resize(3);
        cutFill.sections[0].spacing = 3e38;
        cutFill.sections[1].spacing = last;
        SectionSurvey closed;
        closed.resize(3);
        closed.setStationAnswer("n");
        closed.setSpacing(1, 3e38);
        closed.setSpacing(2, last);
        const bool beyond = last == 3e38;
        for (const std::optional<std::string>& why :
             {survey_file::whyNoLandXml(cutFill), survey_file::whyNoLandXml(closed)}) {
            EXPECT_EQ(why.has_value(), beyond);
            if (beyond) {
                EXPECT_NE(why->find("到第 3 个断面累计为 6e+38"), std::string::npos) << *why;
            }
        }
        // Within the range it reads back.
        if (!beyond) {
            EXPECT_TRUE(closedOf(survey_file::readLandXml(*survey_file::landXml(closed, kStamp))));
        }
    }
}

TEST(LandXml, xml_is_told_from_other_text_by_its_start) {
    EXPECT_TRUE(survey_file::looksLikeXml("\xEF\xBB\xBF  <?xml version=\"1.0\"?><LandXML/>"));
    EXPECT_TRUE(survey_file::looksLikeXml("\n<LandXML>"));
    EXPECT_FALSE(survey_file::looksLikeXml("桩号,高程H,距离S\n"));
    EXPECT_FALSE(survey_file::looksLikeXml(""));
}

}  // namespace
