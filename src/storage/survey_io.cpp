// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/survey_io.h"

#include <QDir>
#include <QStringDecoder>
#include <future>
#include <new>

#include "storage/file_failure.h"
#include "storage/file_stamp.h"
#include "storage/safe_write.h"
#include "storage/whole_file.h"
#include "survey_file/hdm.h"
#include "survey_file/landxml.h"
#include "survey_file/survey_file.h"

namespace storage {

namespace {

QString named(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The file's text as UTF-8: as it is when it is UTF-8 already (no copy), else
// decoded into `decoded`; nothing when it is no text in any of the encodings,
// or (with `mixed` set) when a line breaks the UTF-8 of the rest.
std::optional<std::string_view> utf8Text(std::string_view bytes, std::string& decoded,
                                         std::optional<survey_file::FileError>& mixed) {
    if (survey_file::isUtf8(bytes)) return bytes;
    mixed = survey_file::lineInAnotherEncoding(bytes);
    if (mixed) return std::nullopt;
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

OpenedSurvey faulty(const QString& path, const std::string& why) {
    return {std::nullopt, QStringLiteral("测量数据文件“%1”有误，没有打开：%2。")
                              .arg(named(path), QString::fromStdString(why))};
}

OpenedSurvey landXmlOrFail(const QString& path, std::string_view text,
                           survey_file::ReadProgress* progress) {
    survey_file::LandXmlRead read = survey_file::readLandXml(text, progress);
    if (!read.closed && !read.cutFill) return faulty(path, read.error.message);
    return {std::move(read.closed),
            {},
            std::move(read.cutFill),
            std::move(read.project),
            document::FileFormat::LandXml};
}

OpenedSurvey readOrFail(const QString& path, const WholeFile& file,
                        survey_file::ReadProgress* progress) {
    if (!file.error.isEmpty()) return {std::nullopt, file.error};
    if (const std::optional<std::string> why = survey_file::whyNotText(file.bytes))
        return notOpened(path, *why);
    // Nearly every file is a survey CSV in UTF-8: its reading starts on a
    // second thread (where one can be started) while the whole text is
    // checked below, and is taken where the checks lead to it; otherwise it
    // is dropped.
    const std::string_view bytes = file.bytes;
    std::future<survey_file::ReadResult> early;
    if (!survey_file::looksLikeXml(bytes) && !survey_file::looksLikeHdm(bytes))
        early = std::async([=] { return survey_file::readSurvey(bytes, progress); });
    std::string decoded;
    std::optional<survey_file::FileError> mixed;
    const std::optional<std::string_view> text = utf8Text(file.bytes, decoded, mixed);
    if (mixed) return faulty(path, mixed->message);
    if (!text) return notOpened(path, survey_file::kNotText);
    // XML reads a lone CR as a line end itself.
    if (const auto why = survey_file::loneCarriageReturn(*text);
        why && !survey_file::looksLikeXml(*text))
        return faulty(path, why->message);
    // What the text is decides; the file's ending only where the text reads
    // as none of the formats, so that a survey saved under another ending
    // opens again, and a broken file is told as what it is named.
    const bool xml = path.endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive);
    if (survey_file::looksLikeXml(*text)) return landXmlOrFail(path, *text, progress);
    bool hdm = survey_file::looksLikeHdm(*text);
    survey_file::ReadResult result;
    if (!hdm && early.valid() && text->data() == bytes.data()) {
        result = early.get();
    } else {
        early = {};  // not wanted: its memory is given back before this reading takes more
        result =
            hdm ? survey_file::readHdm(*text, progress) : survey_file::readSurvey(*text, progress);
    }
    const bool read = result.survey || result.cutFill;
    if (!read && !hdm && xml) return landXmlOrFail(path, *text, progress);
    if (!read && !hdm && isHdmPath(path)) {
        hdm = true;
        result = survey_file::readHdm(*text, progress);
    }
    if (!result.survey && !result.cutFill) {
        return {std::nullopt, (hdm ? QStringLiteral("里程文件“%1”有误，没有打开：%2。")
                                   : QStringLiteral("测量数据文件“%1”有误，没有打开：%2。"))
                                  .arg(named(path), QString::fromStdString(result.error.message))};
    }
    return {std::move(result.survey),
            {},
            std::move(result.cutFill),
            std::move(result.project),
            hdm ? document::FileFormat::Hdm : document::FileFormat::SurveyCsv};
}

}  // namespace

OpenedSurvey readAnySurveyFile(const QString& path, survey_file::ReadProgress* progress) {
    try {
        const WholeFile file = readWholeFile(path);
        // The stamp is one more pass over all the bytes: worked out beside
        // the reading.
        std::future<document::FileStamp> stamp =
            std::async([&file] { return stampOf(file.bytes); });
        OpenedSurvey opened = readOrFail(path, file, progress);
        opened.stamp = stamp.get();
        return opened;
    } catch (const std::bad_alloc&) {
        return {std::nullopt, readFailure(path, QStringLiteral("内存不足（文件太大）"))};
    }
}

bool isHdmPath(const QString& path) {
    return path.endsWith(QStringLiteral(".hdm"), Qt::CaseInsensitive);
}

QString saveCutFillSurveyFile(const QString& path, const section::CutFillSurvey& survey,
                              const section::ProjectInfo& project) {
    if (!isHdmPath(path))
        return writeFileSafely(
            path, QByteArray::fromStdString(survey_file::writeCutFillSurvey(survey, project)));
    if (const std::optional<std::string> why = survey_file::whyNoHdm(survey))
        return QStringLiteral("没有保存“%1”：%2。").arg(named(path), QString::fromStdString(*why));
    return writeFileSafely(path, QByteArray::fromStdString(survey_file::writeHdm(survey)));
}

QString saveSurveyFile(const QString& path, const section::SectionSurvey& survey,
                       const section::ProjectInfo& project) {
    return writeFileSafely(path,
                           QByteArray::fromStdString(survey_file::writeSurvey(survey, project)));
}

}  // namespace storage
