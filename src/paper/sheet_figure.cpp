// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/sheet_figure.h"

#include <QPainter>
#include <algorithm>
#include <limits>
#include <vector>

#include "paper/drawing_painter.h"

namespace paper {

namespace {

constexpr double kMargin = 1.5;  // millimetres between the frame and the drawing
constexpr double kPen = 0.15;    // millimetres, of the lines and the frame

// The block's points, or only the road's: its design lines, hatches and catch points.
std::vector<printout::DrawPoint> pointsOf(const printout::DrawingBlock& block, bool road) {
    std::vector<printout::DrawPoint> points;
    for (const printout::DrawLine& line : block.lines) {
        if (!road || line.layer == printout::kDesignLayer)
            points.insert(points.end(), line.points.begin(), line.points.end());
    }
    for (const printout::DrawHatch& hatch : block.hatches)
        points.insert(points.end(), hatch.outline.begin(), hatch.outline.end());
    for (const printout::DrawCircle& circle : block.circles) {
        points.push_back({circle.centre.x - circle.radius, circle.centre.y - circle.radius});
        points.push_back({circle.centre.x + circle.radius, circle.centre.y + circle.radius});
    }
    return points;
}

// The bounds of the points between `from` and `to` across; empty for none.
QRectF boundsOf(const std::vector<printout::DrawPoint>& points,
                double from = -std::numeric_limits<double>::infinity(),
                double to = std::numeric_limits<double>::infinity()) {
    QRectF bounds;
    bool any = false;
    for (const printout::DrawPoint& point : points) {
        if (point.x < from || point.x > to) continue;
        if (!any) bounds = QRectF(point.x, point.y, 0, 0);
        any = true;
        bounds.setLeft(std::min(bounds.left(), point.x));
        bounds.setRight(std::max(bounds.right(), point.x));
        bounds.setTop(std::min(bounds.top(), point.y));
        bounds.setBottom(std::max(bounds.bottom(), point.y));
    }
    return bounds;
}

}  // namespace

QRectF shownPart(const printout::DrawingBlock& block) {
    const std::vector<printout::DrawPoint> all = pointsOf(block, false);
    const std::vector<printout::DrawPoint> road = pointsOf(block, true);
    if (road.empty()) return boundsOf(all);
    const QRectF roadBounds = boundsOf(road);
    const double aside = roadBounds.width() / 2;
    return boundsOf(all, roadBounds.left() - aside, roadBounds.right() + aside).united(roadBounds);
}

void paintSheetFigure(QPainter& painter, const printout::DrawingBlock& block, const QRectF& box,
                      double millimetre) {
    painter.save();
    painter.setClipRect(box);
    painter.setPen(QPen(layerColour(printout::kGridLayer), kPen * millimetre));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    const QRectF shown = shownPart(block);
    const double margin = kMargin * millimetre;
    const QRectF inside = box.adjusted(margin, margin, -margin, -margin);
    if (inside.isValid() && (shown.width() > 0 || shown.height() > 0)) {
        const double across =
            shown.width() > 0 ? inside.width() / shown.width() : std::numeric_limits<double>::max();
        const double up = shown.height() > 0 ? inside.height() / shown.height()
                                             : std::numeric_limits<double>::max();
        const double unit = std::min(across, up);
        const QPointF origin(inside.center().x() - shown.center().x() * unit,
                             inside.center().y() + shown.center().y() * unit);
        paintBlock(painter, block, DrawingView{origin, unit, kPen * millimetre});
    }
    painter.restore();
}

}  // namespace paper
