// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sets a calculation sheet on a page device (a printer, a PDF file, a
// preview): the text in character columns of the current font, line under
// line, a new page when a line would run past the foot of the page.

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

// False when the device cannot start or finish the document.
bool renderSheet(const printout::Sheet& sheet, QPagedPaintDevice& device, PageRange pages = {});

}  // namespace paper
