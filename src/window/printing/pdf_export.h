// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculation sheet as a PDF file of Qt's own (A4, fonts embedded, its
// text exactly as printed), written safely. Qt's PDF engine does not report a
// failed write, so the file is read back and must be whole before it replaces
// anything.

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <functional>

class QPagedPaintDevice;

namespace printout {
struct Sheet;
}

namespace window {

// A printout on a PDF page of `layout`: `draw` sets every page, false when
// the device cannot start or finish the document.
struct PdfDrawing {
    QPageLayout layout;
    QString title;
    std::function<bool(QPagedPaintDevice&)> draw;
};

// The drawing as a PDF file, written safely; empty on success, else the
// message naming the file and the reason.
QString exportPdf(const PdfDrawing& drawing, const QString& path);

// The drawing as the bytes of a PDF, made in a temporary file of the
// system's; empty with `error` set on failure.
QByteArray pdfBytes(const PdfDrawing& drawing, QString& error);

// The calculation sheet as a PDF drawing; `sheet` outlives it.
PdfDrawing sheetDrawing(const printout::Sheet& sheet);

// Empty on success, else the message naming the file and the reason.
QString exportSheetPdf(const printout::Sheet& sheet, const QString& path);

// The sheet as the bytes of a PDF, made in a temporary file of the system's;
// empty with `error` set on failure.
QByteArray sheetPdf(const printout::Sheet& sheet, QString& error);

// True when `pdf` is a whole PDF as Qt writes it: it ends with its
// cross-reference table, found at the offset given at the end and of the
// length it says, so a block lost anywhere or a cut-off end shows.
bool pdfIsWhole(const QByteArray& pdf);

}  // namespace window
