// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes of an XML file as UTF-8 text, decoded as the file says: a
// byte-order mark or UTF-16's zero bytes first, else the declaration's
// encoding ("<?xml version="1.0" encoding="ISO-8859-1"?>"), else UTF-8, the
// XML default. Read: UTF-8, UTF-16 (LE, BE), ISO-8859-1, Windows-1252, ASCII,
// GBK / GB2312 / GB18030 and Big5; any other encoding is refused by name.

#include <optional>
#include <string>
#include <string_view>

#include "survey_file/survey_file.h"

namespace survey_file {

// The document as UTF-8 without a byte-order mark, or why it cannot be: an
// encoding we do not read, or a byte that is none in its encoding (its line
// named).
struct XmlText {
    std::string utf8;
    std::optional<FileError> fault;
};
XmlText xmlAsUtf8(std::string_view bytes);

// Whether the bytes look like an XML document in any encoding we read (after
// a byte-order mark and blanks, a "<?xml" declaration or a "<LandXML"
// element).
bool looksLikeXml(std::string_view bytes);

}  // namespace survey_file
