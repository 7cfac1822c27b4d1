// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sets a calculation sheet on a page device (a printer, a PDF file, a
// preview): the text in character columns of the current font, line under
// line, a new page when a line would run past the foot of the page.

class QPagedPaintDevice;

namespace printout {
struct Sheet;
}

namespace window {

// False when the device cannot start or finish the document.
bool renderSheet(const printout::Sheet& sheet, QPagedPaintDevice& device);

}  // namespace window
