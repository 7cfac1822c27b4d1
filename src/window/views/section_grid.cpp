// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/views/section_grid.h"

#include <QPainter>

#include "runtime/number_text.h"
#include "window/views/drawing_style.h"

namespace window {

namespace {

constexpr int kMostTicks = 6;

QString metres(double value) {
    return QString::fromStdString(runtime::numberToText(static_cast<float>(value)));
}

}  // namespace

void drawSectionGrid(QPainter& painter, const SectionScale& scale, const PixelBox& box) {
    painter.setFont(tickFont());
    const Span across = scale.sAcross(box);
    const Span up = scale.hUp(box);
    for (double s : tickValues(across, kMostTicks)) {
        const double x = scale.toPixel(s, 0).x;
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(x, box.top), QPointF(x, box.top + box.height));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(x - 30, box.top + box.height + 2, 60, 14), Qt::AlignHCenter,
                         metres(s));
    }
    for (double h : tickValues(up, kMostTicks)) {
        const double y = scale.toPixel(0, h).y;
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(box.left, y), QPointF(box.left + box.width, y));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(0, y - 7, box.left - 3, 14), Qt::AlignRight | Qt::AlignVCenter,
                         metres(h));
    }
    painter.drawText(QRectF(box.left + box.width - 60, box.top + box.height + 14, 60, 14),
                     Qt::AlignRight, QStringLiteral("S (米)"));
    painter.drawText(QRectF(2, 2, 80, 14), Qt::AlignLeft, QStringLiteral("H (米)"));
}

void drawCentreLine(QPainter& painter, const SectionScale& scale, const PixelBox& box) {
    const double x = scale.toPixel(0, 0).x;
    painter.setPen(QPen(Qt::red, 2, Qt::DashLine));
    painter.drawLine(QPointF(x, box.top), QPointF(x, box.top + box.height));
    painter.drawText(QRectF(x + 3, box.top, 80, 14), Qt::AlignLeft, QStringLiteral("S=0"));
}

}  // namespace window
