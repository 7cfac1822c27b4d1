// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/pdf_export.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QStorageInfo>
#include <cerrno>

#include "paper/quantity_table_renderer.h"
#include "paper/sheet_renderer.h"
#include "printout/quantity_table.h"
#include "printout/sheet.h"
#include "runtime/titles.h"
#include "storage/file_failure.h"
#include "storage/safe_write.h"

namespace paper {

namespace {

// A PDF that is not whole: almost always a disk that filled up under it.
int incompleteReason(const QString& file) {
    const QStorageInfo disk(QFileInfo(file).absolutePath());
    return disk.isValid() && disk.bytesAvailable() < 1024 * 1024 ? ENOSPC : EIO;
}

// Empty on success, else the message naming `shown`.
QString renderPdf(const PdfDrawing& drawing, const QString& file, const QString& shown) {
    const WrittenPdf written = writePdfFile(drawing, file);
    switch (written.fault) {
        case PdfFault::None:
            return {};
        case PdfFault::NotRendered:
            return storage::writeFailure(shown, written.error ? written.error : EIO);
        case PdfFault::Unreadable:
            return storage::writeFailure(shown, EIO);
        case PdfFault::Torn:
            break;
    }
    return storage::writeFailure(shown, incompleteReason(file));
}

}  // namespace

QPageLayout pdfPageLayout(QPageLayout::Orientation orientation) {
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Point);
}

PdfDrawing sheetDrawing(const printout::Sheet& sheet, const QPageLayout& page) {
    return {page, QString::fromUtf8(runtime::sheetName),
            [&sheet](QPagedPaintDevice& device, PageRange pages) {
                return renderSheet(sheet, device, pages);
            }};
}

PdfDrawing quantityTableDrawing(const printout::QuantityTable& table) {
    return {quantityTablePageLayout(table), QString::fromStdString(table.title),
            [&table](QPagedPaintDevice& device, PageRange pages) {
                return renderQuantityTable(table, device, pages);
            }};
}

TemporaryPdf::TemporaryPdf(const PdfDrawing& drawing)
    : file_(QDir(QDir::tempPath()).filePath(QStringLiteral("velmorin-XXXXXX.pdf"))) {
    if (!file_.open()) {
        error_ = storage::writeFailure(file_.fileName(), errno ? errno : EIO);
        return;
    }
    file_.close();
    // A PDF cut short (a full disk, a write error the PDF writer does not
    // report) would print as a torn sheet, or not at all.
    const WrittenPdf written = writePdfFile(drawing, file_.fileName());
    if (written.fault != PdfFault::None)
        error_ = storage::writeFailure(file_.fileName(), written.error ? written.error : EIO);
}

WrittenPdf writePdfFile(const PdfDrawing& drawing, const QString& file) {
    bool rendered = false;
    {
        // Not QPrinter: it asks the print system on its own, without a time
        // limit, and the PDF is the way out when printing fails.
        QPdfWriter writer(file);
        writer.setResolution(1200);
        writer.setPageLayout(drawing.layout);
        writer.setTitle(drawing.title);
        writer.setCreator(QString::fromUtf8(runtime::applicationName));
        errno = 0;
        rendered = drawing.draw(writer, drawing.pages);
    }
    const int error = errno;
    if (!rendered) return {PdfFault::NotRendered, error};
    QFile written(file);
    if (!written.open(QIODevice::ReadOnly)) return {PdfFault::Unreadable, error};
    return {pdfIsWhole(written.readAll()) ? PdfFault::None : PdfFault::Torn, error};
}

QString exportPdf(const PdfDrawing& drawing, const QString& path) {
    storage::SafeFile safe(path);
    if (safe.temporaryPath().isEmpty()) return safe.error();
    if (QString error = renderPdf(drawing, safe.temporaryPath(), path); !error.isEmpty())
        return error;
    return safe.commit() ? QString() : safe.error();
}

QByteArray pdfBytes(const PdfDrawing& drawing, QString& error) {
    return storage::bytesWrittenBy(
        QStringLiteral(".pdf"),
        [&drawing](const QString& file) { return renderPdf(drawing, file, file); }, error);
}

QString exportSheetPdf(const printout::Sheet& sheet, const QString& path) {
    return exportPdf(sheetDrawing(sheet), path);
}

QByteArray sheetPdf(const printout::Sheet& sheet, QString& error) {
    return pdfBytes(sheetDrawing(sheet), error);
}

bool pdfIsWhole(const QByteArray& pdf) {
    static const QRegularExpression end(QStringLiteral(R"(startxref\s+(\d+)\s+%%EOF\s*$)"));
    static const QRegularExpression table(QStringLiteral(R"(^xref\s+0\s+(\d+)\s+)"));
    if (!pdf.startsWith("%PDF-")) return false;
    const QString tail = QString::fromLatin1(pdf.right(64));
    const QRegularExpressionMatch last = end.match(tail);
    if (!last.hasMatch()) return false;
    const qsizetype at = last.captured(1).toLongLong();
    const qsizetype endAt = pdf.size() - tail.size() + last.capturedStart();
    if (at >= endAt) return false;
    const QRegularExpressionMatch head = table.match(QString::fromLatin1(pdf.mid(at, 64)));
    if (!head.hasMatch()) return false;
    // Each entry of the table is 20 bytes long, and the trailer follows it.
    const qsizetype trailer = at + head.capturedLength() + 20 * head.captured(1).toLongLong();
    return trailer < endAt && pdf.mid(trailer, 7) == "trailer";
}

}  // namespace paper
