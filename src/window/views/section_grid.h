// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the section drawing stands on: the metre grid with its values and the
// centre line S = 0, dashed red.

#include <QPointF>

#include "window/views/plot_geometry.h"

class QPainter;

namespace window {

inline constexpr double kSectionMargin = 34;  // pixels around the drawing, room for the values

inline QPointF pointAt(const SectionScale& scale, double s, double h) {
    const Pixel p = scale.toPixel(s, h);
    return {p.x, p.y};
}

void drawSectionGrid(QPainter& painter, const SectionScale& scale, const PixelBox& box);
void drawCentreLine(QPainter& painter, const SectionScale& scale, const PixelBox& box);

}  // namespace window
