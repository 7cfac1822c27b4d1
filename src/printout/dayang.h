#pragma once
// The calculation sheet: title, legend, every section's points, then the
// spacings, areas, volumes and the total, as lines of items on a printer.

namespace section {
class SectionSurvey;
}

namespace printout {

class PrintDevice;

// Prints the sheet of `survey` on `printer` as one document and ends it. Only
// reads the record. Sections are named by their stations when stations were
// entered, and numbered otherwise, in the section headers and the area lines.
void dayang(PrintDevice& printer, const section::SectionSurvey& survey);

}  // namespace printout
