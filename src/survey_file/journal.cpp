// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/journal.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace survey_file {

namespace {

using section::PromptKind;

constexpr std::string_view kHeader = "velmorin-journal 1";

constexpr std::array<std::pair<PromptKind, std::string_view>, 9> kKinds{{
    {PromptKind::SectionCount, "section-count"},
    {PromptKind::StationQuestion, "station-question"},
    {PromptKind::Station, "station"},
    {PromptKind::PointCount, "point-count"},
    {PromptKind::Elevation, "elevation"},
    {PromptKind::Distance, "distance"},
    {PromptKind::Spacing, "spacing"},
    {PromptKind::Confirm, "confirm"},
    {PromptKind::Pause, "pause"},
}};

std::string_view kindName(PromptKind kind) {
    for (const auto& [k, name] : kKinds) {
        if (k == kind) return name;
    }
    return "?";
}

std::optional<PromptKind> kindNamed(std::string_view name) {
    for (const auto& [k, n] : kKinds) {
        if (n == name) return k;
    }
    return std::nullopt;
}

// FNV-1a, as eight hexadecimal digits.
std::string checksum(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : text) hash = (hash ^ c) * 16777619u;
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", hash);
    return digits;
}

// Backslash, tab, newline and carriage return written as \\ \t \n \r.
std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view text) {
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '\\') {
            out += text[k];
            continue;
        }
        if (++k == text.size()) return std::nullopt;
        switch (text[k]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    for (;;) {
        const std::size_t tab = line.find('\t');
        out.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return out;
        line.remove_prefix(tab + 1);
    }
}

std::optional<int> number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

std::optional<JournalEntry> entryOf(std::string_view line) {
    const std::vector<std::string_view> f = fields(line);
    if (f.size() < 5 || checksum(line.substr(f[0].size() + 1)) != f[0]) return std::nullopt;
    const std::optional<PromptKind> kind = kindNamed(f[2]);
    const std::optional<int> section = number(f[3]);
    const std::optional<int> point = number(f[4]);
    if (!kind || !section || !point) return std::nullopt;
    JournalEntry entry{{*kind, std::nullopt}, *section, *point};
    if (f[1] == "answer" && f.size() == 6) {
        entry.answer.text = unescaped(f[5]);
        if (!entry.answer.text) return std::nullopt;
    } else if (f[1] != "cancel" || f.size() != 5) {
        return std::nullopt;
    }
    return entry;
}

// Lines are written with a bare newline; an answer's own carriage returns are
// escaped, so a raw one can only be a Windows line ending.
std::string_view withoutReturn(std::string_view line) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

}  // namespace

std::string journalHeader() {
    return std::string(kHeader) + "\n";
}

std::string journalLine(const JournalEntry& entry) {
    std::string rest = entry.answer.text ? "answer\t" : "cancel\t";
    rest += std::string(kindName(entry.answer.kind)) + "\t" + std::to_string(entry.section) + "\t" +
            std::to_string(entry.point);
    if (entry.answer.text) rest += "\t" + escaped(*entry.answer.text);
    return checksum(rest) + "\t" + rest + "\n";
}

JournalRead readJournal(std::string_view text) {
    JournalRead read;
    const std::size_t headerEnd = text.find('\n');
    if (headerEnd == std::string_view::npos) {
        // Not even a whole header: a journal cut before its first answer.
        if (!std::string_view(kHeader).starts_with(text)) read.fault = "不是本程序的计算记录";
        return read;
    }
    if (withoutReturn(text.substr(0, headerEnd)) != kHeader) {
        read.fault = "不是本版本程序的计算记录";
        return read;
    }
    read.wholeLength = headerEnd + 1;
    int line = 1;
    for (std::size_t end = text.find('\n', read.wholeLength); end != std::string_view::npos;
         end = text.find('\n', read.wholeLength)) {
        ++line;
        const std::optional<JournalEntry> entry =
            entryOf(withoutReturn(text.substr(read.wholeLength, end - read.wholeLength)));
        if (!entry) {
            read.fault = "第 " + std::to_string(line) + " 行已损坏";
            read.entries.clear();
            read.wholeLength = 0;
            return read;
        }
        read.entries.push_back(*entry);
        read.wholeLength = end + 1;
    }
    return read;
}

}  // namespace survey_file
