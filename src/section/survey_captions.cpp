// SPDX-License-Identifier: GPL-3.0-or-later
#include "section/survey_captions.h"

#include "section/cut_fill_figures.h"
#include "section/figures.h"

namespace section {

namespace {

std::string count(std::size_t n) {
    return std::to_string(n);
}

std::string sectionsWord(int n) {
    return "共 " + count(std::size_t(n)) + " 个断面";
}

SectionCaption captionOf(const SectionSurvey& survey, int i, std::string name) {
    const int points = survey.pointCounts(i);
    if (points < 3)
        return {std::move(name),
                "只有 " + count(std::size_t(points)) + " 个观测点，围不成断面，没有面积"};
    return {std::move(name), "面积 " + Figures(survey).area(i) + " 平方米，" +
                                 count(std::size_t(points)) + " 个观测点"};
}

SectionCaption captionOf(const CutFillSurvey& survey, int i, std::string name) {
    const CutFillSection& section = survey.sections.at(std::size_t(i - 1));
    std::string areas = "没有挖方和填方面积";
    if (section.areas) {
        const AreaFigures figures = cutFillAreaFigures(section);
        areas = "挖方面积 " + figures.cut + " 平方米  填方面积 " + figures.fill + " 平方米";
    }
    return {std::move(name) + "  " + areas, "地面线 " + count(section.ground.size()) +
                                                " 个点，设计线 " + count(section.design.size()) +
                                                " 个点"};
}

}  // namespace

std::string totalsLine(const Survey& survey) {
    if (const CutFillSurvey* lines = survey.cutFill()) {
        const CutFillFigures figures(*lines);
        return "挖方总量：" + figures.cut().total() + " 立方米，填方总量：" +
               figures.fill().total() + " 立方米，净方（挖 − 填）：" + figures.net() + " 立方米，" +
               sectionsWord(lines->sectionCount());
    }
    const SectionSurvey& closed = *survey.closedOutline();
    return "总体积：" + Figures(closed).total() + " 立方米，" + sectionsWord(closed.sectionCount());
}

SectionCaption sectionCaption(const Survey& survey, int i) {
    if (i < 1 || i > survey.sectionCount())
        return {"断面图", survey.kind() == SurveyKind::CutFill
                              ? "还没有断面。"
                              : "单击“进行计算”后，这里显示正在输入的断面。"};
    return survey.visit(
        [&](const auto& record) { return captionOf(record, i, sectionName(survey, i)); });
}

}  // namespace section
