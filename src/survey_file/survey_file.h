// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Survey files: the survey of a road's cross-sections as a CSV that a
// spreadsheet opens and writes, one row per point (docs/survey-file.md).
//
//     桩号,高程H,距离S              断面,高程H,距离S,间距DL
//     K1+000.000,50,2               1,10,0,20
//     K1+000.000,51,0               1,10,4,
//     1020.5,52,0                   2,8,0,
//
// The survey's road design, when it has one, follows the rows as the tables
// of the road design file (road_design_file.h).
//
// Reading takes UTF-8 text; the window turns other encodings into it first.
// Plain C++: the survey, its numbers and the messages, nothing of the window.

#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "section/any_survey.h"
#include "section/project_info.h"
#include "survey_file/design_lines.h"
#include "survey_file/landxml_choice.h"

namespace survey_file {

// Where a file goes wrong and what is wrong, as one Chinese message naming
// the line, the column and the cell as written:
// "第 12 行第 3 列“1O.5”不是有效的高程".
struct FileError {
    int line = 0;    // 1-based; 0 when the fault is the file as a whole
    int column = 0;  // 1-based; 0 when the fault is a whole line
    std::string message;
};

// What a file was read as. NoText: bytes that are no text in any encoding
// we read (a workbook, a PDF, binary data).
enum class Format { SurveyCsv, Hdm, LandXml, NoText };

// What every reader gives: the survey as the file holds it, nothing computed
// yet (a LandXML cut-and-fill survey with the areas and volumes the file
// states), or the fault.
struct SurveyRead {
    std::optional<section::Survey> survey{};  // empty when the file has a fault
    FileError error{};
    // The rows of 工程信息 above the header (a LandXML Project); empty when
    // the file has none.
    section::ProjectInfo project{};
    Format format = Format::SurveyCsv;  // what the text was read as
    // The lines of the road design's rows when the file carries one.
    DesignLines designLines{};
    // A LandXML file's alignments and surfaces, what of them was read, and
    // what it held beyond the survey (kept even when the choice is refused).
    std::optional<LandXmlRead> landXml{};
    // What the reading changed that the user should be told, one sentence
    // each: "文件以英尺为单位，已换算为米（…）"; and the same for the calculation
    // sheet, a short line each: "测量数据由英尺换算为米（1 英尺 = 0.3048 米）".
    std::vector<std::string> notes{};
    std::vector<std::string> sheetNotes{};
};

// How far a reading has got, in thousandths of the text (kReadDone for all
// of it): a reader given one stores into it now and then as it goes, for a
// progress bar on another thread.
using ReadProgress = std::atomic<int>;
inline constexpr int kReadDone = 1000;
// Line readers tell it every 16,384 lines (a mask of the line number).
inline constexpr int kProgressLines = 0x3FFF;

inline void tellProgress(ReadProgress* progress, std::size_t done, std::size_t total) {
    if (progress && total > 0)
        progress->store(int(done * kReadDone / total), std::memory_order_relaxed);
}

// Reads a survey file's text, UTF-8 with or without a byte-order mark:
// either kind, told by its header. A row whose first cell is a road design
// table's title ("[纵断面]") ends the survey's rows: the rest is its road
// design (docs/road-design.md).
SurveyRead readSurvey(std::string_view text, ReadProgress* progress = nullptr);

// The cut-and-fill CSV: a 线 column (地面线 / 设计线) after the key column.
bool isCutFillCsv(std::string_view text);
// `linesBefore`: the lines above `text` already read (the rows of 工程信息).
SurveyRead readCutFillCsv(std::string_view text, int linesBefore = 0,
                          ReadProgress* progress = nullptr);
// A section's design line generated from the road design is left out: it
// comes back from the design (writeSurvey of the Survey writes it after the
// rows).
std::string writeSurvey(const section::CutFillSurvey& survey,
                        const section::ProjectInfo& project = {});

// The file of a survey: UTF-8 with a byte-order mark, CRLF line ends, a
// Chinese header, every number in the shortest form that reads back to the
// same value, as it was typed (stations in plain metres); the rows of
// 工程信息 above the header when `project` is not empty.
std::string writeSurvey(const section::SectionSurvey& survey,
                        const section::ProjectInfo& project = {});
// Either kind, its road design's tables after the rows when it has one.
std::string writeSurvey(const section::Survey& survey, const section::ProjectInfo& project = {});

// The results of a calculated survey of either kind as CSV, one row per
// section (see section::resultTable): UTF-8 with LF for a terminal; with a
// byte-order mark and CRLF for a spreadsheet.
enum class CsvFor { Terminal, Spreadsheet };
std::string resultsCsv(const section::Survey& survey, CsvFor reader = CsvFor::Terminal);

// True when the bytes are well-formed UTF-8.
bool isUtf8(std::string_view bytes);

// For bytes that are not UTF-8 as a whole: the first line that breaks it when
// the rest is UTF-8 (a byte-order mark says so, or lines with UTF-8 characters
// are at least as many as the broken ones), naming GBK when the line reads as
// GBK. Nothing when the file is in another encoding throughout.
std::optional<FileError> lineInAnotherEncoding(std::string_view bytes);

// The first line ended by a carriage return alone (CR, as old Mac text has
// it): such lines would run together. Nothing when every line ends in CRLF
// or LF.
std::optional<FileError> loneCarriageReturn(std::string_view text);

// The text with every control character and every byte that is not part of
// well-formed UTF-8 shown as U+FFFD, so that a message quoting a cell shows
// no raw bytes.
std::string printableText(std::string_view text);

// The first control character of well-formed UTF-8 `text` (printableText's
// sense: C0, C1, DEL and the invisible format marks) that is not one of the
// ASCII `allowed`, as its code point: "U+0007". Nothing when there is none.
std::optional<std::string> controlCharacterIn(std::string_view text, std::string_view allowed = {});

// Why bytes are no survey file at all, naming what they are (an Excel
// workbook, a PDF, a ZIP archive, binary data) and a way on; nothing when
// they may be text. Decoding tells the rest (kNotText when it fails).
std::optional<std::string> whyNotText(std::string_view bytes);

inline constexpr std::string_view kNotText =
    "这不是文本文件：测量数据文件应为 CSV 或制表符分隔的文本（UTF-8 或 GBK 编码），"
    "可以在电子表格程序中另存为 CSV（逗号分隔）后再打开";

}  // namespace survey_file
