// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/dxf_entities.h"

#include <cmath>
#include <numbers>

namespace survey_file {

namespace {

// ANSI31's lines lie 3.175 units apart (an eighth of an inch) at 45°.
constexpr double kAnsi31Spacing = 3.175;

void head(DxfText& out, const char* type, const std::string& owner, const std::string& layer) {
    out.tag(0, type);
    out.tag(5, out.handle());
    out.tag(330, owner);
    out.tag(100, "AcDbEntity");
    out.tag(8, layer);
}

void line(DxfText& out, const printout::DrawLine& line, const std::string& owner) {
    head(out, "LWPOLYLINE", owner, line.layer);
    if (line.dashed) out.tag(6, kDxfDashedLinetype);
    out.tag(100, "AcDbPolyline");
    out.integer(90, (long long)line.points.size());
    out.integer(70, line.closed ? 1 : 0);
    out.number(43, 0);
    for (const printout::DrawPoint& point : line.points) {
        out.number(10, point.x);
        out.number(20, point.y);
    }
}

// The pattern is written as its definition line, scaled and turned, as a
// HATCH carries it: a CAD program without ANSI31 in its pattern file still
// draws it.
void pattern(DxfText& out, bool fill, double spacing) {
    const double turn = fill ? 90.0 : 0.0;
    const double angle = (45.0 + turn) * std::numbers::pi / 180.0;
    out.integer(75, 0);  // normal style: islands alternate
    out.integer(76, 1);  // a predefined pattern
    out.number(52, turn);
    out.number(41, spacing / kAnsi31Spacing);
    out.integer(77, 0);
    out.integer(78, 1);
    out.number(53, 45.0 + turn);
    out.number(43, 0);
    out.number(44, 0);
    // From one line to the next, across them.
    out.number(45, -std::sin(angle) * spacing);
    out.number(46, std::cos(angle) * spacing);
    out.integer(79, 0);  // solid lines
}

void hatch(DxfText& out, const printout::DrawHatch& hatch, const std::string& owner,
           double spacing) {
    head(out, "HATCH", owner, hatch.layer);
    out.tag(100, "AcDbHatch");
    out.point(10, {0, 0});  // elevation
    out.number(210, 0);
    out.number(220, 0);
    out.number(230, 1);
    out.tag(2, "ANSI31");
    out.integer(70, 0);  // pattern, not solid
    out.integer(71, 0);  // not associative: nothing else holds its outline
    out.integer(91, 1);
    out.integer(92, 3);  // external, polyline
    out.integer(72, 0);  // no bulges
    out.integer(73, 1);  // closed
    out.integer(93, (long long)hatch.outline.size());
    for (const printout::DrawPoint& point : hatch.outline) {
        out.number(10, point.x);
        out.number(20, point.y);
    }
    out.integer(97, 0);
    pattern(out, hatch.layer == printout::kFillLayer, spacing);
    out.integer(98, 0);
}

void circle(DxfText& out, const printout::DrawCircle& circle, const std::string& owner) {
    head(out, "CIRCLE", owner, circle.layer);
    out.tag(100, "AcDbCircle");
    out.point(10, circle.centre);
    out.number(40, circle.radius);
}

void text(DxfText& out, const printout::DrawText& text, const std::string& owner) {
    head(out, "TEXT", owner, text.layer);
    out.tag(100, "AcDbText");
    out.point(10, text.at);
    out.number(40, text.height);
    out.tag(1, text.text);
    out.tag(7, kDxfTextStyle);
    if (text.align != printout::DrawText::Align::Left) {
        // Centred or right: the second point holds the text, the first is
        // recomputed by the CAD program.
        out.integer(72, text.align == printout::DrawText::Align::Centre ? 1 : 2);
        out.point(11, text.at);
    }
    out.tag(100, "AcDbText");
}

}  // namespace

void writeEntities(DxfText& out, const printout::DrawingBlock& block, const std::string& owner,
                   double hatchSpacing) {
    for (const printout::DrawHatch& each : block.hatches) hatch(out, each, owner, hatchSpacing);
    for (const printout::DrawLine& each : block.lines) line(out, each, owner);
    for (const printout::DrawCircle& each : block.circles) circle(out, each, owner);
    for (const printout::DrawText& each : block.texts) text(out, each, owner);
}

}  // namespace survey_file
