// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/project_rows.h"

#include <array>
#include <cstring>

#include "runtime/quote.h"
#include "survey_file/cells.h"

namespace survey_file {

namespace {

struct Item {
    std::string_view name;
    std::string section::ProjectInfo::*field;
};

constexpr std::array<Item, 5> kItems{{
    {"工程名称", &section::ProjectInfo::projectName},
    {"路段", &section::ProjectInfo::segment},
    {"计算", &section::ProjectInfo::calculatedBy},
    {"复核", &section::ProjectInfo::checkedBy},
    {"日期", &section::ProjectInfo::date},
}};

const Item* itemNamed(std::string_view cell) {
    for (const Item& item : kItems) {
        if (item.name == cell) return &item;
    }
    return nullptr;
}

std::string place(int line, int column) {
    return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列";
}

FileError fault(int line, int column, const std::string& what) {
    return {line, column, place(line, column) + what};
}

}  // namespace

ProjectRows readProjectRows(std::string_view text) {
    ProjectRows rows;
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::size_t start = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    std::array<int, kItems.size()> givenOn{};
    LineCells cells;
    int lineNumber = 0;
    for (std::size_t at = start; at < text.size();) {
        const void* newline = std::memchr(text.data() + at, '\n', text.size() - at);
        const std::size_t end =
            newline ? std::size_t(static_cast<const char*>(newline) - text.data()) : text.size();
        std::string_view line = text.substr(at, end - at);
        if (line.ends_with('\r')) line.remove_suffix(1);
        at = end + 1;
        ++lineNumber;
        const std::string_view content = trimBlanks(line);
        // Blank and comment lines between the rows belong to the rest.
        if (content.empty() || content.starts_with('#')) continue;
        if (!cells.split(line, separatorOf(line))) return rows;
        const Item* item = itemNamed(cells[0]);
        if (!item) return rows;
        const std::size_t k = std::size_t(item - kItems.data());
        if (givenOn[k] != 0) {
            rows.error = fault(lineNumber, 1,
                               runtime::quoteTyped(std::string(item->name)) + "与第 " +
                                   std::to_string(givenOn[k]) + " 行重复，工程信息每项只写一行");
            return rows;
        }
        for (std::size_t c = 2; c < cells.size(); ++c) {
            if (cells[c].empty()) continue;
            rows.error = fault(lineNumber, int(c) + 1,
                               runtime::quoteTyped(printableText(cells[c])) +
                                   "是多余的数据：工程信息一行只有名称和内容两格");
            return rows;
        }
        // A tab stays, as a value may hold one (its cell is quoted); any other
        // control character is told, never put in the sheet's heading.
        if (const std::optional<std::string> control = controlCharacterIn(cells[1], "\t")) {
            rows.error = fault(lineNumber, 2,
                               runtime::quoteTyped(printableText(cells[1])) + "中有控制字符（" +
                                   *control + "），不能作为工程信息：请在文本编辑器中删去它");
            return rows;
        }
        givenOn[k] = lineNumber;
        rows.project.*item->field = std::string(cells[1]);
        rows.restAt = std::min(at, text.size());
        rows.linesBefore = lineNumber;
    }
    return rows;
}

std::string projectRowsText(const section::ProjectInfo& project) {
    std::string text;
    for (const Item& item : kItems) {
        const std::string& value = project.*item.field;
        if (!value.empty()) text += std::string(item.name) + "," + csvCell(value) + "\r\n";
    }
    return text;
}

}  // namespace survey_file
