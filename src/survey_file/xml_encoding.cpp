// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/xml_encoding.h"

#include <algorithm>
#include <cctype>

#include "survey_file/text_decoder.h"

namespace survey_file {

namespace {

// The names a declaration may give each encoding we read, in capitals. A file
// of single bytes that declares UTF-16 is read as UTF-8: programs that write
// through a string of their own declare the string's encoding, not the
// file's.
const std::pair<std::string_view, Charset> kNames[] = {
    {"UTF-8", Charset::Utf8},
    {"UTF8", Charset::Utf8},
    {"UTF-16", Charset::Utf8},
    {"UTF-16LE", Charset::Utf8},
    {"UTF-16BE", Charset::Utf8},
    {"UCS-2", Charset::Utf8},
    {"ISO-8859-1", Charset::Latin1},
    {"ISO8859-1", Charset::Latin1},
    {"ISO_8859-1", Charset::Latin1},
    {"LATIN1", Charset::Latin1},
    {"LATIN-1", Charset::Latin1},
    {"L1", Charset::Latin1},
    {"WINDOWS-1252", Charset::Windows1252},
    {"CP1252", Charset::Windows1252},
    {"US-ASCII", Charset::Ascii},
    {"ASCII", Charset::Ascii},
    {"GBK", Charset::Gb18030},
    {"GB2312", Charset::Gb18030},
    {"GB18030", Charset::Gb18030},
    {"CP936", Charset::Gb18030},
    {"EUC-CN", Charset::Gb18030},
    {"X-GBK", Charset::Gb18030},
    {"BIG5", Charset::Big5},
    {"BIG-5", Charset::Big5},
    {"CP950", Charset::Big5},
    {"BIG5-HKSCS", Charset::Big5},
};

constexpr std::string_view kWayOn =
    "请在原来的程序中导出为 UTF-8 编码，或在文本编辑器中把文件另存为 UTF-8 编码后再打开";

// How the bytes are laid out, told by their first bytes alone.
struct Layout {
    Charset charset = Charset::Utf8;
    std::size_t mark = 0;  // bytes of the byte-order mark
    bool told = false;     // by a mark or by UTF-16's zero bytes: no declaration asked
};

Layout layoutOf(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return {Charset::Utf8, 3, true};
    if (bytes.starts_with("\xFF\xFE")) return {Charset::Utf16Le, 2, true};
    if (bytes.starts_with("\xFE\xFF")) return {Charset::Utf16Be, 2, true};
    // Without a mark, the first character ("<" or a blank) has a zero byte.
    if (bytes.size() >= 2 && bytes[0] != 0 && bytes[1] == 0) return {Charset::Utf16Le, 0, true};
    if (bytes.size() >= 2 && bytes[0] == 0 && bytes[1] != 0) return {Charset::Utf16Be, 0, true};
    return {};
}

bool isUtf16(Charset charset) {
    return charset == Charset::Utf16Le || charset == Charset::Utf16Be;
}

// The first characters while they are ASCII, whatever the layout: enough to
// see the declaration.
std::string asciiHead(std::string_view bytes, const Layout& layout) {
    bytes.remove_prefix(layout.mark);
    const std::size_t step = isUtf16(layout.charset) ? 2 : 1;
    const std::size_t low = layout.charset == Charset::Utf16Be ? 1 : 0;
    std::string head;
    for (std::size_t k = 0; k + step <= bytes.size() && head.size() < 256; k += step) {
        const unsigned char c = static_cast<unsigned char>(bytes[k + low]);
        if (c >= 0x80 || (step == 2 && bytes[k + 1 - low] != 0)) break;
        head += char(c);
    }
    return head;
}

// The declaration's encoding="..." as written; nothing without one.
std::optional<std::string> declaredEncoding(std::string_view head) {
    const std::size_t start = head.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || head.substr(start, 5) != "<?xml") return std::nullopt;
    const std::string_view declaration = head.substr(start, head.find("?>") - start);
    const std::size_t name = declaration.find("encoding");
    if (name == std::string_view::npos) return std::nullopt;
    const std::size_t quote = declaration.find_first_of("\"'", name);
    if (quote == std::string_view::npos) return std::nullopt;
    const std::size_t end = declaration.find(declaration[quote], quote + 1);
    if (end == std::string_view::npos) return std::nullopt;
    return std::string(declaration.substr(quote + 1, end - quote - 1));
}

std::optional<Charset> charsetNamed(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    for (const auto& [known, charset] : kNames)
        if (known == name) return charset;
    return std::nullopt;
}

// The 1-based line of the first line that does not decode: lines end in a
// line feed, one unit of the encoding, which no multi-byte character holds.
int brokenLine(std::string_view bytes, Charset charset) {
    const std::size_t step = isUtf16(charset) ? 2 : 1;
    const std::string_view feed = charset == Charset::Utf16Le   ? std::string_view("\n\0", 2)
                                  : charset == Charset::Utf16Be ? std::string_view("\0\n", 2)
                                                                : std::string_view("\n");
    int line = 1;
    for (std::size_t at = 0;; ++line) {
        std::size_t end = at;
        while (end + step <= bytes.size() && bytes.substr(end, step) != feed) end += step;
        if (!decodeText(bytes.substr(at, end - at), charset) || end + step > bytes.size())
            return line;
        at = end + step;
    }
}

FileError fault(int line, std::string message) {
    return {line, 0, (line > 0 ? "第 " + std::to_string(line) + " 行" : std::string()) + message};
}

}  // namespace

XmlText xmlAsUtf8(std::string_view bytes) {
    const Layout layout = layoutOf(bytes);
    Charset charset = layout.charset;
    std::string name = isUtf16(charset) ? "UTF-16" : "UTF-8";
    std::string why = layout.told ? "由文件开头的字节判断" : "文件没有声明编码，XML 默认为 UTF-8";
    if (!layout.told) {
        if (const std::optional<std::string> declared =
                declaredEncoding(asciiHead(bytes, layout))) {
            name = printableText(*declared);
            const std::optional<Charset> known = charsetNamed(*declared);
            if (!known)
                return {{},
                        fault(0, "LandXML 文件声明的编码“" + name +
                                     "”本程序读不了（可读 UTF-8、UTF-16、ISO-8859-1、"
                                     "Windows-1252、GBK、GB18030、Big5）：" +
                                     std::string(kWayOn))};
            charset = *known;
            why = "文件声明的编码";
        }
    }
    const std::string_view body = bytes.substr(layout.mark);
    // Most files are UTF-8: checked faster than converted.
    if (charset == Charset::Utf8 && isUtf8(body)) return {std::string(body), {}};
    if (std::optional<std::string> text = decodeText(body, charset)) return {std::move(*text), {}};
    return {
        {},
        fault(brokenLine(body, charset), "有不是 " + name + " 编码的字节（" + why +
                                             "），文件可能不是这个编码：" + std::string(kWayOn))};
}

bool looksLikeXml(std::string_view bytes) {
    const std::string head = asciiHead(bytes, layoutOf(bytes));
    const std::size_t start = head.find_first_not_of(" \t\r\n");
    if (start == std::string::npos) return false;
    const std::string_view text = std::string_view(head).substr(start);
    return text.starts_with("<?xml") || text.starts_with("<LandXML");
}

}  // namespace survey_file
