// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/section_block.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "printout/picture_block.h"
#include "runtime/number_format.h"
#include "runtime/number_text.h"

namespace printout {

namespace {

using section::PictureLine;

// Paper millimetres.
constexpr double kStationHeight = 3.5;
constexpr double kTextHeight = 2.5;
constexpr double kMarkRadius = 1.0;
constexpr double kGap = 1.0;        // between a text and what it names
constexpr double kLinePitch = 4.6;  // from base line to base line above the grid
// The grid's top to the lowest base line above it, and its bottom to the
// top of the distances under it: clear of the elevations at the left. The
// labels above end within SheetFrame::labelRoom.
constexpr double kLabelsFloor = 2.0;
constexpr long kOffsetEvery = 5;           // grid lines
constexpr double kMostGridLines = 1000.0;  // each way

struct Box {
    double left = 0.0, bottom = 0.0, right = 0.0, top = 0.0;
    bool any = false;
    void add(double x, double y) {
        left = any ? std::min(left, x) : x;
        right = any ? std::max(right, x) : x;
        bottom = any ? std::min(bottom, y) : y;
        top = any ? std::max(top, y) : y;
        any = true;
    }
};

// The elevation where the line crosses the centre line (S = 0), if it reaches it.
std::optional<double> centreElevation(const std::vector<section::Point>& line) {
    for (std::size_t k = 0; k < line.size(); ++k) {
        if (line[k].offset == 0.0) return line[k].elevation;
        if (k == 0) continue;
        const section::Point& a = line[k - 1];
        const section::Point& b = line[k];
        if ((a.offset < 0.0) != (b.offset < 0.0))
            return a.elevation +
                   (b.elevation - a.elevation) * (0.0 - a.offset) / (b.offset - a.offset);
    }
    return std::nullopt;
}

const std::vector<section::Point>& lineOf(const section::SectionPicture& picture,
                                          PictureLine::Role role) {
    static const std::vector<section::Point> none;
    for (const PictureLine& line : picture.lines)
        if (line.role == role) return line.points;
    return none;
}

// An elevation as shown, "101.234", and in whole millimetres.
struct Shown {
    std::string text;
    long long millimetres;
};

std::optional<Shown> shown(const std::optional<double>& elevation) {
    if (!elevation || !std::isfinite(*elevation)) return std::nullopt;
    std::string text = runtime::formatFixed3(*elevation);
    std::string digits = text;
    digits.erase(digits.find('.'), 1);
    return Shown{std::move(text), std::stoll(digits)};
}

// "地面高程 101.234  设计高程 102.000  填高 0.766", as far as the lines reach
// the centre line; empty for a closed outline. The height is the difference
// of the elevations shown, so that a checker gets the same digits.
std::string centreElevations(const section::SectionPicture& picture) {
    const auto ground = shown(centreElevation(lineOf(picture, PictureLine::Role::Ground)));
    const auto design = shown(centreElevation(lineOf(picture, PictureLine::Role::Design)));
    std::string text;
    const auto add = [&text](const std::string& part) {
        text += (text.empty() ? "" : "  ") + part;
    };
    if (ground) add("地面高程 " + ground->text);
    if (design) add("设计高程 " + design->text);
    if (ground && design) {
        const long long height = design->millimetres - ground->millimetres;
        add((height >= 0 ? "填高 " : "挖深 ") +
            runtime::formatFixed3(double(std::llabs(height)) / 1000.0));
    }
    return text;
}

// The slope's ratio, horizontal metres per metre of height: the design's
// nearest one where the points' millimetres allow it, else as measured.
double slopeRatio(double run, double rise, const std::vector<double>& ratios) {
    const double measured = run / rise;
    const double tolerance = 0.0011 * (1.0 + measured) / rise;
    double best = measured, miss = tolerance;
    for (double ratio : ratios) {
        if (std::abs(ratio - measured) <= miss) {
            best = ratio;
            miss = std::abs(ratio - measured);
        }
    }
    return best;
}

// "1:1.5", to two decimals at most.
std::string ratioText(double ratio) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", ratio);
    std::string digits = text;
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.back() == '.') digits.pop_back();
    return "1:" + digits;
}

// The slope ratio of the design line's segment that ends at the catch point,
// set beside the middle of that segment on the side away from the road, far
// enough that the text clears it.
std::optional<DrawText> slopeText(const std::vector<section::Point>& design,
                                  const section::PictureMark& mark, const SectionLabels& labels,
                                  double mm) {
    const section::Point& at = mark.at;
    if (design.size() < 2) return std::nullopt;
    const bool first = design.front() == at;
    if (!first && design.back() != at) return std::nullopt;
    const section::Point& inner = first ? design[1] : design[design.size() - 2];
    const double run = std::abs(inner.offset - at.offset);
    const double rise = std::abs(inner.elevation - at.elevation);
    if (rise <= 0.0) return std::nullopt;
    const bool fill = mark.role == section::PictureMark::Role::Toe;
    const std::string text =
        ratioText(slopeRatio(run, rise, fill ? labels.fillRatios : labels.cutRatios));
    const double height = kTextHeight * mm;
    const double length = std::hypot(run, rise);
    const double ux = (at.offset - inner.offset) / length;
    const double uy = (inner.elevation - at.elevation) / length;
    // The normal pointing away from the centre line.
    double nx = -uy, ny = ux;
    if ((nx > 0.0) != (-at.offset > 0.0)) nx = -nx, ny = -ny;
    const double distance =
        textWidth(text, height) / 2 * std::abs(uy) + height / 2 * std::abs(ux) + kGap * mm;
    const double x = -(at.offset + inner.offset) / 2 + nx * distance;
    const double y = (at.elevation + inner.elevation) / 2 + ny * distance;
    return DrawText{kLabelLayer, {x, y - height / 2}, height, text, DrawText::Align::Centre};
}

