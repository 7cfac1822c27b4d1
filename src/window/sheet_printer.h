#pragma once
// Prints the calculation sheet of a survey on the system's default printer.

#include <QString>

namespace section {
class SectionSurvey;
}

namespace window {

// One print job per call. Returns an empty text on success, otherwise a Chinese
// message for the user that says why nothing was printed.
QString printSheet(const section::SectionSurvey& survey);

}  // namespace window
