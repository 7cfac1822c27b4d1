// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPrinter>
#include <QPrinterInfo>

#include "window/platform/title.h"
#include "window/printing/print_system.h"
#include "window/printing/sheet_renderer.h"

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

SentSheet sendSheet(const printout::Sheet& sheet, const DefaultPrinter& printer, std::stop_token) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer.name);
    if (info.isNull()) return {PrintOutcome::CannotOpen};
    QPrinter page(info, QPrinter::HighResolution);
    page.setDocName(sheetDocumentName());
    return {renderSheet(sheet, page) ? PrintOutcome::Printed : PrintOutcome::CannotOpen};
}

JobNews jobProgress(const QString&, int, std::stop_token) {
    return {JobProgress::Forgotten, {}};
}

}  // namespace window
