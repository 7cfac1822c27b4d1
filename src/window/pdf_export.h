// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculation sheet as a PDF file of Qt's own (A4, fonts embedded, its
// text exactly as printed), written safely.

#include <QString>

namespace printout {
struct Sheet;
}

namespace window {

// Empty on success, else the message naming the file and the reason.
QString exportSheetPdf(const printout::Sheet& sheet, const QString& path);

}  // namespace window
