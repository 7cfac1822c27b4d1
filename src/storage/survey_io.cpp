// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/survey_io.h"

#include <QDir>
#include <future>
#include <new>

#include "storage/file_failure.h"
#include "storage/file_stamp.h"
#include "storage/file_text.h"
#include "storage/safe_write.h"
#include "storage/whole_file.h"
#include "survey_file/file_format.h"

namespace storage {

namespace {

using document::FileFormat;

QString named(const QString& path) {
    return QDir::toNativeSeparators(path);
}

FileFormat formatOf(survey_file::Format format) {
    switch (format) {
        case survey_file::Format::Hdm:
            return FileFormat::Hdm;
        case survey_file::Format::LandXml:
            return FileFormat::LandXml;
        default:
            return FileFormat::SurveyCsv;
    }
}

// The message of a file that did not open, worded for what it was taken as.
QString notOpened(const QString& path, const survey_file::SurveyRead& read) {
    const QString why = QString::fromStdString(read.error.message);
    if (read.format == survey_file::Format::NoText)
        return QStringLiteral("文件“%1”没有打开。%2。").arg(named(path), why);
    return (read.format == survey_file::Format::Hdm
                ? QStringLiteral("里程文件“%1”有误，没有打开：%2。")
                : QStringLiteral("测量数据文件“%1”有误，没有打开：%2。"))
        .arg(named(path), why);
}

OpenedSurvey opened(const QString& path, const WholeFile& file,
                    const survey_file::LandXmlChoice& choice, survey_file::ReadProgress* progress) {
    if (!file.error.isEmpty()) return {std::nullopt, file.error};
    survey_file::SurveyRead read =
        survey_file::readSurveyFile(file.bytes, path.toStdString(), toUtf8, progress, choice);
    OpenedSurvey out{std::nullopt, {}};
    if (read.survey)
        out = {std::move(read.survey), {}, std::move(read.project), formatOf(read.format)};
    else
        out.error = notOpened(path, read);
    if (out.survey) {
        const survey_file::LandXmlRead none;
        const survey_file::LandXmlRead& landXml = read.landXml ? *read.landXml : none;
        out.reading = {std::move(read.notes), std::move(read.sheetNotes), landXml.gaps,
                       section::readMaterials(*out.survey, landXml.materials)};
    }
    out.landXml = std::move(read.landXml);
    return out;
}

}  // namespace

OpenedSurvey openSurvey(const QString& path, survey_file::ReadProgress* progress) {
    return openSurveyAs(path, {}, progress);
}

OpenedSurvey openSurveyAs(const QString& path, const survey_file::LandXmlChoice& choice,
                          survey_file::ReadProgress* progress) {
    try {
        const WholeFile file = readWholeFile(path);
        // The stamp is one more pass over all the bytes: worked out beside
        // the reading.
        std::future<document::FileStamp> stamp =
            std::async([&file] { return stampOf(file.bytes); });
        OpenedSurvey survey = opened(path, file, choice, progress);
        survey.stamp = stamp.get();
        return survey;
    } catch (const std::bad_alloc&) {
        return {std::nullopt, readFailure(path, QStringLiteral("内存不足（文件太大）"))};
    }
}

FileFormat formatToSave(const section::Survey& survey, const QString& path) {
    return formatOf(survey_file::formatToSave(survey, path.toStdString()));
}

QString saveSurvey(const QString& path, const section::Survey& survey, FileFormat format,
                   const section::ProjectInfo& project) {
    const survey_file::Format as =
        format == FileFormat::Hdm ? survey_file::Format::Hdm : survey_file::Format::SurveyCsv;
    if (const std::optional<std::string> why = survey_file::whyNotWritten(survey, as))
        return QStringLiteral("没有保存“%1”：%2。").arg(named(path), QString::fromStdString(*why));
    return writeFileSafely(
        path, QByteArray::fromStdString(survey_file::surveyFileText(survey, as, project)));
}

}  // namespace storage
