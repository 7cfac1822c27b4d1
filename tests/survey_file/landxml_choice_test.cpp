// SPDX-License-Identifier: GPL-3.0-or-later
// The guess of the ground and the design from the names design programs give
// them, in Chinese, English and German.

#include "survey_file/landxml_choice.h"

#include <gtest/gtest.h>

namespace {

using survey_file::LandXmlSurface;
using survey_file::SurfaceElement;

struct NameRow {
    const char* name;
    bool ground;
    bool design;
};

TEST(LandXmlChoice, names_read_as_ground_or_design_in_chinese_english_and_german) {
    const NameRow rows[] = {
        {"地面线", true, false},
        {"原地面", true, false},
        {"原地面线", true, false},
        {"设计线", false, true},
        {"设计", false, true},
        {"設計線", false, true},
        {"原地面線", true, false},
        {"EG", true, false},
        {"eg surface", true, false},
        {"Existing Ground", true, false},
        {"EXISTING", true, false},
        {"FG", false, true},
        {"Finished Grade", false, true},
        {"Proposed", false, true},
        {"Corridor (1) Design", false, true},
        {"Gelände", true, false},
        {"GELÄNDE", true, false},
        {"Urgelände", true, false},
        {"Planum", false, true},
        {"Entwurf", false, true},
        {"10", true, false},
        {"50", false, true},
        {"100", false, false},
        {"LEG", false, false},
        {"Corridor (1) Top", false, false},
        {"Schotteroberkante", false, false},
    };
    for (const NameRow& row : rows) {
        EXPECT_EQ(survey_file::looksLikeGround(row.name), row.ground) << row.name;
        EXPECT_EQ(survey_file::looksLikeDesign(row.name), row.design) << row.name;
    }
}

LandXmlSurface plain(const char* name, const char* desc = "", int sections = 1) {
    return {SurfaceElement::CrossSectSurf, name, desc, false, sections};
}
LandXmlSurface design(const char* name, int sections = 1, bool closed = false) {
    return {SurfaceElement::DesignCrossSectSurf, name, "", closed, sections};
}

struct GuessRow {
    const char* name;
    std::vector<LandXmlSurface> surfaces;
    std::optional<std::string> ground, design;
};

TEST(LandXmlChoice, the_guess_takes_the_named_ground_and_a_design_never_the_ground) {
    const std::vector<GuessRow> rows{
        {"codes in any order", {plain("50"), plain("30"), plain("10")}, "10", "50"},
        {"a description names them", {plain("A", "Planum"), plain("B", "Gelände")}, "B", "A"},
        {"no name: the first CrossSectSurf, no design", {plain("X"), plain("Y")}, "X", {}},
        {"the open design on most sections, not the first",
         {plain("EG"), design("Pave1", 2), design("Top", 3), design("Datum", 3)},
         "EG",
         "Top"},
        {"a closed area is no candidate", {plain("EG"), design("Pavement", 3, true)}, "EG", {}},
        {"a named design before an unnamed one",
         {plain("原地面"), design("Link", 5), design("设计线", 2)},
         "原地面",
         "设计线"},
        {"a DesignCrossSectSurf before a CrossSectSurf of design names",
         {plain("地面线"), plain("设计线"), design("FG")},
         "地面线",
         "FG"},
        {"only a design line", {design("设计线")}, {}, "设计线"},
    };
    for (const GuessRow& row : rows) {
        const survey_file::LandXmlContents contents{{{"A", 1, row.surfaces}}};
        const survey_file::LandXmlChoice guess = survey_file::guessChoice(contents);
        EXPECT_EQ(guess.alignment, "A") << row.name;
        EXPECT_EQ(guess.ground, row.ground) << row.name;
        EXPECT_EQ(guess.design, row.design) << row.name;
    }
}

TEST(LandXmlChoice, a_ground_given_by_hand_is_never_guessed_as_the_design) {
    const survey_file::LandXmlContents contents{{{"A", 1, {plain("10"), plain("50")}}}};
    const survey_file::LandXmlChoice guess = survey_file::guessChoice(contents, {{}, "50", {}});
    EXPECT_EQ(guess.ground, "50");
    EXPECT_EQ(guess.design, std::nullopt);
}

}  // namespace
