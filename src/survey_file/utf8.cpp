// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
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

// GBK: a lead byte 0x81-0xFE with a trail byte 0x40-0xFE other than 0x7F.
bool readsAsGbk(std::string_view line) {
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    for (std::size_t k = 0; k < line.size(); ++k) {
        if (p[k] < 0x80) continue;
        if (p[k] == 0x80 || p[k] == 0xFF || k + 1 == line.size() || p[k + 1] < 0x40 ||
            p[k + 1] == 0x7F || p[k + 1] == 0xFF)
            return false;
        ++k;
    }
    return true;
}

enum class LineBytes { Ascii, Utf8, Broken };

LineBytes lineBytes(std::string_view line) {
    const auto* p = reinterpret_cast<const unsigned char*>(line.data());
    bool ascii = true;
    for (std::size_t k = 0; k < line.size();) {
        if (p[k] < 0x80) {
            ++k;
            continue;
        }
        const std::size_t length = sequenceLength(p + k, line.size() - k);
        if (length == 0) return LineBytes::Broken;
        ascii = false;
        k += length;
    }
    return ascii ? LineBytes::Ascii : LineBytes::Utf8;
}

std::string lineFault(int line) {
    return "第 " + std::to_string(line) + " 行";
}

}  // namespace

std::optional<FileError> lineInAnotherEncoding(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return std::nullopt;
    const bool marked = bytes.starts_with("\xEF\xBB\xBF");
    std::size_t utf8Lines = 0, brokenLines = 0;
    int firstBroken = 0;
    std::string_view brokenLine;
    int number = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        const std::string_view line = bytes.substr(at, end - at);
        ++number;
        at = end + 1;
        const LineBytes kind = lineBytes(line);
        utf8Lines += kind == LineBytes::Utf8;
        if (kind != LineBytes::Broken) continue;
        if (++brokenLines == 1) {
            firstBroken = number;
            brokenLine = line;
        }
    }
    if (brokenLines == 0 || (!marked && utf8Lines < brokenLines)) return std::nullopt;
    const std::string what =
        readsAsGbk(brokenLine) ? "不是 UTF-8 编码，像是 GBK 编码" : "不是有效的 UTF-8 编码";
    return FileError{
        firstBroken, 0,
        lineFault(firstBroken) + what +
            "，而文件的其余部分是 UTF-8：一个文件只能用一种编码，请在文本编辑器中把这一行"
            "改为 UTF-8（例如重新输入这一行）后再打开"};
}

std::optional<FileError> loneCarriageReturn(std::string_view text) {
    // Every line of a Windows file has a CR: blocks of a fixed size, which
    // the compiler turns into vector compares, find the block holding the
    // first lone one faster than a search per CR.
    constexpr std::size_t kBlock = 64;
    const char* p = text.data();
    const std::size_t size = text.size();
    std::size_t cr = 0;
    for (; cr + kBlock < size; cr += kBlock) {
        unsigned char lone = 0;
        for (std::size_t k = cr; k < cr + kBlock; ++k)
            lone |= static_cast<unsigned char>((p[k] == '\r') & (p[k + 1] != '\n'));
        if (lone) break;
    }
    while (cr + 1 < size && !(p[cr] == '\r' && p[cr + 1] != '\n')) ++cr;
    if (cr + 1 >= size) return std::nullopt;
    // Lines are counted only for the message.
    const int number = 1 + int(std::count(text.begin(), text.begin() + std::ptrdiff_t(cr), '\n'));
    return FileError{
        number, 0,
        lineFault(number) +
            "的行尾是单独的回车符（CR，旧版 Mac 文本的行尾），本程序读 CRLF 或 LF "
            "行尾：请在文本编辑器中把行尾改为 Windows（CRLF）或 Unix（LF）格式后再打开"};
}

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

std::optional<std::string> controlCharacterIn(std::string_view text, std::string_view allowed) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t left = text.size(); left > 0;) {
        const std::size_t length =
            *p < 0x80 ? 1 : std::max<std::size_t>(sequenceLength(p, left), 1);
        if (isControl(p, length) && (length != 1 || allowed.find(char(*p)) == allowed.npos)) {
            unsigned code = length == 1 ? p[0] : p[0] & (0xFFu >> (length + 1));
            for (std::size_t k = 1; k < length; ++k) code = code << 6 | (p[k] & 0x3Fu);
            char shown[12];
            std::snprintf(shown, sizeof shown, "U+%04X", code);
            return shown;
        }
        p += length;
        left -= length;
    }
    return std::nullopt;
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
