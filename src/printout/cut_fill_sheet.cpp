// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/cut_fill_sheet.h"

#include <array>
#include <string>
#include <utility>

#include "printout/sheet_writer.h"
#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "section/cut_fill_calculation.h"
#include "section/cut_fill_figures.h"
#include "section/cut_fill_survey.h"

namespace printout {

namespace {

// The closed outline's writer with the summaries of this sheet.
struct CutFillWriter : SheetWriter {
    void summary(const std::string& text) { line({ColumnStop{kSummaryColumn}, Text{text}}); }
};

void printLine(CutFillWriter& sheet, const char* name, const std::vector<section::Point>& line) {
    sheet.line({ColumnStop{kSectionColumn}, Text{std::string(name) + " :"}});
    for (std::size_t first = 0; first < line.size(); first += kPointsPerLine) {
        PrintLine items;
        for (std::size_t j = first; j < line.size() && j < first + kPointsPerLine; ++j) {
            items.emplace_back(ColumnStop{kPointColumns[j - first]});
            items.emplace_back(std::in_place_type<Text>, runtime::formatFixed3(line[j].elevation) +
                                                             "/" +
                                                             runtime::formatFixed3(line[j].offset));
        }
        sheet.line(items);
    }
}

void printSection(CutFillWriter& sheet, const section::CutFillSurvey& survey,
                  const section::CutFillFigures& figures, int i) {
    const section::CutFillSection& section = survey.sections[i - 1];
    sheet.line({});
    sheet.section(i, [&] {
        sheet.line({ColumnStop{kSectionColumn},
                    Text{"( " + section::cutFillSectionName(survey, i) + " ) :"}});
        printLine(sheet, "地面线", section.ground);
        printLine(sheet, "设计线", section.design);
        if (section.areas) {
            sheet.summary("挖方面积=" + figures.cut().area(i) +
                          "  填方面积=" + figures.fill().area(i) + " (平方米)");
        } else {
            sheet.summary("没有挖方和填方面积（两条线在距离上没有重叠，或一条线不到两个点）");
        }
    });
}

void printSummary(CutFillWriter& sheet, const section::CutFillSurvey& survey,
                  const section::CutFillFigures& figures) {
    const int n = survey.sectionCount();
    sheet.heading("断面间距(米) :");
    for (int i = 1; i < n; ++i)
        sheet.summary("DL=" + runtime::formatFixed3(survey.sections[i - 1].spacing));
    sheet.heading("挖方和填方体积 (立方米) :");
    for (int i = 1; i < n; ++i) {
        const std::string pair = "第" + runtime::numberToText(i) + "段 : ";
        sheet.summary(section::pairHasVolumes(survey, i)
                          ? pair + "挖方=" + figures.cut().volume(i) +
                                "  填方=" + figures.fill().volume(i)
                          : pair + "没有计算（一端的断面没有面积），不计入总量");
    }
    sheet.line({});
    sheet.summary("总挖方 : " + figures.cut().total() + " (立方米)");
    sheet.summary("总填方 : " + figures.fill().total() + " (立方米)");
    sheet.summary("净方量 (挖-填) : " + figures.net() + " (立方米)");
    if (const std::string note = section::methodNote(survey.volumeMethod); !note.empty())
        sheet.summary(note);
}

}  // namespace

Sheet cutFillSheet(const section::CutFillSurvey& survey, FigureMaker figureOf) {
    CutFillWriter sheet;
    sheet.figureOf = std::move(figureOf);
    sheet.begin("( 填挖方计算 )", "地面线和设计线观测点  高程 h(米)/距离 S(米):");
    const section::CutFillFigures figures(survey);
    for (int i = 1; i <= survey.sectionCount(); ++i) printSection(sheet, survey, figures, i);
    printSummary(sheet, survey, figures);
    return std::move(sheet.value);
}

}  // namespace printout
