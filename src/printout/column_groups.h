// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The group headings of a quantity table: each run of neighbouring columns
// of the same non-empty group ("本桩利用(天然方)" over Ⅰ … Ⅵ) gets one
// heading over it on a line above the columns' own titles; a column of no
// group has its title over both lines.

#include <cstddef>
#include <string>
#include <vector>

#include "printout/quantity_table.h"

namespace printout {

struct ColumnGroup {
    std::size_t first = 0;  // the run's columns, 0-based among the table's columns
    std::size_t last = 0;   // inclusive
    std::string title;
    bool operator==(const ColumnGroup&) const = default;
};

// The runs, left to right; none when no column has a group.
std::vector<ColumnGroup> columnGroups(const std::vector<QuantityColumn>& columns);

}  // namespace printout
