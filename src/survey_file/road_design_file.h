// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The road design file (docs/road-design.md): one CSV that a spreadsheet
// opens, read by the survey file's rules (encodings, separators, quoting,
// comments, numbers), holding the design's tables, each under a title row
// whose first cell names it in brackets, then its header, then its rows:
//
//     [纵断面]                     [边坡]
//     桩号,高程,竖曲线半径          侧,类型,坡率,高度,平台宽,平台横坡
//     K0+000,100.000,              左,填,1.5,8,2,-3
//     K0+300,106.000,3000          左,填,1.75,,,
//
// A survey file may carry its design: the tables follow its rows.

#include <optional>
#include <string>
#include <string_view>

#include "section/road_design.h"
#include "survey_file/design_lines.h"
#include "survey_file/file_format.h"
#include "survey_file/survey_file.h"

namespace survey_file {

// "[纵断面]", "[路幅]", "[边坡]", "[边沟]", "[断链]", "[土石分类]", "[换算系数]",
// "[构造物]", "[运距]".
std::string_view tableTitle(section::DesignTable table);
// The titles as a message lists them: "[纵断面]、[路幅]、… 或 [运距]".
std::string titleList();
// The table a cell names as its title (blanks and full-width brackets
// allowed), or nothing.
std::optional<section::DesignTable> tableOfTitle(std::string_view cell);

struct RoadDesignRead {
    std::optional<section::RoadDesign> design{};  // empty when the text has a fault
    FileError error{};
    DesignLines lines{};
};

// The tables in UTF-8 `text` (a byte-order mark allowed), which follows
// `linesBefore` lines already read, so that messages name the real line.
// `separator` is that of the lines before (0: told by the tables' rows).
RoadDesignRead readRoadDesign(std::string_view text, int linesBefore = 0, char separator = 0);

// The part of a survey file after its rows, from the first table's title on.
struct DesignPart {
    std::string_view text{};
    int linesBefore = 0;
    char separator = 0;
};
// Sets the design `part` holds on the survey read, or makes its fault the
// reading's; nothing when its text is empty.
void readDesignPart(SurveyRead& read, const DesignPart& part);

// A road design file's bytes in any encoding the survey files may have.
RoadDesignRead readRoadDesignFile(std::string_view bytes, const ToUtf8& toUtf8);

// The file: UTF-8 with a byte-order mark, CRLF line ends, the tables in the
// order 纵断面, 路幅, 边坡, 边沟, 断链, 土石分类, 换算系数, 构造物, 运距, each
// only when it has rows (换算系数 and 运距 only when given); stations
// in plain metres and every number in its shortest form, so that it reads
// back exactly.
std::string writeRoadDesign(const section::RoadDesign& design);
// The same tables without the byte-order mark, to follow a survey's rows.
std::string roadDesignTables(const section::RoadDesign& design);

// A fault the design's checks found, as the file's messages say it: "第 12
// 行第 3 列（[路幅] 的“宽度”）：…", the row's line taken from `lines`.
std::string designFaultText(const section::DesignFault& fault, const DesignLines& lines);

}  // namespace survey_file
