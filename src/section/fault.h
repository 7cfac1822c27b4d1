// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace section {

// Why a survey does not calculate, or an edit of it is refused: one Chinese
// sentence naming the section (1-based; 0 for a total) where there is one.
struct Fault {
    int section = 0;
    std::string message;
    bool overflow = false;  // a result beyond the number range
};

}  // namespace section
