// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Prints the calculation sheet of a survey on the system's default printer.

#include "window/print_result.h"

namespace section {
class SectionSurvey;
}

namespace window {

// One print job per call.
PrintResult printSheet(const section::SectionSurvey& survey);

}  // namespace window
