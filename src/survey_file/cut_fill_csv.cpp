// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV of a cut-and-fill survey: the closed outline's file with a 线
// column (地面线 / 设计线) after the key column (docs/survey-file.md).

#include <algorithm>

#include "runtime/number_text.h"
#include "survey_file/project_rows.h"
#include "survey_file/road_design_file.h"
#include "survey_file/text_lines.h"

namespace survey_file {

namespace {

constexpr std::string_view kGround = "地面线";
constexpr std::string_view kDesign = "设计线";
constexpr std::string_view kCodeHead = "编码";

class CutFillReader {
  public:
    CutFillReader(std::string_view text, int linesBefore, ReadProgress* progress)
        : lines_(text, linesBefore, progress) {}

    section::CutFillSurvey read() {
        std::string_view line;
        if (!lines_.next(line, true)) throw LineFault{{0, 0, "文件中没有数据"}};
        separator_ = separatorOf(line);
        split(line);
        header();
        while (lines_.next(line, true)) {
            split(line);
            if (tableOfTitle(cells_[0])) {
                design_ = {lines_.fromLastLine(), at() - 1, separator_};
                break;
            }
            bool empty = true;
            for (std::size_t k = 0; k < cells_.size(); ++k) empty = empty && cells_[k].empty();
            if (!empty) row();
        }
        if (survey_.sections.empty()) throw LineFault{{0, 0, "文件中只有表头，没有断面数据"}};
        checkSpacings();
        return std::move(survey_);
    }
    const DesignPart& design() const { return design_; }

  private:
    int at() const { return lines_.number(); }

    void split(std::string_view line) {
        if (!cells_.split(line, separator_))
            failAt(at(), int(LineCells::kMostCells) + 1, "：这一行的列数太多");
    }

    void expect(int column, std::initializer_list<std::string_view> words, const char* shown) {
        const std::string word = headerWord(cells_[column - 1]);
        for (std::string_view w : words)
            if (word == w) return;
        failAt(at(), column, quoted(cells_[column - 1]) + "不是有效的表头，应为" + shown);
    }

    void header() {
        const std::string key = headerWord(cells_[0]);
        stations_ = key == "桩号";
        if (!stations_ && key != "断面")
            failAt(at(), 1, quoted(cells_[0]) + "不是有效的表头，应为“桩号”或“断面”");
        survey_.stationAnswer = stations_ ? "y" : "n";
        expect(2, {"线"}, "“线”");
        expect(3, {"高程H", "H"}, "“高程H”或“H”");
        expect(4, {"距离S", "S"}, "“距离S”或“S”");
        columns_ = 4;
        if (!stations_ && !cells_[4].empty() && headerWord(cells_[4]) != kCodeHead) {
            expect(5, {"间距DL", "DL"}, "“间距DL”或“DL”");
            spacingColumn_ = true;
            columns_ = 5;
        }
        if (!cells_[columns_].empty()) {
            expect(int(columns_) + 1, {kCodeHead}, "“编码”");
            codeColumn_ = columns_++;
        }
        nothingBeyond();
    }

    void nothingBeyond() const {
        for (std::size_t k = columns_; k < cells_.size(); ++k)
            if (!cells_[k].empty()) failAt(at(), int(k) + 1, quoted(cells_[k]) + "是多余的数据");
    }

    void row() {
        nothingBeyond();
        section::CutFillSection& section = sectionOfRow();
        const std::string_view line = cells_[1];
        const bool noPoint = cells_[2].empty() && cells_[3].empty();
        if (noPoint && line.empty()) {
            // A section without points, or a row that only gives the spacing.
        } else if (line != kGround && line != kDesign) {
            failAt(at(), 2,
                   line.empty() ? std::string("没有写明是哪条线，应为“地面线”或“设计线”")
                                : quoted(line) + "不是有效的线，应为“地面线”或“设计线”");
        } else {
            const double h = cellValue(cells_[2], at(), 3, "高程");
            const double s = cellValue(cells_[3], at(), 4, "距离");
            std::vector<section::Point>& points = line == kGround ? section.ground : section.design;
            points.push_back({h, s});
            if (codeColumn_ > 0)
                keepCode(line == kGround ? section.groundCodes : section.designCodes, points.size(),
                         cells_[codeColumn_]);
        }
        if (spacingColumn_ && !cells_[4].empty()) spacing(section);
    }

