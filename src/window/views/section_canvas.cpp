// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/section_canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "runtime/number_text.h"
#include "window/views/drawing_style.h"
#include "window/views/section_grid.h"

namespace window {

namespace {

using Role = section::PictureLine::Role;
using Shade = section::PictureRegion::Role;

const QColor kPending(240, 120, 0);  // a value being confirmed
const QColor kEdge(Qt::black);
const QColor kOutlineShade(120, 160, 220, 50);
constexpr double kLegendRow = 20;  // pixels above the drawing for the legend
constexpr double kMarkWidth = 18;
// Beyond this many points a Ground or Design line's points are not marked:
// the marks would only thicken it.
constexpr std::size_t kMostMarked = 200;

// The S and H spans of every value drawn; the centre line always among them.
std::pair<Span, Span> spansOf(const CanvasPicture& picture) {
    Span s{0, 0};
    std::optional<Span> h;
    auto take = [&](double offset, std::optional<double> elevation) {
        s = {std::min(s.from, offset), std::max(s.to, offset)};
        if (elevation) {
            h = h ? Span{std::min(h->from, *elevation), std::max(h->to, *elevation)}
                  : Span{*elevation, *elevation};
        }
    };
    for (const section::PictureLine& line : picture.section.lines)
        for (const section::Point& point : line.points) take(point.offset, point.elevation);
    if (picture.pendingElevation)
        take(picture.pendingOffset.value_or(0.0), *picture.pendingElevation);
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
           const std::vector<section::PictureRegion>& regions, Shade role, const QColor& colour) {
    QPainterPath path;
    for (const section::PictureRegion& region : regions)
        if (region.role == role) path.addPolygon(polygonOf(scale, region.outline));
    painter.fillPath(path, colour);
}

void drawLine(QPainter& painter, const SectionScale& scale, const section::PictureLine& line) {
    const QColor colour = line.role == Role::Design ? kDesignColour : kGroundColour;
    const QPolygonF polyline = polygonOf(scale, line.points);
    painter.setPen(QPen(colour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(polyline);
    if (line.points.size() > kMostMarked) return;
    painter.setPen(QPen(colour, 1.2));
    painter.setBrush(Qt::white);
    for (const QPointF& point : polyline) painter.drawEllipse(point, 2.5, 2.5);
}

void drawPoint(QPainter& painter, QPointF where, int number, const QColor& colour) {
    painter.setPen(QPen(colour, 1.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(where, 3.5, 3.5);
    painter.setPen(colour);
    painter.drawText(where + QPointF(5, -5), QString::number(number));
}

// The Outline's points; none when the picture has no Outline.
const std::vector<section::Point>& outlineOf(const CanvasPicture& picture) {
    static const std::vector<section::Point> none;
    for (const section::PictureLine& line : picture.section.lines)
        if (line.role == Role::Outline) return line.points;
    return none;
}

bool sameScale(const SectionScale& a, const SectionScale& b) {
    return a.pixelsPerMetre == b.pixelsPerMetre && a.xOfCentreLine == b.xOfCentreLine &&
           a.yOfZero == b.yOfZero;
}

}  // namespace

SectionCanvas::SectionCanvas(QWidget* parent) : QWidget(parent) {
    paintWhiteGround(*this);
    setMinimumSize(200, 160);
}

void SectionCanvas::setPicture(CanvasPicture picture) {
    // The layers stay only when they hold the same regions and the first of
    // the new Outline's points.
    const std::vector<section::Point>& drawn = outlineOf(picture_);
    const std::vector<section::Point>& coming = outlineOf(picture);
    const bool kept = picture_.section.regions == picture.section.regions &&
                      layered_ <= coming.size() &&
                      std::equal(drawn.begin(), drawn.begin() + layered_, coming.begin());
    if (!kept) layeredScale_.reset();
    picture_ = std::move(picture);
    update();
}

bool SectionCanvas::hasLegend() const {
    return std::ranges::any_of(picture_.section.lines, [](const section::PictureLine& line) {
        return line.role != Role::Outline;
    });
}

void SectionCanvas::updateLayers(const SectionScale& scale, const PixelBox& box) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (!layeredScale_ || !sameScale(*layeredScale_, scale) || grid_.size() != pixels ||
        grid_.devicePixelRatio() != ratio) {
        for (QImage* layer : {&grid_, &edges_, &marks_}) {
            *layer = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
            layer->setDevicePixelRatio(ratio);
            layer->fill(Qt::transparent);
        }
        QPainter painter(&grid_);
        painter.setRenderHint(QPainter::Antialiasing);
        drawSectionGrid(painter, scale, box);
        shade(painter, scale, picture_.section.regions, Shade::Cut, kCutColour);
        shade(painter, scale, picture_.section.regions, Shade::Fill, kFillColour);
        drawCentreLine(painter, scale, box);
        layeredScale_ = scale;
        layered_ = 0;
    }
    const std::vector<section::Point>& points = outlineOf(picture_);
    if (layered_ == points.size()) return;
    QPainter edges(&edges_);
    edges.setRenderHint(QPainter::Antialiasing);
    edges.setPen(QPen(kEdge, 1.5));
    QPainter marks(&marks_);
    marks.setRenderHint(QPainter::Antialiasing);
    marks.setFont(tickFont());
    // The numbers laid out once, whatever the scale: most of a redraw's time.
    const double ascent = QFontMetricsF(tickFont()).ascent();
    while (numbers_.size() < points.size()) {
        numbers_.emplace_back(QString::number(numbers_.size() + 1));
        numbers_.back().prepare(QTransform(), tickFont());
    }
    marks.setPen(QPen(kEdge, 1.5));
    marks.setBrush(Qt::white);
    for (std::size_t k = layered_; k < points.size(); ++k) {
        const QPointF corner = pointAt(scale, points[k].offset, points[k].elevation);
        if (k > 0)
            edges.drawLine(pointAt(scale, points[k - 1].offset, points[k - 1].elevation), corner);
        marks.drawEllipse(corner, 3.5, 3.5);
        marks.drawStaticText(corner + QPointF(5, -5 - ascent), numbers_[k]);
    }
    layered_ = points.size();
}

PixelBox SectionCanvas::drawingBox() const {
    const double legend = hasLegend() ? kLegendRow : 0;
    return {kSectionMargin, kSectionMargin / 2 + legend, width() - 1.5 * kSectionMargin,
            height() - 1.5 * kSectionMargin - legend};
}

SectionScale SectionCanvas::scale() const {
    const auto [sSpan, hSpan] = spansOf(picture_);
    return fitSection(sSpan, hSpan, drawingBox(), 8);
}

QPointF SectionCanvas::pointPosition(int j) const {
    const auto& point = picture_.section.lines.at(0).points.at(static_cast<std::size_t>(j - 1));
    return pointAt(scale(), point.offset, point.elevation);
}

std::vector<SectionCanvas::LegendEntry> SectionCanvas::legend() const {
    if (!hasLegend()) return {};
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

void SectionCanvas::paintEvent(QPaintEvent*) {
    const PixelBox box = drawingBox();
    const SectionScale scale = this->scale();
    updateLayers(scale, box);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(tickFont());
    painter.drawImage(QPointF(0, 0), grid_);

    const std::vector<section::Point>& points = outlineOf(picture_);
    QPolygonF corners = polygonOf(scale, points);
    const bool pendingPoint = picture_.pendingElevation && picture_.pendingOffset;
    if (pendingPoint)
        corners << pointAt(scale, *picture_.pendingOffset, *picture_.pendingElevation);

    if (corners.size() >= 3) {
        QPainterPath shaded;
        shaded.addPolygon(corners);
        painter.fillPath(shaded, kOutlineShade);
    }
    painter.drawImage(QPointF(0, 0), edges_);
    for (const section::PictureLine& line : picture_.section.lines)
        if (line.role != Role::Outline) drawLine(painter, scale, line);
    if (pendingPoint && corners.size() >= 2) {
        painter.setPen(QPen(kPending, 2.5));
        painter.drawLine(corners[corners.size() - 2], corners.back());
    }
    if (corners.size() >= 3) {
        painter.setPen(QPen(kEdge, 1.5, Qt::DashLine));
        painter.drawLine(corners.back(), corners.front());
    }
    painter.drawImage(QPointF(0, 0), marks_);
    drawCatchPoints(painter, scale);
    drawRing(painter, scale);
    if (pendingPoint) {
        drawPoint(painter, corners.back(), int(points.size()) + 1, kPending);
    } else if (picture_.pendingElevation) {
        // Its distance still to come: the level of the elevation.
        const double y = scale.toPixel(0, *picture_.pendingElevation).y;
        painter.setPen(QPen(kPending, 2, Qt::DashDotLine));
        painter.drawLine(QPointF(box.left, y), QPointF(box.left + box.width, y));
        painter.drawText(
            QPointF(box.left + 4, y - 4),
            QStringLiteral("第 %1 点 H=%2")
                .arg(points.size() + 1)
                .arg(QString::fromStdString(runtime::numberToText(*picture_.pendingElevation))));
    }
    drawLegend(painter);
}

void SectionCanvas::drawRing(QPainter& painter, const SectionScale& scale) const {
    const auto& lines = picture_.section.lines;
    const auto ringed = std::ranges::find_if(lines, [&](const section::PictureLine& line) {
        return !picture_.highlighted.design || line.role == Role::Design;
    });
    const int j = picture_.highlighted.point;
    if (ringed == lines.end() || j < 1 || j > int(ringed->points.size())) return;
    // A ring around the mark, wide enough to be seen among close points.
    const section::Point& point = ringed->points[std::size_t(j - 1)];
    painter.setPen(QPen(kHighlightColour, 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(pointAt(scale, point.offset, point.elevation), 7.5, 7.5);
}

void SectionCanvas::drawCatchPoints(QPainter& painter, const SectionScale& scale) const {
    for (const section::PictureMark& mark : picture_.section.catchPoints) {
        const QPointF at = pointAt(scale, mark.at.offset, mark.at.elevation);
        // A small triangle standing on the point, its name above it.
        const QPolygonF triangle{at, at + QPointF(-5, -9), at + QPointF(5, -9)};
        painter.setPen(QPen(kCatchColour, 1.5));
        painter.setBrush(kCatchColour);
        painter.drawPolygon(triangle);
        painter.drawText(QRectF(at.x() - 30, at.y() - 26, 60, 14), Qt::AlignCenter,
                         mark.role == section::PictureMark::Role::Toe ? QStringLiteral("坡脚")
                                                                      : QStringLiteral("坡口"));
    }
}

void SectionCanvas::drawLegend(QPainter& painter) const {
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
