// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/file_text.h"

#include <QStringDecoder>

namespace storage {

std::optional<std::string> toUtf8(std::string_view bytes) {
    const auto* head = reinterpret_cast<const unsigned char*>(bytes.data());
    QStringDecoder decoder("GB18030");
    if (bytes.starts_with("\xEF\xBB\xBF")) decoder = QStringDecoder(QStringDecoder::Utf8);
    if (bytes.size() >= 2 && head[0] == 0xFF && head[1] == 0xFE)
        decoder = QStringDecoder(QStringDecoder::Utf16LE);
    if (bytes.size() >= 2 && head[0] == 0xFE && head[1] == 0xFF)
        decoder = QStringDecoder(QStringDecoder::Utf16BE);
    const QString text = decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (decoder.hasError()) return std::nullopt;
    return text.toStdString();
}

}  // namespace storage
