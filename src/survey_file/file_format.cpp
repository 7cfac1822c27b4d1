// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/file_format.h"

#include <algorithm>
#include <cctype>

#include "survey_file/hdm.h"
#include "survey_file/landxml.h"
#include "survey_file/xml_encoding.h"

namespace survey_file {

namespace {

SurveyRead failed(Format format, std::string why) {
    return {std::nullopt, {0, 0, std::move(why)}, {}, format};
}

bool endsWith(std::string_view name, std::string_view ending) {
    return name.size() >= ending.size() &&
           std::equal(
               ending.begin(), ending.end(), name.end() - std::ptrdiff_t(ending.size()),
               [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

// XML says its encoding itself, and reads a lone CR as a line end.
SurveyRead readXml(std::string_view bytes, ReadProgress* progress, const LandXmlChoice& choice) {
    XmlText text = xmlAsUtf8(bytes);
    if (text.fault) return {std::nullopt, std::move(*text.fault), {}, Format::LandXml};
    return readLandXml(text.utf8, choice, progress);
}

SurveyRead readText(std::string_view text, std::string_view name, ReadProgress* progress) {
    if (const std::optional<FileError> why = loneCarriageReturn(text)) return {std::nullopt, *why};
    const bool hdm = looksLikeHdm(text);
    SurveyRead read = hdm ? readHdm(text, progress) : readSurvey(text, progress);
    if (read.survey || hdm) return read;
    if (endsWith(name, ".xml")) return readLandXml(text, {}, progress);
    if (isHdmName(name)) return readHdm(text, progress);
    return read;
}

}  // namespace

SurveyRead readSurveyFile(std::string_view bytes, std::string_view name, const ToUtf8& toUtf8,
                          ReadProgress* progress, const LandXmlChoice& choice) {
    if (looksLikeXml(bytes)) return readXml(bytes, progress, choice);
    if (std::optional<std::string> why = whyNotText(bytes))
        return failed(Format::NoText, std::move(*why));
    if (isUtf8(bytes)) return readText(bytes, name, progress);
    if (std::optional<FileError> mixed = lineInAnotherEncoding(bytes))
        return {std::nullopt, std::move(*mixed)};
    const std::optional<std::string> text = toUtf8(bytes);
    if (!text) return failed(Format::NoText, std::string(kNotText));
    return readText(*text, name, progress);
}

bool isHdmName(std::string_view name) {
    return endsWith(name, ".hdm");
}

Format formatToSave(const section::Survey& survey, std::string_view name) {
    return survey.cutFill() && isHdmName(name) ? Format::Hdm : Format::SurveyCsv;
}

std::vector<Format> formatsToOffer(const section::Survey& survey) {
    if (survey.cutFill()) return {Format::SurveyCsv, Format::Hdm};
    return {Format::SurveyCsv};
}

std::vector<std::string> whatIsLeftOut(const section::Survey& survey, Format format,
                                       const section::ProjectInfo& project) {
    std::vector<std::string> left;
    const section::CutFillSurvey* lines = survey.cutFill();
    if (format == Format::Hdm && lines) left = whatHdmLeavesOut(*lines, project);
    // Only our CSV holds the tables; the lines they gave are written as design lines.
    if (format != Format::SurveyCsv && !survey.roadDesign().empty())
        left.push_back("道路设计（纵断面、路幅、边坡、边沟、断链；由它生成的设计线照样写出）");
    return left;
}

std::optional<std::string> whyNotWritten(const section::Survey& survey, Format format) {
    if (format != Format::Hdm) return std::nullopt;
    if (const section::CutFillSurvey* lines = survey.cutFill()) return whyNoHdm(*lines);
    return "里程文件只记录地面线和设计线，这个测量数据是闭合断面：请保存为 CSV 文件";
}

std::string surveyFileText(const section::Survey& survey, Format format,
                           const section::ProjectInfo& project) {
    const section::CutFillSurvey* lines = survey.cutFill();
    if (format == Format::Hdm && lines) return writeHdm(*lines);
    return writeSurvey(survey, project);
}

}  // namespace survey_file
