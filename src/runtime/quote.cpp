// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/quote.h"

namespace runtime {

std::string quoteTyped(std::string_view text) {
    std::size_t characters = 0;
    std::size_t end = 0;
    // Count UTF-8 characters by their first bytes; continuation bytes follow.
    while (end < text.size()) {
        const auto byte = static_cast<unsigned char>(text[end]);
        if ((byte & 0xC0) != 0x80 && characters++ == kQuotedCharacters) break;
        ++end;
    }
    const bool cut = end < text.size();
    return "“" + std::string(text.substr(0, end)) + (cut ? "…" : "") + "”";
}

}  // namespace runtime
