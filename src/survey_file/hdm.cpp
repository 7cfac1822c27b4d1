// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/hdm.h"

#include <charconv>
#include <cmath>

#include "runtime/number_format.h"
#include "section/station.h"
#include "survey_file/text_lines.h"

namespace survey_file {

namespace {

bool startsWithWord(std::string_view line, std::string_view word) {
    if (line.size() < word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k) {
        const char c = line[k];
        if ((c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c) != word[k]) return false;
    }
    return true;
}

bool isWord(std::string_view line, std::string_view word) {
    return line.size() == word.size() && startsWithWord(line, word);
}

class HdmReader {
  public:
    HdmReader(std::string_view text, ReadProgress* progress) : lines_(text, 0, progress) {
        survey_.stationAnswer = "y";
    }

    section::CutFillSurvey read() {
        std::string_view line;
        while (lines_.next(line, false)) {
            if (!cells_.split(line, ','))
                failAt(lines_.number(), 0, "：这一行的数据太多，应为“偏距,高程”或“偏距,高程,编码”");
            const std::string_view first = cells_[0];
            if (isWord(first, "BEGIN")) {
                begin();
            } else if (isWord(first, "NEXT")) {
                next();
            } else {
                point();
            }
        }
        if (survey_.sections.empty())
            throw LineFault{{0, 0, "文件中没有断面：里程文件的每个断面以“BEGIN,桩号”一行开始"}};
        return std::move(survey_);
    }

  private:
    void nothingBeyond(std::size_t cells) const {
        for (std::size_t k = cells; k < cells_.size(); ++k)
            if (!cells_[k].empty())
                failAt(lines_.number(), int(k) + 1, quoted(cells_[k]) + "是多余的数据");
    }

    void begin() {
        nothingBeyond(2);
        std::string_view station = cells_[1];
        if (const std::size_t colon = station.find(':'); colon != std::string_view::npos) {
            const std::string_view sequence = trimBlanks(station.substr(colon + 1));
            int number = 0;
            const auto [end, error] =
                std::from_chars(sequence.data(), sequence.data() + sequence.size(), number);
            if (sequence.empty() || error != std::errc() ||
                end != sequence.data() + sequence.size())
                failAt(lines_.number(), 2, quoted(sequence) + "不是有效的断面序号，应为整数");
            station = trimBlanks(station.substr(0, colon));
        }
        section::CutFillSection section;
        section.station = stationValue(station, lines_.number(), 2, &section.stationPrefix);
        survey_.sections.push_back(std::move(section));
        nextLine_ = 0;
    }

    void next() {
        nothingBeyond(1);
        if (survey_.sections.empty())
            failAt(lines_.number(), 0, "：“NEXT”前面没有“BEGIN,桩号”一行");
        if (nextLine_ != 0)
            failAt(lines_.number(), 0,
                   "：这个断面在第 " + std::to_string(nextLine_) +
                       " 行已经有“NEXT”了，每个断面只有地面线和设计线两条线");
        nextLine_ = lines_.number();
    }

    void point() {
        if (survey_.sections.empty())
            failAt(lines_.number(), 0,
                   quoted(cells_[0]) + "前面没有“BEGIN,桩号”一行：每个断面以它开始");
        nothingBeyond(3);
        const double offset = cellValue(cells_[0], lines_.number(), 1, "偏距");
        const double elevation = cellValue(cells_[1], lines_.number(), 2, "高程");
        section::CutFillSection& section = survey_.sections.back();
        std::vector<section::Point>& line = nextLine_ ? section.design : section.ground;
        // Negative to the left here, positive to the left in the record.
        line.push_back({elevation, 0.0 - offset});
        keepCode(nextLine_ ? section.designCodes : section.groundCodes, line.size(), cells_[2]);
    }

    TextLines lines_;
    LineCells cells_;
    section::CutFillSurvey survey_;
    int nextLine_ = 0;  // the line of the current section's NEXT
};

}  // namespace

bool looksLikeHdm(std::string_view text) {
    TextLines lines(text);
    std::string_view line;
    return lines.next(line, false) && startsWithWord(line, "BEGIN");
}

SurveyRead readHdm(std::string_view text, ReadProgress* progress) {
    try {
        return {HdmReader(text, progress).read(), {}, {}, Format::Hdm};
    } catch (const LineFault& fault) {
        return {std::nullopt, fault.error, {}, Format::Hdm};
    }
}

std::optional<std::string> whyNoHdm(const section::CutFillSurvey& survey) {
    if (survey.stationsEntered()) return std::nullopt;
    return "里程文件按桩号记录断面，这个测量数据没有输入桩号：请保存为 CSV 文件";
}

namespace {

// Whether three decimals write `value` so that it reads back the same.
bool keptToTheMillimetre(double value) {
    return std::nearbyint(value * 1000.0) / 1000.0 == value;
}

bool allKeptToTheMillimetre(const section::CutFillSurvey& survey) {
    for (const section::CutFillSection& section : survey.sections) {
        if (!keptToTheMillimetre(section.station)) return false;
        for (const auto* line : {&section.ground, &section.design}) {
            for (const section::Point& p : *line)
                if (!keptToTheMillimetre(p.offset) || !keptToTheMillimetre(p.elevation))
                    return false;
        }
    }
    return true;
}

}  // namespace

std::vector<std::string> whatHdmLeavesOut(const section::CutFillSurvey& survey,
                                          const section::ProjectInfo& project) {
    std::vector<std::string> left;
    if (!project.empty()) left.push_back("工程信息（工程名称、路段、计算、复核、日期）");
    if (!allKeptToTheMillimetre(survey))
        left.push_back("多于三位的小数（里程文件只记到毫米，将四舍五入为三位小数）");
    if (survey.volumeMethod != section::VolumeMethod::AverageEndArea)
        left.push_back("体积计算方法（" + section::methodName(survey.volumeMethod) +
                       "；重新打开时按平均断面法计算）");
    return left;
}

std::string writeHdm(const section::CutFillSurvey& survey) {
    using runtime::formatFixed3;
    std::string out;
    out.reserve(survey.sections.size() * 64);
    int sequence = 0;
    const auto points = [&](const std::vector<section::Point>& line,
                            const std::vector<std::string>& codes) {
        for (std::size_t k = 0; k < line.size(); ++k) {
            out += formatFixed3(0.0 - line[k].offset) + "," + formatFixed3(line[k].elevation);
            if (const std::string_view code = codeOf(codes, k); !code.empty())
                out += "," + csvCell(code);
            out += "\r\n";
        }
    };
    for (const section::CutFillSection& section : survey.sections) {
        // Metres as ever for the usual K; other letters only notation keeps.
        const std::string station =
            section.stationPrefix.empty()
                ? formatFixed3(section.station)
                : section::stationText(section.station, section.stationPrefix);
        out += "BEGIN," + station + ":" + std::to_string(++sequence) + "\r\n";
        points(section.ground, section.groundCodes);
        if (!section.design.empty()) {
            out += "NEXT\r\n";
            points(section.design, section.designCodes);
        }
    }
    return out;
}

}  // namespace survey_file
