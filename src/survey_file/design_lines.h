// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the rows of a road design read from a file stand, so that a fault the
// design's checks find in a row can name its line and column.

#include <array>
#include <vector>

#include "section/road_design.h"

namespace survey_file {

struct DesignRowPlace {
    int line = 0;         // 1-based, as a spreadsheet numbers its rows
    bool ranged = false;  // the row has 起点桩号 and 终点桩号 before its own columns
    bool operator==(const DesignRowPlace&) const = default;
};

// Per table, one place for each row, in the order of the design's vectors.
struct DesignLines {
    std::array<std::vector<DesignRowPlace>, section::kDesignTableCount> tables{};

    std::vector<DesignRowPlace>& operator[](section::DesignTable table) {
        return tables[static_cast<std::size_t>(table)];
    }
    const std::vector<DesignRowPlace>& operator[](section::DesignTable table) const {
        return tables[static_cast<std::size_t>(table)];
    }
    bool operator==(const DesignLines&) const = default;
};

}  // namespace survey_file
