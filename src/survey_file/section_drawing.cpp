// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/section_drawing.h"

#include <algorithm>
#include <cmath>

#include "runtime/number_format.h"
#include "section/cut_fill_figures.h"
#include "section/figures.h"
#include "section/station.h"
#include "survey_file/sheet_dxf.h"

namespace survey_file {

namespace {

// One section before it is placed: its lines in its own coordinates (x = -S,
// y = H) and its text.
struct Sketch {
    std::vector<DrawingPolyline> lines;
    std::string label;
};

DrawingPolyline line(const char* layer, const std::vector<section::Point>& points, bool closed) {
    DrawingPolyline out{layer, {}, closed};
    for (const section::Point& point : points)
        out.points.push_back({-point.offset, point.elevation});
    return out;
}

std::string stationLabel(bool stations, double station, std::size_t k) {
    return stations ? section::stationText(station) : "第 " + std::to_string(k + 1) + " 断面";
}

struct Box {
    double left = 0.0, right = 0.0, bottom = 0.0, top = 0.0;
};

// The sections' extents with the centre line (x = 0) always inside.
Box extent(const Sketch& sketch) {
    Box box;
    bool any = false;
    for (const DrawingPolyline& each : sketch.lines) {
        for (const DrawingPoint& point : each.points) {
            if (!any) box.bottom = box.top = point.y;
            any = true;
            box.left = std::min(box.left, point.x);
            box.right = std::max(box.right, point.x);
            box.bottom = std::min(box.bottom, point.y);
            box.top = std::max(box.top, point.y);
        }
    }
    return box;
}

// About how wide a text of this height runs. The height is that of the capitals,
// about seven tenths of the font's size: a Chinese character is a full size
// wide, a Latin one (of SimSun) half of it. Counted by UTF-8 lead bytes.
double textWidth(const std::string& text, double height) {
    double width = 0.0;
    for (unsigned char byte : text) {
        if (byte < 0x80)
            width += 0.6;
        else if (byte >= 0xC0)
            width += 1.45;
    }
    return width * height;
}

DrawingPolyline rectangle(const char* layer, double left, double bottom, double right, double top) {
    return {layer, {{left, bottom}, {right, bottom}, {right, top}, {left, top}}, true};
}

// Columns of frames down the sheet, about as many columns as rows; all frames
// of one size, the centre lines of a column in one line.
SectionDrawing layOut(const std::vector<Sketch>& sketches) {
    std::vector<Box> boxes;
    double leftMost = 0.0, rightMost = 0.0, tallest = 0.0;
    for (const Sketch& sketch : sketches) {
        boxes.push_back(extent(sketch));
        leftMost = std::max(leftMost, -boxes.back().left);
        rightMost = std::max(rightMost, boxes.back().right);
        tallest = std::max(tallest, boxes.back().top - boxes.back().bottom);
    }
    const double size = std::max({leftMost + rightMost, tallest, 1.0});
    const double text = std::clamp(size / 30.0, 0.2, 5.0);
    const double pad = text;
    double labels = 0.0;
    for (const Sketch& sketch : sketches) labels = std::max(labels, textWidth(sketch.label, text));
    // A narrow section gets a frame as wide as its text.
    const double width = std::max(leftMost + rightMost, labels) + 2 * pad;
    const double height = tallest + 3 * pad + text;
    const double gap = 3 * text;
    const std::size_t count = sketches.size();
    const std::size_t columns =
        std::max<std::size_t>(1, std::size_t(std::ceil(std::sqrt(double(count)))));
    const std::size_t rows = (count + columns - 1) / std::max<std::size_t>(columns, 1);

    SectionDrawing drawing;
    for (std::size_t k = 0; k < count; ++k) {
        const double left = double(k / rows) * (width + gap);
        const double top = -double(k % rows) * (height + gap);
        const double dx = left + pad + leftMost;
        const double dy = top - pad - boxes[k].top;
        for (DrawingPolyline each : sketches[k].lines) {
            for (DrawingPoint& point : each.points) point = {point.x + dx, point.y + dy};
            drawing.polylines.push_back(std::move(each));
        }
        drawing.polylines.push_back(
            {kCentreLayer,
             {{dx, dy + boxes[k].bottom - pad / 2}, {dx, dy + boxes[k].top + pad / 2}},
             false});
        drawing.polylines.push_back(rectangle(kFrameLayer, left, top - height, left + width, top));
        drawing.texts.push_back(
            {kLabelLayer, {left + pad, top - height + pad}, text, sketches[k].label});
    }
    return drawing;
}

}  // namespace

SectionDrawing sectionDrawing(const section::SectionSurvey& survey) {
    std::vector<Sketch> sketches;
    const section::Figures figures(survey);
    for (int i = 1; i <= survey.sectionCount(); ++i) {
        std::vector<section::Point> outline;
        for (int j = 1; j <= survey.pointCounts(i); ++j)
            outline.push_back({survey.elevations(i, j), survey.offsets(i, j)});
        Sketch sketch;
        if (outline.size() >= 2) sketch.lines.push_back(line(kOutlineLayer, outline, true));
        sketch.label =
            stationLabel(survey.stationsEntered(), survey.stations(i), std::size_t(i - 1)) +
            "  面积 " + figures.area(i) + " 平方米";
        sketches.push_back(std::move(sketch));
    }
    return layOut(sketches);
}

SectionDrawing sectionDrawing(const section::CutFillSurvey& survey) {
    std::vector<Sketch> sketches;
    const section::CutFillFigures figures(survey);
    for (std::size_t k = 0; k < survey.sections.size(); ++k) {
        const section::CutFillSection& from = survey.sections[k];
        const int i = int(k) + 1;
        Sketch sketch;
        if (from.ground.size() >= 2) sketch.lines.push_back(line(kGroundLayer, from.ground, false));
        if (from.design.size() >= 2) sketch.lines.push_back(line(kDesignLayer, from.design, false));
        sketch.label = stationLabel(survey.stationsEntered(), from.station, k) +
                       (from.areas ? "  挖 " + figures.cut().area(i) + "  填 " +
                                         figures.fill().area(i) + " 平方米"
                                   : "  无挖填面积");
        sketches.push_back(std::move(sketch));
    }
    return layOut(sketches);
}

SectionDrawing sectionDrawing(const section::Survey& survey) {
    return survey.visit([](const auto& record) { return sectionDrawing(record); });
}

// The sheets' writer draws this too: every line and text loose on one sheet.
std::string dxf(const SectionDrawing& drawing) {
    printout::SheetDrawing sheets;
    printout::DrawingBlock& sheet = sheets.sheets.emplace_back();
    for (const DrawingPolyline& line : drawing.polylines) {
        printout::DrawLine& to = sheet.lines.emplace_back();
        to.layer = line.layer;
        to.closed = line.closed;
        for (const DrawingPoint& point : line.points) to.points.push_back({point.x, point.y});
    }
    for (const DrawingText& text : drawing.texts)
        sheet.texts.push_back({text.layer, {text.at.x, text.at.y}, text.height, text.text});
    return sheetsDxf(sheets);
}

}  // namespace survey_file
