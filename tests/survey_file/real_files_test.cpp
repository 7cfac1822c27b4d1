// SPDX-License-Identifier: GPL-3.0-or-later
// LandXML shaped as other programs write it (tests/data/real): the right
// alignment and surfaces are read, by choice or by the guess, and the areas
// equal those tests/data/real/expected_areas.py works out in exact fractions.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "read_parts.h"
#include "section/any_survey.h"
#include "survey_file/landxml.h"

namespace {

using survey_file::LandXmlChoice;
using survey_file::SurfaceElement;

std::string realFile(const std::string& name) {
    std::ifstream in(std::string(VELMORIN_REAL_FILES) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// An exact fraction as expected_areas.py prints it.
struct Fraction {
    long long numerator;
    long long denominator = 1;
    double value() const { return double(numerator) / double(denominator); }
};

struct Areas {
    Fraction cut, fill;
};

struct FileRow {
    const char* name;
    const char* file;
    LandXmlChoice given;
    LandXmlChoice taken;
    std::vector<Areas> areas;
};

TEST(RealFiles, each_reads_the_chosen_lines_with_the_areas_worked_out_apart) {
    const std::vector<FileRow> rows{
        {"railway codes in shuffled order: 10 the ground, 50 the formation",
         "railway-codes.xml",
         {},
         {"Achse 1", "10", "50"},
         {{{11857, 2400}, {2897, 525}}, {{3719, 1800}, {1619, 300}}, {{0}, {333, 20}}}},
        {"Civil 3D links: the top link, on every section, is the design",
         "civil3d-links.xml",
         {},
         {"Centerline (1)", "EG", "Corridor (1) Top"},
         {{{12, 5}, {619, 100}}, {{100, 17}, {24, 85}}, {{0}, {13}}}},
        {"the first alignment with sections by default, named in Chinese",
         "two-alignments.xml",
         {},
         {"主线", "原地面", "设计线"},
         {{{0}, {12}}, {{6}, {0}}}},
        {"the second alignment chosen, its design a CrossSectSurf before the ground",
         "two-alignments.xml",
         {"匝道A", {}, {}},
         {"匝道A", "地面线", "设计"},
         {{{1}, {1}}, {{0}, {4}}, {{8}, {0}}}},
        {"a ground in pieces: touching ones joined, a gap without area",
         "ground-pieces.xml",
         {},
         {"Road", "existing ground", "finished grade"},
         {{{41, 8}, {9, 4}}, {{309, 112}, {27, 10}}}},
        {"a surface chosen by hand over the guess",
         "civil3d-links.xml",
         {{}, {}, "Corridor (1) Pave1"},
         {"Centerline (1)", "EG", "Corridor (1) Pave1"},
         {}},
    };
    for (const FileRow& row : rows) {
        survey_file::SurveyRead read = survey_file::readLandXml(realFile(row.file), row.given);
        ASSERT_TRUE(read.survey) << row.name << ": " << read.error.message;
        ASSERT_TRUE(read.landXml) << row.name;
        EXPECT_EQ(read.landXml->choice, row.taken) << row.name;
        ASSERT_FALSE(section::calculate(*read.survey)) << row.name;
        const section::CutFillSurvey* lines = cutFillOf(read);
        ASSERT_TRUE(lines) << row.name;
        if (row.areas.empty()) continue;
        ASSERT_EQ(lines->sections.size(), row.areas.size()) << row.name;
        for (std::size_t k = 0; k < row.areas.size(); ++k) {
            ASSERT_TRUE(lines->sections[k].areas) << row.name << " section " << k + 1;
            EXPECT_NEAR(lines->sections[k].areas->cut, row.areas[k].cut.value(), 1e-9)
                << row.name << " section " << k + 1;
            EXPECT_NEAR(lines->sections[k].areas->fill, row.areas[k].fill.value(), 1e-9)
                << row.name << " section " << k + 1;
        }
    }
}

TEST(RealFiles, the_contents_list_every_alignment_and_surface_with_the_sections_carrying_it) {
    const survey_file::SurveyRead links = survey_file::readLandXml(realFile("civil3d-links.xml"));
    ASSERT_TRUE(links.landXml);
    const survey_file::LandXmlContents expected{
        {{"Centerline (1)",
          3,
          {{SurfaceElement::CrossSectSurf, "EG", "Existing Ground", false, 3},
           {SurfaceElement::DesignCrossSectSurf, "Corridor (1) Pave1", "", false, 2},
           {SurfaceElement::DesignCrossSectSurf, "Corridor (1) Top", "", false, 3}}}}};
    EXPECT_EQ(links.landXml->contents, expected);
    const survey_file::SurveyRead two = survey_file::readLandXml(realFile("two-alignments.xml"));
    ASSERT_TRUE(two.landXml);
    const auto& alignments = two.landXml->contents.alignments;
    ASSERT_EQ(alignments.size(), 2u) << "the alignment without CrossSects is none to choose";
    EXPECT_EQ(alignments[0].name, "主线");
    EXPECT_EQ(alignments[1].name, "匝道A");
    EXPECT_EQ(alignments[1].sections, 3);
}

TEST(RealFiles, closed_areas_after_the_outline_are_kept_as_materials_with_their_areas) {
    survey_file::SurveyRead read = survey_file::readLandXml(realFile("civil3d-materials.xml"));
    section::SectionSurvey* closed = closedOf(read);
    ASSERT_TRUE(closed) << read.error.message;
    ASSERT_TRUE(read.landXml);
    const std::vector<survey_file::SectionMaterial> expected{
        {1, "Base", 17.0 / 8}, {1, "Subbase", 133.0 / 40}, {2, "Base", 5.0 / 2}};
    const auto& materials = read.landXml->materials;
    ASSERT_EQ(materials.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(materials[k].section, expected[k].section);
        EXPECT_EQ(materials[k].name, expected[k].name);
        EXPECT_NEAR(materials[k].area, expected[k].area, 1e-9) << materials[k].name;
    }
    ASSERT_FALSE(section::calculate(*read.survey));
    EXPECT_NEAR(std::abs(closed->areas(1)), 2.0, 1e-9) << "the first closed area, the pavement";
    EXPECT_NEAR(std::abs(closed->areas(2)), 13.0 / 5, 1e-9);
}

TEST(RealFiles, a_gap_in_a_surface_is_told_naming_the_section_and_where_it_is) {
    const survey_file::SurveyRead read = survey_file::readLandXml(realFile("ground-pieces.xml"));
    ASSERT_TRUE(read.landXml);
    ASSERT_EQ(read.landXml->gaps.size(), 1u) << "the pieces that touch are no gap";
    EXPECT_EQ(read.landXml->gaps[0],
              "第 2 个断面（sta=10）的地面线断开：距离 S 从 3 到 -2 之间没有点（PntList2D "
              "不相接），这一段不计面积，地面线在这里随另一条线画出");
}

TEST(RealFiles, a_name_the_file_does_not_have_is_refused_naming_those_it_has) {
    const std::string text = realFile("railway-codes.xml");
    const std::pair<LandXmlChoice, const char*> rows[] = {
        {{{}, "20", {}}, "文件中没有名为“20”的地面线：文件中可选的有“10”“30”“50”，请选其中之一"},
        {{{}, {}, "Planum"},
         "文件中没有名为“Planum”的设计线：文件中可选的有“10”“30”“50”，请选其中之一"},
        {{"Achse 2", {}, {}},
         "文件中没有名为“Achse 2”的路线（Alignment）：文件中可选的有“Achse 1”，请选其中之一"},
    };
    for (const auto& [choice, message] : rows) {
        const survey_file::SurveyRead read = survey_file::readLandXml(text, choice);
        EXPECT_FALSE(read.survey) << message;
        EXPECT_EQ(read.error.message, message);
        ASSERT_TRUE(read.landXml && read.landXml->fault);
    }
}

}  // namespace
