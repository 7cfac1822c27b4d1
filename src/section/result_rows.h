// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results of a calculation section by section, as a table shows them:
// the name, the area, the spacing and volume to the next section, and the
// running total of the volumes up to the section.

#include <optional>
#include <string>
#include <vector>

#include "section/survey.h"

namespace section {

struct ResultRow {
    int section = 0;
    std::string name;               // "K1+020.000" with stations, else "第 2 号断面"
    std::optional<double> station;  // with stations
    double area = 0.0;
    std::optional<double> spacing;  // to the next section; none for the last
    std::optional<double> volume;   // to the next section; none for the last
    double runningTotal = 0.0;      // the volumes before this section: 0 at the first,
                                    // the total at the last
};

std::vector<ResultRow> resultRows(const SectionSurvey& survey);
// The name of section i as its row gives it.
std::string resultRowName(const SectionSurvey& survey, int i);

// The same as text, as a table shows it and CSV writes it: the section's
// number, its station (only when stations were entered), the area, the
// spacing and volume to the next section, the running total; values in the
// sheet's forms ("0.000"), empty cells for the last section's next.
struct ResultTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

ResultTable resultTable(const SectionSurvey& survey);

}  // namespace section
