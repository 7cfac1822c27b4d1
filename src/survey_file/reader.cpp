// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>
#include <vector>

#include "runtime/large_pages.h"
#include "runtime/number_text.h"
#include "survey_file/cells.h"
#include "survey_file/project_rows.h"
#include "survey_file/road_design_file.h"
#include "survey_file/survey_file.h"

namespace survey_file {

namespace {

using section::kMostPoints;
using section::kMostSections;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string place(int line, int column) {
    return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列";
}

// Thrown at the first fault; readSurvey turns it into its result.
struct Fault {
    FileError error;
};

[[noreturn]] void fail(int line, int column, const std::string& what) {
    throw Fault{{line, column, place(line, column) + what}};
}

struct Section {
    StationMark station;    // with stations
    int number = 0;         // without: its number, 1, 2, 3 ...
    std::string key;        // the key cell as written in its last row
    bool plainKey = false;  // without quote or separator: a row starting with it splits there
    int firstLine = 0;
    int points = 0;
    int emptyRowLine = 0;  // the line of a row without H and S
    bool hasSpacing = false;
    double spacing = 0.0;
    int spacingLine = 0;
    std::string spacingCell;
};

class Reader {
  public:
    // `text` follows `linesBefore` lines already read (the rows of 工程信息).
    Reader(std::string_view text, int linesBefore, ReadProgress* progress)
        : text_(text), lineNumber_(linesBefore), progress_(progress) {
        if (text_.starts_with(kByteOrderMark)) text_.remove_prefix(kByteOrderMark.size());
        // A point's row takes some twenty bytes: room for them all at once.
        elevations_.reserve(text_.size() / 20);
        offsets_.reserve(text_.size() / 20);
        runtime::askForLargePages(elevations_.data(), elevations_.capacity() * sizeof(double));
        runtime::askForLargePages(offsets_.data(), offsets_.capacity() * sizeof(double));
    }

    section::SectionSurvey read() {
        if (!nextLine()) {
            if (!design_.text.empty())
                fail(design_.linesBefore + 1, 1,
                     "：道路设计的表之前没有测量数据的表头“桩号,高程H,距离S”。"
                     "这是道路设计文件时，请用“文件 ▸ 打开道路设计…”打开");
            throw Fault{
                {0, 0,
                 "文件中没有数据：第一行应为表头“桩号,高程H,距离S”或“断面,高程H,距离S,间距DL”"}};
        }
        readHeader();
        while (nextLine()) readRow();
        if (sections_.empty()) throw Fault{{0, 0, "文件中只有表头，没有断面数据"}};
        checkSpacings();
        return survey();
    }
    const DesignPart& design() const { return design_; }

  private:
    // The next line that is neither blank nor a comment, split into cells.
    bool nextLine() {
        while (at_ < text_.size()) {
            // A plain row is read to its line end without a search for it.
            if (const std::size_t row = readPlainRow(text_.substr(at_))) {
                countLine(row);
                continue;
            }
            const char* start = text_.data() + at_;
            const void* newline = std::memchr(start, '\n', text_.size() - at_);
            const std::size_t length =
                newline ? static_cast<const char*>(newline) - start : text_.size() - at_;
            std::string_view line(start, length);
            countLine(length + 1);
            if (line.ends_with('\r')) line.remove_suffix(1);
            const std::string_view content = trimBlanks(line);
            if (content.empty() || content.starts_with('#')) continue;
            if (separator_ == 0) separator_ = separatorOf(line);
            if (!cells_.split(line, separator_))
                fail(lineNumber_, LineCells::kMostCells + 1, "：这一行的列数太多");
            // A row of empty cells (a spreadsheet's trailing separators).
            bool empty = true;
            for (std::size_t k = 0; k < cells_.size(); ++k) empty = empty && cells_[k].empty();
            if (empty) continue;
            // The road design's tables follow the survey's rows.
            if (tableOfTitle(cells_[0])) {
                design_ = {text_.substr(std::size_t(start - text_.data())), lineNumber_ - 1,
                           separator_};
                at_ = text_.size();
                return false;
            }
            return true;
        }
        return false;
    }

    // The line of `length` bytes with its line end read: its number counted.
    void countLine(std::size_t length) {
        at_ += length;
        if ((++lineNumber_ & kProgressLines) == 0) tellProgress(progress_, at_, text_.size());
    }

