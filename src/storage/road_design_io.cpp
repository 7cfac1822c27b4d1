// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/road_design_io.h"

#include <QDir>
#include <new>
#include <variant>

#include "section/road_fit.h"
#include "storage/file_failure.h"
#include "storage/file_text.h"
#include "storage/safe_write.h"
#include "storage/whole_file.h"
#include "survey_file/road_design_file.h"

namespace storage {

namespace {

QString faulty(const QString& path, const std::string& why) {
    return QStringLiteral("道路设计文件“%1”有误，没有打开：%2。")
        .arg(QDir::toNativeSeparators(path), QString::fromStdString(why));
}

}  // namespace

OpenedDesign openRoadDesign(const QString& path) {
    try {
        const WholeFile file = readWholeFile(path);
        if (!file.error.isEmpty()) return {std::nullopt, file.error};
        survey_file::RoadDesignRead read = survey_file::readRoadDesignFile(file.bytes, toUtf8);
        if (!read.design) return {std::nullopt, faulty(path, read.error.message)};
        // Read whole, the design may still not fit together.
        const auto prepared = section::PreparedRoad::prepare(*read.design);
        if (const auto* fault = std::get_if<section::DesignFault>(&prepared))
            return {std::nullopt, faulty(path, survey_file::designFaultText(*fault, read.lines))};
        return {std::move(read.design), {}};
    } catch (const std::bad_alloc&) {
        return {std::nullopt, readFailure(path, QStringLiteral("内存不足（文件太大）"))};
    }
}

QString saveRoadDesign(const QString& path, const section::RoadDesign& design) {
    return writeFileSafely(path, QByteArray::fromStdString(survey_file::writeRoadDesign(design)));
}

}  // namespace storage
