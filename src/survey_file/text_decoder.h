// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bytes in one of the encodings the XML reader reads, as UTF-8: by the
// system's own converters (iconv on POSIX systems, the code pages of
// Windows), whose tables for GB18030 and Big5 we need not carry.

#include <optional>
#include <string>
#include <string_view>

namespace survey_file {

enum class Charset { Utf8, Utf16Le, Utf16Be, Latin1, Windows1252, Ascii, Gb18030, Big5 };

// Nothing when a byte or a sequence is none in `charset`, or the system
// cannot convert from it.
std::optional<std::string> decodeText(std::string_view bytes, Charset charset);

}  // namespace survey_file
