// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 横断面图 sheets on paper: one page per sheet, its own size across
// (A3 or A4 landscape), the drawing true to its scale, no margins of the
// printer's (the sheet has its own frame).

#include <QString>

#include "paper/pdf_export.h"
#include "printout/drawing.h"
#include "section/any_survey.h"

namespace paper {

// `drawing` outlives the PDF drawing.
PdfDrawing sectionSheetsDrawing(const printout::SheetDrawing& drawing);

// The sheets written safely to `path`, as DXF when its name ends in ".dxf"
// (any case), else as PDF: empty on success, else the message naming the
// file and the reason.
QString exportSectionSheets(const printout::SheetDrawing& drawing, const QString& path);

// What to tell the user of the sections of `survey` too large for a sheet
// of `drawing` (drawn all the same), with a smaller scale to choose; empty
// when every section fits.
QString oversizeWarning(const section::Survey& survey, const printout::SheetDrawing& drawing);

}  // namespace paper
