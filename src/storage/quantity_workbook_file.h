// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 土方数量表 as an .xlsx file, written safely: the workbook goes into a
// temporary file beside the target, is synced and then renamed over it.

#include <QByteArray>
#include <QString>

namespace printout {
struct QuantityTable;
}

namespace storage {

// Empty on success, else the message naming the file and the reason.
QString exportQuantityWorkbook(const printout::QuantityTable& table, const QString& path);

// The workbook as bytes, made in a temporary file of the system's; empty with
// `error` set on failure.
QByteArray quantityWorkbookBytes(const printout::QuantityTable& table, QString& error);

}  // namespace storage
