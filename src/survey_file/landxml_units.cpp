// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/landxml_units.h"

#include "survey_file/survey_file.h"

namespace survey_file {

namespace {

using runtime::ExactDecimal;

constexpr int kDecimals = 4;

ExactDecimal whole(runtime::Int128 value) {
    return ExactDecimal::scaled(value, 0);
}

constexpr std::string_view kWayOn = "：请在原来的程序中导出以米或英尺为单位的 LandXML 文件";

std::string refused(const char* attribute, std::string_view unit, const char* wanted) {
    if (unit.empty())
        return std::string("文件的英制单位（Imperial）没有写明 ") + attribute + "（长度单位）" +
               std::string(kWayOn);
    return std::string("文件的单位 ") + attribute + " 是“" + printableText(unit) + "”，本程序读“" +
           wanted + "”" + std::string(kWayOn);
}

}  // namespace

MetricConversion::MetricConversion(std::array<Factor, 3> factors, std::string note,
                                   std::string sheetNote)
    : converts_(true),
      factors_(std::move(factors)),
      note_(std::move(note)),
      sheetNote_(std::move(sheetNote)) {}

double MetricConversion::toMetric(double value, Measure measure) const {
    if (!converts_ || value == 0.0) return value;
    const Factor& factor = factors_[std::size_t(measure)];
    // Half a unit of the last decimal with the value's sign, then cut toward
    // zero: halves round away from zero, whichever the sign.
    const ExactDecimal half =
        ExactDecimal::scaled(value < 0 ? -5 : 5, -kDecimals - 1) * factor.denominator;
    bool rest = false;
    return ExactDecimal::quotient(ExactDecimal::of(value) * factor.numerator + half,
                                  factor.denominator, -kDecimals, rest)
        .nearest();
}

std::variant<MetricConversion, std::string> imperialToMetric(std::string_view linearUnit,
                                                             std::string_view areaUnit,
                                                             std::string_view volumeUnit) {
    // One foot as numerator / denominator metres.
    ExactDecimal numerator, denominator;
    std::string unit, foot;  // "美国测量英尺", "1200/3937"
    if (linearUnit == "USSurveyFoot") {
        numerator = whole(1200);
        denominator = whole(3937);
        unit = "美国测量英尺";
        foot = "1200/3937";
    } else if (linearUnit == "foot" || linearUnit == "internationalFoot") {
        numerator = ExactDecimal::scaled(3048, -4);
        denominator = whole(1);
        unit = "英尺";
        foot = "0.3048";
    } else {
        return refused("linearUnit", linearUnit, "USSurveyFoot 或 foot");
    }
    if (!areaUnit.empty() && areaUnit != "squareFoot")
        return refused("areaUnit", areaUnit, "squareFoot");
    // Road programs give earthwork in cubic yards: 27 cubic feet.
    const bool yards = volumeUnit == "cubicYard";
    if (!volumeUnit.empty() && volumeUnit != "cubicFeet" && !yards)
        return refused("volumeUnit", volumeUnit, "cubicFeet 或 cubicYard");
    const std::string factor = "1 英尺 = " + foot + " 米";
    std::string note = "文件以" + unit + "为单位，已换算为米（" + factor;
    note += yards ? "，1 立方码 = 27 立方英尺" : "";
    note += "；长度取至 0.1 毫米，面积和体积取至小数点后 4 位）";
    const ExactDecimal square = numerator * numerator;
    const ExactDecimal squareBelow = denominator * denominator;
    return MetricConversion(
        {MetricConversion::Factor{numerator, denominator},
         {square, squareBelow},
         {square * numerator * whole(yards ? 27 : 1), squareBelow * denominator}},
        std::move(note), "测量数据由" + unit + "换算为米（" + factor + "）");
}

}  // namespace survey_file
