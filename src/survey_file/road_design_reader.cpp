// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the road design file: tables under bracketed titles, each with its
// header, by the survey file's rules for cells and numbers.

#include <array>
#include <utility>

#include "survey_file/road_design_columns.h"
#include "survey_file/road_design_file.h"
#include "survey_file/text_lines.h"

namespace survey_file {

namespace {

using section::DesignTable;

constexpr std::size_t kMostColumns = 8;  // a 边坡 row with its range, a 土石分类 row

// A row with a range, for the check that ranges of one table do not overlap.
struct RangedRow {
    DesignTable table;
    section::StationRange range;
    section::RoadSide side;
    std::optional<section::SlopeKind> kind;
    int line;
};

// Whether a header cell names the column: as written, or a class Ⅰ–Ⅵ in
// Latin letters ("II", "iv"), as a keyboard types it.
bool namesColumn(std::string_view cell, std::string_view name) {
    constexpr std::pair<std::string_view, std::string_view> kLatin[] = {
        {"I", "Ⅰ"}, {"II", "Ⅱ"}, {"III", "Ⅲ"}, {"IV", "Ⅳ"}, {"V", "Ⅴ"}, {"VI", "Ⅵ"}};
    const std::string word = headerWord(cell);
    if (word == name) return true;
    for (const auto& [latin, roman] : kLatin)
        if (word == latin) return name == roman;
    return false;
}

class DesignReader {
  public:
    DesignReader(std::string_view text, int linesBefore, char separator)
        : lines_(text, linesBefore), separator_(separator) {}

    section::RoadDesign read() {
        std::string_view line;
        while (lines_.next(line, true)) {
            if (separator_ == 0 && line.find_first_of(",\t") != std::string_view::npos)
                separator_ = separatorOf(line);
            if (!cells_.split(line, separator_ ? separator_ : ','))
                failAt(at(), int(LineCells::kMostCells) + 1, inTable() + "：这一行的列数太多");
            if (!emptyRow()) take();
        }
        headerGiven();
        checkRanges();
        return std::move(design_);
    }

    DesignLines& lines() { return rowPlaces_; }

  private:
    int at() const { return lines_.number(); }

    bool emptyRow() const {
        for (std::size_t k = 0; k < cells_.size(); ++k)
            if (!cells_[k].empty()) return false;
        return true;
    }

    void take() {
        if (const std::optional<DesignTable> table = tableOfTitle(cells_[0])) return title(*table);
        const std::string first = headerWord(cells_[0]);
        if (first.starts_with('[') || first.starts_with("【"))
            failAt(at(), 1, "：" + quoted(cells_[0]) + "不是道路设计的表名，应为 " + titleList());
        if (!table_)
            failAt(at(), 1,
                   "：这一行之前没有表名。道路设计的每张表以表名一行开始（例如 [纵断面]），"
                   "下一行是表头，再下面是数据");
        if (!headerLine_) return header();
        row();
    }

    // A table's title row: the one before it must have had its header.
    void title(DesignTable table) {
        headerGiven();
        table_ = table;
        titleLine_ = at();
        headerLine_ = 0;
        nothingBeyond(1, "表名一行只写表名");
    }

    // "（[路幅]）" within a table, to follow a place.
    std::string inTable() const {
        return table_ ? "（" + std::string(tableTitle(*table_)) + "）" : std::string();
    }

    void headerGiven() const {
        if (table_ && !headerLine_)
            failAt(titleLine_, 1,
                   inTable() + "：表名下面没有表头，应为“" + headerText(*table_, false) + "”");
    }

    void header() {
        ranged_ = takesRange(*table_) && headerWord(cells_[0]) == "起点桩号";
        columns_ = 0;
        for (;; ++columns_) {
            const std::string_view name = columnName(*table_, ranged_, int(columns_));
            if (name.empty()) break;
            const std::string_view cell = cells_[columns_];
            if (namesColumn(cell, name)) continue;
            std::string what = "（" + std::string(tableTitle(*table_)) + " 的表头）：";
            what += cell.empty() ? "没有这一列的表头" : quoted(cell) + "不是这一列的表头";
            failAt(at(), int(columns_) + 1,
                   what + "，应为“" + std::string(name) + "”。这张表的表头是“" +
                       headerText(*table_, ranged_) + "”" +
                       (takesRange(*table_) ? "，或在前面加“起点桩号,终点桩号”" : ""));
        }
        headerLine_ = at();
        nothingBeyond(columns_, "表头之后不应有别的列");
    }

