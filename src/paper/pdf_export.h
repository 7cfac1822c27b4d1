// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printouts as PDF files of Qt's own (fonts embedded, the text exactly as
// printed), written safely. Qt's PDF engine does not report a failed write,
// so the file is read back and must be whole before it replaces anything.

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <QTemporaryFile>
#include <functional>

#include "paper/sheet_renderer.h"

class QPagedPaintDevice;

namespace printout {
struct QuantityTable;
struct Sheet;
}  // namespace printout

namespace paper {

// A printout on a PDF page of `layout`, titled `title`: `draw` sets the
// pages asked for, false when the device cannot start or finish the document.
struct PdfDrawing {
    QPageLayout layout;
    QString title;
    std::function<bool(QPagedPaintDevice&, PageRange)> draw;
    PageRange pages{};  // every page
};

// A4 with the margins Qt's printer gives a PDF (10 points), so the pages
// break where they do on paper.
QPageLayout pdfPageLayout(QPageLayout::Orientation orientation = QPageLayout::Portrait);

// The calculation sheet as a PDF drawing on `page`; `sheet` outlives it.
PdfDrawing sheetDrawing(const printout::Sheet& sheet, const QPageLayout& page = pdfPageLayout());

// The 土方数量表 as a PDF drawing (A4, across where its columns need it);
// `table` outlives the drawing.
PdfDrawing quantityTableDrawing(const printout::QuantityTable& table);

// The drawing as a PDF file, written safely; empty on success, else the
// message naming the file and the reason.
QString exportPdf(const PdfDrawing& drawing, const QString& path);

// The drawing as the bytes of a PDF, made in a temporary file of the
// system's; empty with `error` set on failure.
QByteArray pdfBytes(const PdfDrawing& drawing, QString& error);

// exportPdf and pdfBytes of the calculation sheet.
QString exportSheetPdf(const printout::Sheet& sheet, const QString& path);
QByteArray sheetPdf(const printout::Sheet& sheet, QString& error);

// What went wrong writing a PDF: the painter could not start or finish, the
// file could not be read back, or it is not whole.
enum class PdfFault { None, NotRendered, Unreadable, Torn };

struct WrittenPdf {
    PdfFault fault = PdfFault::None;
    int error = 0;  // errno as the writing left it, 0 when it set none
};

// The drawing set by Qt's PDF writer into `file`, and read back: the one way
// every PDF of the program is made, for the export and the printer.
WrittenPdf writePdfFile(const PdfDrawing& drawing, const QString& file);

// The drawing as a whole PDF in a temporary file of the system's, for a
// program that takes a file by name (the print system); the file goes with
// this value.
class TemporaryPdf {
  public:
    explicit TemporaryPdf(const PdfDrawing& drawing);
    QString path() const { return file_.fileName(); }
    QString error() const { return error_; }  // naming the file and the reason; empty when whole

  private:
    QTemporaryFile file_;
    QString error_;
};

// True when `pdf` is a whole PDF as Qt writes it: it ends with its
// cross-reference table, found at the offset given at the end and of the
// length it says, so a block lost anywhere or a cut-off end shows.
bool pdfIsWhole(const QByteArray& pdf);

}  // namespace paper
