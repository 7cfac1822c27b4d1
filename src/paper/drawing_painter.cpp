// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/drawing_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace paper {

namespace {

QPolygonF polygon(const std::vector<printout::DrawPoint>& points, const DrawingView& view) {
    QPolygonF out;
    out.reserve(qsizetype(points.size()));
    for (const printout::DrawPoint& point : points) out << view.map(point);
    return out;
}

void paintHatch(QPainter& painter, const printout::DrawHatch& hatch, const DrawingView& view) {
    const QColor colour = layerColour(hatch.layer);
    QColor wash = colour;
    wash.setAlpha(40);
    const QPolygonF shape = polygon(hatch.outline, view);
    painter.setPen(Qt::NoPen);
    painter.setBrush(wash);
    painter.drawPolygon(shape);
    // Cut hatched one way, fill the other, so that they part in black and white too.
    QBrush lines(colour, hatch.layer == printout::kFillLayer ? Qt::FDiagPattern : Qt::BDiagPattern);
    lines.setTransform(QTransform::fromScale(view.penWidth, view.penWidth));
    painter.setBrush(lines);
    painter.drawPolygon(shape);
}

void paintText(QPainter& painter, const printout::DrawText& text, const DrawingView& view) {
    QFont font(QStringLiteral("宋体"));
    // The height is that of the capitals, about seven tenths of the font's size.
    font.setPixelSize(std::max(1, int(text.height * view.unit / 0.7 + 0.5)));
    painter.setFont(font);
    painter.setPen(layerColour(text.layer));
    const QString string = QString::fromStdString(text.text);
    QPointF at = view.map(text.at);
    const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(string);
    if (text.align == printout::DrawText::Align::Centre) at.rx() -= width / 2;
    if (text.align == printout::DrawText::Align::Right) at.rx() -= width;
    painter.drawText(at, string);
}

}  // namespace

QColor layerColour(const std::string& layer) {
    for (const printout::DrawLayer& each : printout::kDrawLayers)
        if (layer == each.name) return QColor::fromRgb(each.rgb);
    return Qt::black;
}

void paintBlock(QPainter& painter, const printout::DrawingBlock& block, const DrawingView& view) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const printout::DrawHatch& hatch : block.hatches) paintHatch(painter, hatch, view);
    painter.setBrush(Qt::NoBrush);
    for (const printout::DrawLine& line : block.lines) {
        QPen pen(layerColour(line.layer), view.penWidth);
        if (line.dashed) pen.setStyle(Qt::DashDotLine);
        painter.setPen(pen);
        const QPolygonF shape = polygon(line.points, view);
        if (line.closed)
            painter.drawPolygon(shape);
        else
            painter.drawPolyline(shape);
    }
    for (const printout::DrawCircle& circle : block.circles) {
        painter.setPen(QPen(layerColour(circle.layer), view.penWidth));
        const double radius = circle.radius * view.unit;
        painter.drawEllipse(view.map(circle.centre), radius, radius);
    }
    for (const printout::DrawText& text : block.texts) paintText(painter, text, view);
    painter.restore();
}

}  // namespace paper
