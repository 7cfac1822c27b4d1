// SPDX-License-Identifier: GPL-3.0-or-later
#include "printout/column_groups.h"

namespace printout {

std::vector<ColumnGroup> columnGroups(const std::vector<QuantityColumn>& columns) {
    std::vector<ColumnGroup> groups;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const std::string& group = columns[c].group;
        if (group.empty()) continue;
        if (!groups.empty() && groups.back().last + 1 == c && groups.back().title == group)
            groups.back().last = c;
        else
            groups.push_back({c, c, group});
    }
    return groups;
}

}  // namespace printout
