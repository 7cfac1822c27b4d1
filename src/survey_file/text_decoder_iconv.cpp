// SPDX-License-Identifier: GPL-3.0-or-later
#include <iconv.h>

#include <cerrno>

#include "survey_file/text_decoder.h"

namespace survey_file {

namespace {

const char* iconvName(Charset charset) {
    switch (charset) {
        case Charset::Utf16Le:
            return "UTF-16LE";
        case Charset::Utf16Be:
            return "UTF-16BE";
        case Charset::Latin1:
            return "ISO-8859-1";
        case Charset::Windows1252:
            return "CP1252";
        case Charset::Ascii:
            return "ASCII";
        case Charset::Gb18030:
            return "GB18030";  // covers GBK and GB2312
        case Charset::Big5:
            return "CP950";  // Big5 as Windows writes it
        default:
            return "UTF-8";
    }
}

}  // namespace

std::optional<std::string> decodeText(std::string_view bytes, Charset charset) {
    const iconv_t converter = iconv_open("UTF-8", iconvName(charset));
    if (converter == iconv_t(-1)) return std::nullopt;
    std::string out(bytes.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size(), used = 0;
    bool whole = true;
    while (inLeft > 0) {
        char* to = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t done = iconv(converter, &in, &inLeft, &to, &outLeft);
        used = std::size_t(to - out.data());
        if (done != std::size_t(-1)) break;
        if (errno != E2BIG) {
            whole = false;  // an invalid or an unfinished sequence
            break;
        }
        out.resize(out.size() * 2);
    }
    iconv_close(converter);
    if (!whole) return std::nullopt;
    out.resize(used);
    return out;
}

}  // namespace survey_file
