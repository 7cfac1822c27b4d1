// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names the LandXML writer and reader share beyond the schema's own: the
// Feature that carries what LandXML has no attribute for.

namespace survey_file::landxml {

inline constexpr const char* kNamespace = "http://www.landxml.org/schema/LandXML-1.2";
inline constexpr const char* kFeature = "velmorin";
inline constexpr const char* kSpacing = "spacing";  // on a CrossSect: to the next section
inline constexpr const char* kStationsEntered = "stationsEntered";  // on the CrossSects

}  // namespace survey_file::landxml
