// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/interchange_export.h"

#include <QDateTime>

#include "storage/safe_write.h"
#include "survey_file/landxml.h"
#include "survey_file/sheet_dxf.h"

namespace storage {

namespace {

survey_file::LandXmlStamp now() {
    const QDateTime time = QDateTime::currentDateTime();
    return {time.toString(QStringLiteral("yyyy-MM-dd")).toStdString(),
            time.toString(QStringLiteral("HH:mm:ss")).toStdString()};
}

}  // namespace

QByteArray landXmlBytes(const section::Survey& survey, const section::ProjectInfo& project,
                        QString& error) {
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

QByteArray sectionSheetsDxf(const printout::SheetDrawing& drawing) {
    return QByteArray::fromStdString(survey_file::sheetsDxf(drawing));
}

QString exportLandXml(const section::Survey& survey, const section::ProjectInfo& project,
                      const QString& path) {
    QString error;
    const QByteArray bytes = landXmlBytes(survey, project, error);
    return error.isEmpty() ? writeFileSafely(path, bytes) : error;
}

}  // namespace storage
