// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/volume_curve.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "runtime/number_text.h"
#include "window/views/drawing_style.h"

namespace window {

namespace {

// The least room between sections, in pixels, for each to have its mark.
constexpr double kMarksApart = 4.0;

constexpr int kMostTicks = 6;

const QColor kBalanceColour(20, 130, 70);

QString number(double value) {
    return QString::fromStdString(runtime::numberToText(static_cast<float>(value)));
}

QColor colourOf(section::CurveRole role) {
    switch (role) {
        case section::CurveRole::Cut:
            return {200, 60, 30};
        case section::CurveRole::Mass:
            return {90, 40, 140};
        case section::CurveRole::Volume:
        case section::CurveRole::Fill:
            break;
    }
    return {30, 90, 180};
}

Span spanOf(const std::vector<VolumeCurve::Series>& series, double VolumeCurve::Point::*value) {
    const VolumeCurve::Point& first = series.front().points.front();
    Span span{first.*value, first.*value};
    for (const auto& each : series) {
        for (const auto& point : each.points) {
            span.from = std::min(span.from, point.*value);
            span.to = std::max(span.to, point.*value);
        }
    }
    // A flat curve still gets an axis of some length.
    if (span.length() == 0) span = {span.from - 1, span.to + 1};
    return span;
}

}  // namespace

VolumeCurve::VolumeCurve(QWidget* parent)
    : QWidget(parent),
      title_(QStringLiteral("累计土方曲线")),
      axis_(QStringLiteral("累计体积 (立方米)")),
      alongAxis_(QStringLiteral("断面号")) {
    paintWhiteGround(*this);
    setMinimumSize(300, 180);
}

void VolumeCurve::show(const section::RunningCurves& curves) {
    legend_ = curves.legend;
    title_ = QString::fromStdString(curves.title);
    axis_ = QString::fromStdString(curves.axis);
    alongAxis_ = QString::fromStdString(curves.alongAxis);
    balances_ = curves.balances;
    series_.clear();
    for (const section::RunningCurve& curve : curves.curves) {
        Series each{QString::fromStdString(curve.name), colourOf(curve.role), {}};
        for (const section::CurvePoint& point : curve.points)
            each.points.push_back({point.along, point.total});
        series_.push_back(std::move(each));
    }
    update();
}

QRectF VolumeCurve::plotRect() const {
    return {70, 24, width() - 90.0, height() - 60.0};
}

VolumeCurve::Axes VolumeCurve::axes() const {
    const Span total = spanOf(series_, &Point::total);
    // Zero on the axis.
    return {plotRect(),
            spanOf(series_, &Point::along),
            {std::min(total.from, 0.0), std::max(total.to, 0.0)}};
}

std::vector<QPolygonF> VolumeCurve::drawnCurves() const {
    std::vector<QPolygonF> curves;
    if (points().empty()) return curves;
    const Axes on = axes();
    for (const Series& each : series_) {
        QPolygonF curve;
        for (const Point& p : each.points) curve << QPointF(on.x(p.along), on.y(p.total));
        curves.push_back(std::move(curve));
    }
    return curves;
}

std::vector<VolumeCurve::Balance> VolumeCurve::drawnBalances() const {
    std::vector<Balance> drawn;
    if (points().empty()) return drawn;
    const Axes on = axes();
    for (const section::BalanceLine& balance : balances_) {
        drawn.push_back(
            {QLineF(on.x(balance.from), on.y(balance.level), on.x(balance.to), on.y(balance.level)),
             QStringLiteral("%1 m³ · %2 m")
                 .arg(balance.volume, 0, 'f', 0)
                 .arg(balance.averageHaul, 0, 'f', 1)});
    }
    return drawn;
}

QRectF VolumeCurve::legendBox() const {
    if (!legend_) return {};
    const QFontMetricsF metrics(font());
    double widest = 0;
    for (const Series& each : series_)
        widest = std::max(widest, metrics.horizontalAdvance(each.name));
    const QSizeF size(widest + 36, double(series_.size()) * metrics.height() + 4);
    const QRectF inside = plotRect().adjusted(6, 4, -6, -4);
    const QRectF corners[] = {
        QRectF(inside.topLeft(), size),
        QRectF(QPointF(inside.right() - size.width(), inside.top()), size),
        QRectF(QPointF(inside.right() - size.width(), inside.bottom() - size.height()), size),
        QRectF(QPointF(inside.left(), inside.bottom() - size.height()), size)};
    // Points along the curves counted in each corner; the first of the fewest wins.
    const std::vector<QPolygonF> curves = drawnCurves();
    auto crowding = [&](const QRectF& box) {
        const QRectF near = box.adjusted(-4, -4, 4, 4);
        int count = 0;
        for (const QPolygonF& curve : curves) {
            for (qsizetype k = 0; k + 1 < curve.size(); ++k)
                for (int step = 0; step <= 16; ++step)
                    count += near.contains(curve[k] + (curve[k + 1] - curve[k]) * (step / 16.0));
            if (curve.size() == 1) count += near.contains(curve[0]);
        }
        return count;
    };
    return *std::ranges::min_element(corners, {}, crowding);
}

void VolumeCurve::drawLegend(QPainter& painter, const QRectF& box) const {
    const QFontMetricsF metrics(font());
    painter.setFont(font());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRect(box);
    double y = box.top() + 2;
    const double left = box.left() + 4;
    for (const Series& each : series_) {
        const double middle = y + metrics.height() / 2;
        painter.setPen(QPen(each.colour, 2));
        painter.drawLine(QPointF(left, middle), QPointF(left + 20, middle));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(left + 26, y, box.right() - left - 26, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, each.name);
        y += metrics.height();
    }
}

void VolumeCurve::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(tickFont());
    const QRectF plot = plotRect();
    painter.drawText(QRectF(0, 2, width(), 16), Qt::AlignHCenter, title_);
    if (points().empty()) {
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("还没有计算结果"));
        return;
    }
    const Axes on = axes();
    auto x = [&](double v) { return on.x(v); };
    auto y = [&](double v) { return on.y(v); };

    for (double v : tickValues(on.along, kMostTicks)) {
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(x(v), plot.top()), QPointF(x(v), plot.bottom()));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(x(v) - 40, plot.bottom() + 3, 80, 14), Qt::AlignHCenter, number(v));
    }
    for (double v : tickValues(on.total, kMostTicks)) {
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
                     alongAxis_);
    painter.save();
    painter.translate(12, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-100, -8, 200, 16), Qt::AlignCenter, axis_);
    painter.restore();

    const std::vector<QPolygonF> curves = drawnCurves();
    for (std::size_t k = 0; k < curves.size(); ++k) {
        painter.setPen(QPen(series_[k].colour, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(curves[k]);
        // A mark at each section while the marks stand apart; closer, they
        // would only thicken the line (and cost a frame for 1,000 sections).
        if (curves[k].size() > 1 && plot.width() / double(curves[k].size() - 1) < kMarksApart)
            continue;
        painter.setBrush(Qt::white);
        for (const QPointF& p : curves[k]) painter.drawEllipse(p, 2.5, 2.5);
    }
    drawBalances(painter);
    if (legend_) drawLegend(painter, legendBox());
}

void VolumeCurve::drawBalances(QPainter& painter) const {
    const QFontMetricsF metrics(painter.font());
    for (const Balance& balance : drawnBalances()) {
        painter.setPen(QPen(kBalanceColour, 1.5, Qt::DashLine));
        painter.drawLine(balance.line);
        painter.setPen(QPen(kBalanceColour, 1.5));
        for (const QPointF& end : {balance.line.p1(), balance.line.p2()})
            painter.drawLine(end - QPointF(0, 4), end + QPointF(0, 4));
        // Only where it fits over its own line, not over its neighbours'.
        if (metrics.horizontalAdvance(balance.label) + 4 > balance.line.length()) continue;
        painter.drawText(QRectF(balance.line.p1().x(), balance.line.p1().y() - metrics.height() - 2,
                                balance.line.dx(), metrics.height()),
                         Qt::AlignHCenter | Qt::AlignBottom, balance.label);
    }
}

}  // namespace window
