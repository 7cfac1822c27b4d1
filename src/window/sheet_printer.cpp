// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/sheet_printer.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "printout/dayang.h"
#include "window/default_printer.h"
#include "window/sheet_renderer.h"

namespace window {

PrintResult printSheet(const section::SectionSurvey& survey) {
    // Ask the print system first: a plain QPrinter picks any queue when none
    // is the default, and cannot tell a stopped or rejecting queue.
    const DefaultPrinter target = defaultPrinter();
    if (target.problem != PrintOutcome::Printed) return printResult(target.problem, target.name);
    const QPrinterInfo info = QPrinterInfo::printerInfo(target.name);
    if (info.isNull()) return printResult(PrintOutcome::CannotOpen, target.name);

    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("方量计算"));
    const int mark = jobMark(target.name);
    if (!renderSheet(printout::dayang(survey), printer))
        return printResult(PrintOutcome::CannotOpen, target.name);
    return printResult(jobOutcome(target.name, mark), target.name);
}

}  // namespace window
