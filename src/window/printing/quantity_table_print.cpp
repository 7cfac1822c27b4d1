// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/printing/quantity_table_print.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include "document/survey_document.h"
#include "paper/quantity_table_renderer.h"
#include "printout/survey_printouts.h"

namespace window {

printout::QuantityTable quantityTableOf(const document::SurveyDocument& document) {
    return printout::quantityTable(document.survey(), document.project());
}

void setUpForQuantityTable(const printout::QuantityTable& table, QPrinter& printer) {
    printer.setDocName(QString::fromStdString(table.title));
    printer.setPageLayout(paper::quantityTablePageLayout(table));
}

void previewQuantityTable(const printout::QuantityTable& table, QPrinter& printer,
                          QWidget* parent) {
    setUpForQuantityTable(table, printer);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("打印预览 - ") + QString::fromStdString(table.title));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&table](QPrinter* target) { paper::renderQuantityTable(table, *target); });
    preview.resize(parent->window()->size().boundedTo(QSize(1000, 900)));
    preview.exec();
}

}  // namespace window
