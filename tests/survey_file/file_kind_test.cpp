// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes that are no survey file: a workbook, a PDF, an archive or other binary
// is named for what it is; text, UTF-16 included, is left to the reader; a
// message quoting a cell never carries control bytes or broken UTF-8.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "read_parts.h"
#include "survey_file/survey_file.h"

namespace {

using namespace std::string_literals;

struct KindRow {
    const char* name;
    std::string bytes;
    std::string startOfReason;  // empty: may be text
};

void PrintTo(const KindRow& row, std::ostream* out) {
    *out << row.name;
}

class FileKind : public testing::TestWithParam<KindRow> {};

TEST_P(FileKind, is_named_by_its_first_bytes) {
    const std::optional<std::string> why = survey_file::whyNotText(GetParam().bytes);
    if (GetParam().startOfReason.empty()) {
        EXPECT_FALSE(why) << *why;
    } else {
        ASSERT_TRUE(why);
        EXPECT_TRUE(why->starts_with(GetParam().startOfReason)) << *why;
        EXPECT_TRUE(survey_file::isUtf8(*why));
    }
}

// A ZIP archive's first entry header and, further on, the name of a part.
std::string zipWith(const std::string& part) {
    return "PK\x03\x04\x14\x00\x06\x00\x08\x00"s + "[Content_Types].xml" + "\x8d\x92\x00\xff"s +
           "PK\x03\x04"s + part;
}

const std::string kCompound = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"s + std::string(504, '\0');

INSTANTIATE_TEST_SUITE_P(
    , FileKind,
    testing::Values(
        KindRow{
            "xlsx", zipWith("xl/workbook.xml"),
            "这是 Excel 工作簿，不是 CSV 文件：请在电子表格程序中另存为 CSV（逗号分隔）后再打开"},
        KindRow{"ods", "PK\x03\x04"s + "mimetypeapplication/vnd.oasis.opendocument.spreadsheet",
                "这是 OpenDocument 电子表格"},
        KindRow{"docx", zipWith("word/document.xml"), "这是 Word 文档"},
        KindRow{"other_zip", zipWith("readme.txt"), "这是压缩包（ZIP）"},
        KindRow{"xls", kCompound + "R\0o\0o\0t\0"s + "W\0o\0r\0k\0b\0o\0o\0k\0"s,
                "这是 Excel 工作簿，不是 CSV 文件"},
        KindRow{"doc", kCompound + "W\0o\0r\0d\0D\0o\0c\0u\0m\0e\0n\0t\0"s, "这是 Office 文档"},
        KindRow{"pdf", "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj", "这是 PDF 文件"},
        KindRow{"zero_bytes", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s, "这不是文本文件"},
        KindRow{"a_zero_far_into_text", "桩号,高程H,距离S\n" + std::string(10000, '1') + '\0',
                "这不是文本文件"},
        KindRow{"utf16_with_its_mark", "\xFF\xFE\x69\x68\x2C\x00"s, ""},
        KindRow{"utf8_text", "桩号,高程H,距离S\r\nK1+000,50,2\r\n", ""},
        KindRow{"gbk_text", "\xB6\xCF\xC3\xE6,H,S\n", ""}, KindRow{"empty", "", ""}),
    [](const testing::TestParamInfo<KindRow>& info) { return info.param.name; });

TEST(PrintableText, shows_controls_and_broken_utf8_as_replacement_characters) {
    EXPECT_EQ(survey_file::printableText("断面 K1+000，１０"), "断面 K1+000，１０");
    EXPECT_EQ(survey_file::printableText("1\x01"
                                         "5\x7F"),
              "1\uFFFD5\uFFFD");
    EXPECT_EQ(survey_file::printableText("a\tb\r\n"), "a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(survey_file::printableText("\xC2\x85x"), "\uFFFDx");  // C1 NEL
    EXPECT_EQ(survey_file::printableText("\u202E21"), "\uFFFD21");  // right-to-left override
    EXPECT_EQ(survey_file::printableText("\xB6\xCF\xC3\xE6"), "\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(survey_file::printableText("12\xE6\x96"), "12\uFFFD\uFFFD");  // cut short
}

// Random bytes in every cell of a row: whatever the fault, its message is
// well-formed UTF-8 with no control character in it.
TEST(PrintableText, no_message_about_a_cell_carries_raw_bytes) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> byte(0, 255), length(1, 12);
    auto junk = [&] {
        std::string cell;
        for (int k = length(random); k > 0; --k) {
            char c = char(byte(random));
            if (c == '\n' || c == ',' || c == '"') c = '\x01';
            cell += c;
        }
        return cell;
    };
    for (int k = 0; k < 20000; ++k) {
        const int column = k % 3;
        std::string row[3] = {"1000", "1", "2"};
        row[column] = junk();
        const survey_file::SurveyRead result = survey_file::readSurvey(
            "桩号,高程H,距离S\n" + row[0] + "," + row[1] + "," + row[2] + "\n");
        if (closedOf(result)) continue;
        const std::string& message = result.error.message;
        ASSERT_TRUE(survey_file::isUtf8(message)) << message;
        ASSERT_EQ(survey_file::printableText(message), message) << message;
    }
}

}  // namespace

namespace {

// Only where the rest is UTF-8 is a line named: a file in GBK throughout
// reads as GBK, one line of UTF-8 by chance among GBK lines too.
TEST(LineInAnotherEncoding, is_named_only_in_a_file_that_is_otherwise_utf8) {
    const std::string gbk = "\xB6\xCF\xC3\xE6";  // 断面
    const struct {
        const char* name;
        std::string bytes;
        int line;  // 0: nothing to name
        const char* words;
    } rows[] = {
        {"one GBK line among UTF-8", "桩号,H,S\n1000,1,0\n" + gbk + ",1,0\n", 3, "像是 GBK 编码"},
        {"marked UTF-8, a broken line",
         "\xEF\xBB\xBF"
         "a\n\xFF\xFF\n",
         2, "不是有效的 UTF-8"},
        {"GBK throughout", gbk + ",H,S\n" + gbk + ",1,0\n", 0, ""},
        {"GBK with one line that is UTF-8 by chance", gbk + "\n" + gbk + "\n\xC4\x80\n", 0, ""},
        {"UTF-16",
         "\xFF\xFE"
         "a\0\xB6\0"s,
         0, ""},
    };
    for (const auto& row : rows) {
        const std::optional<survey_file::FileError> found =
            survey_file::lineInAnotherEncoding(row.bytes);
        EXPECT_EQ(found ? found->line : 0, row.line) << row.name;
        if (found) {
            EXPECT_NE(found->message.find(row.words), std::string::npos) << found->message;
        }
    }
}

TEST(LoneCarriageReturn, names_the_first_line_it_ends) {
    const struct {
        std::string text;
        int line;  // 0: every line ends in CRLF or LF
    } rows[] = {
        {"a\rb\r", 1}, {"a\r\nb\rc\r\n", 2}, {"a\r\nb\r\n", 0}, {"a\nb\n", 0}, {"a\nb\r", 0},
    };
    for (const auto& row : rows) {
        const std::optional<survey_file::FileError> found =
            survey_file::loneCarriageReturn(row.text);
        EXPECT_EQ(found ? found->line : 0, row.line) << row.text;
    }
}

// The search runs in blocks: a lone CR anywhere in a long CRLF text, at each
// place around their ends, is found on its own line; a final CR is no fault.
TEST(LoneCarriageReturn, is_found_at_every_place_of_a_long_text) {
    std::string crlf;
    for (int k = 0; k < 30; ++k) crlf += std::string(k % 7, 'x') + "1,2\r\n";
    for (std::size_t at = 0; at < crlf.size(); ++at) {
        if (crlf[at] == '\r' || crlf[at] == '\n') continue;
        std::string text = crlf;
        text[at] = '\r';
        const int line = 1 + int(std::count(crlf.begin(), crlf.begin() + std::ptrdiff_t(at), '\n'));
        const std::optional<survey_file::FileError> found = survey_file::loneCarriageReturn(text);
        EXPECT_EQ(found ? found->line : 0, line) << at;
    }
    EXPECT_FALSE(survey_file::loneCarriageReturn(crlf));
    EXPECT_FALSE(survey_file::loneCarriageReturn(crlf + "1,2\r"));
}

}  // namespace
