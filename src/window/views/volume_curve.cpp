// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/volume_curve.h"

#include <QPainter>
#include <algorithm>

#include "runtime/number_text.h"
#include "section/result_rows.h"
#include "window/views/drawing_style.h"
#include "window/views/plot_geometry.h"

namespace window {

namespace {

constexpr int kMostTicks = 6;

QString number(double value) {
    return QString::fromStdString(runtime::numberToText(static_cast<float>(value)));
}

Span spanOf(const std::vector<VolumeCurve::Point>& points, double VolumeCurve::Point::*value) {
    Span span{points.front().*value, points.front().*value};
    for (const auto& point : points) {
        span.from = std::min(span.from, point.*value);
        span.to = std::max(span.to, point.*value);
    }
    // A flat curve still gets an axis of some length.
    if (span.length() == 0) span = {span.from - 1, span.to + 1};
    return span;
}

}  // namespace

VolumeCurve::VolumeCurve(QWidget* parent) : QWidget(parent) {
    paintWhiteGround(*this);
    setMinimumSize(300, 180);
}

void VolumeCurve::showSurvey(const section::SectionSurvey& survey) {
    stations_ = survey.stationsEntered();
    points_.clear();
    for (const section::ResultRow& row : section::resultRows(survey))
        points_.push_back({row.station ? *row.station : double(row.section), row.runningTotal});
    update();
}

void VolumeCurve::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(tickFont());
    const QRectF plot(70, 24, width() - 90, height() - 60);
    painter.drawText(QRectF(0, 2, width(), 16), Qt::AlignHCenter, QStringLiteral("累计土方曲线"));
    if (points_.empty()) {
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("还没有计算结果"));
        return;
    }
    const Span along = spanOf(points_, &Point::along);
    Span total = spanOf(points_, &Point::total);
    total = {std::min(total.from, 0.0), std::max(total.to, 0.0)};  // zero on the axis
    auto x = [&](double v) { return onAxis(v, along, plot.left(), plot.right()); };
    auto y = [&](double v) { return onAxis(v, total, plot.bottom(), plot.top()); };

    for (double v : tickValues(along, kMostTicks)) {
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(x(v), plot.top()), QPointF(x(v), plot.bottom()));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(x(v) - 40, plot.bottom() + 3, 80, 14), Qt::AlignHCenter, number(v));
    }
    for (double v : tickValues(total, kMostTicks)) {
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v)));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(0, y(v) - 7, plot.left() - 4, 14),
                         Qt::AlignRight | Qt::AlignVCenter, number(v));
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawLine(QPointF(plot.left(), y(0)), QPointF(plot.right(), y(0)));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 18, plot.width(), 14), Qt::AlignHCenter,
                     stations_ ? QStringLiteral("桩号 (米)") : QStringLiteral("断面号"));
    painter.save();
    painter.translate(12, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-80, -8, 160, 16), Qt::AlignCenter,
                     QStringLiteral("累计体积 (立方米)"));
    painter.restore();

    painter.setPen(QPen(QColor(30, 90, 180), 2));
    QPolygonF curve;
    for (const Point& p : points_) curve << QPointF(x(p.along), y(p.total));
    painter.drawPolyline(curve);
    painter.setBrush(Qt::white);
    for (const QPointF& p : curve) painter.drawEllipse(p, 2.5, 2.5);
}

}  // namespace window
