// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sets drawing entities (metres) on a painter: a point (x, y) lands at
// origin + (x, -y) × unit device pixels, so up is up. Hatches are shaded in
// their layer's colour, cut one way and fill the other; lines, circles and
// texts in their layer's colour, a text as tall as it says.

#include <QColor>
#include <QPointF>

#include "printout/drawing.h"

class QPainter;

namespace paper {

struct DrawingView {
    QPointF origin;         // where model (0, 0) lands, in device pixels
    double unit = 1.0;      // device pixels per metre
    double penWidth = 1.0;  // device pixels, of the thinnest line
    QPointF map(printout::DrawPoint point) const {
        return {origin.x() + point.x * unit, origin.y() - point.y * unit};
    }
};

QColor layerColour(const std::string& layer);

// The block's entities as they are, ignoring its base: `view` places them.
void paintBlock(QPainter& painter, const printout::DrawingBlock& block, const DrawingView& view);

}  // namespace paper