    section::CutFillSection& sectionOfRow() {
        const std::string_view key = cells_[0];
        if (key.empty()) failAt(at(), 1, stations_ ? "没有桩号" : "没有断面编号");
        auto& sections = survey_.sections;
        if (!sections.empty() && key == lastKey_) return sections.back();
        section::CutFillSection next;
        if (stations_) {
            const StationStep step = stepOfStation(key, sections.empty() ? nullptr : &lastMark_);
            if (!step.fault.empty()) failAt(at(), 1, step.fault);
            lastKey_ = key;
            if (step.same) return sections.back();
            lastMark_ = step.next;
            next.station = step.next.station;
            next.stationPrefix = step.next.prefix;
        } else {
            const std::optional<double> n = runtime::readNumber(key);
            const int expected = int(sections.size()) + 1;
            if (!sections.empty() && n && *n == expected - 1) {
                lastKey_ = key;
                return sections.back();
            }
            if (!n || *n != expected)
                failAt(at(), 1,
                       quoted(key) +
                           "不是下一个断面的编号：断面应按 1、2、3……的顺序编号，这里应为 " +
                           std::to_string(expected));
        }
        lastKey_ = key;
        firstLines_.push_back(at());
        spacingLines_.push_back(0);
        sections.push_back(std::move(next));
        return sections.back();
    }

    void spacing(section::CutFillSection& section) {
        const double value = cellValue(cells_[4], at(), 5, "间距");
        int& line = spacingLines_.back();
        if (line != 0 && value != section.spacing)
            failAt(at(), 5,
                   quoted(cells_[4]) + "与第 " + std::to_string(line) +
                       " 行给出的间距不同，每个断面只能有一个间距");
        section.spacing = value;
        line = at();
    }

    void checkSpacings() const {
        if (stations_) return;
        const std::size_t n = survey_.sections.size();
        for (std::size_t k = 0; k + 1 < n; ++k)
            if (spacingLines_[k] == 0)
                failAt(firstLines_[k], 5,
                       "：第 " + std::to_string(k + 1) + " 号断面没有到第 " +
                           std::to_string(k + 2) + " 号断面的间距 DL");
        if (spacingLines_.back() != 0)
            failAt(spacingLines_.back(), 5,
                   "：第 " + std::to_string(n) + " 号断面是最后一个断面，后面没有断面，不应有间距");
    }

    TextLines lines_;
    LineCells cells_;
    char separator_ = ',';
    bool stations_ = false;
    std::size_t columns_ = 4;
    bool spacingColumn_ = false;
    std::size_t codeColumn_ = 0;  // the 编码 column's index, 0 for none
    std::string lastKey_;
    StationMark lastMark_;
    std::vector<int> firstLines_;    // per section
    std::vector<int> spacingLines_;  // per section: the line of its spacing, 0 for none
    section::CutFillSurvey survey_;
    DesignPart design_;
};

}  // namespace

bool isCutFillCsv(std::string_view text) {
    TextLines lines(text);
    std::string_view line;
    if (!lines.next(line, true)) return false;
    LineCells cells;
    return cells.split(line, separatorOf(line)) && headerWord(cells[1]) == "线";
}

SurveyRead readCutFillCsv(std::string_view text, int linesBefore, ReadProgress* progress) {
    try {
        CutFillReader reader(text, linesBefore, progress);
        SurveyRead read{reader.read()};
        readDesignPart(read, reader.design());
        return read;
    } catch (const LineFault& fault) {
        return {std::nullopt, fault.error};
    }
}

std::string writeSurvey(const section::CutFillSurvey& survey, const section::ProjectInfo& project) {
    using runtime::numberToText;
    const bool stations = survey.stationsEntered();
    const std::size_t n = survey.sections.size();
    std::string out = "\xEF\xBB\xBF" + projectRowsText(project, survey.volumeMethod);
    out += stations ? "桩号,线,高程H,距离S" : "断面,线,高程H,距离S,间距DL";
    // The 编码 column only for a survey whose points have codes.
    const bool codes =
        std::any_of(survey.sections.begin(), survey.sections.end(), [](const auto& s) {
            return !s.groundCodes.empty() || (!s.designGenerated && !s.designCodes.empty());
        });
    out += codes ? ",编码\r\n" : "\r\n";
    StationMark mark;
    for (std::size_t k = 0; k < n; ++k) {
        const section::CutFillSection& section = survey.sections[k];
        mark = markAfter(k > 0 ? &mark : nullptr, section.station, section.stationPrefix);
        const std::string key = stations ? stationKey(mark) : std::to_string(k + 1);
        // Without stations the spacing stands in the section's first row.
        std::string spacing = stations ? "" : ",";
        if (!stations && k + 1 < n) spacing += numberToText(section.spacing);
        bool first = true;
        const auto rows = [&](const std::vector<section::Point>& line,
                              const std::vector<std::string>& lineCodes, std::string_view name) {
            for (std::size_t j = 0; j < line.size(); ++j) {
                out += key + "," + std::string(name) + "," + numberToText(line[j].elevation) + "," +
                       numberToText(line[j].offset) +
                       (first      ? spacing
                        : stations ? ""
                                   : ",");
                if (codes) out += "," + csvCell(codeOf(lineCodes, j));
                out += "\r\n";
                first = false;
            }
        };
        rows(section.ground, section.groundCodes, kGround);
        if (!section.designGenerated) rows(section.design, section.designCodes, kDesign);
        if (first) out += key + ",,," + spacing + (codes ? ",\r\n" : "\r\n");
    }
    return out;
}

}  // namespace survey_file
