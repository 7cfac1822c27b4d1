// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/survey_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cerrno>

#include "survey_file/survey_file.h"
#include "window/file_failure.h"
#include "window/safe_write.h"

namespace window {

namespace {

QString named(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The file's text as UTF-8: as it is when it is UTF-8 already (no copy), else
// decoded into `decoded`.
std::string_view utf8Text(std::string_view bytes, std::string& decoded) {
    if (survey_file::isUtf8(bytes)) return bytes;
    const auto* head = reinterpret_cast<const unsigned char*>(bytes.data());
    QStringDecoder decoder("GB18030");
    if (bytes.size() >= 2 && head[0] == 0xFF && head[1] == 0xFE)
        decoder = QStringDecoder(QStringDecoder::Utf16LE);
    if (bytes.size() >= 2 && head[0] == 0xFE && head[1] == 0xFF)
        decoder = QStringDecoder(QStringDecoder::Utf16BE);
    const QString text = decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    decoded = text.toStdString();
    return decoded;
}

}  // namespace

OpenedSurvey readSurveyFile(const QString& path) {
    QFile file(path);
    errno = 0;
    if (QFileInfo(path).isDir()) return {std::nullopt, readFailure(path, EISDIR)};
    if (!file.open(QIODevice::ReadOnly)) return {std::nullopt, readFailure(path, errno)};
    // Mapped, not copied: a large file is read where it lies.
    const qint64 size = file.size();
    const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    QByteArray read;
    if (size > 0 && !mapped) read = file.readAll();
    const std::string_view bytes =
        mapped ? std::string_view(reinterpret_cast<const char*>(mapped), std::size_t(size))
               : std::string_view(read.constData(), std::size_t(read.size()));
    std::string decoded;
    survey_file::ReadResult result = survey_file::readSurvey(utf8Text(bytes, decoded));
    if (!result.survey) {
        return {std::nullopt, QStringLiteral("测量数据文件“%1”有误，没有打开：%2。")
                                  .arg(named(path), QString::fromStdString(result.error.message))};
    }
    return {std::move(result.survey), {}};
}

QString saveSurveyFile(const QString& path, const section::SectionSurvey& survey) {
    return writeFileSafely(path, QByteArray::fromStdString(survey_file::writeSurvey(survey)));
}

}  // namespace window
