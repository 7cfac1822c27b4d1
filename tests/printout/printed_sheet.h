// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sheet of a survey with its lines of items at hand, so tests can compare
// it item by item.

#include <ostream>
#include <vector>

#include "printout/dayang.h"
#include "section/survey.h"

namespace printout {

// Readable items in failure messages.
inline std::ostream& operator<<(std::ostream& out, const ColumnStop& stop) {
    return out << "ColumnStop{" << stop.column << "}";
}
inline std::ostream& operator<<(std::ostream& out, const Text& text) {
    return out << "Text{\"" << text.text << "\"}";
}
inline std::ostream& operator<<(std::ostream& out, const Number& number) {
    return out << "Number{" << number.value << "}";
}

struct PrintedSheet {
    Sheet sheet;
    std::vector<PrintLine> lines;  // the items of every line, in order
};

inline PrintedSheet printed(const section::SectionSurvey& survey) {
    PrintedSheet out{dayang(survey), {}};
    for (const SheetLine& line : out.sheet.lines) out.lines.push_back(line.items);
    return out;
}

}  // namespace printout
