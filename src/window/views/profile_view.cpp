// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/profile_view.h"

#include <QPainter>
#include <algorithm>

#include "section/station.h"
#include "window/views/drawing_style.h"

namespace window {

namespace {

constexpr int kMostTicks = 6;
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
    if (span.length() <= 0) span = {span.from - 1, span.from + 1};
    return span;
}

}  // namespace

ProfileView::ProfileView(QWidget* parent) : QWidget(parent) {
    paintWhiteGround(*this);
    setMinimumSize(300, 160);
}

void ProfileView::showCurve(section::ProfileCurve curve) {
    curve_ = std::move(curve);
    update();
}

ProfileView::Axes ProfileView::axes() const {
    Span elevation = spanOf(curve_, &section::ProfilePoint::elevation);
    // Room above for the 变坡点's stations.
    elevation.to += elevation.length() * 0.12;
    return {QRectF(70, 24, width() - 110.0, height() - 60.0),
            spanOf(curve_, &section::ProfilePoint::chainage), elevation};
}

QPolygonF ProfileView::drawn(const std::vector<section::ProfilePoint>& points) const {
    QPolygonF line;
    if (curve_.empty()) return line;
    const Axes on = axes();
    for (const section::ProfilePoint& p : points) line << on.at(p);
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
    const Axes on = axes();
    if (curve_.empty()) {
        painter.drawText(on.plot, Qt::AlignCenter, QStringLiteral("还没有地面线或纵断面"));
        return;
    }
    for (const double v : tickValues(on.along, kMostTicks)) {
        const double x = onAxis(v, on.along, on.plot.left(), on.plot.right());
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(x, on.plot.top()), QPointF(x, on.plot.bottom()));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(x - 50, on.plot.bottom() + 3, 100, 14), Qt::AlignHCenter,
                         QString::fromStdString(section::stationText(v)));
    }
    for (const double v : tickValues(on.elevation, kMostTicks)) {
        const double y = onAxis(v, on.elevation, on.plot.bottom(), on.plot.top());
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(on.plot.left(), y), QPointF(on.plot.right(), y));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(0, y - 7, on.plot.left() - 4, 14),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(v, 'f', 1));
    }
    painter.setPen(Qt::black);
    painter.drawLine(on.plot.bottomLeft(), on.plot.bottomRight());
    painter.drawLine(on.plot.bottomLeft(), on.plot.topLeft());
    painter.drawText(QRectF(on.plot.left(), on.plot.bottom() + 18, on.plot.width(), 14),
                     Qt::AlignHCenter, QStringLiteral("桩号"));

    painter.setPen(QPen(kGroundColour, 1.5));
    painter.drawPolyline(drawnGround());
    painter.setPen(QPen(kDesignColour, 2));
    painter.drawPolyline(drawnDesign());
    // 变坡点: a ring at the tangents' meeting point, its station above.
    for (const section::GradeMark& mark : curve_.gradePoints) {
        const QPointF at = on.at(mark.at);
        painter.setPen(QPen(kDesignColour, 1, Qt::DashLine));
        painter.drawLine(at, QPointF(at.x(), on.plot.top() + 14));
        painter.setPen(QPen(kDesignColour, 1));
        painter.setBrush(Qt::white);
        painter.drawEllipse(at, 3, 3);
        painter.drawText(QRectF(at.x() - 50, on.plot.top(), 100, 14), Qt::AlignHCenter,
                         QString::fromStdString(section::stationText(mark.station)));
    }
    // 竖曲线 ends: a short upright tick across the design line.
    painter.setPen(QPen(kDesignColour, 1.5));
    for (const section::ProfilePoint& p : curve_.curveEnds) {
        const QPointF at = on.at(p);
        painter.drawLine(at + QPointF(0, -6), at + QPointF(0, 6));
    }
    painter.setPen(kGroundColour);
    painter.drawText(QRectF(on.plot.right() - 130, on.plot.bottom() - 30, 130, 14), Qt::AlignRight,
                     QStringLiteral("—— 地面线"));
    painter.setPen(kDesignColour);
    painter.drawText(QRectF(on.plot.right() - 130, on.plot.bottom() - 16, 130, 14), Qt::AlignRight,
                     QStringLiteral("—— 设计线"));
}

}  // namespace window
