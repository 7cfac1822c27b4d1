// SPDX-License-Identifier: GPL-3.0-or-later
#include "spreadsheet/quantity_workbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <vector>

#include "printout/quantity_table.h"

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

    void write() {
        const lxw_col_t last = lxw_col_t(table_.columns.size());
        worksheet_merge_range(sheet_, 0, 0, 0, last, table_.title.c_str(), formats_.title);
        row_ = 1;
        writeProject();
        ++row_;
        writeHead();
        worksheet_freeze_panes(sheet_, row_, 0);
        const lxw_row_t first = row_;
        for (const printout::QuantityPage& page : table_.pages) {
            for (const printout::QuantityRow& row : page.rows) writeRow(row);
        }
        writeTotal(first, row_);
        for (lxw_col_t c = 0; c <= last; ++c)
            worksheet_set_column(sheet_, c, c, widths_[c] + 2.0, nullptr);
        if (table_.landscape) worksheet_set_landscape(sheet_);
        worksheet_set_paper(sheet_, 9);  // A4
    }

  private:
    void fit(lxw_col_t column, const std::string& text) {
        widths_[column] = std::max(widths_[column], textWidth(text));
    }

    // Name and value a row each, as in the survey file.
    void writeProject() {
        const section::ProjectInfo& p = table_.project;
        const std::pair<const char*, const std::string*> items[] = {{"工程名称", &p.projectName},
                                                                    {"路段", &p.segment},
                                                                    {"计算", &p.calculatedBy},
                                                                    {"复核", &p.checkedBy},
                                                                    {"日期", &p.date}};
        for (const auto& [name, value] : items) {
            if (value->empty()) continue;
            worksheet_write_string(sheet_, row_, 0, name, nullptr);
            worksheet_write_string(sheet_, row_, 1, value->c_str(), nullptr);
            ++row_;
        }
    }

    void writeHead() {
        worksheet_write_string(sheet_, row_, 0, table_.keyTitle.c_str(), formats_.head);
        fit(0, table_.keyTitle);
        for (std::size_t c = 0; c < table_.columns.size(); ++c) {
            const printout::QuantityColumn& column = table_.columns[c];
            const std::string text = column.title + "(" + column.unit + ")";
            worksheet_write_string(sheet_, row_, lxw_col_t(c + 1), text.c_str(), formats_.head);
            fit(lxw_col_t(c + 1), text);
        }
        ++row_;
    }

    void writeRow(const printout::QuantityRow& row) {
        double number = 0;
        // Numbered sections as numbers, stations as their text.
        if (numberOf(row.key, number))
            worksheet_write_number(sheet_, row_, 0, number, formats_.key);
        else
            worksheet_write_string(sheet_, row_, 0, row.key.c_str(), formats_.key);
        fit(0, row.key);
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const std::string& cell = row.cells[c];
            const lxw_col_t column = lxw_col_t(c + 1);
            fit(column, cell);
            if (numberOf(cell, number))
                worksheet_write_number(sheet_, row_, column, number, formats_.number);
            else if (!cell.empty())
                worksheet_write_string(sheet_, row_, column, cell.c_str(), formats_.text);
            else
                worksheet_write_blank(sheet_, row_, column, formats_.number);
        }
        ++row_;
    }

    // SUM over the rows of the columns that add up; the value the table
    // worked out stands as the formula's result until the program recalculates.
    void writeTotal(lxw_row_t first, lxw_row_t end) {
        worksheet_write_string(sheet_, row_, 0, table_.total.key.c_str(), formats_.totalKey);
        for (std::size_t c = 0; c < table_.columns.size(); ++c) {
            const lxw_col_t column = lxw_col_t(c + 1);
            double total = 0;
            if (!table_.columns[c].summed || !numberOf(table_.total.cells[c], total)) {
                worksheet_write_blank(sheet_, row_, column, formats_.totalNumber);
                continue;
            }
            fit(column, table_.total.cells[c]);
            const std::string name = columnName(column);
            const std::string formula = "=SUM(" + name + std::to_string(first + 1) + ":" + name +
                                        std::to_string(std::max(end, first + 1)) + ")";
            worksheet_write_formula_num(sheet_, row_, column, formula.c_str(), formats_.totalNumber,
                                        total);
        }
        ++row_;
    }

    const printout::QuantityTable& table_;
    lxw_worksheet* sheet_;
    Formats formats_;
    std::vector<double> widths_;  // in characters
    lxw_row_t row_ = 0;
};

}  // namespace

WorkbookWritten writeQuantityWorkbook(const printout::QuantityTable& table,
                                      const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    lxw_workbook_options options{};
    options.tmpdir = folder.data();
    errno = 0;
    lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
    if (!book) return {false, errno ? errno : ENOMEM};
    SheetWriter(book, table).write();
    errno = 0;
    const lxw_error error = workbook_close(book);
    if (error == LXW_NO_ERROR) return {true, 0};
    return {false, error == LXW_ERROR_MEMORY_MALLOC_FAILED ? ENOMEM : errno};
}

}  // namespace spreadsheet
