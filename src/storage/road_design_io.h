// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Road design files on disk (道路设计): read in whatever encoding a
// spreadsheet wrote, checked so that a design that cannot be used is refused
// with the file, line and column; written safely. Failures come back as
// messages, never as throws.

#include <QString>
#include <optional>

#include "section/road_design.h"

namespace storage {

struct OpenedDesign {
    std::optional<section::RoadDesign> design;  // empty on a fault
    QString error;  // names the file, the table, the line and the column
};

OpenedDesign openRoadDesign(const QString& path);

// Empty on success, else the message naming the file and the reason.
QString saveRoadDesign(const QString& path, const section::RoadDesign& design);

}  // namespace storage
