// SPDX-License-Identifier: GPL-3.0-or-later
// LandXML files shaped as other programs write them (tests/data/real): each
// opens in its own encoding and units with its names right, and its stations
// and areas equal those worked out here on their own: every printed number
// taken as an exact decimal, feet converted and rounded to 0.1 mm in whole
// numbers, areas by the shoelace formula, rounded to three decimals with
// halves to even as the program shows them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>

#include "read_parts.h"
#include "runtime/exact_decimal.h"
#include "runtime/number_text.h"
#include "section/any_survey.h"
#include "section/cut_fill_figures.h"
#include "section/figures.h"
#include "survey_file/file_format.h"

namespace {

using runtime::Int128;

std::string bytesOf(const std::string& name) {
    std::ifstream file(std::string(VELMORIN_REAL_FILES) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The file's length unit as numerator / denominator metres.
struct Foot {
    Int128 numerator = 1, denominator = 1;
};

// "-12.25" in ten-thousandths of a metre, halves away from zero.
Int128 tenThousandths(std::string_view text, const Foot& foot) {
    const bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    Int128 digits = 0, scale = 1;
    bool point = false;
    for (char c : text) {
        if (c == '.') {
            point = true;
            continue;
        }
        digits = digits * 10 + (c - '0');
        if (point) scale *= 10;
    }
    const Int128 numerator = digits * foot.numerator * 10000,
                 denominator = scale * foot.denominator;
    const Int128 rounded = (2 * numerator + denominator) / (2 * denominator);
    return negative ? -rounded : rounded;
}

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    std::istringstream in{std::string(text)};
    for (std::string word; in >> word;) out.push_back(word);
    return out;
}

using Polygon = std::vector<std::pair<Int128, Int128>>;  // (offset, elevation) in 10^-4 m

void append(Polygon& polygon, const std::vector<std::string>& numbers, const Foot& foot) {
    for (std::size_t k = 0; k + 1 < numbers.size(); k += 2)
        polygon.push_back({tenThousandths(numbers[k], foot), tenThousandths(numbers[k + 1], foot)});
}

// The closed outline, or the ground and the design back (which lies below
// it over the same offsets in these files: the cut area).
Polygon polygonOf(const pugi::xml_node& section, const Foot& foot) {
    Polygon polygon;
    const pugi::xml_node ground = section.child("CrossSectSurf");
    if (ground) append(polygon, words(ground.child("PntList2D").child_value()), foot);
    std::vector<std::string> design;
    for (pugi::xml_node point : section.child("DesignCrossSectSurf").children("CrossSectPnt"))
        for (const std::string& word : words(point.child_value())) design.push_back(word);
    Polygon outline;
    append(outline, design, foot);
    if (ground) std::reverse(outline.begin(), outline.end());
    polygon.insert(polygon.end(), outline.begin(), outline.end());
    return polygon;
}

// The area in thousandths, halves to even, as "12.345".
std::string areaText(const Polygon& p) {
    Int128 twice = 0;  // in 10^-8 m²
    for (std::size_t k = 0; k < p.size(); ++k) {
        const auto& [x0, y0] = p[k];
        const auto& [x1, y1] = p[(k + 1) % p.size()];
        twice += x0 * y1 - x1 * y0;
    }
    if (twice < 0) twice = -twice;
    const Int128 per = 200000;  // 2 x 10^5: twice the area in 10^-8 to thousandths
    Int128 thousandths = twice / per;
    const Int128 rest = twice % per;
    if (2 * rest > per || (2 * rest == per && thousandths % 2 != 0)) ++thousandths;
    char text[40];
    std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(thousandths / 1000),
                  static_cast<long long>(thousandths % 1000));
    return text;
}

std::string metresText(Int128 tenThousandths) {
    return runtime::numberToText(runtime::ExactDecimal::scaled(tenThousandths, -4).nearest());
}

TEST(RealFiles, each_opens_in_its_encoding_and_units_with_its_names_stations_and_areas) {
    const struct {
        const char* file;
        std::string project, segment;
        Foot foot;
        std::string note;  // how the note on the conversion starts
    } rows[] = {
        {"latin1-oepnv.xml", "ÖPNV Haltestelle Süd", "Straßenausbau Bauabschnitt 2", {}, ""},
        {"gbk-declared.xml", "京港高速公路改扩建工程", "第三合同段 K1+000～K1+040", {}, ""},
        {"utf16-le-bom.xml", "沪渝高速 匝道A", "ÖPNV 联络线", {}, ""},
        {"us-survey-foot.xml", "SR 46 Widening", "", {1200, 3937}, "文件以美国测量英尺为单位"},
        {"foot.xml", "County Road 12", "", {3048, 10000}, "文件以英尺为单位"},
    };
    for (const auto& row : rows) {
        const std::string bytes = bytesOf(row.file);
        survey_file::SurveyRead read =
            survey_file::readSurveyFile(bytes, row.file, [](auto) { return std::nullopt; });
        ASSERT_TRUE(read.survey) << row.file << ": " << read.error.message;
        EXPECT_EQ(read.project.projectName, row.project) << row.file;
        EXPECT_EQ(read.project.segment, row.segment) << row.file;
        EXPECT_EQ(read.notes.size(), row.note.empty() ? 0u : 1u) << row.file;
        for (const std::string& note : read.notes) EXPECT_TRUE(note.starts_with(row.note)) << note;
        // The areas and volumes stated in the file, before they are worked out.
        std::vector<std::string> stated;
        if (const section::CutFillSurvey* lines = cutFillOf(read))
            for (const section::CutFillSection& each : lines->sections)
                stated.push_back(runtime::numberToText(each.areas ? each.areas->cut : 0.0) + " " +
                                 runtime::numberToText(each.cutVolume));
        ASSERT_FALSE(section::calculate(*read.survey)) << row.file;

        pugi::xml_document document;
        ASSERT_TRUE(document.load_buffer(bytes.data(), bytes.size())) << row.file;
        const pugi::xml_node crossSects =
            document.first_element_by_path("LandXML/Alignments/Alignment/CrossSects");
        int i = 0;
        for (pugi::xml_node section : crossSects.children("CrossSect")) {
            ++i;
            const std::string station =
                metresText(tenThousandths(section.attribute("sta").value(), row.foot));
            const Polygon polygon = polygonOf(section, row.foot);
            if (const section::SectionSurvey* closed = closedOf(read)) {
                EXPECT_EQ(runtime::numberToText(closed->stations(i)), station) << row.file << i;
                EXPECT_EQ(section::Figures(*closed).area(i), areaText(polygon)) << row.file << i;
            } else {
                const section::CutFillSurvey& lines = *cutFillOf(read);
                const Foot square{row.foot.numerator * row.foot.numerator,
                                  row.foot.denominator * row.foot.denominator};
                const Foot cube{square.numerator * row.foot.numerator,
                                square.denominator * row.foot.denominator};
                const auto figure = [&](const char* name, const Foot& unit) {
                    return metresText(tenThousandths(section.attribute(name).as_string("0"), unit));
                };
                EXPECT_EQ(stated[std::size_t(i - 1)],
                          figure("areaCut", square) + " " + figure("volumeCut", cube))
                    << row.file << i;
                EXPECT_EQ(runtime::numberToText(lines.sections[std::size_t(i - 1)].station),
                          station)
                    << row.file << i;
                EXPECT_EQ(section::CutFillFigures(lines).cut().area(i), areaText(polygon))
                    << row.file << i;
            }
        }
        EXPECT_EQ(i, read.survey->sectionCount()) << row.file;
    }
}

}  // namespace
