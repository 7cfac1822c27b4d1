// SPDX-License-Identifier: GPL-3.0-or-later
// Files that are not text at all, told by their first bytes: a workbook, a
// PDF, anything else binary. Opening one names what it is instead of quoting
// its bytes as a bad cell.

#include <cstring>

#include "survey_file/survey_file.h"

namespace survey_file {

namespace {

using namespace std::string_view_literals;

constexpr std::string_view kZip = "PK\x03\x04"sv;
constexpr std::string_view kEmptyZip = "PK\x05\x06"sv;
constexpr std::string_view kCompoundDocument = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"sv;
constexpr std::string_view kPdf = "%PDF-"sv;
constexpr std::string_view kSaveAsCsv = "请在电子表格程序中另存为 CSV（逗号分隔）后再打开";

bool holds(std::string_view bytes, std::string_view part) {
    return bytes.find(part) != std::string_view::npos;
}

// Office Open XML and OpenDocument files are ZIP archives; the names of
// their parts tell which program wrote them.
std::string zipKind(std::string_view bytes) {
    if (holds(bytes, "xl/workbook"))
        return "这是 Excel 工作簿，不是 CSV 文件：" + std::string(kSaveAsCsv);
    if (holds(bytes, "opendocument.spreadsheet"))
        return "这是 OpenDocument 电子表格，不是 CSV 文件：" + std::string(kSaveAsCsv);
    if (holds(bytes, "word/document"))
        return "这是 Word 文档，不是 CSV 文件：请把测量数据复制到电子表格程序中，"
               "另存为 CSV（逗号分隔）后再打开";
    return "这是压缩包（ZIP），不是 CSV 文件：请先解压，再打开其中的测量数据文件";
}

// Excel 97-2003 keeps its sheets in a stream named "Workbook" (or "Book"
// before Excel 97), written in UTF-16 in the compound document's directory.
std::string compoundDocumentKind(std::string_view bytes) {
    if (holds(bytes, "W\0o\0r\0k\0b\0o\0o\0k\0"sv) || holds(bytes, "B\0o\0o\0k\0\0\0"sv))
        return "这是 Excel 工作簿，不是 CSV 文件：" + std::string(kSaveAsCsv);
    return "这是 Office 文档，不是 CSV 文件：请在原来的程序中另存为 CSV（逗号分隔）后再打开";
}

}  // namespace

std::optional<std::string> whyNotText(std::string_view bytes) {
    if (bytes.starts_with(kZip) || bytes.starts_with(kEmptyZip)) return zipKind(bytes);
    if (bytes.starts_with(kCompoundDocument)) return compoundDocumentKind(bytes);
    if (bytes.starts_with(kPdf))
        return "这是 PDF 文件，不是 CSV 文件：PDF 中的数据无法读入，请打开保存测量数据的 CSV 文件";
    // UTF-16 text is full of zero bytes; its byte-order mark says so.
    if (bytes.starts_with("\xFF\xFE"sv) || bytes.starts_with("\xFE\xFF"sv)) return std::nullopt;
    if (std::memchr(bytes.data(), 0, bytes.size())) return std::string(kNotText);
    return std::nullopt;
}

}  // namespace survey_file