    void nothingBeyond(std::size_t columns, std::string_view why) const {
        for (std::size_t k = columns; k < cells_.size(); ++k)
            if (!cells_[k].empty())
                failAt(at(), int(k) + 1,
                       inTable() + "：" + quoted(cells_[k]) + "是多余的数据，" + std::string(why));
    }

    [[noreturn]] void failCell(std::size_t column, const std::string& what) const {
        failAt(at(), int(column) + 1,
               "（" + std::string(tableTitle(*table_)) + " 的“" +
                   std::string(columnName(*table_, ranged_, int(column))) + "”）：" + what);
    }

    // The value of each column of the row; an empty optional cell gives none.
    void readCells() {
        const std::span<const DesignColumn> range = rangeColumns();
        const std::span<const DesignColumn> own = columnsOf(*table_);
        for (std::size_t k = 0; k < columns_; ++k) {
            const bool inRange = ranged_ && k < range.size();
            const DesignColumn& column = inRange ? range[k] : own[k - (ranged_ ? range.size() : 0)];
            values_[k] = readCell(k, column);
        }
    }

    std::optional<double> readCell(std::size_t k, const DesignColumn& column) const {
        const std::string_view cell = cells_[k];
        using enum CellKind;
        if (cell.empty()) {
            if (column.kind == Optional || column.kind == Text) return std::nullopt;
            if (column.kind == ZeroIfEmpty) return 0.0;
            failCell(k, "这一格不能空");
        }
        if (column.kind == Text) return std::nullopt;  // taken as it is by row()
        if (column.kind == Side || column.kind == Slope) {
            const bool side = column.kind == Side;
            const std::string word = headerWord(cell);
            if (word == (side ? "左" : "填")) return 0.0;
            if (word == (side ? "右" : "挖")) return 1.0;
            failCell(k, quoted(cell) + (side ? "不是侧，请写“左”或“右”（左即 S > 0 的一侧）"
                                             : "不是类型，请写“填”或“挖”"));
        }
        const CellNumber n = column.kind == Station ? readStation(cell) : readFloat(cell);
        if (n.fault == CellNumber::Fault::OutOfRange)
            failCell(k, quoted(cell) + "超出了允许的范围（绝对值不超过 3.4E+38）");
        if (n.fault != CellNumber::Fault::None)
            failCell(k, column.kind == Station
                            ? quoted(cell) + "不是桩号，请写成 K1+020.5 或 1020.5 这样的桩号"
                            : quoted(cell) + "不是数，请写成 3.75 这样的数");
        return n.value;
    }

    void row() {
        nothingBeyond(columns_, "这张表只有 " + std::to_string(columns_) + " 列");
        if (singleRow(*table_) && !rowPlaces_[*table_].empty())
            failAt(at(), 1,
                   inTable() + "：这张表只有一行数据，第 " +
                       std::to_string(rowPlaces_[*table_].front().line) +
                       " 行已经给出。请删去多余的一行");
        readCells();
        const auto v = [&](std::size_t k) { return *values_[k]; };
        const std::size_t b = ranged_ ? 2 : 0;  // the first of the table's own columns
        const auto side = [&](std::size_t k) {
            return v(k) == 0.0 ? section::RoadSide::Left : section::RoadSide::Right;
        };
        std::optional<section::StationRange> range;
        if (ranged_) range = rangeOfRow();
        switch (*table_) {
            case DesignTable::Profile:
                design_.profile.push_back({v(0), v(1), values_[2]});
                break;
            case DesignTable::Plates:
                design_.plates.push_back({v(0), side(1), v(2), v(3)});
                break;
            case DesignTable::Slopes: {
                const auto kind =
                    v(b + 1) == 0.0 ? section::SlopeKind::Fill : section::SlopeKind::Cut;
                design_.slopes.push_back(
                    {range, side(b), kind, v(b + 2), values_[b + 3], v(b + 4), v(b + 5)});
                if (range) rangedRows_.push_back({*table_, *range, side(b), kind, at()});
                break;
            }
            case DesignTable::Ditches:
                design_.ditches.push_back({range, side(b), v(b + 1), v(b + 2), v(b + 3), v(b + 4)});
                if (range) rangedRows_.push_back({*table_, *range, side(b), std::nullopt, at()});
                break;
            case DesignTable::Breaks:
                design_.breaks.push_back({v(0), v(1)});
                break;
            case DesignTable::SoilClasses:
                design_.soilClasses.push_back({{v(0), v(1)}, figures(2)});
                break;
            case DesignTable::Factors:
                design_.factors = figures(0);
                break;
            case DesignTable::Structures:
                design_.structures.push_back({{v(0), v(1)}, std::string(cells_[2])});
                break;
            case DesignTable::Haul:
                design_.haul = section::HaulDistances{v(0), values_[1]};
                break;
        }
        rowPlaces_[*table_].push_back({at(), ranged_});
    }

