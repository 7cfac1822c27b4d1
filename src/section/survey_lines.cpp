// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/survey_lines.h"

#include <algorithm>

#include "section/cut_fill_calculation.h"
#include "section/cut_fill_figures.h"

namespace section {
namespace {

const std::vector<Point>& linePoints(const CutFillSurvey& survey, int i, SurveyLine line) {
    const CutFillSection& s = survey.sections.at(std::size_t(i - 1));
    return line == SurveyLine::Design ? s.design : s.ground;
}

}  // namespace

LineShape lineShape(const Survey& survey) {
    if (const CutFillSurvey* lines = survey.cutFill()) {
        const bool codes = std::any_of(
            lines->sections.begin(), lines->sections.end(),
            [](const auto& s) { return !s.groundCodes.empty() || !s.designCodes.empty(); });
        return {{SurveyLine::Ground, SurveyLine::Design}, true, true, codes};
    }
    return {{SurveyLine::Outline}, false, false};
}

std::string lineName(SurveyLine line) {
    switch (line) {
        case SurveyLine::Ground:
            return "地面线";
        case SurveyLine::Design:
            return "设计线";
        case SurveyLine::Outline:
            break;
    }
    return {};
}

int pointCount(const Survey& survey, int i, SurveyLine line) {
    if (const CutFillSurvey* lines = survey.cutFill())
        return static_cast<int>(linePoints(*lines, i, line).size());
    return std::max<int>(survey.closedOutline()->pointCounts(i), 0);
}

Point point(const Survey& survey, int i, SurveyLine line, int j) {
    if (const CutFillSurvey* lines = survey.cutFill())
        return linePoints(*lines, i, line).at(std::size_t(j - 1));
    const SectionSurvey& closed = *survey.closedOutline();
    return {closed.elevations(i, j), closed.offsets(i, j)};
}

std::string pointCode(const Survey& survey, int i, SurveyLine line, int j) {
    const CutFillSurvey* lines = survey.cutFill();
    if (!lines) return {};
    const CutFillSection& s = lines->sections.at(std::size_t(i - 1));
    const std::vector<std::string>& codes =
        line == SurveyLine::Design ? s.designCodes : s.groundCodes;
    return std::size_t(j - 1) < codes.size() ? codes[std::size_t(j - 1)] : std::string();
}

double spacing(const Survey& survey, int i) {
    if (const CutFillSurvey* lines = survey.cutFill()) return lines->sections.at(i - 1).spacing;
    return survey.closedOutline()->spacings(i);
}

SectionAreas sectionAreas(const Survey& survey, int i) {
    const CutFillSurvey* lines = survey.cutFill();
    if (!lines) return {};
    const CutFillSection& s = lines->sections.at(std::size_t(i - 1));
    if (!s.areas) return {{}, {}, noAreasReason(s)};
    AreaFigures figures = cutFillAreaFigures(s);
    return {std::move(figures.cut), std::move(figures.fill), {}};
}

std::string cellSectionName(const Survey& survey, int i) {
    if (const CutFillSurvey* lines = survey.cutFill()) return cutFillSectionName(*lines, i);
    return sectionName(survey, i);
}

}  // namespace section
