// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPrinter>
#include <QPrinterInfo>

#include "paper/pdf_export.h"
#include "window/printing/print_system.h"

namespace window {

// Qt alone cannot see a printer's queue: a printer that exists takes the job,
// and the job, once handed over, is not followed.
DefaultPrinter defaultPrinter(std::stop_token) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return {{}, PrintOutcome::NoDefaultPrinter, {}};
    return {info.printerName(), PrintOutcome::Printed, {}};
}

PrintOutcome printerProblem(const QString& printer) {
    return QPrinterInfo::printerInfo(printer).isNull() ? PrintOutcome::PrinterMissing
                                                       : PrintOutcome::Printed;
}

SentSheet sendDrawing(const paper::PdfDrawing& drawing, const QString& printer, int copies,
                      std::stop_token) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    if (info.isNull()) return {PrintOutcome::CannotOpen};
    QPrinter page(info, QPrinter::HighResolution);
    page.setDocName(drawing.title);
    if (drawing.layout.isValid()) page.setPageLayout(drawing.layout);
    page.setCopyCount(copies);
    return {drawing.draw(page, drawing.pages) ? PrintOutcome::Printed : PrintOutcome::CannotOpen};
}

JobNews jobProgress(const QString&, int, std::stop_token) {
    return {JobProgress::Forgotten, {}};
}

}  // namespace window