    // The six figures of the classes Ⅰ–Ⅵ from column `first` on.
    section::ClassFigures figures(std::size_t first) const {
        section::ClassFigures six{};
        for (std::size_t j = 0; j < six.size(); ++j) six[j] = *values_[first + j];
        return six;
    }

    section::StationRange rangeOfRow() const {
        const section::StationRange range{*values_[0], *values_[1]};
        if (range.to < range.from)
            failCell(1, quoted(cells_[1]) + "在起点桩号" + quoted(cells_[0]) +
                            "之前，终点桩号不能小于起点桩号");
        return range;
    }

    // Rows of the same range are stages of one slope; two different ranges
    // of one side (and kind) must not share more than an end.
    void checkRanges() const {
        for (std::size_t j = 0; j < rangedRows_.size(); ++j)
            for (std::size_t i = 0; i < j; ++i) {
                const RangedRow& a = rangedRows_[i];
                const RangedRow& b = rangedRows_[j];
                if (a.table != b.table || a.side != b.side || a.kind != b.kind ||
                    a.range == b.range || !(a.range.from < b.range.to && b.range.from < a.range.to))
                    continue;
                const std::string what =
                    std::string(sideWord(a.side)) + "侧" +
                    (a.kind ? std::string(slopeWord(*a.kind)) + "方的边坡" : std::string("的边沟"));
                failAt(b.line, 1,
                       "（" + std::string(tableTitle(b.table)) +
                           " 的“起点桩号”）：这一行的桩号范围与第 " + std::to_string(a.line) +
                           " 行的范围重叠，" + what +
                           "在一处只能有一种。请改正其中一行的起点桩号或终点桩号");
            }
    }

    TextLines lines_;
    char separator_;
    LineCells cells_;
    std::optional<DesignTable> table_;
    int titleLine_ = 0;
    int headerLine_ = 0;
    bool ranged_ = false;
    std::size_t columns_ = 0;
    std::array<std::optional<double>, kMostColumns> values_{};
    section::RoadDesign design_;
    DesignLines rowPlaces_;
    std::vector<RangedRow> rangedRows_;
};

}  // namespace

RoadDesignRead readRoadDesign(std::string_view text, int linesBefore, char separator) {
    try {
        DesignReader reader(text, linesBefore, separator);
        section::RoadDesign design = reader.read();
        return {std::move(design), {}, std::move(reader.lines())};
    } catch (const LineFault& fault) {
        return {std::nullopt, fault.error};
    }
}

void readDesignPart(SurveyRead& read, const DesignPart& part) {
    if (part.text.empty() || !read.survey) return;
    RoadDesignRead design = readRoadDesign(part.text, part.linesBefore, part.separator);
    if (!design.design) {
        read.survey.reset();
        read.error = std::move(design.error);
        return;
    }
    // Read whole, the tables may still not fit together.
    if (const auto fault = read.survey->setRoadDesign(std::move(*design.design))) {
        read.survey.reset();
        read.error = {0, 0, designFaultText(*fault, design.lines)};
        return;
    }
    read.designLines = std::move(design.lines);
}

RoadDesignRead readRoadDesignFile(std::string_view bytes, const ToUtf8& toUtf8) {
    if (std::optional<std::string> why = whyNotText(bytes)) return {std::nullopt, {0, 0, *why}};
    std::optional<std::string> decoded;
    if (!isUtf8(bytes)) {
        if (std::optional<FileError> mixed = lineInAnotherEncoding(bytes))
            return {std::nullopt, *mixed};
        decoded = toUtf8(bytes);
        if (!decoded)
            return {std::nullopt,
                    {0, 0,
                     "这不是文本文件：道路设计文件应为 CSV 或制表符分隔的文本（UTF-8 或 GBK "
                     "编码），可以在电子表格程序中另存为 CSV（逗号分隔）后再打开"}};
    }
    const std::string_view text = decoded ? std::string_view(*decoded) : bytes;
    if (std::optional<FileError> why = loneCarriageReturn(text)) return {std::nullopt, *why};
    return readRoadDesign(text);
}

}  // namespace survey_file
