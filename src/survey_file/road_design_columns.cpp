// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/road_design_columns.h"

#include <array>

#include "survey_file/cells.h"
#include "survey_file/road_design_file.h"

namespace survey_file {

namespace {

using section::DesignTable;
using enum CellKind;

constexpr std::array<std::string_view, section::kDesignTableCount> kTitles = {
    "[纵断面]",   "[路幅]",     "[边坡]",   "[边沟]", "[断链]",
    "[土石分类]", "[换算系数]", "[构造物]", "[运距]"};

constexpr DesignColumn kProfile[] = {{"桩号", Station}, {"高程", Number}, {"竖曲线半径", Optional}};
constexpr DesignColumn kPlates[] = {
    {"桩号", Station}, {"侧", Side}, {"宽度", Number}, {"横坡", Number}};
constexpr DesignColumn kSlopes[] = {
    {"侧", Side},       {"类型", Slope},         {"坡率", Number},
    {"高度", Optional}, {"平台宽", ZeroIfEmpty}, {"平台横坡", ZeroIfEmpty}};
constexpr DesignColumn kDitches[] = {
    {"侧", Side}, {"内坡率", Number}, {"沟深", Number}, {"沟底宽", Number}, {"外坡率", Number}};
constexpr DesignColumn kBreaks[] = {{"断前桩号", Station}, {"断后桩号", Station}};
// An empty share is none of the cut; every factor must be given.
constexpr DesignColumn kSoilClasses[] = {
    {"起点桩号", Station}, {"终点桩号", Station}, {"Ⅰ", ZeroIfEmpty}, {"Ⅱ", ZeroIfEmpty},
    {"Ⅲ", ZeroIfEmpty},    {"Ⅳ", ZeroIfEmpty},    {"Ⅴ", ZeroIfEmpty}, {"Ⅵ", ZeroIfEmpty}};
constexpr DesignColumn kFactors[] = {{"Ⅰ", Number}, {"Ⅱ", Number}, {"Ⅲ", Number},
                                     {"Ⅳ", Number}, {"Ⅴ", Number}, {"Ⅵ", Number}};
constexpr DesignColumn kStructures[] = {
    {"起点桩号", Station}, {"终点桩号", Station}, {"名称", Text}};
constexpr DesignColumn kHaul[] = {{"免费运距", Number}, {"经济运距", Optional}};
constexpr DesignColumn kRange[] = {{"起点桩号", Station}, {"终点桩号", Station}};

std::size_t indexOf(DesignTable table) {
    return static_cast<std::size_t>(table);
}

}  // namespace

std::span<const DesignColumn> columnsOf(DesignTable table) {
    switch (table) {
        case DesignTable::Profile:
            return kProfile;
        case DesignTable::Plates:
            return kPlates;
        case DesignTable::Slopes:
            return kSlopes;
        case DesignTable::Ditches:
            return kDitches;
        case DesignTable::Breaks:
            return kBreaks;
        case DesignTable::SoilClasses:
            return kSoilClasses;
        case DesignTable::Factors:
            return kFactors;
        case DesignTable::Structures:
            return kStructures;
        case DesignTable::Haul:
            return kHaul;
    }
    return {};
}

std::span<const DesignColumn> rangeColumns() {
    return kRange;
}

bool takesRange(DesignTable table) {
    return table == DesignTable::Slopes || table == DesignTable::Ditches;
}

bool singleRow(DesignTable table) {
    return table == DesignTable::Factors || table == DesignTable::Haul;
}

std::string_view columnName(DesignTable table, bool ranged, int column) {
    if (column < 0) return {};
    const std::size_t k = static_cast<std::size_t>(column);
    if (ranged && k < std::size(kRange)) return kRange[k].name;
    const std::span<const DesignColumn> own = columnsOf(table);
    const std::size_t at = ranged ? k - std::size(kRange) : k;
    return at < own.size() ? own[at].name : std::string_view();
}

std::string headerText(DesignTable table, bool ranged) {
    std::string text;
    for (int k = 0; !columnName(table, ranged, k).empty(); ++k)
        text += (k > 0 ? "," : "") + std::string(columnName(table, ranged, k));
    return text;
}

std::string_view sideWord(section::RoadSide side) {
    return side == section::RoadSide::Left ? "左" : "右";
}

std::string_view slopeWord(section::SlopeKind kind) {
    return kind == section::SlopeKind::Fill ? "填" : "挖";
}

std::string_view tableTitle(DesignTable table) {
    return kTitles[indexOf(table)];
}

std::string titleList() {
    std::string list;
    for (std::size_t k = 0; k < kTitles.size(); ++k)
        list += (k == 0 ? "" : k + 1 == kTitles.size() ? " 或 " : "、") + std::string(kTitles[k]);
    return list;
}

std::optional<DesignTable> tableOfTitle(std::string_view cell) {
    // Asked of many a survey row: those that cannot start with a bracket
    // ("[", "［" or "【") are let go at once.
    if (cell.empty() || (cell[0] != '[' && cell[0] != '\xEF' && cell[0] != '\xE3')) return {};
    std::string word = headerWord(cell);
    // Chinese input methods type 【】 for brackets.
    for (const auto& [from, to] : {std::pair{"【", "["}, std::pair{"】", "]"}})
        if (const std::size_t at = word.find(from); at != std::string::npos)
            word.replace(at, std::string_view(from).size(), to);
    for (std::size_t k = 0; k < kTitles.size(); ++k)
        if (word == kTitles[k]) return static_cast<DesignTable>(k);
    return std::nullopt;
}

std::string designFaultText(const section::DesignFault& fault, const DesignLines& lines) {
    const std::vector<DesignRowPlace>& rows = lines[fault.table];
    const auto placeOf = [&](int row) -> const DesignRowPlace* {
        return row >= 0 && std::size_t(row) < rows.size() ? &rows[std::size_t(row)] : nullptr;
    };
    const std::string title(tableTitle(fault.table));
    const DesignRowPlace* place = placeOf(fault.row);
    const std::string_view name = columnName(fault.table, place && place->ranged, fault.column);
    const std::string column =
        fault.column >= 0 ? "第 " + std::to_string(fault.column + 1) + " 列" : "";
    // A row typed in the window has no line: it is named by its table.
    const auto rowName = [&](int row, const DesignRowPlace* at) {
        return at ? "第 " + std::to_string(at->line) + " 行"
                  : title + " 的第 " + std::to_string(row + 1) + " 行";
    };
    std::string where = place ? title : "";
    if (!name.empty()) where += (where.empty() ? "“" : " 的“") + std::string(name) + "”";
    std::string text = rowName(fault.row, place) + column;
    if (!where.empty()) text += "（" + where + "）";
    // The caller ends the sentence, after the other row.
    std::string_view message = fault.message;
    if (message.ends_with("。")) message.remove_suffix(std::string_view("。").size());
    text += "：" + std::string(message);
    if (fault.otherRow >= 0)
        text += "（另见" + rowName(fault.otherRow, placeOf(fault.otherRow)) + "）";
    return text;
}

}  // namespace survey_file
