// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Prints the calculation sheet of a survey on the system's default printer.

#include "window/print_result.h"

namespace section {
class SectionSurvey;
}

namespace window {

struct PrintedSheet {
    PrintResult result;  // printed: handed to the printer
    QString printer;
    int job = 0;  // to follow with a JobWatch; 0 where it cannot be followed
};

// One print job per call; returns once the job is handed over.
PrintedSheet printSheet(const section::SectionSurvey& survey);

}  // namespace window
