// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/dayang.h"

#include <array>
#include <string>
#include <utility>

#include "printout/sheet_writer.h"
#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "runtime/titles.h"
#include "section/figures.h"
#include "section/station_label.h"
#include "section/survey.h"

namespace printout {

namespace {

std::string pointText(const section::SectionSurvey& survey, int i, int j) {
    return runtime::formatFixed3(survey.elevations(i, j)) + "/" +
           runtime::formatFixed3(survey.offsets(i, j));
}

std::string sectionHeader(const section::SectionSurvey& survey, int i) {
    if (survey.stationsEntered()) return "( " + section::stationLabel(survey, i) + "断面 ) :";
    return "( 第 " + runtime::numberToText(i) + " 号断面 ) :";
}

void printSection(SheetWriter& sheet, const section::SectionSurvey& survey, int i) {
    sheet.line({});
    sheet.section(i, [&] {
        sheet.line({ColumnStop{kSectionColumn}, Text{sectionHeader(survey, i)}});
        const int count = survey.pointCounts(i);
        for (int first = 1; first <= count; first += kPointsPerLine) {
            PrintLine line;
            for (int j = first; j <= count && j < first + kPointsPerLine; ++j) {
                line.emplace_back(ColumnStop{kPointColumns[j - first]});
                line.emplace_back(std::in_place_type<Text>, pointText(survey, i, j));
            }
            sheet.line(line);
        }
    });
}

// "…S( i )=" or "…D( i )=" and the value: the section number stands once
// inside the text and once as a number item.
void printNumberedValue(SheetWriter& sheet, const std::string& label, int i,
                        const std::string& value) {
    sheet.line({ColumnStop{kSummaryColumn}, Text{label}, Number{i}, Text{")="}, Text{value}});
}

std::string areaLabel(const section::SectionSurvey& survey, int i) {
    if (survey.stationsEntered()) return section::stationLabel(survey, i) + "断面面积 : S(";
    return "第 " + runtime::numberToText(i) + " 号断面积 S(";
}

void printSummary(SheetWriter& sheet, const section::SectionSurvey& survey) {
    const int n = survey.sectionCount();
    const section::Figures figures(survey);
    sheet.heading("断面间距(米) :");
    for (int i = 1; i <= n - 1; ++i) {
        sheet.line({ColumnStop{kSummaryColumn}, Text{"DL="},
                    Text{runtime::formatFixed3(survey.spacings(i))}});
    }
    sheet.heading("断面面积 (平方米) :");
    for (int i = 1; i <= n; ++i) {
        printNumberedValue(sheet, areaLabel(survey, i), i, figures.area(i));
    }
    sheet.heading("计算后的体积 (立方米) :");
    for (int i = 1; i <= n - 1; ++i) {
        printNumberedValue(sheet, "第" + runtime::numberToText(i) + "段体积 : D(", i,
                           figures.volume(i));
    }
    sheet.line({});
    sheet.line(
        {ColumnStop{kSummaryColumn}, Text{"总体积 : [ D ]="}, Text{figures.total() + " (立方米)"}});
    if (const std::string note = section::methodNote(survey.volumeMethod()); !note.empty())
        sheet.line({ColumnStop{kSummaryColumn}, Text{note}});
}

}  // namespace

Sheet dayang(const section::SectionSurvey& survey, FigureMaker figureOf) {
    SheetWriter sheet;
    sheet.figureOf = std::move(figureOf);
    sheet.begin(std::string("( ") + runtime::sheetName + " )",
                "观测点高程/距离  h(米)/观测点至断面端点距离 d(米):");
    for (int i = 1; i <= survey.sectionCount(); ++i) printSection(sheet, survey, i);
    printSummary(sheet, survey);
    return std::move(sheet.value);
}

}  // namespace printout
