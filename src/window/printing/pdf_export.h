// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculation sheet as a PDF file of Qt's own (A4, fonts embedded, its
// text exactly as printed), written safely. Qt's PDF engine does not report a
// failed write, so the file is read back and must be whole before it replaces
// anything.

#include <QByteArray>
#include <QString>

class QPageLayout;

namespace printout {
struct Sheet;
}

namespace window {

// Empty on success, else the message naming the file and the reason.
QString exportSheetPdf(const printout::Sheet& sheet, const QString& path);

// The sheet as the bytes of a PDF, made in a temporary file of the system's;
// empty with `error` set on failure.
QByteArray sheetPdf(const printout::Sheet& sheet, QString& error);

// What went wrong writing a sheet's PDF: the painter could not start or
// finish, the file could not be read back, or it is not whole.
enum class PdfFault { None, NotRendered, Unreadable, Torn };

struct WrittenPdf {
    PdfFault fault = PdfFault::None;
    int error = 0;  // errno as the writing left it, 0 when it set none
};

// The sheet set on `page` by Qt's PDF writer into `file`, and read back: the
// one way every PDF of the program is made, for the export and the printer.
WrittenPdf writePdfFile(const printout::Sheet& sheet, const QString& file, const QPageLayout& page);

// True when `pdf` is a whole PDF as Qt writes it: it ends with its
// cross-reference table, found at the offset given at the end and of the
// length it says, so a block lost anywhere or a cut-off end shows.
bool pdfIsWhole(const QByteArray& pdf);

}  // namespace window
