// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/printing/pdf_export.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <cerrno>

#include "printout/sheet.h"
#include "window/files/file_failure.h"
#include "window/files/safe_write.h"
#include "window/printing/sheet_renderer.h"

namespace window {

namespace {

// A PDF that is not whole: almost always a disk that filled up under it.
int incompleteReason(const QString& file) {
    const QStorageInfo disk(QFileInfo(file).absolutePath());
    return disk.isValid() && disk.bytesAvailable() < 1024 * 1024 ? ENOSPC : EIO;
}

// The sheet's page: A4 with the margins Qt's printer gives a PDF (10 points),
// so the pages break where they do on paper.
QPageLayout sheetLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Point);
}

// Empty on success, else the message naming `shown`.
QString renderPdf(const PdfDrawing& drawing, const QString& file, const QString& shown) {
    // Not QPrinter: it asks the print system for the default printer and
    // waits a minute on one that does not answer, and the PDF is the way out
    // when printing fails.
    QPdfWriter printer(file);
    printer.setResolution(1200);
    printer.setPageLayout(drawing.layout);
    printer.setTitle(drawing.title);
    printer.setCreator(QStringLiteral("Velmorin"));
    errno = 0;
    if (!drawing.draw(printer)) return writeFailure(shown, errno ? errno : EIO);
    QFile written(file);
    if (!written.open(QIODevice::ReadOnly)) return writeFailure(shown, EIO);
    if (!pdfIsWhole(written.readAll())) return writeFailure(shown, incompleteReason(file));
    return {};
}

}  // namespace

PdfDrawing sheetDrawing(const printout::Sheet& sheet) {
    return {sheetLayout(), QStringLiteral("方量计算"),
            [&sheet](QPagedPaintDevice& device) { return renderSheet(sheet, device); }};
}

QString exportPdf(const PdfDrawing& drawing, const QString& path) {
    SafeFile safe(path);
    if (safe.temporaryPath().isEmpty()) return safe.error();
    if (QString error = renderPdf(drawing, safe.temporaryPath(), path); !error.isEmpty())
        return error;
    return safe.commit() ? QString() : safe.error();
}

QByteArray pdfBytes(const PdfDrawing& drawing, QString& error) {
    QTemporaryFile file(QDir(QDir::tempPath()).filePath(QStringLiteral("velmorin-XXXXXX.pdf")));
    errno = 0;
    if (!file.open()) {
        error = writeFailure(file.fileTemplate(), errno ? errno : EACCES);
        return {};
    }
    error = renderPdf(drawing, file.fileName(), file.fileName());
    return error.isEmpty() ? file.readAll() : QByteArray();
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

}  // namespace window
