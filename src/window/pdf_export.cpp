// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/pdf_export.h"

#include <QPrinter>
#include <cerrno>

#include "printout/sheet.h"
#include "window/file_failure.h"
#include "window/safe_write.h"
#include "window/sheet_renderer.h"

namespace window {

QString exportSheetPdf(const printout::Sheet& sheet, const QString& path) {
    SafeFile safe(path);
    if (safe.temporaryPath().isEmpty()) return safe.error();
    // The printer class the paper takes, so the pages break where they do on
    // paper; only its output is a file.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(safe.temporaryPath());
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("方量计算"));
    printer.setCreator(QStringLiteral("Velmorin"));
    errno = 0;
    if (!renderSheet(sheet, printer)) return writeFailure(path, errno ? errno : EIO);
    return safe.commit() ? QString() : safe.error();
}

}  // namespace window
