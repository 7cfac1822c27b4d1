// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of a file a spreadsheet wrote, whatever its encoding.

#include <optional>
#include <string>
#include <string_view>

namespace storage {

// Text that is not UTF-8 as UTF-8, by the encoding its byte-order mark names
// (broken UTF-8 read as GB18030 would be quoted back as nonsense), else as
// GB18030, which covers GBK and GB2312. Nothing when the bytes are no text
// in that encoding.
std::optional<std::string> toUtf8(std::string_view bytes);

}  // namespace storage
