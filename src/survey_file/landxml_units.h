// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The units of a LandXML file's figures and their conversion to metres. A
// file in feet (Units/Imperial, linearUnit "USSurveyFoot": 1200/3937 m, or
// "foot": 0.3048 m) is converted from the digits it prints, exactly, and
// rounded once: lengths to 0.1 mm, areas and volumes to four decimals of
// square and cubic metres, finer than any survey in feet is measured, so that
// areas worked out from the converted points are those of the points.

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "runtime/exact_decimal.h"

namespace survey_file {

enum class Measure { Length, Area, Volume };

class MetricConversion {
  public:
    MetricConversion() = default;  // a metric file: nothing converted
    // value x numerator / denominator for each measure.
    struct Factor {
        runtime::ExactDecimal numerator, denominator;
    };
    MetricConversion(std::array<Factor, 3> factors, std::string note, std::string sheetNote);

    // The figure in metres, square metres or cubic metres.
    double toMetric(double value, Measure measure) const;
    // What the reading did, for the user: empty for a metric file.
    const std::string& note() const { return note_; }
    // The same in a line short enough for the calculation sheet.
    const std::string& sheetNote() const { return sheetNote_; }

  private:
    bool converts_ = false;
    std::array<Factor, 3> factors_{};
    std::string note_;
    std::string sheetNote_;
};

// The conversion of a file whose Units/Imperial has these attributes (empty
// when absent), or why it cannot be read.
std::variant<MetricConversion, std::string> imperialToMetric(std::string_view linearUnit,
                                                             std::string_view areaUnit,
                                                             std::string_view volumeUnit);

}  // namespace survey_file
