// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exports for design and CAD programs: the sections as LandXML 1.2, as
// bytes (for standard output) or written safely to a file, and the 横断面图
// sheets as the bytes of a DXF file.

#include <QByteArray>
#include <QString>

#include "printout/drawing.h"
#include "section/any_survey.h"
#include "section/project_info.h"

namespace storage {

// The LandXML of a calculated survey and its 工程信息, stamped with the time
// now; empty with `error` set when there is nothing to write (no section).
QByteArray landXmlBytes(const section::Survey& survey, const section::ProjectInfo& project,
                        QString& error);

// The 横断面图 sheets as the bytes of a DXF file.
QByteArray sectionSheetsDxf(const printout::SheetDrawing& drawing);

// Written safely to `path`: empty on success, else the message naming the
// file and the reason.
QString exportLandXml(const section::Survey& survey, const section::ProjectInfo& project,
                      const QString& path);

}  // namespace storage
