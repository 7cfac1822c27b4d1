// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of a file's text one after another, with their numbers, and the
// fault that stops a reader at the first error: what the readers of the
// cut-and-fill CSV and of the 里程文件 share.

#include <cstring>
#include <string>
#include <string_view>

#include "runtime/quote.h"
#include "survey_file/cells.h"
#include "survey_file/survey_file.h"

namespace survey_file {

struct LineFault {
    FileError error;
};

// "第 12 行" or "第 12 行第 3 列" and what is wrong.
[[noreturn]] inline void failAt(int line, int column, const std::string& what) {
    std::string place = "第 " + std::to_string(line) + " 行";
    if (column > 0) place += "第 " + std::to_string(column) + " 列";
    throw LineFault{{line, column, place + what}};
}

// A cell quoted in a message, never with raw control bytes.
inline std::string quoted(std::string_view cell) {
    return runtime::quoteTyped(printableText(cell));
}

class TextLines {
  public:
    // `text` follows `linesBefore` lines already read (the rows of 工程信息);
    // `progress` learns how far the lines have got.
    explicit TextLines(std::string_view text, int linesBefore = 0, ReadProgress* progress = nullptr)
        : text_(text), number_(linesBefore), progress_(progress) {
        if (text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);
    }

    // The next line that is not blank (nor, with `comments`, a "#" comment),
    // its line end and blanks around it removed.
    bool next(std::string_view& line, bool comments) {
        while (at_ < text_.size()) {
            const char* start = text_.data() + at_;
            const void* newline = std::memchr(start, '\n', text_.size() - at_);
            const std::size_t length =
                newline ? static_cast<const char*>(newline) - start : text_.size() - at_;
            line = std::string_view(start, length);
            lineAt_ = at_;
            at_ += length + 1;
            if ((++number_ & kProgressLines) == 0) tellProgress(progress_, at_, text_.size());
            if (line.ends_with('\r')) line.remove_suffix(1);
            line = trimBlanks(line);
            if (!line.empty() && !(comments && line.starts_with('#'))) return true;
        }
        return false;
    }
    int number() const { return number_; }
    std::size_t size() const { return text_.size(); }
    // The text from the start of the line last read on.
    std::string_view fromLastLine() const { return text_.substr(lineAt_); }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t lineAt_ = 0;
    int number_;
    ReadProgress* progress_;
};

// A number cell, or the fault naming the line, the column and the cell.
inline double cellValue(std::string_view cell, int line, int column, const char* what) {
    if (cell.empty()) failAt(line, column, std::string("没有") + what);
    const CellNumber n = readFloat(cell);
    if (n.fault == CellNumber::Fault::NotANumber)
        failAt(line, column, quoted(cell) + "不是有效的" + what);
    if (n.fault == CellNumber::Fault::OutOfRange)
        failAt(line, column, quoted(cell) + "超出了允许的范围（绝对值不超过 3.4E+38）");
    return n.value;
}

// A station cell, its letters in `prefix` (section/station.h).
inline double stationValue(std::string_view cell, int line, int column, std::string* prefix) {
    if (cell.empty()) failAt(line, column, "没有桩号");
    std::optional<std::string> letters;
    const CellNumber n = readStation(cell, &letters);
    *prefix = letters.value_or(std::string());
    if (n.fault == CellNumber::Fault::NotANumber)
        failAt(line, column, quoted(cell) + "不是有效的桩号");
    if (n.fault == CellNumber::Fault::OutOfRange)
        failAt(line, column, quoted(cell) + "超出了允许的范围（绝对值不超过 3.4E+38）");
    return n.value;
}

}  // namespace survey_file
