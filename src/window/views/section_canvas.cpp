// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/section_canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "runtime/number_text.h"
#include "window/views/drawing_style.h"
#include "window/views/plot_geometry.h"
#include "window/views/section_grid.h"

namespace window {

namespace {

constexpr double kMargin = kSectionMargin;
const QColor kPending(240, 120, 0);  // a value being confirmed
const QColor kEdge(Qt::black);

// The S and H spans of every value drawn; the centre line always among them.
std::pair<Span, Span> spansOf(const SectionPicture& picture) {
    Span s{0, 0};
    std::optional<Span> h;
    auto take = [&](double offset, std::optional<double> elevation) {
        s = {std::min(s.from, offset), std::max(s.to, offset)};
        if (elevation) {
            h = h ? Span{std::min(h->from, *elevation), std::max(h->to, *elevation)}
                  : Span{*elevation, *elevation};
        }
    };
    for (const auto& point : picture.points) take(point.offset, point.elevation);
    if (picture.pendingElevation)
        take(picture.pendingOffset.value_or(0.0f), *picture.pendingElevation);
    return {s, h.value_or(Span{0, 0})};
}

void drawPoint(QPainter& painter, QPointF where, int number, const QColor& colour) {
    painter.setPen(QPen(colour, 1.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(where, 3.5, 3.5);
    painter.setPen(colour);
    painter.drawText(where + QPointF(5, -5), QString::number(number));
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

void SectionCanvas::setPicture(SectionPicture picture) {
    // The layers stay only when they hold the first of the new points.
    const bool kept = layered_ <= picture.points.size() &&
                      std::equal(picture_.points.begin(), picture_.points.begin() + layered_,
                                 picture.points.begin());
    if (!kept) layeredScale_.reset();
    picture_ = std::move(picture);
    update();
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
        drawCentreLine(painter, scale, box);
        layeredScale_ = scale;
        layered_ = 0;
    }
    const auto& points = picture_.points;
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
    return {kMargin, kMargin / 2, width() - 1.5 * kMargin, height() - 1.5 * kMargin};
}

SectionScale SectionCanvas::drawingScale() const {
    const auto [sSpan, hSpan] = spansOf(picture_);
    return fitSection(sSpan, hSpan, drawingBox(), 8);
}

QPointF SectionCanvas::pointPosition(int j) const {
    const auto& point = picture_.points.at(static_cast<std::size_t>(j - 1));
    return pointAt(drawingScale(), point.offset, point.elevation);
}

void SectionCanvas::paintEvent(QPaintEvent*) {
    const PixelBox box = drawingBox();
    const SectionScale scale = drawingScale();
    updateLayers(scale, box);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(tickFont());
    painter.drawImage(QPointF(0, 0), grid_);

    const auto& points = picture_.points;
    std::vector<QPointF> corners;
    corners.reserve(points.size() + 1);
    for (const auto& point : points)
        corners.push_back(pointAt(scale, point.offset, point.elevation));
    const bool pendingPoint = picture_.pendingElevation && picture_.pendingOffset;
    if (pendingPoint)
        corners.push_back(pointAt(scale, *picture_.pendingOffset, *picture_.pendingElevation));

    if (corners.size() >= 3) {
        QPainterPath outline;
        outline.addPolygon(QPolygonF(QList<QPointF>(corners.begin(), corners.end())));
        painter.fillPath(outline, QColor(120, 160, 220, 50));
    }
    painter.drawImage(QPointF(0, 0), edges_);
    if (pendingPoint && corners.size() >= 2) {
        painter.setPen(QPen(kPending, 2.5));
        painter.drawLine(corners[corners.size() - 2], corners.back());
    }
    if (corners.size() >= 3) {
        painter.setPen(QPen(kEdge, 1.5, Qt::DashLine));
        painter.drawLine(corners.back(), corners.front());
    }
    painter.drawImage(QPointF(0, 0), marks_);
    if (picture_.highlighted >= 1 && picture_.highlighted <= int(points.size())) {
        // A ring around the mark, wide enough to be seen among close points.
        painter.setPen(QPen(kHighlightColour, 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(corners[picture_.highlighted - 1], 7.5, 7.5);
    }
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
}

}  // namespace window
