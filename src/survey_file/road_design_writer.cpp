// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the road design file: each table under its title and header, the
// rows in the design's order so that the file reads back exactly.

#include "runtime/number_text.h"
#include "survey_file/cells.h"
#include "survey_file/road_design_columns.h"
#include "survey_file/road_design_file.h"

namespace survey_file {

namespace {

using runtime::numberToText;
using section::DesignTable;

std::string optionalText(const std::optional<double>& value) {
    return value ? numberToText(*value) : std::string();
}

// The berm's cells, empty for none, as surveyors leave them.
std::string zeroAsEmpty(double value) {
    return value == 0.0 ? std::string() : numberToText(value);
}

std::string rangeCells(const std::optional<section::StationRange>& range) {
    return range ? numberToText(range->from) + "," + numberToText(range->to) + "," : std::string();
}

std::string rowText(const section::GradePoint& p) {
    return numberToText(p.station) + "," + numberToText(p.elevation) + "," + optionalText(p.radius);
}

std::string rowText(const section::PlateRow& p) {
    return numberToText(p.station) + "," + std::string(sideWord(p.side)) + "," +
           numberToText(p.width) + "," + numberToText(p.crossfall);
}

std::string rowText(const section::SlopeRow& s) {
    return rangeCells(s.range) + std::string(sideWord(s.side)) + "," +
           std::string(slopeWord(s.kind)) + "," + numberToText(s.ratio) + "," +
           optionalText(s.height) + "," + zeroAsEmpty(s.bermWidth) + "," +
           zeroAsEmpty(s.bermCrossfall);
}

std::string rowText(const section::DitchRow& d) {
    return rangeCells(d.range) + std::string(sideWord(d.side)) + "," + numberToText(d.innerRatio) +
           "," + numberToText(d.depth) + "," + numberToText(d.bottomWidth) + "," +
           numberToText(d.outerRatio);
}

std::string rowText(const section::ChainBreak& b) {
    return numberToText(b.before) + "," + numberToText(b.after);
}

std::string rowText(const section::ClassFigures& figures) {
    std::string text;
    for (const double figure : figures) text += (text.empty() ? "" : ",") + numberToText(figure);
    return text;
}

std::string rowText(const section::SoilClassRow& row) {
    return numberToText(row.range.from) + "," + numberToText(row.range.to) + "," +
           rowText(row.percent);
}

std::string rowText(const section::StructureRow& row) {
    return numberToText(row.range.from) + "," + numberToText(row.range.to) + "," +
           csvCell(row.name);
}

std::string rowText(const section::HaulDistances& haul) {
    return numberToText(haul.freeHaul) + "," + optionalText(haul.economicHaul);
}

template <class Row>
std::vector<Row> rowsOf(const std::optional<Row>& row) {
    return row ? std::vector<Row>{*row} : std::vector<Row>{};
}

template <class Row>
bool hasRange(const Row& row) {
    if constexpr (requires { row.range.has_value(); })
        return row.range.has_value();
    else
        return false;
}

// The rows under their title and header; a new table begins wherever rows
// with a range and rows without one meet.
template <class Row>
void writeTable(std::string& out, DesignTable table, const std::vector<Row>& rows) {
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const bool ranged = hasRange(rows[k]);
        if (k == 0 || ranged != hasRange(rows[k - 1]))
            out += std::string(tableTitle(table)) + "\r\n" + headerText(table, ranged) + "\r\n";
        out += rowText(rows[k]) + "\r\n";
    }
}

}  // namespace

std::string roadDesignTables(const section::RoadDesign& design) {
    std::string out;
    writeTable(out, DesignTable::Profile, design.profile);
    writeTable(out, DesignTable::Plates, design.plates);
    writeTable(out, DesignTable::Slopes, design.slopes);
    writeTable(out, DesignTable::Ditches, design.ditches);
    writeTable(out, DesignTable::Breaks, design.breaks);
    writeTable(out, DesignTable::SoilClasses, design.soilClasses);
    writeTable(out, DesignTable::Factors, rowsOf(design.factors));
    writeTable(out, DesignTable::Structures, design.structures);
    writeTable(out, DesignTable::Haul, rowsOf(design.haul));
    return out;
}

std::string writeRoadDesign(const section::RoadDesign& design) {
    // A byte-order mark and CRLF, as the survey file, for spreadsheets on
    // Windows.
    return "\xEF\xBB\xBF" + roadDesignTables(design);
}

}  // namespace survey_file
