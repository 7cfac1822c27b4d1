// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/volume_curve.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "runtime/number_text.h"
#include "section/cut_fill_rows.h"
#include "section/result_rows.h"
#include "window/views/drawing_style.h"
#include "window/views/plot_geometry.h"

namespace window {

namespace {

constexpr int kMostTicks = 6;

QString number(double value) {
    return QString::fromStdString(runtime::numberToText(static_cast<float>(value)));
}

const QColor kCurveColour(30, 90, 180);
const QColor kCutCurveColour(200, 60, 30);
const QColor kFillCurveColour(30, 90, 180);
const QColor kMassCurveColour(90, 40, 140);

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
      axis_(QStringLiteral("累计体积 (立方米)")) {
    paintWhiteGround(*this);
    setMinimumSize(300, 180);
}

void VolumeCurve::showSurvey(const section::SectionSurvey& survey) {
    stations_ = survey.stationsEntered();
    legend_ = false;
    title_ = QStringLiteral("累计土方曲线");
    axis_ = QStringLiteral("累计体积 (立方米)");
    series_ = {{QStringLiteral("累计体积"), kCurveColour, {}}};
    for (const section::ResultRow& row : section::resultRows(survey))
        series_[0].points.push_back(
            {row.station ? *row.station : double(row.section), row.runningTotal});
    update();
}

void VolumeCurve::showCutFill(const section::CutFillSurvey& survey, CutFillCurves curves) {
    stations_ = survey.stationsEntered();
    legend_ = true;
    const bool mass = curves == CutFillCurves::Mass;
    title_ = mass ? QStringLiteral("土方累积曲线") : QStringLiteral("累计挖方和累计填方曲线");
    axis_ =
        mass ? QStringLiteral("累计挖方 − 累计填方 (立方米)") : QStringLiteral("累计体积 (立方米)");
    if (mass)
        series_ = {{QStringLiteral("累计挖方 − 累计填方"), kMassCurveColour, {}}};
    else
        series_ = {{QStringLiteral("累计挖方"), kCutCurveColour, {}},
                   {QStringLiteral("累计填方"), kFillCurveColour, {}}};
    for (const section::CutFillRow& row : section::cutFillRows(survey)) {
        const double along = row.station ? *row.station : double(row.section);
        if (mass) {
            series_[0].points.push_back({along, row.runningCut - row.runningFill});
        } else {
            series_[0].points.push_back({along, row.runningCut});
            series_[1].points.push_back({along, row.runningFill});
        }
    }
    update();
}

void VolumeCurve::drawLegend(QPainter& painter, const QRectF& plot) const {
    const QFontMetricsF metrics(font());
    painter.setFont(font());
    double y = plot.top() + 4;
    double widest = 0;
    for (const Series& each : series_)
        widest = std::max(widest, metrics.horizontalAdvance(each.name));
    const double left = plot.left() + 8;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRect(QRectF(left - 4, y - 2, widest + 36, series_.size() * metrics.height() + 4));
    for (const Series& each : series_) {
        const double middle = y + metrics.height() / 2;
        painter.setPen(QPen(each.colour, 2));
        painter.drawLine(QPointF(left, middle), QPointF(left + 20, middle));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(left + 26, y, widest + 4, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, each.name);
        y += metrics.height();
    }
}

void VolumeCurve::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(tickFont());
    const QRectF plot(70, 24, width() - 90, height() - 60);
    painter.drawText(QRectF(0, 2, width(), 16), Qt::AlignHCenter, title_);
    if (points().empty()) {
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("还没有计算结果"));
        return;
    }
    const Span along = spanOf(series_, &Point::along);
    Span total = spanOf(series_, &Point::total);
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
    painter.drawText(QRectF(-100, -8, 200, 16), Qt::AlignCenter, axis_);
    painter.restore();

    for (const Series& each : series_) {
        painter.setPen(QPen(each.colour, 2));
        painter.setBrush(Qt::NoBrush);
        QPolygonF curve;
        for (const Point& p : each.points) curve << QPointF(x(p.along), y(p.total));
        painter.drawPolyline(curve);
        painter.setBrush(Qt::white);
        for (const QPointF& p : curve) painter.drawEllipse(p, 2.5, 2.5);
    }
    if (legend_) drawLegend(painter, plot);
}

}  // namespace window
