// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/profile_view.h"

#include <QPainter>
#include <algorithm>

#include "section/station.h"
#include "window/views/drawing_style.h"

namespace window {

namespace {

constexpr int kMostTicks = 6;
constexpr double kStationLabelWidth = 90;  // "K10+000.000" and a gap
const QColor kGroundColour(140, 90, 40);
const QColor kDesignColour(200, 30, 30);

Span spanOf(const section::ProfileCurve& curve, double section::ProfilePoint::*value) {
    Span span{1e300, -1e300};
    const auto take = [&](const section::ProfilePoint& p) {
        span.from = std::min(span.from, p.*value);
        span.to = std::max(span.to, p.*value);
    };
    for (const auto* points : {&curve.ground, &curve.design}) std::ranges::for_each(*points, take);
    for (const section::GradeMark& mark : curve.gradePoints) take(mark.at);
    if (span.from > span.to) return {0, 1};  // nothing to draw
    if (span.length() == 0) span = {span.from - 1, span.from + 1};
    return span;
}

}  // namespace

ProfileView::ProfileView(QWidget* parent) : QWidget(parent) {
    paintWhiteGround(*this);
    setMinimumSize(300, 160);
}

void ProfileView::showCurve(section::ProfileCurve curve) {
    curve_ = std::move(curve);
    along_ = spanOf(curve_, &section::ProfilePoint::chainage);
    elevation_ = spanOf(curve_, &section::ProfilePoint::elevation);
    // Room above for the 变坡点's stations.
    elevation_.to += elevation_.length() * 0.12;
    update();
}

QRectF ProfileView::plotRect() const {
    return {70, 24, width() - 110.0, height() - 60.0};
}

QPointF ProfileView::at(const section::ProfilePoint& p) const {
    const QRectF plot = plotRect();
    return {onAxis(p.chainage, along_, plot.left(), plot.right()),
            onAxis(p.elevation, elevation_, plot.bottom(), plot.top())};
}

QPolygonF ProfileView::drawn(const std::vector<section::ProfilePoint>& points) const {
    QPolygonF line;
    for (const section::ProfilePoint& p : points) line << at(p);
    return line;
}

QPolygonF ProfileView::drawnGround() const {
    return drawn(curve_.ground);
}

QPolygonF ProfileView::drawnDesign() const {
    return drawn(curve_.design);
}

void ProfileView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(tickFont());
    painter.drawText(QRectF(0, 2, width(), 16), Qt::AlignHCenter,
                     QStringLiteral("纵断面（中线处地面高程与设计高程）"));
    const QRectF plot = plotRect();
    if (curve_.empty()) {
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("还没有地面线或纵断面"));
        return;
    }
    // As many stations along as fit side by side.
    const int stations = std::clamp(int(plot.width() / kStationLabelWidth), 1, kMostTicks);
    for (const double v : tickValues(along_, stations)) {
        const double x = onAxis(v, along_, plot.left(), plot.right());
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(x - 50, plot.bottom() + 3, 100, 14), Qt::AlignHCenter,
                         QString::fromStdString(section::stationText(v)));
    }
    for (const double v : tickValues(elevation_, kMostTicks)) {
        const double y = onAxis(v, elevation_, plot.bottom(), plot.top());
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(0, y - 7, plot.left() - 4, 14), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(v, 'f', 1));
    }
    painter.setPen(Qt::black);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawText(QRectF(plot.left(), plot.bottom() + 18, plot.width(), 14), Qt::AlignHCenter,
                     QStringLiteral("桩号"));

    painter.setPen(QPen(kGroundColour, 1.5));
    painter.drawPolyline(drawnGround());
    painter.setPen(QPen(kDesignColour, 2));
    painter.drawPolyline(drawnDesign());
    // 变坡点: a ring at the tangents' meeting point, its station above.
    for (const section::GradeMark& mark : curve_.gradePoints) {
        const QPointF point = at(mark.at);
        painter.setPen(QPen(kDesignColour, 1, Qt::DashLine));
        painter.drawLine(point, QPointF(point.x(), plot.top() + 14));
        painter.setPen(QPen(kDesignColour, 1));
        painter.setBrush(Qt::white);
        painter.drawEllipse(point, 3, 3);
        painter.drawText(QRectF(point.x() - 50, plot.top(), 100, 14), Qt::AlignHCenter,
                         QString::fromStdString(section::stationText(mark.station)));
    }
    // 竖曲线 ends: a short upright tick across the design line.
    painter.setPen(QPen(kDesignColour, 1.5));
    for (const section::ProfilePoint& p : curve_.curveEnds) {
        const QPointF point = at(p);
        painter.drawLine(point + QPointF(0, -6), point + QPointF(0, 6));
    }
    painter.setPen(kGroundColour);
    painter.drawText(QRectF(plot.right() - 130, plot.bottom() - 30, 130, 14), Qt::AlignRight,
                     QStringLiteral("—— 地面线"));
    painter.setPen(kDesignColour);
    painter.drawText(QRectF(plot.right() - 130, plot.bottom() - 16, 130, 14), Qt::AlignRight,
                     QStringLiteral("—— 设计线"));
}

}  // namespace window
