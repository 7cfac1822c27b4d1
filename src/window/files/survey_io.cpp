// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/files/survey_io.h"

#include <QDir>
#include <QStringDecoder>
#include <new>

#include "survey_file/survey_file.h"
#include "window/files/file_failure.h"
#include "window/files/safe_write.h"
#include "window/files/whole_file.h"

namespace window {

namespace {

QString named(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The file's text as UTF-8: as it is when it is UTF-8 already (no copy), else
// decoded into `decoded`; nothing when it is no text in any of the encodings.
std::optional<std::string_view> utf8Text(std::string_view bytes, std::string& decoded) {
    if (survey_file::isUtf8(bytes)) return bytes;
    const auto* head = reinterpret_cast<const unsigned char*>(bytes.data());
    QStringDecoder decoder("GB18030");
    // A byte-order mark says which encoding was meant: broken UTF-8 read as
    // GB18030 would be quoted back as nonsense.
    if (bytes.starts_with("\xEF\xBB\xBF")) decoder = QStringDecoder(QStringDecoder::Utf8);
    if (bytes.size() >= 2 && head[0] == 0xFF && head[1] == 0xFE)
        decoder = QStringDecoder(QStringDecoder::Utf16LE);
    if (bytes.size() >= 2 && head[0] == 0xFE && head[1] == 0xFF)
        decoder = QStringDecoder(QStringDecoder::Utf16BE);
    const QString text = decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (decoder.hasError()) return std::nullopt;
    decoded = text.toStdString();
    return decoded;
}

OpenedSurvey notOpened(const QString& path, std::string_view why) {
    return {std::nullopt, QStringLiteral("文件“%1”没有打开。%2。")
                              .arg(named(path), QString::fromUtf8(why.data(), why.size()))};
}

OpenedSurvey readOrFail(const QString& path) {
    const WholeFile file = readWholeFile(path);
    if (!file.error.isEmpty()) return {std::nullopt, file.error};
    if (const std::optional<std::string> why = survey_file::whyNotText(file.bytes))
        return notOpened(path, *why);
    std::string decoded;
    const std::optional<std::string_view> text = utf8Text(file.bytes, decoded);
    if (!text) return notOpened(path, survey_file::kNotText);
    survey_file::ReadResult result = survey_file::readSurvey(*text);
    if (!result.survey) {
        return {std::nullopt, QStringLiteral("测量数据文件“%1”有误，没有打开：%2。")
                                  .arg(named(path), QString::fromStdString(result.error.message))};
    }
    return {std::move(result.survey), {}, std::move(result.project)};
}

}  // namespace

OpenedSurvey readSurveyFile(const QString& path) {
    try {
        return readOrFail(path);
    } catch (const std::bad_alloc&) {
        return {std::nullopt, readFailure(path, QStringLiteral("内存不足（文件太大）"))};
    }
}

QString saveSurveyFile(const QString& path, const section::SectionSurvey& survey) {
    return writeFileSafely(path, QByteArray::fromStdString(survey_file::writeSurvey(survey)));
}

}  // namespace window
