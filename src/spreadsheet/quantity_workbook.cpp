// SPDX-License-Identifier: GPL-3.0-or-later
#include "spreadsheet/quantity_workbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "printout/column_groups.h"
#include "printout/quantity_table.h"

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define VELMORIN_QUIET_STDERR 1
#endif

namespace spreadsheet {

namespace {

// Columns a text takes in a spreadsheet's default font: a Chinese character
// (three bytes of UTF-8) two, anything else one.
double textWidth(const std::string& text) {
    double width = 0;
    for (std::size_t k = 0; k < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[k]);
        const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        width += length >= 3 ? 2.0 : 1.0;
        k += length;
    }
    return width;
}

// Characters as the library counts them: UTF-8 sequences.
std::size_t characters(const std::string& text) {
    return std::size_t(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The 工程信息 items as the workbook's rows above the table show them.
std::vector<std::pair<const char*, const std::string*>> projectItems(
    const section::ProjectInfo& p) {
    return {{"工程名称", &p.projectName},
            {"路段", &p.segment},
            {"计算", &p.calculatedBy},
            {"复核", &p.checkedBy},
            {"日期", &p.date}};
}

std::string whyNoCells(const printout::QuantityTable& table) {
    for (const auto& [name, value] : projectItems(table.project)) {
        const std::size_t count = characters(*value);
        if (count > kMostCellCharacters)
            return std::string("工程信息“") + name + "”有 " + std::to_string(count) +
                   " 个字符，Excel 工作簿的一格最多 " + std::to_string(kMostCellCharacters) +
                   " 个字符：请把它改短，或导出 PDF";
    }
    return {};
}

// Standard error sent nowhere while the library may write its own English
// lines there; the caller tells the user in the program's words instead.
// Where there are no POSIX descriptors the lines stay.
class QuietStandardError {
  public:
#ifdef VELMORIN_QUIET_STDERR
    QuietStandardError() {
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && nowhere >= 0) ::dup2(nowhere, STDERR_FILENO);
        if (nowhere >= 0) ::close(nowhere);
    }
    ~QuietStandardError() {
        std::fflush(stderr);
        if (saved_ < 0) return;
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
#else
    QuietStandardError() = default;
#endif
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

  private:
    int saved_ = -1;
};

bool numberOf(const std::string& cell, double& value) {
    const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    return error == std::errc() && end == cell.data() + cell.size();
}

struct Formats {
    lxw_format* title;
    lxw_format* head;
    lxw_format* key;
    lxw_format* number;
    lxw_format* text;
    lxw_format* totalKey;
    lxw_format* totalNumber;
};

lxw_format* bordered(lxw_workbook* book) {
    lxw_format* format = workbook_add_format(book);
    format_set_border(format, LXW_BORDER_THIN);
    format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
    return format;
}

Formats formatsOf(lxw_workbook* book) {
    Formats f{};
    f.title = workbook_add_format(book);
    format_set_bold(f.title);
    format_set_font_size(f.title, 16);
    format_set_align(f.title, LXW_ALIGN_CENTER);
    f.head = bordered(book);
    format_set_bold(f.head);
    format_set_align(f.head, LXW_ALIGN_CENTER);
    format_set_text_wrap(f.head);
    f.key = bordered(book);
    format_set_align(f.key, LXW_ALIGN_CENTER);
    f.number = bordered(book);
    format_set_num_format(f.number, "0.000");
    f.text = bordered(book);
    format_set_align(f.text, LXW_ALIGN_RIGHT);
    f.totalKey = bordered(book);
    format_set_bold(f.totalKey);
    format_set_align(f.totalKey, LXW_ALIGN_CENTER);
    f.totalNumber = bordered(book);
    format_set_bold(f.totalNumber);
    format_set_num_format(f.totalNumber, "0.000");
    return f;
}

// "C" for column 2.
std::string columnName(lxw_col_t column) {
    std::string name;
    for (int c = int(column) + 1; c > 0; c = (c - 1) / 26)
        name.insert(name.begin(), char('A' + (c - 1) % 26));
    return name;
}

class SheetWriter {
  public:
    SheetWriter(lxw_workbook* book, const printout::QuantityTable& table)
        : table_(table),
          sheet_(workbook_add_worksheet(book, table.title.c_str())),
          formats_(formatsOf(book)),
          widths_(table.columns.size() + 1, 0.0) {}

    // The first cell the library did not take; empty when it took them all.
    const std::string& refused() const { return refused_; }

    void write() {
        const lxw_col_t last = lxw_col_t(table_.columns.size());
        took(worksheet_merge_range(sheet_, 0, 0, 0, last, table_.title.c_str(), formats_.title), 0);
        row_ = 1;
        writeLine(table_.note);
        writeProject();
        ++row_;
        writeHead();
        worksheet_freeze_panes(sheet_, row_, 0);
        const lxw_row_t first = row_;
        for (const printout::QuantityPage& page : table_.pages) {
            for (const printout::QuantityRow& row : page.rows) writeRow(row);
        }
        if (table_.summed()) writeTotal(first, row_);
        writeLine(table_.footnote);
        for (lxw_col_t c = 0; c <= last; ++c)
            worksheet_set_column(sheet_, c, c, widths_[c] + 2.0, nullptr);
        if (table_.landscape || table_.large) worksheet_set_landscape(sheet_);
        worksheet_set_paper(sheet_, table_.large ? 8 : 9);  // A3, A4
    }

  private:
    void took(lxw_error error, lxw_col_t column) {
        if (error == LXW_NO_ERROR || !refused_.empty()) return;
        refused_ = "Excel 工作簿第 " + std::to_string(row_ + 1) + " 行第 " +
                   std::to_string(column + 1) + " 列没有写成（" + lxw_strerror(error) + "）";
    }

    void fit(lxw_col_t column, const std::string& text) {
        widths_[column] = std::max(widths_[column], textWidth(text));
    }

    // Name and value a row each, as in the survey file.
    void writeProject() {
        for (const auto& [name, value] : projectItems(table_.project)) {
            if (value->empty()) continue;
            took(worksheet_write_string(sheet_, row_, 0, name, nullptr), 0);
            took(worksheet_write_string(sheet_, row_, 1, value->c_str(), nullptr), 1);
            ++row_;
        }
    }

    // A line of text across the table (the note, the footnote), when there is one.
    void writeLine(const std::string& text) {
        if (text.empty()) return;
        took(worksheet_merge_range(sheet_, row_, 0, row_, lxw_col_t(table_.columns.size()),
                                   text.c_str(), nullptr),
             0);
        ++row_;
    }

    // A head over the cells from (row_ + top, first) to (row_ + bottom, last),
    // merged when it spans more than one.
    void head(lxw_row_t top, lxw_col_t first, lxw_row_t bottom, lxw_col_t last,
              const std::string& text) {
        took(top == bottom && first == last
                 ? worksheet_write_string(sheet_, row_ + top, first, text.c_str(), formats_.head)
                 : worksheet_merge_range(sheet_, row_ + top, first, row_ + bottom, last,
                                         text.c_str(), formats_.head),
             first);
    }

    // With groups, two rows: each group's heading over its columns' heads,
    // the key's and each column's of no group merged over both.
    void writeHead() {
        const std::vector<printout::ColumnGroup> groups = printout::columnGroups(table_.columns);
        const lxw_row_t lines = groups.empty() ? 0 : 1;
        std::vector<bool> grouped(table_.columns.size(), false);
        for (const printout::ColumnGroup& group : groups) {
            head(0, lxw_col_t(group.first + 1), 0, lxw_col_t(group.last + 1), group.title);
            for (std::size_t c = group.first; c <= group.last; ++c) grouped[c] = true;
        }
        head(0, 0, lines, 0, table_.keyTitle);
        fit(0, table_.keyTitle);
        for (std::size_t c = 0; c < table_.columns.size(); ++c) {
            const std::string text = printout::columnHead(table_.columns[c]);
            const lxw_col_t column = lxw_col_t(c + 1);
            head(grouped[c] ? lines : 0, column, lines, column, text);
            fit(column, text);
        }
        row_ += lines + 1;
    }

    void writeRow(const printout::QuantityRow& row) {
        double number = 0;
        // Numbered sections as numbers, stations as their text.
        took(numberOf(row.key, number)
                 ? worksheet_write_number(sheet_, row_, 0, number, formats_.key)
                 : worksheet_write_string(sheet_, row_, 0, row.key.c_str(), formats_.key),
             0);
        fit(0, row.key);
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const std::string& cell = row.cells[c];
            const lxw_col_t column = lxw_col_t(c + 1);
            fit(column, cell);
            // The unrounded figure where the row has them, so that a SUM comes
            // to the total as printed, shown to three decimals as printed; a
            // cell they leave out is text. Else the figure as printed.
            const std::optional<double> exact =
                c < row.values.size() ? row.values[c] : std::nullopt;
            const bool figure = exact || (row.values.empty() && numberOf(cell, number));
            took(figure ? worksheet_write_number(sheet_, row_, column, exact.value_or(number),
                                                 formats_.number)
                 : !cell.empty()
                     ? worksheet_write_string(sheet_, row_, column, cell.c_str(), formats_.text)
                     : worksheet_write_blank(sheet_, row_, column, formats_.number),
                 column);
        }
        ++row_;
    }

    // SUM over the rows of the columns that add up; the value the table
    // worked out stands as the formula's result until the program recalculates.
    void writeTotal(lxw_row_t first, lxw_row_t end) {
        took(worksheet_write_string(sheet_, row_, 0, table_.total.key.c_str(), formats_.totalKey),
             0);
        for (std::size_t c = 0; c < table_.columns.size(); ++c) {
            const lxw_col_t column = lxw_col_t(c + 1);
            double total = 0;
            if (!table_.columns[c].summed || !numberOf(table_.total.cells[c], total)) {
                took(worksheet_write_blank(sheet_, row_, column, formats_.totalNumber), column);
                continue;
            }
            fit(column, table_.total.cells[c]);
            const std::string name = columnName(column);
            const std::string formula = "=SUM(" + name + std::to_string(first + 1) + ":" + name +
                                        std::to_string(std::max(end, first + 1)) + ")";
            took(worksheet_write_formula_num(sheet_, row_, column, formula.c_str(),
                                             formats_.totalNumber, total),
                 column);
        }
        ++row_;
    }

    const printout::QuantityTable& table_;
    lxw_worksheet* sheet_;
    Formats formats_;
    std::vector<double> widths_;  // in characters
    lxw_row_t row_ = 0;
    std::string refused_;
};

}  // namespace

WorkbookWritten writeQuantityWorkbook(const printout::QuantityTable& table,
                                      const std::string& path) {
    if (std::string why = whyNoCells(table); !why.empty()) return {false, 0, std::move(why)};
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    lxw_workbook_options options{};
    options.tmpdir = folder.data();
    const QuietStandardError quiet;
    errno = 0;
    lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
    if (!book) return {false, errno ? errno : ENOMEM};
    SheetWriter sheet(book, table);
    sheet.write();
    errno = 0;
    const lxw_error error = workbook_close(book);
    if (!sheet.refused().empty()) return {false, 0, sheet.refused()};
    if (error == LXW_NO_ERROR) return {true, 0};
    return {false, error == LXW_ERROR_MEMORY_MALLOC_FAILED ? ENOMEM : errno};
}

}  // namespace spreadsheet
