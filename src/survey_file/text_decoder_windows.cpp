// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include "survey_file/text_decoder.h"

namespace survey_file {

namespace {

UINT codePage(Charset charset) {
    switch (charset) {
        case Charset::Latin1:
            return 28591;
        case Charset::Windows1252:
            return 1252;
        case Charset::Ascii:
            return 20127;
        case Charset::Gb18030:
            return 54936;  // covers GBK and GB2312
        case Charset::Big5:
            return 950;
        default:
            return CP_UTF8;
    }
}

// UTF-16 needs no code page: its units are the wide characters.
std::optional<std::wstring> wideText(std::string_view bytes, Charset charset) {
    std::wstring wide;
    if (charset == Charset::Utf16Le || charset == Charset::Utf16Be) {
        if (bytes.size() % 2 != 0) return std::nullopt;
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
        const std::size_t high = charset == Charset::Utf16Be ? 0 : 1;
        for (std::size_t k = 0; k < bytes.size(); k += 2)
            wide.push_back(wchar_t(p[k + high] << 8 | p[k + 1 - high]));
        return wide;
    }
    const UINT page = codePage(charset);
    const DWORD flags = page == 28591 || page == 1252 ? 0 : MB_ERR_INVALID_CHARS;
    const int size = MultiByteToWideChar(page, flags, bytes.data(), int(bytes.size()), nullptr, 0);
    if (size == 0) return std::nullopt;
    wide.resize(std::size_t(size));
    MultiByteToWideChar(page, flags, bytes.data(), int(bytes.size()), wide.data(), size);
    return wide;
}

}  // namespace

std::optional<std::string> decodeText(std::string_view bytes, Charset charset) {
    if (bytes.empty()) return std::string();
    const std::optional<std::wstring> wide = wideText(bytes, charset);
    if (!wide) return std::nullopt;
    const int size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide->data(),
                                         int(wide->size()), nullptr, 0, nullptr, nullptr);
    if (size == 0) return std::nullopt;  // a lone surrogate
    std::string out(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide->data(), int(wide->size()), out.data(),
                        size, nullptr, nullptr);
    return out;
}

}  // namespace survey_file