    // A point of the last section in the plainest of rows at the start of
    // `text`, its key as that section's, then a short plain decimal in each
    // of H and S and the line's end: read in one pass as readRow would read
    // it, which a million-point file is made of. Its length and that of its
    // line end (LF, CR LF, or the end of the text); 0, having read nothing,
    // for any other line.
    std::size_t readPlainRow(std::string_view text) {
        if (sections_.empty()) return 0;
        Section& section = sections_.back();
        if (!section.plainKey || section.emptyRowLine != 0 || section.points == kMostPoints ||
            !text.starts_with(section.key))
            return 0;
        std::string_view rest = text.substr(section.key.size());
        if (!rest.starts_with(separator_)) return 0;
        rest.remove_prefix(1);
        double h = 0.0, s = 0.0;
        const std::size_t length = readShortDecimal(rest, h);
        if (length == 0 || rest.size() == length || rest[length] != separator_) return 0;
        rest.remove_prefix(length + 1);
        const std::size_t sLength = readShortDecimal(rest, s);
        if (sLength == 0) return 0;
        rest.remove_prefix(sLength);
        if (rest.starts_with('\r')) rest.remove_prefix(1);
        if (!rest.empty() && rest.front() != '\n') return 0;
        ++section.points;
        elevations_.push_back(h);
        offsets_.push_back(s);
        return std::size_t(rest.data() - text.data()) + 1;
    }

    void setKey(Section& section, std::string_view key) const {
        section.key = key;
        section.plainKey =
            key.find_first_of(std::string{'"', separator_}) == std::string_view::npos;
    }

    void readHeader() {
        const std::string key = headerWord(cells_[0]);
        if (key == "桩号") {
            stations_ = true;
        } else if (key != "断面") {
            fail(lineNumber_, 1, quotedCell(cells_[0]) + "不是有效的表头，应为“桩号”或“断面”");
        }
        expectHeader(2, {"高程H", "H"}, "“高程H”或“H”");
        expectHeader(3, {"距离S", "S"}, "“距离S”或“S”");
        columns_ = 3;
        if (!stations_ && !cells_[3].empty()) {
            expectHeader(4, {"间距DL", "DL"}, "“间距DL”或“DL”");
            columns_ = 4;
        }
        checkNothingBeyond();
    }

    void expectHeader(int column, std::initializer_list<std::string_view> words,
                      const char* expected) {
        const std::string_view cell = cells_[column - 1];
        const std::string word = headerWord(cell);
        for (std::string_view w : words) {
            if (word == w) return;
        }
        if (cell.empty()) fail(lineNumber_, column, std::string("没有表头，应为") + expected);
        fail(lineNumber_, column, quotedCell(cell) + "不是有效的表头，应为" + expected);
    }

    void checkNothingBeyond() {
        for (std::size_t k = columns_; k < cells_.size(); ++k) {
            if (!cells_[k].empty())
                fail(lineNumber_, int(k) + 1, quotedCell(cells_[k]) + "是多余的数据");
        }
    }

    double number(int column, const char* what) {
        const std::string_view cell = cells_[column - 1];
        if (cell.empty()) fail(lineNumber_, column, std::string("没有") + what);
        const CellNumber n = readFloat(cell);
        if (n.fault != CellNumber::Fault::None)
            fail(lineNumber_, column, cellFault(cell, n.fault, what));
        return n.value;
    }

    void readRow() {
        checkNothingBeyond();
        Section& section = sectionOfRow();
        const bool noPoint = cells_[1].empty() && cells_[2].empty();
        if (noPoint) {
            if (section.points > 0 || section.emptyRowLine != 0) fail(lineNumber_, 2, "没有高程");
            section.emptyRowLine = lineNumber_;
        } else {
            if (section.emptyRowLine != 0) fail(section.emptyRowLine, 2, "没有高程");
            const double h = number(2, "高程");
            const double s = number(3, "距离");
            if (section.points == kMostPoints)
                fail(lineNumber_, 1,
                     "：第 " + std::to_string(sections_.size()) + " 个断面的观测点超过 " +
                         std::to_string(kMostPoints) + " 个");
            ++section.points;
            elevations_.push_back(h);
            offsets_.push_back(s);
        }
        if (columns_ == 4 && !cells_[3].empty()) readSpacing(section);
    }

