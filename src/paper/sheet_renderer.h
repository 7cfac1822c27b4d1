// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sets a calculation sheet on a page device (a printer, a PDF file, a
// preview): the text in character columns of the current font, line under
// line, a new page when a line would run past the foot of the page. A
// section's drawing, when the sheet carries one, is set in a box at the right
// of its lines, which keep their places; the lines after it move down when
// the box is taller than the section's lines, and a section whose box does not
// fit below the lines of a page starts the next one.

#include <QRectF>
#include <vector>

class QPagedPaintDevice;

namespace printout {
struct Sheet;
}

namespace paper {

// Pages first..last (counted from 1) of the sheet; 0..0 for every page.
struct PageRange {
    int first = 0;
    int last = 0;
    bool holds(int page) const { return first == 0 || (page >= first && page <= last); }
};

// Where a section's drawing lands: its page (from 1), its box, and the box
// of its lines' text on that page, in device pixels of the printable area.
struct FigurePlace {
    int page = 1;
    QRectF box;
    QRectF text;
};

// The places of the sheet's figures, laid out on `device` without setting anything.
std::vector<FigurePlace> figurePlaces(const printout::Sheet& sheet, QPagedPaintDevice& device);

// False when the device cannot start or finish the document.
bool renderSheet(const printout::Sheet& sheet, QPagedPaintDevice& device, PageRange pages = {});

}  // namespace paper
