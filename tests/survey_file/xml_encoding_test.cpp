// SPDX-License-Identifier: GPL-3.0-or-later
// XML bytes decoded as their mark, their zero bytes or their declaration
// says; an encoding we do not read is named, a byte outside the encoding
// names its line.

#include "survey_file/xml_encoding.h"

#include <gtest/gtest.h>

namespace survey_file {
namespace {

// A document with `content` on its second line.
std::string declared(const std::string& encoding, const std::string& content) {
    return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\n<LandXML name=\"" + content +
           "\"/>";
}

// ASCII text as UTF-16, big-endian or little-endian.
std::string utf16(std::string_view ascii, bool bigEndian) {
    std::string out;
    for (char c : ascii) out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

TEST(XmlEncoding, bytes_decode_as_the_file_says_or_are_refused_naming_the_encoding_or_line) {
    const struct {
        const char* name;
        std::string bytes;
        std::string text;   // a part of the decoded text
        std::string fault;  // how the fault starts, empty when none
    } rows[] = {
        {"Windows-1252",
         declared("windows-1252",
                  "Stra\xDF"
                  "e \x80"),
         "Straße €", ""},
        {"Big5 as Windows writes it", declared("Big5", "\xB4\xFA\xB6\x71"), "測量", ""},
        {"GB2312 read as GBK", declared("gb2312", "\xB6\xCF\xC3\xE6"), "断面", ""},
        {"single bytes that declare UTF-16 are UTF-8", declared("utf-16", "断面"), "断面", ""},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + declared("ISO-8859-1", "Ö"), "\"Ö\"", ""},
        {"UTF-16 without a mark, big-endian", utf16(declared("UTF-16", "x"), true), "\"x\"", ""},
        {"UTF-16 without a mark, little-endian", utf16("<LandXML/>", false), "<LandXML/>", ""},
        {"an encoding we do not read", declared("Shift_JIS", "x"), "",
         "LandXML 文件声明的编码“Shift_JIS”本程序读不了"},
        {"a byte that is none in the declared encoding", declared("windows-1252", "\x81"), "",
         "第 2 行有不是 windows-1252 编码的字节（文件声明的编码）"},
        {"Latin-1 bytes without a declaration", "<LandXML>\n\n\xD6PNV</LandXML>", "",
         "第 3 行有不是 UTF-8 编码的字节（文件没有声明编码，XML 默认为 UTF-8）"},
        {"UTF-16 cut short", "\xFF\xFE" + utf16("<LandXML>\n", false) + "x", "",
         "第 2 行有不是 UTF-16 编码的字节（由文件开头的字节判断）"},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(looksLikeXml(row.bytes)) << row.name;
        const XmlText read = xmlAsUtf8(row.bytes);
        EXPECT_EQ(read.fault.has_value(), !row.fault.empty()) << row.name;
        if (read.fault) {
            EXPECT_TRUE(read.fault->message.starts_with(row.fault))
                << row.name << ": " << read.fault->message;
            EXPECT_NE(read.fault->message.find("另存为 UTF-8"), std::string::npos) << row.name;
        } else {
            EXPECT_NE(read.utf8.find(row.text), std::string::npos) << row.name << ": " << read.utf8;
        }
    }
    EXPECT_FALSE(looksLikeXml(utf16("桩号", false)));
    EXPECT_FALSE(looksLikeXml("\xFF\xFE"));
}

}  // namespace
}  // namespace survey_file