    // The section the current row belongs to: the last one while the key is
    // the same, a new one otherwise.
    Section& sectionOfRow() {
        const std::string_view key = cells_[0];
        if (key.empty()) fail(lineNumber_, 1, stations_ ? "没有桩号" : "没有断面编号");
        if (!sections_.empty() && key == sections_.back().key) return sections_.back();
        Section next;
        next.firstLine = lineNumber_;
        setKey(next, key);
        if (stations_) {
            const StationStep step =
                stepOfStation(key, sections_.empty() ? nullptr : &sections_.back().station);
            if (!step.fault.empty()) fail(lineNumber_, 1, step.fault);
            if (step.same) {
                setKey(sections_.back(), key);
                return sections_.back();
            }
            next.station = step.next;
        } else {
            const std::optional<double> n = runtime::readNumber(key);
            const int expected = static_cast<int>(sections_.size()) + 1;
            if (!sections_.empty() && n && *n == sections_.back().number) {
                setKey(sections_.back(), key);
                return sections_.back();
            }
            if (!n || *n != expected) fail(lineNumber_, 1, notNextSection(key, expected));
            next.number = expected;
        }
        if (static_cast<int>(sections_.size()) == kMostSections)
            fail(lineNumber_, 1, "：断面超过 " + std::to_string(kMostSections) + " 个");
        sections_.push_back(std::move(next));
        return sections_.back();
    }

    void readSpacing(Section& section) {
        const double spacing = number(4, "间距");
        if (section.hasSpacing && spacing != section.spacing)
            fail(lineNumber_, 4,
                 quotedCell(cells_[3]) + "与第 " + std::to_string(section.spacingLine) +
                     " 行给出的第 " + std::to_string(section.number) + " 号断面的间距" +
                     quotedCell(section.spacingCell) + "不同，每个断面只能有一个间距");
        section.hasSpacing = true;
        section.spacing = spacing;
        section.spacingLine = lineNumber_;
        section.spacingCell = cells_[3];
    }

    // Without stations, section i gives the spacing to section i+1; the last
    // one has no next section.
    void checkSpacings() const {
        if (stations_) return;
        const std::size_t n = sections_.size();
        for (std::size_t k = 0; k + 1 < n; ++k) {
            const Section& section = sections_[k];
            if (!section.hasSpacing)
                fail(section.firstLine, 4,
                     "：第 " + std::to_string(section.number) + " 号断面没有到第 " +
                         std::to_string(section.number + 1) + " 号断面的间距 DL");
        }
        const Section& last = sections_.back();
        if (last.hasSpacing)
            fail(last.spacingLine, 4,
                 quotedCell(last.spacingCell) + "：第 " + std::to_string(last.number) +
                     " 号断面是最后一个断面，后面没有断面，不应有间距");
    }

    section::SectionSurvey survey() {
        section::SectionSurvey survey;
        const int n = static_cast<int>(sections_.size());
        survey.resize(n);
        survey.setStationAnswer(stations_ ? "y" : "n");
        for (int i = 1; i <= n; ++i) {
            const Section& section = sections_[i - 1];
            survey.setStation(i, section.station.station);
            survey.setStationPrefix(i, section.station.prefix);
            survey.setPointCount(i, static_cast<std::int16_t>(section.points));
        }
        survey.takePoints(std::move(elevations_), std::move(offsets_));
        for (int i = 1; i < n; ++i) survey.setSpacing(i, sections_[i - 1].spacing);
        return survey;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int lineNumber_ = 0;
    ReadProgress* progress_;
    char separator_ = 0;
    LineCells cells_;
    bool stations_ = false;
    std::size_t columns_ = 3;
    std::vector<Section> sections_;
    std::vector<double> elevations_;
    std::vector<double> offsets_;
    DesignPart design_;
};

}  // namespace

SurveyRead readSurvey(std::string_view text, ReadProgress* progress) {
    const ProjectRows rows = readProjectRows(text);
    if (rows.error) return {std::nullopt, *rows.error};
    const std::string_view rest = text.substr(rows.restAt);
    SurveyRead result;
    if (isCutFillCsv(rest)) {
        result = readCutFillCsv(rest, rows.linesBefore, progress);
    } else {
        try {
            Reader reader(rest, rows.linesBefore, progress);
            result.survey = reader.read();
            readDesignPart(result, reader.design());
        } catch (const Fault& fault) {
            result.error = fault.error;
        }
    }
    if (result.survey) {
        result.project = rows.project;
        result.survey->setVolumeMethod(rows.method);
    }
    return result;
}

}  // namespace survey_file
