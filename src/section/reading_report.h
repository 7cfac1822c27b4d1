// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What reading a survey's file told beside the survey, kept with the survey
// it was read for: what the reading changed (a file in feet converted to
// metres), the gaps of lines read from pieces, and the materials of its
// sections (closed areas beyond the outline: pavement layers, a curb, a
// sidewalk). A typed or new survey has none.
//
// A material belongs to its section by the section's name as read (its
// station, or its number without stations): it is shown while a section of
// that name is there, wherever edits have moved it, and not for a section
// whose station was changed or that was taken out, as the file said nothing
// of that one.

#include <string>
#include <vector>

#include "section/any_survey.h"

namespace section {

// A material as the reader finds it, its section 1-based as read.
struct SectionMaterial {
    int section = 0;
    std::string name;
    double area = 0.0;  // as large as its points enclose
    bool operator==(const SectionMaterial&) const = default;
};

// The same tied to its section's name: the `sameName`-th (0 for the first)
// section named `section`, as two sections can share a station.
struct ReadMaterial {
    std::string section;
    int sameName = 0;
    std::string name;
    double area = 0.0;
    bool operator==(const ReadMaterial&) const = default;
};

struct ReadingReport {
    // What the reading changed, one Chinese sentence each, no full stop:
    // "文件以英尺为单位，已换算为米（…）"; the same as the calculation sheet says
    // it, a short line each: "测量数据由英尺换算为米（1 英尺 = 0.3048 米）".
    std::vector<std::string> notes;
    std::vector<std::string> sheetNotes;
    // One sentence each naming the section and where the gap is.
    std::vector<std::string> gaps;
    std::vector<ReadMaterial> materials;
    bool operator==(const ReadingReport&) const = default;
};

// The materials of sections of `survey` as read, before any edit, tied to
// their names; none for a section the survey does not have.
std::vector<ReadMaterial> readMaterials(const Survey& survey,
                                        const std::vector<SectionMaterial>& materials);

// A material as the results show it: its name and its area as the sheet
// writes areas (three decimals, halves to even).
struct MaterialArea {
    std::string name;
    std::string area;
    bool operator==(const MaterialArea&) const = default;
};

// The materials of each section of `survey` now, section i's at i - 1;
// empty when the report has none.
std::vector<std::vector<MaterialArea>> sectionMaterials(const Survey& survey,
                                                        const ReadingReport& report);

// "Base 2.125，Subbase 3.325"; with `unit` after each area: "Base 2.125 平方米，…".
std::string materialsText(const std::vector<MaterialArea>& materials, const std::string& unit = {});

// `table` (section::resultTable of `survey`) with a column 材料(平方米) after
// the others, "Base 2.125，Subbase 3.325" in each row; unchanged when the
// report has no materials.
ResultTable withMaterials(ResultTable table, const Survey& survey, const ReadingReport& report);

}  // namespace section
