// SPDX-License-Identifier: GPL-3.0-or-later
// Which format a file is read as, told by its text and only then by its name,
// and which format a survey is saved in.

#include "survey_file/file_format.h"

#include <gtest/gtest.h>

#include "read_parts.h"
#include "survey_file/hdm.h"
#include "survey_file/landxml.h"

namespace survey_file {
namespace {

using section::CutFillSurvey;
using section::SectionSurvey;

enum class Kind { Closed, CutFill, Fault };

const char* const kClosed = "桩号,高程H,距离S\n1000,50,2\n1000,51,0\n";
const char* const kCutFill = "桩号,线,高程H,距离S\n1000,地面线,1,-5\n1000,设计线,2,-5\n";
const char* const kHdm = "BEGIN,1000.000:1\n-5,1\n5,1\nNEXT\n-5,2\n5,2\n";

// Stands for the system's decoder: "GBK" is anything that starts with 0xB6.
std::optional<std::string> fakeGbk(std::string_view bytes) {
    if (!bytes.starts_with("\xB6")) return std::nullopt;
    return std::string(kClosed);
}

std::string landXmlText() {
    const SurveyRead read = readSurvey(kCutFill);
    return *landXml(*cutFillOf(read), {"2026-12-08", "16:54:17"});
}

// ASCII text as UTF-16LE without a byte-order mark: zero bytes throughout.
std::string utf16(std::string_view ascii) {
    std::string out;
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
}

Kind kindOf(const SurveyRead& read) {
    if (!read.survey) return Kind::Fault;
    return read.survey->cutFill() ? Kind::CutFill : Kind::Closed;
}

TEST(FileFormat, the_text_decides_the_format_and_the_name_only_where_the_text_reads_as_none) {
    const struct {
        const char* name;
        std::string bytes;
        std::string file;
        Format format;
        Kind kind;
        std::string message;  // how the fault's message starts
    } rows[] = {
        {"closed-outline CSV", kClosed, "a.csv", Format::SurveyCsv, Kind::Closed, ""},
        {"cut-and-fill CSV", kCutFill, "a.txt", Format::SurveyCsv, Kind::CutFill, ""},
        {"a 里程文件 under another name", kHdm, "a.csv", Format::Hdm, Kind::CutFill, ""},
        {"LandXML under another name", landXmlText(), "a.csv", Format::LandXml, Kind::CutFill, ""},
        {"LandXML in UTF-16 without a mark", utf16(landXmlText()), "a.xml", Format::LandXml,
         Kind::CutFill, ""},
        {"broken text named .hdm", "1,2\n", "a.HDM", Format::Hdm, Kind::Fault, "第 1 行"},
        {"broken text named .xml", "1,2\n", "a.xml", Format::LandXml, Kind::Fault, ""},
        {"broken text named .csv", "1,2\n", "a.csv", Format::SurveyCsv, Kind::Fault, "第 1 行"},
        {"broken 里程文件 named .csv", "BEGIN,x\n", "a.csv", Format::Hdm, Kind::Fault, "第 1 行"},
        {"lone CR line ends", "桩号,高程H,距离S\r1000,1,0\r", "a.hdm", Format::SurveyCsv,
         Kind::Fault, "第 1 行的行尾是单独的回车符"},
        {"a PDF", "%PDF-1.4\n", "a.csv", Format::NoText, Kind::Fault, "这是 PDF 文件"},
        {"GBK text, decoded", "\xB6\xCF\xC3\xE6", "a.csv", Format::SurveyCsv, Kind::Closed, ""},
        {"no text in any encoding", "\xC0\xC0", "a.csv", Format::NoText, Kind::Fault,
         std::string(kNotText)},
    };
    for (const auto& row : rows) {
        const SurveyRead read = readSurveyFile(row.bytes, row.file, fakeGbk);
        EXPECT_EQ(read.format, row.format) << row.name;
        EXPECT_EQ(kindOf(read), row.kind) << row.name << ": " << read.error.message;
        EXPECT_TRUE(read.error.message.starts_with(row.message))
            << row.name << ": " << read.error.message;
        EXPECT_EQ(read.error.message.empty(), row.kind != Kind::Fault) << row.name;
    }
}

TEST(FileFormat, a_cut_and_fill_survey_named_hdm_is_saved_as_a_hdm_and_reads_back) {
    const SurveyRead closed = readSurvey(kClosed), cutFill = readSurvey(kCutFill);
    const struct {
        const char* name;
        const section::Survey& survey;
        std::string file;
        Format format;
    } rows[] = {
        {"closed outline named .hdm", *closed.survey, "a.hdm", Format::SurveyCsv},
        {"cut and fill named .HDM", *cutFill.survey, "a.HDM", Format::Hdm},
        {"cut and fill named .csv", *cutFill.survey, "a.csv", Format::SurveyCsv},
    };
    for (const auto& row : rows) {
        const Format format = formatToSave(row.survey, row.file);
        EXPECT_EQ(format, row.format) << row.name;
        ASSERT_FALSE(whyNotWritten(row.survey, format)) << row.name;
        const SurveyRead back =
            readSurveyFile(surveyFileText(row.survey, format, {}), row.file, fakeGbk);
        ASSERT_TRUE(back.survey) << row.name << ": " << back.error.message;
        EXPECT_EQ(*back.survey, row.survey) << row.name;
        EXPECT_EQ(back.format, row.format) << row.name;
    }
}

TEST(FileFormat, what_a_hdm_cannot_hold_is_refused_with_the_reason) {
    CutFillSurvey numbered = *cutFillOf(readSurvey(kCutFill));
    numbered.stationAnswer = "n";
    EXPECT_EQ(whyNotWritten(section::Survey(numbered), Format::Hdm), whyNoHdm(numbered));
    EXPECT_TRUE(whyNotWritten(section::Survey(*closedOf(readSurvey(kClosed))), Format::Hdm));
    EXPECT_FALSE(whyNotWritten(section::Survey(numbered), Format::SurveyCsv));
}

}  // namespace
}  // namespace survey_file
