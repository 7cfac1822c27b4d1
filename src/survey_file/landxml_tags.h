// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names the LandXML writer and reader share beyond the schema's own: the
// Feature that carries what LandXML has no attribute for.

#include "section/volume_method.h"

namespace survey_file::landxml {

inline constexpr const char* kNamespace = "http://www.landxml.org/schema/LandXML-1.2";
inline constexpr const char* kFeature = "velmorin";
inline constexpr const char* kSpacing = "spacing";  // on a CrossSect: to the next section
inline constexpr const char* kStationsEntered = "stationsEntered";  // on the CrossSects
// On the Project, beside its name (工程名称) and desc (路段).
inline constexpr const char* kCalculatedBy = "计算";
inline constexpr const char* kCheckedBy = "复核";
inline constexpr const char* kDate = "日期";

// The CrossSects' calcMethod, as the schema names the two methods.
inline const char* calcMethod(section::VolumeMethod method) {
    return method == section::VolumeMethod::Prismoidal ? "Prismoidal" : "AverageEndArea";
}

}  // namespace survey_file::landxml
