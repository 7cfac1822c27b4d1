// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/interchange_export.h"

#include <QDateTime>

#include "storage/safe_write.h"
#include "survey_file/landxml.h"
#include "survey_file/section_drawing.h"

namespace storage {

namespace {

survey_file::LandXmlStamp now() {
    const QDateTime time = QDateTime::currentDateTime();
    return {time.toString(QStringLiteral("yyyy-MM-dd")).toStdString(),
            time.toString(QStringLiteral("HH:mm:ss")).toStdString()};
}

template <typename Survey>
QByteArray landXmlOf(const Survey& survey, const section::ProjectInfo& project, QString& error) {
    if (const std::optional<std::string> why = survey_file::whyNoLandXml(survey)) {
        error = QStringLiteral("没有写 LandXML：%1。").arg(QString::fromStdString(*why));
        return {};
    }
    const std::optional<std::string> xml = survey_file::landXml(survey, now(), project);
    if (!xml) {
        error = QStringLiteral("测量数据中没有断面，没有可写的 LandXML。");
        return {};
    }
    return QByteArray::fromStdString(*xml);
}

template <typename Survey>
QString exportLandXmlOf(const Survey& survey, const section::ProjectInfo& project,
                        const QString& path) {
    QString error;
    const QByteArray bytes = landXmlBytes(survey, project, error);
    return error.isEmpty() ? storage::writeFileSafely(path, bytes) : error;
}

}  // namespace

QByteArray landXmlBytes(const section::SectionSurvey& survey, const section::ProjectInfo& project,
                        QString& error) {
    return landXmlOf(survey, project, error);
}
QByteArray landXmlBytes(const section::CutFillSurvey& survey, const section::ProjectInfo& project,
                        QString& error) {
    return landXmlOf(survey, project, error);
}

QByteArray sectionsDxfBytes(const section::SectionSurvey& survey) {
    return QByteArray::fromStdString(survey_file::dxf(survey_file::sectionDrawing(survey)));
}
QByteArray sectionsDxfBytes(const section::CutFillSurvey& survey) {
    return QByteArray::fromStdString(survey_file::dxf(survey_file::sectionDrawing(survey)));
}

QString exportLandXml(const section::SectionSurvey& survey, const section::ProjectInfo& project,
                      const QString& path) {
    return exportLandXmlOf(survey, project, path);
}
QString exportLandXml(const section::CutFillSurvey& survey, const section::ProjectInfo& project,
                      const QString& path) {
    return exportLandXmlOf(survey, project, path);
}
QString exportSectionsDxf(const section::SectionSurvey& survey, const QString& path) {
    return storage::writeFileSafely(path, sectionsDxfBytes(survey));
}
QString exportSectionsDxf(const section::CutFillSurvey& survey, const QString& path) {
    return storage::writeFileSafely(path, sectionsDxfBytes(survey));
}

}  // namespace storage