void addText(Box& box, const DrawText& text) {
    const Bounds runs = textBounds(text);
    box.add(runs.left, runs.bottom);
    box.add(runs.right, runs.top);
}

// The grid's steps and lines over the box rounded out to whole steps, each
// horizontal line's elevation at its left and every fifth vertical line's
// distance from the centre line under it.
void addGrid(DrawingBlock& block, Box& box, double step, double mm) {
    // A mistyped point kilometres away gets a coarser grid, not millions of lines.
    while ((box.right - box.left) / step > kMostGridLines ||
           (box.top - box.bottom) / step > kMostGridLines)
        step *= 10.0;
    box.left = std::floor(box.left / step) * step;
    box.right = std::ceil(box.right / step) * step;
    box.bottom = std::floor(box.bottom / step) * step;
    box.top = std::ceil(box.top / step) * step;
    if (box.left == box.right) box.left -= step, box.right += step;
    if (box.bottom == box.top) box.top += step;
    const long across = std::lround((box.right - box.left) / step);
    const long up = std::lround((box.top - box.bottom) / step);
    const double height = kTextHeight * mm;
    for (long k = 0; k <= across; ++k) {
        const double x = box.left + double(k) * step;
        block.lines.push_back({kGridLayer, {{x, box.bottom}, {x, box.top}}});
        if (std::lround(x / step) % kOffsetEvery == 0)
            block.texts.push_back({kLabelLayer,
                                   {x, box.bottom - kLabelsFloor * mm - height},
                                   height,
                                   runtime::numberToText(std::abs(x)),
                                   DrawText::Align::Centre});
    }
    for (long k = 0; k <= up; ++k) {
        const double y = box.bottom + double(k) * step;
        block.lines.push_back({kGridLayer, {{box.left, y}, {box.right, y}}});
        block.texts.push_back({kLabelLayer,
                               {box.left - kGap * mm, y - height / 2},
                               height,
                               runtime::numberToText(y),
                               DrawText::Align::Right});
    }
}

}  // namespace

double textWidth(const std::string& text, double height) {
    double ems = 0.0;
    for (unsigned char byte : text) {
        if (byte < 0x80)
            ems += 0.5;
        else if (byte >= 0xC0)
            ems += 1.0;
    }
    return ems * height / 0.7;
}

Bounds textBounds(const DrawText& text) {
    const double width = textWidth(text.text, text.height);
    const double left = text.align == DrawText::Align::Left     ? text.at.x
                        : text.align == DrawText::Align::Centre ? text.at.x - width / 2
                                                                : text.at.x - width;
    return {left, text.at.y, left + width, text.at.y + text.height};
}

SectionBlock sectionBlock(const section::SectionPicture& picture, const SectionLabels& labels,
                          double scale) {
    const double mm = scale / 1000.0;
    SectionBlock out{pictureBlock(picture, kMarkRadius * mm), {}};
    DrawingBlock& block = out.block;
    block.name = labels.blockName;

    Box grid;
    for (const DrawLine& line : block.lines)
        for (const DrawPoint& point : line.points) grid.add(point.x, point.y);
    if (!grid.any) grid.add(0.0, 0.0);
    grid.add(0.0, grid.bottom);  // the centre line
    for (const DrawCircle& circle : block.circles) {
        grid.add(circle.centre.x - circle.radius, circle.centre.y - circle.radius);
        grid.add(circle.centre.x + circle.radius, circle.centre.y + circle.radius);
    }
    for (const section::PictureMark& mark : picture.catchPoints) {
        if (auto text = slopeText(lineOf(picture, PictureLine::Role::Design), mark, labels, mm)) {
            addText(grid, *text);
            block.texts.push_back(std::move(*text));
        }
    }
    const std::size_t ownLines = block.lines.size();
    addGrid(block, grid, scale >= 500.0 ? 5.0 : 1.0, mm);
    // The grid under the section's own lines.
    std::rotate(block.lines.begin(), block.lines.begin() + std::ptrdiff_t(ownLines),
                block.lines.end());
    block.lines.push_back({kCentreLayer, {{0.0, grid.bottom}, {0.0, grid.top}}, false, true});

    Box box = grid;
    for (const DrawText& text : block.texts) addText(box, text);
    // Above the grid, in the label room, from the bottom up.
    const std::string elevations = centreElevations(picture);
    const std::pair<const std::string*, double> above[] = {{&labels.areas, kTextHeight},
                                                           {&elevations, kTextHeight},
                                                           {&labels.station, kStationHeight}};
    double baseLine = grid.top + kLabelsFloor * mm;
    for (const auto& [text, height] : above) {
        if (text->empty()) continue;
        const DrawText drawn{
            kLabelLayer, {0.0, baseLine}, height * mm, *text, DrawText::Align::Centre};
        const double half = textWidth(*text, drawn.height) / 2;
        box.left = std::min(box.left, -half);
        box.right = std::max(box.right, half);
        block.texts.push_back(drawn);
        baseLine += kLinePitch * mm;
    }
    // A little room all round: the text widths are estimates, and a section
    // at the sheet's edge must not have its elevations on the frame's line.
    box.left -= kGap * mm;
    box.right += kGap * mm;
    box.bottom -= kGap * mm;
    block.base = {box.left, box.bottom};
    out.extent = {box.right - box.left, grid.top - box.bottom};
    return out;
}

}  // namespace printout
