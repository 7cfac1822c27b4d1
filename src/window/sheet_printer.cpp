// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/sheet_printer.h"

#include "printout/dayang.h"
#include "window/print_system.h"

namespace window {

PrintedSheet printSheet(const section::SectionSurvey& survey) {
    // Ask the print system first: a plain QPrinter picks any queue when none
    // is the default, and cannot tell a stopped or rejecting queue.
    const DefaultPrinter target = defaultPrinter();
    if (target.problem != PrintOutcome::Printed)
        return {printResult(target.problem, target.name), target.name};
    const SentSheet sent = sendSheet(printout::dayang(survey), target.name);
    return {printResult(sent.outcome, target.name), target.name, sent.job};
}

}  // namespace window
