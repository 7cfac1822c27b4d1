// SPDX-License-Identifier: GPL-3.0-or-later
// The files shaped as other programs write them (tests/data/real) read as
// the table tests/data/real/expected.xml says, row by row: what a LandXML
// file offers, the alignment and surfaces chosen or guessed (or the name
// refused), the kind, the names, the stations with their letters, the codes,
// the notes, gaps and materials, and the areas; expected_areas.py checks the
// table's figures against an exact computation of its own. Every file in the
// folder has its rows, and each reading comes back the same through every
// format that says it keeps all of it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <pugixml.hpp>
#include <set>
#include <sstream>

#include "read_parts.h"
#include "survey_file/file_format.h"
#include "survey_file/text_decoder.h"

namespace survey_file {
namespace {

const std::filesystem::path kFolder = VELMORIN_REAL_FILES;

pugi::xml_node corpus() {
    static pugi::xml_document table;
    static const bool loaded = bool(table.load_file((kFolder / "expected.xml").c_str()));
    EXPECT_TRUE(loaded) << "expected.xml";
    return table.child("corpus");
}

std::string bytesOf(const std::string& name) {
    std::ifstream in(kFolder / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Text that is not UTF-8, as the window reads it.
std::optional<std::string> toUtf8(std::string_view bytes) {
    return decodeText(bytes, Charset::Gb18030);
}

// "11857/2400", "13" as a number.
double fraction(std::string text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos) return std::stod(text);
    return std::stod(text.substr(0, slash)) / std::stod(text.substr(slash + 1));
}

std::optional<std::string> attribute(const pugi::xml_node& row, const std::string& name) {
    const pugi::xml_attribute found = row.attribute(name.c_str());
    return found ? std::optional<std::string>(found.value()) : std::nullopt;
}

LandXmlChoice choiceOf(const pugi::xml_node& row, const std::string& prefix) {
    return {attribute(row, prefix + "alignment"), attribute(row, prefix + "ground"),
            attribute(row, prefix + "design")};
}

// "Achse 1 / 10 / -" for a failure to show.
std::string text(const LandXmlChoice& choice) {
    return choice.alignment.value_or("-") + " / " + choice.ground.value_or("-") + " / " +
           choice.design.value_or("-");
}

std::vector<std::string> texts(const pugi::xml_node& row, const char* name) {
    std::vector<std::string> out;
    for (pugi::xml_node each : row.children(name)) out.push_back(each.text().get());
    return out;
}

// One line per alignment and surface, so that a difference shows as one.
std::vector<std::string> lines(const LandXmlContents& contents) {
    std::vector<std::string> out;
    for (const LandXmlAlignment& alignment : contents.alignments) {
        out.push_back(alignment.name + ", " + std::to_string(alignment.sections) + " sections");
        for (const LandXmlSurface& s : alignment.surfaces)
            out.push_back((s.element == SurfaceElement::CrossSectSurf ? "  CrossSectSurf "
                                                                      : "  DesignCrossSectSurf ") +
                          s.name + " “" + s.desc + "”" + (s.closed ? " closed" : "") + " on " +
                          std::to_string(s.sections));
    }
    return out;
}

LandXmlContents offered(const pugi::xml_node& file) {
    LandXmlContents contents;
    for (pugi::xml_node a : file.children("alignment")) {
        LandXmlAlignment& alignment = contents.alignments.emplace_back(
            LandXmlAlignment{a.attribute("name").value(), a.attribute("sections").as_int(), {}});
        for (pugi::xml_node s : a.children("surface"))
            alignment.surfaces.push_back(
                {std::string_view(s.attribute("element").value()) == "CrossSectSurf"
                     ? SurfaceElement::CrossSectSurf
                     : SurfaceElement::DesignCrossSectSurf,
                 s.attribute("name").value(), s.attribute("desc").value(),
                 s.attribute("closed").as_bool(), s.attribute("sections").as_int()});
    }
    return contents;
}

std::string joined(const std::vector<std::string>& codes) {
    std::string out;
    for (std::size_t k = 0; k < codes.size(); ++k) out += (k ? "," : "") + codes[k];
    return out;
}

// A figure of the table, when it gives it, equal to the one read.
void expectFigure(const pugi::xml_node& row, const char* name, double read, double within) {
    if (const auto figure = attribute(row, name)) {
        EXPECT_NEAR(read, fraction(*figure), within) << name;
    }
}

// The figures a file states, in metres, as read before they are worked out.
void expectStated(const section::Survey& survey, const pugi::xml_node& rows) {
    const section::CutFillSurvey* lines = survey.cutFill();
    if (!lines) return;
    int i = 0;
    for (pugi::xml_node row : rows.children("section")) {
        SCOPED_TRACE(row.attribute("station").value());
        const section::CutFillSection& read = lines->sections.at(std::size_t(i++));
        const section::CutFillAreas areas = read.areas.value_or(section::CutFillAreas{});
        expectFigure(row, "areaCut", areas.cut, 0);
        expectFigure(row, "areaFill", areas.fill, 0);
        expectFigure(row, "volumeCut", read.cutVolume, 0);
        expectFigure(row, "volumeFill", read.fillVolume, 0);
    }
}

void expectSections(const SurveyRead& read, const pugi::xml_node& rows) {
    const section::Survey& survey = *read.survey;
    std::vector<SectionMaterial> materials;
    int i = 0;
    for (pugi::xml_node row : rows.children("section")) {
        SCOPED_TRACE(row.attribute("station").value());
        ASSERT_LT(i++, survey.sectionCount());
        EXPECT_EQ(section::stationLabel(survey, i), row.attribute("station").value());
        if (const section::CutFillSurvey* lines = survey.cutFill()) {
            const section::CutFillSection& s = lines->sections.at(std::size_t(i - 1));
            EXPECT_EQ(joined(s.groundCodes), row.attribute("ground-codes").value());
            EXPECT_EQ(joined(s.designCodes), row.attribute("design-codes").value());
            ASSERT_EQ(s.areas.has_value(), bool(row.attribute("cut")));
            if (s.areas) expectFigure(row, "cut", s.areas->cut, 1e-9);
            if (s.areas) expectFigure(row, "fill", s.areas->fill, 1e-9);
        } else {
            expectFigure(row, "area", std::abs(survey.closedOutline()->areas(i)), 1e-9);
        }
        for (pugi::xml_node m : row.children("material"))
            materials.push_back(
                {i, m.attribute("name").value(), fraction(m.attribute("area").value())});
    }
    EXPECT_EQ(survey.sectionCount(), i);
    const std::vector<SectionMaterial> found =
        read.landXml ? read.landXml->materials : std::vector<SectionMaterial>{};
    ASSERT_EQ(found.size(), materials.size());
    for (std::size_t k = 0; k < found.size(); ++k) {
        EXPECT_EQ(found[k].section, materials[k].section);
        EXPECT_EQ(found[k].name, materials[k].name);
        EXPECT_NEAR(found[k].area, materials[k].area, 1e-9) << found[k].name;
    }
}

// Written in each format that says it leaves nothing of the survey out, the
// survey reads back the same, and its 工程信息 where the format holds it.
void expectReadBack(const SurveyRead& read) {
    for (const Format format : formatsToOffer(*read.survey)) {
        if (whyNotWritten(*read.survey, format) || !whatIsLeftOut(*read.survey, format, {}).empty())
            continue;
        const bool hdm = format == Format::Hdm;
        SurveyRead back = readSurveyFile(surveyFileText(*read.survey, format, read.project),
                                         hdm ? "back.hdm" : "back.csv", toUtf8);
        SCOPED_TRACE(hdm ? "back from .hdm" : "back from CSV");
        ASSERT_TRUE(back.survey) << back.error.message;
        ASSERT_FALSE(section::calculate(*back.survey));
        EXPECT_EQ(*back.survey, *read.survey);
        if (whatIsLeftOut(*read.survey, format, read.project).empty()) {
            EXPECT_EQ(back.project, read.project);
        }
    }
}

TEST(RealCorpus, every_file_reads_as_its_rows_say_and_reads_back_the_same) {
    for (pugi::xml_node file : corpus().children("file")) {
        const std::string name = file.attribute("name").value();
        const std::string bytes = bytesOf(name);
        for (pugi::xml_node row : file.children("read")) {
            SCOPED_TRACE(name + " " + row.attribute("alignment").value());
            SurveyRead read =
                readSurveyFile(bytes, name, toUtf8, nullptr, choiceOf(row, "choose-"));
            ASSERT_TRUE(read.survey) << read.error.message;
            EXPECT_EQ(
                read.survey->kind() == section::SurveyKind::ClosedOutline ? "closed" : "cut-fill",
                std::string(row.attribute("kind").value()));
            EXPECT_EQ(read.project.projectName, file.attribute("project").value());
            EXPECT_EQ(read.project.segment, file.attribute("segment").value());
            EXPECT_EQ(read.notes, texts(row, "note"));
            ASSERT_EQ(read.landXml.has_value(), name.ends_with(".xml"));
            if (read.landXml) {
                EXPECT_EQ(lines(read.landXml->contents), lines(offered(file)));
                EXPECT_TRUE(read.landXml->choice == choiceOf(row, ""))
                    << text(read.landXml->choice) << " read";
                EXPECT_EQ(read.landXml->gaps, texts(row, "gap"));
            }
            expectStated(*read.survey, row);
            ASSERT_FALSE(section::calculate(*read.survey));
            expectSections(read, row);
            expectReadBack(read);
        }
        for (pugi::xml_node row : file.children("refuse")) {
            const SurveyRead read =
                readSurveyFile(bytes, name, toUtf8, nullptr, choiceOf(row, "choose-"));
            EXPECT_FALSE(read.survey) << name;
            EXPECT_EQ(read.error.message, row.text().get());
            EXPECT_TRUE(read.landXml && read.landXml->fault) << name;
        }
    }
}

TEST(RealCorpus, every_file_in_the_folder_has_its_rows) {
    std::set<std::string> listed{"README.md", "expected.xml", "expected_areas.py"};
    for (pugi::xml_node file : corpus().children("file"))
        listed.insert(file.attribute("name").value());
    for (const auto& entry : std::filesystem::directory_iterator(kFolder))
        EXPECT_TRUE(listed.contains(entry.path().filename().string()))
            << entry.path().filename() << " has no row in expected.xml";
}

}  // namespace
}  // namespace survey_file
