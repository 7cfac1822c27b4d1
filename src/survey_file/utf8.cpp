// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>
#include <cstring>
#include <string>

#include "survey_file/survey_file.h"

namespace survey_file {

namespace {

// Length of the well-formed sequence at `p` (1 to 4), 0 when it is not one.
std::size_t sequenceLength(const unsigned char* p, std::size_t left) {
    const unsigned char lead = p[0];
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (left < length || p[1] < low || p[1] > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80) return 0;
    }
    return length;
}

// Characters that would change how a message looks rather than show in it:
// C0 and C1 controls, DEL, zero-width and direction marks, line separators.
bool isControl(const unsigned char* p, std::size_t length) {
    if (length == 1) return p[0] < 0x20 || p[0] == 0x7F;
    if (length == 2) return p[0] == 0xC2 && p[1] < 0xA0;
    if (length != 3) return false;
    const unsigned code = (p[0] & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
    return (code >= 0x200B && code <= 0x200F) || (code >= 0x2028 && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069) || code == 0xFEFF;
}

}  // namespace

std::string printableText(std::string_view text) {
    std::string shown;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t left = text.size();
    while (left > 0) {
        const std::size_t length = *p < 0x80 ? 1 : sequenceLength(p, left);
        const std::size_t step = length == 0 ? 1 : length;
        if (length == 0 || isControl(p, length))
            shown += "\xEF\xBF\xBD";  // U+FFFD
        else
            shown.append(reinterpret_cast<const char*>(p), length);
        p += step;
        left -= step;
    }
    return shown;
}

bool isUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t left = bytes.size();
    while (left > 0) {
        // Eight ASCII bytes at a time: a survey file is mostly digits.
        if (left >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                p += 8;
                left -= 8;
                continue;
            }
        }
        if (*p < 0x80) {
            ++p;
            --left;
            continue;
        }
        const std::size_t length = sequenceLength(p, left);
        if (length == 0) return false;
        p += length;
        left -= length;
    }
    return true;
}

}  // namespace survey_file
