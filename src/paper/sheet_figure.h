// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A section's small drawing on the calculation sheet, in a thin frame at one
// scale across and up. Where the section has a road (a design line, cut or
// fill, catch points) the figure shows the road and as much ground again on
// either side, the rest of the ground cut at the frame, so the cut and fill
// of a narrow road on wide ground stay legible; otherwise all of it.

#include <QRectF>

#include "printout/drawing.h"

class QPainter;

namespace paper {

// The part of `block` the figure shows, in metres (y up); empty for none.
QRectF shownPart(const printout::DrawingBlock& block);

// `block` in `box` (device pixels), `millimetre` device pixels to the millimetre.
void paintSheetFigure(QPainter& painter, const printout::DrawingBlock& block, const QRectF& box,
                      double millimetre);

}  // namespace paper
