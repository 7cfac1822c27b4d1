// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/printing/quantity_table_print.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include "printout/quantity_table.h"
#include "window/printing/quantity_table_renderer.h"

namespace window {

PdfDrawing quantityTableDrawing(const printout::QuantityTable& table) {
    return {quantityTablePageLayout(table), QString::fromStdString(table.title),
            [&table](QPagedPaintDevice& device) { return renderQuantityTable(table, device); }};
}

bool printQuantityTable(const printout::QuantityTable& table, QPrinter& printer) {
    printer.setDocName(QString::fromStdString(table.title));
    printer.setPageLayout(quantityTablePageLayout(table));
    return renderQuantityTable(table, printer);
}

void previewQuantityTable(const printout::QuantityTable& table, QPrinter& printer,
                          QWidget* parent) {
    printer.setDocName(QString::fromStdString(table.title));
    printer.setPageLayout(quantityTablePageLayout(table));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("打印预览 - ") + QString::fromStdString(table.title));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&table](QPrinter* target) { renderQuantityTable(table, *target); });
    preview.exec();
}

}  // namespace window
