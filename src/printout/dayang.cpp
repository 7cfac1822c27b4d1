#include "printout/dayang.h"

#include <array>
#include <string>

#include "printout/print_device.h"
#include "runtime/number_format.h"
#include "runtime/number_text.h"
#include "section/station.h"
#include "section/survey.h"

namespace printout {

namespace {

// Five points to a line, 17 columns apart.
constexpr int kPointsPerLine = 5;
constexpr std::array<int, kPointsPerLine> kPointColumns{12, 29, 46, 63, 80};
constexpr int kTitleColumn = 28;
constexpr int kHeadingColumn = 22;
constexpr int kSectionColumn = 12;
constexpr int kSummaryColumn = 24;

std::string pointText(const section::SectionSurvey& survey, int i, int j) {
    return runtime::formatFixed3(survey.elevations(i, j)) + "/" +
           runtime::formatFixed3(survey.offsets(i, j));
}

// Areas, volumes and the total are rounded (halves to even) before the
// format's own rounding (halves away from zero); spacings are only formatted.
std::string roundedText(float value) {
    return runtime::formatFixed3(runtime::round3(value));
}

std::string sectionHeader(const section::SectionSurvey& survey, int i) {
    if (survey.stationsEntered())
        return "( " + section::stationText(survey.stations(i)) + "断面 ) :";
    return "( 第 " + runtime::numberToText(i) + " 号断面 ) :";
}

void printSection(PrintDevice& printer, const section::SectionSurvey& survey, int i) {
    printer.printLine({});
    printer.printLine({ColumnStop{kSectionColumn}, Text{sectionHeader(survey, i)}});
    const int count = survey.pointCounts(i);
    for (int first = 1; first <= count; first += kPointsPerLine) {
        PrintLine line;
        for (int j = first; j <= count && j < first + kPointsPerLine; ++j) {
            line.emplace_back(ColumnStop{kPointColumns[j - first]});
            line.emplace_back(std::in_place_type<Text>, pointText(survey, i, j));
        }
        printer.printLine(line);
    }
}

void printHeading(PrintDevice& printer, const std::string& heading) {
    printer.printLine({});
    printer.printLine({ColumnStop{kHeadingColumn}, Text{heading}});
    printer.printLine({});
}

// "…S( i )=" or "…D( i )=" and the value: the section number stands once
// inside the text and once as a number item.
void printNumberedValue(PrintDevice& printer, const std::string& label, int i,
                        const std::string& value) {
    printer.printLine(
        {ColumnStop{kSummaryColumn}, Text{label}, Number{i}, Text{")="}, Text{value}});
}

std::string areaLabel(const section::SectionSurvey& survey, int i) {
    if (survey.stationsEntered()) return section::stationText(survey.stations(i)) + "断面面积 : S(";
    return "第 " + runtime::numberToText(i) + " 号断面积 S(";
}

void printSummary(PrintDevice& printer, const section::SectionSurvey& survey) {
    const int n = survey.sectionCount();
    printHeading(printer, "断面间距(米) :");
    for (int i = 1; i <= n - 1; ++i) {
        printer.printLine({ColumnStop{kSummaryColumn}, Text{"DL="},
                           Text{runtime::formatFixed3(survey.spacings(i))}});
    }
    printHeading(printer, "断面面积 (平方米) :");
    for (int i = 1; i <= n; ++i) {
        printNumberedValue(printer, areaLabel(survey, i), i, roundedText(survey.areas(i)));
    }
    printHeading(printer, "计算后的体积 (立方米) :");
    for (int i = 1; i <= n - 1; ++i) {
        printNumberedValue(printer, "第" + runtime::numberToText(i) + "段体积 : D(", i,
                           roundedText(survey.volumes(i)));
    }
    printer.printLine({});
    printer.printLine({ColumnStop{kSummaryColumn}, Text{"总体积 : [ D ]="},
                       Text{roundedText(survey.totalVolume()) + " (立方米)"}});
}

}  // namespace

void dayang(PrintDevice& printer, const section::SectionSurvey& survey) {
    printer.setPageStart(1500.0, 1000.0);
    printer.setFontName("宋体");
    printer.setFontSize(12.0);
    printer.printLine({ColumnStop{kTitleColumn}, Text{"( 方量计算 )"}});
    printer.setFontSize(10.0);
    printer.printLine(
        {ColumnStop{kHeadingColumn}, Text{"观测点高程/距离  h(米)/观测点至断面端点距离 d(米):"}});
    for (int i = 1; i <= survey.sectionCount(); ++i) printSection(printer, survey, i);
    printSummary(printer, survey);
    printer.endDocument();
}

}  // namespace printout
