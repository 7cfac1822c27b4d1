// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/cut_fill_canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "window/views/drawing_style.h"
#include "window/views/section_grid.h"

namespace window {

namespace {

constexpr double kLegendRow = 20;  // pixels above the drawing for the legend
constexpr double kMarkWidth = 18;
// Beyond this many points a line's points are not marked: the marks would
// only thicken it.
constexpr std::size_t kMostMarked = 200;

std::pair<Span, Span> spansOf(const CutFillPicture& picture) {
    Span s{0, 0};  // the centre line always inside
    std::optional<Span> h;
    for (const auto* line : {&picture.ground, &picture.design}) {
        for (const section::Point& point : *line) {
            s = {std::min(s.from, point.offset), std::max(s.to, point.offset)};
            h = h ? Span{std::min(h->from, point.elevation), std::max(h->to, point.elevation)}
                  : Span{point.elevation, point.elevation};
        }
    }
    return {s, h.value_or(Span{0, 0})};
}

QPolygonF polygonOf(const SectionScale& scale, const std::vector<section::Point>& points) {
    QPolygonF polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const section::Point& point : points)
        polygon << pointAt(scale, point.offset, point.elevation);
    return polygon;
}

void shade(QPainter& painter, const SectionScale& scale,
           const std::vector<std::vector<section::Point>>& regions, const QColor& colour) {
    QPainterPath path;
    for (const auto& region : regions) path.addPolygon(polygonOf(scale, region));
    painter.fillPath(path, colour);
}

void drawLine(QPainter& painter, const SectionScale& scale, const std::vector<section::Point>& line,
              const QColor& colour) {
    const QPolygonF polyline = polygonOf(scale, line);
    painter.setPen(QPen(colour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(polyline);
    if (line.size() > kMostMarked) return;
    painter.setPen(QPen(colour, 1.2));
    painter.setBrush(Qt::white);
    for (const QPointF& point : polyline) painter.drawEllipse(point, 2.5, 2.5);
}

}  // namespace

CutFillCanvas::CutFillCanvas(QWidget* parent) : QWidget(parent) {
    paintWhiteGround(*this);
    setMinimumSize(200, 160);
}

void CutFillCanvas::setPicture(CutFillPicture picture) {
    picture_ = std::move(picture);
    regions_ = section::cutFillRegions(picture_.ground, picture_.design);
    update();
}

PixelBox CutFillCanvas::plotBox() const {
    return {kSectionMargin, kSectionMargin / 2 + kLegendRow, width() - 1.5 * kSectionMargin,
            height() - 1.5 * kSectionMargin - kLegendRow};
}

SectionScale CutFillCanvas::scale() const {
    const auto [s, h] = spansOf(picture_);
    return fitSection(s, h, plotBox(), 8);
}

std::vector<CutFillCanvas::LegendEntry> CutFillCanvas::legend() const {
    std::vector<LegendEntry> entries{{QStringLiteral("地面线"), kGroundColour, false, {}, {}},
                                     {QStringLiteral("设计线"), kDesignColour, false, {}, {}},
                                     {QStringLiteral("挖方"), kCutColour, true, {}, {}},
                                     {QStringLiteral("填方"), kFillColour, true, {}, {}}};
    // In a row from the right edge, above the drawing.
    const QFontMetricsF metrics(font());
    const double top = kSectionMargin / 2 + 2;
    double right = width() - 6;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        const double textWidth = metrics.horizontalAdvance(entry->text);
        entry->label = QRectF(right - textWidth, top, textWidth, metrics.height());
        const double middle = entry->label.center().y();
        entry->mark = QRectF(entry->label.left() - 4 - kMarkWidth, middle - 5, kMarkWidth, 10);
        right = entry->mark.left() - 12;
    }
    return entries;
}

void CutFillCanvas::paintEvent(QPaintEvent*) {
    const PixelBox box = plotBox();
    const SectionScale scale = this->scale();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSectionGrid(painter, scale, box);
    shade(painter, scale, regions_.cut, kCutColour);
    shade(painter, scale, regions_.fill, kFillColour);
    drawCentreLine(painter, scale, box);
    drawLine(painter, scale, picture_.ground, kGroundColour);
    drawLine(painter, scale, picture_.design, kDesignColour);
    const auto& ringed = picture_.highlighted.design ? picture_.design : picture_.ground;
    if (const int j = picture_.highlighted.point; j >= 1 && j <= int(ringed.size())) {
        // As in the closed outline's drawing, wide enough to be seen among close points.
        painter.setPen(QPen(kHighlightColour, 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(pointAt(scale, ringed[j - 1].offset, ringed[j - 1].elevation), 7.5,
                            7.5);
    }

    painter.setFont(font());
    for (const LegendEntry& entry : legend()) {
        if (entry.shaded) {
            painter.fillRect(entry.mark, entry.colour);
        } else {
            painter.setPen(QPen(entry.colour, 2));
            painter.drawLine(QPointF(entry.mark.left(), entry.mark.center().y()),
                             QPointF(entry.mark.right(), entry.mark.center().y()));
        }
        painter.setPen(Qt::black);
        painter.drawText(entry.label, Qt::AlignLeft | Qt::AlignVCenter, entry.text);
    }
}

}  // namespace window
