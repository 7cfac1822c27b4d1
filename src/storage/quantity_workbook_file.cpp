// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/quantity_workbook_file.h"

#include <QFile>
#include <cerrno>

#include "spreadsheet/quantity_workbook.h"
#include "storage/file_failure.h"
#include "storage/safe_write.h"

namespace storage {

namespace {

// Empty on success, else the message naming `shown`.
QString writeWorkbook(const printout::QuantityTable& table, const QString& file,
                      const QString& shown) {
    const spreadsheet::WorkbookWritten written =
        spreadsheet::writeQuantityWorkbook(table, QFile::encodeName(file).toStdString());
    if (!written.refused.empty())
        return QStringLiteral("没有写 Excel 工作簿：%1。")
            .arg(QString::fromStdString(written.refused));
    return written.ok ? QString()
                      : writeFailure(shown, written.errorNumber ? written.errorNumber : EIO);
}

}  // namespace

QString exportQuantityWorkbook(const printout::QuantityTable& table, const QString& path) {
    SafeFile safe(path);
    if (safe.temporaryPath().isEmpty()) return safe.error();
    if (QString error = writeWorkbook(table, safe.temporaryPath(), path); !error.isEmpty())
        return error;
    return safe.commit() ? QString() : safe.error();
}

QByteArray quantityWorkbookBytes(const printout::QuantityTable& table, QString& error) {
    return bytesWrittenBy(
        QStringLiteral(".xlsx"),
        [&table](const QString& file) { return writeWorkbook(table, file, file); }, error);
}

}  // namespace storage
