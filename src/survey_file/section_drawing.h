// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cross-section drawings (横断面图) as a value, and as a DXF file.
//
// Every section is drawn 1:1 in metres as on screen, x = -S (S positive to the
// left), y = H, moved only (never scaled) into its own frame; the frames stand
// in columns down the sheet with space between. Each holds the ground line
// (地面线) and the design line (设计线), or the closed outline (断面线), the
// centre line (中线), a text with the station and the areas (标注) and the
// frame (图框). The DXF is R2007 (AC1021): its text is UTF-8, so the Chinese
// layer names and texts need no code page.

#include <string>
#include <vector>

#include "section/any_survey.h"

namespace survey_file {

struct DrawingPoint {
    double x = 0.0;
    double y = 0.0;
};

struct DrawingPolyline {
    std::string layer;
    std::vector<DrawingPoint> points;
    bool closed = false;
};

struct DrawingText {
    std::string layer;
    DrawingPoint at;  // left end of the base line
    double height = 0.0;
    std::string text;
};

struct SectionDrawing {
    std::vector<DrawingPolyline> polylines;  // lines, outlines, centre lines, frames
    std::vector<DrawingText> texts;
};

inline constexpr const char* kGroundLayer = "地面线";
inline constexpr const char* kDesignLayer = "设计线";
inline constexpr const char* kOutlineLayer = "断面线";
inline constexpr const char* kCentreLayer = "中线";
inline constexpr const char* kLabelLayer = "标注";
inline constexpr const char* kFrameLayer = "图框";

SectionDrawing sectionDrawing(const section::SectionSurvey& survey);
SectionDrawing sectionDrawing(const section::CutFillSurvey& survey);
SectionDrawing sectionDrawing(const section::Survey& survey);

// The drawing as the text of a DXF R2007 file.
std::string dxf(const SectionDrawing& drawing);

}  // namespace survey_file
