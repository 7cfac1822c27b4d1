// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Quoting what the user typed in a message: in Chinese quotation marks, cut
// after 30 characters so that a long answer cannot swamp the message.

#include <cstddef>
#include <string>
#include <string_view>

namespace runtime {

inline constexpr std::size_t kQuotedCharacters = 30;

// "“12,3”"; a longer text keeps its first 30 characters and ends in "…":
// "“123456789012345678901234567890…”".
std::string quoteTyped(std::string_view text);

}  // namespace runtime
