// SPDX-License-Identifier: GPL-3.0-or-later
// Figures in feet converted to metres from their printed digits, rounded once
// to four decimals, halves away from zero; the expected values are the exact
// products (1 US survey foot = 1200/3937 m, 1 foot = 0.3048 m) rounded by hand.

#include "survey_file/landxml_units.h"

#include <gtest/gtest.h>

#include "runtime/number_text.h"

namespace survey_file {
namespace {

MetricConversion conversion(std::string_view linear, std::string_view volume = "cubicFeet") {
    return std::get<MetricConversion>(imperialToMetric(linear, "squareFoot", volume));
}

TEST(LandXmlUnits, feet_convert_exactly_from_their_digits_rounded_once_to_four_decimals) {
    const struct {
        const char* name;
        MetricConversion units;
        double value;
        Measure measure;
        const char* metric;
    } rows[] = {
        {"US survey feet (304.80060960...)", conversion("USSurveyFoot"), 1000, Measure::Length,
         "304.8006"},
        {"a negative offset", conversion("USSurveyFoot"), -12, Measure::Length, "-3.6576"},
        {"feet (0.374904)", conversion("foot"), 1.23, Measure::Length, "0.3749"},
        {"a half away from zero (0.01905)", conversion("foot"), 0.0625, Measure::Length, "0.0191"},
        {"a negative half", conversion("internationalFoot"), -0.0625, Measure::Length, "-0.0191"},
        {"square feet (16.27661...)", conversion("foot"), 175.2, Measure::Area, "16.2766"},
        {"cubic feet (0.02831...)", conversion("foot"), 1, Measure::Volume, "0.0283"},
        {"cubic yards (0.76455...)", conversion("foot", "cubicYard"), 1, Measure::Volume, "0.7646"},
        {"metres stay as they are", MetricConversion(), 1.23456789, Measure::Length, "1.23456789"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(runtime::numberToText(row.units.toMetric(row.value, row.measure)), row.metric)
            << row.name;
    EXPECT_NE(conversion("USSurveyFoot").note().find("1200/3937"), std::string::npos);
    EXPECT_TRUE(MetricConversion().note().empty());
}

}  // namespace
}  // namespace survey_file
