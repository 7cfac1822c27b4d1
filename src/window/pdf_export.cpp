// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/pdf_export.h"

#include <QPdfWriter>
#include <cerrno>

#include "printout/sheet.h"
#include "window/file_failure.h"
#include "window/safe_write.h"
#include "window/sheet_renderer.h"

namespace window {

QString exportSheetPdf(const printout::Sheet& sheet, const QString& path) {
    SafeFile safe(path);
    if (safe.temporaryPath().isEmpty()) return safe.error();
    // A4 with the margins Qt's printer gives a PDF (10 points), so the pages
    // break where they do on paper. Not QPrinter itself: it asks the print
    // system for the default printer and waits a minute on one that does not
    // answer, and the PDF is the way out when printing fails.
    QPdfWriter printer(safe.temporaryPath());
    printer.setResolution(1200);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Point));
    printer.setTitle(QStringLiteral("方量计算"));
    printer.setCreator(QStringLiteral("Velmorin"));
    errno = 0;
    if (!renderSheet(sheet, printer)) return writeFailure(path, errno ? errno : EIO);
    return safe.commit() ? QString() : safe.error();
}

}  // namespace window
